#pragma once
// A simulated instrument: what the program sends goes in byte by byte, the
// instrument's answers come out. The same model stands behind the
// pseudo-terminal of orlu-instsim and behind the fake USB device. Faults can
// be planned for every command or for the K-th one.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orlu::sim {

enum class FaultKind { Silent, Garbage, Noise, Control, Cut, Disconnect, UnknownType, NoFirmware };

struct Fault {
    FaultKind kind = FaultKind::Silent;
    std::size_t bytes = 0; ///< cut and disconnect: after this many bytes of the reply
    int onlyCommand = 0;   ///< 1-based command number it is limited to; 0: every command
};

struct UnitFile {
    std::string name;
    char type = 0;
    char subtype = 0;
    std::vector<std::uint8_t> bytes;
};

struct SimOptions {
    std::string model = "525";
    std::filesystem::path filesDir;
    std::optional<std::string> firmware; ///< "X.YY"; the model's own when none
    std::string serial = "1234";
    bool eVersion = false;
    int mode = 1;
    std::vector<Fault> faults;
    std::filesystem::path transcript;
};

/// Parses "--model M --files DIR [--firmware X.YY] [--serial N] [--e-version]
/// [--mode 1|2] [--fault F[@K]]... [--transcript FILE]"; false with the reason.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error);
/// The same from one text of blank-separated words.
bool ParseSimOptions(const std::string& words, SimOptions& options, std::string& error);

/// The files of a folder: one entry per file, in name order: NAME.T, or
/// NAME.T-S with a subtype; a further ".orl" is served without its 32-byte
/// container header.
bool LoadUnitFiles(const std::filesystem::path& folder, std::vector<UnitFile>& files, std::string& error);

class InstrumentModel {
public:
    /// False when the model is unknown.
    static bool IsKnownModel(const std::string& model);

    explicit InstrumentModel(SimOptions options, std::vector<UnitFile> files = {});

    struct Output {
        std::vector<std::uint8_t> bytes;
        bool disconnect = false; ///< the line is cut after the bytes
    };
    /// Takes received bytes; the answers to every command they complete.
    Output Receive(std::span<const std::uint8_t> bytes);

    /// The identify reply the unit gives without faults.
    std::string IdentifyReply() const;
    int CommandCount() const { return m_Commands; }

private:
    Output Answer(const std::string& command);
    std::vector<std::uint8_t> BinaryReply(std::span<const std::uint8_t> data) const;
    const Fault* FaultNow() const;
    bool Is505() const { return m_Options.model == "505"; }

    SimOptions m_Options;
    std::vector<UnitFile> m_Files;
    std::string m_Pending;
    bool m_InCommand = false;
    int m_Commands = 0;
};

} // namespace orlu::sim
