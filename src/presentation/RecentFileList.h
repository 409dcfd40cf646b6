#pragma once
// The recent-file list of the File menu: the most recent file first, at most
// five entries, kept in the profile's "Recent File List" section as File1..File5.

#include "platform/IniProfile.h"

#include <string>
#include <vector>

namespace orlu {

class RecentFileList {
public:
    static constexpr int kCapacity = 5;

    /// Puts the file first; an entry already in the list moves up, the oldest falls off.
    void Add(const std::string& path);
    /// Drops the file (a recent file that failed to open).
    void Remove(const std::string& path);

    const std::vector<std::string>& Entries() const { return m_Entries; }
    /// The first entry, empty when the list is empty.
    std::string First() const { return m_Entries.empty() ? std::string() : m_Entries.front(); }

    void Read(const IniProfile& profile);
    void Write(IniProfile& profile) const;

    /// The menu text of entry index (0-based): "&1 name".
    std::string MenuText(int index) const;

private:
    std::vector<std::string> m_Entries;
};

} // namespace orlu
