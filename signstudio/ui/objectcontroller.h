#pragma once

#include "signstudio/editors/datetimechoice.h"
#include "signstudio/model/project.h"
#include "signstudio/ui/propertyrows.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QUndoStack>

#include <functional>

class QTreeWidgetItem;
class QWidget;
class TBmpListPanel;
struct TEditSnapshot;
class TCanvas;
class TModelUi;
class TObjectTree;
class TPropertyGrid;
class TfrmPlayDate;

// Ties the object tree, the property grid, the canvas and the picture-list
// panel to the project model: selecting a node, editing a row, clicking and
// dragging on the canvas, moving nodes up and down. It observes the model
// and mirrors every added or removed object in the tree and on the canvas.
class TObjectController : public QObject, public TProjectObserver
{
    Q_OBJECT
public:
    TObjectController(TProject &project, TObjectTree *tree, TPropertyGrid *grid, TCanvas *canvas,
                      TBmpListPanel *bmpList, QObject *parent = nullptr);
    ~TObjectController() override;

    TProject &Project() const { return m_project; }
    TPropertyRows &Rows() { return m_rows; }
    TObjectTree *Tree() const { return m_tree; }
    TPropertyGrid *Grid() const { return m_grid; }
    TCanvas *Canvas() const { return m_canvas; }
    TBmpListPanel *BmpList() const { return m_bmpList; }

    // Model notifications are passed on to this observer after the views
    // have followed.
    void SetNextObserver(TProjectObserver *next) { m_next = next; }
    // Questions of the delete commands; without one nothing is deleted.
    void SetModelUi(TModelUi *ui) { m_modelUi = ui; }
    // Parent of the dialogs.
    void SetDialogParent(QWidget *parent) { m_dialogParent = parent; }

    // --- selection state ---
    int CurrentCard() const { return m_curCard; }
    int CurrentPage() const { return m_curPage; }
    int CurrentRegion() const { return m_curRegion; }
    int CurrentMaterial() const { return m_curMaterial; }
    QString CurrentScreenPanel() const { return m_screenPanel; }
    QString CurrentPagePanel() const { return m_pagePanel; }
    QString CurrentRegionPanel() const { return m_regionPanel; }
    QString CurrentMaterialPanel() const { return m_materialPanel; }
    bool Guard() const { return m_guard; }
    // The selected node as the model's operations take it.
    TSelection Selection() const;
    static TSelection SelectionOf(const QTreeWidgetItem *item);
    // Whether a queue material may be added at the current selection.
    bool QueueAllowed() const { return m_queueAllowed; }

    // --- cards ---
    // The card's node (state image 1) and its screen panel (named by the
    // card's PanelName, given a new one when empty).
    QTreeWidgetItem *AddCard(TFIXModem *card);
    // A card node with the given state image and a screen panel of the
    // given name and screen size (a panel of that name is reused).
    QTreeWidgetItem *AddCardNode(const QString &name, int stateImage, const QString &panelName,
                                 int width, int height);
    // New Card: a root node named with the card text and a 256 x 128 screen
    // panel, without card object.
    QTreeWidgetItem *NewCard();
    // Screen panel name of a card node.
    QString ScreenPanelOf(const QTreeWidgetItem *cardNode) const;
    void SetCardImage(const QString &cardName, int image);
    void SetAllCardImages(int image);

    // --- operations ---
    // Select node: the five cases; nullptr is no node.
    void SelectNode(QTreeWidgetItem *item);
    void SelectPage(TProgram *page);
    void SelectRegion(TRegion *region);
    void SelectFodder(TFodder *fodder);
    // Re-runs the selection (language switch).
    void RefreshSelection();

    // The add commands on the current selection; the key of the refusal
    // message, empty when done (or when nothing happened).
    QString AddPage();
    QString AddRegion();
    QString AddFodder(int kind);
    // Deletes the selected object by its level after the level's question.
    bool DeleteSelected();

    bool MoveUp();
    bool MoveDown();

    // Ellipsis button of a grid row and double click on a material.
    void EditButton(int row);
    void OpenEditor(TFodder *fodder);

    // Property edits, dialog results and sizer moves can be undone (Ctrl+Z
    // in the tree, the grid and the canvas); removing objects or loading a
    // playbill clears the history.
    QUndoStack *UndoStack() { return &m_undo; }

    // Redraws the material's image on the canvas.
    void UpdatePreview(TFodder *fodder);

    // Dialog hooks (tests replace them). RunPlayDate shows the prepared
    // dialog modally and tells whether it ended with OK.
    std::function<bool(TfrmPlayDate &)> RunPlayDate;
    std::function<DateTimeAnswer(const DateTimeRequest &)> RunDateTime;
    // The GIF open dialog; the chosen file, empty when cancelled.
    std::function<QString(const QString &current)> AskGifFile;
    // The material's canvas picture (MaterialPreview by default).
    std::function<QImage(const TFodder &, const QSize &)> RenderPreview;

    // --- model notifications ---
    void PageAdded(TProgram *page) override;
    void RegionAdded(TRegion *region) override;
    void FodderAdded(TFodder *fodder) override;
    void PageRemoving(TProgram *page) override;
    void RegionRemoving(TRegion *region) override;
    void FodderRemoving(TFodder *fodder) override;
    void CardRemoving(const QString &cardName, TFIXModem *card) override;
    void CardCleared(const QString &cardName) override;
    void CardLoaded(const QString &cardName) override;
    void AllCleared() override;
    void CardResized(TFIXModem *card) override;
    void Renamed(TSelection::Level level, const QString &oldName, const QString &newName) override;

signals:
    // After every selection (TSelection::Level): the main window enables its
    // commands.
    void selectionChanged(int level);
    // Status-bar panel texts (1 current card, 4 tips).
    void statusText(int panel, const QString &text);
    // A material whose editor lives elsewhere (kinds 0, 1, 3, 5, 9).
    void editorRequested(TFodder *fodder);
    void cardModified(const QString &cardName);

public slots:
    void onRowEdited(int row, const QString &text);
    void onRegionPressed(const QString &panelName);
    void onMaterialPressed(const QString &panelName);
    void onMaterialDoubleClicked(const QString &panelName);
    void onSizerReported(int mode, const QString &regionPanel, const QRect &bounds);

private:
    void showFodderRows(TFodder *fodder);
    void showRows();
    void forgetSelection();
    void reselectLater();
    TEditSnapshot currentSnapshot() const;
    void pushEdit(const TEditSnapshot &before);
    void afterUndo(const TEditSnapshot &snapshot);
    void clearHandles();
    void setCurrentNode(QTreeWidgetItem *item);
    void addPageViews(TProgram *page);
    void addRegionViews(TRegion *region);
    void addFodderViews(TFodder *fodder);
    void dropRowsOf(const QString &cardName);
    QString screenPanelOfCard(const QString &cardName) const;
    void applyOutcome(const TEditOutcome &outcome);
    bool move(int delta);

    TProject &m_project;
    TPropertyRows m_rows;
    QPointer<TObjectTree> m_tree;
    QPointer<TPropertyGrid> m_grid;
    QPointer<TCanvas> m_canvas;
    QPointer<TBmpListPanel> m_bmpList;
    TProjectObserver *m_next = nullptr;
    TModelUi *m_modelUi = nullptr;
    QWidget *m_dialogParent = nullptr;

    QUndoStack m_undo;
    bool m_guard = false;
    bool m_queueAllowed = false;
    int m_curCard = -1;
    int m_curPage = -1;
    int m_curRegion = -1;
    int m_curMaterial = -1;
    QString m_screenPanel;
    QString m_pagePanel;
    QString m_regionPanel;
    QString m_materialPanel;
};
