#include "app/CControlSheet.h"

#include "link/remote/RemoteExchange.h"
#include "link/remote/SetupFile.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orlu {

namespace {

RemoteControlRow Row(int id, QString group, QString label)
{
    RemoteControlRow row;
    row.id = id;
    row.group = std::move(group);
    row.label = std::move(label);
    return row;
}

RemoteControlRow List(int id, QString group, QString label, ListState& list, std::function<bool(int)> select)
{
    RemoteControlRow row = Row(id, std::move(group), std::move(label));
    row.list = &list;
    row.select = std::move(select);
    return row;
}

RemoteControlRow Edit(int id, QString group, QString label, EditState& edit, std::function<bool()> leave,
                      QString suffix = {})
{
    RemoteControlRow row = Row(id, std::move(group), std::move(label));
    row.edit = &edit;
    row.leave = std::move(leave);
    row.suffix = std::move(suffix);
    return row;
}

RemoteControlRow Check(int id, QString group, QString label, bool& check, std::function<bool(bool)> click)
{
    RemoteControlRow row = Row(id, std::move(group), std::move(label));
    row.check = &check;
    row.click = std::move(click);
    return row;
}

RemoteControlRow Shown(int id, QString group, QString label, const std::string& text)
{
    RemoteControlRow row = Row(id, std::move(group), std::move(label));
    row.text = &text;
    return row;
}

std::vector<RemoteControlRow> GeneralRows(GeneralPageModel& m)
{
    const QString g = "General";
    return {List(1029, g, "Unit version", m.unitVersion, [&m](int i) { return m.SelectUnitVersion(i); }),
            List(1024, g, "Instrument mode", m.mode, [&m](int i) { return m.SelectMode(i); }),
            List(1027, g, "State of measurement", m.startStop, [&m](int i) { return m.SelectStartStop(i); }),
            List(1028, g, "Microphone polarization", m.micPolarization,
                 [&m](int i) { return m.SelectMicPolarization(i); }),
            Check(1025, g, "Calibration", m.calibration, [&m](bool on) { return m.ClickCalibration(on); }),
            Check(1026, g, "Sound beep", m.soundBeep, [&m](bool on) { return m.ClickSoundBeep(on); }),
            Shown(1022, g, "Serial number", m.serialNumber),
            Shown(1023, g, "Internal software ver. number", m.softwareVersion)};
}

std::vector<RemoteControlRow> MeterRows(MeterPageModel& m)
{
    const QString f = "Function", i = "Input";
    return {List(1002, f, "Function", m.function, [&m](int k) { return m.SelectFunction(k); }),
            Check(1003, f, "A.Repeat", m.autoRepeat, [&m](bool on) { return m.ClickAutoRepeat(on); }),
            List(1004, f, "RMS averag.", m.rmsAveraging, [&m](int k) { return m.SelectRmsAveraging(k); }),
            Edit(1000, f, "Int. time", m.integrationTime, [&m] { return m.LeaveIntegrationTime(); }),
            List(1008, f, "Unit", m.unit, [&m](int k) { return m.SelectUnit(k); }),
            List(1010, f, "Delta integr.", m.deltaIntegr, [&m](int k) { return m.SelectDeltaIntegr(k); }),
            List(1011, i, "Input", m.input, [&m](int k) { return m.SelectInput(k); }),
            List(1012, i, "Range", m.range, [&m](int k) { return m.SelectRange(k); }),
            List(1013, i, "Filter", m.filter, [&m](int k) { return m.SelectFilter(k); }),
            Check(1014, i, "Auto Range", m.autoRange, [&m](bool on) { return m.ClickAutoRange(on); })};
}

std::vector<RemoteControlRow> AnalyzerRows(AnalyzerPageModel& m)
{
    const QString f = "Function", t = "Trigger", in = "Input", z = "Zoom";
    auto entry = [&m](ListState& list, Setting s) {
        return [&m, &list, s](int k) { return m.SelectEntry(list, s, k); };
    };
    return {List(1002, f, "Function", m.function, [&m](int k) { return m.SelectFunction(k); }),
            List(1004, f, "S.Lines(sampl.)", m.sLines, entry(m.sLines, Setting::SLines)),
            List(1005, f, "Record", m.record, entry(m.record, Setting::Record)),
            List(1006, f, "Window", m.window, entry(m.window, Setting::Window)),
            List(1007, f, "Averaging", m.averaging, entry(m.averaging, Setting::Averaging)),
            Edit(1021, f, "Averag. No.", m.averagingNumber, [&m] { return m.LeaveAveragingNumber(); }),
            List(1001, f, "RMS Averag.", m.rmsAveraging, entry(m.rmsAveraging, Setting::AnRmsAveraging)),
            List(1003, f, "Delta integr.", m.deltaIntegr, entry(m.deltaIntegr, Setting::AnDeltaIntegr)),
            List(1014, t, "Trigger", m.trigger, entry(m.trigger, Setting::Trigger)),
            Edit(1015, t, "Level", m.level, [&m] { return m.LeaveTriggerLevel(); }, "%"),
            Edit(1017, t, "Delay", m.delay, [&m] { return m.LeaveTriggerDelay(); }),
            List(1011, in, "Input", m.input, [&m](int k) { return m.SelectInput(k); }),
            List(1012, in, "Range", m.range, entry(m.range, Setting::AnRange)),
            List(1010, in, "Band", m.band, [&m](int k) { return m.SelectBand(k); }),
            List(1013, in, "Filter", m.filter, entry(m.filter, Setting::AnFilter)),
            Check(1018, z, "Zoom", m.zoom, [&m](bool on) { return m.ClickZoom(on); }),
            List(1020, z, "C.Freq.", m.cFreq, [&m](int k) { return m.SelectCFreq(k); })};
}

} // namespace

CControlSheet::CControlSheet(CControlSett& working, CControlSett& committed, UserInteraction& ui, bool eFlag,
                             Actions actions, QWidget* parent)
    : QDialog(parent), m_Working(working), m_Ui(ui), m_Actions(std::move(actions)),
      m_General(working, committed, ui), m_Meter(working, committed, ui, eFlag), m_Analyzer(working, committed, ui)
{
    setWindowTitle("REMOTE CONTROL");
    auto* layout = new QVBoxLayout(this);
    m_Tabs = new QTabWidget(this);
    m_Pages = {new RemotePageWidget(m_General, GeneralRows(m_General), m_Tabs),
               new RemotePageWidget(m_Meter, MeterRows(m_Meter), m_Tabs),
               new RemotePageWidget(m_Analyzer, AnalyzerRows(m_Analyzer), m_Tabs)};
    const char* titles[] = {"General", "Meter Mode", "Analyzer Mode"};
    for (int p = 0; p < 3; ++p) {
        m_Tabs->addTab(m_Pages[static_cast<std::size_t>(p)], titles[p]);
        connect(m_Pages[static_cast<std::size_t>(p)], &RemotePageWidget::Modified, this,
                [this] { m_Apply->setEnabled(true); });
    }
    layout->addWidget(m_Tabs);

    // The sheet's own buttons below the pages, in this order.
    auto* own = new QHBoxLayout;
    const std::pair<int, const char*> buttons[] = {{1200, "Load"}, {1201, "Save"}, {1202, "Get"}, {1203, "Send"}};
    void (CControlSheet::*handlers[])() = {&CControlSheet::OnLoad, &CControlSheet::OnSave, &CControlSheet::OnGet,
                                           &CControlSheet::OnSend};
    own->addStretch();
    for (int b = 0; b < 4; ++b) {
        auto* button = new QPushButton(buttons[b].second, this);
        button->setObjectName(QString::number(buttons[b].first));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handlers[b]);
        own->addWidget(button);
    }
    own->addStretch();
    layout->addLayout(own);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    m_Apply = box->button(QDialogButtonBox::Apply);
    m_Apply->setEnabled(false);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_Apply, &QPushButton::clicked, this, [this] { OnApply(); });
    connect(box, &QDialogButtonBox::accepted, this, [this] {
        if (OnApply())
            accept();
    });
    layout->addWidget(box);

    connect(m_Tabs, &QTabWidget::currentChanged, this, &CControlSheet::PageChanging);
    Refresh(0);
}

CControlSheet::~CControlSheet() = default;

void CControlSheet::SetActivePage(int page)
{
    m_Tabs->setCurrentIndex(page);
}

int CControlSheet::ActivePage() const
{
    return m_Active;
}

void CControlSheet::Refresh(int page)
{
    RemotePageWidget& widget = *m_Pages[static_cast<std::size_t>(page)];
    widget.Model().UpdateControls();
    widget.ShowModel();
    m_Shown[static_cast<std::size_t>(page)] = true;
    if (widget.Model().modified)
        m_Apply->setEnabled(true);
}

void CControlSheet::PageChanging(int to)
{
    if (to == m_Active)
        return;
    // A page whose edits are refused stays in front.
    if (!m_Pages[static_cast<std::size_t>(m_Active)]->Model().OnKillActive()) {
        m_Pages[static_cast<std::size_t>(m_Active)]->ShowModel();
        const QSignalBlocker block(m_Tabs);
        m_Tabs->setCurrentIndex(m_Active);
        return;
    }
    m_Active = to;
    Refresh(to);
}

bool CControlSheet::OnApply()
{
    for (int p = 0; p < 3; ++p) {
        if (!m_Shown[static_cast<std::size_t>(p)])
            continue;
        RemotePageWidget& widget = *m_Pages[static_cast<std::size_t>(p)];
        const bool applied = widget.Model().OnApply();
        widget.ShowModel();
        if (!applied) {
            SetActivePage(p);
            return false;
        }
        widget.Model().modified = false;
    }
    m_Apply->setEnabled(false);
    return true;
}

void CControlSheet::OnLoad()
{
    const std::string path = m_Actions.choosePath ? m_Actions.choosePath(false) : std::string();
    if (path.empty())
        return;
    if (const std::optional<std::string> refused = LoadSetupFile(path, m_Working)) {
        m_Ui.ShowMessage(*refused, kMessageCaption, MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    Refresh(m_Active);
}

void CControlSheet::OnSave()
{
    const std::string path = m_Actions.choosePath ? m_Actions.choosePath(true) : std::string();
    if (path.empty())
        return;
    // The pages shown so far check and commit first; the save goes on whatever they answer.
    OnApply();
    std::string error;
    if (!SaveSetupFile(WithSetupExtension(path), m_Working, &error))
        m_Ui.ShowMessage(error, kMessageCaption, MessageButtons::Ok, MessageIcon::Stop);
}

void CControlSheet::OnGet()
{
    if (m_Actions.get && m_Actions.get(m_Working))
        Refresh(m_Active);
}

void CControlSheet::OnSend()
{
    if (m_Actions.send)
        m_Actions.send(m_Working, m_Active);
}

void RunRemoteControl(CControlSett& working, CControlSett& committed, SerialLinkSettings& serial,
                      UserInteraction& ui, const std::function<int(QDialog&)>& run, QWidget* parent)
{
    working.CopyFrom(committed);
    SystemClock clock;
    UnitLink link(ui, serial, clock);
    CControlSheet::Actions actions;
    actions.choosePath = [parent](bool save) {
        const QString filter = "Orlu Config Files (*.ocf)";
        const QString path = save ? QFileDialog::getSaveFileName(parent, "Save", "*.ocf", filter)
                                  : QFileDialog::getOpenFileName(parent, "Load", "*.ocf", filter);
        return path.toStdString();
    };
    actions.get = [&link](CControlSett& settings) { return GetUnitSettings(link, settings) != kIdentifyNoReply; };
    actions.send = [&link](const CControlSett& settings, int page) { SendSettingsPage(link, settings, page); };
    // No unit has been read in this run: the RMS averaging list follows the settings' own version.
    const bool eFlag = committed.Get(Setting::UnitVersion) != 0;
    CControlSheet sheet(working, committed, ui, eFlag, std::move(actions), parent);
    run(sheet);
}

} // namespace orlu
