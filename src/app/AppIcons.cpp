#include "app/AppIcons.h"

#include "presentation/CommandTable.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace orlu {
namespace {

struct StandardGlyph {
    int id;
    QStyle::StandardPixmap pixmap;
};
const StandardGlyph kStandardGlyphs[] = {
    {kIdFileOpen, QStyle::SP_DialogOpenButton},   {kIdFileSave, QStyle::SP_DialogSaveButton},
    {kIdFileNew, QStyle::SP_FileIcon},            {kIdAppAbout, QStyle::SP_MessageBoxInformation},
    {kIdContextHelp, QStyle::SP_TitleBarContextHelpButton},
};

struct LetterGlyph {
    int id;
    const char* letters;
};
const LetterGlyph kLetterGlyphs[] = {
    {32771, "F2"}, {32833, "SV"}, {kIdFilePrint, "Pr"}, {kIdEditCut, "Ct"}, {kIdEditCopy, "Cp"},
    {kIdEditPaste, "Ps"}, {32801, "G"}, {32790, "T"}, {32789, "B"}, {32803, "O"}, {32851, "+"},
    {32852, "-"}, {32823, "U"}, {32804, "<"}, {32805, ">"}, {32811, "1"}, {32812, "2"}, {32813, "3"},
    {32814, "4"}, {32834, "5"},
};

QIcon LetterIcon(const QString& letters)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(30, 60, 120));
    p.setBrush(QColor(225, 235, 250));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);
    QFont font("Liberation Sans", letters.size() > 1 ? 11 : 15, QFont::Bold);
    p.setFont(font);
    p.drawText(pixmap.rect(), Qt::AlignCenter, letters);
    return QIcon(pixmap);
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

QIcon CommandIcon(int commandId)
{
    for (const StandardGlyph& g : kStandardGlyphs)
        if (g.id == commandId)
            return QApplication::style()->standardIcon(g.pixmap);
    for (const LetterGlyph& g : kLetterGlyphs)
        if (g.id == commandId)
            return LetterIcon(QString::fromLatin1(g.letters));
    return LetterIcon("?");
}

} // namespace orlu
