#include "graph/BandAxis.h"

#include "graph/BandNames.h"
#include "platform/canvas/Canvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

namespace orlu {
namespace {

// Positions, ticks and labels shared by every drawer.
class BandAxisFrame {
public:
    BandAxisFrame(Canvas& canvas, const BandAxisInput& in)
        : m_Canvas(canvas), m_In(in), m_Metrics(canvas.Metrics()), m_Pitch(static_cast<double>(in.width) / in.count),
          m_B1(in.bottom + 1), m_End(in.left - 1 - 20 * m_Metrics.aveCharWidth)
    {
    }

    double Pitch() const { return m_Pitch; }
    int B1() const { return m_B1; }
    int End() const { return m_End; }
    int CharWidth() const { return m_Metrics.aveCharWidth; }
    int LongTick() const { return m_In.scale + m_Metrics.height + 2 * m_In.tickLength; }

    /// x of a fraction of positions: the centre of position i is X(i + 0.5).
    int X(double positions) const { return static_cast<int>(std::trunc(positions * m_Pitch)) + m_In.left - 1; }
    int Centre(int position) const { return X(position + 0.5); }

    void Tick(int x, int length) { m_Canvas.Line(x, m_B1, x, m_B1 + length); }

    /// Start of a text centred on x (by its length in average character widths).
    int CentredStart(int x, std::string_view text) const
    {
        return x - static_cast<int>(text.size()) * m_Metrics.aveCharWidth / 2;
    }

    /// Writes the label in the label row when it starts no more than `slack`
    /// pixels left of the previous label's end.
    bool Label(int start, std::string_view text, int slack = 0)
    {
        if (start < m_End - slack)
            return false;
        Write(start, m_B1 + m_In.scale + m_In.tickLength, text);
        return true;
    }

    void Write(int start, int top, std::string_view text)
    {
        m_Canvas.TextOut(start, top, text);
        m_End = start + m_Canvas.TextExtent(text).width + m_Metrics.aveCharWidth;
    }

    /// Ticks from the first labelled position, below `limit`, the k-th labelled by label(k).
    template <typename LabelOf> void BandTicks(int limit, LabelOf label)
    {
        const int step = std::max(1, std::abs(m_In.step));
        int k = 0;
        for (int p = m_In.first; p < limit; p += step, ++k) {
            const int x = Centre(p);
            Tick(x, m_In.tickLength);
            const std::string_view text = label(k);
            if (!text.empty())
                Label(CentredStart(x, text), text);
        }
    }

    /// The single total under one position: a bracket from a to b (in positions) and its label.
    void Bracket(double a, double b)
    {
        const int xa = X(a);
        const int xb = X(b);
        const int low = m_In.bottom + m_In.tickLength;
        m_Canvas.MoveTo(xa, m_B1);
        m_Canvas.LineTo(xa, low);
        m_Canvas.LineTo(xb, low);
        m_Canvas.LineTo(xb, m_In.bottom);
    }

    /// Three named totals from position `position` on (x0 its centre) and,
    /// at graph size 0, their caption; `names` holds the three names and the caption.
    void TotalsGroup(int x0, const std::array<std::string_view, 4>& names, int captionTop, bool firstLonger)
    {
        const std::array<int, 3> xs{x0, x0 + static_cast<int>(std::trunc(m_Pitch)),
                                    x0 + static_cast<int>(std::trunc(2 * m_Pitch))};
        if (x0 >= m_End) {
            const int longTick = LongTick();
            Tick(xs[0], longTick + (firstLonger ? 1 : 0));
            Tick(xs[1], longTick);
            Tick(xs[2], longTick);
            m_Canvas.Line(xs[2], m_B1 + longTick, xs[0], m_B1 + longTick);
            const int top = m_B1 + m_In.scale + m_In.tickLength;
            Write(CentredStart(xs[0], names[0]), top, names[0]);
            Write(CentredStart(xs[1], names[1]), top, names[1]);
            Write(xs[2] - CharWidth() / 2, top, names[2]);
        }
        if (m_In.sizeIndex == 0)
            m_Canvas.TextOut(CentredStart(xs[1], names[3]), captionTop, names[3]);
    }

    /// The plain "Total" after the bands: a tick at position N - M, a bracket
    /// across to the last position when M is 3.
    void PlainTotal(int totals, int slack, bool shortTick)
    {
        const int n = m_In.count;
        const int xt = Centre(n - totals);
        const int low = m_In.bottom + m_In.tickLength;
        double labelAt = n - 0.5;
        if (totals == 3) {
            const int xe = Centre(n - 1);
            m_Canvas.MoveTo(xt, m_B1);
            m_Canvas.LineTo(xt, low);
            m_Canvas.LineTo(xe, low);
            m_Canvas.LineTo(xe, m_In.bottom);
            labelAt = n - 1.5;
        } else if (shortTick) {
            Tick(xt, m_In.tickLength);
        } else {
            m_Canvas.Line(xt, m_B1, xt, low);
        }
        const std::string_view text = kOctaveAxisLabels[5];
        Label(CentredStart(X(labelAt), text), text, slack);
    }

    int SmallCaptionTop() const { return m_B1 + 5 * m_In.tickLength + m_In.scale; }

private:
    Canvas& m_Canvas;
    const BandAxisInput& m_In;
    FontMetrics m_Metrics;
    double m_Pitch;
    int m_B1;
    int m_End;
};

template <std::size_t N> std::string_view Entry(const std::array<std::string_view, N>& table, int k, int count)
{
    return k >= 0 && k < count && static_cast<std::size_t>(k) < N ? table[static_cast<std::size_t>(k)] : std::string_view{};
}

const std::array<std::string_view, 9>& TotalLabels(bool slotLayout) { return slotLayout ? kOctaveTotalLabelsZ : kOctaveTotalLabels; }

std::array<std::string_view, 4> OctaveTotalNames(bool slotLayout)
{
    const auto& t = TotalLabels(slotLayout);
    return {t[5], t[6], t[7], t[8]};
}

// The octave drawers from 31.5 Hz and from 1 Hz: bands below N - M, then one total or a group.
void OctaveWithTotals(BandAxisFrame& f, const BandAxisInput& in, const BandAxisArgs& a)
{
    const int m = a.totals;
    const bool from1Hz = a.drawer == BandAxisDrawer::Octave1Hz;
    f.BandTicks(in.count - m, [&](int k) {
        return from1Hz ? Entry(TotalLabels(a.slotLayout), k, 5) : Entry(kOctaveAxisLabels31Hz, k, 5);
    });
    if (m == 1) {
        const std::string_view tot = kOctaveAxisLabels31Hz[5];
        if (from1Hz) {
            // Written at the bracket even where it overlaps the last band label.
            f.Bracket(in.count - 0.8, in.count - 0.2);
            f.Write(f.X(in.count - 0.8), f.B1() + in.scale + in.tickLength, tot);
            return;
        }
        const int at = a.drawer == BandAxisDrawer::Octave31Wide ? 10 : 9;
        f.Bracket(at + 0.2, at + 0.8);
        f.Label(f.CentredStart(f.X(at + 0.5), tot), tot);
    } else if (m == 3) {
        f.TotalsGroup(f.Centre(in.count - 3), OctaveTotalNames(a.slotLayout), f.SmallCaptionTop(), false);
    }
}

void ThirdOctaveTotals(BandAxisFrame& f, const BandAxisInput& in, const BandAxisArgs& a)
{
    const int m = a.totals;
    if (m == 0)
        return;
    const bool wide = a.drawer == BandAxisDrawer::ThirdOctave;
    if (!a.namedTotals) {
        f.PlainTotal(m, wide ? 0 : 2, !wide);
        return;
    }
    const int x0 = f.Centre(in.count - m);
    if (!wide) {
        f.TotalsGroup(x0, OctaveTotalNames(a.slotLayout), f.SmallCaptionTop(), false);
        return;
    }
    const std::size_t k = (a.totalBars == 1 ? 6u : 10u) + (m == 6 ? 8u : 0u);
    const int captionTop = f.B1() + f.LongTick() + in.scale;
    f.TotalsGroup(x0, {kOctaveAxisLabels[k], kOctaveAxisLabels[k + 1], kOctaveAxisLabels[k + 2], kOctaveAxisLabels[k + 3]},
                  captionTop, true);
    if (m == 6)
        f.TotalsGroup(x0 + static_cast<int>(std::trunc(3 * f.Pitch())),
                      {kOctaveAxisLabels[22], kOctaveAxisLabels[23], kOctaveAxisLabels[24], kOctaveAxisLabels[25]}, captionTop,
                      true);
}

} // namespace

void DrawBandAxis(Canvas& canvas, const BandAxisInput& in, const BandAxisArgs& a)
{
    if (in.count <= 0 || in.width <= 0)
        return;
    BandAxisFrame f(canvas, in);
    switch (a.drawer) {
    case BandAxisDrawer::Octave15: {
        // Five band labels, then the "Total" of the bracket, of the table the kind starts at.
        const auto label = [&](int k) {
            if (a.plotKind == 42)
                return Entry(kOctaveAxisLabels4Hz, k, 6);
            if (a.plotKind == 43)
                return Entry(kOctaveAxisLabels8Hz, k, 6);
            return Entry(kOctaveAxisLabels, k, 6);
        };
        f.BandTicks(in.count, [&](int k) { return k < 5 ? label(k) : std::string_view{}; });
        if (a.namedTotals) {
            f.Bracket(14.2, 14.8);
            f.Label(f.CentredStart(f.X(14.5), kOctaveAxisLabels[5]), label(5));
        }
        break;
    }
    case BandAxisDrawer::Octave31:
    case BandAxisDrawer::Octave31Wide:
    case BandAxisDrawer::Octave1Hz:
        OctaveWithTotals(f, in, a);
        break;
    case BandAxisDrawer::ThirdOctave:
    case BandAxisDrawer::ThirdOctave20k: {
        const bool wide = a.drawer == BandAxisDrawer::ThirdOctave;
        const int step = std::max(1, std::abs(in.step));
        f.BandTicks(in.count - 3, [&](int k) {
            const int index = a.labelOffset + 3 + k * step;
            return wide ? ThirdOctave80kLabel(index) : ThirdOctave20kLabel(index);
        });
        ThirdOctaveTotals(f, in, a);
        break;
    }
    }
}

BandAxisRow BandAxisRowOf(const BandAxisTableRow& row, int plotKind)
{
    BandAxisRow out;
    out.args.drawer = row.drawer;
    out.args.namedTotals = row.named;
    out.args.totals = row.totals;
    out.args.labelOffset = row.offset;
    out.args.plotKind = plotKind;
    out.count = row.count;
    out.first = row.first;
    out.step = row.step;
    return out;
}

std::optional<BandAxisRow> SpectrumBandAxisOf(int plotKind)
{
    using D = BandAxisDrawer;
    struct Row {
        std::initializer_list<int> kinds;
        BandAxisTableRow axis;
    };
    // The X axes of the spectrum graph by PlotKind.
    static const Row kRows[] = {
        {{11, 42, 43}, D::Octave15, 0, 0, 3, true, 1, 0},
        {{12}, D::ThirdOctave, 45, 1, 9, false, 3, 0},
        {{14}, D::Octave31, 0, 0, 2, false, 1, 0},
        {{15}, D::ThirdOctave, 47, 3, 9, false, 3, 0},
        {{16}, D::ThirdOctave, 45, 1, 9, true, 3, 0},
        {{17}, D::ThirdOctave, 47, 3, 9, true, 3, 0},
        {{19}, D::ThirdOctave, 48, 1, 9, true, 6, 0},
        {{20}, D::ThirdOctave, 50, 3, 9, true, 6, 0},
        {{21}, D::Octave1Hz, 0, 1, 3, false, 3, 0},
        {{22}, D::Octave1Hz, 0, 0, 3, false, 3, 0},
        {{23, 26, 51}, D::Octave31, 0, 0, 2, false, 3, 0},
        {{24, 27}, D::ThirdOctave20k, 0, 2, 7, true, 3, 13},
        {{25}, D::ThirdOctave20k, 0, 3, 9, true, 3, -1},
        {{29}, D::Octave1Hz, 0, 1, 3, false, 1, 0},
        {{30}, D::ThirdOctave, 48, 3, 9, false, 3, -1},
        {{40}, D::ThirdOctave, 50, 3, 9, true, 6, 3},
        {{41}, D::ThirdOctave, 50, 3, 9, true, 6, 6},
        {{44}, D::ThirdOctave, 47, 3, 9, false, 3, 3},
        {{45}, D::ThirdOctave, 47, 3, 9, false, 3, 6},
        {{46}, D::ThirdOctave20k, 0, 3, 9, false, 1, -1},
        {{47}, D::ThirdOctave20k, 0, 2, 7, false, 3, 13},
        {{48}, D::Octave31Wide, 0, 0, 2, false, 1, 0},
        {{49}, D::ThirdOctave20k, 0, 2, 7, false, 1, 13},
        {{50, 52}, D::ThirdOctave20k, 0, 0, 7, true, 3, 10},
    };
    for (const Row& r : kRows)
        if (std::find(r.kinds.begin(), r.kinds.end(), plotKind) != r.kinds.end())
            return BandAxisRowOf(r.axis, plotKind);
    return std::nullopt;
}

} // namespace orlu
