#include "platform/Archive.h"
#include "platform/DocumentBase.h"
#include "platform/FileIo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace orlu {
namespace {

namespace fs = std::filesystem;

struct TempDir {
    fs::path path;
    TempDir()
    {
        path = fs::temp_directory_path() / ("orlu-archive-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
};

TEST(Archive, ReadsAcrossItsBufferAndReportsTheEndAsAShortCount)
{
    TempDir dir;
    std::vector<std::uint8_t> bytes(300000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 13 + 5);
    ASSERT_TRUE(WriteFileAtomically(dir.path / "f", bytes));

    Archive a = Archive::ForLoading(dir.path / "f");
    EXPECT_EQ(a.FileLength(), bytes.size());
    EXPECT_EQ(a.FileName(), "f");
    std::vector<std::uint8_t> got(bytes.size() + 100);
    std::size_t n = a.Read(got.data(), 262140); // stops 4 bytes before the first refill
    std::uint32_t v = 0;
    ASSERT_TRUE(a.ReadLe32(v)); // straddles the end of the first buffer fill
    EXPECT_EQ(v, bytes[n] | bytes[n + 1] << 8 | bytes[n + 2] << 16 | std::uint32_t(bytes[n + 3]) << 24);
    EXPECT_EQ(a.Position(), 262144u);
    EXPECT_EQ(a.Read(got.data(), got.size()), bytes.size() - 262144);
    std::uint8_t b = 0;
    EXPECT_FALSE(a.ReadByte(b));
    EXPECT_FALSE(a.ReadLe32(v));

    a.SeekTo(299999);
    ASSERT_TRUE(a.ReadByte(b));
    EXPECT_EQ(b, bytes[299999]);
    EXPECT_THROW(Archive::ForLoading(dir.path / "missing"), ArchiveError);
    EXPECT_THROW(Archive::ForLoading(dir.path), ArchiveError);
}

class NoQuestions : public UserInteraction {
public:
    MessageResult ShowMessage(std::string_view text, std::string_view, MessageButtons, MessageIcon,
                              MessageResult) override
    {
        messages.emplace_back(text);
        return MessageResult::Ok;
    }
    QuestionAnswer AskQuestion(std::string_view text) override
    {
        questions.emplace_back(text);
        return answer;
    }
    QuestionAnswer AskQuestionAll(std::string_view text) override { return AskQuestion(text); }
    std::vector<std::string> messages, questions;
    QuestionAnswer answer = QuestionAnswer::Yes;
};

// Stores its text; throws halfway when told to, as a failing store would.
class TextDocument : public DocumentBase {
public:
    using DocumentBase::DocumentBase;
    void Serialize(Archive& archive) override
    {
        if (archive.IsStoring()) {
            archive.Write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size() / 2));
            if (failStore)
                throw std::runtime_error("disk full");
            archive.Write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()) + text.size() / 2,
                                    text.size() - text.size() / 2));
        } else {
            text.resize(archive.FileLength());
            text.resize(archive.Read(text.data(), text.size()));
        }
    }
    std::string text;
    bool failStore = false;
};

TEST(DocumentBase, SavesAtomicallyAndKeepsTheEarlierFileWhenAStoreFails)
{
    TempDir dir;
    NoQuestions ui;
    TextDocument doc(ui);
    doc.text = "first version";
    ASSERT_TRUE(doc.OnSaveDocument(dir.path / "d.txt"));
    doc.text = "second version";
    doc.failStore = true;
    EXPECT_FALSE(doc.OnSaveDocument(dir.path / "d.txt"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("disk full"), std::string::npos);

    TextDocument reread(ui);
    ASSERT_TRUE(reread.OnOpenDocument(dir.path / "d.txt"));
    EXPECT_EQ(reread.text, "first version");
    EXPECT_FALSE(reread.OnOpenDocument(dir.path / "none.txt"));
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST(DocumentBase, OpeningWhatIsNoRegularFileSaysWhyWithoutOpeningIt)
{
    TempDir dir;
    fs::create_directory(dir.path / "folder");
    // Opened, the pipe would wait for a writer that never comes: the test would hang.
    ASSERT_EQ(::mkfifo((dir.path / "pipe").c_str(), 0600), 0);
    const struct Case {
        fs::path path;
        std::string reason;
    } cases[] = {
        {dir.path / "folder", (dir.path / "folder").string() + " is a directory"},
        {dir.path / "pipe", (dir.path / "pipe").string() + " is not a regular file"},
        {"/dev/null", "/dev/null is not a regular file"},
        {dir.path / "none.orl", "cannot open " + (dir.path / "none.orl").string() + ": No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        NoQuestions ui;
        TextDocument doc(ui);
        doc.text = "untouched";
        EXPECT_FALSE(doc.OnOpenDocument(c.path));
        EXPECT_EQ(ui.messages, std::vector<std::string>{"Failed to open document.\n" + c.reason});
        EXPECT_EQ(doc.text, "untouched"); // the loader never ran
        EXPECT_EQ(Archive::WhyNotLoadable(c.path), c.reason);
    }

    // An empty regular file is the loader's to judge.
    ASSERT_TRUE(WriteFileAtomically(dir.path / "empty.orl", std::string_view()));
    EXPECT_EQ(Archive::WhyNotLoadable(dir.path / "empty.orl"), "");
    NoQuestions ui;
    TextDocument doc(ui);
    doc.text = "before";
    EXPECT_TRUE(doc.OnOpenDocument(dir.path / "empty.orl"));
    EXPECT_EQ(doc.text, "");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(DocumentBase, ClosingAModifiedDocumentAsksAndFollowsTheAnswer)
{
    TempDir dir;
    NoQuestions ui;
    TextDocument doc(ui);
    int closed = 0;
    doc.SetCloseHandler([&](DocumentBase&) { ++closed; });
    doc.SetPathName(dir.path / "n.txt");
    EXPECT_EQ(doc.Title(), "n.txt");

    EXPECT_TRUE(doc.CloseDocument()); // not modified: no question
    EXPECT_TRUE(ui.questions.empty());

    doc.SetModifiedFlag();
    ui.answer = QuestionAnswer::Cancel;
    EXPECT_FALSE(doc.CloseDocument());
    ui.answer = QuestionAnswer::Yes;
    doc.text = "kept";
    EXPECT_TRUE(doc.CloseDocument());
    EXPECT_EQ(ui.questions, (std::vector<std::string>{"Save n.txt?", "Save n.txt?"}));
    EXPECT_EQ(closed, 2);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ReadWholeFile(dir.path / "n.txt").value(), (std::vector<std::uint8_t>{'k', 'e', 'p', 't'}));
}

} // namespace
} // namespace orlu
