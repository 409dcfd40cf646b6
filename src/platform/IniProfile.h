#pragma once
// The program's settings file with the semantics of the Windows profile
// functions: sections and keys are case-insensitive; an integer read takes the
// leading number of the value ("55zz" is 55) and falls back to the default when
// there is none; strings are kept as written and read back with the blanks
// around them and one pair of enclosing double quotes removed; the first of
// duplicate keys counts; lines starting with ';' and lines without '=' are
// skipped. Save rewrites the file whole and atomically (LF line ends; any CR
// ends a line when read, so CR LF and CR files are read as well), so comments
// and skipped lines are not kept.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

class IniProfile {
public:
    IniProfile() = default;
    explicit IniProfile(std::filesystem::path path) : m_Path(std::move(path)) {}

    /// Reads the file; a missing or unreadable file leaves the profile empty
    /// (returns false), so the program starts with its defaults.
    bool Load();
    /// Rewrites the file whole; false (with the reason) when it cannot be written.
    bool Save(std::string* error = nullptr) const;

    const std::filesystem::path& Path() const { return m_Path; }
    void SetPath(std::filesystem::path path) { m_Path = std::move(path); }

    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    void WriteInt(std::string_view section, std::string_view key, int value);
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool HasKey(std::string_view section, std::string_view key) const;
    void RemoveKey(std::string_view section, std::string_view key);
    void RemoveSection(std::string_view section);

    /// The file named after the program with ".INI": $ORLUPC_INI when set,
    /// else OrluPC.INI in $XDG_CONFIG_HOME/orlupc (or ~/.config/orlupc).
    static std::filesystem::path DefaultPath();

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Entry* FindEntry(std::string_view section, std::string_view key) const;
    // The section of that name, appended at the end when there is none.
    Section& SectionFor(std::string_view name);

    std::filesystem::path m_Path;
    std::vector<Section> m_Sections;
};

} // namespace orlu
