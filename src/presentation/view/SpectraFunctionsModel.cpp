#include "presentation/view/SpectraFunctionsModel.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr int kButtons = 5;
constexpr int kSpectrumA = 1;
constexpr int kSpectrumB = 2;
constexpr int kAutospectrumA = 3;
constexpr int kAutospectrumB = 4;
constexpr int kLastFunction = 10;

std::uint16_t BitOf(int k) { return static_cast<std::uint16_t>(1u << (k - 1)); }
bool ValidButton(int k) { return k >= 1 && k <= kButtons; }

} // namespace

void SpectraFunctionsModel::Open()
{
    Ended = false;
    PairAllowed = TimeSamples && ChannelCount > 1 ? 1 : 0;
    Exchange();
    UpdateControls();
}

bool SpectraFunctionsModel::ChannelAEnabled(int k) const
{
    return ValidButton(k) && ChannelCount > std::max(k - 1, 1);
}

bool SpectraFunctionsModel::ChannelBEnabled(int k) const
{
    return ValidButton(k) && SingleChoice && TimeSamples && ChannelCount > std::max(k - 1, 1);
}

bool SpectraFunctionsModel::ChannelAChecked(int k) const
{
    if (!ValidButton(k))
        return false;
    return SingleChoice ? DlgChannelA == k : (DlgChannelMask & BitOf(k)) != 0;
}

bool SpectraFunctionsModel::ChannelBChecked(int k) const
{
    return ValidButton(k) && TimeSamples && SingleChoice && DlgChannelB == k && (k != 1 || ChannelCount > 1);
}

bool SpectraFunctionsModel::FunctionEnabled(int code) const
{
    switch (code) {
    case kSpectrumA: return true;
    case kSpectrumB:
    case kAutospectrumB: return SingleChoice && TimeSamples && ChannelCount > 1;
    case kAutospectrumA: return TimeSamples != 0;
    default: return code > kAutospectrumB && code <= kLastFunction && SingleChoice && TimeSamples && PairOfChannels();
    }
}

bool SpectraFunctionsModel::PairOfChannels() const
{
    // A and B kept from a file of more channels may name a channel this one lacks.
    return DlgChannelA != DlgChannelB && DlgChannelA <= ChannelCount && DlgChannelB <= ChannelCount;
}

void SpectraFunctionsModel::Exchange()
{
    // Only spectra and autospectra of one channel are left with one-spectrum functions.
    if (OneSpectrumOnly && DlgFunction != kSpectrumA && DlgFunction != kAutospectrumA)
        DlgFunction = kSpectrumA;
}

void SpectraFunctionsModel::UpdateControls()
{
    SingleChoice = OneSpectrumOnly ? 0 : 1;
    if (SingleChoice)
        DlgChannelMask = BitOf(std::clamp<int>(DlgChannelA, 1, kButtons));
    // A function of a pair needs two channels.
    if (DlgFunction > kAutospectrumB && !PairOfChannels())
        DlgFunction = kSpectrumA;
}

void SpectraFunctionsModel::PressChannelA(int k)
{
    if (Ended || !ChannelAEnabled(k))
        return;
    if (SingleChoice) {
        DlgChannelA = static_cast<std::uint16_t>(k);
        DlgChannelMask = BitOf(k);
    } else if (DlgChannelMask != BitOf(k)) {
        DlgChannelMask = static_cast<std::uint16_t>(DlgChannelMask ^ BitOf(k));
    }
    UpdateControls();
}

void SpectraFunctionsModel::PressChannelB(int k)
{
    if (Ended || !ChannelBEnabled(k))
        return;
    DlgChannelB = static_cast<std::uint16_t>(k);
    UpdateControls();
}

void SpectraFunctionsModel::PressFunction(int code)
{
    if (Ended || !FunctionEnabled(code))
        return;
    DlgFunction = static_cast<std::uint8_t>(code);
    UpdateControls();
    if (AcceptAtOnce)
        Ok();
}

void SpectraFunctionsModel::PressForm(int form)
{
    if (Ended || !FormEnabled() || form < 0 || form > 3)
        return;
    DlgForm = static_cast<std::uint8_t>(form);
    UpdateControls();
}

void SpectraFunctionsModel::ClickOneSpectrumOnly()
{
    if (Ended || !OneSpectrumBoxEnabled())
        return;
    // Leaving the several-channel choice keeps its lowest channel.
    if (OneSpectrumOnly) {
        const std::uint16_t bits = DlgChannelMask & 0x1F;
        DlgChannelMask = static_cast<std::uint16_t>(bits & -bits);
        if (DlgChannelMask)
            for (int k = 1; k <= kButtons; ++k)
                if (DlgChannelMask == BitOf(k))
                    DlgChannelA = static_cast<std::uint16_t>(k);
    }
    OneSpectrumOnly = OneSpectrumOnly ? 0 : 1;
    Exchange();
    UpdateControls();
}

void SpectraFunctionsModel::Ok()
{
    if (Ended)
        return;
    Exchange();
    if (DlgFunction == kSpectrumB || DlgFunction == kAutospectrumB)
        DlgChannelMask = BitOf(std::clamp<int>(DlgChannelB, 1, kButtons));
    Ended = true;
}

void SpectraFunctionsModel::Cancel()
{
    if (Ended)
        return;
    DlgFunction = 0;
    Ended = true;
}

} // namespace orlu
