#include "graph/PlotStateFile.h"

#include "document/RtBandRecords.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <type_traits>

namespace orlu {
namespace {

// How one named field reads its text and writes its lines.
struct FieldSlot {
    bool indexed = false;
    std::size_t arraySize = 0;
    // Reads the value text (for indexed fields, of entry `index`); returns an error or "".
    std::function<std::string(std::string_view text, std::size_t index)> read;
    // Appends the field's lines.
    std::function<void(const std::string& name, std::string& out)> write;
    // Lists: checks the values read (of entry `index`) against the count they
    // may hold, once the whole state is read; returns an error or "".
    std::function<std::string(std::size_t index)> check;
};

// No level, time, frequency or scale the program shows comes near this: a
// larger value (or an infinity, or NaN) is a damaged state, whose axis labels
// would run to hundreds of digits or read "nan".
constexpr double kLargestNumber = 1e9;

template <typename T> bool ParseNumber(std::string_view text, T& out)
{
    if constexpr (std::is_floating_point_v<T>) {
        const char* end = text.data() + text.size();
        T v{};
        auto [p, ec] = std::from_chars(text.data(), end, v);
        if (ec != std::errc() || p != end || !(std::fabs(v) <= kLargestNumber)) // NaN fails the comparison
            return false;
        out = v;
        return true;
    } else if constexpr (std::is_same_v<T, bool>) {
        if (text == "1" || text == "0") {
            out = text == "1";
            return true;
        }
        return false;
    } else {
        long long v = 0;
        const char* end = text.data() + text.size();
        auto [p, ec] = std::from_chars(text.data(), end, v);
        if (ec != std::errc() || p != end || v < static_cast<long long>(std::numeric_limits<T>::min()) ||
            v > static_cast<long long>(std::numeric_limits<T>::max()))
            return false;
        out = static_cast<T>(v);
        return true;
    }
}

template <typename T> std::string NumberText(T v)
{
    if constexpr (std::is_same_v<T, float>)
        return StrPrintf("%.9g", static_cast<double>(v));
    else if constexpr (std::is_same_v<T, double>)
        return StrPrintf("%.17g", v);
    else
        return std::to_string(static_cast<long long>(v));
}

// A text is one line of the file: a line break inside it (or a carriage
// return the reader would take for the end of a CRLF line) is written as a blank.
std::string OneLine(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

std::string BadNumber(std::string_view text) { return "bad number '" + std::string(text) + "'"; }

// Splits on ',' (an empty text is an empty list).
template <typename F> std::string EachItem(std::string_view text, F&& item)
{
    std::size_t count = 0;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const std::string_view part = text.substr(0, comma);
        if (std::string error = item(part, count++); !error.empty())
            return error;
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return {};
}

class Fields {
public:
    std::map<std::string, FieldSlot, std::less<>> slots;
    std::vector<std::string> order;

    template <typename T> void Scalar(const char* name, T& field)
    {
        FieldSlot s;
        s.read = [&field](std::string_view text, std::size_t) -> std::string {
            if constexpr (std::is_same_v<T, std::string>) {
                field = std::string(text);
                return {};
            } else {
                return ParseNumber(text, field) ? std::string() : BadNumber(text);
            }
        };
        s.write = [&field](const std::string& n, std::string& out) {
            if constexpr (std::is_same_v<T, std::string>)
                out += n + "=" + OneLine(field) + "\n";
            else
                out += n + "=" + NumberText(field) + "\n";
        };
        Add(name, std::move(s));
    }

    template <typename T, std::size_t N> void Array(const char* name, std::array<T, N>& field)
    {
        FieldSlot s;
        s.indexed = true;
        s.arraySize = N;
        s.read = [&field](std::string_view text, std::size_t i) -> std::string {
            if constexpr (std::is_same_v<T, std::string>) {
                field[i] = std::string(text);
                return {};
            } else {
                return ParseNumber(text, field[i]) ? std::string() : BadNumber(text);
            }
        };
        s.write = [&field](const std::string& n, std::string& out) {
            for (std::size_t i = 0; i < N; ++i) {
                if constexpr (std::is_same_v<T, std::string>) {
                    if (!field[i].empty())
                        out += n + "[" + std::to_string(i) + "]=" + OneLine(field[i]) + "\n";
                } else if (field[i] != T{}) {
                    out += n + "[" + std::to_string(i) + "]=" + NumberText(field[i]) + "\n";
                }
            }
        };
        Add(name, std::move(s));
    }

    static std::string ReadDoubles(std::string_view text, std::vector<double>& values)
    {
        values.clear();
        return EachItem(text, [&](std::string_view part, std::size_t) -> std::string {
            double v = 0;
            if (!ParseNumber(part, v))
                return BadNumber(part);
            values.push_back(v);
            return {};
        });
    }
    // A list longer than its count field allows.
    static std::string TooLong(const char* name, std::size_t size, std::size_t capacity)
    {
        return size > capacity ? std::string(name) + " has more than " + std::to_string(capacity) + " values" : std::string();
    }
    static void WriteDoubles(const std::string& head, const PlotSeries& series, std::string& out)
    {
        if (series.Empty())
            return;
        out += head + "=";
        for (std::size_t i = 0; i < series.Size(); ++i) {
            if (i)
                out += ',';
            out += NumberText(series[i]);
        }
        out += "\n";
    }

    void Series(const char* name, PlotSeries& field, std::function<std::size_t()> capacity)
    {
        FieldSlot s;
        s.read = [&field](std::string_view text, std::size_t) {
            std::vector<double> values;
            std::string error = ReadDoubles(text, values);
            field.Assign(std::move(values));
            return error;
        };
        s.write = [&field](const std::string& n, std::string& out) { WriteDoubles(n, field, out); };
        s.check = [&field, capacity, name](std::size_t) { return TooLong(name, field.Size(), capacity()); };
        Add(name, std::move(s));
    }

    void PanelSeries(const char* name, PanelArray<PlotSeries>& field, std::function<std::size_t()> capacity)
    {
        FieldSlot s;
        s.indexed = true;
        s.arraySize = kMaxGraphPanels;
        s.read = [&field](std::string_view text, std::size_t i) {
            std::vector<double> values;
            std::string error = ReadDoubles(text, values);
            field[i].Assign(std::move(values));
            return error;
        };
        s.write = [&field](const std::string& n, std::string& out) {
            for (std::size_t i = 0; i < field.size(); ++i)
                WriteDoubles(n + "[" + std::to_string(i) + "]", field[i], out);
        };
        s.check = [&field, capacity, name](std::size_t i) { return TooLong(name, field[i].Size(), capacity()); };
        Add(name, std::move(s));
    }

    // A comma-separated list of numbers (record numbers, spectrum marks, frequencies).
    template <typename T> void Records(const char* name, std::vector<T>& field, std::function<std::size_t()> capacity)
    {
        FieldSlot s;
        s.read = [&field](std::string_view text, std::size_t) {
            field.clear();
            return EachItem(text, [&](std::string_view part, std::size_t) -> std::string {
                T v{};
                if (!ParseNumber(part, v))
                    return BadNumber(part);
                field.push_back(v);
                return {};
            });
        };
        s.write = [&field](const std::string& n, std::string& out) {
            if (field.empty())
                return;
            out += n + "=";
            for (std::size_t i = 0; i < field.size(); ++i) {
                if (i)
                    out += ',';
                out += NumberText(field[i]);
            }
            out += "\n";
        };
        s.check = [&field, capacity, name](std::size_t) { return TooLong(name, field.size(), capacity()); };
        Add(name, std::move(s));
    }

    // "record:value" pairs (markers and breaks).
    template <typename Entry, typename V> void Pairs(const char* name, std::vector<Entry>& field, V Entry::*second)
    {
        FieldSlot s;
        s.read = [&field, second](std::string_view text, std::size_t) {
            field.clear();
            return EachItem(text, [&](std::string_view part, std::size_t) -> std::string {
                const auto colon = part.find(':');
                Entry e{};
                if (colon == std::string_view::npos || !ParseNumber(part.substr(0, colon), e.record) ||
                    !ParseNumber(part.substr(colon + 1), e.*second))
                    return BadNumber(part);
                field.push_back(e);
                return {};
            });
        };
        s.write = [&field, second](const std::string& n, std::string& out) {
            if (field.empty())
                return;
            out += n + "=";
            for (std::size_t i = 0; i < field.size(); ++i) {
                if (i)
                    out += ',';
                out += std::to_string(field[i].record) + ":" + std::to_string(field[i].*second);
            }
            out += "\n";
        };
        Add(name, std::move(s));
    }

    // One member of each of the five channels, as an indexed field.
    template <typename S, typename T, std::size_t N> void Member(const char* name, std::array<S, N>& items, T S::*member)
    {
        FieldSlot s;
        s.indexed = true;
        s.arraySize = N;
        s.read = [&items, member](std::string_view text, std::size_t i) -> std::string {
            return ParseNumber(text, items[i].*member) ? std::string() : BadNumber(text);
        };
        s.write = [&items, member](const std::string& n, std::string& out) {
            const S defaults{};
            for (std::size_t i = 0; i < N; ++i)
                if (items[i].*member != defaults.*member)
                    out += n + "[" + std::to_string(i) + "]=" + NumberText(items[i].*member) + "\n";
        };
        Add(name, std::move(s));
    }

private:
    void Add(const char* name, FieldSlot slot)
    {
        order.emplace_back(name);
        slots.emplace(name, std::move(slot));
    }
};

// The one table of fields, for reading and writing alike.
void Describe(PlotState& s, Fields& f)
{
    GraphViewState& v = s.view;
    GraphSettings& g = s.settings;
    PlotStateDocument& d = s.doc;
    f.Scalar("ViewKind", v.ViewKind);
    f.Scalar("PlotKind", v.PlotKind);
    f.Scalar("GraphSizeIndex", v.GraphSizeIndex);
    f.Scalar("LeftMargin", v.Geometry.leftMargin);
    f.Scalar("TopMargin", v.Geometry.topMargin);
    f.Scalar("Points", v.Geometry.pointCount);
    f.Scalar("Step", v.Geometry.pointsPerColumn);
    f.Scalar("Height", v.Geometry.plotHeight);
    f.Scalar("Pitch", v.Geometry.pixelsPerPoint);
    f.Scalar("Width", v.Geometry.plotWidth);
    f.Scalar("Height2", v.Geometry.secondHeight);
    f.Scalar("BarWidth", v.Geometry.barWidth);
    f.Scalar("Bars", v.Geometry.bars);
    f.Scalar("Reserved", v.Geometry.reserved);
    f.Scalar("LabelMode", v.Geometry.labelMode);
    f.Scalar("GraphScale", v.GraphScale);
    f.Scalar("PrintZoom", v.PrintZoom);
    f.Scalar("AvailableChannels", v.AvailableChannels);
    f.Scalar("SelectedChannels", v.SelectedChannels);
    f.Scalar("UnitsChoice", v.UnitsChoice);
    f.Scalar("LevelPitchOffset", v.LevelPitchOffset);
    f.Scalar("LevelZoomOffset", v.LevelZoomOffset);
    f.Array("LinearScaleOffset", v.LinearScaleOffset);
    f.Scalar("Aggregation", v.Aggregation);
    f.Scalar("SolidBars", v.SolidBars);
    f.Scalar("NoAutoScale", v.NoAutoScale);
    f.Scalar("PlotTotal", v.PlotTotal);
    f.Scalar("TotalKinds", v.TotalKinds);
    f.Array("DrawInBlock", v.DrawInBlock);
    f.Scalar("MultiElement", v.MultiElement);
    f.Scalar("PhaseSpectrum", v.PhaseSpectrum);
    f.Scalar("PhaseUnit", v.PhaseUnit);
    f.Scalar("SpectraFunction", v.SpectraFunction);
    f.Scalar("RpmShown", v.RpmShown);
    f.Scalar("RtMode", v.RtMode);
    f.Scalar("RtEvaluating", v.RtEvaluating);
    f.Scalar("RtDisplayOption", v.RtDisplayOption);
    f.Scalar("RtMethod", v.RtEval.method);
    f.Array("RtPoints", v.RtEval.points);
    f.Scalar("RtSearchState", v.RtEval.searchState);
    f.Scalar("RtL0", v.RtEval.l0);
    f.Scalar("WaveformScale", v.WaveformScale);
    f.Array("PanelResultIndex", v.PanelResultIndex);
    f.Scalar("CursorOn", v.CursorOn);
    f.Scalar("CursorIndex", v.CursorIndex);
    f.Scalar("WindowStart", v.WindowStart);
    f.Scalar("PointCount", v.PointCount);
    f.Scalar("MarkState", v.MarkState);
    f.Array("MarkedRange", v.MarkedRange);
    f.Array("MarkedRangeScaled", v.MarkedRangeScaled); // the phase graph keeps the columns of its last paint
    f.Scalar("GraphTitle", v.GraphTitle);
    f.Array("PanelTitles", v.PanelTitles);
    f.Array("BlockLmax", v.BlockLmax);
    f.Array("BlockLmin", v.BlockLmin);
    f.Array("VdvPanel", v.VdvPanel);

    f.Scalar("GraphAutoScale", g.GraphAutoScale);
    f.Scalar("CursorRelTimeFormat", g.CursorRelTimeFormat);
    f.Scalar("TimeAxisFormat", g.TimeAxisFormat);
    f.Scalar("UseDate", g.UseDate);
    f.Scalar("CircleDraw", g.CircleDraw);
    f.Scalar("CircleRadius", g.CircleRadius);
    f.Scalar("CircleMinStep", g.CircleMinStep);
    f.Scalar("MarkersShow", g.MarkersShow);
    f.Scalar("MarkersMethod", g.MarkersMethod);
    f.Scalar("BreaksShow", g.BreaksShow);
    f.Scalar("NonMetricUnits", g.NonMetricUnits);

    f.Scalar("Channels", d.Channels);
    f.Scalar("FourChannelFamily", d.FourChannelFamily);
    f.Scalar("File505", d.File505);
    f.Scalar("SlotChannels", d.SlotChannels);
    f.Scalar("ChannelMode", d.ChannelMode);
    f.Scalar("RpmSeries", d.RpmSeries);
    f.Scalar("RpmChannel", d.RpmChannel);
    f.Scalar("RpmChoice", d.RpmChoice);
    f.Scalar("WaveformSamples", d.WaveformSamples);
    f.Scalar("MicDbOnly", d.MicDbOnlyFlag);
    f.Scalar("BandKind", d.BandKindCode);
    f.Scalar("BandCount", d.Bands);
    f.Scalar("RpmRangeTop", d.RpmTop);
    f.Scalar("IntersectionLength", d.IntersectionPoints);
    f.Scalar("TimeStepCode", d.TimingFacts.timeStepCode);
    f.Scalar("RecordStep", d.TimingFacts.recordStep);
    f.Scalar("TimeDecimals", d.TimingFacts.timeDecimals);
    f.Scalar("TimeUnit", d.TimingFacts.timeUnit);
    f.Scalar("StartTime", d.TimingFacts.startTime);
    f.Scalar("StartDate", d.TimingFacts.startDate);
    f.Scalar("RecordsPerChannel", d.TimingFacts.recordsPerChannel);
    f.Member("RangeTop", d.ChannelFacts, &PlotChannelFacts::RangeTop);
    f.Member("InputKind", d.ChannelFacts, &PlotChannelFacts::InputKind);
    f.Member("Filter", d.ChannelFacts, &PlotChannelFacts::Filter);
    f.Member("Function", d.ChannelFacts, &PlotChannelFacts::Function);
    f.Member("TotalKind", d.ChannelFacts, &PlotChannelFacts::TotalKind);
    f.Member("FirstBand11", d.ChannelFacts, &PlotChannelFacts::FirstBand11);
    f.Member("BandCount11", d.ChannelFacts, &PlotChannelFacts::BandCount11);
    f.Member("FirstBand13", d.ChannelFacts, &PlotChannelFacts::FirstBand13);
    f.Member("BandCount13", d.ChannelFacts, &PlotChannelFacts::BandCount13);
    f.Member("SpectrumAxis11", d.ChannelFacts, &PlotChannelFacts::SpectrumAxis11);
    f.Member("SpectrumPoints11", d.ChannelFacts, &PlotChannelFacts::SpectrumPoints11);
    f.Member("SpectrumAxis13", d.ChannelFacts, &PlotChannelFacts::SpectrumAxis13);
    f.Member("SpectrumPoints13", d.ChannelFacts, &PlotChannelFacts::SpectrumPoints13);
    f.Member("LevelsAxis11", d.ChannelFacts, &PlotChannelFacts::LevelsAxis11);
    f.Member("LevelsPoints11", d.ChannelFacts, &PlotChannelFacts::LevelsPoints11);
    f.Member("LevelsAxis13", d.ChannelFacts, &PlotChannelFacts::LevelsAxis13);
    f.Member("LevelsPoints13", d.ChannelFacts, &PlotChannelFacts::LevelsPoints13);
    f.Pairs("Markers", d.MarkerList, &LoggerMarker::marker);
    f.Pairs("Breaks", d.BreakList, &LoggerBreak::skipped);

    const auto points = [&v] { return static_cast<std::size_t>(std::max(0, v.PointCount)); };
    const auto records = [&v] {
        const int per = std::max({1, v.Aggregation, v.Geometry.pointsPerColumn});
        return static_cast<std::size_t>(std::max(0, v.PointCount)) * static_cast<std::size_t>(per);
    };
    f.Records("TimeStamps", v.TimeStamps, records);
    f.PanelSeries("BufferValues", v.BufferValues, points);
    f.PanelSeries("SeriesA", v.SeriesA, points);
    f.PanelSeries("SeriesB", v.SeriesB, points);
    f.PanelSeries("SeriesC", v.SeriesC, points);
    f.Series("RpmValues", v.RpmValues, points);
    f.Array("DecayBlockFirst", v.DecayBlockFirst);
    f.Array("DecayBlockSecond", v.DecayBlockSecond);
    f.Records("RtBandRecord", d.RtRecord, [] { return std::size_t{kRtBandRecordSize}; });

    // Spectra: the panels' values one after the other, over their frequencies.
    f.Scalar("GraphSubtitle", v.GraphSubtitle);
    f.Scalar("TotalBars", v.TotalBars);
    f.Scalar("LineZeroFrequency", v.LineZeroFrequency);
    f.Scalar("LineSpacing", v.LineSpacing);
    f.Scalar("PeaksShown", v.PeaksShown);
    f.Scalar("TonalityShown", v.TonalityShown);
    f.Scalar("NoiseFirstLine", v.Noise.FirstLine);
    f.Scalar("NoiseLastLine", v.Noise.LastLine);
    f.Scalar("NoiseSlope", v.Noise.Slope);
    f.Scalar("NoiseIntercept", v.Noise.Intercept);
    f.Array("SpectrumBlockValues", v.SpectrumBlockValues);
    f.Scalar("HistLow", v.HistLow);
    f.Scalar("HistWidth", v.HistWidth);
    f.Scalar("ClassStride", v.ClassStride);
    f.Array("HistogramPeak", v.HistogramPeak);
    f.Array("BlockProbability", v.BlockProbability);
    const auto panelValues = [&v, &d] {
        const std::size_t stride = static_cast<std::size_t>(std::max({52, d.Bands + 1, v.PointCount}));
        return stride * kMaxGraphPanels;
    };
    f.Series("PlotValues", v.PlotValues, panelValues);
    f.Records("SpectrumMarks", v.SpectrumMarks, panelValues);
    f.Records("FrequencyValues", v.FrequencyValues, panelValues);

    // The multi element picture: the grid asked for and the spectra it holds.
    MultiElementGrid& grid = v.Grid;
    f.Scalar("TotalsShown", v.TotalsShown);
    f.Scalar("GridTimeStep", grid.TimeStep);
    f.Scalar("GridFirstRecord", grid.FirstRecord);
    f.Scalar("GridLastRecord", grid.LastRecord);
    f.Scalar("GridRows", grid.Rows);
    f.Scalar("GridColumns", grid.Columns);
    f.Scalar("GridBoxMode", grid.BoxMode);
    f.Scalar("GridFrequencyLines", grid.FrequencyLines);
    f.Scalar("GridTimeLines", grid.TimeLines);
    f.Scalar("GridFirstFrequency", grid.FirstFrequency);
    f.Scalar("GridLastFrequency", grid.LastFrequency);
    f.Scalar("GridFirstShownFrequency", grid.FirstShownFrequency);
    f.Scalar("GridLastShownFrequency", grid.LastShownFrequency);
    f.Scalar("GridFirstTime", grid.FirstTime);
    f.Scalar("GridLastTime", grid.LastTime);
    f.Scalar("GridLevelLow", grid.LevelRangeLow);
    f.Scalar("GridLevelHigh", grid.LevelRangeHigh);
    f.Records("GridValues", grid.Values, [] {
        return static_cast<std::size_t>(kMultiElementMaxCells) * static_cast<std::size_t>(kMultiElementMaxCells);
    });
}

} // namespace

std::string WritePlotState(const PlotState& state)
{
    PlotState& s = const_cast<PlotState&>(state); // the table binds references; writing only reads them
    Fields f;
    Describe(s, f);
    std::string out = "# OrluPC plot state\n";
    for (const std::string& name : f.order)
        f.slots.at(name).write(name, out);
    return out;
}

bool ReadPlotState(std::string_view text, PlotState& state, std::string& error)
{
    Fields f;
    Describe(state, f);
    int lineNumber = 0;
    std::map<std::pair<std::string_view, std::size_t>, int> listLines; // list (and entry) to the last line that set it
    while (!text.empty()) {
        const auto eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        };
        const auto eq = line.find('=');
        if (eq == std::string_view::npos)
            return fail("no '=' in '" + std::string(line) + "'");
        std::string_view name = line.substr(0, eq);
        const std::string_view value = line.substr(eq + 1);
        std::size_t index = 0;
        bool hasIndex = false;
        if (const auto open = name.find('['); open != std::string_view::npos) {
            int parsed = 0;
            if (name.back() != ']' || !ParseNumber(name.substr(open + 1, name.size() - open - 2), parsed) || parsed < 0)
                return fail("bad index in '" + std::string(name) + "'");
            index = static_cast<std::size_t>(parsed);
            name = name.substr(0, open);
            hasIndex = true;
        }
        const auto slot = f.slots.find(name);
        if (slot == f.slots.end())
            return fail("unknown field '" + std::string(name) + "'");
        if (slot->second.indexed != hasIndex)
            return fail(std::string(name) + (hasIndex ? " takes no index" : " needs an index"));
        if (hasIndex && index >= slot->second.arraySize)
            return fail(std::string(name) + "[" + std::to_string(index) + "] is past its " +
                        std::to_string(slot->second.arraySize) + " entries");
        if (std::string why = slot->second.read(value, index); !why.empty())
            return fail(why + " for " + std::string(name));
        if (slot->second.check)
            listLines[{slot->first, index}] = lineNumber;
    }
    // Lists against their counts, wherever the count field stands: the last
    // line that set a list is the one named.
    std::vector<std::pair<int, std::pair<std::string_view, std::size_t>>> lists;
    for (const auto& [list, line] : listLines)
        lists.emplace_back(line, list);
    std::sort(lists.begin(), lists.end());
    for (const auto& [line, list] : lists)
        if (std::string why = f.slots.find(list.first)->second.check(list.second); !why.empty()) {
            error = "line " + std::to_string(line) + ": " + why;
            return false;
        }
    return true;
}

} // namespace orlu
