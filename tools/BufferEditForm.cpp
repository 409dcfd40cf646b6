#include "BufferEditForm.h"

#include "platform/ValueFormat.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace orlu::tools {
namespace {

bool WholeNumber(const std::string& text, long& out)
{
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && out >= 0 && text[0] != '-' && text[0] != '+';
}

struct OperationName {
    const char* name;
    BlockEditOp op;
};
constexpr OperationName kOperations[] = {
    {"delete", BlockEditOp::Delete}, {"keep", BlockEditOp::Keep}, {"copy", BlockEditOp::Copy}};

bool PrintImpulses(CTmDoc& doc, int mode, std::string& out)
{
    std::vector<std::uint8_t> marks;
    if (!doc.MarkImpulses(static_cast<std::uint8_t>(mode), marks)) {
        std::fprintf(stderr, "orlu-dump: %s: no logger to mark impulses in\n", doc.FileName().c_str());
        return false;
    }
    for (std::size_t r = 0; r < marks.size(); ++r)
        if (marks[r] != 0)
            AppendPrintf(out, "%lu: 0x%02X\n", static_cast<unsigned long>(r + 1), marks[r]);
    return true;
}

bool Edit(CTmDoc& doc, const BufferEditRequest& request, std::string& out)
{
    const auto op = static_cast<BlockEditOp>(request.op);
    const long a = request.markerA;
    const long b = request.markerB >= 0 ? request.markerB : a;
    switch (doc.EditBuffer(op, a, b)) {
    case BlockEditResult::Nothing:
        std::fprintf(stderr, "orlu-dump: %s: no buffer to edit\n", doc.FileName().c_str());
        return false;
    case BlockEditResult::Refused:
        return false;
    case BlockEditResult::Copied: {
        AppContext& app = doc.App();
        CTmDoc copy(app);
        copy.SetHidden(true);
        if (!copy.OnSaveDocument(request.out))
            return false;
        AppendPrintf(out, "copied: kind %u, %lu records\n", app.HeldFileKind,
                     static_cast<unsigned long>(app.HeldRecordCount));
        return true;
    }
    case BlockEditResult::Edited:
        if (!doc.OnSaveDocument(request.out))
            return false;
        AppendPrintf(out, "edited: kind %u, %lu records\n", doc.FileKind(),
                     static_cast<unsigned long>(doc.GetRecordIndex().size()));
        return true;
    }
    return false;
}

} // namespace

bool ParseMarkers(const std::string& text, BufferEditRequest& request)
{
    const std::size_t comma = text.find(',');
    if (!WholeNumber(text.substr(0, comma), request.markerA))
        return false;
    request.markerB = -1;
    return comma == std::string::npos || WholeNumber(text.substr(comma + 1), request.markerB);
}

bool ParseEditOperation(const std::string& text, BufferEditRequest& request)
{
    for (const OperationName& o : kOperations)
        if (text == o.name) {
            request.op = static_cast<int>(o.op);
            return true;
        }
    return false;
}

bool RunBufferEdit(CTmDoc& doc, const BufferEditRequest& request, std::string& out)
{
    bool shown = true;
    if (request.impulses != 0)
        shown = PrintImpulses(doc, request.impulses, out);
    if (request.op != 0)
        shown = Edit(doc, request, out) && shown;
    return shown;
}

} // namespace orlu::tools
