#include "presentation/dialogs/TargetPathModel.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace orlu {
namespace fs = std::filesystem;
namespace {

/// A real folder: symbolic links are never taken for folders, so no walk follows them.
bool IsRealFolder(const fs::directory_entry& entry)
{
    std::error_code ec;
    return entry.is_directory(ec) && !entry.is_symlink(ec);
}

/// The subfolders of a folder, in name order; none when it cannot be listed.
std::vector<std::string> ListSubfolders(const fs::path& folder, bool firstOnly)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (!IsRealFolder(*it))
            continue;
        names.push_back(it->path().filename().string());
        if (firstOnly)
            break;
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string NamingLabel(int method)
{
    static const char* const kLabels[] = {"edit name text", "date and time", "default name"};
    return kLabels[std::clamp(method, 1, 3) - 1];
}

} // namespace

std::string ShortenPathText(const std::string& path)
{
    if (path.size() <= 65)
        return path;
    std::string tail = path.substr(path.size() - 59);
    const std::size_t slash = tail.substr(0, 30).find('/');
    tail = slash != std::string::npos ? tail.substr(slash) : path.substr(path.size() - 29);
    return path.substr(0, 3) + "..." + tail;
}

std::string DateTimeFolderName(const std::tm& time)
{
    char text[64]; // room for any int, so the name is never cut
    std::snprintf(text, sizeof text, "%02d%02d%02d_%02dh%02d", (time.tm_year % 100 + 100) % 100, time.tm_mon + 1,
                  time.tm_mday, time.tm_hour, time.tm_min);
    return text;
}

std::string UniqueFolderName(const fs::path& folder, const std::string& base)
{
    int largest = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name == base) {
            largest = std::max(largest, 1);
        } else if (name.size() > base.size() + 2 && name.starts_with(base) && name[base.size()] == '(' &&
                   name.back() == ')') {
            const std::string digits = name.substr(base.size() + 1, name.size() - base.size() - 2);
            if (!digits.empty() && digits.size() <= 9 &&
                std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
                largest = std::max(largest, std::stoi(digits));
        }
    }
    return largest > 0 ? base + "(" + std::to_string(largest + 1) + ")" : base;
}

TargetPathModel::TargetPathModel(UserInteraction& ui, std::function<std::tm()> now, std::vector<fs::path> roots)
    : m_Ui(ui), m_Now(std::move(now)), m_RootPaths(std::move(roots))
{
}

int TargetPathModel::AddNode(int parent, std::string name)
{
    Node node;
    node.name = std::move(name);
    node.parent = parent;
    m_Nodes.push_back(std::move(node));
    const int id = static_cast<int>(m_Nodes.size()) - 1;
    if (parent >= 0) {
        m_Nodes[parent].children.push_back(id);
        m_Nodes[parent].hasChildren = true;
    }
    return id;
}

std::vector<int> TargetPathModel::Roots() const
{
    std::vector<int> roots;
    for (std::size_t i = 0; i < m_Nodes.size(); ++i)
        if (m_Nodes[i].parent < 0 && !m_Nodes[i].removed)
            roots.push_back(static_cast<int>(i));
    return roots;
}

std::string TargetPathModel::PathOf(int id) const
{
    if (id < 0)
        return {};
    const Node& node = At(id);
    if (node.parent < 0)
        return node.name;
    std::string parent = PathOf(node.parent);
    return parent + (parent.ends_with('/') ? "" : "/") + node.name;
}

void TargetPathModel::LoadChildren(int id)
{
    if (m_Nodes[id].loaded)
        return;
    m_Nodes[id].loaded = true;
    for (const std::string& name : ListSubfolders(PathOf(id), false)) {
        const int child = AddNode(id, name);
        // Only whether a subfolder exists: enough for the expand button, and bounded.
        m_Nodes[child].hasChildren = !ListSubfolders(PathOf(child), true).empty();
    }
    m_Nodes[id].hasChildren = !m_Nodes[id].children.empty();
}

void TargetPathModel::SortChildren(int id)
{
    std::sort(m_Nodes[id].children.begin(), m_Nodes[id].children.end(),
              [this](int a, int b) { return m_Nodes[a].name < m_Nodes[b].name; });
}

void TargetPathModel::Expand(int id) { LoadChildren(id); }

void TargetPathModel::Open(const std::string& caption, const std::string& initialPath,
                           const TargetPathOptions& options)
{
    m_Caption = caption;
    m_InitialPath = m_Result = initialPath;
    m_Options = m_Saved = options;
    m_Nodes.clear();
    m_Selected = m_EditItem = -1;
    m_EditState = EditState::None;
    m_DateTimeName = DateTimeFolderName(m_Now());

    // The root that holds the path deepest (the home folder before "/").
    int best = -1;
    std::size_t bestLength = 0;
    const std::string path = fs::path(initialPath).lexically_normal().string();
    for (const fs::path& root : m_RootPaths) {
        const std::string text = root.string();
        const int id = AddNode(-1, text);
        m_Nodes[id].hasChildren = !ListSubfolders(text, true).empty();
        const bool holds =
            path == text || (path.starts_with(text) && (text.ends_with('/') || path[text.size()] == '/'));
        if (holds && text.size() >= bestLength) {
            best = id;
            bestLength = text.size();
        }
    }
    if (best < 0) {
        if (!m_Nodes.empty())
            Select(0);
        return;
    }
    // Down the path's folders as far as they exist.
    std::string rest = path.substr(std::min(bestLength, path.size()));
    int at = best;
    for (const fs::path& part : fs::path(rest)) {
        const std::string name = part.string();
        if (name.empty() || name == "/")
            continue;
        LoadChildren(at);
        auto found = std::find_if(m_Nodes[at].children.begin(), m_Nodes[at].children.end(),
                                  [&](int c) { return m_Nodes[c].name == name; });
        if (found == m_Nodes[at].children.end())
            break;
        at = *found;
    }
    LoadChildren(at);
    Select(at);
}

void TargetPathModel::Select(int id)
{
    if (id >= 0 && id < static_cast<int>(m_Nodes.size()) && !m_Nodes[id].removed)
        m_Selected = id;
    Refresh();
}

void TargetPathModel::Refresh() { m_Result = CurrentPath(); }

bool TargetPathModel::FolderCommandsEnabled() const { return m_Selected >= 0 && At(m_Selected).parent >= 0; }

void TargetPathModel::SetNaming(int method)
{
    m_Options.subfolderNaming = std::clamp(method, 1, 3);
    m_DateTimeName = DateTimeFolderName(m_Now());
}

std::string TargetPathModel::NamingText(int method) const
{
    const std::string& name = method == 1 ? m_Options.editedName
                              : method == 2 ? m_DateTimeName
                                            : m_Options.defaultName;
    return NamingLabel(method) + " \"" + name + "\"";
}

std::string TargetPathModel::NewSubfolderName() const
{
    switch (m_Options.subfolderNaming) {
    case 1: return m_Options.editedName;
    case 2: return m_DateTimeName;
    default: return m_Options.defaultName;
    }
}

bool TargetPathModel::ValidName(const std::string& name) const
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos && name.size() <= 255;
}

void TargetPathModel::CreateSubfolder()
{
    if (m_Selected < 0 || m_EditState != EditState::None)
        return;
    m_DateTimeName = DateTimeFolderName(m_Now());
    LoadChildren(m_Selected);
    const int parent = m_Selected;
    if (m_Options.subfolderNaming == 3) {
        const std::string name = UniqueFolderName(PathOf(parent), m_Options.defaultName);
        std::error_code ec;
        if (!ValidName(name) || !fs::create_directory(fs::path(PathOf(parent)) / name, ec)) {
            m_Ui.ShowMessage(kCreateFailed, kMessageCaption);
            return;
        }
        const int child = AddNode(parent, name);
        SortChildren(parent);
        if (!m_Options.leaveFocusOnParent)
            Select(child);
        return;
    }
    m_EditItem = AddNode(parent, NewSubfolderName());
    m_EditState = EditState::NewFolder;
}

void TargetPathModel::RenameFolder()
{
    if (!FolderCommandsEnabled() || m_EditState != EditState::None)
        return;
    m_EditItem = m_Selected;
    m_EditState = EditState::Rename;
}

std::string TargetPathModel::EditText() const { return m_EditItem >= 0 ? At(m_EditItem).name : std::string(); }

void TargetPathModel::RemoveNode(int id)
{
    Node& node = m_Nodes[id];
    node.removed = true;
    if (node.parent >= 0) {
        auto& siblings = m_Nodes[node.parent].children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
        m_Nodes[node.parent].hasChildren = !siblings.empty();
    }
}

void TargetPathModel::DeleteFolder()
{
    if (!FolderCommandsEnabled() || m_EditState != EditState::None)
        return;
    const int id = m_Selected;
    std::error_code ec;
    // Only an empty, real folder: a link or a file in the tree's place is left alone.
    const fs::path path = CurrentPath();
    if (fs::is_symlink(fs::symlink_status(path, ec)) || !fs::remove(path, ec) || ec) {
        m_Ui.ShowMessage(kDeleteFailed, kMessageCaption);
        return;
    }
    const int parent = m_Nodes[id].parent;
    auto& siblings = m_Nodes[parent].children;
    const auto pos = std::find(siblings.begin(), siblings.end(), id) - siblings.begin();
    RemoveNode(id);
    int next = parent;
    if (!siblings.empty())
        next = siblings[std::min<std::size_t>(static_cast<std::size_t>(pos), siblings.size() - 1)];
    m_InitialPath = PathOf(parent);
    Select(next);
}

void TargetPathModel::EndLabelEdit(const std::optional<std::string>& text)
{
    if (m_EditState == EditState::None)
        return;
    const int item = m_EditItem;
    const EditState state = m_EditState;
    m_EditState = EditState::None;
    m_EditItem = -1;
    const std::string name = text ? text->substr(0, text->find('\n')) : std::string();
    std::error_code ec;
    if (state == EditState::NewFolder) {
        const int parent = m_Nodes[item].parent;
        if (!text) {
            RemoveNode(item);
            return;
        }
        const fs::path path = fs::path(PathOf(parent)) / name;
        if (!ValidName(name) || !fs::create_directory(path, ec)) {
            RemoveNode(item);
            m_Ui.ShowMessage(kCreateFailed, kMessageCaption);
            return;
        }
        if (m_Options.subfolderNaming == 1)
            m_Options.editedName = name;
        m_Nodes[item].name = name;
        SortChildren(parent);
        if (!m_Options.leaveFocusOnParent)
            Select(item);
        return;
    }
    if (!text)
        return;
    const fs::path from = PathOf(item);
    const fs::path to = from.parent_path() / name;
    // rename() would replace an empty folder of that name: an existing name is refused first.
    if (!ValidName(name) || fs::exists(fs::symlink_status(to, ec)) || (fs::rename(from, to, ec), ec)) {
        m_Ui.ShowMessage(kRenameFailed, kMessageCaption);
        return;
    }
    m_Nodes[item].name = name;
    SortChildren(m_Nodes[item].parent);
    Refresh();
}

bool TargetPathModel::Ok(const std::string& editText)
{
    if (m_EditState != EditState::None) {
        EndLabelEdit(editText);
        return false;
    }
    if (m_Result.empty())
        m_Result = m_InitialPath;
    return true;
}

bool TargetPathModel::Cancel()
{
    if (m_EditState != EditState::None) {
        EndLabelEdit(std::nullopt);
        return false;
    }
    m_Options = m_Saved;
    m_Result = m_InitialPath;
    return true;
}

} // namespace orlu
