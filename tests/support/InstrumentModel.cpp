#include "support/InstrumentModel.h"

#include <algorithm>
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
        fault.onlyCommand = std::atoi(text.c_str() + at + 1);
        if (fault.onlyCommand <= 0)
            return false;
    }
    std::string name = body;
    if (const std::size_t colon = body.find(':'); colon != std::string::npos) {
        name = body.substr(0, colon);
        fault.bytes = static_cast<std::size_t>(std::strtoul(body.c_str() + colon + 1, nullptr, 10));
    }
    static const std::pair<std::string_view, FaultKind> kNames[] = {
        {"silent", FaultKind::Silent},   {"garbage", FaultKind::Garbage},          {"noise", FaultKind::Noise},
        {"control", FaultKind::Control}, {"cut", FaultKind::Cut},                  {"disconnect", FaultKind::Disconnect},
        {"unknown-type", FaultKind::UnknownType}, {"no-firmware", FaultKind::NoFirmware}};
    for (const auto& [n, kind] : kNames)
        if (n == name) {
            fault.kind = kind;
            return true;
        }
    return false;
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
        file.type = name[dot + 1];
        if (name.size() >= dot + 4 && name[dot + 2] == '-')
            file.subtype = name[dot + 3];
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
}

const Fault* InstrumentModel::FaultNow() const
{
    for (const Fault& fault : m_Options.faults)
        if (fault.onlyCommand == 0 || fault.onlyCommand == m_Commands)
            return &fault;
    return nullptr;
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
    } else if (unknownType) {
        reply += ",U999";
    } else if (!row.deviceType.empty()) {
        reply += ",U" + std::string(row.deviceType);
    }
    reply += ",N" + serial;
    if (!noFirmware)
        reply += ",W" + firmware;
    // The ORLU 505 follows with its settings letters.
    if (Is505())
        reply += ",Q1,V0,P1,S0,M1,L1,K0";
    return reply + ";";
}

std::vector<std::uint8_t> InstrumentModel::BinaryReply(std::span<const std::uint8_t> data) const
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
    const auto n = static_cast<std::uint32_t>(data.size());
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

InstrumentModel::Output InstrumentModel::Receive(std::span<const std::uint8_t> bytes)
{
    Output out;
    for (std::uint8_t byte : bytes) {
        if (!m_InCommand) {
            if (byte == '#') {
                m_InCommand = true;
                m_Pending.clear();
            }
            continue;
        }
        if (byte != ';') {
            m_Pending.push_back(static_cast<char>(byte));
            continue;
        }
        m_InCommand = false;
        ++m_Commands;
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
    Output out;
    std::vector<std::uint8_t> reply;
    if (command == "1") {
        const std::string text = IdentifyReply();
        reply.assign(text.begin(), text.end());
    } else if (command.starts_with("4,") && command.size() > 4) {
        // A file by name: "4,<group>,NAME[<count]", trailing blanks dropped.
        std::string name = command.substr(command.find(',', 2) + 1);
        name = name.substr(0, name.find('<'));
        name.erase(name.find_last_not_of(' ') + 1);
        for (const UnitFile& file : m_Files)
            if (file.name == name)
                reply = BinaryReply(file.bytes);
    }
    if (reply.empty())
        return out;

    const Fault* fault = FaultNow();
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
    case FaultKind::UnknownType:
    case FaultKind::NoFirmware:
        out.bytes = std::move(reply); // already in the reply's fields
        break;
    }
    return out;
}

} // namespace orlu::sim
