#include "reports/table/MainTableWriter.h"

#include "reports/table/MainTableCapture.h"
#include "reports/table/TableWriter.h"

namespace orlu {

MainTableWriter::MainTableWriter(MainTableRequest& request) : m_Request(request)
{
    request.TableKind = kTableKindMainResults;
}

void MainTableWriter::Row(std::string_view caption, std::string_view header, std::string& row)
{
    if (MainTableCapture* capture = m_Request.Capture) {
        if (m_Rows++ == 0)
            capture->tables.push_back({std::string(caption), std::string(header), {}, {}});
        capture->tables.back().rows.push_back(row);
        row.clear();
        return;
    }
    if (m_Rows == 0) {
        EmitUnderscoredLine(m_Request.Lines, std::string(caption), m_Request.Options, false, &m_Widest);
        std::string headerLine(header);
        EmitHeaderRow(m_Request.Lines, headerLine, m_Request.Options, &m_Widest);
    }
    EmitFieldRow(m_Request.Lines, row, m_Request.Options, &m_Widest);
    ++m_Rows;
}

void MainTableWriter::Footnote(std::string text)
{
    if (MainTableCapture* capture = m_Request.Capture) {
        if (m_Rows > 0)
            capture->tables.back().footnotes.push_back(std::move(text));
        return;
    }
    EmitUnderscoredLine(m_Request.Lines, std::move(text), m_Request.Options, true, &m_Widest);
}

int MainTableWriter::Finish()
{
    m_Request.Width = m_Widest;
    return 1;
}

} // namespace orlu
