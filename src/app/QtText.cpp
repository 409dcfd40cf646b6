#include "app/QtText.h"

#include "platform/TextEncoding.h"

#include <QFile>
#include <QStyle>

namespace orlu {

QString ToQString(std::string_view cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }

QString DisplayText(std::string_view text)
{
    if (IsValidUtf8(text))
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return ToQString(text);
}

std::string ToPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QPixmap MessageIconPixmap(QStyle* style, MessageIcon icon)
{
    struct Row {
        MessageIcon icon;
        QStyle::StandardPixmap pixmap;
    };
    static const Row kIcons[] = {
        {MessageIcon::Information, QStyle::SP_MessageBoxInformation},
        {MessageIcon::Warning, QStyle::SP_MessageBoxWarning},
        {MessageIcon::Stop, QStyle::SP_MessageBoxCritical},
        {MessageIcon::Question, QStyle::SP_MessageBoxQuestion},
    };
    for (const Row& row : kIcons)
        if (row.icon == icon)
            return style->standardIcon(row.pixmap).pixmap(32, 32);
    return {};
}

} // namespace orlu
