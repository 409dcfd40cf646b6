#include "presentation/DocTemplateTable.h"

#include "presentation/FindById.h"

#include <algorithm>
#include <cctype>

namespace orlu {
namespace {

const DocTemplateInfo kTemplates[] = {
    {kBinaryDocTemplate, "\nBinary\nORL\nBinary Files (*.orl)\n.orl\nOrluPC\nOrluPC Binary File", true},
    {kTextDocTemplate, "\nView\nTXT\nText Files (*.txt)\n.TXT\nOrluPC\nOrluPC Text File", true},
    {kMetafileDocTemplate, "\nView\nEMF\nGraphic Files (*.emf)\n.EMF\nOrluPC\nOrluPC Graphic File", true},
    {kDosBinaryDocTemplate, "\nOld\nORL\nDOS Binary Files [*.A,*.M]\n.M;*.A\nOrluPC\nOrluPC(DOS) Binary File", false},
    {kBitmapDocTemplate, "\nView\nBMP\nGraphic Files (*.bmp)\n.BMP\nOrluPC\nOrluPC Graphic File", true},
};

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::span<const DocTemplateInfo> DocTemplates() { return kTemplates; }

const DocTemplateInfo* FindDocTemplate(int id)
{
    return FindById(DocTemplates(), id);
}

std::string_view DocStringPart(std::string_view docString, DocStringField field)
{
    for (int i = 0; i < static_cast<int>(field); ++i) {
        auto nl = docString.find('\n');
        if (nl == std::string_view::npos)
            return {};
        docString.remove_prefix(nl + 1);
    }
    return docString.substr(0, docString.find('\n'));
}

std::vector<std::string> FilterPatterns(std::string_view docString)
{
    std::string_view ext = DocStringPart(docString, DocStringField::FilterExt);
    std::vector<std::string> patterns;
    if (ext.empty())
        return patterns;
    // The extension field is itself the tail of a pattern list: '*' + ".M;*.A".
    std::string list = "*" + std::string(ext);
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(';', start);
        if (end == std::string::npos)
            end = list.size();
        if (end > start)
            patterns.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return patterns;
}

bool TemplateMatchesFile(const DocTemplateInfo& info, std::string_view fileName)
{
    for (const std::string& pattern : FilterPatterns(info.docString)) {
        std::string_view suffix = std::string_view(pattern).substr(1); // after '*'
        if (fileName.size() >= suffix.size() && EqualNoCase(fileName.substr(fileName.size() - suffix.size()), suffix))
            return true;
    }
    return false;
}

std::vector<std::string> OpenDialogFilters()
{
    std::vector<std::string> filters;
    for (const DocTemplateInfo& t : kTemplates) {
        std::string name(DocStringPart(t.docString, DocStringField::FilterName));
        // "Binary Files (*.orl)" carries its pattern already; the list is made again below.
        if (auto paren = name.rfind(" ("); paren != std::string::npos && name.back() == ')')
            name.erase(paren);
        std::string patterns;
        for (const std::string& p : FilterPatterns(t.docString)) {
            std::string lower = p, upper = p;
            std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
            std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
            patterns += (patterns.empty() ? "" : " ") + lower + " " + upper;
        }
        filters.push_back(name + " (" + patterns + ")");
    }
    filters.push_back("All Files (*)");
    return filters;
}

} // namespace orlu
