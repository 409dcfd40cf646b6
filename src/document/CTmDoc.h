#pragma once
// The document of one measurement file, or of several files merged into one
// Multifile. It loads itself from the program's container or a DOS file
// (Serialize), or from data the application holds (OnNewDocument), keeps the
// file as pages of a PagedFileImage, and asks the save questions before it
// closes. Every report, table and graph reads it.

#include "document/AppContext.h"
#include "document/RecordIndex.h"
#include "document/RtBandRecords.h"
#include "document/Subfiles.h"
#include "document/buffer/BlockEdit.h"
#include "document/ViewMask.h"
#include "document/container/ContainerHeader.h"
#include "document/container/FileKindCode.h"
#include "document/container/LoadErrors.h"
#include "document/headers/CurrentDocument.h"
#include "document/headers/LegacyDocument.h"
#include "document/headers/Setup505Document.h"
#include "document/results/ResultDecoders.h"
#include "document/results/VibrationExposure.h"
#include "document/units/LevelUnits.h"
#include "document/image/PagePool.h"
#include "document/image/PagedFileImage.h"
#include "platform/DocumentBase.h"

#include <functional>
#include <array>
#include <memory>
#include <span>
#include <cstdint>
#include <string>
#include <vector>

namespace orlu {

struct MonitorDocument;

class CTmDoc : public DocumentBase {
public:
    /// Band sets of the reverberation-time records.
    enum RtSet : int { kRtThirdOctave = 0, kRtOctave = 1 };

    explicit CTmDoc(AppContext& app);

    AppContext& App() const { return *m_App; }

    // Framework operations.

    /// Builds the window title from the document's origin and hands it on.
    void SetTitle(std::string_view proposedTitle) override;
    /// Fills a new document from what the application holds.
    bool OnNewDocument() override;
    /// The save questions; true lets the document close.
    bool SaveModified() override;
    /// Loads or stores the container file.
    void Serialize(Archive& archive) override;
    /// Stores through Serialize and writes the file. What a store changes in the
    /// document (the saved RT copies, the unsaved mark, the pending source, the
    /// Main-results view of a reduced file) changes only once the file is written.
    bool OnSaveDocument(const std::filesystem::path& path) override;

    // Commands.

    /// File Save: a reduced document asks first; one holding unsaved data goes to Save As;
    /// a file read from disk is never rewritten in place.
    void OnFileSave();
    /// File Save As, through the application; its result is kept.
    void OnFileSaveAs();
    void OnVibrationUnitsMetric();
    void OnVibrationUnitsNonmetric();
    bool IsVibrationUnitsMetricChecked() const { return m_App->NonMetric == 0; }
    bool IsVibrationUnitsNonmetricChecked() const { return m_App->NonMetric == 1; }

    /// Default fill of a new document when nothing is pending: no data, Hexa only.
    bool InitEmpty();

    /// True when the words of the first byteCount bytes sum to 0 modulo 65536
    /// (the last word being the check word). Odd byte counts fail; current-family
    /// single files carry no check word and pass.
    bool VerifyChecksum(const PagedFileImage& image, std::uint32_t byteCount) const;

    // State.

    std::uint8_t FileKind() const { return m_FileKind; }
    void SetFileKind(std::uint8_t kind) { m_FileKind = kind; }
    std::uint8_t SubKind() const { return m_SubKind; }
    void SetSubKind(std::uint8_t subKind) { m_SubKind = subKind; }
    std::uint32_t GetViewMask() const { return m_ViewMask; }
    void SetViewMask(std::uint32_t mask) { m_ViewMask = mask; }

    PagePool& Pool() { return m_Pool; }
    const PagedFileImage& Image() const { return m_Image; }
    PagedFileImage& Image() { return m_Image; }
    std::uint32_t ByteCount() const { return m_ByteCount; }
    /// Bounds-checked reads of the working image.
    ImageReader Reader() const { return ImageReader(m_Image, m_ByteCount); }

    /// The header bytes of the loaded file, at their file offsets (bytes 0 to 6 are not kept).
    const std::array<std::uint8_t, kMaxContainerHeaderSize>& HeaderBuffer() const { return m_HeaderBuffer; }
    /// The file's name, without its folder, as the last load or store saw it.
    const std::string& FileName() const { return m_FileName; }
    /// The name the title gave an instrument, MONITOR or extracted document.
    const std::string& NameBuffer() const { return m_NameBuffer; }

    const std::vector<MultifileEntry>& Subfiles() const { return m_Subfiles; }
    std::uint16_t SubfileCount() const { return static_cast<std::uint16_t>(m_Subfiles.size()); }
    /// Makes the document the Multifile of merged files: its kind, sub-kind and
    /// sub-file list (in name order); the image holds the files in merge order.
    void SetMerged(std::uint8_t kind, std::uint8_t subKind, std::vector<MultifileEntry> list);

    bool RecordIndexPresent() const { return m_RecordIndexPresent; }
    const RecordIndex& GetRecordIndex() const { return m_RecordIndex; }

    RtBandSet& Rt(RtSet set) { return m_Rt[set]; }
    const RtBandSet& Rt(RtSet set) const { return m_Rt[set]; }
    /// Whether either band set holds reverberation-time results, those a store writes.
    bool HoldsRtResults() const;

    bool HoldsUnsavedData() const { return m_UnsavedData != 0; }
    void SetUnsavedData(bool unsaved) { m_UnsavedData = unsaved; }
    bool IsNotFromDisk() const { return m_NotFromDisk != 0; }
    bool IsHidden() const { return m_Hidden; }
    void SetHidden(bool hidden) { m_Hidden = hidden; }
    bool IsReduced() const { return m_Reduced != 0; }
    void SetReduced(bool reduced) { m_Reduced = reduced; }
    bool LastSaveAsResult() const { return m_LastSaveAsResult; }

    std::uint8_t NonMetric() const { return m_NonMetric; }
    std::uint16_t StatisticalLevelCount() const { return m_StatLevelCount; }
    const std::array<std::uint8_t, 10>& StatisticalPercentages() const { return m_StatPercentages; }
    /// The levels (dB) of the percentages, in their order, as the last statistics form
    /// computed them; a position it did not compute keeps its level.
    std::array<double, 10>& UserLevels() { return m_UserLevels; }
    const std::array<double, 10>& UserLevels() const { return m_UserLevels; }
    /// The number of results of the histogram the last level form read.
    std::uint64_t HistogramTotal() const { return m_HistogramTotal; }
    void SetHistogramTotal(std::uint64_t total) { m_HistogramTotal = total; }

    /// Closes like File Close: the save questions, then the close. False when refused.
    using DocumentBase::CloseDocument;

    // ---- Current family (CurrentFamily.cpp) ----

    /// Decodes the header of a current-family sub-file (0: the whole file).
    /// The first decode of a file with a logger also splits the logger. False
    /// when the file cannot be shown.
    bool DecodeFileHeader(std::uint16_t subfile);
    const CurrentHeader& Header() const { return m_Current.header; }
    /// Whether the last header decode succeeded (the header and channels can be read).
    bool HeaderDecoded() const { return m_Current.decoded; }
    /// The sub-file the header was last decoded from.
    std::uint16_t DecodedSubfile() const { return m_Current.subfile; }
    const CurrentChannel& Channel() const { return m_Current.channel; }
    /// Makes channel (profile) a and profile p current.
    void SelectChannelProfile(int a, int p);
    /// Changes only the weighting words of the current channel to those of channel c, profile p.
    void SelectProfileWeighting(int c, int p);
    /// Builds the ViewMask of a current-family document from its decoded header.
    void SetViewMaskCurrent();
    /// The quantity the current channel's levels are shown in for the view's unit option.
    std::uint8_t GetDisplayQuantity(std::uint8_t option) const;
    /// What the level and unit helpers read of this document.
    LevelContext Levels() const;
    /// What the result decoders read of this document and its current channel; firstRecord 0 without results.
    ResultContext Results() const;
    /// Decodes the main results of channel (profile) a, profile p with the decoder of the
    /// document's model; the older sound-level-meter decoder keeps the measurement time T it read.
    void DecodeResultRow(int a, int p, ResultValues& out, bool linear, int e, double m);
    /// The exposure of the file's dose-meter setup from the vibration results of
    /// its channels (indexed by channel); 0 with out untouched when there is none.
    int ComputeVibrationExposure(std::span<const ResultValues> results, ExposureResult& out) const;
    /// T as the older sound-level-meter decoder last read it (seconds).
    std::uint32_t MeasurementSeconds() const { return m_MeasurementSeconds; }
    /// The image as read, kept once the logger split made the working image compact.
    bool HasAsLoadedImage() const { return m_Current.hasAsLoaded; }
    const PagedFileImage& AsLoadedImage() const { return m_Current.hasAsLoaded ? m_Current.asLoaded : m_Image; }
    PagedFileImage& AsLoadedImage() { return m_Current.hasAsLoaded ? m_Current.asLoaded : m_Image; }
    std::uint32_t AsLoadedByteCount() const { return m_Current.hasAsLoaded ? m_Current.asLoadedBytes : m_ByteCount; }
    const std::vector<LoggerMarker>& LoggerMarkers() const { return m_Current.markers; }
    const std::vector<LoggerBreak>& LoggerBreaks() const { return m_Current.breaks; }
    /// After a reduction of the logger: the kept record count (written into the buffer
    /// header in its own layout) and the numbers of the kept records.
    void SetBufferRecords(std::uint32_t count, RecordIndex index);
    /// The statistical levels of the file, taken on the first decode.
    const std::optional<StatisticalLevels>& StoredStatisticalLevels() const { return m_Current.statisticalLevels; }
    // ---- Legacy family: ORLU 505 METER-mode files, kinds 3, 10, 23 (LegacyFamily.cpp) ----

    /// Decodes the header of legacy sub-file n (0: the whole file, or a Multifile's first)
    /// and makes channel 0 of a single-channel file current. False, after its message,
    /// for an unknown prefix word or no memory for the RecordIndex; false for blocks
    /// that run past the sub-file.
    bool DecodeLegacyHeader(std::uint16_t subfile);
    const LegacyHeader& Legacy() const { return m_Legacy.header; }
    /// Whether the last legacy decode succeeded.
    bool LegacyDecoded() const { return m_Legacy.decoded; }
    /// The sub-file the legacy header was last decoded from.
    std::uint16_t LegacySubfile() const { return m_Legacy.subfile; }
    /// Makes channel p (0 to 4) of the decoded legacy sub-file current.
    void SelectLegacyChannel(int p);
    /// Builds the ViewMask of a legacy document; a Multifile's from the scan of its files.
    void SetViewMaskLegacy();
    /// The class counts of a single-channel legacy buffer, built by the last decode; null without one.
    const std::vector<std::uint32_t>* LegacyBufferHistogram() const { return m_Legacy.bufferHistogram; }
    /// Writes an edited record count into the buffer description of sub-file n in the
    /// working image, where the file's family keeps it. False when the file has no place for it.
    bool WriteRecordCount(int subfile, std::uint32_t count);
    /// Whether the document is of the legacy family (kinds 3, 10, 23).
    bool IsLegacyDocument() const;
    /// Whether the document is an ORLU 505 ANALYZER-mode file (kinds 4, 11, 24).
    bool IsAnalyzerDocument() const;

    // ---- ORLU 505 ANALYZER-mode files (Setup505Family.cpp) ----

    /// Decodes the setup header of sub-file n (0: the whole file) and makes its
    /// channel 0 current. False when the file cannot be shown or memory ran out.
    bool DecodeSetup505(std::uint16_t subfile);
    /// The setup the last DecodeSetup505 decoded.
    const Setup505& Analyzer() const { return m_Analyzer.setup; }
    bool AnalyzerDecoded() const { return m_Analyzer.decoded; }
    /// The sub-file the setup was decoded from.
    std::uint16_t AnalyzerSubfile() const { return m_Analyzer.subfile; }
    /// Makes channel n of the decoded setup current.
    void Select505Channel(int channel);
    /// Builds the ViewMask of an ANALYZER-mode document from its decoded setup.
    void SetViewMask505();
    /// The FFT workspace of the Time function (empty for the other functions).
    const FftBuffers& AnalyzerFftBuffers() const { return m_Analyzer.fft; }

    // ---- Sub-files (document/Subfiles.h) and the record locators over them ----

    /// The first word of sub-file n; its byte length becomes the current sub-file length.
    std::uint32_t GetSubfileStart(int n);
    /// The byte length of sub-file n (0 for a number that names no sub-file).
    std::uint32_t GetSubfileLength(int n) const;
    /// The name of sub-file n without trailing blanks; empty for 0 and without a list.
    std::string GetSubfileName(int n) const;
    /// The byte length of the sub-file last addressed by GetSubfileStart.
    std::uint32_t CurrentSubfileLength() const { return m_CurrentSubfileLength; }
    /// The file carried inside the image (sub-file -1): first byte, length in bytes.
    void SetEmbeddedFile(std::uint32_t startByte, std::uint32_t byteLength) { m_Embedded = {startByte, byteLength}; }
    const EmbeddedFile& Embedded() const { return m_Embedded; }
    /// Fills the content bits of a legacy Multifile through the legacy header decoder.
    void ScanLegacySubfiles(const LegacyHeaderProbe& decodeHeader);
    /// Fills the content bits of a current-family Multifile from the sub-files' chains.
    void ScanMergedSubfiles();
    const SubfileContents& GetSubfileContents() const { return m_SubfileContents; }
    /// Keeps a view's selection inside the sub-files that can show the view kind; returns 1.
    int ClampSubfileSelection(int viewKind, SubfileSelection& selection, BandStatistics bandStatistics);

    /// What the locators branch on; set by the header decoders.
    const ChainFlags& GetChainFlags() const { return m_ChainFlags; }
    void SetChainFlags(const ChainFlags& flags) { m_ChainFlags = flags; }

    // Locators (document/records/RecordLocators.h) over sub-file n: each addresses
    // the sub-file with GetSubfileStart and walks inside it; 0 or false: not found.
    std::uint32_t FindRecord(int n, std::uint8_t type);
    std::uint32_t FindRecordFrom(std::uint32_t startWord, std::uint8_t type) const;
    std::uint32_t FindNextRecord(std::uint32_t position, std::uint8_t type) const;
    std::uint32_t FindRecordInHeader(int n, std::uint8_t type);
    std::uint32_t FindResultsRecord(int n);
    bool HasRecord15(int n);
    bool HasBufferRecord(int n);
    std::optional<std::uint16_t> FindStatisticsDef(int n);
    std::uint32_t FindRecord9(int n);
    std::uint32_t FindRecord19(int n);
    std::uint32_t FindRecord14(int n);
    std::uint32_t FindRecord16(int n);
    std::uint32_t FindRecord24(int n);
    std::uint32_t FindRecord17or21(int n);
    std::uint32_t FindRecord22(int n);
    /// The spectrum record of `type` of a channel of a four-channel file (see the locator).
    std::uint32_t FindChannelRecord(int n, std::uint8_t type, int channel, std::uint16_t channelMask);
    std::uint32_t FindBufferRecord(int n);
    std::uint32_t FindBufferData(int n);
    bool IsComplete(int n);
    bool HasValidEnd(int n);
    std::uint32_t GetRecord17Data(int n);
    std::uint32_t GetRecord22Data(int n);
    /// The records of sub-file n; throws RecordChainError when its chain is broken.
    std::vector<RecordEntry> ListRecords(int n);

    // ---- Documents made from held data (CTmDocHeldData.cpp) ----

    /// Copies the application's extract (start and length in words) out of the
    /// source Multifile and decodes it as a file of its own: a legacy file as
    /// kind 3, an ANALYZER-mode file as 4, a current-family file by its model.
    /// False, after a message, when the extract runs past the source's data or
    /// its header cannot be decoded.
    bool ExtractFromMultifile();
    /// Copies the source MONITOR image from the extract start to its end and
    /// decodes it as the Buffer of an ORLU 525 (kind 45); false after a message.
    bool ExtractBufferFromMonitor();
    /// Copies the caught MONITOR output into the document and parses it.
    bool LoadCaughtMonitorOutput();
    /// Appends bytes to the working image a page at a time, the next page taken
    /// as soon as one is full. False after "Not enough memory ..." when no page can be had.
    bool CopyIntoPages(std::span<const std::uint8_t> bytes);
    /// Where sub-file n lies, without making it the current sub-file.
    SubfilePlace PlaceOfSubfile(int n) const;

    // ---- Buffer block editing and impulse marks (CTmDocBufferEdit.cpp) ----

    /// Deletes, keeps or copies the block of buffer records between the two markers (from 0,
    /// either order, clamped to the records). Delete and Keep change the document (an ORLU 505
    /// file becomes kind 10, others kind 50; reduced and modified): every view must then be
    /// built again. Deleting every record is refused with a message and changes nothing. Copy
    /// hands the block's file to the application, which stores it through a hidden document;
    /// the document stays as it was.
    BlockEditResult EditBuffer(BlockEditOp op, std::int64_t markerA, std::int64_t markerB);
    /// The buffer records an edit or the impulse marks work on; 0 without an editable buffer.
    std::uint32_t EditableRecordCount();
    /// Fills marks (one byte per record, cleared first) by the impulse mode (1 level
    /// difference, 2 peaks, 3 both) from the file's impulse profiles. False, marks empty,
    /// when the document holds no logger to mark.
    bool MarkImpulses(std::uint8_t mode, std::vector<std::uint8_t>& marks);

    // ---- MONITOR station files (src/monitor) ----

    /// What the MONITOR parser keeps of the stream: null until its first parse.
    std::shared_ptr<MonitorDocument>& MonitorState() { return m_Monitor; }
    const MonitorDocument* Monitor() const { return m_Monitor.get(); }

private:
    // Container load and store.
    void LoadContainer(Archive& archive);
    void StoreContainer(Archive& archive);
    void StoreHeldData(Archive& archive);
    void StoreDocument(Archive& archive);
    void StoreReducedCurrent(Archive& archive);
    void StoreReducedLegacy(Archive& archive);
    /// The header words, the buffer record, the kept rows, the check or end word and the index.
    void StoreReducedBuffer(Archive& archive);
    enum class HeaderCheck { Accepted, EndOfFile, Mismatch };
    HeaderCheck ReadHeader(Archive& archive);
    bool ReadDirectory(Archive& archive);
    bool DirectoryFitsData(std::uint64_t dataBytes) const;
    std::uint8_t* AppendPage();
    bool ReadDataIntoPages(Archive& archive, std::uint64_t dataBytes);
    void LoadWholeFileForHexa(Archive& archive);
    void DecodeByKind(Archive& archive, KindFamily family);
    /// Reads one RT block into pool memory; false (after its messages) on failure.
    bool ReadReverbBlock(Archive& archive, RtSet slot);
    /// Writes a set's block when told to; once the file is written the current records become the saved copy.
    void WriteReverbBlock(Archive& archive, bool write, RtSet slot);
    bool RtSetIsStored(const RtBandSet& set) const;
    /// Applies what the last store changes in the document; called once its file is written.
    void ApplyStoreEffects();

    // Documents made from held data.
    bool RefuseNewDocument(std::string_view text);
    bool FillFromInstrument();
    bool CopyImageRange(const PagedFileImage& source, std::uint32_t from, std::uint32_t to);
    /// Decodes the copied extract; when it is no file the program reads and the
    /// decoder said nothing, "<extract name>  -  Improper file contents" says so.
    bool DecodeExtract(const std::function<bool()>& decode);

    // Save questions.
    bool SaveAs();
    bool ReverbDataChanged();
    QuestionAnswer AskUnsavedQuestion(const std::string& text);

    AppContext* m_App;

    // Origin.
    int m_UnsavedData = 0; ///< made from held data and never stored
    int m_NotFromDisk = 0; ///< titled as an instrument, extract or MONITOR document
    bool m_Hidden = false; ///< a hidden document, saved and closed at once
    bool m_LastSaveAsResult = false;

    std::array<std::uint8_t, kMaxContainerHeaderSize> m_HeaderBuffer{};
    std::uint8_t m_FileKind = 0;
    std::uint8_t m_SubKind = 0;
    std::uint32_t m_ViewMask = kViewMaskHexa;

    PagePool m_Pool;
    std::uint32_t m_ByteCount = 0;
    PagedFileImage m_Image;

    bool m_RecordIndexPresent = false;
    RecordIndex m_RecordIndex;

    std::uint8_t m_NonMetric = 0;
    std::uint16_t m_StatLevelCount = 10;
    std::array<std::uint8_t, 10> m_StatPercentages{};
    std::array<double, 10> m_UserLevels{};
    std::uint64_t m_HistogramTotal = 0;

    std::array<RtBandSet, 2> m_Rt{};

    std::vector<MultifileEntry> m_Subfiles;

    std::string m_FileName;
    std::string m_NameBuffer;

    int m_Reduced = 0; ///< the buffer or logger was reduced since loading
    // What the store being written changes in the document once its file is on disk.
    struct StoreEffects {
        std::array<bool, 2> rtBecomesSaved{}; ///< per RtSet: the current records become the saved copy
        bool mainResultsDropped = false;     ///< a reduced file shows no Main results
    };
    StoreEffects m_StoreEffects;

    // Buffer block editing.
    std::optional<BufferPlace> LocateEditableBuffer();
    void ApplyBufferEdit(std::uint32_t wordCount, std::uint32_t records, RecordIndex index);
    /// The file of the block's rows, its header words carrying the block's record count.
    std::vector<std::uint8_t> BuildBlockFile(const BufferPlace& place, BlockRange block);
    // Current family.
    bool SplitCurrentLogger(CurrentHeader& h);
    /// Writes the record count into the buffer header record 15 in the layout it was read in.
    void WriteCurrentBufferCounts(std::uint32_t count);
    bool MakeRtRecords(const CurrentHeader& h);
    CurrentDocument m_Current;
    // Legacy family.
    void SetLegacyBufferRecords(std::uint32_t count, RecordIndex index);
    LevelContext LegacyLevels() const;
    LegacyDocument m_Legacy;
    std::uint32_t m_MeasurementSeconds = 0;
    // ORLU 505 ANALYZER-mode files.
    bool AllocAnalyzerWorkspace();
    bool MakeAnalyzerRecordIndex();
    Setup505Document m_Analyzer;
    // Sub-files.
    SubfileDirectory Directory() const;
    SubfileSpan SpanOf(int n);
    std::uint32_t m_CurrentSubfileLength = 0;
    EmbeddedFile m_Embedded;
    SubfileContents m_SubfileContents;
    ChainFlags m_ChainFlags;
    // MONITOR station files.
    std::shared_ptr<MonitorDocument> m_Monitor;
};

} // namespace orlu
