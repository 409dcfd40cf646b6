#pragma once
// Records drawing calls as an enhanced metafile. The header's bounds are the
// pixels actually drawn (inclusive), its frame the same area in 0.01 mm of the
// reference device (96 dpi, see EmfFormat.h). Pens, brushes and fonts are
// created when a drawing call first needs them and deleted when replaced;
// the text and background colours, background mode and raster operation are
// written when they first matter and whenever they change. Text is stored as
// UTF-16 with one advance width per character from the font measure.

#include "platform/canvas/Canvas.h"
#include "platform/canvas/FixedFontMeasure.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orlu {

/// A canvas that records into an enhanced metafile.
class EmfWriter : public Canvas {
public:
    /// Text is measured with `measure` (the canvas the picture is made for), or fixed measures when null.
    explicit EmfWriter(const FontMeasure* measure = nullptr);

    CanvasTarget Target() const override { return CanvasTarget::Metafile; }
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2, Rgb colour) override;
    void SetPixel(int x, int y, Rgb colour) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, std::string_view text) override;
    FontMetrics Metrics() const override;
    TextSize TextExtent(std::string_view text) const override;

    /// The pixels drawn so far, inclusive; nothing when nothing was drawn.
    std::optional<CanvasRect> Bounds() const { return m_Bounds; }

    /// The complete metafile of what was drawn so far (objects released, end record added).
    std::vector<std::uint8_t> Bytes() const;
    /// Writes Bytes() to a file atomically; false with the reason on failure.
    bool WriteFile(const std::filesystem::path& path, std::string* error = nullptr) const;

protected:
    void DrawLine(int x1, int y1, int x2, int y2) override;

private:
    // What the metafile's device context holds at the current end of the records.
    struct DcObject {
        std::uint32_t handle = 0; // 0 when a stock object is selected
    };

    void BeginRecord(std::uint32_t type);
    void Add32(std::uint32_t value);
    void EndRecord();
    void AddRecord(std::uint32_t type, std::initializer_list<std::uint32_t> fields);
    std::uint32_t AllocateHandle();
    void Replace(DcObject& slot, std::uint32_t newHandle, std::uint32_t stockIfNone);
    void UsePen(const Pen& pen);
    void UseBrush(const Brush& brush);
    void UseFont(const Font& font);
    void UseRop(RasterOp op);
    void AddBounds(int left, int top, int right, int bottom);

    FixedFontMeasure m_FixedMeasure;
    const FontMeasure* m_Measure;
    std::vector<std::uint8_t> m_Records; // every record after the header
    std::size_t m_RecordStart = 0;
    std::uint32_t m_RecordCount = 0;
    std::vector<bool> m_HandleUsed{true}; // index 0 is reserved
    std::optional<CanvasRect> m_Bounds;

    std::optional<Pen> m_DcPen;
    std::optional<Brush> m_DcBrush;
    std::optional<Font> m_DcFont;
    DcObject m_PenObject, m_BrushObject, m_FontObject;
    std::optional<Rgb> m_DcTextColour, m_DcBackgroundColour;
    std::optional<BackgroundMode> m_DcBackgroundMode;
    std::optional<RasterOp> m_DcRop;
    std::optional<std::pair<int, int>> m_DcPosition;
};

} // namespace orlu
