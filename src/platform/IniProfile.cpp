#include "platform/IniProfile.h"

#include "platform/FileIo.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace orlu {
namespace {

constexpr std::string_view kBlanks = " \t";

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names compare as the profile functions compare them: ASCII letters without case.
bool SameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string_view Trim(std::string_view text)
{
    std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// A name or value holds one line of the file; anything after a line break
// would turn into keys of its own when the file is read again.
std::string_view FirstLine(std::string_view text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

// The value as the profile functions hand it out: blanks around it trimmed and
// one pair of enclosing double quotes removed.
std::string_view ReadValue(std::string_view raw)
{
    std::string_view value = Trim(raw);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

// The leading integer of a value: optional sign and decimal digits. Digits
// beyond 32 bits wrap, as the value is kept as a 32-bit integer anyway.
std::optional<int> LeadingInt(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::size_t digitsStart = i;
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    if (i == digitsStart)
        return std::nullopt;
    if (negative)
        value = 0u - value;
    return static_cast<int>(value);
}

// The item of the given name (sections by name, entries by key), or null.
template <class Items, class NameOf>
auto FindNamed(Items& items, std::string_view name, NameOf nameOf) -> decltype(&*items.begin())
{
    auto found = std::ranges::find_if(items, [&](const auto& item) { return SameName(nameOf(item), name); });
    return found == items.end() ? nullptr : &*found;
}

constexpr auto kSectionName = [](const auto& section) -> const std::string& { return section.name; };
constexpr auto kEntryKey = [](const auto& entry) -> const std::string& { return entry.key; };

std::filesystem::path HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
        return user->pw_dir;
    return {};
}

} // namespace

bool IniProfile::Load()
{
    m_Sections.clear();
    if (m_Path.empty())
        return false;
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(m_Path);
    if (!bytes)
        return false;
    std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());

    std::optional<std::size_t> current; // index of the section the lines belong to
    while (!text.empty()) {
        // Every CR or LF ends a line, as in FirstLine: a value read keeps no CR
        // that a save would drop, so CR CR LF ends read back the same after a save.
        std::size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);

        std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == ';')
            continue;
        if (trimmed.front() == '[') {
            // A header without its ']' still names the section up to the line end.
            std::string_view name = Trim(trimmed.substr(1, trimmed.find(']') - 1));
            current = static_cast<std::size_t>(&SectionFor(name) - m_Sections.data());
            continue;
        }
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !current)
            continue;
        std::string_view key = Trim(line.substr(0, equals));
        if (key.empty())
            continue;
        Section& section = m_Sections[*current];
        if (!FindNamed(section.entries, key, kEntryKey)) // the first of duplicate keys wins
            section.entries.push_back({std::string(key), std::string(line.substr(equals + 1))});
    }
    return true;
}

bool IniProfile::Save(std::string* error) const
{
    if (m_Path.empty()) {
        if (error)
            *error = "no settings file named";
        return false;
    }
    std::string text;
    for (const Section& section : m_Sections) {
        if (!text.empty())
            text += '\n';
        text += '[' + section.name + "]\n";
        for (const Entry& entry : section.entries)
            text += entry.key + '=' + entry.value + '\n';
    }
    if (std::filesystem::path folder = m_Path.parent_path(); !folder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (ec) {
            if (error)
                *error = "cannot create " + folder.string() + ": " + ec.message();
            return false;
        }
    }
    return WriteFileAtomically(m_Path, text, error);
}

int IniProfile::GetInt(std::string_view section, std::string_view key, int defaultValue) const
{
    const Entry* entry = FindEntry(section, key);
    if (!entry)
        return defaultValue;
    return LeadingInt(ReadValue(entry->value)).value_or(defaultValue);
}

std::string IniProfile::GetString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const
{
    const Entry* entry = FindEntry(section, key);
    return std::string(entry ? ReadValue(entry->value) : defaultValue);
}

void IniProfile::WriteInt(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void IniProfile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    key = Trim(FirstLine(key));
    if (key.empty())
        return;
    Section& target = SectionFor(section);
    value = FirstLine(value);
    if (Entry* found = FindNamed(target.entries, key, kEntryKey))
        found->value = value;
    else
        target.entries.push_back({std::string(key), std::string(value)});
}

bool IniProfile::HasKey(std::string_view section, std::string_view key) const
{
    return FindEntry(section, key) != nullptr;
}

void IniProfile::RemoveKey(std::string_view section, std::string_view key)
{
    if (Section* found = FindNamed(m_Sections, section, kSectionName))
        std::erase_if(found->entries, [&](const Entry& e) { return SameName(e.key, key); });
}

void IniProfile::RemoveSection(std::string_view section)
{
    std::erase_if(m_Sections, [&](const Section& s) { return SameName(s.name, section); });
}

std::filesystem::path IniProfile::DefaultPath()
{
    if (const char* explicitPath = std::getenv("ORLUPC_INI"); explicitPath && *explicitPath)
        return explicitPath;
    std::filesystem::path configHome;
    // A relative $XDG_CONFIG_HOME is invalid and ignored.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        configHome = xdg;
    else
        configHome = HomeFolder() / ".config";
    return configHome / "orlupc" / "OrluPC.INI";
}

const IniProfile::Entry* IniProfile::FindEntry(std::string_view section, std::string_view key) const
{
    const Section* found = FindNamed(m_Sections, section, kSectionName);
    return found ? FindNamed(found->entries, key, kEntryKey) : nullptr;
}

IniProfile::Section& IniProfile::SectionFor(std::string_view name)
{
    name = Trim(FirstLine(name));
    if (Section* found = FindNamed(m_Sections, name, kSectionName))
        return *found;
    m_Sections.push_back({std::string(name), {}});
    return m_Sections.back();
}

} // namespace orlu
