#include "document/container/FileKindCode.h"

#include "document/CTmDoc.h"
#include "document/headers/Setup505Family.h"

#include <algorithm>
#include <iterator>

namespace orlu {
namespace {

constexpr std::uint8_t kMulti = kKindMultifile;
constexpr std::uint8_t kCheck = kKindChecksum;
constexpr std::uint8_t kIndex = kKindRecordIndex;

constexpr FileKindInfo kFileKindCodes[] = {
    {2, 2, KindFamily::Settings, 0},
    {3, 3, KindFamily::Legacy, kCheck},
    {4, 4, KindFamily::Setup505, kCheck},
    {10, 10, KindFamily::Legacy, kCheck | kIndex},
    {11, 11, KindFamily::Setup505, kCheck | kIndex},
    {20, 23, KindFamily::Legacy, kMulti}, // the stored form of a legacy Multifile
    {23, 23, KindFamily::Legacy, kMulti},
    {24, 24, KindFamily::Setup505, kMulti},
    {42, 42, KindFamily::Current, 0},
    {43, 43, KindFamily::Current, 0},
    {44, 44, KindFamily::Current, 0},
    {45, 45, KindFamily::Current, 0},
    {46, 46, KindFamily::Current, 0},
    {47, 47, KindFamily::Current, 0},
    {48, 48, KindFamily::Current, 0},
    {49, 49, KindFamily::Current, 0},
    {50, 50, KindFamily::Current, kIndex},
    {53, 53, KindFamily::Current, kMulti},
    {54, 54, KindFamily::Current, kMulti},
    {55, 55, KindFamily::Current, kMulti},
    {56, 56, KindFamily::Current, kMulti},
    {57, 57, KindFamily::Current, kMulti},
    {58, 58, KindFamily::Current, kMulti},
    {59, 59, KindFamily::Current, kMulti},
    {60, 60, KindFamily::Current, kMulti},
    // Kinds the link gives files of the later models: the decoder derives the real kind.
    {73, 99, KindFamily::Current, 0},
    {75, 99, KindFamily::Current, 0},
    {76, 99, KindFamily::Current, 0},
    {77, 99, KindFamily::Current, 0},
    {78, 99, KindFamily::Current, 0},
    {79, 99, KindFamily::Current, 0},
    {80, 80, KindFamily::Monitor, 0},
    // A stored 99 is decoded too, so that every file the program saves reopens decoded.
    {99, 99, KindFamily::Current, 0},
};

LoadOutcome LoadCurrentFamily(CTmDoc& doc)
{
    // A Multifile is decoded as its first file; its views come from the scan of all of them.
    if (!doc.DecodeFileHeader(0))
        return LoadOutcome::Rejected;
    doc.SelectChannelProfile(0, 0);
    doc.SetViewMaskCurrent();
    return LoadOutcome::Decoded;
}

LoadOutcome LoadLegacyFamily(CTmDoc& doc)
{
    if (!doc.DecodeLegacyHeader(0))
        return LoadOutcome::Rejected;
    if (doc.Legacy().channelMode != 0 || doc.Legacy().prefixVariant != 0)
        doc.SelectLegacyChannel(0);
    doc.SetViewMaskLegacy();
    return LoadOutcome::Decoded;
}

// A MONITOR stream is parsed by the parser the application installed; without
// one its files open for the Hexa view.
LoadOutcome LoadMonitorFamily(CTmDoc& doc)
{
    const auto& parse = doc.App().Fillers.ParseMonitorFile;
    if (!parse)
        return LoadOutcome::NotDecoded;
    return parse(doc) ? LoadOutcome::Decoded : LoadOutcome::Rejected;
}

struct FamilyLoaderEntry {
    KindFamily Family;
    FamilyLoader Load;
};

// Each family's decoder goes here once it exists.
constexpr FamilyLoaderEntry kFamilyLoaders[] = {
    {KindFamily::Legacy, LoadLegacyFamily},
    {KindFamily::Setup505, LoadSetup505Family},
    {KindFamily::Current, LoadCurrentFamily},
    {KindFamily::Monitor, LoadMonitorFamily},
};

} // namespace

FileKindInfo FindFileKind(std::uint8_t code)
{
    auto it = std::find_if(std::begin(kFileKindCodes), std::end(kFileKindCodes),
                           [code](const FileKindInfo& row) { return row.Code == code; });
    return it != std::end(kFileKindCodes) ? *it : FileKindInfo{code, code, KindFamily::HexaOnly, 0};
}

FamilyLoader FindFamilyLoader(KindFamily family)
{
    auto it = std::find_if(std::begin(kFamilyLoaders), std::end(kFamilyLoaders),
                           [family](const FamilyLoaderEntry& row) { return row.Family == family; });
    return it != std::end(kFamilyLoaders) ? it->Load : nullptr;
}

} // namespace orlu
