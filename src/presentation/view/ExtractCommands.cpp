#include "presentation/view/ExtractCommands.h"

#include "document/CTmDoc.h"
#include "document/ExtractRequest.h"

namespace orlu {
namespace {

std::int32_t AllFilesSwitch(const MeasurementViewState& view)
{
    switch (view.FormKind) {
    case kFormText:
        return view.TextAllFiles;
    case kFormTable:
        return view.TableAllFiles;
    default:
        return view.MultiElement;
    }
}

// The application's new-document step with the extract fields set; the
// pending source is cleared afterwards, as after every new document, and so
// is the source document, which may close before the next extract.
bool MakeExtractedDocument(AppContext& app, bool requested)
{
    if (requested && app.NewUnitDocument)
        app.NewUnitDocument();
    app.PendingDocSource = kPendingNone;
    app.ExtractSource = nullptr;
    return requested && app.NewUnitDocument;
}

} // namespace

bool CanExtractSingleFile(const MeasurementViewState& view, const CTmDoc& doc)
{
    return doc.SubfileCount() > 0 && AllFilesSwitch(view) == 0 && view.SubFileNumber != 0;
}

bool CanExtractBuffer(const CTmDoc& doc)
{
    return doc.GetSubfileLength(kSubfileEmbedded) != 0;
}

bool ExtractSingleFile(const MeasurementViewState& view, const CTmDoc& doc)
{
    AppContext& app = doc.App();
    return CanExtractSingleFile(view, doc) &&
           MakeExtractedDocument(app, RequestSubfileExtract(app, doc, view.SubFileNumber));
}

bool ExtractBuffer(const CTmDoc& doc)
{
    AppContext& app = doc.App();
    return MakeExtractedDocument(app, RequestBufferExtract(app, doc));
}

} // namespace orlu
