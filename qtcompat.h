#pragma once
// The places where Qt 5.15 and Qt 6 differ, each wrapped once, so that the
// program is written once for both and behaves the same under both.

#include <QtGlobal>
#include <QByteArray>
#include <QLibraryInfo>
#include <QString>
#ifdef QT_GUI_LIB
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPoint>
#endif
#ifdef QT_WIDGETS_LIB
#include <QLabel>
#include <QPixmap>
#endif

#include <optional>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QStringDecoder>
#else
#include <QTextCodec>
#endif

namespace compat {

// The result argument of a native event filter.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
using NativeEventResult = qintptr;
#else
using NativeEventResult = long;
#endif

// The folder the toolkit's own translations are installed in.
inline QString TranslationsPath()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

#ifdef QT_GUI_LIB
// Called before the application object is made: what Qt 6 does by itself.
// Pictures are drawn at the device's resolution, and a screen scale factor
// is applied exactly, not rounded. Under Windows, the system's scale setting
// scales the windows, as under Qt 6. Under X11, where Qt 5 would take the
// screen's physical resolution for the fonts when the desktop states none
// (Xft.dpi), and so draw every font given in points a little larger or
// smaller than Qt 6 does, the fonts are set at 96 dpi, as Qt 6 sets them on
// such a desktop; QT_FONT_DPI, when it is set, still decides.
inline void PrepareApplication()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#if defined(Q_OS_WIN)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
#else
    if (!qEnvironmentVariableIsSet("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
#endif
#endif
}

// The point of a mouse event in its widget, in whole pixels.
inline QPoint MousePos(const QMouseEvent *e)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return e->position().toPoint();
#else
    return e->pos();
#endif
}
#endif

#ifdef QT_WIDGETS_LIB
// A label's picture (a null one when it has none).
inline QPixmap LabelPixmap(const QLabel *label)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return label->pixmap();
#else
    return label->pixmap(Qt::ReturnByValue);
#endif
}
#endif

// Bytes decoded by the toolkit's own codec of that name (the system's ICU,
// where Qt uses it); nothing when the toolkit has no such codec.
inline std::optional<QString> ToolkitDecode(const char *encoding, const QByteArray &bytes)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QStringDecoder decoder(encoding);
    if (!decoder.isValid())
        return std::nullopt;
    return QString(decoder.decode(bytes));
#else
    QTextCodec *codec = QTextCodec::codecForName(encoding);
    if (!codec)
        return std::nullopt;
    return codec->toUnicode(bytes);
#endif
}

} // namespace compat
