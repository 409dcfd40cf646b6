#pragma once
// The desktop program's runner of long forms: the build runs on a worker
// thread while a progress dialog with Cancel, on the GUI thread, polls its
// progress state on a 10 ms timer. The dialog is application-modal, so
// nothing can change the document while the worker reads it; Cancel asks the
// build to stop and the worker is joined before Run returns. Messages the
// build shows are held and shown on the GUI thread once it has ended.

#include "presentation/view/LongFormRunner.h"

class QWidget;

namespace orlu {

class QtLongFormRunner : public LongFormRunner {
public:
    /// The progress dialog belongs to `parent`.
    explicit QtLongFormRunner(QWidget* parent) : m_Parent(parent) {}

    bool Run(std::string_view label, const Build& build, UserInteraction& ui) override;

    /// How often the dialog looks at the progress.
    static constexpr int kPollMs = 10;
    /// A build that ends sooner never shows the dialog.
    static constexpr int kShowAfterMs = 400;

private:
    QWidget* m_Parent;
};

} // namespace orlu
