// Draws Halvorn's pictures: the interface art under qml/images and the catalogue icons under
// qml/images/icons (every icon the built catalogue names), so that a change of palette or stroke
// is one edit. `make art` rebuilds them.
// Every picture is drawn twice, at 1x and as a "@2x" twin at twice the pixels, which Qt picks by
// itself on a screen scaled by 2: the drawing code works in 1x units and the painter scales it.
// The loading animation is written as numbered frames for ImageMagick to join into a GIF.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QFileInfo>
#include <QHash>
#include <QPainterPath>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

namespace Palette {
const QColor window("#555555");
const QColor page("#686663");
const QColor raised("#76736f");
const QColor deep("#3c3b3a");
const QColor line("#4a4948");
const QColor title("#fdfdfd");
const QColor fact("#dddddd");
const QColor muted("#b4b2ae");
const QColor accent("#f0a030");
const QColor accentDark("#c98220");
const QColor danger("#e04848");
const QColor cancel("#b5504a");
const QColor videoFamily("#4f7fb0");
const QColor audioFamily("#5f9a6a");
const QColor discFamily("#8a6ab0");
const QColor fitFamily("#3f8a86");
} // namespace Palette

const QString fontFamily = QStringLiteral("DejaVu Sans");
constexpr qreal stroke = 2.0;

// The scale that canvas() draws at: 1, or 2 for the "@2x" twins.
int drawingScale = 1;

QImage canvas(int width, int height)
{
    QImage image(width * drawingScale, height * drawingScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(drawingScale);
    image.fill(Qt::transparent);
    return image;
}

// Saves as name.png, or name@2x.png for a twin; the twins, four times the pixels, are compressed
// as far as PNG goes.
bool savePicture(const QImage& image, const QString& name)
{
    if (drawingScale == 1)
        return image.save(name + QStringLiteral(".png"));
    return image.save(name + QStringLiteral("@%1x.png").arg(drawingScale), "PNG", 0);
}

struct Painter : QPainter {
    explicit Painter(QImage* image)
        : QPainter(image)
    {
        setRenderHint(QPainter::Antialiasing);
        setRenderHint(QPainter::TextAntialiasing);
    }
    void pen(const QColor& color, qreal width = stroke)
    {
        setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        setBrush(Qt::NoBrush);
    }
    void fill(const QColor& color)
    {
        setPen(Qt::NoPen);
        setBrush(color);
    }
    void text(const QRectF& box, const QString& words, const QColor& color, int pixelSize, bool bold = false,
              int flags = Qt::AlignCenter)
    {
        QFont font(fontFamily);
        font.setPixelSize(pixelSize);
        font.setBold(bold);
        setFont(font);
        setPen(color);
        drawText(box, flags, words);
    }
};

// A flat raised surface: a faint shadow below and a one-pixel highlight along its top edge.
void raisedTile(Painter& p, const QRectF& box, const QColor& color, qreal radius = 4)
{
    p.fill(QColor(0, 0, 0, 60));
    p.drawRoundedRect(box.translated(0, 1), radius, radius);
    p.fill(color.lighter(118));
    p.drawRoundedRect(box, radius, radius);
    p.fill(color);
    p.drawRoundedRect(box.adjusted(0, 1, 0, 0), radius, radius);
}

// ---- glyphs, drawn into a square of side s at (x, y) -------------------------------------------

void glyphPlus(Painter& p, QPointF c, qreal r, const QColor& color)
{
    p.pen(color, 2.5);
    p.drawEllipse(c, r, r);
    p.drawLine(QPointF(c.x() - r * 0.5, c.y()), QPointF(c.x() + r * 0.5, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - r * 0.5), QPointF(c.x(), c.y() + r * 0.5));
}

void glyphSliders(Painter& p, QPointF c, qreal r, const QColor& color)
{
    p.pen(color, 2.5);
    const qreal knobs[] = {-0.4, 0.35, -0.1};
    for (int i = 0; i < 3; ++i) {
        const qreal y = c.y() + (i - 1) * r * 0.7;
        p.drawLine(QPointF(c.x() - r, y), QPointF(c.x() + r, y));
        p.fill(color);
        p.drawEllipse(QPointF(c.x() + knobs[i] * r * 2, y), 3.5, 3.5);
        p.pen(color, 2.5);
    }
}

void glyphConvert(Painter& p, QPointF c, qreal r, const QColor& color)
{
    p.pen(color, 2.5);
    const QRectF ring(c.x() - r, c.y() - r, 2 * r, 2 * r);
    p.drawArc(ring, 30 * 16, 150 * 16);
    p.drawArc(ring, 210 * 16, 150 * 16);
    p.fill(color);
    QPolygonF head1{{c.x() + r * 0.55, c.y() - r * 0.95}, {c.x() + r * 1.25, c.y() - r * 0.55},
                    {c.x() + r * 0.6, c.y() - r * 0.05}};
    QPolygonF head2{{c.x() - r * 0.55, c.y() + r * 0.95}, {c.x() - r * 1.25, c.y() + r * 0.55},
                    {c.x() - r * 0.6, c.y() + r * 0.05}};
    p.drawPolygon(head1);
    p.drawPolygon(head2);
}

void glyphNote(Painter& p, QRectF box, const QColor& color, qreal width = stroke)
{
    const qreal w = box.width();
    p.pen(color, width);
    const QPointF stemTop(box.left() + w * 0.62, box.top() + w * 0.1);
    const QPointF stemBottom(box.left() + w * 0.62, box.top() + w * 0.72);
    p.drawLine(stemTop, stemBottom);
    p.drawLine(stemTop, QPointF(box.left() + w * 0.9, box.top() + w * 0.28));
    p.fill(color);
    p.drawEllipse(QPointF(box.left() + w * 0.45, box.top() + w * 0.76), w * 0.2, w * 0.16);
}

void glyphFilm(Painter& p, QRectF box, const QColor& color, qreal width = stroke)
{
    p.pen(color, width);
    const QRectF body = box.adjusted(box.width() * 0.08, box.height() * 0.22, -box.width() * 0.3, -box.height() * 0.22);
    p.drawRoundedRect(body, 2, 2);
    QPolygonF lens{{body.right() + box.width() * 0.04, body.center().y()},
                   {box.right() - box.width() * 0.06, body.top() + body.height() * 0.1},
                   {box.right() - box.width() * 0.06, body.bottom() - body.height() * 0.1}};
    p.drawPolygon(lens);
}

void glyphClock(Painter& p, QRectF box, const QColor& color)
{
    p.pen(color, 1.6);
    const QPointF c = box.center();
    const qreal r = box.width() * 0.42;
    p.drawEllipse(c, r, r);
    p.drawLine(c, QPointF(c.x(), c.y() - r * 0.65));
    p.drawLine(c, QPointF(c.x() + r * 0.5, c.y()));
}

void glyphCross(Painter& p, QRectF box, const QColor& color, qreal width = stroke)
{
    p.pen(color, width);
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
}

void glyphTick(Painter& p, QRectF box, const QColor& color, qreal width)
{
    p.pen(color, width);
    QPainterPath tick;
    tick.moveTo(box.left(), box.top() + box.height() * 0.55);
    tick.lineTo(box.left() + box.width() * 0.38, box.bottom());
    tick.lineTo(box.right(), box.top());
    p.drawPath(tick);
}

void glyphChevron(Painter& p, QPointF c, qreal r, bool right, const QColor& color, qreal width = 2.5)
{
    p.pen(color, width);
    const qreal d = right ? 1 : -1;
    QPainterPath path;
    path.moveTo(c.x() - d * r * 0.4, c.y() - r);
    path.lineTo(c.x() + d * r * 0.5, c.y());
    path.lineTo(c.x() - d * r * 0.4, c.y() + r);
    p.drawPath(path);
}

void glyphDisc(Painter& p, QPointF c, qreal r, const QColor& color, const QColor& ring)
{
    QRadialGradient shine(c, r);
    shine.setColorAt(0, color.lighter(125));
    shine.setColorAt(1, color);
    p.setPen(QPen(ring, 1.5));
    p.setBrush(shine);
    p.drawEllipse(c, r, r);
    p.fill(Palette::deep);
    p.drawEllipse(c, r * 0.18, r * 0.18);
    p.pen(ring, 1.2);
    p.drawEllipse(c, r * 0.32, r * 0.32);
}

// ---- the interface art -------------------------------------------------------------------------

using Drawing = std::function<QImage()>;

// The words of the tab headers and buttons are the pages' own, drawn over these pictures in the
// user's language.
QImage tabHeader(bool selected)
{
    QImage image = canvas(120, 60);
    Painter p(&image);
    raisedTile(p, QRectF(1, 2, 118, 57), selected ? Palette::page : QColor("#5e5c5a"));
    if (selected) {
        p.fill(Palette::accent);
        p.drawRoundedRect(QRectF(14, 53, 92, 3), 1.5, 1.5);
    }
    return image;
}

// A tab's own sign, beside its word on the header.
QImage tabGlyph(void (*glyph)(Painter&, QPointF, qreal, const QColor&), bool selected)
{
    QImage image = canvas(28, 28);
    Painter p(&image);
    glyph(p, QPointF(14, 14), 10, selected ? Palette::accent : Palette::muted);
    return image;
}

QImage windowButton(int kind)
{
    QImage image = canvas(22, 20);
    Painter p(&image);
    p.pen(Palette::fact, stroke);
    switch (kind) {
    case 0: p.drawLine(QPointF(6, 14), QPointF(16, 14)); break;
    case 1: p.drawRect(QRectF(6, 5, 10, 10)); break;
    case 2:
        p.drawRect(QRectF(5, 8, 8, 8));
        p.drawPolyline(QPolygonF{{9, 5}, {17, 5}, {17, 13}});
        break;
    default: glyphCross(p, QRectF(6, 5, 10, 10), Palette::fact); break;
    }
    return image;
}

QImage dragDrop()
{
    QImage image = canvas(300, 220);
    Painter p(&image);
    QPen dashed(QColor("#8a8886"), 2, Qt::DashLine, Qt::RoundCap);
    dashed.setDashPattern({4, 4});
    p.setPen(dashed);
    p.setBrush(QColor(255, 255, 255, 8));
    p.drawRoundedRect(QRectF(2, 2, 296, 216), 12, 12);
    // A tray with an arrow dropping into it.
    p.pen(Palette::accent, 3);
    p.drawLine(QPointF(150, 38), QPointF(150, 92));
    p.drawPolyline(QPolygonF{{132, 76}, {150, 94}, {168, 76}});
    p.pen(Palette::muted, 3);
    p.drawPolyline(QPolygonF{{112, 88}, {112, 110}, {188, 110}, {188, 88}});
    return image;
}

QImage loadingFrame(int frame, int frames)
{
    QImage image = canvas(32, 32);
    Painter p(&image);
    for (int i = 0; i < 12; ++i) {
        const qreal angle = (i * 30 - 90) * M_PI / 180;
        const int age = (frame * 12 / frames - i + 12) % 12;
        QColor dot = Palette::accent;
        dot.setAlphaF(float(std::max(0.15, 1.0 - age * 0.09)));
        p.fill(dot);
        p.drawEllipse(QPointF(16 + 11 * std::cos(angle), 16 + 11 * std::sin(angle)), 2.4, 2.4);
    }
    return image;
}

QImage fileBreak()
{
    QImage image = canvas(360, 2);
    Painter p(&image);
    QLinearGradient dark(0, 0, 360, 0), light(0, 0, 360, 0);
    for (auto* g : {&dark, &light}) {
        const QColor base = g == &dark ? QColor("#444342") : QColor("#666461");
        QColor clear = base;
        clear.setAlpha(0);
        g->setColorAt(0, clear);
        g->setColorAt(0.12, base);
        g->setColorAt(0.88, base);
        g->setColorAt(1, clear);
    }
    p.fillRect(QRectF(0, 0, 360, 1), dark);
    p.fillRect(QRectF(0, 1, 360, 1), light);
    return image;
}

QImage fileImage()
{
    QImage image = canvas(96, 74);
    Painter p(&image);
    p.fill(QColor(0, 0, 0, 70));
    p.drawRoundedRect(QRectF(0, 1, 96, 73), 4, 4);
    p.fill(Palette::deep);
    p.setPen(QPen(QColor("#7a7875"), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, 95, 72), 4, 4);
    return image;
}

QImage smallGlyph(int kind)
{
    QImage image = canvas(14, 14);
    Painter p(&image);
    const QRectF box(0, 0, 14, 14);
    if (kind == 0)
        glyphClock(p, box, Palette::fact);
    else if (kind == 1)
        glyphFilm(p, box, Palette::fact, 1.6);
    else
        glyphNote(p, box.adjusted(0, 0, 0, 0), Palette::fact, 1.6);
    return image;
}

QImage completed()
{
    QImage image = canvas(24, 24);
    Painter p(&image);
    p.fill(Palette::accent);
    p.drawEllipse(QRectF(1, 1, 22, 22));
    glyphTick(p, QRectF(7, 8, 10, 8), Palette::deep, 2.4);
    return image;
}

QImage warningSign()
{
    QImage image = canvas(24, 24);
    Painter p(&image);
    QPainterPath triangle;
    triangle.moveTo(12, 2);
    triangle.lineTo(23, 21.5);
    triangle.lineTo(1, 21.5);
    triangle.closeSubpath();
    p.setPen(QPen(Palette::danger, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Palette::danger);
    p.drawPath(triangle);
    p.pen(Palette::title, 2.4);
    p.drawLine(QPointF(12, 9), QPointF(12, 14));
    p.fill(Palette::title);
    p.drawEllipse(QPointF(12, 18), 1.4, 1.4);
    return image;
}

QImage removeButton()
{
    QImage image = canvas(16, 16);
    Painter p(&image);
    p.fill(QColor(0, 0, 0, 50));
    p.drawEllipse(QRectF(0, 0, 16, 16));
    glyphCross(p, QRectF(5, 5, 6, 6), Palette::fact, 1.8);
    return image;
}

QImage fade(bool top)
{
    QImage image = canvas(8, 20);
    Painter p(&image);
    QLinearGradient gradient(0, 0, 0, 20);
    QColor solid = Palette::window, clear = Palette::window;
    clear.setAlpha(0);
    gradient.setColorAt(0, top ? solid : clear);
    gradient.setColorAt(1, top ? clear : solid);
    p.fillRect(QRectF(0, 0, 8, 20), gradient);
    return image;
}

QImage placeholder(int kind)
{
    QImage image = canvas(88, 66);
    Painter p(&image);
    QLinearGradient back(0, 0, 0, 66);
    back.setColorAt(0, QColor("#4a4947"));
    back.setColorAt(1, QColor("#3a3938"));
    p.fillRect(QRectF(0, 0, 88, 66), back);
    // The words under the sound and no-preview signs are the list row's own.
    if (kind == 0) {
        glyphNote(p, QRectF(29, 12, 30, 30), Palette::muted, 3);
    } else if (kind == 1) {
        glyphFilm(p, QRectF(27, 10, 34, 34), Palette::muted, 2.5);
    } else {
        glyphDisc(p, QPointF(44, 30), 20, QColor("#9a9896"), Palette::deep);
        p.fill(Palette::accent);
        QPainterPath flame;
        flame.moveTo(62, 58);
        flame.cubicTo(52, 56, 54, 46, 60, 40);
        flame.cubicTo(60, 46, 64, 46, 64, 42);
        flame.cubicTo(70, 48, 70, 58, 62, 58);
        p.drawPath(flame);
    }
    return image;
}

QImage arrow(bool right)
{
    QImage image = canvas(24, 24);
    Painter p(&image);
    p.fill(QColor(0, 0, 0, 60));
    p.drawEllipse(QRectF(1, 1, 22, 22));
    glyphChevron(p, QPointF(12, 12), 5, right, Palette::title);
    return image;
}

QImage stepButton(bool next, bool pressed)
{
    QImage image = canvas(90, 32);
    Painter p(&image);
    QColor face = pressed ? QColor("#5b5956") : Palette::raised;
    raisedTile(p, QRectF(0, 0, 90, 31), face);
    glyphChevron(p, QPointF(next ? 74 : 16, 15.5), 5, next, Palette::accent);
    return image;
}

QImage bigButton(bool convert, bool pressed)
{
    QImage image = canvas(150, 55);
    Painter p(&image);
    QColor face = convert ? Palette::accent : Palette::cancel;
    if (pressed)
        face = face.darker(125);
    raisedTile(p, QRectF(1, 1, 148, 52), face);
    return image;
}

QImage iconBack(bool selected)
{
    QImage image = canvas(92, 92);
    Painter p(&image);
    if (selected) {
        p.setPen(QPen(Palette::accent, 2));
        p.setBrush(QColor(240, 160, 48, 45));
        p.drawRoundedRect(QRectF(4, 4, 84, 84), 4, 4);
    } else {
        p.fill(QColor(255, 255, 255, 14));
        p.drawRoundedRect(QRectF(4, 4, 84, 84), 4, 4);
    }
    return image;
}

QImage scrollSlider()
{
    QImage image = canvas(32, 252);
    Painter p(&image);
    p.fill(QColor("#d8d6d2"));
    p.drawRoundedRect(QRectF(11, 2, 10, 248), 5, 5);
    return image;
}

QImage tickMark()
{
    QImage image = canvas(12, 12);
    Painter p(&image);
    glyphTick(p, QRectF(1.5, 2, 9, 7.5), Palette::accent, 2.2);
    return image;
}

// ---- catalogue icons (70 x 70) ----------------------------------------------------------------

QColor familyColour(const QString& family)
{
    if (family == QLatin1String("audio"))
        return Palette::audioFamily;
    if (family == QLatin1String("disc"))
        return Palette::discFamily;
    if (family == QLatin1String("fit"))
        return Palette::fitFamily;
    return Palette::videoFamily;
}

void formatTile(Painter& p, const QString& name, const QColor& colour, const QRectF& box)
{
    raisedTile(p, box, colour, 6);
    int size = name.size() <= 3 ? 20 : name.size() <= 4 ? 17 : 13;
    p.text(box.adjusted(2, 0, -2, 0), name.toUpper(), Palette::title, size, true);
}

// Fit to size: its name over a file that fills the space between two bounds, as far as it may.
void fitTile(Painter& p, const QString& name, const QRectF& box)
{
    raisedTile(p, box, Palette::fitFamily, 6);
    p.text(QRectF(box.left(), box.top() + 4, box.width(), 20), name.toUpper(), Palette::title, 17, true);
    const qreal top = box.top() + 28;
    const qreal bottom = box.bottom() - 7;
    p.pen(Palette::title);
    p.drawLine(QPointF(box.left() + 10, top), QPointF(box.left() + 10, bottom));
    p.drawLine(QPointF(box.right() - 10, top), QPointF(box.right() - 10, bottom));
    p.fill(Palette::fact);
    p.drawRoundedRect(QRectF(box.left() + 15, top + 3, box.width() - 30, bottom - top - 6), 2, 2);
}

QImage formatIcon(const QString& family, const QString& name)
{
    QImage image = canvas(70, 70);
    Painter p(&image);
    if (family == QLatin1String("fit"))
        fitTile(p, name, QRectF(7, 9, 56, 52));
    else
        formatTile(p, name, familyColour(family), QRectF(7, 9, 56, 52));
    return image;
}

QImage presetIcon(const QString& family, const QString& name, const QString& badge)
{
    QImage image = canvas(70, 70);
    Painter p(&image);
    formatTile(p, name, familyColour(family), QRectF(7, 4, 56, 44));
    QFont font(fontFamily);
    font.setPixelSize(12);
    font.setBold(true);
    const qreal width = std::max(30, QFontMetrics(font).horizontalAdvance(badge) + 12);
    const QRectF pill(35 - width / 2, 44, width, 20);
    p.fill(Palette::accent);
    p.drawRoundedRect(pill, 10, 10);
    p.text(pill, badge, Palette::deep, 12, true);
    return image;
}

// The model's name inside the outline, word-wrapped at the largest of a few small sizes: across the
// screen, or upwards on a tall one. When the whole name fits neither way, the words at its end or
// at its start do ("Galaxy Note 3" becomes "Note 3", "5800 XpressMusic" becomes "5800"); a word
// too long for all of these is set smaller and broken where it must.
void modelLabel(Painter& p, const QRectF& box, const QString& model, const QColor& color)
{
    const QStringList words = model.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList parts;
    for (qsizetype n = words.size() - 1; n > 0; --n)
        parts << words.mid(words.size() - n).join(QLatin1Char(' '));
    for (qsizetype n = words.size() - 1; n > 0; --n)
        parts << words.mid(0, n).join(QLatin1Char(' '));
    const bool tall = box.height() > box.width();
    QList<QPair<QString, bool>> tries{{words.join(QLatin1Char(' ')), false}}; // text, upwards
    if (tall)
        tries.append({words.join(QLatin1Char(' ')), true});
    for (const bool upwards : {false, true})
        for (const QString& part : parts)
            if (!upwards || tall)
                tries.append({part, upwards});

    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setBold(true);
    p.setPen(color);
    for (const auto& [text, upwards] : tries) {
        const QRectF area = upwards ? QRectF(0, 0, box.height(), box.width()) : box;
        for (int size = 10; size >= 7; --size) {
            font.setPixelSize(size);
            const QRectF needed = QFontMetricsF(font).boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, text);
            if (needed.width() > area.width() + 0.5 || needed.height() > area.height() + 0.5)
                continue;
            p.save();
            p.setFont(font);
            if (upwards) {
                p.translate(box.center());
                p.rotate(-90);
                p.translate(-area.center());
            }
            p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text);
            p.restore();
            return;
        }
    }
    font.setPixelSize(6);
    p.save();
    p.setFont(font);
    p.translate(box.center());
    if (tall)
        p.rotate(-90);
    const QSizeF size = tall ? box.size().transposed() : box.size();
    p.drawText(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size), Qt::AlignCenter | Qt::TextWrapAnywhere, model);
    p.restore();
}

// A device by its kind, drawn in the proportions of its screen (long side over short), with its
// model's name inside the outline and its maker's beneath, so that one maker's devices differ.
QImage deviceIcon(const QString& kind, const QString& maker, const QString& model, qreal aspect)
{
    QImage image = canvas(70, 70);
    Painter p(&image);
    const QColor body("#d9d7d3");
    const QColor screen("#3c4a5a");
    const QColor detail("#8d8b87");
    QRectF label; // where the model's name goes
    bool onLight = false;
    if (kind == QLatin1String("web")) {
        // A globe: a circle with its meridians and parallels.
        p.pen(body, 3);
        p.drawEllipse(QPointF(35, 28), 22, 22);
        p.drawEllipse(QRectF(25, 6, 20, 44));
        p.drawLine(QPointF(13, 28), QPointF(57, 28));
        p.drawLine(QPointF(17, 17), QPointF(53, 17));
        p.drawLine(QPointF(17, 39), QPointF(53, 39));
    } else if (kind == QLatin1String("tablet") || kind == QLatin1String("ereader")) {
        // Landscape, so that a tablet is never mistaken for a phone.
        const qreal w = 54, h = std::round(w / aspect);
        const QRectF glass(8, 27 - h / 2, w, h);
        p.fill(body);
        p.drawRoundedRect(glass.adjusted(-4, -4, 4, 4), 5, 5);
        onLight = kind == QLatin1String("ereader");
        p.fill(onLight ? QColor("#b9bbb4") : screen);
        p.drawRoundedRect(glass, 2, 2);
        label = glass.adjusted(2, 1, -2, -1);
    } else if (kind == QLatin1String("player") && aspect < 1.4) {
        // A small screen above a wheel.
        const QRectF glass(23, 6, 24, std::round(24 / aspect));
        p.fill(body);
        p.drawRoundedRect(QRectF(20, 2, 30, 51), 5, 5);
        p.fill(screen);
        p.drawRoundedRect(glass, 2, 2);
        p.pen(detail, 3);
        p.drawEllipse(QPointF(35, glass.bottom() + 14), 8, 8);
        label = glass.adjusted(1, 1, -1, -1);
    } else if (kind == QLatin1String("console") || kind == QLatin1String("box")) {
        const QRectF front = kind == QLatin1String("console") ? QRectF(6, 14, 58, 28) : QRectF(9, 18, 52, 20);
        p.fill(body);
        p.drawRoundedRect(front, 5, 5);
        p.fill(Palette::accent);
        p.drawEllipse(QPointF(front.right() - 4, front.top() + 4), 1.8, 1.8);
        onLight = true;
        label = front.adjusted(4, 2, -6, -2);
    } else if (kind == QLatin1String("handheld")) {
        const qreal h = 24, w = std::min(38.0, std::round(h * aspect));
        const QRectF glass(35 - w / 2, 16, w, h);
        p.fill(body);
        p.drawRoundedRect(QRectF(glass.left() - 14, 12, w + 28, 32), 10, 10);
        p.fill(screen);
        p.drawRoundedRect(glass, 2, 2);
        p.fill(detail);
        p.drawEllipse(QPointF(glass.left() - 7, 28), 4, 4);
        p.drawEllipse(QPointF(glass.right() + 7, 28), 4, 4);
        label = glass.adjusted(1, 1, -1, -1);
    } else if (kind == QLatin1String("tv")) {
        const qreal w = 58, h = std::round(w / aspect);
        const QRectF glass(6, 8, w, h);
        p.fill(body);
        p.drawRoundedRect(glass.adjusted(-3, -3, 3, 3), 3, 3);
        p.fill(screen);
        p.drawRect(glass);
        p.fill(body);
        p.drawRect(QRectF(31, glass.bottom() + 3, 8, 4));
        p.drawRoundedRect(QRectF(22, glass.bottom() + 6, 26, 3), 1.5, 1.5);
        label = glass.adjusted(2, 2, -2, -2);
    } else {
        // A phone (or a player with a touch screen): portrait, as wide as its screen's proportion.
        const qreal h = 40, w = std::round(h / aspect);
        const QRectF glass(35 - w / 2, 6, w, h);
        p.fill(body);
        p.drawRoundedRect(glass.adjusted(-3, -4, 3, 6), 5, 5);
        p.fill(screen);
        p.drawRoundedRect(glass, 1.5, 1.5);
        p.fill(detail);
        p.drawEllipse(QPointF(35, glass.bottom() + 3), 1.6, 1.6);
        label = glass.adjusted(1, 1, -1, -1);
    }
    if (!label.isEmpty())
        modelLabel(p, label, model, onLight ? Palette::deep : Palette::title);
    // The maker beneath, small enough to stay inside the picture.
    QFont font(fontFamily);
    font.setBold(true);
    int size = 10;
    for (font.setPixelSize(size); size > 6 && QFontMetricsF(font).horizontalAdvance(maker) > 66; font.setPixelSize(--size)) {
    }
    p.setFont(font);
    p.setPen(Palette::fact);
    p.drawText(QRectF(2, 56, 66, 13), Qt::AlignCenter, maker);
    return image;
}

// The model part of a device's label: its maker's name left out ("Samsung Smart TV" is "Smart TV").
QString modelName(const QString& label, const QString& maker)
{
    QStringList words = label.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    words.removeIf([&maker](const QString& word) { return word.compare(maker, Qt::CaseInsensitive) == 0; });
    return words.isEmpty() ? label : words.join(QLatin1Char(' '));
}

// Long side over short side of the "WxH" at the start of a preset's description; 16:9 when none.
qreal screenAspect(const QString& description)
{
    const QStringList size = description.section(QLatin1Char(','), 0, 0).split(QLatin1Char('x'));
    const qreal w = size.value(0).toDouble(), h = size.value(1).toDouble();
    return w > 0 && h > 0 ? std::max(w, h) / std::min(w, h) : 16.0 / 9.0;
}

QImage pageIcon(const QString& name)
{
    QImage image = canvas(70, 70);
    Painter p(&image);
    if (name == QLatin1String("settings")) {
        p.pen(Palette::fact, 5);
        p.drawEllipse(QPointF(35, 33), 13, 13);
        for (int i = 0; i < 8; ++i) {
            const qreal a = i * M_PI / 4;
            p.drawLine(QPointF(35 + 15 * std::cos(a), 33 + 15 * std::sin(a)),
                       QPointF(35 + 21 * std::cos(a), 33 + 21 * std::sin(a)));
        }
        p.fill(Palette::accent);
        p.drawEllipse(QPointF(35, 33), 5, 5);
    } else {
        // A plain disc; the DVD entry has an arrow to say the disc goes in. The label is beneath.
        const bool dvd = name != QLatin1String("cd");
        glyphDisc(p, QPointF(dvd ? 31 : 35, 35), 27, QColor("#c9c7c3"), QColor("#8d8b87"));
        if (dvd) {
            p.pen(Palette::accent, 3.5);
            p.drawLine(QPointF(60, 14), QPointF(60, 44));
            p.drawPolyline(QPolygonF{{52, 36}, {60, 45}, {68, 36}});
        }
    }
    return image;
}

// ---- the catalogue's icons --------------------------------------------------------------------

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The badge of a preset icon comes from its name: "mp4-720p" shows 720p, "mp3-128" 128k.
QString badgeFor(const QString& quality)
{
    static const QHash<QString, QString> words = {
        {"tv", "TV"}, {"pal", "PAL"}, {"ntsc", "NTSC"}, {"low", "Low"}, {"cd", "CD"},
        {"24bit", "24-bit"}, {"lossless", "Lossless"}, {"wav", "WAV"},
    };
    bool number = false;
    quality.toInt(&number);
    if (number)
        return quality + QLatin1Char('k');
    if (quality.endsWith(QLatin1String("mb")))
        return quality.chopped(2) + QStringLiteral(" MB");
    if (words.contains(quality))
        return words.value(quality);
    return quality.left(1).toUpper() + quality.mid(1);
}

QString stemOf(const QString& iconPath)
{
    return QFileInfo(iconPath).completeBaseName();
}

// Draws every icon the catalogue names: devices and formats by their look ("kind:Maker",
// "family:TEXT"), presets as their format's tile with a badge, the add entries by their kind.
bool drawCatalogueIcons(const QString& cataloguePath, const QDir& icons)
{
    QSqlDatabase db = QSqlDatabase::contains() ? QSqlDatabase::database() : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(cataloguePath);
    if (!QFileInfo(cataloguePath).isFile() || !db.open())
        return false;
    bool ok = true;
    const auto save = [&](const QImage& image, const QString& iconPath) {
        ok = savePicture(image, icons.filePath(stemOf(iconPath))) && ok;
    };

    QHash<QString, QStringList> formatLooks; // icon stem -> family, tile text
    QSqlQuery query(db);
    // A device's screen proportion comes from the frame size of its first preset.
    query.exec(QStringLiteral("SELECT icon, device, look, label, (SELECT description FROM tbl_OutputCategories o"
                              " WHERE o.format = f.id ORDER BY o.default_pos LIMIT 1) FROM tbl_FormatCategories f"));
    QHash<QByteArray, QString> devicePictures; // so that no two devices look alike
    while (query.next()) {
        const QString icon = query.value(0).toString();
        const QStringList look = query.value(2).toString().split(QLatin1Char(':'));
        if (query.value(1).toInt() == 1) {
            const QImage picture = deviceIcon(look.value(0), look.value(1), modelName(query.value(3).toString(), look.value(1)),
                                              screenAspect(query.value(4).toString()));
            const QString twin = devicePictures.value(png(picture));
            if (!twin.isEmpty()) {
                std::fprintf(stderr, "artgen: %s looks exactly like %s\n", qPrintable(icon), qPrintable(twin));
                ok = false;
            }
            devicePictures.insert(png(picture), icon);
            save(picture, icon);
        } else {
            formatLooks.insert(stemOf(icon), look);
            save(formatIcon(look.value(0), look.value(1)), icon);
        }
    }
    query.exec(QStringLiteral("SELECT DISTINCT icon FROM tbl_OutputCategories"));
    while (query.next()) {
        const QString icon = query.value(0).toString();
        const QString stem = stemOf(icon);
        const QStringList look = formatLooks.value(stem.section(QLatin1Char('-'), 0, 0));
        if (look.isEmpty()) {
            std::fprintf(stderr, "artgen: no format for the preset icon %s\n", qPrintable(icon));
            ok = false;
            continue;
        }
        save(presetIcon(look.value(0), look.value(1), badgeFor(stem.section(QLatin1Char('-'), 1))), icon);
    }
    query.exec(QStringLiteral("SELECT icon, kind, label FROM tbl_AddCategories"));
    while (query.next())
        save(formatIcon(query.value(1).toString(), query.value(2).toString()), query.value(0).toString());
    return ok;
}

// The application icon in parts of its size: one description for its pictures and its scalable file.
struct IconShape {
    QRectF box;     // rounded box, unless points are given
    qreal radius;
    QPolygonF points;
    QColor colour;
};

QList<IconShape> appIconShapes()
{
    QList<IconShape> shapes = {
        {QRectF(0.04, 0.04, 0.92, 0.92), 0.2, {}, Palette::raised},
        {QRectF(0.04, 0.07, 0.92, 0.89), 0.2, {}, Palette::window},
    };
    constexpr qreal bar = 0.075;
    const qreal heights[] = {0.22, 0.42, 0.30};
    for (int i = 0; i < 3; ++i)
        shapes.append({QRectF(0.18 + i * 0.12, 0.5 - heights[i] / 2, bar, heights[i]), bar / 2, {}, Palette::title});
    shapes.append({{}, 0, QPolygonF{{0.56, 0.27}, {0.84, 0.50}, {0.56, 0.73}}, Palette::accent});
    return shapes;
}

QImage appIcon(int size)
{
    QImage image = canvas(size, size);
    Painter p(&image);
    p.scale(size, size);
    for (const IconShape& shape : appIconShapes()) {
        p.fill(shape.colour);
        if (shape.points.isEmpty())
            p.drawRoundedRect(shape.box, shape.radius, shape.radius);
        else
            p.drawPolygon(shape.points);
    }
    return image;
}

bool writeAppIconSvg(const QString& path)
{
    QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                                 "viewBox=\"0 0 1 1\">\n");
    for (const IconShape& shape : appIconShapes()) {
        if (shape.points.isEmpty()) {
            svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"/>\n")
                       .arg(shape.box.x()).arg(shape.box.y()).arg(shape.box.width()).arg(shape.box.height())
                       .arg(shape.radius).arg(shape.colour.name());
        } else {
            QStringList points;
            for (const QPointF& point : shape.points)
                points.append(QStringLiteral("%1,%2").arg(point.x()).arg(point.y()));
            svg += QStringLiteral("  <polygon points=\"%1\" fill=\"%2\"/>\n").arg(points.join(QLatin1Char(' ')), shape.colour.name());
        }
    }
    svg += QStringLiteral("</svg>\n");
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(svg.toUtf8()) > 0;
}

// An icon file holding one picture per size, each stored as PNG (allowed by the format, and
// read by Qt).
bool writeIco(const QString& path, const QList<QImage>& images)
{
    QByteArray ico;
    auto put16 = [&ico](quint16 value) { ico.append(char(value & 0xff)).append(char(value >> 8)); };
    auto put32 = [&](quint32 value) { put16(quint16(value & 0xffff)); put16(quint16(value >> 16)); };
    put16(0);
    put16(1);
    put16(quint16(images.size()));
    QList<QByteArray> pictures;
    quint32 offset = 6 + 16 * quint32(images.size());
    for (const QImage& image : images) {
        pictures.append(png(image));
        ico.append(char(image.width() >= 256 ? 0 : image.width()));
        ico.append(char(image.height() >= 256 ? 0 : image.height()));
        ico.append(char(0)).append(char(0));
        put16(1);
        put16(32);
        put32(quint32(pictures.last().size()));
        put32(offset);
        offset += quint32(pictures.last().size());
    }
    for (const QByteArray& picture : pictures)
        ico.append(picture);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size();
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: artgen IMAGES_FOLDER CATALOGUE_DB FRAMES_FOLDER DESKTOP_ICONS_FOLDER\n");
        return 2;
    }
    const QDir images(QString::fromLocal8Bit(argv[1]));
    const QDir icons(images.filePath(QStringLiteral("icons")));
    const QDir frames(QString::fromLocal8Bit(argv[3]));
    const QDir desktopIcons(QString::fromLocal8Bit(argv[4]));
    QDir().mkpath(icons.path());
    QDir().mkpath(frames.path());

    const QList<QPair<QString, Drawing>> pictures = {
        {"tabHeader", [] { return tabHeader(false); }},
        {"tabHeaderSelected", [] { return tabHeader(true); }},
        {"addTab", [] { return tabGlyph(glyphPlus, false); }},
        {"addTabSelected", [] { return tabGlyph(glyphPlus, true); }},
        {"formatTab", [] { return tabGlyph(glyphSliders, false); }},
        {"formatTabSelected", [] { return tabGlyph(glyphSliders, true); }},
        {"convertTab", [] { return tabGlyph(glyphConvert, false); }},
        {"convertTabSelected", [] { return tabGlyph(glyphConvert, true); }},
        {"minimizeButton", [] { return windowButton(0); }},
        {"maximizeButton", [] { return windowButton(1); }},
        {"restoreButton", [] { return windowButton(2); }},
        {"closeButton", [] { return windowButton(3); }},
        {"dragDrop", dragDrop},
        {"fileBreak", fileBreak},
        {"fileImage", fileImage},
        {"fileLengthIcon", [] { return smallGlyph(0); }},
        {"fileVideoIcon", [] { return smallGlyph(1); }},
        {"fileAudioIcon", [] { return smallGlyph(2); }},
        {"completed", completed},
        {"warning", warningSign},
        {"remove", removeButton},
        {"transparency-top", [] { return fade(true); }},
        {"transparency-bottom", [] { return fade(false); }},
        {"screenshot-audio", [] { return placeholder(0); }},
        {"screenshot-unknown", [] { return placeholder(1); }},
        {"burningthumb", [] { return placeholder(2); }},
        {"arrow-left", [] { return arrow(false); }},
        {"arrow-right", [] { return arrow(true); }},
        {"backButton", [] { return stepButton(false, false); }},
        {"backButtonClicked", [] { return stepButton(false, true); }},
        {"nextButton", [] { return stepButton(true, false); }},
        {"nextButtonClicked", [] { return stepButton(true, true); }},
        {"convert-button", [] { return bigButton(true, false); }},
        {"convert-button-clicked", [] { return bigButton(true, true); }},
        {"cancel-button", [] { return bigButton(false, false); }},
        {"cancel-button-clicked", [] { return bigButton(false, true); }},
        {"iconBack", [] { return iconBack(false); }},
        {"iconBackSelected", [] { return iconBack(true); }},
        {"scrollBar", scrollSlider},
        {"tick", tickMark},
        {"icon", [] { return appIcon(256); }},
    };
    bool ok = true;
    constexpr int loadingFrames = 12;
    for (const int scale : {1, 2}) {
        drawingScale = scale;
        for (const auto& [name, draw] : pictures)
            ok = savePicture(draw(), images.filePath(name)) && ok;
        for (const QString& name : {QStringLiteral("cd"), QStringLiteral("dvd-in"), QStringLiteral("settings")})
            ok = savePicture(pageIcon(name), icons.filePath(name)) && ok;
        // Apart, so that ImageMagick joins the frames of each scale into a GIF of its own.
        const QString framePrefix = scale == 1 ? QStringLiteral("loading-") : QStringLiteral("loading2x-");
        for (int frame = 0; frame < loadingFrames; ++frame)
            ok = loadingFrame(frame, loadingFrames).save(frames.filePath(framePrefix + QStringLiteral("%1.png").arg(frame, 2, 10, QLatin1Char('0')))) && ok;
        ok = drawCatalogueIcons(QString::fromLocal8Bit(argv[2]), icons) && ok;
    }
    drawingScale = 1;
    ok = writeIco(images.filePath("icon.ico"), {appIcon(16), appIcon(32), appIcon(48), appIcon(256)}) && ok;
    ok = appIcon(128).save(desktopIcons.filePath(QStringLiteral("halvorn-128.png"))) && ok;
    ok = writeAppIconSvg(desktopIcons.filePath(QStringLiteral("halvorn.svg"))) && ok;
    if (!ok) {
        std::fprintf(stderr, "artgen: could not draw every picture\n");
        return 1;
    }
    return 0;
}
