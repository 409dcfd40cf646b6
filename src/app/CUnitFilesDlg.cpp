#include "app/CUnitFilesDlg.h"

#include "app/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace orlu {
namespace {

QPushButton* Button(QWidget* parent, const char* text, const char* name)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* Check(QWidget* parent, const char* text, const char* name)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

} // namespace

CUnitFilesDlg::CUnitFilesDlg(UnitFilesDialogModel& model, std::function<void()> pathForDownload, QWidget* parent)
    : QDialog(parent), m_Model(model)
{
    setWindowTitle("Access  ORLU unit  file(s)");
    m_List = new QListWidget(this);
    m_List->setObjectName("files");
    m_List->setSelectionMode(QAbstractItemView::MultiSelection);
    // The list's fixed-pitch font, 16 pixels high and 8 wide.
    QFont font("Liberation Mono");
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(16);
    m_List->setFont(font);
    m_List->setMinimumSize(QFontMetrics(font).horizontalAdvance('M') * 40, 16 * 14);

    m_Open = Button(this, "Open", "open");
    m_Download = Button(this, "Download", "download");
    m_Ascii = Button(this, "ASCII download", "ascii");
    m_Merge = Button(this, "Merge", "merge");
    m_Delete = Button(this, "Delete", "delete");
    auto* cancel = Button(this, "Cancel", "cancel");
    auto* refresh = Button(this, "Refresh", "refresh");
    m_SelectAll = Button(this, "Select all", "selectAll");
    m_DeselectAll = Button(this, "Deselect all", "deselectAll");
    m_Details = Check(this, "Details", "details");
    m_MoreDetails = Check(this, "More details", "moreDetails");
    m_Sort = Check(this, "Sort by names", "sortByNames");
    m_Multichoice = Check(this, "Multichoice", "multichoice");
    m_FileName = new QLineEdit(this);
    m_FileName->setObjectName("fileName");
    m_FileName->installEventFilter(this);
    m_FileNameLabel = new QLabel("File name", this);
    m_FileType = new QComboBox(this);
    m_FileType->setObjectName("fileType");
    for (const char* item : {"METER mode ", "ANALYZER mode", "SPECIAL files", "ALL files"})
        m_FileType->addItem(item);
    m_TargetPath = Button(this, "", "targetPath");
    m_ReadAt = new QLabel(this);
    m_Total = new QLabel(this);
    m_SelectedCount = new QLabel(this);

    auto* actions = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(m_Open), static_cast<QWidget*>(m_Download), static_cast<QWidget*>(m_Ascii),
                       static_cast<QWidget*>(m_Merge), static_cast<QWidget*>(m_Delete), static_cast<QWidget*>(cancel)})
        actions->addWidget(w);
    actions->addSpacing(8);
    for (QWidget* w : {static_cast<QWidget*>(m_Details), static_cast<QWidget*>(m_MoreDetails),
                       static_cast<QWidget*>(m_Sort), static_cast<QWidget*>(m_Multichoice),
                       static_cast<QWidget*>(refresh), static_cast<QWidget*>(m_SelectAll),
                       static_cast<QWidget*>(m_DeselectAll)})
        actions->addWidget(w);
    actions->addStretch();

    auto* fields = new QGridLayout;
    fields->addWidget(m_FileNameLabel, 0, 0);
    fields->addWidget(m_FileName, 0, 1);
    fields->addWidget(new QLabel("File type", this), 1, 0);
    fields->addWidget(m_FileType, 1, 1);
    fields->addWidget(new QLabel("Target path", this), 2, 0);
    fields->addWidget(m_TargetPath, 2, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(m_ReadAt);
    left->addWidget(m_List, 1);
    left->addWidget(m_Total);
    left->addWidget(m_SelectedCount);
    left->addLayout(fields);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(actions);

    connect(m_List, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_Showing)
            return;
        std::vector<std::size_t> selected;
        for (int i = 0; i < m_List->count(); ++i)
            if (m_List->item(i)->isSelected())
                selected.push_back(static_cast<std::size_t>(i));
        const int clicked = m_List->currentRow();
        m_Model.OnSelectionChange(selected, clicked < 0 ? m_Model.Lines().size() : static_cast<std::size_t>(clicked));
        Show();
    });
    connect(m_List, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { End(m_Model.OnDoubleClick(static_cast<std::size_t>(m_List->row(item)))); });
    const std::pair<QPushButton*, UnitFilesResult> results[] = {{m_Open, UnitFilesResult::OpenButton},
                                                               {m_Download, UnitFilesResult::Download},
                                                               {m_Merge, UnitFilesResult::Merge},
                                                               {m_Delete, UnitFilesResult::Delete}};
    for (const auto& [button, result] : results)
        connect(button, &QPushButton::clicked, this, [this, result = result] { End(m_Model.OnButton(result)); });
    connect(m_Ascii, &QPushButton::clicked, this, [this] { End(m_Model.OnAsciiDownload()); });
    connect(cancel, &QPushButton::clicked, this, &CUnitFilesDlg::reject);
    connect(refresh, &QPushButton::clicked, this, [this] {
        m_Model.OnRefresh();
        Show();
    });
    connect(m_SelectAll, &QPushButton::clicked, this, [this] {
        m_Model.OnSelectAll();
        Show();
    });
    connect(m_DeselectAll, &QPushButton::clicked, this, [this] {
        m_Model.OnDeselectAll();
        Show();
    });
    const std::pair<QCheckBox*, void (UnitFilesDialogModel::*)(bool)> checks[] = {
        {m_Details, &UnitFilesDialogModel::OnDetails},
        {m_MoreDetails, &UnitFilesDialogModel::OnMoreDetails},
        {m_Sort, &UnitFilesDialogModel::OnSortByNames},
        {m_Multichoice, &UnitFilesDialogModel::OnMultichoice}};
    for (const auto& [box, handler] : checks)
        connect(box, &QCheckBox::toggled, this, [this, handler = handler](bool on) {
            if (m_Showing)
                return;
            (m_Model.*handler)(on);
            Show();
        });
    connect(m_FileType, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_Showing)
            return;
        m_Model.OnFileType(index);
        Show();
    });
    connect(m_FileName, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_Model.SetFileName(text.toStdString());
        Show();
    });
    connect(m_TargetPath, &QPushButton::clicked, this, [this, pathForDownload] {
        if (pathForDownload)
            pathForDownload();
        Show();
    });
    Show();
}

bool CUnitFilesDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_FileName && event->type() == QEvent::FocusIn) {
        m_Model.OnFileNameFocus();
        ShowSelection();
    }
    return QDialog::eventFilter(watched, event);
}

void CUnitFilesDlg::reject()
{
    m_Model.OnCancel();
    QDialog::reject();
}

void CUnitFilesDlg::End(bool ended)
{
    if (ended)
        accept();
    else
        Show();
}

void CUnitFilesDlg::ShowSelection()
{
    m_Showing = true;
    const std::vector<bool>& selected = m_Model.Selected();
    for (int i = 0; i < m_List->count(); ++i)
        m_List->item(i)->setSelected(static_cast<std::size_t>(i) < selected.size() && selected[i]);
    m_Showing = false;
}

void CUnitFilesDlg::Show()
{
    m_Showing = true;
    const std::vector<std::string> texts = m_Model.ListTexts();
    if (static_cast<std::size_t>(m_List->count()) != texts.size() ||
        [&] {
            for (int i = 0; i < m_List->count(); ++i)
                if (m_List->item(i)->text() != ToQString(texts[static_cast<std::size_t>(i)]))
                    return true;
            return false;
        }()) {
        m_List->clear();
        for (const std::string& text : texts)
            m_List->addItem(ToQString(text));
    }
    const UnitFilesChoices& choices = m_Model.Choices();
    m_Details->setChecked(choices.details);
    m_MoreDetails->setChecked(choices.moreDetails);
    m_Sort->setChecked(choices.sortByNames);
    m_Multichoice->setChecked(choices.multichoice);
    m_FileType->setCurrentIndex(choices.fileType);
    if (m_FileName->text().toStdString() != m_Model.FileName())
        m_FileName->setText(QString::fromStdString(m_Model.FileName()));

    const UnitFilesEnabling e = m_Model.Enabling();
    m_List->setEnabled(e.list);
    m_SelectAll->setEnabled(e.selectAll);
    m_DeselectAll->setEnabled(e.deselectAll);
    m_Details->setEnabled(e.details);
    m_MoreDetails->setEnabled(e.moreDetails);
    m_Multichoice->setEnabled(e.multichoice);
    m_FileType->setEnabled(e.fileType);
    m_Open->setEnabled(e.open);
    m_Open->setDefault(e.open);
    m_Download->setEnabled(e.download);
    m_Ascii->setEnabled(e.asciiDownload);
    m_Merge->setEnabled(e.merge);
    m_Delete->setEnabled(e.deleteFiles);
    m_FileName->setEnabled(e.fileName);
    m_FileNameLabel->setEnabled(e.fileName);

    m_ReadAt->setText(ToQString(m_Model.ReadAtText()));
    m_Total->setText(ToQString(m_Model.TotalText()));
    m_SelectedCount->setText(ToQString(m_Model.SelectedText()));
    m_TargetPath->setText(DisplayText(m_Model.TargetPathButtonText()));
    m_Showing = false;
    ShowSelection();
}

} // namespace orlu
