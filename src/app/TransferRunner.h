#pragma once
// Runs a transfer with the instrument on a worker thread while the GUI
// thread shows its progress dialog (again after each question that closed
// it) and answers the boxes the transfer shows through GuiThreadInteraction.

#include "link/TransferProgress.h"

#include <functional>

class QWidget;

namespace orlu {

/// Returns once the transfer has ended and its thread is joined.
void RunTransfer(TransferProgress& progress, bool usb, QWidget* parent, const std::function<void()>& transfer);

} // namespace orlu
