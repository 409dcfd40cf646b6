// A session that ends (SIGTERM) while one of the program's modal dialogs is
// open ends the program as Exit does: the dialog is answered as cancelled,
// nothing is saved unasked, the settings and recent files are written, and
// the exit runs once.

#include "AppFixture.h"

#include "presentation/CommandTable.h"

#include <QMessageBox>
#include <QTimer>

#include <csignal>
#include <functional>

namespace orlu::test {
namespace {

// Asks through the program's question box: at opening when the file is of an
// older firmware, and before closing when it was modified (Yes writes "saved").
class AskingDocument : public TestDocument {
public:
    AskingDocument(TestDocumentLog& log, UserInteraction& ui, std::vector<QuestionAnswer>& answers)
        : TestDocument(log), m_Ui(ui), m_Answers(answers)
    {
    }
    bool OpenDocument(const std::string& path) override
    {
        if (!TestDocument::OpenDocument(path))
            return false;
        return path.find("old-firmware") == std::string::npos ||
               Ask("The file comes from an older firmware. Open it anyway?") == QuestionAnswer::Yes;
    }
    bool SaveModified() override
    {
        if (!IsModified())
            return true;
        QuestionAnswer answer = Ask("Save changes to " + Title() + "?");
        if (answer == QuestionAnswer::Yes)
            std::ofstream(PathName(), std::ios::binary) << "saved";
        return answer != QuestionAnswer::Cancel;
    }

private:
    QuestionAnswer Ask(const std::string& text)
    {
        m_Answers.push_back(m_Ui.AskQuestion(text));
        return m_Answers.back();
    }
    UserInteraction& m_Ui;
    std::vector<QuestionAnswer>& m_Answers;
};

class SessionEnd : public AppFixture {
protected:
    void SetUp() override
    {
        m_RealDialogs = true;
        AppFixture::SetUp();
    }

    /// A fresh program whose documents ask their questions in its own dialogs.
    void NewAskingApp()
    {
        NewApp();
        for (int id : {kBinaryDocTemplate, kDosBinaryDocTemplate})
            m_App->AddDocumentClass(
                id, [this] { return std::make_unique<AskingDocument>(m_Log, m_App->Ui(), m_Answers); },
                [](ManagedDocument& d) { return new QLabel(QString::fromStdString(d.Title())); });
    }

    struct Outcome {
        int status = -1;
        QString dialog; ///< the class of the modal dialog open when the signal came, empty when none
        bool hung = false;
    };

    /// Runs the program on the arguments; `during` runs once its event loop
    /// does. As soon as a modal dialog shows, a setting changes and SIGTERM
    /// comes twice.
    Outcome RunUntilTerminated(const std::vector<std::string>& extra, const std::function<void()>& during)
    {
        Outcome out;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !out.dialog.isEmpty())
                return;
            out.dialog = QString::fromLatin1(modal->metaObject()->className());
            m_App->Settings().DispPitchSize = 23;
            ::raise(SIGTERM);
            ::raise(SIGTERM);
        });
        watch.start(5);
        // A program that goes on running after the signal is ended here, and the case fails.
        QTimer::singleShot(10000, &watch, [&] {
            out.hung = true;
            QCoreApplication::exit(99);
        });
        if (during)
            QTimer::singleShot(0, &watch, during);
        std::vector<std::string> args{"--ini", m_Ini.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        out.status = m_App->Run(args);
        return out;
    }

    std::vector<QuestionAnswer> m_Answers;
};

TEST_F(SessionEnd, SignalEndsTheProgramWhateverDialogIsOpen)
{
    std::string file = MakeFile("m.orl", "original bytes");
    std::string oldFirmware = MakeFile("old-firmware.orl", "original bytes");
    MessageResult boxResult = MessageResult::Yes;
    auto modifyOpenDocument = [this] {
        static_cast<TestDocument*>(m_App->Documents().AllDocuments().front())->SetModified(true);
    };

    struct Case {
        const char* name;
        std::string file;
        std::function<void()> during;
        const char* dialog; ///< open when the signal comes
        std::vector<QuestionAnswer> answers;
    };
    const Case cases[] = {
        {"firmware question at start-up", oldFirmware, nullptr, "orlu::CQuestionDlg", {QuestionAnswer::Cancel}},
        {"save question of Exit", file,
         [&] {
             modifyOpenDocument();
             Frame().RouteCommand(kIdAppExit);
         },
         "orlu::CQuestionDlg", {QuestionAnswer::Cancel}},
        {"message box", file,
         [&] {
             boxResult = m_App->Ui().ShowMessage("Replace the file?", "OrluPC", MessageButtons::YesNo,
                                                 MessageIcon::Question);
         },
         "QMessageBox", {}},
        {"About box", file, [&] { Frame().RouteCommand(kIdAppAbout); }, "orlu::CAboutDlg", {}},
        {"Open dialog", file, [&] { Frame().RouteCommand(kIdFileOpen); }, "QFileDialog", {}},
        {"no dialog, a modified document", file,
         [&] {
             modifyOpenDocument();
             m_App->Settings().DispPitchSize = 23;
             ::raise(SIGTERM);
         },
         "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(m_Ini);
        WriteIni("[Settings]\nShowSplash=0\n");
        m_Answers.clear();
        NewAskingApp();

        Outcome out = RunUntilTerminated({c.file}, c.during);
        EXPECT_FALSE(out.hung);
        EXPECT_EQ(out.status, 0);
        EXPECT_EQ(out.dialog.toStdString(), c.dialog);
        EXPECT_EQ(m_Answers, c.answers);
        EXPECT_TRUE(m_App->QuitRequested());
        EXPECT_FALSE(Frame().isVisible());
        EXPECT_TRUE(m_App->Documents().AllDocuments().empty());
        EXPECT_EQ(ReadFileText(c.file), "original bytes");
        IniProfile written(m_Ini);
        ASSERT_TRUE(written.Load());
        EXPECT_EQ(written.GetInt("Pitch and Zoom Defaults", "DispPitchSize", -1), 23);
        EXPECT_EQ(written.GetInt("Settings", "ShowSplash", -1), 0);
        if (c.answers.empty()) { // the file opened, so it is the first recent file
            EXPECT_EQ(written.GetString("Recent File List", "File1", ""), c.file);
        }

        // The exit ran once: the program's end writes nothing more.
        std::filesystem::remove(m_Ini);
        m_App.reset();
        EXPECT_FALSE(std::filesystem::exists(m_Ini));
    }
    EXPECT_EQ(boxResult, MessageResult::No); // a Yes/No box has no Cancel
}

} // namespace
} // namespace orlu::test
