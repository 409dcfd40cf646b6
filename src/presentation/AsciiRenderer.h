#pragma once
// The text the ASCII download makes of one document: the whole file as its
// ASCII view, or the table form of one view with the chosen options and,
// when asked, the header information first. The program's report renderers
// write every line, so a text equals what the views show with the same
// options.

#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "presentation/AsciiContents.h"
#include "presentation/view/FormRenderers.h"

#include <cstdint>

namespace orlu {

/// Whether the document holds what the content renders: main results only
/// of ORLU 505 METER files and of the other units' files without a time
/// history; the spectra, octaves and waveforms when the document has their view.
bool AsciiContentAvailable(const CTmDoc& doc, int content);

/// Renders the contents of documents with the program's report renderers.
class AsciiRenderer {
public:
    AsciiRenderer();
    /// Appends the text of the content to the list (the header first when
    /// chosen, except for the whole files): main results as the view's table
    /// form; spectra and octaves channel by channel, record by record;
    /// waveforms once, for channel 1.
    void Render(CTmDoc& doc, const AsciiChoices& choices, LineList& lines, std::int32_t& widest) const;

private:
    void RenderSpectra(CTmDoc& doc, const TableOutputOptions& options, LineList& lines, std::int32_t& widest) const;
    void RenderOctaves(CTmDoc& doc, std::uint8_t viewKind, const TableOutputOptions& options, LineList& lines,
                       std::int32_t& widest) const;
    void RenderOnce(CTmDoc& doc, MeasurementViewState& view, const TableOutputOptions& options, LineList& lines,
                    std::int32_t& widest) const;

    FormRendererRegistry m_Renderers;
};

} // namespace orlu
