#include "presentation/RecentFileList.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::string_view kSection = "Recent File List";

std::string EntryKey(int index) { return "File" + std::to_string(index + 1); }

} // namespace

void RecentFileList::Add(const std::string& path)
{
    if (path.empty())
        return;
    Remove(path);
    m_Entries.insert(m_Entries.begin(), path);
    if (m_Entries.size() > kCapacity)
        m_Entries.resize(kCapacity);
}

void RecentFileList::Remove(const std::string& path)
{
    m_Entries.erase(std::remove(m_Entries.begin(), m_Entries.end(), path), m_Entries.end());
}

void RecentFileList::Read(const IniProfile& profile)
{
    m_Entries.clear();
    for (int i = 0; i < kCapacity; ++i) {
        std::string path = profile.GetString(kSection, EntryKey(i), "");
        if (!path.empty() && std::find(m_Entries.begin(), m_Entries.end(), path) == m_Entries.end())
            m_Entries.push_back(std::move(path));
    }
}

void RecentFileList::Write(IniProfile& profile) const
{
    // The section is rewritten whole so that no entry of a longer earlier list survives.
    profile.RemoveSection(kSection);
    for (int i = 0; i < static_cast<int>(m_Entries.size()); ++i)
        profile.WriteString(kSection, EntryKey(i), m_Entries[i]);
}

std::string RecentFileList::MenuText(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_Entries.size()))
        return {};
    return "&" + std::to_string(index + 1) + " " + m_Entries[index];
}

} // namespace orlu
