#pragma once
// Every pause, deadline and retry count of the instrument link in one record,
// so that tests can shrink them (or a pause can be checked on a manual clock)
// without touching the settings file. The defaults are the instruments' own.

#include <array>
#include <chrono>
#include <cstdint>
#include <string_view>

namespace orlu {

using Millis = std::chrono::milliseconds;

/// How long a COM port waits for one byte read or written, by the time-out
/// profile an operation opens the port with.
struct ComTimeouts {
    Millis readInterval;
    Millis readMultiplier;
    Millis readConstant;
    Millis writeMultiplier;
    Millis writeConstant;

    /// The deadline of a read of one byte (the program reads byte by byte).
    Millis ReadPerByte() const { return readMultiplier + readConstant; }
    /// The deadline of a write of one byte.
    Millis WritePerByte() const { return writeMultiplier + writeConstant; }
};

/// The time-out profiles an operation opens the port with.
enum class ComProfile : int {
    Commands = 0,     ///< directory, headers, mode switch, loading, delete, settings
    PrintedOutput = 1,
    Upload = 2,
    Monitor = 3,      ///< MONITOR downloads and caught MONITOR output
};
inline constexpr int kComProfileCount = 4;

struct LinkTiming {
    std::array<ComTimeouts, kComProfileCount> com{{
        {Millis(1000), Millis(3000), Millis(3000), Millis(500), Millis(0)},
        {Millis(100), Millis(500), Millis(100), Millis(500), Millis(0)},
        {Millis(100), Millis(500), Millis(100), Millis(3000), Millis(3000)},
        {Millis(2000), Millis(5000), Millis(2000), Millis(3000), Millis(3000)},
    }};
    /// The wait for each byte of a USB reply.
    Millis usbPerByte{3000};
    /// After the mode command, before the unit is asked again.
    Millis afterModeSwitch{1000};
    /// Between two remote-control items, and after the last one.
    Millis betweenRemoteItems{300};
    Millis afterRemoteItems{1000};
    /// Before the message that ends an upload.
    Millis beforeUploadMessage{1000};
    /// Before an overwrite question during a download.
    Millis beforeOverwriteQuestion{100};
    /// How long a catch of pushed output waits for the USB reader before it
    /// looks at the user's Finish or Cancel again.
    Millis catchWait{100};
    /// Whether the write pause after each byte (5 ms for the ORLU 505) is slept.
    bool writePauses = true;

    int directoryAttempts = 3;
    int uploadHeaderAttempts = 10;
    int uploadAnswerBytes = 20;
    int deleteAnswerBytes = 100;
    /// The longest identify reply taken; a longer one is a transmission error.
    int identifyReplyLimit = 1024;

    const ComTimeouts& Com(ComProfile profile) const { return com[static_cast<int>(profile)]; }

    /// The instruments' own values.
    static LinkTiming Standard() { return {}; }
    /// For tests and trial runs against the simulator: every deadline 200 ms,
    /// every pause 0, the counts kept.
    static LinkTiming Fast();
    /// "standard" or "fast"; false for another name.
    static bool FromName(std::string_view name, LinkTiming& timing);
};

} // namespace orlu
