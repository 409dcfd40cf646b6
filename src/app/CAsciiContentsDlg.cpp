#include "app/CAsciiContentsDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orlu {
namespace {

QString Text(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<int>(text.size()));
}

template <typename Labels>
QComboBox* List(QWidget* parent, const char* name, const Labels& labels)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (std::string_view label : labels)
        combo->addItem(Text(label));
    return combo;
}

} // namespace

CAsciiContentsDlg::CAsciiContentsDlg(AsciiContentsModel& model, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), m_Model(model), m_Ui(ui)
{
    setWindowTitle("ASCII DOWNLOAD CONTENTS");
    auto* layout = new QVBoxLayout(this);
    auto* group = new QButtonGroup(this);
    auto* wholeBox = new QGroupBox(" as ASCII View of a file ", this);
    auto* tableBox = new QGroupBox(" as Table form of a chosen View ", this);
    auto* wholeLayout = new QVBoxLayout(wholeBox);
    auto* tableLayout = new QVBoxLayout(tableBox);
    for (int c = 0; c < kAsciiContentCount; ++c) {
        auto* button = new QRadioButton(Text(kAsciiContentLabels[c]), c == 0 ? wholeBox : tableBox);
        button->setObjectName(QString("content%1").arg(c + 1));
        group->addButton(button, c + 1);
        (c == 0 ? wholeLayout : tableLayout)->addWidget(button);
        m_Contents[static_cast<std::size_t>(c)] = button;
        connect(button, &QRadioButton::clicked, this, [this, c] {
            m_Model.ChooseContent(c + 1);
            Show();
        });
    }
    m_Header = new QCheckBox("Insert header info", tableBox);
    m_Header->setObjectName("header");
    connect(m_Header, &QCheckBox::clicked, this, [this] {
        m_Model.ToggleHeader();
        Show();
    });
    m_Decimal = List(tableBox, "decimal", kAsciiDecimalLabels);
    m_Separator = List(tableBox, "separator", kAsciiSeparatorLabels);
    m_TableForm = List(tableBox, "tableForm", kAsciiTableFormLabels);
    connect(m_Decimal, &QComboBox::activated, this, [this](int i) { m_Model.SetDecimal(i); });
    connect(m_Separator, &QComboBox::activated, this, [this](int i) { m_Model.SetSeparator(i); });
    connect(m_TableForm, &QComboBox::activated, this, [this](int i) { m_Model.SetTableForm(i); });
    auto* form = new QFormLayout;
    const char* labels[] = {"Decimal point", "Column separator", "Table form"};
    QComboBox* combos[] = {m_Decimal, m_Separator, m_TableForm};
    for (std::size_t i = 0; i < m_Labels.size(); ++i) {
        m_Labels[i] = new QLabel(labels[i], tableBox);
        form->addRow(m_Labels[i], combos[i]);
    }
    tableLayout->addLayout(form);
    tableLayout->addWidget(m_Header);
    layout->addWidget(wholeBox);
    layout->addWidget(tableBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAsciiContentsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAsciiContentsDlg::reject);
    layout->addWidget(buttons);
    Show();
}

void CAsciiContentsDlg::Show()
{
    const AsciiChoices& c = m_Model.Choices();
    for (int k = 0; k < kAsciiContentCount; ++k) {
        QRadioButton* button = m_Contents[static_cast<std::size_t>(k)];
        button->setEnabled(m_Model.ContentEnabled(k + 1));
        button->setChecked(c.content == k + 1);
    }
    m_Header->setChecked(c.header != 0);
    m_Decimal->setCurrentIndex(c.decimal);
    m_Separator->setCurrentIndex(c.separator);
    m_TableForm->setCurrentIndex(c.tableForm);
    const bool table = m_Model.TableControlsEnabled();
    for (QWidget* w : {static_cast<QWidget*>(m_Header), static_cast<QWidget*>(m_Decimal),
                       static_cast<QWidget*>(m_Separator), static_cast<QWidget*>(m_TableForm)})
        w->setEnabled(table);
    for (QLabel* label : m_Labels)
        label->setEnabled(table);
}

void CAsciiContentsDlg::accept()
{
    // The lists as they stand (an index of -1 is moved into its list).
    m_Model.SetDecimal(m_Decimal->currentIndex());
    m_Model.SetSeparator(m_Separator->currentIndex());
    m_Model.SetTableForm(m_TableForm->currentIndex());
    if (m_Model.Accept(m_Ui))
        QDialog::accept();
}

void CAsciiContentsDlg::reject()
{
    m_Model.Cancel();
    QDialog::reject();
}

bool RunAsciiContents(AppSettings& settings, std::uint8_t deviceSelector, UserInteraction& ui,
                      const std::function<int(QDialog&)>& run, QWidget* parent)
{
    AsciiContentsModel model(deviceSelector, AsciiChoicesOf(settings));
    CAsciiContentsDlg dialog(model, ui, parent);
    if (run(dialog) != QDialog::Accepted || model.Choices().content == kAsciiCancelled)
        return false;
    StoreAsciiChoices(model.Choices(), settings);
    return true;
}

} // namespace orlu
