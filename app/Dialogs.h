#pragma once
// Message boxes, file dialogs and the beep, in one place so that tests can
// answer them: while a hook is set it is called instead of the real dialog.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace dialogs {

// The application title: task bar, plain boxes, the general error report.
inline const QString kApplicationTitle = QStringLiteral("PUTEVOD_FREE");

enum class Kind {
    Plain,        // no icon, captioned with the application title
    Information,  // information icon
    Error,        // error icon, caption "Error"
    Stop          // the general error report: stop icon, application title
};

struct MessageRecord {
    Kind kind;
    QString caption;
    QString text;
};

struct FileRequest {
    bool save = false;
    QString title;
    QString filter;
    QString defaultSuffix;
    QString presetName;
    QString quoteMessage;  // refusing a name with '"'; the algorithm's message when empty
};

enum class Answer { Yes, No, Cancel };

// Shows a modal box with one OK button.
void Message(QWidget *parent, Kind kind, const QString &text);
// The same with a caption of its own instead of the kind's, and a text the
// reader can select and copy.
void Message(QWidget *parent, Kind kind, const QString &text, const QString &caption);
// The caption a box of this kind carries.
QString CaptionFor(Kind kind);
// A question box captioned with the application title, buttons "Да",
// "Нет" and "Отмена"; its close box and Esc answer Отмена.
Answer Question(QWidget *parent, const QString &text);
// The general error report for an error that abandons an event.
void ErrorReport(QWidget *parent, const QString &text);

// The chosen file name, or an empty string when the pupil cancels.
QString AskFileName(QWidget *parent, const FileRequest &request);

// Asks for an algorithm file and reads it: sets *path and *lines and returns
// true, or returns false when the pupil cancels or the file cannot be read
// (an error box then says why).
bool OpenAlgorithmFile(QWidget *parent, const FileRequest &request, QString *path, QStringList *lines);

void Beep();

// Test hooks.
extern std::function<void(const MessageRecord &)> messageHook;
extern std::function<QString(const FileRequest &)> fileHook;
extern std::function<Answer(const MessageRecord &)> questionHook;
extern std::function<void()> beepHook;

} // namespace dialogs
