#pragma once
// The document templates' identities and document strings: which files each
// kind of document opens, its filter in the Open dialog and its names.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

/// Template identifiers (also the ids of their menus and document strings).
enum TemplateId : int {
    kBinaryDocTemplate = 129,
    kTextDocTemplate = 130,
    kMetafileDocTemplate = 131,
    kDosBinaryDocTemplate = 132,
    kBitmapDocTemplate = 107,
};

struct DocTemplateInfo {
    int id;
    /// Window title, document name, File New name, filter name, filter
    /// extension, file type id, file type name; separated by '\n'.
    std::string_view docString;
    bool hasOwnMenu;
};

/// Every template in the order of creation: 129, 130, 131, 132, 107.
std::span<const DocTemplateInfo> DocTemplates();
const DocTemplateInfo* FindDocTemplate(int id);

/// The fields of a document string.
enum class DocStringField { WindowTitle, DocName, FileNewName, FilterName, FilterExt, RegFileTypeId, RegFileTypeName };
std::string_view DocStringPart(std::string_view docString, DocStringField field);

/// The file patterns of a template's filter: ".orl" gives "*.orl", ".M;*.A" gives "*.M" and "*.A".
std::vector<std::string> FilterPatterns(std::string_view docString);

/// True when the file's name matches one of the template's patterns, without regard to case.
bool TemplateMatchesFile(const DocTemplateInfo& info, std::string_view fileName);

/// The Open dialog's filter list: every template in order, then "All Files (*.*)".
std::vector<std::string> OpenDialogFilters();

} // namespace orlu
