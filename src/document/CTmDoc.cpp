#include "document/CTmDoc.h"

#include "document/DocMessageTable.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace orlu {

namespace {

// Fillers of new documents that this build of the program cannot run.
constexpr std::string_view kLinkUnavailable = "The instrument link is not available";
constexpr std::string_view kMergeUnavailable = "Merging files is not available";

constexpr std::uint8_t kRequestMergeInstrumentFiles = 20;
constexpr std::uint8_t kRequestMergeDiskFiles = 21;
constexpr std::uint8_t kKindLegacyMultifile = 23;
constexpr std::uint8_t kKind505Multifile = 24;

std::string Message(int index)
{
    return std::string(DocMessageTable[index]);
}

std::string Numbered(int pattern, std::uint16_t& counter)
{
    ++counter;
    return StrPrintf(Message(pattern).c_str(), static_cast<int>(counter));
}

} // namespace

CTmDoc::CTmDoc(AppContext& app)
    : DocumentBase(*app.Ui), m_App(&app), m_NonMetric(app.NonMetric), m_StatPercentages(app.StatisticalPercentages)
{
}

void CTmDoc::SetTitle(std::string_view proposedTitle)
{
    const AppContext& app = *m_App;
    std::string title;
    int suffix = kMsgSuffixDiskFile;
    bool notFromDisk = true;
    switch (app.PendingDocSource) {
    case kPendingInstrument:
        switch (app.PendingFileKind) {
        case kKindSettings:
            title = Numbered(kMsgTitleSettings, m_App->SettingsTitleCounter);
            suffix = kMsgSuffixUnitText;
            break;
        case kRequestMergeInstrumentFiles:
        case kKindLegacyMultifile:
        case kKind505Multifile:
            title = Numbered(kMsgTitleMultifile, m_App->MultifileTitleCounter);
            suffix = kMsgSuffixUnitFiles;
            break;
        case kKindMonitor:
            title = Numbered(kMsgTitleMonitor, m_App->MonitorTitleCounter);
            m_NameBuffer = title;
            suffix = kMsgSuffixMonitorFile;
            break;
        default:
            if (!app.PendingUnitFileName.empty() && app.PendingUnitFileName[0] == '\\') {
                title = Numbered(kMsgTitleDirectory, m_App->DirectoryTitleCounter);
            } else {
                title = app.PendingUnitFileName;
                m_NameBuffer = title;
            }
            suffix = kMsgSuffixUnitFile;
            break;
        }
        break;
    case kPendingMultifileItem:
    case kPendingMonitorBuffer:
        title = app.PendingExtractName;
        m_NameBuffer = title;
        suffix = app.PendingDocSource == kPendingMultifileItem ? kMsgSuffixFromMultifile : kMsgSuffixFromMonitor;
        break;
    default:
        notFromDisk = false;
        if (app.PendingFileKind == kRequestMergeDiskFiles) {
            title = Numbered(kMsgTitleMultifile, m_App->MultifileTitleCounter);
            suffix = kMsgSuffixDiskFiles;
        } else {
            title = proposedTitle;
        }
        break;
    }
    m_NotFromDisk = notFromDisk;
    DocumentBase::SetTitle(title + Message(suffix));
}

bool CTmDoc::InitEmpty()
{
    m_FileKind = kKindNoData;
    m_ViewMask = kViewMaskHexa;
    return true;
}

namespace {

// What the instrument fills a document of each requested kind with. A filler
// that fails lowers the title counter its title raised, when it has one.
struct InstrumentFill {
    std::uint8_t first, last; ///< requested kinds
    enum Filler { Settings, File, Merge } filler;
    std::uint16_t AppContext::*counter;
};

constexpr InstrumentFill kInstrumentFills[] = {
    {kKindSettings, kKindSettings, InstrumentFill::Settings, &AppContext::SettingsTitleCounter},
    {3, 8, InstrumentFill::File, nullptr},
    {42, 49, InstrumentFill::File, nullptr},
    {kKindMonitor, kKindMonitor, InstrumentFill::File, nullptr},
    {kKindDerived, kKindDerived, InstrumentFill::File, nullptr},
    {kRequestMergeInstrumentFiles, kRequestMergeInstrumentFiles, InstrumentFill::Merge,
     &AppContext::MultifileTitleCounter},
};

} // namespace

bool CTmDoc::RefuseNewDocument(std::string_view text)
{
    Ui().ShowMessage(text, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

bool CTmDoc::OnNewDocument()
{
    WaitCursor wait(Ui());
    AppContext& app = *m_App;
    switch (app.PendingDocSource) {
    case kPendingNone:
        if (app.PendingFileKind == kRequestMergeDiskFiles) {
            if (!app.Fillers.MergeFiles)
                return RefuseNewDocument(kMergeUnavailable);
            return app.Fillers.MergeFiles(*this, false) && DocumentBase::OnNewDocument();
        }
        return InitEmpty() && DocumentBase::OnNewDocument();
    case kPendingMultifileItem:
        return ExtractFromMultifile() && DocumentBase::OnNewDocument();
    case kPendingMonitorBuffer:
        return ExtractBufferFromMonitor() && DocumentBase::OnNewDocument();
    case kPendingInstrument:
        if (app.PendingFileKind == kKindMonitor && app.CaughtOutput) {
            if (!LoadCaughtMonitorOutput() || !DocumentBase::OnNewDocument())
                return false;
            m_FileKind = kKindMonitor;
            return true;
        }
        [[fallthrough]];
    default:
        return FillFromInstrument();
    }
}

bool CTmDoc::FillFromInstrument()
{
    AppContext& app = *m_App;
    // As when the link cannot be opened, the pending source stays as it was.
    if (!app.Fillers.OpenPort)
        return RefuseNewDocument(kLinkUnavailable);
    if (!app.Fillers.OpenPort())
        return false;
    DocumentBase::OnNewDocument();
    const std::uint8_t kind = app.PendingFileKind;
    const auto row = std::find_if(std::begin(kInstrumentFills), std::end(kInstrumentFills),
                                  [kind](const InstrumentFill& f) { return kind >= f.first && kind <= f.last; });
    bool filled = false;
    if (row == std::end(kInstrumentFills)) {
        m_FileKind = kKindNoData;
    } else {
        m_FileKind = kind;
        const DocumentFillers& fill = app.Fillers;
        switch (row->filler) {
        case InstrumentFill::Settings:
            filled = fill.LoadUnitSettingsText ? fill.LoadUnitSettingsText(*this) : RefuseNewDocument(kLinkUnavailable);
            break;
        case InstrumentFill::File:
            filled = fill.LoadFileFromInstrument ? fill.LoadFileFromInstrument(*this)
                                                 : RefuseNewDocument(kLinkUnavailable);
            break;
        case InstrumentFill::Merge:
            filled = fill.MergeFiles ? fill.MergeFiles(*this, true) : RefuseNewDocument(kMergeUnavailable);
            break;
        }
        if (!filled && row->counter)
            --(app.*row->counter);
    }
    app.PendingDocSource = kPendingNone;
    return filled;
}

bool CTmDoc::SaveAs()
{
    return m_App->DoSave && m_App->DoSave(*this, PathName(), Title());
}

void CTmDoc::OnFileSaveAs()
{
    m_LastSaveAsResult = SaveAs();
}

void CTmDoc::OnFileSave()
{
    if (m_Reduced) {
        if (Ui().AskQuestion(Message(kMsgReducedSaveQuestion) + Title() + "?") != QuestionAnswer::Yes)
            return;
        OnFileSaveAs();
        // The reduction stays marked until it really is on disk, so closing still asks.
        if (m_LastSaveAsResult)
            m_Reduced = 0;
    } else if (m_UnsavedData) {
        OnFileSaveAs();
    }
}

void CTmDoc::OnVibrationUnitsMetric()
{
    m_NonMetric = 0;
    m_App->NonMetric = 0;
}

void CTmDoc::OnVibrationUnitsNonmetric()
{
    m_NonMetric = 1;
    m_App->NonMetric = 1;
}

bool CTmDoc::HoldsRtResults() const
{
    return std::any_of(m_Rt.begin(), m_Rt.end(), [this](const RtBandSet& set) { return RtSetIsStored(set); });
}

bool CTmDoc::ReverbDataChanged()
{
    bool changed = false;
    for (RtBandSet& set : m_Rt) {
        bool empty = RtBandRecordsEmpty(set.CurrentRecords());
        if (set.ComputedFlag && empty)
            set.ComputedFlag = 0;
        if (set.BlockInFile)
            changed |= set.Current && RtBandRecordsDiffer(set.CurrentRecords(), set.SavedRecords());
        else
            changed |= set.Current && !empty;
    }
    return changed;
}

QuestionAnswer CTmDoc::AskUnsavedQuestion(const std::string& text)
{
    const CloseAllState& all = m_App->CloseAll;
    if (all.ClosingAll && all.YesToAll)
        return QuestionAnswer::Yes;
    if (all.ClosingAll && all.NoToAll)
        return QuestionAnswer::No;
    if (all.ClosingAll && m_App->UnsavedDocumentCount > 1)
        return Ui().AskQuestionAll(text);
    return Ui().AskQuestion(text);
}

bool CTmDoc::SaveModified()
{
    CloseAllState& all = m_App->CloseAll;
    if (m_Hidden) {
        // The hidden document of a buffer copy saves at once, under the name the dialog proposes.
        SetTitle("BuffSeg");
        SaveAs();
    } else {
        bool unsavedQuestion = false;
        std::string text;
        if (m_Reduced) {
            text = Message(kMsgReducedSaveQuestion) + Title() + "?";
        } else {
            bool reverbChanged = ReverbDataChanged();
            if (m_UnsavedData) {
                unsavedQuestion = true;
                text = Message(kMsgSaveQuestion) + Title() + "?";
            } else if (reverbChanged) {
                text = Message(kMsgReverbSaveQuestion) + Title() + "?";
            } else {
                return true;
            }
        }
        for (;;) {
            QuestionAnswer answer = unsavedQuestion ? AskUnsavedQuestion(text) : Ui().AskQuestion(text);
            if (answer == QuestionAnswer::Cancel) {
                all.Cancelled = true;
                return false;
            }
            if (answer == QuestionAnswer::NoForAll) {
                all.NoToAll = true;
                all.YesToAll = false;
            }
            if (answer == QuestionAnswer::YesForAll) {
                all.YesToAll = true;
                all.NoToAll = false;
            }
            if (answer != QuestionAnswer::Yes && answer != QuestionAnswer::YesForAll)
                break;
            if (SaveAs())
                break;
            // Not stored: ask again; Yes for all must not answer for the user this time.
            if (unsavedQuestion)
                all.YesToAll = false;
        }
    }
    if (m_UnsavedData) {
        m_UnsavedData = 0;
        --m_App->UnsavedDocumentCount;
    }
    return true;
}

} // namespace orlu
