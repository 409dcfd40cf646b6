#pragma once
// The fixed-text dialogs: a caption, a multi-line text, an icon and OK.

#include "platform/FixedTextDialogs.h"

#include <QDialog>

namespace orlu {

class FixedTextDialog : public QDialog {
    Q_OBJECT
public:
    FixedTextDialog(const FixedTextDialogInfo& info, QWidget* parent = nullptr);
    const FixedTextDialogInfo& Info() const { return m_Info; }

private:
    const FixedTextDialogInfo& m_Info;
};

class CUnitModeMeterDlg : public FixedTextDialog {
public:
    explicit CUnitModeMeterDlg(QWidget* parent = nullptr) : FixedTextDialog(kUnitModeMeterText, parent) {}
};
class CUnitModeAnalyzerDlg : public FixedTextDialog {
public:
    explicit CUnitModeAnalyzerDlg(QWidget* parent = nullptr) : FixedTextDialog(kUnitModeAnalyzerText, parent) {}
};
class CUnitModeUnknownDlg : public FixedTextDialog {
public:
    explicit CUnitModeUnknownDlg(QWidget* parent = nullptr) : FixedTextDialog(kUnitModeUnknownText, parent) {}
};
class CNameInvalidDlg : public FixedTextDialog {
public:
    explicit CNameInvalidDlg(QWidget* parent = nullptr) : FixedTextDialog(kNameInvalidText, parent) {}
};
class CNameNotFoundDlg : public FixedTextDialog {
public:
    explicit CNameNotFoundDlg(QWidget* parent = nullptr) : FixedTextDialog(kNameNotFoundText, parent) {}
};
class CNameNotUniqueDlg : public FixedTextDialog {
public:
    explicit CNameNotUniqueDlg(QWidget* parent = nullptr) : FixedTextDialog(kNameNotUniqueText, parent) {}
};
class CCommaConflictDlg : public FixedTextDialog {
public:
    explicit CCommaConflictDlg(QWidget* parent = nullptr) : FixedTextDialog(kCommaConflictText, parent) {}
};

} // namespace orlu
