// The text document and its view: lines from CR LF, lone CR and lone LF, the
// hex dump, titles and the close question, saving in the encoding read, and
// the view's form switches, Select All and Copy.

#include "presentation/CTmDoc1.h"
#include "presentation/view/TextFormLayout.h"
#include "presentation/view/TextViewModel.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace orlu {
namespace {

std::vector<std::string> Texts(const LineSource& lines)
{
    std::vector<std::string> out;
    std::string buffer;
    for (std::size_t i = 0; i < lines.LineCount(); ++i)
        out.emplace_back(lines.Line(i, buffer));
    return out;
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class TextDocumentTest : public ::testing::Test {
protected:
    /// A document opened from a file holding the bytes.
    std::unique_ptr<CTmDoc1> Open(std::string_view name, std::string_view bytes)
    {
        const auto path = m_Folder.Path() / name;
        WriteFile(path, bytes);
        auto doc = std::make_unique<CTmDoc1>(m_Ui, TextDocOrigin::None);
        EXPECT_TRUE(doc->OnOpenDocument(path));
        doc->SetPathName(path);
        return doc;
    }

    test::ScratchFolder m_Folder;
    ScriptedInteraction m_Ui;
    AppSettings m_Settings;
};

TEST_F(TextDocumentTest, LineEnds)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"CR LF", "A\r\nB\r\n", {"A\r\n", "B\r\n"}},
        {"lone CR", "A\rB", {"A\r\n", "B\r\n"}},
        {"lone LF stays in the line", "A\nB\r", {"A\nB\r\n"}},
        {"empty lines kept", "\r\n\r\nC", {"\r\n", "\r\n", "C\r\n"}},
        {"no bytes, no lines", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = Open("lines.txt", c.bytes);
        std::int32_t widest = -1;
        EXPECT_EQ(Texts(*doc->RenderTextLines(&widest)), c.lines);
        std::size_t longest = 0;
        for (const std::string& l : c.lines)
            longest = std::max(longest, l.size());
        EXPECT_EQ(widest, static_cast<int>(longest));
    }
}

TEST_F(TextDocumentTest, HexDumpOfSeventeenBytes)
{
    auto doc = Open("dump.txt", "0123456789ABCDEF\x01");
    std::int32_t widest = 0;
    const auto lines = Texts(*doc->RenderHexDump(&widest));
    const std::vector<std::string> expected = {
        "Offset   0  1  2  3   4  5  6  7   8  9  A  B   C  D  E  F   0123456789ABCDEF\r\n",
        "------  -- -- -- --  -- -- -- --  -- -- -- --  -- -- -- --   ----------------\r\n",
        "000000  30 31 32 33  34 35 36 37  38 39 41 42  43 44 45 46   0123456789ABCDEF\r\n",
        "000010  01                                                   .\r\n",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(lines[3].size(), 61u + 1 + 2) << "the last group padded to 61 before its character";
    EXPECT_EQ(widest, 79);

    auto empty = Open("empty.txt", "");
    EXPECT_EQ(Texts(*empty->RenderHexDump(&widest)).size(), 2u) << "headings only";
}

TEST_F(TextDocumentTest, TitlesAndTheCloseQuestion)
{
    // From disk: the disk suffix, and closing asks nothing, also for a name without '.'.
    auto readme = Open("README", "notes\r\n");
    EXPECT_EQ(readme->Title(), "README - text (disk file)");
    readme->NewDocFlag = true;
    EXPECT_TRUE(readme->SaveModified());
    EXPECT_TRUE(m_Ui.Questions().empty());

    // A copy of a view: asked about; a cancelled Save As asks again; Cancel keeps it open.
    LineList lines;
    int widest = 0;
    std::string line = "L1";
    AddLine(lines, line, &widest);
    CTmDoc1 copy(m_Ui, TextDocOrigin::ViewCopy);
    copy.HandOverLines(lines);
    ASSERT_TRUE(copy.OnNewDocument());
    copy.SetTitle("Main results of MEAS1.ORL");
    EXPECT_EQ(copy.Title(), "Main results of MEAS1.ORL - text (TXT view copy)");
    copy.NewDocFlag = true;
    int saveAsCalls = 0;
    copy.SaveAs = [&](CTmDoc1&) { return ++saveAsCalls == 2; };
    const std::string question = "Save " + copy.Title() + "?";
    m_Ui.ExpectQuestion(question, QuestionAnswer::Yes).ExpectQuestion(question, QuestionAnswer::Yes);
    EXPECT_TRUE(copy.SaveModified());
    EXPECT_EQ(saveAsCalls, 2);
    copy.NewDocFlag = true;
    m_Ui.ExpectQuestion(question, QuestionAnswer::Cancel);
    EXPECT_FALSE(copy.SaveModified());

    // A long title gives way to the suffix.
    copy.SetTitle(std::string(80, 'x'));
    EXPECT_EQ(copy.Title().size(), CTmDoc1::kMaxTitle);
    EXPECT_TRUE(copy.Title().ends_with(" - text (TXT view copy)"));
}

TEST_F(TextDocumentTest, NewCopyWithoutLinesMakesNothing)
{
    CTmDoc1 doc(m_Ui, TextDocOrigin::ViewCopy);
    EXPECT_FALSE(doc.OnNewDocument());
}

TEST_F(TextDocumentTest, SavingKeepsTheEncodingReadAndWritesWhatTheViewShows)
{
    // UTF-8 stays UTF-8, every character kept, even one outside Windows-1252;
    // a lone LF stays, line ends become CR LF.
    const std::string utf8 = "m/s\xC2\xB2 \xE2\x82\xAC \xCE\xA9\nx\ry";
    auto doc = Open("u.txt", utf8);
    EXPECT_TRUE(doc->IsUtf8());
    EXPECT_EQ(doc->SavedText(), "m/s\xC2\xB2 \xE2\x82\xAC \xCE\xA9\nx\r\ny\r\n");
    std::int32_t widest = 0;
    EXPECT_EQ(Texts(*doc->RenderTextLines(&widest))[0], "m/s\xB2 \x80 ?\nx\r\n") << "shown in Windows-1252";

    // Windows-1252 stays Windows-1252.
    auto latin = Open("l.txt", "m/s\xB2\r\n");
    EXPECT_FALSE(latin->IsUtf8());
    EXPECT_EQ(latin->SavedText(), "m/s\xB2\r\n");

    // The program's own lines go out as UTF-8, with 0xB2 turned into '2' on the way in.
    LineList lines;
    int w = 0;
    std::string line = "1.0 m/s\xB2 \xB0" "C";
    AddLine(lines, line, &w);
    CTmDoc1 copy(m_Ui, TextDocOrigin::ViewCopy);
    copy.HandOverLines(lines);
    ASSERT_TRUE(copy.OnNewDocument());
    EXPECT_EQ(copy.SavedText(), "1.0 m/s2 \xC2\xB0" "C\r\n");

    // Saving while the view shows Hexa writes the dump, through the real save.
    TextViewModel view(*latin, m_Settings);
    view.OnInitialUpdate();
    view.OnHexa();
    const auto out = m_Folder.Path() / "dump.txt";
    ASSERT_TRUE(latin->OnSaveDocument(out));
    const std::string dumpLine = "000000  6D 2F 73 B2  0D 0A ";
    EXPECT_EQ(ReadFile(out), "Offset   0  1  2  3   4  5  6  7   8  9  A  B   C  D  E  F   0123456789ABCDEF\r\n"
                             "------  -- -- -- --  -- -- -- --  -- -- -- --  -- -- -- --   ----------------\r\n" +
                                 dumpLine + std::string(61 - dumpLine.size(), ' ') + "m/s...\r\n");
}

TEST_F(TextDocumentTest, ViewFormsSelectAllAndCopy)
{
    auto doc = Open("v.txt", "ab\r\nlonger line m/s\xB2\r\nc");
    TextViewModel view(*doc, m_Settings);
    view.OnInitialUpdate();
    EXPECT_FALSE(view.ShowHexa());
    EXPECT_FALSE(view.CanCopy());

    // Select All reaches every character, the widest line's last one included.
    view.SelectAll();
    ASSERT_TRUE(view.CanCopy());
    EXPECT_EQ(view.Copy(), "ab\r\nlonger line m/s\xB2\r\nc\r\n") << "0xB2 kept for the clipboard's superscript";

    // A column block pads the short lines to its width.
    view.SetBlockMode(kBlockBox);
    view.SelectAll();
    EXPECT_EQ(view.Copy(), "ab              \r\nlonger line m/s\xB2\r\nc               \r\n");

    // Switching forms empties the block and goes back to the first line and column.
    view.State().FirstLine = 2;
    view.OnHexa();
    EXPECT_TRUE(view.ShowHexa());
    EXPECT_FALSE(view.CanCopy());
    EXPECT_EQ(view.State().FirstLine, 0);
    EXPECT_EQ(view.State().ShownLines().LineCount(), 2u + 2u);
    view.State().FirstLine = 1;
    view.OnHexa();
    EXPECT_EQ(view.State().FirstLine, 1) << "Hexa again changes nothing";
    view.OnTextMode();
    EXPECT_EQ(view.State().ShownLines().LineCount(), 3u);
    EXPECT_EQ(view.State().FirstLine, 0);
}

TEST_F(TextDocumentTest, DraggingPastAnEdgeScrollsUntilTheEnds)
{
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    auto doc = Open("drag.txt", text);
    TextViewModel view(*doc, m_Settings);
    view.OnInitialUpdate();
    MeasurementViewState& s = view.State();
    s.LineHeight = 10;
    s.CharWidth = 5;
    // A window of 100 x 100 pixels shows 10 lines; the text has 30.
    EXPECT_FALSE(view.DragScroll(50, 50, 100, 100)) << "inside the window nothing moves";
    EXPECT_FALSE(view.DragScroll(50, -5, 100, 100)) << "above the first line there is nothing to show";
    int steps = 0;
    while (view.DragScroll(50, 120, 100, 100))
        ++steps;
    EXPECT_EQ(s.FirstLine, 30 - 10 + 1) << "the drag stops where the scroll bar ends";
    EXPECT_EQ(steps, 21);
    EXPECT_TRUE(view.DragScroll(50, 3, 100, 100));
    EXPECT_EQ(s.FirstLine, 20);
}

} // namespace
} // namespace orlu
