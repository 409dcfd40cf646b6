#pragma once
// View Hexa: the file's bytes as a hex dump, a header and a rule, then a line
// of 78 characters per 16 bytes. A dump line is a function of its offset
// alone, so the lines are made when asked for, straight from the document's
// image: the dump of a file of any size costs no memory of its own.
//
// The lines follow the document: they read the image the raw views read
// (RawViewImage) at every call, so they never outlive what they show.

#include "document/LineSource.h"

#include <cstdint>

namespace orlu {

class CTmDoc;

class HexDumpLines : public LineSource {
public:
    explicit HexDumpLines(const CTmDoc& doc) : m_Doc(doc) {}

    std::size_t LineCount() const override;
    std::string_view Line(std::size_t i, std::string& buffer) const override;

    /// Every line's length with its CR LF: the widest-line figure of the form.
    static constexpr int kLineWidth = 80;

private:
    const CTmDoc& m_Doc;
};

} // namespace orlu
