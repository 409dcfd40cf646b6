#include "presentation/pictures/ViewExport.h"

#include "platform/TextEncoding.h"
#include "platform/canvas/BmpFile.h"
#include "platform/canvas/EmfWriter.h"
#include "presentation/DocTemplateTable.h"
#include "presentation/pictures/PictureDocument.h"

namespace orlu {

ManagedDocument* NewPictureDocument(DocumentManager& documents, AppContext& context, PictureHandOver& handOver,
                                    int templateId, bool hidden)
{
    ManagedDocument* made = documents.NewDocument(templateId, !hidden);
    // A picture left behind would turn up in the next document of its kind.
    handOver = {};
    auto* picture = dynamic_cast<PictureDocument*>(made);
    if (!picture)
        return nullptr;
    if (hidden) {
        picture->SetSaveOnClose();
        documents.CloseDocument(*picture);
        return nullptr;
    }
    picture->SetNewDocFlag();
    ++context.UnsavedDocumentCount;
    return picture;
}

bool MakeGraphPicture(PictureFormat format, const GraphPictureSource& source, PictureHandOver& handOver)
{
    handOver = {};
    if (format == PictureFormat::Bitmap && source.capture) {
        std::optional<RgbImage> image = source.capture();
        if (!image || image->width <= 0 || image->height <= 0)
            return false;
        handOver.bitmap = ImageToDib(*image);
        return !handOver.bitmap->info.empty();
    }
    if (format == PictureFormat::Metafile && source.paint) {
        EmfWriter recording(source.measure);
        source.paint(recording);
        handOver.metafile = recording.Bytes();
        return true;
    }
    return false;
}

ManagedDocument* ExportGraphPicture(PictureFormat format, bool hidden, const GraphPictureSource& source,
                                    DocumentManager& documents, AppContext& context, PictureHandOver& handOver)
{
    if (format == PictureFormat::None)
        return nullptr;
    if (!MakeGraphPicture(format, source, handOver))
        return nullptr;
    const int templateId = format == PictureFormat::Bitmap ? kBitmapDocTemplate : kMetafileDocTemplate;
    return NewPictureDocument(documents, context, handOver, templateId, hidden);
}

std::vector<std::uint8_t> EncodeFormLines(const LineSource& lines)
{
    std::string text;
    std::string scratch;
    for (std::size_t i = 0; i < lines.LineCount(); ++i) {
        std::string_view line = lines.Line(i, scratch);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.remove_suffix(1);
        text += Cp1252ToUtf8(line);
        text += "\r\n";
    }
    return {text.begin(), text.end()};
}

} // namespace orlu
