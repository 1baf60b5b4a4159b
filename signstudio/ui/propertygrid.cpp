#include "signstudio/ui/propertygrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace {

constexpr int kPickRole = Qt::UserRole;
constexpr int kHasPickRole = Qt::UserRole + 1;

// Value cells: an editable combo box for pick-list rows, a line edit
// otherwise. Choosing a list entry commits at once.
class ValueDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        if (!index.data(kHasPickRole).toBool())
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto *combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(index.data(kPickRole).toStringList());
        auto *self = const_cast<ValueDelegate *>(this);
        QObject::connect(combo, &QComboBox::activated, self, [self, combo] {
            emit self->commitData(combo);
        });
        return combo;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            combo->setEditText(index.data(Qt::EditRole).toString());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            if (model->data(index, Qt::EditRole).toString() != combo->currentText())
                model->setData(index, combo->currentText(), Qt::EditRole);
            return;
        }
        auto *line = qobject_cast<QLineEdit *>(editor);
        if (line && model->data(index, Qt::EditRole).toString() == line->text())
            return;
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

} // namespace

TPropertyGrid::TPropertyGrid(QWidget *parent)
    : QTableWidget(parent)
{
    setObjectName(QStringLiteral("vLEditor"));
    setColumnCount(3);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    horizontalHeader()->resizeSection(2, 24);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setItemDelegateForColumn(1, new ValueDelegate(this));
    connect(this, &QTableWidget::itemChanged, this, &TPropertyGrid::onItemChanged);
}

void TPropertyGrid::ClearRows()
{
    m_filling = true;
    m_rows.clear();
    clearContents();
    setRowCount(0);
    m_filling = false;
}

void TPropertyGrid::ShowRows(const QList<TGridRow> &rows)
{
    m_filling = true;
    clearContents();
    m_rows = rows;
    setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const TGridRow &r = rows.at(i);
        auto *key = new QTableWidgetItem(r.key);
        key->setFlags(Qt::ItemIsEnabled);
        setItem(i, 0, key);
        auto *value = new QTableWidgetItem(r.value);
        value->setData(kPickRole, r.pickList);
        value->setData(kHasPickRole, r.hasPickList);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!r.readOnly)
            flags |= Qt::ItemIsEditable;
        value->setFlags(flags);
        setItem(i, 1, value);
        if (r.ellipsis) {
            auto *button = new QToolButton(this);
            button->setObjectName(QStringLiteral("ellipsis%1").arg(i));
            button->setText(QStringLiteral("…"));
            connect(button, &QToolButton::clicked, this, [this, i] { emit ellipsisPressed(i); });
            setCellWidget(i, 2, button);
        } else {
            auto *blank = new QTableWidgetItem;
            blank->setFlags(Qt::NoItemFlags);
            setItem(i, 2, blank);
        }
    }
    m_filling = false;
}

void TPropertyGrid::RewriteRows(const QList<TGridRow> &rows, const QList<int> &which)
{
    m_filling = true;
    for (int row : which) {
        if (row < 0 || row >= rows.size() || row >= rowCount())
            continue;
        m_rows[row] = rows.at(row);
        if (QTableWidgetItem *value = item(row, 1)) {
            value->setText(rows.at(row).value);
            value->setData(kPickRole, rows.at(row).pickList);
            value->setData(kHasPickRole, rows.at(row).hasPickList);
        }
    }
    m_filling = false;
}

QString TPropertyGrid::Key(int row) const
{
    const QTableWidgetItem *i = item(row, 0);
    return i ? i->text() : QString();
}

QString TPropertyGrid::Value(int row) const
{
    const QTableWidgetItem *i = item(row, 1);
    return i ? i->text() : QString();
}

QStringList TPropertyGrid::PickList(int row) const
{
    const QTableWidgetItem *i = item(row, 1);
    return i ? i->data(kPickRole).toStringList() : QStringList();
}

bool TPropertyGrid::HasEllipsis(int row) const
{
    return cellWidget(row, 2) != nullptr;
}

void TPropertyGrid::SetValue(int row, const QString &text)
{
    QTableWidgetItem *i = item(row, 1);
    if (!i || !(i->flags() & Qt::ItemIsEditable))
        return;
    if (i->text() == text)
        emit rowEdited(row, text); // the same text typed again still applies its rule
    else
        i->setText(text);
}

void TPropertyGrid::PressEllipsis(int row)
{
    if (HasEllipsis(row))
        emit ellipsisPressed(row);
}

void TPropertyGrid::onItemChanged(QTableWidgetItem *changed)
{
    if (m_filling || !changed || changed->column() != 1)
        return;
    emit rowEdited(changed->row(), changed->text());
}
