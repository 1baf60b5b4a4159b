#include "signstudio/ui/objecttree.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {
constexpr int kObjectRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;
constexpr int kStateRole = Qt::UserRole + 2;

QIcon stateIcon(int image)
{
    QColor c;
    switch (image) {
    case 1: c = QColor(0x80, 0x80, 0x80); break; // offline
    case 2: c = QColor(0x00, 0xB0, 0x00); break; // online
    case 3: c = QColor(0x00, 0x60, 0xFF); break; // program sent
    default: return QIcon();
    }
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(c);
    p.drawEllipse(2, 2, 11, 11);
    return QIcon(pm);
}

template <typename T>
T *objectOf(const QTreeWidgetItem *item, int level)
{
    if (!item || TObjectTree::Level(item) != level)
        return nullptr;
    return reinterpret_cast<T *>(item->data(0, kObjectRole).value<quintptr>());
}
} // namespace

TObjectTree::TObjectTree(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("tvObject"));
    setColumnCount(1);
    header()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The selected node: white text on the highlight colour, focused or not.
    setStyleSheet(QStringLiteral(
        "QTreeView::item:selected, QTreeView::item:selected:!active"
        " { color: white; background: palette(highlight); }"));
    // Any change of the current node selects it (mouse, keyboard or code).
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { emit nodeSelected(current); });
    // A node selected without becoming current (by code) is selected too.
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem *> selected = selectedItems();
        if (!selected.isEmpty() && selected.first() != currentItem())
            emit nodeSelected(selected.first());
    });
}

int TObjectTree::Level(const QTreeWidgetItem *item)
{
    if (!item)
        return -1;
    return item->data(0, kLevelRole).toInt();
}

TProgram *TObjectTree::PageOf(const QTreeWidgetItem *item)
{
    return objectOf<TProgram>(item, 1);
}

TRegion *TObjectTree::RegionOf(const QTreeWidgetItem *item)
{
    return objectOf<TRegion>(item, 2);
}

TFodder *TObjectTree::FodderOf(const QTreeWidgetItem *item)
{
    return objectOf<TFodder>(item, 3);
}

QTreeWidgetItem *TObjectTree::AddCardNode(const QString &name, int stateImage)
{
    auto *item = new QTreeWidgetItem({name});
    item->setData(0, kLevelRole, 0);
    addTopLevelItem(item);
    SetStateImage(item, stateImage);
    return item;
}

QTreeWidgetItem *TObjectTree::AddPageNode(QTreeWidgetItem *card, TProgram *page)
{
    if (!card)
        return nullptr;
    auto *item = new QTreeWidgetItem({QString()});
    item->setData(0, kLevelRole, 1);
    item->setData(0, kObjectRole, QVariant::fromValue(reinterpret_cast<quintptr>(page)));
    card->addChild(item);
    return item;
}

QTreeWidgetItem *TObjectTree::AddRegionNode(QTreeWidgetItem *page, TRegion *region)
{
    if (!page)
        return nullptr;
    auto *item = new QTreeWidgetItem({QString()});
    item->setData(0, kLevelRole, 2);
    item->setData(0, kObjectRole, QVariant::fromValue(reinterpret_cast<quintptr>(region)));
    page->addChild(item);
    return item;
}

QTreeWidgetItem *TObjectTree::InsertFodderNode(QTreeWidgetItem *region, int index, TFodder *fodder)
{
    if (!region)
        return nullptr;
    auto *item = new QTreeWidgetItem({QString()});
    item->setData(0, kLevelRole, 3);
    item->setData(0, kObjectRole, QVariant::fromValue(reinterpret_cast<quintptr>(fodder)));
    region->insertChild(qBound(0, index, region->childCount()), item);
    return item;
}

QTreeWidgetItem *TObjectTree::CardNode(const QString &name) const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->text(0) == name)
            return topLevelItem(i);
    }
    return nullptr;
}

QTreeWidgetItem *TObjectTree::findNode(int level, const void *object) const
{
    if (!object)
        return nullptr;
    const quintptr key = reinterpret_cast<quintptr>(object);
    QTreeWidgetItemIterator it(const_cast<TObjectTree *>(this));
    for (; *it; ++it) {
        if (Level(*it) == level && (*it)->data(0, kObjectRole).value<quintptr>() == key)
            return *it;
    }
    return nullptr;
}

QTreeWidgetItem *TObjectTree::NodeOf(const TProgram *page) const
{
    return findNode(1, page);
}

QTreeWidgetItem *TObjectTree::NodeOf(const TRegion *region) const
{
    return findNode(2, region);
}

QTreeWidgetItem *TObjectTree::NodeOf(const TFodder *fodder) const
{
    return findNode(3, fodder);
}

int TObjectTree::StateImage(const QTreeWidgetItem *cardNode)
{
    return cardNode ? cardNode->data(0, kStateRole).toInt() : 0;
}

void TObjectTree::SetStateImage(QTreeWidgetItem *cardNode, int image)
{
    if (!cardNode)
        return;
    cardNode->setData(0, kStateRole, image);
    cardNode->setIcon(0, stateIcon(image));
}

void TObjectTree::SetCardImage(const QString &name, int image)
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->text(0) == name)
            SetStateImage(topLevelItem(i), image);
    }
}

void TObjectTree::SetAllCardImages(int image)
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        SetStateImage(topLevelItem(i), image);
}

bool TObjectTree::MoveNode(QTreeWidgetItem *item, int delta)
{
    if (!item || (delta != -1 && delta != 1))
        return false;
    QTreeWidgetItem *parent = item->parent();
    const int index = parent ? parent->indexOfChild(item) : indexOfTopLevelItem(item);
    const int count = parent ? parent->childCount() : topLevelItemCount();
    const int to = index + delta;
    if (index < 0 || to < 0 || to >= count)
        return false;
    QTreeWidgetItem *sibling = parent ? parent->child(to) : topLevelItem(to);
    const QSignalBlocker block(this);
    const bool wasExpanded = item->isExpanded();
    const bool wasCurrent = currentItem() == item;
    QTreeWidgetItem *taken = parent ? parent->takeChild(index) : takeTopLevelItem(index);
    if (parent)
        parent->insertChild(to, taken);
    else
        insertTopLevelItem(to, taken);
    taken->setExpanded(wasExpanded);
    if (Level(item) == 0) {
        SetStateImage(item, 0);
        SetStateImage(sibling, 0);
    }
    if (wasCurrent)
        setCurrentItem(taken);
    return true;
}

void TObjectTree::RemoveNode(QTreeWidgetItem *item)
{
    // The node that becomes current is not selected here: the objects of
    // nearby nodes may be in the middle of being removed.
    const QSignalBlocker block(this);
    delete item;
}

void TObjectTree::mousePressEvent(QMouseEvent *event)
{
    // A press on the node that is already current selects it again.
    QTreeWidgetItem *before = currentItem();
    QTreeWidget::mousePressEvent(event);
    QTreeWidgetItem *item = itemAt(event->position().toPoint());
    if (currentItem() == before && (item == before || !item))
        emit nodeSelected(item ? item : before);
}

void TObjectTree::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    QTreeWidgetItem *item = itemAt(event->position().toPoint());
    if (item && Level(item) == 3)
        emit fodderDoubleClicked(item);
}
