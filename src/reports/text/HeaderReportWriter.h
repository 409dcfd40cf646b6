#pragma once
// What the sections of the Header information report of current-family and
// merged documents share: the document and the view's choices, and the
// assembly of its lines. An item line is the item's 32-character label from
// HeaderItemTable with the value at character 32; a line cut to 12 ends
// after character 44 whatever the value's length.

#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "reports/common/HeaderItemTable.h"
#include "reports/common/HeaderLevelTexts.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orlu {

class HeaderReportWriter {
public:
    HeaderReportWriter(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t unitOption)
        : m_Doc(doc), m_Lines(lines), m_Widest(widest), m_UnitOption(unitOption)
    {
    }

    CTmDoc& Doc() const { return m_Doc; }
    const CurrentHeader& Header() const { return m_Doc.Header(); }
    const CurrentChannel& Channel() const { return m_Doc.Channel(); }

    /// The level unit flag of an input: the view's unit choice for a
    /// microphone (1 linear), the other way round for other inputs.
    int UnitFlag(std::uint16_t inputKind) const;
    /// The flag of the selected channel's input.
    int UnitFlag() const { return UnitFlag(Channel().inputKind); }
    /// FormatHeaderLevelRef over the selected channel, its input kind replaced by `inputKind`.
    std::string LevelRef(double levelDb, int mode, bool relative, bool wholeNumber, std::uint16_t inputKind) const;
    std::string LevelRef(double levelDb, int mode) const
    {
        return LevelRef(levelDb, mode, false, false, Channel().inputKind);
    }

    /// Adds the line as it is.
    void Add(std::string line);
    /// Adds the label of `item` followed by the value.
    void Item(int item, std::string_view value, bool cutTo12 = false);
    /// Adds the label of `item` followed by the text written with the item's " %-10s " format.
    void Text(int item, std::string_view text, bool cutTo12 = false);
    /// Adds the 44-character rule.
    void Rule() { Add(RuleLine()); }

    /// The rule: 32 dashes and 12 dashes.
    static std::string RuleLine();
    /// A value written with the " %-10s " format of the text items.
    static std::string Cell(std::string_view text);

private:
    CTmDoc& m_Doc;
    LineList& m_Lines;
    int* m_Widest;
    std::uint8_t m_UnitOption;
};

} // namespace orlu
