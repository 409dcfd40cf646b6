#pragma once
// The "REMOTE CONTROL" sheet: the General, Meter Mode and Analyzer Mode pages
// over the working settings, with Load and Save of setup files, Get from the
// unit and Send of the page in front, and the sheet's OK, Cancel and Apply.

#include "app/RemotePageWidget.h"
#include "presentation/remote/AnalyzerPageModel.h"
#include "presentation/remote/GeneralPageModel.h"
#include "presentation/remote/MeterPageModel.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QTabWidget;
class QPushButton;

namespace orlu {

class CControlSheet : public QDialog {
    Q_OBJECT
public:
    struct Actions {
        /// The file dialog of Load (false) or Save (true): the chosen path, empty when cancelled.
        std::function<std::string(bool save)> choosePath;
        /// Get: fills the record from the unit; false when no reply came.
        std::function<bool(CControlSett&)> get;
        /// Send: the page's settings to the unit.
        std::function<void(const CControlSett&, int page)> send;
    };

    /// eFlag: the E flag of the last instrument contact (the Meter page's RMS list).
    CControlSheet(CControlSett& working, CControlSett& committed, UserInteraction& ui, bool eFlag, Actions actions,
                  QWidget* parent = nullptr);
    ~CControlSheet() override;

    /// Shows page 0, 1 or 2 (it is refreshed as it comes to the front).
    void SetActivePage(int page);
    int ActivePage() const;
    RemotePageWidget& Page(int page) { return *m_Pages[static_cast<std::size_t>(page)]; }
    QPushButton* ApplyButton() const { return m_Apply; }

    void OnLoad();
    void OnSave();
    void OnGet();
    void OnSend();
    /// Apply: every page shown so far checks and commits; false when one refused.
    bool OnApply();

private:
    void PageChanging(int to);
    void Refresh(int page);

    CControlSett& m_Working;
    UserInteraction& m_Ui;
    Actions m_Actions;
    GeneralPageModel m_General;
    MeterPageModel m_Meter;
    AnalyzerPageModel m_Analyzer;
    std::array<RemotePageWidget*, 3> m_Pages{};
    std::array<bool, 3> m_Shown{};
    QTabWidget* m_Tabs = nullptr;
    QPushButton* m_Apply = nullptr;
    int m_Active = 0;
};

class SerialLinkSettings;

/// The menu command: the working settings start from the committed ones, the
/// sheet runs through the runner, Get and Send over the serial link.
void RunRemoteControl(CControlSett& working, CControlSett& committed, SerialLinkSettings& serial,
                      UserInteraction& ui, const std::function<int(QDialog&)>& run, QWidget* parent);

} // namespace orlu
