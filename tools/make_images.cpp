// Draws the program's pictures and writes them as PNG files:
//   banner.png                   the start window's banner, 798 x 371, 24-bit
//   check_red*.png               the Start button's glyph, 16 x 16, and its grey version
//   check_green*.png             the sign-in button's glyph, 18 x 18, and its grey version
//   stage0.png .. stage9.png     the stage menu images, 16 x 16 on a magenta background
//                                (the lower-left pixel's colour is the transparent one)
//   tool0.png .. tool3.png       the run tool bar images, 16 x 16 with alpha
//   icon.png                     the window icon, 32 x 32 with alpha
//   appicon16.png .. appicon256.png
//                                the same icon for the desktop menu, one file per
//                                size of the icon theme (16 to 256), with alpha
//
// Usage: make_images [output directory]   (default: resources/images)

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTransform>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

QString g_outDir;

bool save(const QImage &image, const QString &name)
{
    const QString path = g_outDir + QLatin1Char('/') + name;
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s  %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

QImage transparentImage(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The grey, lighter look of a picture for a disabled control.
QImage greyVersion(const QImage &source)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const int lum = qGray(p);
            const int g = 110 + lum * 110 / 255;  // 110..220
            line[x] = qRgba(g, g, g, qAlpha(p));
        }
    }
    return image;
}

// ---------------------------------------------------------------------------
// Banner

QPainterPath ridge(int width, int baseY, const QVector<QPointF> &points, int bottom)
{
    QPainterPath path;
    path.moveTo(0, bottom);
    path.lineTo(0, baseY);
    QPointF previous(0, baseY);
    for (const QPointF &p : points) {
        const qreal mid = (previous.x() + p.x()) / 2;
        path.cubicTo(mid, previous.y(), mid, p.y(), p.x(), p.y());
        previous = p;
    }
    const qreal mid = (previous.x() + width) / 2;
    path.cubicTo(mid, previous.y(), mid, baseY, width, baseY);
    path.lineTo(width, bottom);
    path.closeSubpath();
    return path;
}

void drawCloud(QPainter &p, qreal cx, qreal cy, qreal scale)
{
    p.save();
    p.translate(cx, cy);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    const struct { qreal x, y, r; } puffs[] = {
        {-38, 6, 18}, {-16, -6, 24}, {12, -12, 28}, {40, -2, 22}, {60, 8, 15}, {-2, 8, 20}, {26, 10, 18},
    };
    for (const auto &puff : puffs) {
        QRadialGradient g(puff.x, puff.y - puff.r * 0.3, puff.r * 1.2);
        g.setColorAt(0.0, QColor(255, 255, 255, 235));
        g.setColorAt(0.7, QColor(246, 249, 253, 215));
        g.setColorAt(1.0, QColor(226, 236, 248, 0));
        p.setBrush(g);
        p.drawEllipse(QPointF(puff.x, puff.y), puff.r * 1.2, puff.r * 1.2);
    }
    p.restore();
}

void drawTree(QPainter &p, qreal x, qreal groundY, qreal h, const QColor &crown)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(96, 70, 44));
    p.drawRect(QRectF(x - h * 0.05, groundY - h * 0.35, h * 0.1, h * 0.35));
    QRadialGradient g(x - h * 0.12, groundY - h * 0.75, h * 0.5);
    g.setColorAt(0, crown.lighter(135));
    g.setColorAt(1, crown.darker(125));
    p.setBrush(g);
    p.drawEllipse(QPointF(x, groundY - h * 0.62), h * 0.3, h * 0.36);
}

// A square field of cells with a grey trace and the red pointer, drawn flat
// on a side x side square; the caller sets a perspective transform.
void drawBoard(QPainter &p, qreal side, int cells)
{
    const qreal cell = side / cells;
    // Board frame and paper.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 108, 66));
    p.drawRect(QRectF(-10, -10, side + 20, side + 20));
    p.setBrush(QColor(252, 250, 240));
    p.drawRect(QRectF(0, 0, side, side));
    // Grid.
    p.setPen(QPen(QColor(150, 170, 200), 1.2));
    for (int i = 1; i < cells; ++i) {
        p.drawLine(QPointF(i * cell, 0), QPointF(i * cell, side));
        p.drawLine(QPointF(0, i * cell), QPointF(side, i * cell));
    }
    p.setPen(QPen(QColor(40, 60, 110), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0, 0, side, side));

    auto centre = [cell](int cx, int cy) { return QPointF((cx + 0.5) * cell, (cy + 0.5) * cell); };

    // The walked path: a little spiral staircase, with one jump (a gap).
    const QPoint walk[] = {{1, 10}, {1, 7}, {4, 7}, {4, 4}, {7, 4}, {7, 2}, {10, 2}, {10, 5}};
    QPen trace(QColor(115, 115, 115), cell * 0.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(trace);
    QPainterPath path;
    path.moveTo(centre(walk[0].x(), walk[0].y()));
    for (const QPoint &w : walk)
        path.lineTo(centre(w.x(), w.y()));
    p.drawPath(path);

    // Start point А: a blue ring.
    p.setPen(QPen(QColor(30, 80, 200), cell * 0.14));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre(1, 10), cell * 0.34, cell * 0.34);
    // End point Б: a green ring further on.
    p.setPen(QPen(QColor(20, 150, 60), cell * 0.14));
    p.drawEllipse(centre(10, 8), cell * 0.34, cell * 0.34);

    // The pointer at the end of the trace, facing down.
    const QPointF c = centre(10, 5);
    QPolygonF arrow;
    arrow << QPointF(c.x(), c.y() + cell * 0.75) << QPointF(c.x() - cell * 0.5, c.y() - cell * 0.45)
          << QPointF(c.x(), c.y() - cell * 0.15) << QPointF(c.x() + cell * 0.5, c.y() - cell * 0.45);
    p.setPen(QPen(QColor(110, 0, 0), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(225, 25, 25));
    p.drawPolygon(arrow);
}

QImage makeBanner()
{
    const int W = 798, H = 371;
    QImage image(W, H, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Sky.
    QLinearGradient sky(0, 0, 0, 230);
    sky.setColorAt(0.0, QColor(58, 112, 188));
    sky.setColorAt(0.55, QColor(128, 178, 228));
    sky.setColorAt(1.0, QColor(226, 236, 240));
    p.fillRect(image.rect(), sky);

    // Sun with a soft glow.
    QRadialGradient glow(660, 70, 140);
    glow.setColorAt(0.0, QColor(255, 250, 220, 230));
    glow.setColorAt(0.18, QColor(255, 240, 190, 160));
    glow.setColorAt(1.0, QColor(255, 240, 200, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(660, 70), 140, 140);
    p.setBrush(QColor(255, 246, 200));
    p.drawEllipse(QPointF(660, 70), 30, 30);

    drawCloud(p, 140, 62, 1.0);
    drawCloud(p, 400, 42, 0.7);
    drawCloud(p, 540, 120, 0.55);

    // Far hills, bluish.
    p.setBrush(QColor(120, 150, 170));
    p.drawPath(ridge(W, 190, {{90, 160}, {210, 185}, {330, 150}, {470, 182}, {600, 145}, {720, 175}}, H));
    // Middle hills.
    QLinearGradient mid(0, 170, 0, 260);
    mid.setColorAt(0, QColor(96, 150, 88));
    mid.setColorAt(1, QColor(70, 124, 62));
    p.setBrush(mid);
    p.drawPath(ridge(W, 215, {{120, 190}, {260, 222}, {420, 196}, {560, 226}, {700, 200}}, H));
    // Trees on the middle hills.
    drawTree(p, 58, 212, 34, QColor(50, 110, 50));
    drawTree(p, 82, 214, 26, QColor(60, 120, 55));
    drawTree(p, 742, 206, 36, QColor(48, 104, 48));
    drawTree(p, 770, 210, 28, QColor(58, 118, 52));
    // Near meadow.
    QLinearGradient meadow(0, 220, 0, H);
    meadow.setColorAt(0, QColor(138, 192, 96));
    meadow.setColorAt(1, QColor(178, 216, 128));
    p.setBrush(meadow);
    p.drawPath(ridge(W, 250, {{160, 236}, {380, 252}, {600, 232}}, H));

    // A few flowers in the meadow.
    QRandomGenerator rng(20240517);
    for (int i = 0; i < 70; ++i) {
        const qreal x = rng.bounded(W);
        const qreal y = 262 + rng.bounded(H - 262 - 16);
        if (x > 150 && x < 660)
            continue;  // keep the board's surroundings calm
        static const QColor colours[] = {QColor(255, 255, 255), QColor(250, 220, 60), QColor(230, 90, 110),
                                         QColor(170, 120, 230)};
        p.setBrush(colours[rng.bounded(4)]);
        p.drawEllipse(QPointF(x, y), 2.2, 2.2);
    }

    // The board in perspective.
    const qreal side = 240;
    QPolygonF square;
    square << QPointF(0, 0) << QPointF(side, 0) << QPointF(side, side) << QPointF(0, side);
    QPolygonF quad;
    quad << QPointF(318, 200) << QPointF(480, 200) << QPointF(572, 350) << QPointF(226, 350);
    QTransform perspective;
    if (QTransform::quadToQuad(square, quad, perspective)) {
        // Shadow first.
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 70, 30, 70));
        QPolygonF shadow = quad.translated(10, 8);
        p.drawPolygon(shadow);
        p.restore();
        p.save();
        p.setTransform(perspective);
        drawBoard(p, side, 12);
        p.restore();
    }

    // A soft light strip along the bottom edge for the small address text.
    QLinearGradient strip(0, H - 22, 0, H);
    strip.setColorAt(0, QColor(255, 255, 255, 0));
    strip.setColorAt(1, QColor(255, 255, 255, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(strip);
    p.drawRect(QRectF(0, H - 22, W, 22));

    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

// ---------------------------------------------------------------------------
// Check marks

QImage makeCheck(int size, const QColor &fill, const QColor &edge)
{
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    QPolygonF mark;
    mark << QPointF(1.5 * s, 8.5 * s) << QPointF(4.0 * s, 6.0 * s) << QPointF(6.5 * s, 8.5 * s)
         << QPointF(12.5 * s, 2.0 * s) << QPointF(15.0 * s, 4.5 * s) << QPointF(6.5 * s, 14.0 * s);
    p.setPen(QPen(edge, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient g(0, 0, size, size);
    g.setColorAt(0, fill.lighter(130));
    g.setColorAt(1, fill);
    p.setBrush(g);
    p.drawPolygon(mark);
    p.end();
    return image;
}

// ---------------------------------------------------------------------------
// Stage menu images: drawn with antialiasing on a transparent picture, then
// put on the magenta key colour with a hard edge, so that no blended key
// colour is left round the picture.

const QRgb kKey = qRgb(255, 0, 255);
const QColor kMenuBack(240, 240, 240);

QImage keyed(const QImage &source)
{
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    QImage image(argb.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = in[x];
            const int a = qAlpha(p);
            if (a < 100) {
                out[x] = kKey;
                continue;
            }
            // Blend the edge pixels with the menu background.
            auto mix = [a](int c, int b) { return (c * a + b * (255 - a)) / 255; };
            QRgb c = qRgb(mix(qRed(p), kMenuBack.red()), mix(qGreen(p), kMenuBack.green()),
                          mix(qBlue(p), kMenuBack.blue()));
            if (c == kKey)
                c = qRgb(254, 0, 254);
            out[x] = c;
        }
    }
    // The lower-left pixel carries the key colour.
    image.setPixel(0, image.height() - 1, kKey);
    return image;
}

QImage drawn16(const std::function<void(QPainter &)> &draw)
{
    QImage image = transparentImage(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return image;
}

QImage yinYang()
{
    return drawn16([](QPainter &p) {
        const QPointF c(8, 7.5);
        const qreal r = 6.8;
        QPainterPath disk;
        disk.addEllipse(c, r, r);
        // The dark half: the left half-disk, plus the upper small disk, minus the lower one.
        QPainterPath half;
        half.moveTo(c.x(), c.y() - r);
        half.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 90, 180);
        half.closeSubpath();
        QPainterPath upper, lower;
        upper.addEllipse(QPointF(c.x(), c.y() - r / 2), r / 2, r / 2);
        lower.addEllipse(QPointF(c.x(), c.y() + r / 2), r / 2, r / 2);
        QPainterPath dark = half.subtracted(upper).united(lower);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawPath(disk);
        p.setBrush(QColor(20, 20, 20));
        p.drawPath(dark);
        // Dots.
        p.setBrush(QColor(20, 20, 20));
        p.drawEllipse(QPointF(c.x(), c.y() - r / 2), 1.3, 1.3);
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QPointF(c.x(), c.y() + r / 2), 1.3, 1.3);
        // Rim.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(20, 20, 20), 1.0));
        p.drawEllipse(c, r, r);
    });
}

QImage page()
{
    return drawn16([](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        QPolygon sheet;
        sheet << QPoint(2, 0) << QPoint(10, 0) << QPoint(13, 3) << QPoint(13, 14) << QPoint(2, 14);
        p.setPen(QColor(70, 70, 90));
        p.setBrush(QColor(255, 255, 255));
        p.drawPolygon(sheet);
        // Folded corner.
        QPolygon fold;
        fold << QPoint(10, 0) << QPoint(10, 3) << QPoint(13, 3);
        p.setBrush(QColor(200, 200, 215));
        p.drawPolygon(fold);
        // Lines of text.
        p.setPen(QColor(40, 70, 170));
        const int lengths[] = {5, 7, 8, 6, 8};
        for (int i = 0; i < 5; ++i)
            p.drawLine(4, 3 + 2 * i, 3 + lengths[i], 3 + 2 * i);
    });
}

QImage triangle(const QColor &colour)
{
    return drawn16([colour](QPainter &p) {
        QPolygonF t;
        t << QPointF(3.5, 1.5) << QPointF(14, 7.5) << QPointF(3.5, 13.5);
        QLinearGradient g(0, 0, 0, 16);
        g.setColorAt(0, colour.lighter(140));
        g.setColorAt(1, colour.darker(110));
        p.setPen(QPen(colour.darker(170), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(g);
        p.drawPolygon(t);
    });
}

QImage letterA()
{
    return drawn16([](QPainter &p) {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(16);
        font.setBold(true);
        QPainterPath a;
        a.addText(0, 0, font, QStringLiteral("A"));
        const QRectF box = a.boundingRect();
        a.translate(0.5 - box.left(), 14.5 - box.bottom());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 40, 150));
        p.drawPath(a);
        // The dot.
        p.setBrush(QColor(220, 30, 30));
        p.drawEllipse(QPointF(13.4, 12.9), 2.1, 2.1);
    });
}

QImage questionSquare()
{
    return drawn16([](QPainter &p) {
        QLinearGradient g(0, 0, 0, 16);
        g.setColorAt(0, QColor(80, 140, 240));
        g.setColorAt(1, QColor(20, 60, 180));
        p.setPen(QPen(QColor(10, 30, 110), 1.0));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 14), 2.5, 2.5);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(14);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(255, 255, 255));
        p.drawText(QRectF(0, 0, 16, 15.5), Qt::AlignCenter, QStringLiteral("?"));
    });
}

// ---------------------------------------------------------------------------
// Tool bar images

QImage triangles(int count)
{
    QImage image = transparentImage(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour(30, 170, 40);
    const qreal width = count == 1 ? 10.0 : count == 2 ? 7.5 : 5.0;
    const qreal step = count == 1 ? 0.0 : (16.0 - 1.0 - width) / (count - 1);
    const qreal first = count == 1 ? 3.0 : 0.5;
    QLinearGradient g(0, 1, 0, 15);
    g.setColorAt(0, colour.lighter(145));
    g.setColorAt(1, colour.darker(110));
    p.setPen(QPen(colour.darker(180), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    for (int i = 0; i < count; ++i) {
        const qreal x = first + i * step;
        QPolygonF t;
        t << QPointF(x, 2) << QPointF(x + width, 8) << QPointF(x, 14);
        p.drawPolygon(t);
    }
    p.end();
    return image;
}

QImage stopSign()
{
    QImage image = transparentImage(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF octagon;
    const QPointF c(8, 8);
    for (int i = 0; i < 8; ++i) {
        const qreal angle = qDegreesToRadians(22.5 + 45.0 * i);
        octagon << QPointF(c.x() + 7.4 * qCos(angle), c.y() + 7.4 * qSin(angle));
    }
    p.setPen(QPen(QColor(120, 0, 0), 1.0));
    QRadialGradient g(6, 5, 10);
    g.setColorAt(0, QColor(255, 90, 80));
    g.setColorAt(1, QColor(190, 10, 10));
    p.setBrush(g);
    p.drawPolygon(octagon);
    // A white bar across the middle.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRectF(3.5, 6.8, 9, 2.6));
    p.end();
    return image;
}

// ---------------------------------------------------------------------------
// Window icon: a small field with a trace and the red pointer. It is drawn on
// a 32-unit grid and scaled to the size asked for; at 32 it is the window
// icon. Below 32 the lines keep at least the width they have at 32, so that
// the 16-pixel menu icon still shows the trace.

QImage icon(int size = 32)
{
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal k = size / 32.0;
    p.scale(k, k);
    auto width = [k](qreal w) { return k < 1 ? w / k * 0.75 : w; };
    p.setPen(QPen(QColor(40, 60, 110), width(1.5)));
    p.setBrush(QColor(252, 250, 240));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 3, 3);
    p.setPen(QPen(QColor(160, 180, 210), width(1.0)));
    for (int i = 1; i < 4; ++i) {
        p.drawLine(QPointF(1.5 + i * 29.0 / 4, 2.5), QPointF(1.5 + i * 29.0 / 4, 29.5));
        p.drawLine(QPointF(2.5, 1.5 + i * 29.0 / 4), QPointF(29.5, 1.5 + i * 29.0 / 4));
    }
    auto centre = [](int x, int y) { return QPointF(1.5 + (x + 0.5) * 29.0 / 4, 1.5 + (y + 0.5) * 29.0 / 4); };
    p.setPen(QPen(QColor(110, 110, 110), width(2.5), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF path;
    path << centre(0, 3) << centre(0, 1) << centre(2, 1);
    p.drawPolyline(path);
    const QPointF c = centre(2, 1);
    QPolygonF arrow;
    arrow << QPointF(c.x() + 5.5, c.y()) << QPointF(c.x() - 4, c.y() - 4.5) << QPointF(c.x() - 1.5, c.y())
          << QPointF(c.x() - 4, c.y() + 4.5);
    p.setPen(QPen(QColor(110, 0, 0), width(1.0)));
    p.setBrush(QColor(225, 25, 25));
    p.drawPolygon(arrow);
    p.end();
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    g_outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/images");
    if (!QDir().mkpath(g_outDir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(g_outDir));
        return 1;
    }

    bool ok = save(makeBanner(), QStringLiteral("banner.png"));

    const QImage red = makeCheck(16, QColor(210, 20, 20), QColor(120, 0, 0));
    ok = save(red, QStringLiteral("check_red.png")) && ok;
    ok = save(greyVersion(red), QStringLiteral("check_red_disabled.png")) && ok;
    const QImage green = makeCheck(18, QColor(20, 160, 40), QColor(0, 90, 10));
    ok = save(green, QStringLiteral("check_green.png")) && ok;
    ok = save(greyVersion(green), QStringLiteral("check_green_disabled.png")) && ok;

    const QImage stages[] = {yinYang(), page(), triangle(QColor(30, 170, 40)), letterA(), questionSquare()};
    for (int i = 0; i < 5; ++i) {
        ok = save(keyed(stages[i]), QStringLiteral("stage%1.png").arg(2 * i)) && ok;
        ok = save(keyed(greyVersion(stages[i])), QStringLiteral("stage%1.png").arg(2 * i + 1)) && ok;
    }

    ok = save(triangles(1), QStringLiteral("tool0.png")) && ok;
    ok = save(triangles(2), QStringLiteral("tool1.png")) && ok;
    ok = save(triangles(3), QStringLiteral("tool2.png")) && ok;
    ok = save(stopSign(), QStringLiteral("tool3.png")) && ok;

    ok = save(icon(), QStringLiteral("icon.png")) && ok;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        ok = save(icon(size), QStringLiteral("appicon%1.png").arg(size)) && ok;
    return ok ? 0 : 1;
}
