#pragma once
// The writer of one Main-results table: the caption and the header line go
// with the first row, rows and footnotes through the table engine, and the
// widest line to the request at the end.

#include "reports/table/MainResultsTables.h"

#include <string>
#include <string_view>

namespace orlu {

class MainTableWriter {
public:
    /// Reports the table kind Main results to the request.
    explicit MainTableWriter(MainTableRequest& request);

    /// Stores the row of fields (the caption and the header before the first one)
    /// and empties the row, which keeps its room for the next.
    void Row(std::string_view caption, std::string_view header, std::string& row);
    /// Stores a footnote line.
    void Footnote(std::string text);
    int Rows() const { return m_Rows; }
    /// Writes the widest line to the request; returns 1, as the renderers do.
    int Finish();

private:
    MainTableRequest& m_Request;
    int m_Widest = 0;
    int m_Rows = 0;
};

} // namespace orlu
