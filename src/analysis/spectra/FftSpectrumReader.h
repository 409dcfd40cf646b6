#pragma once
// The FFT spectrum of one record of a document, in dB (or as phases): read
// from the file when the instrument stored spectra, or computed by the
// spectra functions from the time waveforms of ORLU 505 Time files
// (WaveformBlock: a record whose block cannot be taken has no spectrum).
// Current-family files give one spectrum or, as loggers, one per record; the
// records of a Multifile are its files, of which those with FFT spectra give theirs.
// Four-channel files keep a spectrum, or a logger's spectra, per FFT channel.
// Tonality files hold a full-band and a short-band spectrum, each with its own
// lines and resolution.

#include "analysis/spectra/FftLines.h"
#include "analysis/spectra/FftWorkspace.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orlu {

class CTmDoc;

struct FftSpectrumRequest {
    int record = 1;        ///< 1-based; a Multifile's file
    int channelA = 0;      ///< 0-based
    int channelB = 0;
    int function = 1;      ///< SpectraFunctionCode (stored spectra: 1, the channel A's spectrum)
    int form = 0;          ///< SpectraOutputForm
    std::uint8_t window = 2; ///< FftWindowCode of the spectra functions
    std::uint8_t units = 0;  ///< the view's unit option
    int band = 1;            ///< tonality files: 1 the full band, 2 the short band
};

struct FftSpectrumRead {
    FftLines lines;             ///< L, frequencies, window factor, TOTAL position, the channel and quantity
    std::vector<double> values; ///< L levels (and the TOTAL), or L phases in radians
    std::string caption;        ///< function and form, record, file and channel parts
    int records = 1;            ///< the spectra of the file, or a Multifile's files
    std::string fileName;       ///< a Multifile's file the spectrum comes from
};

/// True when the document holds FFT spectra or waveforms this reader takes.
bool HoldsFftSpectra(const CTmDoc& doc);

/// True for a tonality file, whose two spectra are the full band (record 1) and the
/// short band (record 2).
bool HoldsShortBand(const CTmDoc& doc);

/// True for ORLU 505 Time files, whose spectra (and the functions of two channels) are
/// computed from the time waveforms.
bool SpectraFromWaveforms(const CTmDoc& doc);

/// The channels that hold spectra of their own in a document of several channels (a
/// four-channel file: its FFT channels; an ORLU 505 file: all of them); 0 for other documents.
std::uint16_t FftChannelMask(const CTmDoc& doc);

/// The spectrum asked for, or nothing when the record has none.
std::optional<FftSpectrumRead> ReadFftSpectrum(CTmDoc& doc, FftWorkspace& workspace, const FftSpectrumRequest& request);

} // namespace orlu
