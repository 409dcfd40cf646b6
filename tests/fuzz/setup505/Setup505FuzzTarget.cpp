// Fuzz target of ANALYZER-mode files: the bytes are the instrument file of an
// ORLU 505 in ANALYZER mode. They are decoded as a single file (with and
// without the E version) straight from an image, then loaded as a kind-4
// container the way the program opens one, with every channel selected, the
// ASCII form written, the band statistics shown in every form, the FFT spectra of the first records shown in every
// spectra function, the reverberation times evaluated from an interval the
// bytes choose, and the time intersections and waveforms written.

#include "analysis/spectra/FftSpectrumForm.h"
#include "analysis/spectra/FftSpectrumReader.h"
#include "analysis/spectra/ReverbSource.h"
#include "analysis/spectra/ReverbTime.h"
#include "analysis/spectra/TimeIntersection.h"
#include "analysis/spectra/WaveformForm.h"
#include "analysis/statistics/BandStatistics505.h"
#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "document/headers/Setup505Decoder.h"
#include "document/rawviews/RawViews.h"
#include "support/FixtureBuilder.h"
#include "support/QuietInteraction.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

using namespace orlu;

std::string WriteMemoryFile(int fd, const std::vector<std::uint8_t>& bytes)
{
    if (ftruncate(fd, 0) != 0 || (!bytes.empty() && pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())))
        throw std::runtime_error("memory file write failed");
    return "/proc/self/fd/" + std::to_string(fd);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QuietInteraction ui;
    AppContext app(ui);

    // The decoder alone, over an image of exactly these bytes.
    {
        CTmDoc doc(app);
        PagedFileImage image;
        std::vector<std::uint8_t> pages((size / PagedFileImage::kPageSize + 1) * PagedFileImage::kPageSize);
        std::copy(data, data + size, pages.begin());
        for (std::size_t p = 0; p < pages.size(); p += PagedFileImage::kPageSize)
            image.AppendPage(pages.data() + p);
        const ImageReader reader(image, static_cast<std::uint32_t>(size));
        for (bool eVersion : {false, true}) {
            Setup505 s;
            DecodeSetup505Header(reader, {0, reader.WordCount()}, eVersion, s);
        }
    }

    // The whole load, the channels and the ASCII form.
    const int fd = memfd_create("orlu-fuzz-505.orl", 0);
    if (fd < 0)
        return 0;
    fixture::FixtureBuilder file;
    file.ContainerHeader(4, size > 0 ? data[0] & 1 : 0).Bytes(std::span<const std::uint8_t>(data, size));
    CTmDoc doc(app);
    if (doc.OnOpenDocument(WriteMemoryFile(fd, file.Data())) && doc.AnalyzerDecoded()) {
        for (int c = 0; c < doc.Analyzer().channelCount; ++c)
            doc.Select505Channel(c);
        LineList lines;
        int widest = 0;
        LineListSink sink(lines, &widest);
        WriteAsciiForm(doc, sink, ui, nullptr);
        // Band statistics: every histogram, and one band and block the bytes choose (also
        // past the histograms).
        StatisticsChoices choices;
        choices.band = size > 3 ? data[3] % 20 : 1;
        choices.markers.count = 2;
        choices.markers.points = {size > 4 ? data[4] % 8 : 0, size > 5 ? data[5] % 32 : 3};
        std::uint8_t content = 0;
        for (bool all : {false, true}) {
            choices.allFiles = all;
            TextBandHistograms505(doc, lines, &widest, choices);
            TextBandLevels505(doc, lines, &widest, choices);
            TableBandHistograms505(doc, lines, &widest, content, choices, TableOutputOptions{});
            TableBandLevels505(doc, lines, &widest, content, choices, TableOutputOptions{});
        }
        PlotData plot;
        GraphBandHistogram505(doc, choices, 0, plot);
        GraphBandLevels505(doc, choices, size > 6 ? data[6] : 50, 0, plot);
        FftWorkspace workspace;
        SpectrumShowing showing;
        showing.degree = 3;
        showing.peaksShown = true;
        showing.peaks.count = 3;
        for (int record = 1; record <= 3; ++record)
            for (int function = 1; function <= 10; ++function) {
                FftSpectrumRequest r;
                r.record = record;
                r.function = function;
                r.channelB = doc.Analyzer().channelCount - 1;
                if (const auto read = ReadFftSpectrum(doc, workspace, r))
                    AppendSpectrumText(PrepareFftSpectrum(read->lines, read->values, showing, read->caption), lines,
                                       &widest);
            }
        // Reverberation times from an interval the file's first bytes choose (also
        // reversed or past the spectra), time intersections and waveforms.
        const std::int32_t first = size > 1 ? data[1] % 8 - 1 : 0;
        const std::int32_t last = size > 2 ? data[2] % 16 : 2;
        for (int kind = 2; kind <= 4; ++kind) {
            if (const std::optional<ReverbSource> source = ReverbSourceOf(doc, kind, 0)) {
                SetReferenceInterval(ReverbRecords(doc, *source), first, last);
                ComputeReverbTime(doc, 0, (size & 1) != 0, kind);
                if (const std::optional<ReverbTimeReport> report = ReverbReportOf(doc, 0, false, kind))
                    FormatReverbTimeText(lines, &widest, *report);
            }
            TimeIntersectionChoice choice;
            choice.bandKind = kind;
            choice.band = last + 1;
            choice.running = true;
            choice.recordDegree = 1 + (first + 1) % 3;
            choice.block = true;
            choice.blockFirst = static_cast<std::uint32_t>(first + 1);
            choice.blockLast = static_cast<std::uint32_t>(last);
            FormatTimeIntersectionText(lines, &widest, doc, choice);
        }
        WaveformChoice waveform;
        waveform.allRecords = true;
        FormatWaveformText(lines, &widest, doc, waveform);
        GetWaveformPoints(doc, 1, 0);
    }
    close(fd);
    return 0;
}
