#include "document/LineList.h"

#include <algorithm>
#include <climits>
#include <new>

namespace orlu {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kNoMemoryText = "Not enough memory to load entire file";

void RaiseWidest(int* widest, std::size_t length)
{
    int width = static_cast<int>(std::min<std::size_t>(length, INT_MAX));
    if (widest && width > *widest)
        *widest = width;
}

} // namespace

std::string LineList::Join() const
{
    std::size_t total = 0;
    for (const std::string& line : m_Lines)
        total += line.size();
    std::string text;
    text.reserve(total);
    for (const std::string& line : m_Lines)
        text += line;
    return text;
}

bool LineList::Reserve(std::size_t n)
{
    try {
        m_Lines.reserve(n);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool LineList::ReportNoMemory() const
{
    if (m_Ui)
        m_Ui->ShowMessage(kNoMemoryText, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

bool LineList::Store(std::string& line, bool addCrLf, int* widest)
{
    try {
        if (addCrLf)
            line += kCrLf;
        m_Lines.push_back(std::move(line));
    } catch (const std::bad_alloc&) {
        line.clear();
        return ReportNoMemory();
    }
    RaiseWidest(widest, m_Lines.back().size());
    line.clear();
    return true;
}

bool AddLine(LineList& list, std::string& line, int* widest)
{
    return list.Store(line, true, widest);
}

bool AddLineEx(LineList& list, std::string& line, int* widest, std::string& second)
{
    second.clear();
    return AddLine(list, line, widest);
}

bool AddUnterminatedLine(LineList& list, std::string& line, int* widest)
{
    return list.Store(line, false, widest);
}

bool AppendToLastLine(LineList& list, std::string& text, bool addCrLf, int* widest)
{
    if (list.m_Lines.empty())
        return list.Store(text, addCrLf, widest); // nothing to append to: the text starts the first line
    std::string& last = list.m_Lines.back();
    std::size_t needed = last.size() + text.size() + (addCrLf ? kCrLf.size() : 0);
    try {
        // Reserve once, with room to grow, so that a failure leaves the line
        // as it was and long rows built piece by piece are not copied over
        // and over.
        if (needed > last.capacity())
            last.reserve(std::max(needed, 2 * last.capacity()));
    } catch (const std::bad_alloc&) {
        text.clear();
        return list.ReportNoMemory();
    }
    last += text;
    if (addCrLf)
        last += kCrLf;
    RaiseWidest(widest, last.size());
    text.clear();
    return true;
}

void LineListSink::AddLine(std::string& line)
{
    orlu::AddLine(m_Lines, line, m_Widest);
}

void ClearLineList(LineList* list)
{
    if (list)
        list->m_Lines.clear();
}

} // namespace orlu
