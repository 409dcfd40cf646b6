#include "app/CMainFrame.h"

#include "app/AppIcons.h"
#include "app/CChildFrame.h"
#include "app/CSplashWindow.h"
#include "app/HeldStepButton.h"
#include "app/QtText.h"
#include "presentation/StartupRules.h"
#include "presentation/view/ViewController.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace orlu {
namespace {

// The form and channel buttons the main frame unchecks when no view handles them.
constexpr int kViewFormCommands[] = {32801, 32789, 32790, 32811, 32812, 32813, 32814, 32834};

// Where a child frame that is not maximized goes: the n-th frame of a cascade
// over the MDI area. Each frame steps one title bar down and right from the
// one before; the frames are as large as the area leaves them when the
// cascade steps down a third of its height, and the step starts over there.
QRect CascadeRect(QSize area, int index, int step)
{
    step = std::max(step, 1);
    int steps = area.height() / (3 * step);
    int offset = step * (index % (steps + 1));
    QSize size(area.width() - steps * step, area.height() - steps * step);
    return QRect(QPoint(offset, offset), size.expandedTo(QSize(200, 150)));
}

QString ActionText(const CommandInfo& info)
{
    return info.text.empty() ? ToQString(TooltipText(info)) : ToQString(info.text);
}

} // namespace

CMainFrame::CMainFrame(AppSettings& settings, Owner owner)
    : m_Settings(settings), m_Owner(std::move(owner)), m_Mdi(new QMdiArea(this))
{
    setWindowTitle(QString::fromUtf8(kAppName.data(), static_cast<qsizetype>(kAppName.size())));
    setWindowIcon(ProgramIcon());
    setCentralWidget(m_Mdi);
    m_Mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_Mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(m_Mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::OnChildActivated);

    CreateActions();
    RegisterCommands();
    CreateToolBar();
    CreateStatusBar();
    BuildMenus(MainMenu());
    UpdateCommandUi();
    resize(1000, 700);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateActions()
{
    for (const CommandInfo& info : AllCommands()) {
        auto* action = new QAction(ActionText(info), this);
        action->setStatusTip(ToQString(PromptText(info)));
        action->setToolTip(ToQString(TooltipText(info)));
        QList<QKeySequence> keys;
        for (const QString& key : ToQString(info.keys).split(';', Qt::SkipEmptyParts))
            keys.append(QKeySequence(key));
        action->setShortcuts(keys);
        const int id = info.id;
        connect(action, &QAction::triggered, this, [this, id] {
            RouteCommand(id);
            UpdateCommandUi();
        });
        addAction(action); // keys work whether or not the item is in the current menu
        m_Actions[id] = action;
    }
}

void CMainFrame::RegisterCommands()
{
    OnCommand(kIdStartSplash, [this] {
        bool wasOff = m_Settings.ShowSplash == 0;
        m_Settings.ShowSplash = wasOff ? 1 : 0;
        if (wasOff) {
            CSplashWindow::EnableSplashScreen(true);
            CSplashWindow::ShowSplashScreen(nullptr);
        }
    });
    OnUpdate(kIdStartSplash, [this](CommandUi& ui) { ui.checked = m_Settings.ShowSplash != 0; });
    OnCommand(kIdStartFullScreen, [this] { m_Settings.ShowMaximized = m_Settings.ShowMaximized ? 0 : 1; });
    OnUpdate(kIdStartFullScreen, [this](CommandUi& ui) { ui.checked = m_Settings.ShowMaximized != 0; });
    OnCommand(kIdMaximizedViewWindow,
              [this] { m_Settings.MaximizedViewWindow = m_Settings.MaximizedViewWindow ? 0 : 1; });
    OnUpdate(kIdMaximizedViewWindow, [this](CommandUi& ui) { ui.checked = m_Settings.MaximizedViewWindow != 0; });

    OnCommand(kIdViewToolbar, [this] { m_ToolBar->setVisible(!m_ToolBar->isVisible()); });
    OnUpdate(kIdViewToolbar, [this](CommandUi& ui) { ui.checked = m_ToolBar->isVisible(); });
    OnCommand(kIdViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
    OnUpdate(kIdViewStatusBar, [this](CommandUi& ui) { ui.checked = statusBar()->isVisible(); });

    OnCommand(kIdWindowCascade, [this] { Cascade(); });
    OnCommand(kIdWindowTile, [this] { m_Mdi->tileSubWindows(); });
    OnCommand(kIdWindowArrange, [this] { ArrangeIcons(); });
    OnCommand(kIdWindowNew, [this] { NewWindow(); });
    for (int id : {kIdWindowCascade, kIdWindowTile, kIdWindowArrange, kIdWindowNew})
        OnUpdate(id, [this](CommandUi& ui) { ui.enabled = ActiveChild() != nullptr; });

    for (int id : kViewFormCommands)
        OnUpdate(id, [](CommandUi& ui) { ui.checked = false; });
}

void CMainFrame::CreateToolBar()
{
    m_ToolBar = addToolBar(tr("Toolbar"));
    m_ToolBar->setObjectName("toolbar");
    m_ToolBar->setIconSize(QSize(20, 20));
    for (int id : ToolbarCommands()) {
        if (id == 0) {
            m_ToolBar->addSeparator();
            continue;
        }
        QAction* action = Action(id);
        action->setIcon(CommandIcon(id));
        if (id == kPreviousCommand || id == kNextCommand)
            m_ToolBar->addWidget(new HeldStepButton(*action, m_ToolBar));
        else
            m_ToolBar->addAction(action);
    }
}

void CMainFrame::CreateStatusBar()
{
    m_IdleText = new QLabel(ToQString(kIdleStatusText), this);
    statusBar()->addWidget(m_IdleText, 1);
    // The lock-key panes; the key states are not known to the program on every system.
    for (const char* pane : {"CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(QString::fromLatin1(pane), this);
        label->setEnabled(false);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
    }
}

QString CMainFrame::IdleStatusText() const { return m_IdleText->text(); }

void CMainFrame::BuildMenus(std::span<const MenuPopup> popups)
{
    if (popups.data() == m_MenuShown.data() && popups.size() == m_MenuShown.size())
        return;
    m_MenuShown = popups;
    menuBar()->clear();
    for (const MenuPopup& popup : popups)
        AddPopup(menuBar()->addMenu(ToQString(popup.title)), popup);
}

void CMainFrame::AddPopup(QMenu* menu, const MenuPopup& popup)
{
    bool hasRecent = false;
    for (const MenuItem& item : popup.items) {
        if (item.submenu) {
            AddPopup(menu->addMenu(ToQString(item.submenu->title)), *item.submenu);
        } else if (item.id == 0) {
            menu->addSeparator();
        } else if (item.id == kIdFileMru1) {
            hasRecent = true;
            for (int i = 0; i < kRecentFileCommandCount; ++i)
                menu->addAction(Action(kIdFileMru1 + i));
        } else if (QAction* action = Action(item.id)) {
            // One action per command: the menu shown gives it its text.
            action->setText(ToQString(ItemText(item)));
            menu->addAction(action);
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, hasRecent] {
        if (hasRecent)
            FillRecentFiles();
        UpdateCommandUi();
    });
}

void CMainFrame::FillRecentFiles()
{
    const RecentFileList& recent = m_Owner.documents->RecentFiles();
    int count = static_cast<int>(recent.Entries().size());
    for (int i = 0; i < kRecentFileCommandCount; ++i) {
        QAction* action = Action(kIdFileMru1 + i);
        if (i < count)
            action->setText(DisplayText(recent.MenuText(i)));
        else
            action->setText(tr("Recent File"));
        // With an empty list the placeholder shows once, disabled.
        action->setVisible(i < count || (i == 0 && count == 0));
    }
}

QAction* CMainFrame::Action(int id) const
{
    auto it = m_Actions.find(id);
    return it == m_Actions.end() ? nullptr : it->second;
}

CChildFrame* CMainFrame::ActiveChild() const { return dynamic_cast<CChildFrame*>(m_Mdi->activeSubWindow()); }

std::vector<CChildFrame*> CMainFrame::ChildFrames() const
{
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* w : m_Mdi->subWindowList())
        if (auto* frame = dynamic_cast<CChildFrame*>(w))
            frames.push_back(frame);
    return frames;
}

CommandRoute CMainFrame::Route() const
{
    CChildFrame* child = ActiveChild();
    return CommandRoute({child ? child->ViewTarget() : nullptr, child ? &child->Document() : nullptr, child,
                         const_cast<CMainFrame*>(this), m_Owner.application});
}

bool CMainFrame::RouteCommand(int id) { return Route().Execute(id); }

void CMainFrame::UpdateCommandUi()
{
    // A save can rename a document: frames follow its title.
    for (CChildFrame* frame : ChildFrames())
        frame->setWindowTitle(DisplayText(frame->Document().Title()));
    CChildFrame* child = ActiveChild();
    std::string title = child ? DisplayText(child->Document().Title()).toStdString() : std::string();
    setWindowTitle(QString::fromStdString(MainFrameTitle(title)));

    CommandRoute route = Route();
    for (auto& [id, action] : m_Actions) {
        CommandUi ui = route.Update(id);
        action->setEnabled(ui.enabled);
        if (ui.checked || action->isCheckable()) {
            action->setCheckable(true);
            action->setChecked(ui.checked);
        }
    }
}

void CMainFrame::ShowDocument(ManagedDocument& document, int templateId)
{
    m_DocumentTemplates[&document] = templateId;
    document.SetViewUpdater([this](ManagedDocument& changed) {
        for (CChildFrame* frame : ChildFrames())
            if (&frame->Document() == &changed)
                frame->UpdateView();
    });
    auto factory = m_ViewFactories.find(templateId);
    QWidget* view = factory != m_ViewFactories.end() ? factory->second(document)
                                                      : new QLabel(DisplayText(document.Title()));
    auto* frame = new CChildFrame(document, view, [this](CChildFrame& f) {
        int framesOfDocument = 0;
        for (CChildFrame* other : ChildFrames())
            framesOfDocument += &other->Document() == &f.Document();
        if (framesOfDocument > 1)
            f.CloseForDocument();
        else
            m_Owner.documents->CloseDocument(f.Document());
        UpdateCommandUi();
    });
    frame->setWindowIcon(templateId == kBinaryDocTemplate ? ProgramIcon() : QIcon());
    m_Mdi->addSubWindow(frame);
    frame->setGeometry(CascadeRect(m_Mdi->viewport()->size(), static_cast<int>(ChildFrames().size()) - 1,
                                   CascadeStep()));
    frame->ActivateFrame(m_Settings.MaximizedViewWindow != 0);
    OnChildActivated(frame);
}

void CMainFrame::NewWindow()
{
    CChildFrame* child = ActiveChild();
    if (!child)
        return;
    ManagedDocument& document = child->Document();
    ShowDocument(document, m_DocumentTemplates[&document]);
}

void CMainFrame::ActivateDocument(ManagedDocument& document)
{
    for (CChildFrame* frame : ChildFrames())
        if (&frame->Document() == &document) {
            frame->ActivateFrame(m_Settings.MaximizedViewWindow != 0 || frame->isMaximized());
            return;
        }
}

void CMainFrame::RemoveDocument(ManagedDocument& document)
{
    for (CChildFrame* frame : ChildFrames())
        if (&frame->Document() == &document) {
            // Out of the area at once, so that no command reaches the closed document.
            m_Mdi->removeSubWindow(frame);
            frame->hide();
            frame->deleteLater();
        }
    m_DocumentTemplates.erase(&document);
    OnChildActivated(m_Mdi->activeSubWindow());
}

void CMainFrame::OnChildActivated(QMdiSubWindow*)
{
    CChildFrame* child = ActiveChild();
    int menuId = 0;
    if (child) {
        auto it = m_DocumentTemplates.find(&child->Document());
        const DocTemplateInfo* info = it != m_DocumentTemplates.end() ? FindDocTemplate(it->second) : nullptr;
        if (info && info->hasOwnMenu)
            menuId = info->id;
    }
    BuildMenus(menuId ? TemplateMenu(menuId) : MainMenu());
    UpdateCommandUi();
}

int CMainFrame::CascadeStep() const
{
    // The height of a child frame's title bar with its frame edge.
    return style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, m_Mdi) +
           style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, m_Mdi);
}

void CMainFrame::Cascade()
{
    // Back to front, so that the active frame ends on top, last in the cascade.
    int index = 0;
    for (QMdiSubWindow* w : m_Mdi->subWindowList(QMdiArea::StackingOrder)) {
        if (w->isMinimized())
            continue;
        if (w->isMaximized())
            w->showNormal();
        w->setGeometry(CascadeRect(m_Mdi->viewport()->size(), index++, CascadeStep()));
        w->raise();
    }
}

void CMainFrame::ArrangeIcons()
{
    // Minimized frames in a row along the bottom of the area.
    int x = 0;
    for (QMdiSubWindow* w : m_Mdi->subWindowList()) {
        if (!w->isMinimized())
            continue;
        int y = m_Mdi->viewport()->height() - w->height();
        w->move(x, y);
        x += w->width();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_Owner.canClose && !m_Owner.canClose()) {
        event->ignore();
        return;
    }
    CSplashWindow::HideSplashScreen();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && m_Owner.openDroppedFile)
            m_Owner.openDroppedFile(ToPath(url.toLocalFile()));
    event->acceptProposedAction();
    UpdateCommandUi();
}

} // namespace orlu
