#include "DocumentTestSupport.h"
#include "platform/ValueFormat.h"

namespace orlu {
namespace {

using fixture::FixtureBuilder;

class DocumentTitle : public DocumentTest {};

TEST_F(DocumentTitle, TitlesFollowTheDocumentsOrigin)
{
    struct Case {
        std::uint8_t source, kind;
        const char* unitName;
        const char* expected;
        bool notFromDisk;
    } cases[] = {
        {1, 2, "", "Settings1 - text (ORLU unit file)", true},
        {1, 2, "", "Settings2 - text (ORLU unit file)", true},
        {1, 20, "", "Multifile1 - binary (ORLU unit files)", true},
        {1, 24, "", "Multifile2 - binary (ORLU unit files)", true},
        {1, 80, "", "Monitor1 - binary (MONITOR file)", true},
        {1, 45, "\\DIR", "Directory1 - binary (ORLU unit file)", true},
        {1, 45, "L0000012.525", "L0000012.525 - binary (ORLU unit file)", true},
        {3, 0, "", "PART2 - binary (extracted from Multifile)", true},
        {2, 0, "", "PART2 - binary (extracted from MONITOR file)", true},
        {0, 21, "", "Multifile3 - binary (disk files)", false},
        {0, 45, "", "a.orl - binary (disk file)", false},
    };
    app.PendingExtractName = "PART2";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        app.PendingDocSource = c.source;
        app.PendingFileKind = c.kind;
        app.PendingUnitFileName = c.unitName;
        CTmDoc doc(app);
        doc.SetTitle("a.orl");
        EXPECT_EQ(doc.Title(), c.expected);
        EXPECT_EQ(doc.IsNotFromDisk(), c.notFromDisk);
    }
    EXPECT_EQ(app.SettingsTitleCounter, 2);
    EXPECT_EQ(app.MultifileTitleCounter, 3);
    EXPECT_EQ(app.MonitorTitleCounter, 1);
    EXPECT_EQ(app.DirectoryTitleCounter, 1);
}

TEST_F(DocumentTitle, AnOpenedFileIsTitledByItsName)
{
    auto doc = Open(Write("a.orl", FixtureBuilder().ContainerHeader(45).Pattern(4)));
    EXPECT_EQ(doc->Title(), "a.orl - binary (disk file)");
    EXPECT_EQ(doc->FileName(), "a.orl");
}

class NewDocument : public DocumentTest {};

TEST_F(NewDocument, NothingPendingGivesAnEmptyHexaDocument)
{
    CTmDoc doc(app);
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.FileKind(), 0);
    EXPECT_EQ(doc.GetViewMask(), kViewMaskHexa);
    EXPECT_EQ(doc.ByteCount(), 0u);
    EXPECT_EQ(ui.MaxWaitDepth(), 1);
}

TEST_F(NewDocument, TheSourceAndTheRequestedKindChooseTheFiller)
{
    // Fillers of the link and the MONITOR parser are stand-ins that record
    // their call; the title counters start where the title left them.
    struct Case {
        const char* name;
        std::uint8_t source, kind;
        bool link, linkOpens, fillers, fillResult, caught;
        bool result;
        const char* called; // the filler that ran, with the kind the document had then
        std::uint8_t kindAfter, sourceAfter;
        std::vector<std::string> messages;
        std::uint16_t settingsCounter, multifileCounter;
    } cases[] = {
        {"settings", 1, 2, true, true, true, true, false, true, "settings 2", 2, 0, {}, 1, 0},
        {"settings fail: their title number is given back", 1, 2, true, true, true, false, false, false,
         "settings 2", 2, 0, {}, 0, 0},
        {"instrument file", 1, 45, true, true, true, true, false, true, "file 45", 45, 0, {}, 0, 0},
        {"instrument file fails", 1, 99, true, true, true, false, false, false, "file 99", 99, 0, {}, 0, 0},
        {"merge over the link", 1, 20, true, true, true, true, false, true, "merge link 20", 20, 0, {}, 0, 1},
        {"merge over the link fails: the Multifile number is given back", 1, 20, true, true, true, false, false,
         false, "merge link 20", 20, 0, {}, 0, 0},
        {"unknown kind", 1, 77, true, true, true, true, false, false, "", 0, 0, {}, 0, 0},
        {"the link does not open", 1, 2, true, false, true, true, false, false, "", 0, 1, {}, 1, 0},
        {"no link", 1, 2, false, false, false, false, false, false, "", 0, 1,
         {"The instrument link is not available"}, 1, 0},
        {"a link without its fillers", 1, 45, true, true, false, false, false, false, "", 45, 0,
         {"The instrument link is not available"}, 0, 0},
        {"another source is the instrument", 7, 45, true, true, true, true, false, true, "file 45", 45, 0, {}, 0,
         0},
        {"caught MONITOR output", 1, 80, false, false, true, true, true, true, "parse 5", 80, 1, {}, 0, 0},
        {"caught output without the parser", 1, 80, false, false, false, false, true, false, "", 0, 1,
         {"Reading MONITOR files is not available"}, 0, 0},
        {"merge of disk files", 0, 21, false, false, true, true, false, true, "merge disk 0", 0, 0, {}, 0, 1},
        {"merge of disk files without a merger", 0, 21, false, false, false, false, false, false, "", 0, 0,
         {"Merging files is not available"}, 0, 1},
        {"extract without a source", 3, 0, false, false, false, false, false, false, "", 0, 3,
         {"Improper file contents..."}, 0, 0},
        {"buffer without a source", 2, 0, false, false, false, false, false, false, "", 0, 2,
         {"Improper file contents..."}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction local;
        AppContext localApp(local);
        localApp.PendingDocSource = c.source;
        localApp.PendingFileKind = c.kind;
        localApp.PendingUnitFileName = "U1";
        if (c.caught)
            localApp.CaughtOutput = std::vector<std::uint8_t>{'[', 'M', 'O', 'N', ';'};
        std::string called;
        auto record = [&](const char* what, bool result) {
            return [&called, what, result](CTmDoc& doc) {
                called = StrPrintf("%s %u", what, what[0] == 'p' ? doc.ByteCount() : doc.FileKind());
                return result;
            };
        };
        if (c.link)
            localApp.Fillers.OpenPort = [&c] { return c.linkOpens; };
        if (c.fillers) {
            localApp.Fillers.LoadUnitSettingsText = record("settings", c.fillResult);
            localApp.Fillers.LoadFileFromInstrument = record("file", c.fillResult);
            localApp.Fillers.ParseMonitorFile = record("parse", c.fillResult);
            localApp.Fillers.MergeFiles = [&](CTmDoc& doc, bool overLink) {
                called = StrPrintf("merge %s %u", overLink ? "link" : "disk", doc.FileKind());
                return c.fillResult;
            };
        }
        CTmDoc doc(localApp);
        doc.SetTitle("");
        EXPECT_EQ(doc.OnNewDocument(), c.result);
        EXPECT_EQ(called, c.called);
        EXPECT_EQ(doc.FileKind(), c.kindAfter);
        EXPECT_EQ(localApp.PendingDocSource, c.sourceAfter);
        EXPECT_EQ(local.Messages(), c.messages);
        EXPECT_EQ(localApp.SettingsTitleCounter, c.settingsCounter);
        EXPECT_EQ(localApp.MultifileTitleCounter, c.multifileCounter);
        EXPECT_EQ(local.MaxWaitDepth(), 1);
    }
}

TEST_F(NewDocument, NewDocumentsTakeTheApplicationsOptions)
{
    app.NonMetric = 1;
    app.StatisticalPercentages = {5, 10, 15, 20, 25, 30, 35, 40, 45, 50};
    CTmDoc doc(app);
    EXPECT_EQ(doc.NonMetric(), 1);
    EXPECT_EQ(doc.StatisticalLevelCount(), 10);
    EXPECT_EQ(doc.StatisticalPercentages(), app.StatisticalPercentages);
    EXPECT_EQ(doc.GetViewMask(), kViewMaskHexa);

    doc.OnVibrationUnitsMetric();
    EXPECT_EQ(doc.NonMetric(), 0);
    EXPECT_TRUE(doc.IsVibrationUnitsMetricChecked());
    doc.OnVibrationUnitsNonmetric();
    EXPECT_EQ(app.NonMetric, 1);
    EXPECT_TRUE(doc.IsVibrationUnitsNonmetricChecked());
}

// ---- Save questions ----

// One step of the user's side: the question expected (empty: none) and the answer.
struct Step {
    bool all; // the box with Yes for all and No for all
    const char* question;
    QuestionAnswer answer;
};

struct SaveCase {
    const char* name;
    bool closingAll;
    int unsavedCount;           // unsaved documents before this one closes
    bool yesToAll, noToAll;     // already chosen for earlier documents
    std::vector<Step> steps;
    std::vector<bool> saveResults; // what each Save As returns, in order
    bool closes;
    int savesTried;
    int unsavedCountAfter;
};

class SaveQuestions : public DocumentTest {};

TEST_F(SaveQuestions, AnUnsavedDocumentAsksAndFollowsTheAnswer)
{
    const char* q = "Save U1 - binary (ORLU unit file)?";
    using A = QuestionAnswer;
    std::vector<SaveCase> cases = {
        {"yes", false, 1, false, false, {{false, q, A::Yes}}, {true}, true, 1, 0},
        {"no", false, 1, false, false, {{false, q, A::No}}, {}, true, 0, 0},
        {"cancel", false, 1, false, false, {{false, q, A::Cancel}}, {}, false, 0, 1},
        {"yes, then the dialog cancelled: asked again", false, 1, false, false,
         {{false, q, A::Yes}, {false, q, A::No}}, {false}, true, 1, 0},
        {"closing all with two left: the for-all box", true, 2, false, false, {{true, q, A::YesForAll}}, {true}, true,
         1, 1},
        {"closing all with one left: the plain box", true, 1, false, false, {{false, q, A::Yes}}, {true}, true, 1, 0},
        {"yes for all chosen before: saved without a question", true, 3, true, false, {}, {true}, true, 1, 2},
        {"no for all chosen before: closed without a question", true, 3, false, true, {}, {}, true, 0, 2},
        {"no for all", true, 2, false, false, {{true, q, A::NoForAll}}, {}, true, 0, 1},
        {"yes for all, dialog cancelled: asked again", true, 2, false, false,
         {{true, q, A::YesForAll}, {true, q, A::Cancel}}, {false}, false, 1, 2},
        {"yes for all chosen before, dialog cancelled: asked", true, 2, true, false, {{true, q, A::No}}, {false},
         true, 1, 1},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction local;
        AppContext localApp(local);
        localApp.CloseAll = {c.closingAll, c.yesToAll, c.noToAll, false};
        localApp.UnsavedDocumentCount = c.unsavedCount;
        std::size_t saves = 0;
        localApp.DoSave = [&](CTmDoc&, const std::filesystem::path&, const std::string& title) {
            EXPECT_EQ(title, "U1 - binary (ORLU unit file)");
            return saves < c.saveResults.size() && c.saveResults[saves++];
        };
        localApp.PendingDocSource = kPendingInstrument;
        localApp.PendingUnitFileName = "U1";
        CTmDoc doc(localApp);
        doc.SetTitle("");
        doc.SetUnsavedData(true);
        for (const Step& s : c.steps) {
            if (s.all)
                local.ExpectQuestionAll(s.question, s.answer);
            else
                local.ExpectQuestion(s.question, s.answer);
        }
        EXPECT_EQ(doc.CloseDocument(), c.closes);
        EXPECT_EQ(saves, static_cast<std::size_t>(c.savesTried));
        EXPECT_EQ(localApp.UnsavedDocumentCount, c.unsavedCountAfter);
        EXPECT_EQ(localApp.CloseAll.Cancelled, !c.closes);
        EXPECT_EQ(doc.HoldsUnsavedData(), !c.closes);
    }
}

TEST_F(SaveQuestions, YesForAllAndNoForAllAreRememberedForTheNextDocuments)
{
    app.CloseAll.ClosingAll = true;
    app.UnsavedDocumentCount = 4;
    int saves = 0;
    app.DoSave = [&](CTmDoc&, const std::filesystem::path&, const std::string&) { return ++saves > 0; };
    app.PendingDocSource = kPendingInstrument;
    std::vector<std::unique_ptr<CTmDoc>> docs;
    for (const char* name : {"A", "B", "C", "D"}) {
        app.PendingUnitFileName = name;
        docs.push_back(std::make_unique<CTmDoc>(app));
        docs.back()->SetTitle("");
        docs.back()->SetUnsavedData(true);
    }
    ui.ExpectQuestionAll("Save A - binary (ORLU unit file)?", QuestionAnswer::NoForAll);
    EXPECT_TRUE(docs[0]->CloseDocument());
    EXPECT_TRUE(docs[1]->CloseDocument()); // no question
    EXPECT_EQ(saves, 0);
    app.CloseAll.NoToAll = false; // a new close-all
    ui.ExpectQuestionAll("Save C - binary (ORLU unit file)?", QuestionAnswer::YesForAll);
    EXPECT_TRUE(docs[2]->CloseDocument());
    EXPECT_TRUE(app.CloseAll.YesToAll);
    EXPECT_FALSE(app.CloseAll.NoToAll);
    EXPECT_TRUE(docs[3]->CloseDocument()); // saved without a question
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(app.UnsavedDocumentCount, 0);
}

TEST_F(SaveQuestions, AFileFromDiskClosesWithoutAQuestionWhateverItsModifiedFlag)
{
    auto doc = Open(Write("a.orl", FixtureBuilder().ContainerHeader(45).Pattern(4)));
    doc->SetModifiedFlag(true);
    EXPECT_TRUE(doc->CloseDocument());
}

TEST_F(SaveQuestions, ReducedAndReverberationDocumentsAskTheirOwnQuestion)
{
    std::vector<std::uint8_t> rt(240, 0);
    rt[0] = 5; // a computed result
    FixtureBuilder withBlock;
    withBlock.ContainerHeader(45, 0, 1, 4).Pattern(4).RtBlock(rt);
    int saves = 0;
    app.DoSave = [&](CTmDoc&, const std::filesystem::path&, const std::string&) { return ++saves > 0; };

    {   // RT records as the file brought them: no question
        auto doc = Open(Write("r.orl", withBlock));
        std::vector<std::uint8_t> current(rt);
        doc->Rt(CTmDoc::kRtThirdOctave).Current = current.data();
        doc->Rt(CTmDoc::kRtThirdOctave).CurrentBytes = 240;
        doc->Rt(CTmDoc::kRtThirdOctave).ComputedFlag = 1;
        EXPECT_TRUE(doc->CloseDocument());
    }
    {   // recomputed: the reverberation question
        auto doc = Open(Write("r.orl", withBlock));
        std::vector<std::uint8_t> current(rt);
        current[20] = 9;
        doc->Rt(CTmDoc::kRtThirdOctave).Current = current.data();
        doc->Rt(CTmDoc::kRtThirdOctave).CurrentBytes = 240;
        doc->Rt(CTmDoc::kRtThirdOctave).ComputedFlag = 1;
        ui.ExpectQuestion("Reverberation time computing data added \nor changed.\nSave modified r.orl - binary (disk "
                          "file)?",
                          QuestionAnswer::Yes);
        EXPECT_TRUE(doc->CloseDocument());
        EXPECT_EQ(saves, 1);
    }
    {   // computed on a file without a block; the document also holds unsaved data: only "Save"
        auto doc = Open(Write("n.orl", FixtureBuilder().ContainerHeader(45).Pattern(4)));
        std::vector<std::uint8_t> current(rt);
        doc->Rt(CTmDoc::kRtOctave).Current = current.data();
        doc->Rt(CTmDoc::kRtOctave).CurrentBytes = 240;
        doc->Rt(CTmDoc::kRtOctave).ComputedFlag = 2;
        doc->SetUnsavedData(true);
        app.UnsavedDocumentCount = 1;
        ui.ExpectQuestion("Save n.orl - binary (disk file)?", QuestionAnswer::No);
        EXPECT_TRUE(doc->CloseDocument());
    }
    {   // reduced: its question, asked again while Save As does not store
        auto doc = Open(Write("b.orl", FixtureBuilder().ContainerHeader(45).Pattern(4)));
        doc->SetReduced(true);
        const char* q = "Buffer/logger contents reduced.\nSave modified b.orl - binary (disk file)?";
        ui.ExpectQuestion(q, QuestionAnswer::Cancel);
        EXPECT_FALSE(doc->CloseDocument());
        ui.ExpectQuestion(q, QuestionAnswer::No);
        EXPECT_TRUE(doc->CloseDocument());
    }
}

TEST_F(SaveQuestions, FileSaveClearsTheReducedMarkOnlyWhenTheFileWasStored)
{
    auto doc = Open(Write("b.orl", FixtureBuilder().ContainerHeader(45).Pattern(4)));
    doc->SetReduced(true);
    bool stores = false;
    app.DoSave = [&](CTmDoc&, const std::filesystem::path&, const std::string&) { return stores; };
    const char* q = "Buffer/logger contents reduced.\nSave modified b.orl - binary (disk file)?";
    ui.ExpectQuestion(q, QuestionAnswer::No);
    doc->OnFileSave();
    EXPECT_TRUE(doc->IsReduced());
    ui.ExpectQuestion(q, QuestionAnswer::Yes); // the dialog is cancelled
    doc->OnFileSave();
    EXPECT_TRUE(doc->IsReduced());
    EXPECT_FALSE(doc->LastSaveAsResult());
    stores = true;
    ui.ExpectQuestion(q, QuestionAnswer::Yes);
    doc->OnFileSave();
    EXPECT_FALSE(doc->IsReduced());
    EXPECT_TRUE(doc->LastSaveAsResult());
}

TEST_F(SaveQuestions, FileSaveOfAFileFromDiskWritesNothing)
{
    auto doc = Open(Write("a.orl", FixtureBuilder().ContainerHeader(45).Pattern(4)));
    int saves = 0;
    app.DoSave = [&](CTmDoc&, const std::filesystem::path&, const std::string&) { return ++saves > 0; };
    doc->OnFileSave();
    EXPECT_EQ(saves, 0);
    doc->SetUnsavedData(true);
    doc->OnFileSave();
    EXPECT_EQ(saves, 1);
}

TEST_F(SaveQuestions, TheHiddenDocumentSavesAsBuffSegWithoutAQuestion)
{
    std::vector<std::string> titles;
    app.DoSave = [&](CTmDoc&, const std::filesystem::path&, const std::string& title) {
        titles.push_back(title);
        return false; // even a cancelled dialog is not asked again
    };
    CTmDoc hidden(app);
    hidden.SetHidden(true);
    EXPECT_TRUE(hidden.CloseDocument());
    EXPECT_EQ(titles, std::vector<std::string>{"BuffSeg - binary (disk file)"});

    // A document that merely has no pages is not the hidden one: nothing to save, no question.
    CTmDoc empty(app);
    EXPECT_TRUE(empty.OnNewDocument());
    EXPECT_TRUE(empty.CloseDocument());
    EXPECT_EQ(titles.size(), 1u);
}

} // namespace
} // namespace orlu
