#include "signstudio/editors/frmplaydate.h"

#include "signstudio/lang/langtext.h"
#include "signstudio/ui/playdayrules.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kChoiceCount = 14;

QStringList defaultChoices()
{
    // The Play_By_Week row is entry 4 of the page rows.
    return LangChoices(2, 2, LangItem(2, 2, 4));
}

QStringList englishFallback()
{
    return {QStringLiteral("Select_Play_Date"), QStringLiteral("Play_Every_Day"),
            QStringLiteral("Play_by_Week"),     QStringLiteral("Monday"),
            QStringLiteral("Tuesday"),          QStringLiteral("Wednesday"),
            QStringLiteral("Thurday"),          QStringLiteral("Friday"),
            QStringLiteral("Saturday"),         QStringLiteral("Sunday"),
            QStringLiteral("Setup"),            QStringLiteral("Exit"),
            QStringLiteral("everyday"),
            QStringLiteral("Please\u3000choice\u3000week\u3000items\u3000to\u3000set!")};
}
} // namespace

TfrmPlayDate::TfrmPlayDate(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPlayDate"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    m_rgPlaySpan = new QGroupBox(this);
    m_rgPlaySpan->setObjectName(QStringLiteral("rgPlaySpan"));
    auto *spanLayout = new QVBoxLayout(m_rgPlaySpan);
    for (int i = 0; i < 2; ++i) {
        m_items[i] = new QRadioButton(m_rgPlaySpan);
        spanLayout->addWidget(m_items[i]);
        connect(m_items[i], &QRadioButton::clicked, this, &TfrmPlayDate::rgPlaySpanClick);
    }
    auto *daysGrid = new QGridLayout;
    // Shown Monday first, Sunday last.
    for (int n = 0; n < 7; ++n) {
        const int day = (n + 1) % 7;
        m_days[day] = new QCheckBox(m_rgPlaySpan);
        m_days[day]->setObjectName(QStringLiteral("cbWeek%1").arg(day));
        daysGrid->addWidget(m_days[day], n / 4, n % 4);
    }
    spanLayout->addLayout(daysGrid);
    layout->addWidget(m_rgPlaySpan);

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("pnNote"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);

    auto *buttons = new QHBoxLayout;
    m_btSet = new QPushButton(this);
    m_btSet->setObjectName(QStringLiteral("btSet"));
    m_btSet->setDefault(true);
    m_btClose = new QPushButton(this);
    m_btClose->setObjectName(QStringLiteral("btClose"));
    buttons->addStretch();
    buttons->addWidget(m_btSet);
    buttons->addWidget(m_btClose);
    layout->addLayout(buttons);
    connect(m_btSet, &QPushButton::clicked, this, &TfrmPlayDate::btSetClick);
    connect(m_btClose, &QPushButton::clicked, this, &QDialog::reject);

    ShowMessage = [this](const QString &text) {
        QMessageBox::information(this, windowTitle(), text);
    };
    m_items[0]->setChecked(true);
    applyTexts();
}

void TfrmPlayDate::SetChoices(const QStringList &choices)
{
    m_choices = choices;
    applyTexts();
}

void TfrmPlayDate::SetNote(const QString &note)
{
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
}

int TfrmPlayDate::PlaySpan() const
{
    return m_items[1]->isChecked() ? 1 : 0;
}

QRadioButton *TfrmPlayDate::rgPlaySpanItem(int i) const
{
    return i >= 0 && i < 2 ? m_items[i] : nullptr;
}

QCheckBox *TfrmPlayDate::cbWeek(int day) const
{
    return day >= 0 && day < 7 ? m_days[day] : nullptr;
}

void TfrmPlayDate::applyTexts()
{
    QStringList c = m_choices;
    if (c.size() < kChoiceCount)
        c = defaultChoices();
    if (c.size() < kChoiceCount)
        c = englishFallback();
    m_choices = c;
    setWindowTitle(c.at(0));
    m_items[0]->setText(c.at(1));
    m_items[1]->setText(c.at(2));
    for (int i = 1; i <= 6; ++i)
        m_days[i]->setText(c.at(2 + i));
    m_days[0]->setText(c.at(9));
    m_btSet->setText(c.at(10));
    m_btClose->setText(c.at(11));
}

void TfrmPlayDate::enableDays(bool on)
{
    for (QCheckBox *box : m_days) {
        if (!on)
            box->setChecked(false);
        box->setEnabled(on);
    }
}

void TfrmPlayDate::Prepare()
{
    applyTexts();
    const PlayDaySelection s = PlayDaySelection::FromValue(m_value, m_choices.at(12));
    m_items[0]->setChecked(!s.byWeek);
    m_items[1]->setChecked(s.byWeek);
    enableDays(s.byWeek);
    for (int d = 0; d < 7; ++d)
        m_days[d]->setChecked(s.days[d]);
}

void TfrmPlayDate::showEvent(QShowEvent *event)
{
    Prepare();
    QDialog::showEvent(event);
}

void TfrmPlayDate::rgPlaySpanClick()
{
    enableDays(PlaySpan() == 1);
}

void TfrmPlayDate::btSetClick()
{
    PlayDaySelection s;
    s.byWeek = PlaySpan() == 1;
    for (int d = 0; d < 7; ++d)
        s.days[d] = m_days[d]->isChecked();
    const QString value = s.Value(m_choices.at(12));
    if (value.isEmpty()) {
        if (ShowMessage)
            ShowMessage(m_choices.at(13));
        return;
    }
    m_value = value;
    accept();
}
