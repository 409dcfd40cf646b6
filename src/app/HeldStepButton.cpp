#include "app/HeldStepButton.h"

#include <QAction>

namespace orlu {

HeldStepButton::HeldStepButton(QAction& action, QWidget* parent) : QToolButton(parent), m_Action(action)
{
    setAutoRepeat(true);
    setAutoRepeatDelay(kFirstDelayMs);
    setAutoRepeatInterval(kIntervalMs);
    setFocusPolicy(Qt::NoFocus);
    // The repetition emits pressed again at every step; the release's click
    // is left unconnected, so it adds no step of its own.
    connect(this, &QToolButton::pressed, &m_Action, &QAction::trigger);
    connect(&m_Action, &QAction::changed, this, &HeldStepButton::FollowAction);
    FollowAction();
}

void HeldStepButton::FollowAction()
{
    setIcon(m_Action.icon());
    setToolTip(m_Action.toolTip());
    setStatusTip(m_Action.statusTip());
    setEnabled(m_Action.isEnabled());
}

} // namespace orlu
