#pragma once
// A simulated instrument: what the program sends goes in byte by byte, the
// instrument's answers come out. The same model stands behind the
// pseudo-terminal of orlu-instsim and behind the fake USB device. Faults can
// be planned for every command or for the K-th one.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <cstddef>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace orlu::sim {

enum class FaultKind {
    Silent, Garbage, Noise, Control, Cut, Disconnect, UnknownType, NoFirmware,
    DirCount,   ///< the directory reply claims `bytes` bytes (its data cut to them)
    Count,      ///< a file reply claims `bytes` bytes (its data cut to them)
    StallAfter, ///< a binary reply stops after `bytes` data bytes
    NoAck,      ///< a delete gets no acknowledgement
    Names,      ///< entries "A/B", "/TOP" and "\TOP" follow the folder's
    RefuseUpload, ///< an upload is answered "#9,0;" (the ORLU 505: "#5,0;") and not stored
    NoAnswer,     ///< an upload gets no answer and is not stored
    StopReading,  ///< the unit stops reading the line `bytes` bytes into an upload
    WrongMode,  ///< a mode command puts the unit in the other mode
};

struct Fault {
    FaultKind kind = FaultKind::Silent;
    std::size_t bytes = 0; ///< cut and disconnect: after this many bytes of the reply
    int onlyCommand = 0;   ///< 1-based command number it is limited to; 0: every command
    std::string onlyName;  ///< a file it is limited to; empty: every file
};

struct UnitFile {
    std::string name;
    std::uint8_t type = 0;
    std::uint8_t subtype = 0;
    std::vector<std::uint8_t> bytes;
};

struct SimOptions {
    std::string model = "525";
    std::filesystem::path filesDir;
    std::optional<std::string> firmware; ///< "X.YY"; the model's own when none
    std::string serial = "1234";
    bool eVersion = false;
    int mode = 1;
    bool echo = false; ///< the mode command is answered with "#1,X<d>;"
    std::filesystem::path push;          ///< output pushed once the program has opened the port
    std::optional<std::size_t> pushStall; ///< the push stops after this many bytes
    std::vector<Fault> faults;
    std::filesystem::path transcript;
    std::vector<int> emptyEntries; ///< deleted entries inserted at these directory positions
};

/// Parses "--model M --files DIR [--firmware X.YY] [--serial N] [--e-version]
/// [--mode 1|2] [--echo] [--fault F[@K]]... [--transcript FILE] [--push FILE [--push-stall N]]"; false with the reason.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error);
/// The same from one text of blank-separated words.
bool ParseSimOptions(const std::string& words, SimOptions& options, std::string& error);

/// The bytes of the push (cut to the stall), or none without a push; false when the file cannot be read.
bool LoadPushBytes(const SimOptions& options, std::vector<std::uint8_t>& bytes, std::string& error);

/// The files of a folder: one entry per file, in name order: NAME.T, or
/// NAME.T-S with a subtype (T and S: 0-9, or A-Z for 10-35); a further ".orl"
/// is served without its 32-byte container header.
bool LoadUnitFiles(const std::filesystem::path& folder, std::vector<UnitFile>& files, std::string& error);

class InstrumentModel {
public:
    /// False when the model is unknown.
    static bool IsKnownModel(const std::string& model);

    explicit InstrumentModel(SimOptions options, std::vector<UnitFile> files = {});

    struct Output {
        std::vector<std::uint8_t> bytes;
        bool disconnect = false; ///< the line is cut after the bytes
        bool stopReading = false; ///< the unit reads nothing more from the line
    };
    /// Takes received bytes; the answers to every command they complete.
    Output Receive(std::span<const std::uint8_t> bytes);

    /// The identify reply the unit gives without faults.
    std::string IdentifyReply() const;
    int CommandCount() const { return m_Commands; }
    int Mode() const { return m_Options.mode; }

    /// The directory as the unit sends it: one 32-byte entry per file (the
    /// empty entries and the hostile names of the faults included).
    std::vector<std::uint8_t> DirectoryImage() const;
    /// The item data of a file's entry, which its request must echo.
    static std::uint32_t ItemDataOf(std::size_t fileIndex) { return 1000 + static_cast<std::uint32_t>(fileIndex); }
    /// Where the MONITOR's files start in its memory, laid end to end.
    static constexpr std::uint32_t kMonitorBase = 0x000100;
    const std::vector<UnitFile>& Files() const { return m_Files; }

private:
    Output Answer(const std::string& command);
    Output ModeCommand(char digit);
    Output FileReply(const std::string& command);
    Output RawDone();
    void SetItem505(const std::string& item);
    /// After ";#9,g,size,": the file's bytes are raw; the name is in its words 1 to 4.
    Output UploadDone();
    /// The answer to an upload, with the faults; stores the file when it is confirmed.
    Output StoreUpload(UnitFile file, const std::string& ack, const std::string& refusal);
    /// Writes an uploaded file into the files folder, so that the next run lists it.
    void SaveToFolder(const UnitFile& file) const;
    Output Delete(const std::string& name, const std::string& ack);
    Output Faulted(std::vector<std::uint8_t> data, const std::string& name, bool directory) const;
    Output ApplyFault(std::vector<std::uint8_t> reply, const Fault* fault) const;
    const Fault* SpecificFault(FaultKind kind, const std::string& name) const;
    std::vector<std::uint8_t> BinaryReply(std::span<const std::uint8_t> data, std::optional<std::uint32_t> claimed = {}) const;
    const Fault* FaultNow(const std::string& name = {}) const;
    bool Is505() const { return m_Options.model == "505"; }
    bool IsMonitor() const { return m_Options.model == "monitor"; }
    const UnitFile* FindFile(const std::string& name, std::size_t* index = nullptr) const;

    SimOptions m_Options;
    std::vector<UnitFile> m_Files;
    std::string m_Pending;
    bool m_InCommand = false;
    int m_Commands = 0;
    /// After ";#5,k,NAME;": the 4 size bytes (then the size bytes) still to come.
    std::string m_RawCommand;
    std::size_t m_RawLeft = 0;
    std::vector<std::uint8_t> m_Raw;
    /// The ORLU 505's settings as its identify reply gives them, letter and
    /// value in reply order; "#1,<letter><value>;" changes one.
    std::vector<std::pair<std::string, std::string>> m_Settings505{
        {"Q", "1"}, {"V", "1"}, {"P", "1"}, {"S", "1"}, {"M", "1"}, {"L", "1"}, {"K", "1"}, {"I", "2"},
        {"C", "1"}, {"D", "2"}, {"E", "1"}, {"H", "1"}, {"F", "1"}, {"G", "1"}, {"R", "1"}, {"A", "1"},
        {"B", "0"}, {"T", "0"}, {"Y", "2"}, {"Z", "2"}, {"c", "1"}, {"d", "1"}, {"e", "1"}, {"f", "1"},
        {"g", "1"}, {"k", "2"}, {"m", "1"}, {"r", "1"}, {"u", "2"}, {"x", "C1"}};
    bool m_Stopped = false; ///< stop-reading: nothing after it is taken
};

} // namespace orlu::sim
