#include "link/UnitUpload.h"

#include "document/CTmDoc.h"
#include "document/DocMessageTable.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <array>

namespace orlu {
namespace {

constexpr std::string_view kUploadTitle = "Upload to the ORLU unit";
constexpr std::size_t kBlock = 4096;
constexpr std::uint8_t kKindOther505 = 5;

bool Is505Document(const CTmDoc& doc)
{
    return doc.IsLegacyDocument() || doc.IsAnalyzerDocument() || doc.FileKind() == kKindOther505;
}

/// The ORLU 545 and 590 confirm an upload with "#9,1;"; the others with any answer.
bool NeedsConfirmation(const CTmDoc& doc)
{
    return !Is505Document(doc) && doc.HeaderDecoded() && doc.Header().model.FourChannel;
}

/// The directory entry of the uploaded file: name blank-padded, type (and
/// subtype), size in bytes; item data, date and time 0.
UnitDirEntry UploadedEntry(const CTmDoc& doc, const UploadTarget& target, const std::string& name)
{
    std::array<std::uint8_t, UnitDirEntry::kSize> b{};
    std::fill_n(b.begin(), UnitDirEntry::kNameSize, static_cast<std::uint8_t>(' '));
    std::copy_n(name.begin(), std::min(name.size(), UnitDirEntry::kNameSize), b.begin());
    if (target.unit505) {
        b[8] = static_cast<std::uint8_t>(target.requestKind + 1);
    } else if (doc.HeaderDecoded() && doc.Header().setupFile) {
        b[8] = 0;
        b[9] = 2;
    } else if (doc.HeaderDecoded() && doc.Header().timeHistory) {
        b[8] = 0;
        b[9] = 0;
    } else {
        b[8] = static_cast<std::uint8_t>(doc.HeaderDecoded() ? doc.Header().function : 0);
    }
    const std::uint32_t size = doc.AsLoadedByteCount();
    for (int i = 0; i < 4; ++i)
        b[12 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    return UnitDirEntry(b);
}

UnitFileHeader FirstBytes(const CTmDoc& doc)
{
    UnitFileHeader header;
    for (std::uint32_t i = 0; i < header.bytes.size() && i < doc.AsLoadedByteCount(); ++i)
        header.bytes[i] = ImageGetByte(doc.AsLoadedImage(), i);
    return header;
}

/// Sends the header and the image; false when the upload is incomplete.
bool Send(LinkTransport& link, UnitLink& unit, const CTmDoc& doc, const std::string& header, bool unit505,
          TransferProgress& progress, const std::string& line)
{
    // The file goes back as it was read: a logger split for the views is not.
    const std::uint32_t size = doc.AsLoadedByteCount();
    const std::array<std::uint8_t, 4> sizeBytes{static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
                                                static_cast<std::uint8_t>(size >> 16),
                                                static_cast<std::uint8_t>(size >> 24)};
    bool announced = false;
    for (int attempt = 0; attempt < unit.timing.uploadHeaderAttempts && !announced; ++attempt)
        announced = link.SendText(header) && (!unit505 || link.SendBytes(sizeBytes));
    if (!announced)
        return false;
    progress.Begin(std::string(kUploadTitle));
    progress.SetText(line);
    // The image goes out a page run at a time; the transport keeps the ORLU 505's pause after each byte.
    const PagedFileImage& image = doc.AsLoadedImage();
    for (std::uint32_t done = 0; done < size;) {
        const std::uint32_t page = done / PagedFileImage::kPageSize;
        const std::uint32_t at = done % PagedFileImage::kPageSize;
        const std::uint32_t run = std::min(PagedFileImage::kPageSize - at, size - done);
        if (!link.SendBytes(std::span(image.Page(page) + at, run))) {
            progress.End();
            return false;
        }
        done += run;
        if (progress.SetProgress(ProgressCount(size, size), ProgressCount(done, size)) != TransferRequest::None) {
            progress.End();
            return false;
        }
    }
    progress.End();
    return true;
}

/// The instrument's answer: one byte per attempt, up to ';'.
bool ReadAnswer(LinkTransport& link, int attempts, bool needsConfirmation)
{
    link.StartRead();
    std::string answer;
    for (int i = 0; i < attempts; ++i) {
        std::uint8_t byte = 0;
        if (!link.ReadByte(byte))
            continue;
        answer.push_back(static_cast<char>(byte));
        if (byte == ';')
            return !needsConfirmation || answer.find("#9,1;") != std::string::npos;
    }
    return false;
}

} // namespace

std::optional<UploadTarget> UploadTargetFor(const CTmDoc& doc)
{
    if (Is505Document(doc)) {
        switch (doc.FileKind()) {
        case 3:
            return UploadTarget{"1,", 0, 'm', true};
        case 4:
            return UploadTarget{"2,", 1, 'a', true};
        case kKindOther505:
            return UploadTarget{"3,", 2, 'a', true};
        default:
            return std::nullopt;
        }
    }
    if (!doc.HeaderDecoded() || doc.Header().model.Family515Text)
        return std::nullopt;
    if (doc.Header().setupFile)
        return UploadTarget{"2", 6, 'a', false};
    if (doc.Header().timeHistory)
        return UploadTarget{"3", 4, 'a', false};
    return UploadTarget{"1", 3, 'a', false};
}

std::string ProposedUploadName(std::string_view pathName)
{
    const std::size_t cut = pathName.find_last_of(":\\/");
    std::string_view name = cut == std::string_view::npos ? pathName : pathName.substr(cut + 1);
    if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos)
        name = name.substr(0, dot);
    return std::string(name);
}

std::string UploadHeader(const UploadTarget& target, std::string_view name, std::uint32_t size)
{
    const std::string cut(name.substr(0, std::min<std::size_t>(name.size(), UnitDirEntry::kNameSize)));
    if (target.unit505)
        return ";#5," + target.group + cut + ";";
    return StrPrintf(";#9,%s,%u,", target.group.c_str(), size);
}

void WriteNameIntoImage(CTmDoc& doc, std::string_view name)
{
    std::array<std::uint8_t, UnitDirEntry::kNameSize> bytes{};
    std::copy_n(name.begin(), std::min(name.size(), bytes.size()), bytes.begin());
    const std::uint32_t start = doc.GetSubfileStart(0);
    // The views' image and the file as read (when a logger split made them two) both carry the name.
    const bool twoImages = doc.HasAsLoadedImage();
    for (std::uint32_t w = 0; w < 4; ++w) {
        const std::uint32_t word = start + 1 + w;
        const auto value = static_cast<std::uint16_t>(bytes[2 * w] | bytes[2 * w + 1] << 8);
        if (2ull * word + 2 <= doc.ByteCount())
            ImageSetWord(doc.Image(), word, value);
        if (twoImages && 2ull * word + 2 <= doc.AsLoadedByteCount())
            ImageSetWord(doc.AsLoadedImage(), word, value);
    }
}

bool UploadToInstrument(CTmDoc& doc, UnitLink& link, CUnitDirectory& directory, TransferProgress& progress,
                        const UploadNameChooser& chooseName)
{
    if (directory.DirectoryStale() && !directory.ReadDirectory(link, progress))
        return false;
    const std::optional<UploadTarget> target = UploadTargetFor(doc);
    if (!target)
        return false;
    std::string name = chooseName(*target, ProposedUploadName(doc.PathName().string()));
    name.resize(std::min(name.size(), UnitDirEntry::kNameSize));
    if (name.empty())
        return false;
    const std::string header = UploadHeader(*target, name, doc.AsLoadedByteCount());
    if (!target->unit505)
        WriteNameIntoImage(doc, name);
    const std::string line = std::string(UnitFileKindName(target->requestKind)) + ":  " + name;

    std::unique_ptr<LinkTransport> transport = link.OpenPort(ComProfile::Upload);
    if (!transport)
        return false;
    const bool confirmed = Send(*transport, link, doc, header, target->unit505, progress, line) &&
                           ReadAnswer(*transport, link.timing.uploadAnswerBytes, NeedsConfirmation(doc));
    if (confirmed) {
        // The entry of that name and of the type written is replaced, so that an
        // upload under an existing name never lists the file twice.
        const UnitDirEntry entry = UploadedEntry(doc, *target, name);
        directory.PutEntry(directory.FindEntry(name, entry.Type()), entry, FirstBytes(doc));
    }
    transport->Release();
    link.GetClock().Sleep(link.timing.beforeUploadMessage);
    const bool ok = confirmed;
    link.Ui().ShowMessage(name + std::string(DocMessageTable[ok ? kMsgUploadCompleted : kMsgUploadIncomplete]),
                          kMessageCaption, MessageButtons::Ok, ok ? MessageIcon::Information : MessageIcon::Warning);
    return ok;
}

} // namespace orlu
