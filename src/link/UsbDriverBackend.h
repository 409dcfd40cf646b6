#pragma once
// What the program needs of the instrument's USB driver: the device paths of
// its file-transfer interface, opening one, the driver's I/O controls, reads
// and writes that block until done or cancelled, and the driver's "Timeout"
// parameter. Linux has no such driver; tests put a fake device behind it.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orlu {

struct UsbIoResult {
    int status = 0;          ///< 0 done, else one of the codes below or another driver error
    std::size_t count = 0;   ///< bytes moved
};

inline constexpr int kUsbFileNotFound = 2;  ///< the device is gone
inline constexpr int kUsbPathNotFound = 3;  ///< the device is gone
inline constexpr int kUsbCrcError = 23;
inline constexpr int kUsbAborted = 995;     ///< the operation was cancelled

inline constexpr std::uint32_t kIoctlDriverName = 0x222014;
inline constexpr std::uint32_t kIoctlPacketSize = 0x222018;
inline constexpr std::uint32_t kIoctlReloadParameters = 0x222020;

/// The driver's time-out when its parameter is missing, in 100 ns units.
inline constexpr std::uint64_t kDefaultDriverTimeout = 15000000;

class UsbDriverBackend {
public:
    using Handle = int; ///< -1: none

    virtual ~UsbDriverBackend() = default;
    /// The paths of the present file-transfer interfaces.
    virtual std::vector<std::string> Enumerate() = 0;
    virtual Handle Open(const std::string& path) = 0;
    virtual void Close(Handle handle) = 0;
    virtual UsbIoResult Control(Handle handle, std::uint32_t code, std::span<std::uint8_t> out) = 0;
    /// Blocks until bytes came (a transfer's rest, at most the buffer), the
    /// driver's time-out passed (0 bytes) or the cancel flag is up
    /// (kUsbAborted); Cancel wakes it to look at the flag.
    virtual UsbIoResult Read(Handle handle, std::span<std::uint8_t> buffer, const std::atomic<bool>& cancel) = 0;
    virtual UsbIoResult Write(Handle handle, std::span<const std::uint8_t> bytes, const std::atomic<bool>& cancel) = 0;
    /// Wakes the pending read or write of the handle, from any thread, after
    /// its cancel flag was raised.
    virtual void Cancel(Handle handle) = 0;
    /// The driver's "Timeout" parameter (8 bytes, 100 ns units); none when missing.
    virtual std::optional<std::uint64_t> GetTimeout() = 0;
    /// Stores the parameter and makes the driver reload it.
    virtual bool SetTimeout(std::uint64_t value) = 0;
};

} // namespace orlu
