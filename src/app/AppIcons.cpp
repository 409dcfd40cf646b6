#include "app/AppIcons.h"

#include "presentation/CommandTable.h"
#include "presentation/FindById.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace orlu {
namespace {

// Every picture is drawn on a 24 x 24 grid and scaled to each toolbar size,
// so that it stays sharp at 16 pixels as at 48.
constexpr int kSizes[] = {16, 20, 24, 32, 40, 48};

const QColor kInk(50, 54, 60);
const QColor kPaper(252, 252, 250);
const QColor kBlue(42, 110, 187);
const QColor kLightBlue(190, 215, 245);
const QColor kGreen(46, 150, 70);
const QColor kFolder(232, 182, 76);
const QColor kFolderFront(246, 210, 112);
const QColor kGrey(150, 156, 164);

QPen Ink(qreal width = 1.2, const QColor& color = kInk)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

/// A sheet of paper with a folded corner.
void Page(QPainter& p, const QRectF& r)
{
    const qreal fold = r.width() / 3;
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF({r.topLeft(), {r.right() - fold, r.top()}, {r.right(), r.top() + fold}, r.bottomRight(),
                             r.bottomLeft()}));
    p.drawPolyline(QPolygonF({{r.right() - fold, r.top()}, {r.right() - fold, r.top() + fold},
                              {r.right(), r.top() + fold}}));
}

/// Lines of text inside a rectangle, of the given relative lengths.
void TextLines(QPainter& p, const QRectF& r, std::initializer_list<qreal> lengths, const QColor& color = kGrey)
{
    p.setPen(Ink(1.2, color));
    qreal y = r.top();
    const qreal step = r.height() / std::max<qsizetype>(1, static_cast<qsizetype>(lengths.size()) - 1);
    for (qreal length : lengths) {
        p.drawLine(QPointF(r.left(), y), QPointF(r.left() + r.width() * length, y));
        y += step;
    }
}

/// A thick arrow from one point to another.
void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color, qreal head = 4.5)
{
    QLineF shaft(to, from);
    shaft.setLength(head * 0.9);
    p.setPen(Ink(2.4, color));
    p.drawLine(from, shaft.p2());
    QLineF side(to, from);
    side.setLength(head * 1.25);
    QLineF left = side, right = side;
    left.setAngle(side.angle() + 30);
    right.setAngle(side.angle() - 30);
    p.setPen(Ink(1.0, color));
    p.setBrush(color);
    p.drawPolygon(QPolygonF({to, left.p2(), right.p2()}));
}

void DrawOpen(QPainter& p)
{
    p.setPen(Ink(1.1, kFolder.darker(170)));
    p.setBrush(kFolder);
    p.drawPolygon(QPolygonF({{2, 5}, {9, 5}, {11, 7.5}, {20, 7.5}, {20, 19.5}, {2, 19.5}}));
    p.setBrush(kFolderFront);
    p.drawPolygon(QPolygonF({{2, 19.5}, {5.5, 10.5}, {23, 10.5}, {19.5, 19.5}}));
}

/// A sound level meter: the microphone on its stem, the body and its display.
void Meter(QPainter& p, qreal x)
{
    p.setPen(Ink(1.0));
    p.setBrush(kGrey);
    p.drawRect(QRectF(x + 3.2, 4.5, 1.6, 3));
    p.setBrush(QColor(90, 96, 104));
    p.drawEllipse(QPointF(x + 4, 3.2), 2.3, 2.3);
    p.setBrush(QColor(70, 76, 84));
    p.drawRoundedRect(QRectF(x, 7.5, 8, 14.5), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 225, 160));
    p.drawRect(QRectF(x + 1.5, 9.2, 5, 4));
    p.setBrush(kGrey.lighter(130));
    for (qreal y : {15.8, 18.6}) {
        p.drawEllipse(QPointF(x + 2.5, y), 0.9, 0.9);
        p.drawEllipse(QPointF(x + 5.5, y), 0.9, 0.9);
    }
}

void DrawInstrumentFiles(QPainter& p)
{
    Meter(p, 1.5);
    Arrow(p, {17, 4}, {17, 17}, kGreen);
    p.setPen(Ink(1.6));
    p.drawLine(QPointF(12, 21), QPointF(22, 21));
}

/// A four-pointed spark, the sign of something new.
void Spark(QPainter& p, QPointF c, qreal r)
{
    p.setPen(Ink(0.8, QColor(190, 130, 0)));
    p.setBrush(QColor(255, 205, 40));
    const qreal w = r * 0.3;
    p.drawPolygon(QPolygonF({{c.x(), c.y() - r}, {c.x() + w, c.y() - w}, {c.x() + r, c.y()}, {c.x() + w, c.y() + w},
                             {c.x(), c.y() + r}, {c.x() - w, c.y() + w}, {c.x() - r, c.y()}, {c.x() - w, c.y() - w}}));
}

void DrawNew(QPainter& p)
{
    Page(p, QRectF(5.5, 3, 14, 18.5));
    TextLines(p, QRectF(8, 12, 8, 6), {1, 0.7, 0.9});
    Spark(p, {6, 6}, 5);
}

/// A floppy disk: shutter above, label below.
void Disk(QPainter& p, const QRectF& r)
{
    p.setPen(Ink(1.1, kBlue.darker(160)));
    p.setBrush(kBlue);
    const qreal cut = r.width() * 0.18;
    p.drawPolygon(QPolygonF({r.topLeft(), {r.right() - cut, r.top()}, {r.right(), r.top() + cut}, r.bottomRight(),
                             r.bottomLeft()}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(215, 220, 228));
    QRectF shutter(r.left() + r.width() * 0.25, r.top(), r.width() * 0.45, r.height() * 0.32);
    p.drawRect(shutter);
    p.setBrush(kBlue.darker(140));
    p.drawRect(QRectF(shutter.left() + shutter.width() * 0.62, shutter.top() + shutter.height() * 0.2,
                      shutter.width() * 0.22, shutter.height() * 0.6));
    p.setBrush(kPaper);
    p.drawRect(QRectF(r.left() + r.width() * 0.16, r.top() + r.height() * 0.5, r.width() * 0.68, r.height() * 0.5));
}

void DrawSave(QPainter& p) { Disk(p, QRectF(3, 3, 18, 18)); }

/// A small line plot on axes.
void Plot(QPainter& p, const QRectF& r, qreal width)
{
    p.setPen(Ink(width * 0.7));
    p.drawPolyline(QPolygonF({r.topLeft(), r.bottomLeft(), r.bottomRight()}));
    p.setPen(Ink(width, kBlue));
    const qreal w = r.width(), h = r.height();
    p.drawPolyline(QPolygonF({{r.left() + w * 0.08, r.top() + h * 0.8},
                              {r.left() + w * 0.3, r.top() + h * 0.45},
                              {r.left() + w * 0.5, r.top() + h * 0.62},
                              {r.left() + w * 0.72, r.top() + h * 0.12},
                              {r.left() + w, r.top() + h * 0.35}}));
}

void DrawSaveView(QPainter& p)
{
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(2, 2.5, 16, 14));
    Plot(p, QRectF(4.5, 5, 11.5, 9), 1.5);
    Disk(p, QRectF(12, 12, 10.5, 10.5));
}

void DrawPrint(QPainter& p)
{
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 2.5, 11, 7));
    p.setBrush(QColor(120, 126, 134));
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 14, 11, 8));
    TextLines(p, QRectF(8.5, 16.5, 7, 3), {1, 0.7});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 220, 110));
    p.drawEllipse(QPointF(18.5, 11.2), 1.1, 1.1);
}

void DrawCut(QPainter& p)
{
    p.setPen(Ink(1.8, QColor(120, 126, 134)));
    p.drawLine(QPointF(9, 15.5), QPointF(16.5, 2.5));
    p.drawLine(QPointF(15, 15.5), QPointF(7.5, 2.5));
    p.setPen(Ink(1.8, QColor(200, 40, 40)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(7, 18.5), 3.2, 3.2);
    p.drawEllipse(QPointF(17, 18.5), 3.2, 3.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(12, 10.3), 1.1, 1.1);
}

void DrawCopy(QPainter& p)
{
    Page(p, QRectF(3, 2.5, 11.5, 14.5));
    Page(p, QRectF(9.5, 7.5, 11.5, 14.5));
    TextLines(p, QRectF(11.5, 13.5, 6.5, 5), {1, 0.6, 0.85});
}

void DrawPaste(QPainter& p)
{
    p.setPen(Ink(1.1, QColor(110, 70, 30)));
    p.setBrush(QColor(196, 140, 80));
    p.drawRoundedRect(QRectF(3, 4, 14, 18), 1.5, 1.5);
    p.setPen(Ink(1.0));
    p.setBrush(kGrey);
    p.drawRoundedRect(QRectF(6.5, 2, 7, 4), 1, 1);
    Page(p, QRectF(10, 9, 11, 13));
    TextLines(p, QRectF(12, 14.5, 6, 4.5), {1, 0.6, 0.85});
}

void DrawPlotForm(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(3, 3, 19, 18));
    Plot(p, QRectF(3, 3, 18.5, 18), 2.0);
}

void DrawTextForm(QPainter& p)
{
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 2.5, 17, 19));
    TextLines(p, QRectF(6, 6, 12, 12), {1, 0.75, 0.9, 0.5, 0.85}, kInk);
}

void DrawTableForm(QPainter& p)
{
    const QRectF r(2.5, 3.5, 19, 17);
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(kLightBlue);
    p.drawRect(QRectF(r.left() + 0.6, r.top() + 0.6, r.width() - 1.2, 3.6));
    p.setPen(Ink(1.0));
    for (qreal y : {r.top() + 4.25, r.top() + 8.5, r.top() + 12.75})
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    for (qreal x : {r.left() + r.width() / 3, r.left() + 2 * r.width() / 3})
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
}

void DrawViewOptions(QPainter& p)
{
    // Three sliders, set at different places.
    const qreal knobs[] = {8, 16, 11};
    qreal y = 5.5;
    for (qreal x : knobs) {
        p.setPen(Ink(1.6, kGrey));
        p.drawLine(QPointF(3, y), QPointF(21, y));
        p.setPen(Ink(1.1));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(x - 2, y - 3, 4, 6), 1, 1);
        y += 6.5;
    }
}

/// A magnifying glass, with a plus or a minus in its lens.
void Magnifier(QPainter& p, bool plus)
{
    p.setPen(Ink(3.2, QColor(120, 80, 40)));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(Ink(1.6));
    p.setBrush(kLightBlue);
    p.drawEllipse(QPointF(10, 10), 7, 7);
    p.setPen(Ink(2.2));
    p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
    if (plus)
        p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
}

void DrawZoomIn(QPainter& p) { Magnifier(p, true); }

void DrawZoomOut(QPainter& p) { Magnifier(p, false); }

void DrawUnits(QPainter& p)
{
    // A ruler under a two-way arrow: the scale changes.
    p.setPen(Ink(1.0, QColor(150, 110, 20)));
    p.setBrush(QColor(245, 210, 90));
    p.drawRect(QRectF(2, 13, 20, 8));
    p.setPen(Ink(1.0));
    for (int i = 0; i < 7; ++i) {
        qreal x = 4.5 + i * 2.5;
        p.drawLine(QPointF(x, 13), QPointF(x, i % 2 == 0 ? 17.5 : 15.5));
    }
    Arrow(p, {12, 6.5}, {22, 6.5}, kBlue, 4);
    Arrow(p, {12, 6.5}, {2, 6.5}, kBlue, 4);
}

void DrawPrevious(QPainter& p) { Arrow(p, {20.5, 12}, {3, 12}, kBlue, 8); }

void DrawNext(QPainter& p) { Arrow(p, {3.5, 12}, {21, 12}, kBlue, 8); }

/// A channel or profile button: as many pips as its number, as on a die,
/// on the colour of that channel.
void Channel(QPainter& p, int number)
{
    static const QColor colours[] = {{40, 110, 200}, {200, 50, 50}, {40, 150, 60}, {210, 140, 0}, {130, 70, 180}};
    const QColor colour = colours[number - 1];
    p.setPen(Ink(1.1, colour.darker(150)));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 4, 4);
    static const QPointF places[][5] = {
        {{12, 12}},
        {{7.5, 7.5}, {16.5, 16.5}},
        {{7, 7}, {12, 12}, {17, 17}},
        {{7.5, 7.5}, {16.5, 7.5}, {7.5, 16.5}, {16.5, 16.5}},
        {{7, 7}, {17, 7}, {12, 12}, {7, 17}, {17, 17}},
    };
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < number; ++i)
        p.drawEllipse(places[number - 1][i], 2.1, 2.1);
}

void DrawAbout(QPainter& p)
{
    p.setPen(Ink(1.1, kBlue.darker(150)));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 7), 1.8, 1.8);
    p.drawRoundedRect(QRectF(10.4, 10, 3.2, 8.5), 1, 1);
}

/// A question mark drawn as a hook, a stem and a dot.
void QuestionMark(QPainter& p, QPointF top, qreal size, const QColor& colour)
{
    QPainterPath hook;
    const qreal r = size * 0.3;
    const QPointF centre(top.x(), top.y() + r);
    hook.arcMoveTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 180);
    hook.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 180, -250);
    hook.lineTo(centre.x(), centre.y() + size * 0.5);
    p.setPen(Ink(size * 0.17, colour));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(centre.x(), top.y() + size * 0.95), size * 0.1, size * 0.1);
}

void DrawContextHelp(QPainter& p)
{
    // The pointer that asks about whatever it clicks next.
    p.setPen(Ink(1.1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{2.5, 2}, {2.5, 17}, {6, 13.5}, {8.5, 19.5}, {11, 18.5}, {8.5, 12.5}, {13, 12.5}}));
    QuestionMark(p, {17, 4}, 15, kBlue);
}

struct Glyph {
    int id;
    /// The freedesktop name of the standard icon, null for the program's own commands.
    const char* themeName;
    void (*draw)(QPainter&);
};
const Glyph kGlyphs[] = {
    {kIdFileOpen, "document-open", DrawOpen},
    {32771, nullptr, DrawInstrumentFiles},
    {kIdFileNew, "document-new", DrawNew},
    {32833, nullptr, DrawSaveView},
    {kIdFileSave, "document-save", DrawSave},
    {kIdFilePrint, "document-print", DrawPrint},
    {kIdEditCut, "edit-cut", DrawCut},
    {kIdEditCopy, "edit-copy", DrawCopy},
    {kIdEditPaste, "edit-paste", DrawPaste},
    {32801, nullptr, DrawPlotForm},
    {32790, nullptr, DrawTextForm},
    {32789, nullptr, DrawTableForm},
    {32803, "document-properties", DrawViewOptions},
    {32851, "zoom-in", DrawZoomIn},
    {32852, "zoom-out", DrawZoomOut},
    {32823, nullptr, DrawUnits},
    {32804, "go-previous", DrawPrevious},
    {32805, "go-next", DrawNext},
    {32811, nullptr, [](QPainter& p) { Channel(p, 1); }},
    {32812, nullptr, [](QPainter& p) { Channel(p, 2); }},
    {32813, nullptr, [](QPainter& p) { Channel(p, 3); }},
    {32814, nullptr, [](QPainter& p) { Channel(p, 4); }},
    {32834, nullptr, [](QPainter& p) { Channel(p, 5); }},
    {kIdAppAbout, "help-about", DrawAbout},
    {kIdContextHelp, "help-contents", DrawContextHelp},
};

QIcon Drawn(void (*draw)(QPainter&))
{
    QIcon icon;
    for (int size : kSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 24.0, size / 24.0);
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon ProgramIcon()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(20, 60, 130));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.setPen(QPen(QColor(250, 210, 60), 4));
    p.drawPolyline(QPolygonF({{10, 44}, {20, 30}, {28, 38}, {38, 16}, {46, 34}, {54, 26}}));
    return QIcon(pixmap);
}

QIcon DrawnCommandIcon(int commandId)
{
    const Glyph* glyph = FindById(std::span<const Glyph>(kGlyphs), commandId);
    return glyph ? Drawn(glyph->draw) : QIcon();
}

QIcon CommandIcon(int commandId)
{
    const Glyph* glyph = FindById(std::span<const Glyph>(kGlyphs), commandId);
    if (!glyph)
        return QIcon();
    return glyph->themeName ? QIcon::fromTheme(QString::fromLatin1(glyph->themeName), Drawn(glyph->draw))
                            : Drawn(glyph->draw);
}

} // namespace orlu
