#include "support/InstrumentModel.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace orlu::sim {
namespace {

struct ModelRow {
    std::string_view model;
    std::string_view deviceType; ///< empty: no U field
    std::string_view firmware;
};
// Firmware each model answers with unless told otherwise: versions the
// program accepts.
constexpr ModelRow kModels[] = {
    {"505", "", "1.05"},     {"515", "515", "2.10"}, {"525", "525", "3.08"}, {"530", "530", "3.20"},
    {"535", "535", "3.20"},  {"545", "545", "2.20"}, {"550", "550", "3.20"}, {"560", "560", "6.00"},
    {"570", "570", "6.00"},  {"575", "575", "6.00"}, {"580", "580", "6.00"}, {"590", "590", "3.10"},
    {"595", "595", "6.00"},  {"410", "410", "3.20"}, {"420", "420", "6.00"}, {"monitor", "", "1.00"},
};

const ModelRow* FindModel(const std::string& model)
{
    for (const ModelRow& row : kModels)
        if (row.model == model)
            return &row;
    return nullptr;
}

bool ParseFault(const std::string& text, Fault& fault)
{
    std::string body = text;
    if (const std::size_t at = text.find('@'); at != std::string::npos) {
        body = text.substr(0, at);
        const std::string limit = text.substr(at + 1);
        if (limit.empty())
            return false;
        // A number limits the fault to that command, anything else to that file.
        if (std::all_of(limit.begin(), limit.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            fault.onlyCommand = std::atoi(limit.c_str());
            if (fault.onlyCommand <= 0)
                return false;
        } else {
            fault.onlyName = limit;
        }
    }
    std::string name = body;
    if (const std::size_t colon = body.find(':'); colon != std::string::npos) {
        name = body.substr(0, colon);
        fault.bytes = static_cast<std::size_t>(std::strtoul(body.c_str() + colon + 1, nullptr, 10));
    }
    static const std::pair<std::string_view, FaultKind> kNames[] = {
        {"silent", FaultKind::Silent},   {"garbage", FaultKind::Garbage},          {"noise", FaultKind::Noise},
        {"control", FaultKind::Control}, {"cut", FaultKind::Cut},                  {"disconnect", FaultKind::Disconnect},
        {"unknown-type", FaultKind::UnknownType}, {"no-firmware", FaultKind::NoFirmware},
        {"dir-count", FaultKind::DirCount}, {"count", FaultKind::Count}, {"stall-after", FaultKind::StallAfter},
        {"no-ack", FaultKind::NoAck}, {"names", FaultKind::Names}, {"refuse-upload", FaultKind::RefuseUpload},
        {"no-answer", FaultKind::NoAnswer}, {"stop-reading", FaultKind::StopReading},
        {"wrong-mode", FaultKind::WrongMode}};
    for (const auto& [n, kind] : kNames)
        if (n == name) {
            fault.kind = kind;
            return true;
        }
    return false;
}

/// A type or subtype character of a file name: 0-9, or A-Z for 10-35.
bool TypeCode(char c, std::uint8_t& code)
{
    if (c >= '0' && c <= '9')
        code = static_cast<std::uint8_t>(c - '0');
    else if (c >= 'A' && c <= 'Z')
        code = static_cast<std::uint8_t>(c - 'A' + 10);
    else
        return false;
    return true;
}

/// Kinds that act on the directory, on deletes or on the file store rather
/// than on every reply.
bool IsSpecific(FaultKind kind)
{
    return kind == FaultKind::DirCount || kind == FaultKind::Count || kind == FaultKind::NoAck ||
           kind == FaultKind::Names || kind == FaultKind::StallAfter || kind == FaultKind::RefuseUpload ||
           kind == FaultKind::NoAnswer || kind == FaultKind::StopReading || kind == FaultKind::WrongMode;
}

void PutU16(std::uint8_t* at, std::uint32_t v)
{
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(std::uint8_t* at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::string Trimmed(std::string name)
{
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

} // namespace

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--e-version") {
            options.eVersion = true;
            continue;
        }
        if (a == "--echo") {
            options.echo = true;
            continue;
        }
        if (!value(v))
            return false;
        if (a == "--model")
            options.model = v;
        else if (a == "--files")
            options.filesDir = v;
        else if (a == "--firmware")
            options.firmware = v;
        else if (a == "--serial")
            options.serial = v;
        else if (a == "--mode" && (v == "1" || v == "2"))
            options.mode = v[0] - '0';
        else if (a == "--transcript")
            options.transcript = v;
        else if (a == "--push")
            options.push = v;
        else if (a == "--push-stall" && !v.empty() && std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; }))
            options.pushStall = static_cast<std::size_t>(std::strtoull(v.c_str(), nullptr, 10));
        else if (a == "--empty-entry")
            options.emptyEntries.push_back(std::atoi(v.c_str()));
        else if (a == "--fault") {
            Fault fault;
            if (!ParseFault(v, fault)) {
                error = "unknown fault " + v;
                return false;
            }
            options.faults.push_back(fault);
        } else {
            error = "unknown option " + a + " " + v;
            return false;
        }
    }
    if (!InstrumentModel::IsKnownModel(options.model)) {
        error = "unknown model " + options.model;
        return false;
    }
    return true;
}

bool ParseSimOptions(const std::string& words, SimOptions& options, std::string& error)
{
    std::istringstream in(words);
    std::vector<std::string> args{std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
    return ParseSimOptions(args, options, error);
}

bool LoadPushBytes(const SimOptions& options, std::vector<std::uint8_t>& bytes, std::string& error)
{
    bytes.clear();
    if (options.push.empty())
        return true;
    std::ifstream in(options.push, std::ios::binary);
    if (!in) {
        error = "cannot read " + options.push.string();
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (options.pushStall && *options.pushStall < bytes.size())
        bytes.resize(*options.pushStall);
    return true;
}

bool LoadUnitFiles(const std::filesystem::path& folder, std::vector<UnitFile>& files, std::string& error)
{
    files.clear();
    if (folder.empty())
        return true;
    std::error_code ec;
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file())
            paths.push_back(entry.path());
    if (ec) {
        error = "cannot read " + folder.string();
        return false;
    }
    std::sort(paths.begin(), paths.end());
    for (const auto& path : paths) {
        std::string name = path.filename().string();
        bool container = false;
        if (name.size() > 4 && name.ends_with(".orl")) {
            container = true;
            name.resize(name.size() - 4);
        }
        const std::size_t dot = name.rfind('.');
        if (dot == std::string::npos || dot + 1 >= name.size()) {
            error = "no type in " + path.filename().string();
            return false;
        }
        UnitFile file;
        file.name = name.substr(0, dot);
        const bool typed = TypeCode(name[dot + 1], file.type) &&
                           (name.size() == dot + 2 || (name.size() == dot + 4 && name[dot + 2] == '-' &&
                                                       TypeCode(name[dot + 3], file.subtype)));
        if (!typed) {
            error = "bad type in " + path.filename().string();
            return false;
        }
        std::ifstream in(path, std::ios::binary);
        file.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (container)
            file.bytes.erase(file.bytes.begin(), file.bytes.begin() + std::min<std::ptrdiff_t>(32, std::ssize(file.bytes)));
        files.push_back(std::move(file));
    }
    return true;
}

bool InstrumentModel::IsKnownModel(const std::string& model)
{
    return FindModel(model) != nullptr;
}

InstrumentModel::InstrumentModel(SimOptions options, std::vector<UnitFile> files)
    : m_Options(std::move(options)), m_Files(std::move(files))
{
    for (const Fault& fault : m_Options.faults)
        if (fault.kind == FaultKind::Names)
            for (const char* hostile : {"A/B", "/TOP", "\\TOP"})
                m_Files.push_back({hostile, 1, 0, std::vector<std::uint8_t>(hostile, hostile + std::strlen(hostile))});
}

const Fault* InstrumentModel::FaultNow(const std::string& name) const
{
    for (const Fault& fault : m_Options.faults)
        if (!IsSpecific(fault.kind) && (fault.onlyCommand == 0 || fault.onlyCommand == m_Commands) &&
            (fault.onlyName.empty() || fault.onlyName == name))
            return &fault;
    return nullptr;
}

const Fault* InstrumentModel::SpecificFault(FaultKind kind, const std::string& name) const
{
    for (const Fault& fault : m_Options.faults)
        if (fault.kind == kind && (fault.onlyCommand == 0 || fault.onlyCommand == m_Commands) &&
            (fault.onlyName.empty() || fault.onlyName == name))
            return &fault;
    return nullptr;
}

const UnitFile* InstrumentModel::FindFile(const std::string& name, std::size_t* index) const
{
    for (std::size_t i = 0; i < m_Files.size(); ++i)
        if (m_Files[i].name == name) {
            if (index)
                *index = i;
            return &m_Files[i];
        }
    return nullptr;
}

std::vector<std::uint8_t> InstrumentModel::DirectoryImage() const
{
    std::vector<std::array<std::uint8_t, 32>> entries;
    std::uint32_t address = kMonitorBase;
    for (std::size_t i = 0; i < m_Files.size(); ++i) {
        const UnitFile& file = m_Files[i];
        std::array<std::uint8_t, 32> e{};
        std::fill(e.begin(), e.begin() + 8, ' ');
        std::copy_n(file.name.begin(), std::min<std::size_t>(file.name.size(), 8), e.begin());
        e[8] = file.type;
        e[9] = file.subtype;
        const auto size = static_cast<std::uint32_t>(file.bytes.size());
        if (IsMonitor()) {
            PutU32(&e[14], address);
            PutU32(&e[18], address + size - 1);
            address += size;
        } else {
            PutU32(&e[12], size);
            PutU32(&e[16], ItemDataOf(i));
            const auto day = static_cast<std::uint32_t>(1 + i % 28);
            PutU16(&e[20], (24u << 9) | (3u << 5) | day);
            PutU16(&e[22], static_cast<std::uint32_t>((10 * 3600 + 20 * 60 + 30 + 2 * i) / 2));
        }
        entries.push_back(e);
    }
    for (int at : m_Options.emptyEntries) {
        // A deleted entry keeps the rest of its old record.
        std::array<std::uint8_t, 32> e{};
        const char old[] = "\0GONE   ";
        std::copy_n(old, 8, e.begin());
        e[8] = 1;
        PutU32(&e[12], 77);
        const auto pos = static_cast<std::size_t>(std::clamp<int>(at, 0, static_cast<int>(entries.size())));
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(pos), e);
    }
    std::vector<std::uint8_t> image;
    for (const auto& e : entries)
        image.insert(image.end(), e.begin(), e.end());
    return image;
}

std::string InstrumentModel::IdentifyReply() const
{
    const ModelRow& row = *FindModel(m_Options.model);
    const Fault* fault = FaultNow();
    const bool unknownType = fault && fault->kind == FaultKind::UnknownType;
    const bool noFirmware = fault && fault->kind == FaultKind::NoFirmware;
    const std::string firmware = m_Options.firmware.value_or(std::string(row.firmware));
    const std::string serial = (m_Options.eVersion ? "E" : "") + m_Options.serial;
    std::string reply = "#1";
    if (Is505()) {
        reply += ",X" + std::to_string(m_Options.mode);
        if (unknownType)
            reply += ",U999";
        // The settings come before the firmware, whose "1.05" ends a settings parse.
        for (const auto& [letter, value] : m_Settings505)
            reply += "," + letter + value;
    } else if (unknownType) {
        reply += ",U999";
    } else if (!row.deviceType.empty()) {
        reply += ",U" + std::string(row.deviceType);
    }
    reply += ",N" + serial;
    if (!noFirmware)
        reply += ",W" + firmware;
    return reply + ";";
}

std::vector<std::uint8_t> InstrumentModel::BinaryReply(std::span<const std::uint8_t> data,
                                                       std::optional<std::uint32_t> claimed) const
{
    // The filler is not read by the program: '#' and ';' in it show that the
    // header is taken by position.
    const std::uint8_t filler[] = {';', '#', 0x00, 0x7F};
    const std::size_t fillerLength = Is505() ? 2 : 4;
    std::vector<std::uint8_t> out;
    out.reserve(1 + fillerLength + 4 + data.size());
    out.push_back('#');
    for (std::size_t i = 0; i < fillerLength; ++i)
        out.push_back(filler[i]);
    const auto n = claimed.value_or(static_cast<std::uint32_t>(data.size()));
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

InstrumentModel::Output InstrumentModel::Receive(std::span<const std::uint8_t> bytes)
{
    Output out;
    for (std::uint8_t byte : bytes) {
        if (m_Stopped)
            break;
        if (m_RawLeft > 0) {
            m_Raw.push_back(byte);
            if (const Fault* f = SpecificFault(FaultKind::StopReading, {}); f && m_Raw.size() >= f->bytes) {
                m_Stopped = true;
                out.stopReading = true;
                break;
            }
            if (--m_RawLeft == 0) {
                Output answer = m_RawCommand.starts_with("9,") ? UploadDone() : RawDone();
                out.bytes.insert(out.bytes.end(), answer.bytes.begin(), answer.bytes.end());
            }
            continue;
        }
        if (!m_InCommand) {
            if (byte == '#') {
                m_InCommand = true;
                m_Pending.clear();
            }
            continue;
        }
        if (byte != ';') {
            m_Pending.push_back(static_cast<char>(byte));
            // ";#9,g,size," has no ';': the file's bytes follow its third comma.
            if (byte == ',' && m_Pending.starts_with("9,") && std::count(m_Pending.begin(), m_Pending.end(), ',') == 3) {
                m_InCommand = false;
                ++m_Commands;
                m_RawCommand = m_Pending;
                m_Raw.clear();
                m_RawLeft = static_cast<std::size_t>(std::strtoul(m_Pending.c_str() + m_Pending.find(',', 2) + 1, nullptr, 10));
                if (m_RawLeft == 0) {
                    Output answer = UploadDone();
                    out.bytes.insert(out.bytes.end(), answer.bytes.begin(), answer.bytes.end());
                }
            }
            continue;
        }
        m_InCommand = false;
        ++m_Commands;
        if (m_Pending.starts_with("5,")) {
            // The ORLU 505's file command: 4 size bytes follow (0: delete).
            m_RawCommand = m_Pending;
            m_Raw.clear();
            m_RawLeft = 4;
            continue;
        }
        Output answer = Answer(m_Pending);
        out.bytes.insert(out.bytes.end(), answer.bytes.begin(), answer.bytes.end());
        if (answer.disconnect) {
            out.disconnect = true;
            break;
        }
    }
    return out;
}

InstrumentModel::Output InstrumentModel::Answer(const std::string& command)
{
    if (command.starts_with("4,"))
        return FileReply(command);
    if (command.starts_with("7,DF,") || command.starts_with("7,DS,"))
        return Delete(Trimmed(command.substr(5)), "#7,1;");
    if (command.size() == 4 && command.starts_with("1,X"))
        return ModeCommand(command[3]);
    if (Is505() && command.starts_with("1,") && command.size() > 2) {
        SetItem505(command.substr(2));
        return {};
    }
    if (command != "1")
        return {};
    const std::string text = IdentifyReply();
    return ApplyFault(std::vector<std::uint8_t>(text.begin(), text.end()), FaultNow());
}

void InstrumentModel::SetItem505(const std::string& item)
{
    // "X2" switches the mode; the other letters replace a setting's value.
    if (item[0] == 'X') {
        m_Options.mode = std::atoi(item.c_str() + 1);
        return;
    }
    for (auto& [letter, value] : m_Settings505)
        if (letter == item.substr(0, 1))
            value = item.substr(1);
}

InstrumentModel::Output InstrumentModel::ModeCommand(char digit)
{
    // Only the ORLU 505 has modes; the others take the command without a word.
    if (!Is505() || (digit != '1' && digit != '2'))
        return {};
    int mode = digit - '0';
    if (SpecificFault(FaultKind::WrongMode, {}))
        mode = 3 - mode;
    m_Options.mode = mode;
    if (!m_Options.echo)
        return {};
    const std::string echo = "#1,X" + std::to_string(mode) + ";";
    return Output{std::vector<std::uint8_t>(echo.begin(), echo.end()), false};
}

InstrumentModel::Output InstrumentModel::RawDone()
{
    if (m_Raw.size() == 4) {
        const std::uint32_t size = std::uint32_t{m_Raw[0]} | std::uint32_t{m_Raw[1]} << 8 |
                                   std::uint32_t{m_Raw[2]} << 16 | std::uint32_t{m_Raw[3]} << 24;
        if (size != 0) {
            m_RawLeft = size;
            return {};
        }
    }
    // "5,k,NAME": size 0 deletes, else the bytes after the size are the file.
    const std::size_t nameAt = m_RawCommand.find(',', 2);
    const std::string name = nameAt == std::string::npos ? std::string() : Trimmed(m_RawCommand.substr(nameAt + 1));
    if (m_Raw.size() == 4)
        return Delete(name, "#5,1;");
    UnitFile file{name, static_cast<std::uint8_t>(std::atoi(m_RawCommand.c_str() + 2)), 0,
                  std::vector<std::uint8_t>(m_Raw.begin() + 4, m_Raw.end())};
    return StoreUpload(std::move(file), "#5,1;", "#5,0;");
}

InstrumentModel::Output InstrumentModel::UploadDone()
{
    // "9,g,size,": g 1 a file, 2 a setup, 3 a buffer.
    const char group = m_RawCommand.size() > 2 ? m_RawCommand[2] : '1';
    std::string name;
    for (std::size_t i = 2; i < 10 && i < m_Raw.size() && m_Raw[i] != 0; ++i)
        name.push_back(static_cast<char>(m_Raw[i]));
    UnitFile file{Trimmed(name), static_cast<std::uint8_t>(group == '1' ? 1 : 0),
                  static_cast<std::uint8_t>(group == '2' ? 2 : 0), m_Raw};
    return StoreUpload(std::move(file), "#9,1;", "#9,0;");
}

InstrumentModel::Output InstrumentModel::StoreUpload(UnitFile file, const std::string& ack, const std::string& refusal)
{
    if (SpecificFault(FaultKind::NoAnswer, file.name))
        return {};
    if (SpecificFault(FaultKind::RefuseUpload, file.name))
        return {std::vector<std::uint8_t>(refusal.begin(), refusal.end()), false, false};
    if (!m_Options.filesDir.empty())
        SaveToFolder(file);
    std::size_t at = 0;
    if (FindFile(file.name, &at))
        m_Files[at] = std::move(file);
    else
        m_Files.push_back(std::move(file));
    return {std::vector<std::uint8_t>(ack.begin(), ack.end()), false, false};
}

void InstrumentModel::SaveToFolder(const UnitFile& file) const
{
    // NAME.T or NAME.T-S, as LoadUnitFiles reads them; an earlier file of the name goes.
    auto code = [](std::uint8_t v) { return static_cast<char>(v < 10 ? '0' + v : 'A' + (v - 10)); };
    if (file.name.empty() || file.name.find_first_of("/\\.") != std::string::npos || file.type > 35 || file.subtype > 35)
        return;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(m_Options.filesDir, ec))
        if (entry.path().filename().string().starts_with(file.name + "."))
            std::filesystem::remove(entry.path(), ec);
    std::string name = file.name + "." + code(file.type);
    if (file.subtype != 0)
        name += std::string("-") + code(file.subtype);
    std::ofstream(m_Options.filesDir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.bytes.data()), static_cast<std::streamsize>(file.bytes.size()));
}

InstrumentModel::Output InstrumentModel::Delete(const std::string& name, const std::string& ack)
{
    if (SpecificFault(FaultKind::NoAck, name))
        return {};
    std::size_t at = 0;
    if (FindFile(name, &at))
        m_Files.erase(m_Files.begin() + static_cast<std::ptrdiff_t>(at));
    return ApplyFault(std::vector<std::uint8_t>(ack.begin(), ack.end()), FaultNow(name));
}

InstrumentModel::Output InstrumentModel::FileReply(const std::string& command)
{
    if (command == "4,0,\\")
        return Faulted(DirectoryImage(), {}, true);
    std::vector<std::string> parts;
    for (std::size_t from = 0;;) {
        const std::size_t comma = command.find(',', from);
        parts.push_back(command.substr(from, comma - from));
        if (comma == std::string::npos)
            break;
        from = comma + 1;
    }
    if (command == "4,3") {
        const UnitFile* file = FindFile("RAMfile");
        return file ? Faulted(file->bytes, file->name, false) : Output{};
    }
    if (IsMonitor()) {
        // "4,1,SSSSSS,EEEEEE": an inclusive range of the memory the files fill from kMonitorBase.
        if (parts.size() != 4 || parts[2].size() != 6 || parts[3].size() != 6)
            return {};
        const auto start = static_cast<std::uint32_t>(std::strtoul(parts[2].c_str(), nullptr, 16));
        const auto end = static_cast<std::uint32_t>(std::strtoul(parts[3].c_str(), nullptr, 16));
        std::vector<std::uint8_t> memory;
        for (const UnitFile& file : m_Files)
            memory.insert(memory.end(), file.bytes.begin(), file.bytes.end());
        if (start < kMonitorBase || end < start || end - kMonitorBase >= memory.size())
            return {};
        std::string name;
        std::uint32_t address = kMonitorBase;
        for (const UnitFile& file : m_Files) {
            if (address == start)
                name = file.name;
            address += static_cast<std::uint32_t>(file.bytes.size());
        }
        return Faulted(std::vector<std::uint8_t>(memory.begin() + (start - kMonitorBase),
                                                 memory.begin() + (end - kMonitorBase) + 1),
                       name, false);
    }
    if (parts.size() < 3)
        return {};
    // The name runs from the second comma to the end, or to ",0,w" of a
    // reduced read of the ORLU 505, or to "<count".
    std::string name = command.substr(parts[0].size() + parts[1].size() + 2);
    if (Is505() && parts.size() == 5 && parts[3] == "0")
        name = parts[2];
    std::optional<std::uint32_t> echoed;
    if (const std::size_t lt = name.find('<'); lt != std::string::npos) {
        echoed = static_cast<std::uint32_t>(std::strtoul(name.c_str() + lt + 1, nullptr, 10));
        name.resize(lt);
    }
    name = Trimmed(name);
    std::size_t index = 0;
    const UnitFile* file = FindFile(name, &index);
    if (!file && !Is505() && parts[1] == "2" && name.starts_with("B")) {
        // A buffer is asked for by the suffix of its name after '_'.
        for (std::size_t i = 0; i < m_Files.size() && !file; ++i) {
            const std::string& n = m_Files[i].name;
            const std::size_t bar = n.find('_');
            const std::string suffix = bar == std::string::npos ? std::string() : n.substr(bar + 1);
            if (m_Files[i].type == 0 && suffix == name.substr(1)) {
                file = &m_Files[i];
                index = i;
            }
        }
    }
    // A request must echo its entry's item data; a wrong count gets no reply.
    if (!file || (echoed && *echoed != ItemDataOf(index)))
        return {};
    return Faulted(file->bytes, file->name, false);
}

InstrumentModel::Output InstrumentModel::Faulted(std::vector<std::uint8_t> data, const std::string& name,
                                                 bool directory) const
{
    std::optional<std::uint32_t> claimed;
    if (const Fault* f = SpecificFault(directory ? FaultKind::DirCount : FaultKind::Count, name)) {
        claimed = static_cast<std::uint32_t>(f->bytes);
        data.resize(std::min(data.size(), f->bytes));
    }
    std::vector<std::uint8_t> reply = BinaryReply(data, claimed);
    if (const Fault* f = SpecificFault(FaultKind::StallAfter, name)) {
        const std::size_t header = Is505() ? 7 : 9;
        reply.resize(std::min(reply.size(), header + f->bytes));
    }
    return ApplyFault(std::move(reply), FaultNow(name));
}

InstrumentModel::Output InstrumentModel::ApplyFault(std::vector<std::uint8_t> reply, const Fault* fault) const
{
    Output out;
    if (reply.empty())
        return out;
    if (!fault) {
        out.bytes = std::move(reply);
        return out;
    }
    switch (fault->kind) {
    case FaultKind::Silent:
        break;
    case FaultKind::Garbage:
        for (int i = 0; i < 48; ++i)
            out.bytes.push_back(static_cast<std::uint8_t>("garbage without a reply "[i % 24]));
        break;
    case FaultKind::Noise:
        out.bytes = {0x55, 0xAA, 'x', 0x00, '1'};
        out.bytes.insert(out.bytes.end(), reply.begin(), reply.end());
        break;
    case FaultKind::Control: {
        const std::size_t half = reply.size() / 2;
        out.bytes.assign(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(half));
        out.bytes.push_back(0x07);
        out.bytes.insert(out.bytes.end(), reply.begin(), reply.end());
        break;
    }
    case FaultKind::Cut:
    case FaultKind::Disconnect:
        out.bytes.assign(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(std::min(fault->bytes, reply.size())));
        out.disconnect = fault->kind == FaultKind::Disconnect;
        break;
    default:
        out.bytes = std::move(reply); // already in the reply's fields, or acted on before
        break;
    }
    return out;
}

} // namespace orlu::sim
