#pragma once
// The spectra functions dialog without a window: the spectra function
// (1 spectrum A, 2 spectrum B, 3 and 4 autospectra, 5 and 6 cross spectra,
// 7 to 10 the frequency responses), channels A and B or the channels of the
// single-channel functions, and the display form. Functions of a pair need
// spectra computed from time samples and two channels; what does not apply
// is disabled, and a pair function whose A and B are one channel (or name a
// channel the document lacks) falls back to function 1.

#include <cstdint>

namespace orlu {

struct SpectraFunctionsModel {
    std::uint16_t ChannelCount = 0;
    std::uint16_t DlgChannelA = 1;
    std::uint16_t DlgChannelB = 1;
    std::uint16_t DlgChannelMask = 0;
    std::uint8_t TimeSamples = 0;
    std::uint8_t DlgFunction = 1; ///< 0 after Cancel
    std::uint8_t DlgForm = 0;     ///< 0 power/magn., 1 phase, 2 real part, 3 imaginary part
    std::uint8_t PairAllowed = 0;
    std::uint8_t SingleChoice = 0;
    std::int32_t OneSpectrumOnly = 0;
    std::int32_t AcceptAtOnce = 0;
    bool Ended = false;

    /// Opens the dialog on the preset members.
    void Open();

    bool ChannelAEnabled(int k) const;
    bool ChannelBEnabled(int k) const;
    bool ChannelAChecked(int k) const;
    bool ChannelBChecked(int k) const;
    bool FunctionEnabled(int code) const;
    bool FormEnabled() const { return TimeSamples != 0; }
    bool OneSpectrumBoxEnabled() const { return PairAllowed != 0; }

    /// The buttons; a disabled one does nothing.
    void PressChannelA(int k);
    void PressChannelB(int k);
    /// A function button; with AcceptAtOnce it closes the dialog with OK.
    void PressFunction(int code);
    void PressForm(int form);
    void ClickAcceptAtOnce() { AcceptAtOnce = AcceptAtOnce ? 0 : 1; }
    void ClickOneSpectrumOnly();
    void Ok();
    void Cancel();

private:
    /// A and B are two channels of the document.
    bool PairOfChannels() const;
    void Exchange();
    void UpdateControls();
};

} // namespace orlu
