#pragma once
// The tables of a Main-results renderer kept as fields, before the table
// engine writes them: the merged report of a Multifile gathers the tables of
// its members this way and writes them itself, with a File column in front.

#include <string>
#include <vector>

namespace orlu {

struct CapturedMainTable {
    std::string caption;
    std::string header;                 ///< the column names, 10 characters each
    std::vector<std::string> rows;      ///< rows of 10-character fields
    std::vector<std::string> footnotes; ///< with their blanks, before '_' replaces them
};

struct MainTableCapture {
    std::vector<CapturedMainTable> tables;
};

} // namespace orlu
