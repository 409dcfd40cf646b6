#include "app/CUploadNameDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace orlu {
namespace {

QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<int>(text.size()));
}

} // namespace

CUploadNameDlg::CUploadNameDlg(UploadNameModel& model, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), m_Model(model), m_Ui(ui)
{
    setWindowTitle(Latin1(kUploadNameTitle));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Files in the ORLU unit memory", this), 0, 0);
    m_ReadAt = new QLabel(this);
    m_ReadAt->setAlignment(Qt::AlignRight);
    grid->addWidget(m_ReadAt, 0, 1);

    m_Files = new QListWidget(this);
    m_Files->setObjectName("files");
    m_Files->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_Files->setFlow(QListView::TopToBottom);
    m_Files->setWrapping(true); // several columns, scrolled sideways
    m_Files->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->addWidget(m_Files, 1, 0, 1, 2);

    m_Details = new QCheckBox("Details", this);
    m_Details->setObjectName("details");
    auto* refresh = new QPushButton("Refresh", this);
    refresh->setObjectName("refresh");
    m_Total = new QLabel(this);
    m_Total->setAlignment(Qt::AlignRight);
    auto* row = new QHBoxLayout;
    row->addWidget(m_Details);
    row->addWidget(refresh);
    row->addStretch();
    row->addWidget(m_Total);
    grid->addLayout(row, 2, 0, 1, 2);

    m_Name = new QLineEdit(this);
    m_Name->setObjectName("name");
    m_Name->setMaxLength(static_cast<int>(kUploadNameLength));
    grid->addWidget(new QLabel("File name", this), 3, 0);
    grid->addWidget(m_Name, 3, 1);
    auto* typeLabel = new QLabel("File type", this);
    typeLabel->setEnabled(false);
    m_FileType = new QComboBox(this);
    m_FileType->setObjectName("type");
    for (const char* item : {"METER mode ", "ANALYZER mode", "SPECIAL files", "ALL files"})
        m_FileType->addItem(item);
    m_FileType->setCurrentIndex(model.FileType() >= 0 && model.FileType() <= 3 ? model.FileType() : -1);
    m_FileType->setEnabled(false);
    grid->addWidget(typeLabel, 4, 0);
    grid->addWidget(m_FileType, 4, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    grid->addWidget(buttons, 5, 0, 1, 2);

    m_Details->setChecked(model.Details());
    m_Name->setText(Latin1(model.Name()));
    ShowList();

    // Letters become upper case as they are typed.
    connect(m_Name, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = m_Name->cursorPosition();
        m_Model.SetName(text.toLatin1().toStdString());
        m_Name->setText(Latin1(m_Model.Name()));
        m_Name->setCursorPosition(cursor);
    });
    connect(m_Details, &QCheckBox::toggled, this, [this](bool on) {
        m_Model.SetDetails(on);
        ShowList();
    });
    connect(m_FileType, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_Model.SetFileType(index);
        ShowList();
    });
    connect(refresh, &QPushButton::clicked, this, [this] {
        m_Model.Refresh();
        ShowList();
    });
    connect(m_Files, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        m_Model.SelectLine(static_cast<std::size_t>(row));
        m_Name->setText(Latin1(m_Model.Name()));
    });
    connect(m_Files, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (m_Model.DoubleClickLine(static_cast<std::size_t>(m_Files->row(item)), m_Ui))
            QDialog::accept();
        m_Name->setText(Latin1(m_Model.Name()));
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &CUploadNameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CUploadNameDlg::reject);
}

void CUploadNameDlg::ShowList()
{
    const QSignalBlocker quiet(m_Files);
    m_Files->clear();
    for (const std::string& line : m_Model.Lines())
        m_Files->addItem(Latin1(line));
    m_Files->setCurrentRow(-1);
    m_Files->setEnabled(m_Model.ListEnabled());
    m_Details->setEnabled(m_Model.ListEnabled());
    m_Total->setText(Latin1(m_Model.TotalText()));
    m_ReadAt->setText(Latin1(m_Model.ReadAtText()));
}

void CUploadNameDlg::accept()
{
    m_Model.SetName(m_Name->text().toLatin1().toStdString());
    if (m_Model.Ok(m_Ui))
        QDialog::accept();
    m_Name->setText(Latin1(m_Model.Name()));
}

void CUploadNameDlg::reject()
{
    m_Model.Cancel();
    QDialog::reject();
}

} // namespace orlu
