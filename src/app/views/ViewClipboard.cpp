#include "app/views/ViewClipboard.h"

#include "platform/TextEncoding.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace orlu {

void PutTextOnClipboard(std::string_view text)
{
    const std::string utf8 = Cp1252ToUtf8(text);
    auto* data = new QMimeData;
    data->setData("text/plain;charset=utf-8", QByteArray(utf8.data(), static_cast<qsizetype>(utf8.size())));
    data->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

void PutImageOnClipboard(const QImage& image)
{
    auto* data = new QMimeData;
    data->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace orlu
