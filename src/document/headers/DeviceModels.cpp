#include "document/headers/DeviceModels.h"

#include <algorithm>
#include <iterator>

namespace orlu {
namespace {

struct DeviceModelRow {
    std::uint16_t DeviceType;
    std::uint16_t FirmwareFrom; ///< the row holds from this firmware (x 100) ...
    std::uint16_t FirmwareTo;   ///< ... up to and including this one
    std::uint8_t Kind;          ///< FileKindCode of a kind-99 file
    bool ModelFlags::*Flags[3]; ///< the flags the model sets (null: none)
};

constexpr std::uint16_t kAny = 0xFFFF;
constexpr std::uint8_t kStays99 = 99;

// Model groups. A type without a row (such as the ORLU 505) sets no flag and keeps kind 99.
constexpr DeviceModelRow kDeviceModels[] = {
    {410, 0, kAny, 48, {&ModelFlags::Family535, &ModelFlags::ModelQera410, nullptr}},
    {420, 0, kAny, kStays99, {&ModelFlags::Model570, &ModelFlags::LaterModel, &ModelFlags::Family525}},
    {515, 0, 199, 43, {&ModelFlags::Family515Text, nullptr, nullptr}},
    {515, 200, kAny, 44, {&ModelFlags::Family515, nullptr, nullptr}},
    {525, 0, kAny, 45, {&ModelFlags::Family525, nullptr, nullptr}},
    {530, 0, kAny, 46, {&ModelFlags::Family530, nullptr, nullptr}},
    {535, 0, kAny, 47, {&ModelFlags::Family535, nullptr, nullptr}},
    {545, 0, kAny, 42, {&ModelFlags::FourChannel, nullptr, nullptr}},
    {550, 0, kAny, 49, {&ModelFlags::Family535, &ModelFlags::Model550, nullptr}},
    {560, 0, kAny, 44, {&ModelFlags::Model560, &ModelFlags::LaterModel, &ModelFlags::Family515}},
    {570, 0, kAny, 44, {&ModelFlags::Model570, &ModelFlags::LaterModel, &ModelFlags::Family525}},
    {575, 0, kAny, 46, {&ModelFlags::Model575, &ModelFlags::LaterModel, &ModelFlags::Family530}},
    {580, 0, kAny, 47, {&ModelFlags::Model580, &ModelFlags::LaterModel, &ModelFlags::Family535}},
    {590, 0, kAny, 42, {&ModelFlags::Model590, &ModelFlags::FourChannel, nullptr}},
    {595, 0, kAny, 49, {&ModelFlags::Model595, &ModelFlags::LaterModel, &ModelFlags::Family535}},
};

const DeviceModelRow* FindModel(std::uint16_t deviceType, std::uint16_t firmware)
{
    auto it = std::find_if(std::begin(kDeviceModels), std::end(kDeviceModels), [&](const DeviceModelRow& row) {
        return row.DeviceType == deviceType && firmware >= row.FirmwareFrom && firmware <= row.FirmwareTo;
    });
    return it != std::end(kDeviceModels) ? &*it : nullptr;
}

} // namespace

ModelFlags ModelFlagsFor(std::uint16_t deviceType, std::uint16_t firmware)
{
    ModelFlags flags;
    if (const DeviceModelRow* row = FindModel(deviceType, firmware))
        for (bool ModelFlags::*flag : row->Flags)
            if (flag)
                flags.*flag = true;
    return flags;
}

std::uint8_t DeviceKindFor(std::uint16_t deviceType, std::uint16_t firmware)
{
    const DeviceModelRow* row = FindModel(deviceType, firmware);
    return row ? row->Kind : kStays99;
}

} // namespace orlu
