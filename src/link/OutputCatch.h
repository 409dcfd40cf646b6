#pragma once
// Catching what an instrument pushes on its own: the text it prints, or the
// data image a MONITOR station sends. The program listens on the link,
// collects the bytes in memory and, once the transfer is complete, hands them
// over for a new document: a text document for printed output, a MONITOR
// document for the station's image.
//
// The station's image is "STM ", 7 bytes, L (32-bit big-endian) and a first
// block of L bytes. When that block ends in "#4,2;", M (32-bit little-endian)
// and M more bytes follow. The whole image, header included, is what the
// document receives.

#include "link/TransferProgress.h"
#include "link/UnitLink.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace orlu {

enum class CatchKind : int { Printed = 1, Monitor = 3 };

enum class CatchOutcome {
    NoPort,           ///< the link could not be opened (its dialog was shown)
    NotPrintedOutput, ///< a byte outside 10..126 among the first 31 (message shown)
    Cancelled,        ///< the user's Cancel, or the printed check stopped it
    Nothing,          ///< Finish before any byte came
    PrintedOutput,    ///< the printed bytes, for a text document
    MonitorImage,     ///< a complete station image, for a MONITOR document
    NotMonitorOutput, ///< an incomplete or faulty station image (message shown)
};

struct CaughtOutput {
    CatchOutcome outcome = CatchOutcome::NoPort;
    std::vector<std::uint8_t> bytes; ///< what the document receives
    std::size_t received = 0;        ///< bytes that came over the link
};

inline constexpr std::string_view kNotPrintedOutputText =
    "This is not the printed output or a transmission error has occured !";
inline constexpr std::string_view kNotMonitorOutputText =
    "This is not the MONITOR output or a transmission error has occured !";

/// The titles of the catch dialog.
std::string_view CatchTitle(CatchKind kind);

/// Where a catch takes its bytes from.
class CatchSource {
public:
    virtual ~CatchSource() = default;
    /// Up to buffer.size() bytes, fewer when no more came in time; 0 when
    /// none came at all (the line is idle).
    virtual std::size_t Read(std::span<std::uint8_t> buffer) = 0;
    /// The USB device: a form feed in printed output is followed by CR LF.
    virtual bool Usb() const = 0;
};

/// Looks at the catch each time round the loop, with the bytes received so
/// far and whether the last read got none; it may ask for Finish or Cancel
/// through the progress, as the catch dialog's buttons do.
using CatchWatch = std::function<void(TransferProgress& progress, std::size_t received, bool idle)>;

/// The catch loop on a source, until the image is complete, the printed
/// check fails, or Finish or Cancel is asked for. Shows the printed-output
/// message; leaves the MONITOR message to the caller.
CaughtOutput CatchFromSource(CatchSource& source, CatchKind kind, UserInteraction& ui, TransferProgress& progress,
                             const CatchWatch& watch = {});

/// Opens the link with the kind's time-out profile, catches, and releases
/// the link. A faulty or incomplete MONITOR image shows its message here.
CaughtOutput CatchOutput(UnitLink& link, CatchKind kind, TransferProgress& progress, const CatchWatch& watch = {});

/// Whether the catch command of the kind is offered for the instrument family.
bool CatchEnabled(CatchKind kind, std::uint8_t deviceSelector);

} // namespace orlu
