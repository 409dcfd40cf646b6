#pragma once
// A toolbar button that steps while it is held: Previous and Next. It runs
// its command when pressed, at once, and again 497 ms later and every 97 ms
// after while the button stays down; letting it go does nothing more. The
// button follows its action's icon, tip and enabled state, so the command's
// update handler enables it as it does the menu item.

#include <QToolButton>

class QAction;

namespace orlu {

class HeldStepButton : public QToolButton {
    Q_OBJECT
public:
    static constexpr int kFirstDelayMs = 497;
    static constexpr int kIntervalMs = 97;

    HeldStepButton(QAction& action, QWidget* parent);

private:
    void FollowAction();

    QAction& m_Action;
};

} // namespace orlu
