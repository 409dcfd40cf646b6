#pragma once
// The text document: a .txt file opened from disk, a copy of the lines a view
// shows (File New), or the output an instrument printed. It keeps the text's
// bytes as they came and gives its view the text lines or a hex dump of them.
//
// Encoding: a file is read as UTF-8 when it is valid UTF-8, else as
// Windows-1252; its view gets Windows-1252 lines, as every view does. Saving
// writes the lines the view shows, a text read from a file in the encoding it
// was read in, a copy of the program's own lines in UTF-8; lines end in CR LF.
//
// A document that has no file yet is the one asked about as it closes; one
// opened from disk closes without a question, whatever its name looks like.

#include "document/LineList.h"
#include "platform/DocumentBase.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace orlu {

/// Where a new text document takes its bytes from.
enum class TextDocOrigin : std::uint8_t { None = 0, ViewCopy = 1, PrintedOutput = 2 };
/// The form the text view shows.
enum class TextForm : std::uint8_t { Text, Hexa };

class CTmDoc1 : public DocumentBase {
public:
    /// View menu items the document offers: bit 11 the text, bit 12 Hexa.
    static constexpr std::uint32_t kTextViewBit = 1u << 11;
    static constexpr std::uint32_t kHexaViewBit = 1u << 12;
    /// The longest window title.
    static constexpr std::size_t kMaxTitle = 59;

    CTmDoc1(UserInteraction& ui, TextDocOrigin origin);

    /// The lines a new ViewCopy document copies (its view's lines at File New);
    /// 0xB2 is kept as '2'. Without lines a ViewCopy document makes nothing.
    void HandOverLines(const LineSource& lines);
    /// The bytes a new PrintedOutput document holds.
    void HandOverPrintedOutput(std::string bytes);

    bool OnNewDocument() override;
    void Serialize(Archive& archive) override;
    void SetTitle(std::string_view title) override;
    bool SaveModified() override;

    /// The text as lines (a CR ends a line, an LF right after it is skipped,
    /// a lone LF stays in the line) in Windows-1252.
    std::shared_ptr<const LineList> RenderTextLines(std::int32_t* widest) const;
    /// The hex dump of the bytes.
    std::shared_ptr<const LineSource> RenderHexDump(std::int32_t* widest) const;

    /// The form the view shows, which is what Save writes.
    void SetShownForm(TextForm form) { m_ShownForm = form; m_HasView = true; }

    const std::string& Bytes() const { return *m_Bytes; }
    bool IsUtf8() const { return m_Utf8; }
    TextDocOrigin Origin() const { return m_Origin; }
    /// No file yet: a copy or printed output not saved.
    bool NotFromDisk() const { return PathName().empty(); }
    std::uint32_t ViewMask() const { return m_ViewMask; }

    /// Set by the application for a visible new document: it is asked about as it closes.
    bool NewDocFlag = false;
    /// Set for a hidden document that saves itself as it closes, without a question.
    bool SaveOnClose = false;
    /// The application's Save As (the prompt and the write); true when the file was written.
    std::function<bool(CTmDoc1&)> SaveAs;

    /// The bytes Save writes for the form the view shows.
    std::string SavedText() const;

private:
    TextDocOrigin m_Origin;
    std::shared_ptr<std::string> m_Bytes = std::make_shared<std::string>();
    bool m_Utf8 = false;       ///< the bytes are UTF-8 (else Windows-1252)
    bool m_SaveUtf8 = false;   ///< Save writes UTF-8
    bool m_HandedOver = false; ///< lines or output were handed over for a new document
    std::uint32_t m_ViewMask = kTextViewBit | kHexaViewBit;
    TextForm m_ShownForm = TextForm::Text;
    bool m_HasView = false;
};

} // namespace orlu
