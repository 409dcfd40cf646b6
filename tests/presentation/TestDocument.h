#pragma once
// A small document for the document-manager and frame tests: it reads any
// file whose first byte is not '!' and answers its save question from a
// script shared by all test documents.

#include "presentation/ManagedDocument.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orlu::test {

struct TestDocumentLog {
    std::deque<bool> saveModifiedAnswers; ///< what SaveModified returns, in turn (true when empty)
    std::vector<std::string> asked;       ///< titles of the documents asked, in order
    std::vector<std::string> closed;      ///< titles of the documents closed, in order
};

class TestDocument : public ManagedDocument {
public:
    explicit TestDocument(TestDocumentLog& log) : m_Log(log) {}

    std::string Title() const override { return m_Title; }
    void SetTitle(const std::string& title) override { m_Title = title; }
    std::string PathName() const override { return m_Path; }
    bool IsModified() const override { return m_Modified; }
    bool NewDocument() override
    {
        m_Modified = true;
        return true;
    }
    bool OpenDocument(const std::string& path) override
    {
        std::ifstream in(path, std::ios::binary);
        char first = 0;
        if (!in.get(first) || first == '!')
            return false;
        m_Path = path;
        m_Title = std::filesystem::path(path).filename().string();
        return true;
    }
    bool SaveModified() override
    {
        if (!m_Modified)
            return true;
        m_Log.asked.push_back(m_Title);
        if (m_Log.saveModifiedAnswers.empty())
            return true;
        bool answer = m_Log.saveModifiedAnswers.front();
        m_Log.saveModifiedAnswers.pop_front();
        return answer;
    }
    void CloseDocument() override { m_Log.closed.push_back(m_Title); }

    void SetModified(bool modified) { m_Modified = modified; }

private:
    TestDocumentLog& m_Log;
    std::string m_Title;
    std::string m_Path;
    bool m_Modified = false;
};

} // namespace orlu::test
