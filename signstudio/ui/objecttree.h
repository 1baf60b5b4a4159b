#pragma once

#include <QTreeWidget>

class TProgram;
class TRegion;
class TFodder;

// The object tree tvObject: cards (level 0), pages (1), regions (2) and
// materials (3). Read-only; a node's text is its object's name. Card nodes
// carry a state image: 1 offline, 2 online, 3 program sent, 0 none.
class TObjectTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit TObjectTree(QWidget *parent = nullptr);

    static int Level(const QTreeWidgetItem *item);
    static TProgram *PageOf(const QTreeWidgetItem *item);
    static TRegion *RegionOf(const QTreeWidgetItem *item);
    static TFodder *FodderOf(const QTreeWidgetItem *item);

    QTreeWidgetItem *AddCardNode(const QString &name, int stateImage);
    QTreeWidgetItem *AddPageNode(QTreeWidgetItem *card, TProgram *page);
    QTreeWidgetItem *AddRegionNode(QTreeWidgetItem *page, TRegion *region);
    QTreeWidgetItem *InsertFodderNode(QTreeWidgetItem *region, int index, TFodder *fodder);

    QTreeWidgetItem *CardNode(const QString &name) const;
    QTreeWidgetItem *NodeOf(const TProgram *page) const;
    QTreeWidgetItem *NodeOf(const TRegion *region) const;
    QTreeWidgetItem *NodeOf(const TFodder *fodder) const;

    static int StateImage(const QTreeWidgetItem *cardNode);
    static void SetStateImage(QTreeWidgetItem *cardNode, int image);
    // Every root node with that text takes the image.
    void SetCardImage(const QString &name, int image);
    void SetAllCardImages(int image);

    // Moves a node one place among its siblings (delta -1 or 1); false when
    // there is no such sibling. Both nodes lose their state image.
    bool MoveNode(QTreeWidgetItem *item, int delta);

    // Removes the node with its children without selecting the node that
    // becomes current.
    void RemoveNode(QTreeWidgetItem *item);

signals:
    // A node became current, or the current node was pressed again with any
    // mouse button.
    void nodeSelected(QTreeWidgetItem *item);
    void fodderDoubleClicked(QTreeWidgetItem *item);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QTreeWidgetItem *findNode(int level, const void *object) const;
};
