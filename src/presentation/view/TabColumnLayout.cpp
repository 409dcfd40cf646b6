#include "presentation/view/TabColumnLayout.h"

#include "presentation/view/TextFormLayout.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr char kTab = '\t';

// The end of the field that begins at `from`: its closing TAB, or the line's end.
int FieldEnd(std::string_view line, std::size_t from)
{
    const std::size_t tab = line.find(kTab, from);
    return static_cast<int>(tab == std::string_view::npos ? line.size() : tab);
}

void Widen(std::vector<int>& widths, std::size_t field, int width)
{
    if (widths.size() <= field)
        widths.resize(field + 1, 0);
    widths[field] = std::max(widths[field], width);
}

} // namespace

int TabColumnLayout::FieldStart(const Table& table, std::size_t field, int previousStart, int previousLength)
{
    // Past the widths the table was laid out with (or a cell grown since),
    // a field follows its neighbour so that cells never overlap.
    const int following = previousStart + previousLength + kGap;
    return field < table.starts.size() ? std::max(table.starts[field], following) : following;
}

void TabColumnLayout::Clear()
{
    m_Tables.clear();
    m_Widest = 0;
}

void TabColumnLayout::Build(const LineList& lines)
{
    Clear();
    std::vector<int> widths;     // widest cell of each column
    std::vector<int> lastWidths; // widest last cell (with its CR LF) of rows ending in each column
    auto close = [&] {
        Table& table = m_Tables.back();
        table.starts.assign(widths.size(), 0);
        for (std::size_t f = 1; f < widths.size(); ++f)
            table.starts[f] = table.starts[f - 1] + widths[f - 1] + kGap;
        for (std::size_t f = 0; f < lastWidths.size(); ++f)
            if (lastWidths[f] > 0)
                m_Widest = std::max(m_Widest, table.starts[f] + lastWidths[f]);
        widths.clear();
        lastWidths.clear();
    };
    int index = 0;
    for (std::string_view stored : lines) {
        const std::string_view line = LineText(stored);
        const int terminator = static_cast<int>(stored.size() - line.size());
        if (line.find(kTab) == std::string_view::npos) {
            if (!m_Tables.empty() && m_Tables.back().endLine == index)
                close();
            m_Widest = std::max(m_Widest, static_cast<int>(stored.size()));
            ++index;
            continue;
        }
        if (m_Tables.empty() || m_Tables.back().endLine != index)
            m_Tables.push_back({index, index, {}});
        m_Tables.back().endLine = index + 1;
        std::size_t field = 0;
        for (std::size_t from = 0;; ++field) {
            const int end = FieldEnd(line, from);
            const int length = end - static_cast<int>(from);
            Widen(widths, field, length);
            if (end == static_cast<int>(line.size())) {
                Widen(lastWidths, field, length + terminator);
                break;
            }
            from = static_cast<std::size_t>(end) + 1;
        }
        ++index;
    }
    if (!m_Tables.empty() && m_Tables.back().endLine == index)
        close();
}

const TabColumnLayout::Table* TabColumnLayout::TableOf(int index) const
{
    const auto after = std::upper_bound(m_Tables.begin(), m_Tables.end(), index,
                                        [](int i, const Table& table) { return i < table.firstLine; });
    if (after == m_Tables.begin())
        return nullptr;
    const Table& table = *(after - 1);
    return index < table.endLine ? &table : nullptr;
}

int TabColumnLayout::ScreenColumn(int index, std::string_view line, int column) const
{
    const Table* table = TableOf(index);
    if (!table)
        return column;
    int screen = 0;
    for (std::size_t from = 0, field = 0;; ++field) {
        const int end = FieldEnd(line, from);
        if (column <= end || end == static_cast<int>(line.size()))
            return screen + column - static_cast<int>(from);
        screen = FieldStart(*table, field + 1, screen, end - static_cast<int>(from));
        from = static_cast<std::size_t>(end) + 1;
    }
}

int TabColumnLayout::LineColumn(int index, std::string_view line, int screen) const
{
    const Table* table = TableOf(index);
    if (!table)
        return screen;
    int start = 0;
    for (std::size_t from = 0, field = 0;; ++field) {
        const int end = FieldEnd(line, from);
        const int length = end - static_cast<int>(from);
        if (end == static_cast<int>(line.size()))
            return static_cast<int>(from) + screen - start;
        const int next = FieldStart(*table, field + 1, start, length);
        if (screen < next)
            return static_cast<int>(from) + std::min(screen - start, length);
        start = next;
        from = static_cast<std::size_t>(end) + 1;
    }
}

std::string TabColumnLayout::ScreenText(int index, std::string_view line) const
{
    const Table* table = TableOf(index);
    if (!table)
        return std::string(line);
    std::string text;
    for (std::size_t from = 0, field = 0;; ++field) {
        const int end = FieldEnd(line, from);
        const int length = end - static_cast<int>(from);
        const int start = static_cast<int>(text.size());
        text.append(line.substr(from, static_cast<std::size_t>(length)));
        if (end == static_cast<int>(line.size()))
            return text;
        text.resize(static_cast<std::size_t>(FieldStart(*table, field + 1, start, length)), ' ');
        from = static_cast<std::size_t>(end) + 1;
    }
}

} // namespace orlu
