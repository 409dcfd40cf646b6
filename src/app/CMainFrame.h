#pragma once
// The main frame: menu bar, toolbar, status bar and the MDI area holding a
// child frame per view. It builds menus and toolbar from the command table,
// sends every command along the route view, document, child frame, main
// frame, application, and sets enabled and checked states from the update
// handlers on that route.

#include "presentation/AppSettings.h"
#include "presentation/CommandTable.h"
#include "presentation/CommandTarget.h"
#include "presentation/DocumentManager.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <span>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace orlu {

class CChildFrame;

class CMainFrame : public QMainWindow, public CommandTarget, public DocumentFrameHost {
    Q_OBJECT
public:
    using ViewFactory = std::function<QWidget*(ManagedDocument&)>;

    /// What the frame asks of the application.
    struct Owner {
        CommandTarget* application = nullptr;
        DocumentManager* documents = nullptr;
        /// Asked before the frame closes; false keeps the program running.
        std::function<bool()> canClose;
        /// A file dropped on the frame.
        std::function<void(const std::string&)> openDroppedFile;
    };

    CMainFrame(AppSettings& settings, Owner owner);
    ~CMainFrame() override;

    void SetViewFactory(int templateId, ViewFactory factory) { m_ViewFactories[templateId] = std::move(factory); }

    // DocumentFrameHost
    void ShowDocument(ManagedDocument& document, int templateId) override;
    void ActivateDocument(ManagedDocument& document) override;
    void RemoveDocument(ManagedDocument& document) override;

    /// Runs a command along the route; false when nothing handles it.
    bool RouteCommand(int id);
    /// Refreshes the enabled and checked state of every action.
    void UpdateCommandUi();
    /// The action of a command (one per id, shared by menu, toolbar and keys), null when it has none.
    QAction* Action(int id) const;

    QMdiArea* MdiArea() const { return m_Mdi; }
    QToolBar* ToolBar() const { return m_ToolBar; }
    /// The child frame with the focus, null when none.
    CChildFrame* ActiveChild() const;
    std::vector<CChildFrame*> ChildFrames() const;
    /// The text of the status bar's message pane when no prompt is shown.
    QString IdleStatusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    void RegisterCommands();
    void BuildMenus(std::span<const MenuPopup> popups);
    void AddPopup(QMenu* menu, const MenuPopup& popup);
    void FillRecentFiles();
    void OnChildActivated(QMdiSubWindow* window);
    /// Cascade of the Window menu: every frame not minimized, over most of the area.
    void Cascade();
    int CascadeStep() const;
    void ArrangeIcons();
    void NewWindow();
    CommandRoute Route() const;

    AppSettings& m_Settings;
    Owner m_Owner;
    QMdiArea* m_Mdi;
    QToolBar* m_ToolBar = nullptr;
    QLabel* m_IdleText = nullptr;
    std::map<int, QAction*> m_Actions;
    std::map<int, ViewFactory> m_ViewFactories;
    std::map<ManagedDocument*, int> m_DocumentTemplates;
    std::span<const MenuPopup> m_MenuShown;
};

} // namespace orlu
