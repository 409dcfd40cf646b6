#pragma once
// Where the fields of TAB-separated table rows stand on screen. A TAB has no
// width of its own, so each run of consecutive lines holding a TAB is laid
// out as one table: a field starts in a column as wide as the widest cell of
// that column plus a gap, so the fields line up under their titles and the
// last field of the widest row can be scrolled to. The lines keep their TABs
// (copying and saving write them as they are); only painting, scrolling and
// hit-testing go through these screen columns. Lines without a TAB keep one
// screen column per character.

#include "document/LineList.h"

#include <string>
#include <string_view>
#include <vector>

namespace orlu {

class TabColumnLayout {
public:
    /// Blank columns between the widest cell of a column and the next column.
    static constexpr int kGap = 2;

    /// Lays out the lines (each with or without its CR LF).
    void Build(const LineList& lines);
    void Clear();
    /// No line holds a TAB: screen columns are the lines' own columns.
    bool Empty() const { return m_Tables.empty(); }

    /// The widest line in screen columns, counted as the widest-line counter
    /// of the lines counts them (a line's CR LF included).
    int Widest() const { return m_Widest; }

    /// The screen column of character `column` of line `index` (text without
    /// CR LF). A TAB stands at the end of its field's text; columns past the
    /// line's end go on one screen column each.
    int ScreenColumn(int index, std::string_view line, int column) const;
    /// The character of line `index` under a screen column: inside a field's
    /// gap the TAB that closes the field; past the line's end one column per
    /// screen column. The inverse of ScreenColumn.
    int LineColumn(int index, std::string_view line, int screen) const;
    /// Line `index` as painted: the fields padded with blanks to their columns.
    std::string ScreenText(int index, std::string_view line) const;

private:
    struct Table {
        int firstLine = 0;
        int endLine = 0;         ///< one past the table's last line
        std::vector<int> starts; ///< screen column where each field begins
    };
    /// The table line `index` belongs to; null for a line outside every table.
    const Table* TableOf(int index) const;
    /// Screen column of field `field` of a line whose previous field began at
    /// `previousStart` with `previousLength` characters.
    static int FieldStart(const Table& table, std::size_t field, int previousStart, int previousLength);

    std::vector<Table> m_Tables;
    int m_Widest = 0;
};

} // namespace orlu
