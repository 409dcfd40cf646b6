#pragma once
// The desktop program started on a temporary settings file, with test
// documents for the binary and DOS templates, a recording user interaction
// and dialogs that never block.

#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "support/ScriptedInteraction.h"
#include "presentation/TestDocument.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orlu::test {

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = std::filesystem::temp_directory_path() /
                ("orlu-app-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_Dir);
        std::filesystem::create_directories(m_Dir);
        m_Ini = m_Dir / "OrluPC.INI";
        NewApp();
    }

    /// A fresh application object (the one before it ends first).
    void NewApp()
    {
        m_App.reset();
        m_App = std::make_unique<CTmApp>(m_RealDialogs ? nullptr : &m_Ui);
        for (int id : {kBinaryDocTemplate, kDosBinaryDocTemplate})
            m_App->AddDocumentClass(
                id, [this] { return std::make_unique<TestDocument>(m_Log); },
                [](ManagedDocument& d) { return new QLabel(QString::fromStdString(d.Title())); });
        if (m_RealDialogs)
            return;
        m_App->SetFilePrompts({[this](CTmApp&) { return m_FilesToOpen; },
                               [this](CTmApp&, int count) {
                                   m_ChoiceCounts.push_back(count);
                                   return m_MultiOpenChoice;
                               },
                               [this](CTmApp&, const std::string& proposed) {
                                   m_SaveProposals.push_back(proposed);
                                   if (m_SaveAnswers.empty())
                                       return std::string();
                                   std::string answer = m_SaveAnswers.front();
                                   m_SaveAnswers.erase(m_SaveAnswers.begin());
                                   return answer;
                               }});
        m_App->SetDialogRunner([this](QDialog& dialog) {
            m_DialogsRun.push_back(dialog.windowTitle());
            return 0;
        });
    }

    void TearDown() override
    {
        m_App.reset();
        QApplication::processEvents();
        std::filesystem::remove_all(m_Dir);
    }

    bool Start(std::vector<std::string> extra = {})
    {
        std::vector<std::string> args{"--ini", m_Ini.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return m_App->InitInstance(args);
    }

    std::string MakeFile(const std::string& name, const std::string& bytes = "data")
    {
        std::filesystem::path p = m_Dir / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }

    void WriteIni(const std::string& text) { std::ofstream(m_Ini, std::ios::binary) << text; }

    std::string ReadFileText(const std::filesystem::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    CMainFrame& Frame() { return *m_App->MainFrame(); }

    /// The program's own dialogs, modal and offscreen, in place of the scripted ones; set before SetUp.
    bool m_RealDialogs = false;
    std::filesystem::path m_Dir;
    std::filesystem::path m_Ini;
    ScriptedInteraction m_Ui;
    TestDocumentLog m_Log;
    std::unique_ptr<CTmApp> m_App;
    std::vector<std::string> m_FilesToOpen;
    int m_MultiOpenChoice = 1;
    std::vector<int> m_ChoiceCounts;
    std::vector<std::string> m_SaveProposals;
    std::vector<std::string> m_SaveAnswers; ///< paths the Save As dialog returns in turn ("" cancels)
    std::vector<QString> m_DialogsRun;
};

} // namespace orlu::test
