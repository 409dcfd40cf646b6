#pragma once
// The rows of a cross table as its writers build them: cells of 10
// characters appended one after the other, a row of any length stored piece
// by piece through the table engine once it passes the piece length, the
// column separator between the cells. Value cells are printed with their
// column's format, the missing value as "----", the first point of a number
// as the decimal character; a format ending in 'e' gets a two-digit
// exponent in a field that keeps its width.
//
// Unlike EmitFieldRow, the decimal character is put into each number as it
// is printed, never into the labels: a file name such as "S1.M" keeps its
// point under the decimal comma.

#include "document/LineList.h"
#include "platform/CompiledFormat.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

class CrossTableRows {
public:
    /// A printf format of the numbers of a column, parsed once.
    class NumberFormat {
    public:
        explicit NumberFormat(std::string_view format);

    private:
        friend class CrossTableRows;
        CompiledFormat m_Format;
        bool m_RepairExponent;
    };

    CrossTableRows(LineList& lines, const TableOutputOptions& options);

    /// Adds the caption with every blank written as '_'.
    void Caption(std::string text);

    /// Appends a cell as it is (the caller pads it).
    void Cell(std::string_view text);
    /// Appends a text in a field of 10 characters, as "%-10s".
    void Text(std::string_view text);
    /// Appends an integer in a field of 10 characters, as "%-10d".
    void Integer(long long value);
    /// Appends a number printed by the format; a missing value gives "----".
    void Number(double value, const NumberFormat& format);
    /// Appends the missing-value cell "----".
    void Missing();
    /// Appends a packed date, (year - 2000) x 512 + month x 32 + day, as yy/mm/dd.
    void Date(std::uint16_t word);
    /// Appends a time of day in 2-second units as hh:mm'ss.
    void Time(std::uint16_t word);

    /// Ends the row: the line is stored with its separators.
    void EndRow();

    /// The widest line stored so far.
    int Widest() const { return m_Widest; }

    /// Parses a format once for all the cells that use it; the same text gives the same object.
    const NumberFormat& FormatOf(std::string_view format);

private:
    void AfterCell();

    LineList& m_Lines;
    char m_Separator;
    bool m_Doubled;
    char m_Decimal;
    /// The separator alone: whole rows take no decimal character from the engine.
    TableOutputOptions m_FieldRowOptions;
    std::string m_Row;
    bool m_RowStart = true;
    int m_Widest = 0;
    std::vector<std::pair<std::string, std::unique_ptr<NumberFormat>>> m_Formats;
};

} // namespace orlu
