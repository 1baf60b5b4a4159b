#include "common/widgets/frmmulnetcardchoice.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TfrmMulNetCardChoice::TfrmMulNetCardChoice(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMulNetCardChoice"));
    setModal(true);
    setWindowTitle(QStringLiteral("You must choice one netWork card"));

    m_list = new QTableWidget(0, 4, this);
    m_list->setObjectName(QStringLiteral("lvNetCard"));
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->verticalHeader()->hide();
    m_list->setHorizontalHeaderLabels({QString(), QStringLiteral("Network Adapter"),
                                       QStringLiteral("IP Address"), QStringLiteral("Mac Address")});
    m_list->setColumnWidth(0, 5);
    m_list->setColumnWidth(1, 200);
    m_list->setColumnWidth(2, 100);
    m_list->setColumnWidth(3, 130);
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // A selected row keeps the highlight colour even without focus.
    QPalette pal = m_list->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    m_list->setPalette(pal);

    m_notShow = new QCheckBox(QStringLiteral("Not show, use the selected network adapter"), this);
    m_notShow->setObjectName(QStringLiteral("cbNotShow"));
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_ok->setDefault(true);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_notShow);
    bottom->addStretch();
    bottom->addWidget(m_ok);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(bottom);
    resize(470, 260);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetItem *> sel = m_list->selectedItems();
        if (!sel.isEmpty()) {
            if (QTableWidgetItem *ip = m_list->item(sel.first()->row(), 2))
                m_chosen = ip->text().trimmed();
        }
    });

    m_warner = [](QWidget *parent, const QString &text) {
        QMessageBox::warning(parent, parent->windowTitle(), text);
    };
}

void TfrmMulNetCardChoice::Fill(const QList<TAdapterInfo> &adapters, const QString &serverIp)
{
    m_list->clearSelection();
    m_list->setRowCount(0);
    const QString wanted = serverIp.trimmed();
    for (const TAdapterInfo &a : adapters) {
        const int row = m_list->rowCount();
        m_list->insertRow(row);
        m_list->setItem(row, 0, new QTableWidgetItem(QString()));
        m_list->setItem(row, 1, new QTableWidgetItem(a.AdapterDescription));
        m_list->setItem(row, 2, new QTableWidgetItem(a.AdapterIP));
        m_list->setItem(row, 3, new QTableWidgetItem(a.AdapterMac));
        if (a.AdapterIP.trimmed() == wanted && m_list->selectedItems().isEmpty()) {
            m_list->selectRow(row);
            m_list->setCurrentCell(row, 1);
            m_chosen = wanted;
        }
    }
}

bool TfrmMulNetCardChoice::NotShowChecked() const
{
    return m_notShow->isChecked();
}

bool TfrmMulNetCardChoice::acceptSelection()
{
    const QList<QTableWidgetItem *> sel = m_list->selectedItems();
    if (sel.isEmpty()) {
        const QString text = m_texts ? m_texts().notChosen : QString();
        if (m_warner)
            m_warner(this, text.isEmpty() ? QStringLiteral("Please choose one card from the list!") : text);
        return false;
    }
    if (QTableWidgetItem *ip = m_list->item(sel.first()->row(), 2))
        m_chosen = ip->text().trimmed();
    return true;
}

// OK, Escape and the close box all end here.
void TfrmMulNetCardChoice::done(int result)
{
    if (!acceptSelection())
        return;
    QDialog::done(result);
}

void TfrmMulNetCardChoice::applyTexts()
{
    if (!m_texts)
        return;
    const Texts t = m_texts();
    if (!t.caption.isEmpty())
        setWindowTitle(t.caption);
    if (!t.notShow.isEmpty())
        m_notShow->setText(t.notShow);
    if (!t.ok.isEmpty())
        m_ok->setText(t.ok);
    for (int i = 0; i < t.columns.size() && i < m_list->columnCount(); ++i)
        m_list->setHorizontalHeaderItem(i, new QTableWidgetItem(t.columns.at(i)));
}

void TfrmMulNetCardChoice::showEvent(QShowEvent *event)
{
    applyTexts();
    QDialog::showEvent(event);
}
