#include "presentation/view/UploadOffer.h"

#include "document/CTmDoc.h"
#include "presentation/AppSettings.h"

namespace orlu {

void AddUploadFacts(ToolsDocumentFacts& facts, const CTmDoc& doc, const AppSettings& settings)
{
    facts.deviceSelector = settings.DeviceSelector;
    facts.fileKind = doc.FileKind();
    const bool decoded = doc.HeaderDecoded();
    facts.firmware = decoded ? doc.Header().firmware : 0;
    facts.setupBlock = decoded && doc.Header().setupFile;
}

bool UploadOffered(const CTmDoc& doc, const AppSettings& settings)
{
    ToolsDocumentFacts facts;
    AddUploadFacts(facts, doc, settings);
    return CanUpload(facts.deviceSelector, facts.fileKind, facts.firmware, facts.setupBlock);
}

} // namespace orlu
