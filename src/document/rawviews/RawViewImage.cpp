#include "document/CTmDoc.h"
#include "document/rawviews/RawViews.h"

namespace orlu {

RawImage RawViewImage(const CTmDoc& doc)
{
    if (doc.HasAsLoadedImage() && doc.FileKind() != 50)
        return {&doc.AsLoadedImage(), doc.AsLoadedByteCount()};
    return {&doc.Image(), doc.ByteCount()};
}

} // namespace orlu
