#pragma once
// What the sample and spectra cross tables read of the document they show:
// its family and kind, its sub-files, and the names of a spectrum's totals.
// The renderer that stages the matrix fills it from its document.

#include "platform/UserInteraction.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace orlu {

struct CrossTableSource {
    /// The channel mode of a legacy file, or a file of several channels: captions name the channel.
    bool ChannelMode = false;
    /// An instrument of the four-channel family.
    bool FourChannel = false;
    /// One of the ORLU 515 (both text variants), 525, 530 or 535 families.
    bool NamedCurrentFamily = false;
    /// A merged document (Multifile), and one of the 505 family.
    bool Merged = false;
    bool Merged505 = false;
    /// The document holds a time history (its spectra are records, numbered).
    bool TimeHistory = false;
    /// A monitoring-station file.
    bool Monitor = false;
    /// 1: a spectrum's total is its first line; 2: its last line; other values: none.
    int FftTotalPosition = 0;
    /// Values per spectrum of one channel: the stride of the peak marks.
    std::size_t ValuesPerSpectrum = 0;
    /// The names of the sub-files, sub-file 1 first.
    std::span<const std::string> SubfileNames;
    /// The content bits of the sub-files, sub-file 1 first.
    std::span<const std::uint16_t> SubfileContents;
    /// The names of a spectrum's trailing total values.
    std::span<const std::string> TotalNameList;
    /// Shows the wait cursor while a table is written; may be null.
    UserInteraction* Ui = nullptr;

    /// The name of sub-file n (from 1); empty when the document has no such sub-file.
    std::string SubfileName(std::size_t n) const
    {
        return n >= 1 && n <= SubfileNames.size() ? SubfileNames[n - 1] : std::string();
    }
};

} // namespace orlu
