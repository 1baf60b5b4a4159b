#include "signstudio/ui/objectcontroller.h"

#include "signstudio/editors/frmplaydate.h"
#include "signstudio/lang/langtext.h"
#include "signstudio/model/fodderkind.h"
#include "signstudio/model/modelui.h"
#include "signstudio/ui/bmplistpanel.h"
#include "signstudio/ui/canvas.h"
#include "signstudio/ui/editundo.h"
#include "signstudio/ui/materialpreview.h"
#include "signstudio/ui/objecttree.h"
#include "signstudio/ui/propertygrid.h"
#include "signstudio/ui/regioncolour.h"
#include "signstudio/ui/sizercontrol.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>

namespace {
constexpr int kScreenPanelRole = Qt::UserRole + 3;

// Sets a flag for the lifetime of the object and restores it afterwards.
class GuardScope
{
public:
    explicit GuardScope(bool &flag)
        : m_flag(flag)
        , m_old(flag)
    {
        m_flag = true;
    }
    ~GuardScope() { m_flag = m_old; }
    GuardScope(const GuardScope &) = delete;
    GuardScope &operator=(const GuardScope &) = delete;

private:
    bool &m_flag;
    bool m_old;
};
} // namespace

TObjectController::TObjectController(TProject &project, TObjectTree *tree, TPropertyGrid *grid,
                                     TCanvas *canvas, TBmpListPanel *bmpList, QObject *parent)
    : QObject(parent)
    , m_project(project)
    , m_rows(project)
    , m_tree(tree)
    , m_grid(grid)
    , m_canvas(canvas)
    , m_bmpList(bmpList)
{
    m_project.SetObserver(this);
    connect(m_tree, &TObjectTree::nodeSelected, this, &TObjectController::SelectNode);
    connect(m_tree, &TObjectTree::fodderDoubleClicked, this,
            [this](QTreeWidgetItem *item) { OpenEditor(TObjectTree::FodderOf(item)); });
    connect(m_grid, &TPropertyGrid::rowEdited, this, &TObjectController::onRowEdited);
    connect(m_grid, &TPropertyGrid::ellipsisPressed, this, &TObjectController::EditButton);
    connect(m_canvas, &TCanvas::regionPressed, this,
            [this](const QString &name) { onRegionPressed(name); });
    connect(m_canvas, &TCanvas::materialPressed, this,
            [this](const QString &name) { onMaterialPressed(name); });
    connect(m_canvas, &TCanvas::materialDoubleClicked, this,
            &TObjectController::onMaterialDoubleClicked);
    connect(m_canvas, &TCanvas::sizerReported, this, &TObjectController::onSizerReported);
    connect(m_canvas, &TCanvas::deleteRequested, this, [this] { DeleteSelected(); });
    if (m_bmpList)
        m_bmpList->hide();

    QAction *undo = m_undo.createUndoAction(this);
    QAction *redo = m_undo.createRedoAction(this);
    undo->setShortcut(QKeySequence::Undo);
    redo->setShortcut(QKeySequence::Redo);
    for (QAction *a : {undo, redo}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        m_tree->addAction(a);
        m_grid->addAction(a);
        m_canvas->addAction(a);
    }

    RunPlayDate = [](TfrmPlayDate &dialog) { return dialog.exec() == QDialog::Accepted; };
    RunDateTime = [this](const DateTimeRequest &request) {
        return ChooseDateTime(m_dialogParent, request);
    };
    AskGifFile = [this](const QString &current) {
        const QString start = QFileInfo::exists(current) ? current : QString();
        return QFileDialog::getOpenFileName(m_dialogParent, QString(), start,
                                            QStringLiteral("gif(*.gif)"));
    };
    RenderPreview = [](const TFodder &f, const QSize &size) { return MaterialPreview(f, size); };
}

TObjectController::~TObjectController()
{
    if (m_project.Observer() == this)
        m_project.SetObserver(m_next);
}

// --- selection ---

TSelection TObjectController::SelectionOf(const QTreeWidgetItem *item)
{
    switch (TObjectTree::Level(item)) {
    case 0: return TSelection::ForCard(item->text(0));
    case 1: return TSelection::ForPage(TObjectTree::PageOf(item));
    case 2: return TSelection::ForRegion(TObjectTree::RegionOf(item));
    case 3: return TSelection::ForFodder(TObjectTree::FodderOf(item));
    default: return TSelection();
    }
}

TSelection TObjectController::Selection() const
{
    return SelectionOf(m_tree ? m_tree->currentItem() : nullptr);
}

void TObjectController::setCurrentNode(QTreeWidgetItem *item)
{
    const QSignalBlocker block(m_tree);
    m_tree->setCurrentItem(item);
    if (item)
        item->setSelected(true);
    else
        m_tree->clearSelection();
}

QString TObjectController::ScreenPanelOf(const QTreeWidgetItem *cardNode) const
{
    return cardNode ? cardNode->data(0, kScreenPanelRole).toString() : QString();
}

QString TObjectController::screenPanelOfCard(const QString &cardName) const
{
    if (const TFIXModem *card = m_project.FindCard(cardName); card && !card->PanelName.isEmpty())
        return card->PanelName;
    return ScreenPanelOf(m_tree->CardNode(cardName));
}

void TObjectController::forgetSelection()
{
    m_curPage = m_curRegion = m_curMaterial = -1;
    m_queueAllowed = false;
    if (m_bmpList) {
        m_bmpList->SetMaterial(nullptr, nullptr);
        m_bmpList->hide();
    }
}

void TObjectController::clearHandles()
{
    if (TMaterialImage *image = m_canvas->ImageOf(m_materialPanel))
        image->ClearHandles();
}

void TObjectController::showRows()
{
    m_grid->ShowRows(m_rows.Rows());
}

void TObjectController::SelectNode(QTreeWidgetItem *item)
{
    GuardScope guard(m_guard);
    forgetSelection();
    clearHandles();
    if (item && m_tree->currentItem() != item)
        setCurrentNode(item);
    const int level = TObjectTree::Level(item);
    if (level < 0) {
        m_rows.Clear();
        m_grid->ClearRows();
        emit selectionChanged(TSelection::None);
        return;
    }
    QTreeWidgetItem *cardNode = item;
    while (cardNode->parent())
        cardNode = cardNode->parent();
    const QString cardName = cardNode->text(0);
    m_curCard = m_project.Cards.IndexOfName(cardName);
    m_screenPanel = ScreenPanelOf(cardNode);
    m_canvas->ShowCardScreen(m_screenPanel);
    if (level != 2)
        m_canvas->RemoveSizer();

    switch (level) {
    case 0:
        m_rows.ShowCard(cardName);
        showRows();
        emit statusText(1, cardName);
        emit selectionChanged(TSelection::Card);
        return;
    case 1: {
        TProgram *page = TObjectTree::PageOf(item);
        m_curPage = m_project.IndexOfPage(page);
        m_pagePanel = page ? page->PanelName : QString();
        m_canvas->ShowPage(m_pagePanel);
        m_rows.ShowPage(page);
        showRows();
        emit selectionChanged(TSelection::Page);
        return;
    }
    case 2: {
        TRegion *region = TObjectTree::RegionOf(item);
        TProgram *page = region ? m_project.PageOfRegion(region) : nullptr;
        m_curPage = m_project.IndexOfPage(page);
        m_curRegion = m_project.IndexOfRegion(region);
        m_pagePanel = page ? page->PanelName : QString();
        m_regionPanel = region ? region->PanelName : QString();
        m_canvas->ShowPage(m_pagePanel);
        m_canvas->HideMaterials(m_regionPanel);
        m_rows.ShowRegion(region);
        showRows();
        if (region)
            m_canvas->CreateSizer(m_regionPanel);
        m_queueAllowed = region && m_project.QueueAllowed(region);
        emit selectionChanged(TSelection::Region);
        return;
    }
    default: {
        TFodder *fodder = TObjectTree::FodderOf(item);
        showFodderRows(fodder);
        TRegion *region = fodder ? m_project.RegionOfFodder(fodder) : nullptr;
        m_queueAllowed = region && m_project.QueueAllowed(region);
        emit selectionChanged(TSelection::Material);
        return;
    }
    }
}

void TObjectController::showFodderRows(TFodder *fodder)
{
    m_rows.ShowFodder(fodder);
    showRows();
    if (!fodder)
        return;
    TRegion *region = m_project.RegionOfFodder(fodder);
    TProgram *page = region ? m_project.PageOfRegion(region) : nullptr;
    m_curPage = m_project.IndexOfPage(page);
    m_curRegion = m_project.IndexOfRegion(region);
    m_curMaterial = m_project.IndexOfFodder(fodder);
    m_screenPanel = screenPanelOfCard(fodder->CardName);
    m_pagePanel = fodder->PagePanelName;
    m_regionPanel = fodder->RegionPanelName;
    m_materialPanel = fodder->PanelName;
    m_canvas->ShowCardScreen(m_screenPanel);
    m_canvas->ShowPage(m_pagePanel);
    m_canvas->ShowMaterial(m_materialPanel);
    if (m_bmpList) {
        if (fodder->Kind == fkPictureGroup) {
            m_bmpList->SetMaterial(fodder, m_canvas->ImageOf(m_materialPanel));
            m_bmpList->show();
        } else {
            m_bmpList->SetMaterial(nullptr, nullptr);
            m_bmpList->hide();
        }
    }
    UpdatePreview(fodder);
    if (TMaterialImage *image = m_canvas->ImageOf(m_materialPanel))
        image->PaintHandles();
    if (fodder->TypeCode == tcPicture)
        m_project.MarkModified(fodder->CardName);
}

void TObjectController::SelectPage(TProgram *page)
{
    if (QTreeWidgetItem *node = m_tree->NodeOf(page))
        SelectNode(node);
}

void TObjectController::SelectRegion(TRegion *region)
{
    if (QTreeWidgetItem *node = m_tree->NodeOf(region))
        SelectNode(node);
}

void TObjectController::SelectFodder(TFodder *fodder)
{
    if (QTreeWidgetItem *node = m_tree->NodeOf(fodder))
        SelectNode(node);
}

void TObjectController::RefreshSelection()
{
    SelectNode(m_tree->currentItem());
    if (m_bmpList)
        m_bmpList->ApplyTexts();
}

void TObjectController::UpdatePreview(TFodder *fodder)
{
    if (!fodder)
        return;
    TMaterialImage *image = m_canvas->ImageOf(fodder->PanelName);
    if (!image)
        return;
    QImage picture;
    if (RenderPreview)
        picture = RenderPreview(*fodder, image->size());
    if (picture.isNull()) {
        image->Clear();
        image->SetCaption(fodder->FodderName);
    } else {
        image->SetImage(picture);
    }
}

// --- cards ---

QTreeWidgetItem *TObjectController::AddCardNode(const QString &name, int stateImage,
                                                const QString &panelName, int width, int height)
{
    const QString panel = panelName.isEmpty() ? m_project.NextPanelName(QStringLiteral("pnCard"))
                                              : panelName;
    if (!m_canvas->Panel(panel))
        m_canvas->CreateScreenPanel(panel, width, height);
    QTreeWidgetItem *node = m_tree->AddCardNode(name, stateImage);
    node->setData(0, kScreenPanelRole, panel);
    return node;
}

QTreeWidgetItem *TObjectController::AddCard(TFIXModem *card)
{
    if (!card)
        return nullptr;
    if (card->PanelName.isEmpty())
        card->PanelName = m_project.NextPanelName(QStringLiteral("pnCard"));
    return AddCardNode(card->Name, 1, card->PanelName, card->ScreenWidth, card->ScreenHeight);
}

QTreeWidgetItem *TObjectController::NewCard()
{
    QString name = LangText(3, QStringLiteral("object_card"));
    if (name.isEmpty())
        name = QStringLiteral("card");
    return AddCardNode(name, 0, QString(), 256, 128);
}

void TObjectController::SetCardImage(const QString &cardName, int image)
{
    m_tree->SetCardImage(cardName, image);
}

void TObjectController::SetAllCardImages(int image)
{
    m_tree->SetAllCardImages(image);
}

// --- adding and deleting ---

QString TObjectController::AddPage()
{
    if (m_screenPanel.isEmpty() && Selection().level == TSelection::None)
        return QString();
    return m_project.AddPage(Selection()).error;
}

QString TObjectController::AddRegion()
{
    const TSelection s = Selection();
    QSize fallback;
    if (s.level == TSelection::Page || s.level == TSelection::Region) {
        if (TCanvasPanel *page = m_canvas->Panel(m_pagePanel))
            fallback = page->size();
    }
    return m_project.AddRegion(s, fallback).error;
}

QString TObjectController::AddFodder(int kind)
{
    QTreeWidgetItem *selected = m_tree->currentItem();
    const TAddResult result = m_project.AddFodder(Selection(), kind);
    if (result.fodder) {
        if (selected)
            selected->setExpanded(true);
        if (kind == fkQueue)
            m_queueAllowed = false;
        emit cardModified(result.fodder->CardName);
    }
    return result.error;
}

bool TObjectController::DeleteSelected()
{
    if (!m_modelUi)
        return false;
    QTreeWidgetItem *item = m_tree->currentItem();
    const TSelection s = SelectionOf(item);
    bool done = false;
    switch (s.level) {
    case TSelection::Card:
        if (m_project.FindCard(s.cardName)) {
            done = m_project.DeleteCard(s.cardName, *m_modelUi);
        } else if (m_modelUi->AskYesNo(QStringLiteral("dlg_del_card"))) {
            // A card node without card object: only the node and its panels.
            m_project.ClearCard(s.cardName);
            m_canvas->DestroyPanel(ScreenPanelOf(item));
            m_tree->RemoveNode(item);
            done = true;
        }
        break;
    case TSelection::Page: done = m_project.DeletePage(s.page, *m_modelUi); break;
    case TSelection::Region: done = m_project.DeleteRegion(s.region, *m_modelUi); break;
    case TSelection::Material: done = m_project.DeleteFodder(s.fodder, *m_modelUi); break;
    default: break;
    }
    if (done)
        SelectNode(m_tree->currentItem());
    return done;
}

// --- moving ---

bool TObjectController::move(int delta)
{
    QTreeWidgetItem *item = m_tree->currentItem();
    const int level = TObjectTree::Level(item);
    if (level == 3) {
        TFodder *fodder = TObjectTree::FodderOf(item);
        if (!m_project.MoveFodder(fodder, delta))
            return false;
        m_tree->MoveNode(item, delta);
        m_curMaterial = m_project.IndexOfFodder(fodder);
        emit cardModified(fodder->CardName);
        return true;
    }
    if (level != 0)
        return false;
    const int index = m_tree->indexOfTopLevelItem(item);
    QTreeWidgetItem *sibling = m_tree->topLevelItem(index + delta);
    if (!sibling)
        return false;
    const int a = m_project.Cards.IndexOfName(item->text(0));
    const int b = m_project.Cards.IndexOfName(sibling->text(0));
    if (a >= 0 && b >= 0 && a != b) {
        // Exchange the two cards in the card list.
        const int lo = qMin(a, b);
        const int hi = qMax(a, b);
        m_project.Cards.Move(hi, lo);
        m_project.Cards.Move(lo + 1, hi);
    }
    m_tree->MoveNode(item, delta);
    m_tree->expandAll();
    m_curCard = m_project.Cards.IndexOfName(item->text(0));
    return true;
}

bool TObjectController::MoveUp()
{
    return move(-1);
}

bool TObjectController::MoveDown()
{
    return move(1);
}

// --- editing ---

void TObjectController::applyOutcome(const TEditOutcome &outcome)
{
    if (!outcome.applied)
        return;
    m_grid->RewriteRows(m_rows.Rows(), outcome.rewritten);
    if (outcome.renamed) {
        if (QTreeWidgetItem *node = m_tree->currentItem())
            node->setText(0, outcome.newName);
        if (m_rows.Level() == TSelection::Card)
            emit statusText(1, outcome.newName);
        if (m_rows.Level() == TSelection::Region && m_rows.Region()) {
            if (TCanvasPanel *panel = m_canvas->Panel(m_rows.Region()->PanelName))
                panel->SetCaption(outcome.newName);
        }
    }
    if (outcome.boundsChanged && m_rows.Region()) {
        TRegion *r = m_rows.Region();
        const QRect bounds(r->Left, r->Top, r->Width, r->Height);
        if (TCanvasPanel *panel = m_canvas->Panel(r->PanelName))
            panel->setGeometry(bounds);
        if (TSizerControl *sizer = m_canvas->Sizer(); sizer && sizer->TargetName() == r->PanelName)
            sizer->setGeometry(bounds);
    }
    if (outcome.previewChanged && m_rows.Fodder()) {
        UpdatePreview(m_rows.Fodder());
        if (TMaterialImage *image = m_canvas->ImageOf(m_rows.Fodder()->PanelName))
            image->PaintHandles();
    }
    const QString card = m_rows.CardName();
    if (!card.isEmpty())
        emit cardModified(card);
}

void TObjectController::onRowEdited(int row, const QString &text)
{
    if (m_guard || m_rows.IsEmpty())
        return;
    GuardScope guard(m_guard);
    const TEditSnapshot before = currentSnapshot();
    applyOutcome(m_rows.Edit(row, text));
    pushEdit(before);
}

TEditSnapshot TObjectController::currentSnapshot() const
{
    switch (m_rows.Level()) {
    case TSelection::Page: return TEditSnapshot::Of(m_rows.Page());
    case TSelection::Region: return TEditSnapshot::Of(m_rows.Region());
    case TSelection::Material: return TEditSnapshot::Of(m_rows.Fodder());
    default: return TEditSnapshot();
    }
}

void TObjectController::pushEdit(const TEditSnapshot &before)
{
    if (before.kind == TEditSnapshot::None)
        return;
    TEditSnapshot after = before;
    switch (before.kind) {
    case TEditSnapshot::Page: after = TEditSnapshot::Of(static_cast<TProgram *>(before.object)); break;
    case TEditSnapshot::Region: after = TEditSnapshot::Of(static_cast<TRegion *>(before.object)); break;
    case TEditSnapshot::Fodder: after = TEditSnapshot::Of(static_cast<TFodder *>(before.object)); break;
    case TEditSnapshot::None: break;
    }
    auto *command = new TEditUndoCommand(before, after,
                                         [this](const TEditSnapshot &s) { afterUndo(s); });
    if (command->Empty()) {
        delete command;
        return;
    }
    m_undo.push(command);
}

void TObjectController::afterUndo(const TEditSnapshot &s)
{
    GuardScope guard(m_guard);
    QString card;
    if (s.kind == TEditSnapshot::Region) {
        auto *r = static_cast<TRegion *>(s.object);
        card = r->CardName;
        const QRect bounds(r->Left, r->Top, r->Width, r->Height);
        if (TCanvasPanel *panel = m_canvas->Panel(r->PanelName))
            panel->setGeometry(bounds);
        if (TSizerControl *sizer = m_canvas->Sizer(); sizer && sizer->TargetName() == r->PanelName)
            sizer->setGeometry(bounds);
    } else if (s.kind == TEditSnapshot::Fodder) {
        auto *f = static_cast<TFodder *>(s.object);
        card = f->CardName;
        UpdatePreview(f);
    } else if (s.kind == TEditSnapshot::Page) {
        card = static_cast<TProgram *>(s.object)->CardName;
    }
    const bool shown = (s.kind == TEditSnapshot::Page && m_rows.Page() == s.object
                        && m_rows.Level() == TSelection::Page)
                       || (s.kind == TEditSnapshot::Region && m_rows.Region() == s.object
                           && m_rows.Level() == TSelection::Region)
                       || (s.kind == TEditSnapshot::Fodder && m_rows.Fodder() == s.object);
    if (shown) {
        m_rows.Refresh();
        showRows();
    }
    m_project.MarkModified(card);
    emit cardModified(card);
}

void TObjectController::EditButton(int row)
{
    if (m_guard)
        return;
    const TSelection::Level level = m_rows.Level();
    if (level == TSelection::Page && m_rows.Page()) {
        TProgram *page = m_rows.Page();
        if (row == 4) {
            TfrmPlayDate dialog(m_dialogParent);
            dialog.SetValue(m_rows.Rows().value(4).value);
            dialog.SetNote(m_rows.NoteText());
            if (RunPlayDate && RunPlayDate(dialog)) {
                GuardScope guard(m_guard);
                const TEditSnapshot before = currentSnapshot();
                applyOutcome(m_rows.SetPageWeekDays(dialog.Value(), dialog.PlaySpan() == 1));
                pushEdit(before);
            }
        } else if (row == 5) {
            DateTimeRequest request;
            request.withPosition = true;
            request.positions = m_rows.DatePositionTexts();
            request.note = m_rows.NoteText();
            if (page->DateMode == dmBeforeDate || page->DateMode == dmAfterDate) {
                request.value = page->PlayDate;
                request.position = page->DateMode + 1;
            }
            const DateTimeAnswer answer = RunDateTime ? RunDateTime(request) : DateTimeAnswer();
            if (answer.accepted) {
                GuardScope guard(m_guard);
                const TEditSnapshot before = currentSnapshot();
                applyOutcome(m_rows.SetPagePlayDate(answer.position, answer.value));
                pushEdit(before);
            }
        }
        return;
    }
    if (level != TSelection::Material || !m_rows.Fodder())
        return;
    TFodder *fodder = m_rows.Fodder();
    const QList<TPropertyRows::Field> fields = TPropertyRows::FodderFields(fodder->Kind);
    if (row < 0 || row >= fields.size())
        return;
    if (fields.at(row) == TPropertyRows::fCountTime) {
        DateTimeRequest request;
        request.value = m_rows.Rows().value(row).value;
        request.height = 220;
        const DateTimeAnswer answer = RunDateTime ? RunDateTime(request) : DateTimeAnswer();
        if (answer.accepted)
            m_grid->SetValue(row, answer.value);
    } else if (fields.at(row) == TPropertyRows::fAnimationFile) {
        const QString file = AskGifFile ? AskGifFile(fodder->Content) : QString();
        // Cancelling keeps the file the material has.
        if (!file.isEmpty())
            m_grid->SetValue(row, file);
    }
}

void TObjectController::OpenEditor(TFodder *fodder)
{
    if (!fodder)
        return;
    switch (fodder->Kind) {
    case fkAnimation: {
        const QString file = AskGifFile ? AskGifFile(fodder->Content) : QString();
        if (file.isEmpty())
            return; // cancelled: the material keeps its file
        const TEditSnapshot before = TEditSnapshot::Of(fodder);
        fodder->Content = file;
        pushEdit(before);
        m_project.MarkModified(fodder->CardName);
        if (m_rows.Fodder() == fodder) {
            GuardScope guard(m_guard);
            m_rows.Refresh();
            showRows();
        }
        UpdatePreview(fodder);
        emit cardModified(fodder->CardName);
        return;
    }
    case fkSingleText:
    case fkMultiText:
    case fkTable:
    case fkRemoteText:
    case fkInnerCode:
        emit editorRequested(fodder);
        return;
    default:
        return;
    }
}

// --- canvas ---

void TObjectController::onRegionPressed(const QString &panelName)
{
    clearHandles();
    TRegion *region = m_project.FindRegionByPanel(panelName);
    if (!region)
        return;
    SelectRegion(region);
}

void TObjectController::onMaterialPressed(const QString &panelName)
{
    clearHandles();
    TFodder *fodder = m_project.FindFodderByPanel(panelName);
    if (!fodder)
        return;
    SelectFodder(fodder);
    emit statusText(4, LangText(3, QStringLiteral("warn_material_layer_drag")));
}

void TObjectController::onMaterialDoubleClicked(const QString &panelName)
{
    OpenEditor(m_project.FindFodderByPanel(panelName));
}

void TObjectController::onSizerReported(int mode, const QString &regionPanel, const QRect &bounds)
{
    TRegion *region = m_project.FindRegionByPanel(regionPanel);
    if (!region)
        return;
    if (mode == TSizerControl::CreateMode) {
        m_regionPanel = regionPanel;
        m_curRegion = m_project.IndexOfRegion(region);
        if (QTreeWidgetItem *node = m_tree->NodeOf(region); node && m_tree->currentItem() != node)
            setCurrentNode(node);
        if (m_rows.Level() == TSelection::Region && m_rows.Region() == region) {
            GuardScope guard(m_guard);
            m_rows.Refresh();
            m_grid->RewriteRows(m_rows.Rows(), {2, 3, 4, 5});
        }
        return;
    }
    const bool changed = region->Left != bounds.left() || region->Top != bounds.top()
                         || region->Width != bounds.width() || region->Height != bounds.height();
    const TEditSnapshot before = TEditSnapshot::Of(region);
    region->Left = bounds.left();
    region->Top = bounds.top();
    region->Width = bounds.width();
    region->Height = bounds.height();
    if (TCanvasPanel *panel = m_canvas->Panel(regionPanel))
        panel->setGeometry(bounds);
    if (m_rows.Level() == TSelection::Region && m_rows.Region() == region) {
        GuardScope guard(m_guard);
        m_rows.Refresh();
        m_grid->RewriteRows(m_rows.Rows(), {2, 3, 4, 5});
    }
    if (changed) {
        pushEdit(before);
        m_project.MarkModified(region->CardName);
        emit cardModified(region->CardName);
    }
}

// --- model notifications ---

void TObjectController::addPageViews(TProgram *page)
{
    QTreeWidgetItem *cardNode = m_tree->CardNode(page->CardName);
    if (!cardNode)
        return;
    if (page->ScreenPanelName.isEmpty())
        page->ScreenPanelName = ScreenPanelOf(cardNode);
    m_canvas->CreatePagePanel(page->ScreenPanelName, page->PanelName);
    QTreeWidgetItem *node = m_tree->AddPageNode(cardNode, page);
    node->setText(0, page->PageName);
}

void TObjectController::addRegionViews(TRegion *region)
{
    TProgram *page = m_project.PageOfRegion(region);
    QTreeWidgetItem *pageNode = m_tree->NodeOf(page);
    if (!pageNode)
        return;
    if (region->PagePanelName.isEmpty())
        region->PagePanelName = page->PanelName;
    if (region->ScreenPanelName.isEmpty())
        region->ScreenPanelName = page->ScreenPanelName;
    const QString area = LangText(3, QStringLiteral("object_area"));
    const QColor colour = RegionColourOfNumber(RegionNumberOfName(region->RegionName, area));
    m_canvas->CreateRegionPanel(region->PagePanelName, region->PanelName,
                                QRect(region->Left, region->Top, region->Width, region->Height),
                                region->RegionName, colour);
    QTreeWidgetItem *node = m_tree->AddRegionNode(pageNode, region);
    node->setText(0, region->RegionName);
}

void TObjectController::addFodderViews(TFodder *fodder)
{
    TRegion *region = m_project.RegionOfFodder(fodder);
    QTreeWidgetItem *regionNode = m_tree->NodeOf(region);
    if (!regionNode)
        return;
    if (fodder->RegionPanelName.isEmpty())
        fodder->RegionPanelName = region->PanelName;
    if (fodder->PagePanelName.isEmpty())
        fodder->PagePanelName = region->PagePanelName;
    if (fodder->ScreenPanelName.isEmpty())
        fodder->ScreenPanelName = region->ScreenPanelName;
    const QString imageName = m_project.NextPanelName(QStringLiteral("img"));
    m_canvas->CreateMaterialPanel(fodder->RegionPanelName, fodder->PanelName, imageName);
    const int index = int(m_project.FoddersOfRegion(region).indexOf(fodder));
    QTreeWidgetItem *node = m_tree->InsertFodderNode(regionNode, index, fodder);
    node->setText(0, fodder->FodderName);
    UpdatePreview(fodder);
}

void TObjectController::PageAdded(TProgram *page)
{
    addPageViews(page);
    // A new page or region becomes the selection, whoever added it.
    SelectPage(page);
    if (m_next)
        m_next->PageAdded(page);
}

void TObjectController::RegionAdded(TRegion *region)
{
    addRegionViews(region);
    SelectRegion(region);
    if (m_next)
        m_next->RegionAdded(region);
}

void TObjectController::FodderAdded(TFodder *fodder)
{
    addFodderViews(fodder);
    if (m_next)
        m_next->FodderAdded(fodder);
}

void TObjectController::reselectLater()
{
    // The model is still removing; once it is done, the grid and the canvas
    // follow the node the tree shows, unless they show it already.
    QMetaObject::invokeMethod(this, [this] {
        if (!m_tree || m_guard)
            return;
        QTreeWidgetItem *item = m_tree->currentItem();
        const TSelection s = SelectionOf(item);
        const bool shown = s.level == m_rows.Level()
                           && (s.level == TSelection::None
                               || (s.level == TSelection::Card && s.cardName == m_rows.CardName())
                               || (s.level == TSelection::Page && s.page == m_rows.Page())
                               || (s.level == TSelection::Region && s.region == m_rows.Region())
                               || (s.level == TSelection::Material && s.fodder == m_rows.Fodder()));
        if (!shown)
            SelectNode(item);
    }, Qt::QueuedConnection);
}

void TObjectController::PageRemoving(TProgram *page)
{
    m_undo.clear();
    reselectLater();
    if (m_rows.Page() == page)
        m_rows.Clear(), m_grid->ClearRows();
    m_canvas->DestroyPanel(page->PanelName);
    m_tree->RemoveNode(m_tree->NodeOf(page));
    if (m_next)
        m_next->PageRemoving(page);
}

void TObjectController::RegionRemoving(TRegion *region)
{
    m_undo.clear();
    reselectLater();
    if (m_rows.Region() == region)
        m_rows.Clear(), m_grid->ClearRows();
    m_canvas->DestroyPanel(region->PanelName);
    m_tree->RemoveNode(m_tree->NodeOf(region));
    if (m_next)
        m_next->RegionRemoving(region);
}

void TObjectController::FodderRemoving(TFodder *fodder)
{
    m_undo.clear();
    reselectLater();
    if (m_rows.Fodder() == fodder)
        m_rows.Clear(), m_grid->ClearRows();
    if (m_bmpList && m_bmpList->Material() == fodder)
        m_bmpList->SetMaterial(nullptr, nullptr);
    m_canvas->DestroyPanel(fodder->PanelName);
    m_tree->RemoveNode(m_tree->NodeOf(fodder));
    if (m_next)
        m_next->FodderRemoving(fodder);
}

void TObjectController::dropRowsOf(const QString &cardName)
{
    // The card's objects may be gone already: only names are compared. The
    // picture list always edits the material whose rows are shown.
    if (!m_rows.IsEmpty() && m_rows.CardName() == cardName && m_rows.Level() != TSelection::Card) {
        m_rows.Clear();
        m_grid->ClearRows();
        if (m_bmpList) {
            m_bmpList->SetMaterial(nullptr, nullptr);
            m_bmpList->hide();
        }
    }
}

void TObjectController::CardRemoving(const QString &cardName, TFIXModem *card)
{
    m_undo.clear();
    reselectLater();
    if (!m_rows.IsEmpty() && m_rows.CardName() == cardName)
        m_rows.Clear(), m_grid->ClearRows();
    dropRowsOf(cardName);
    QTreeWidgetItem *node = m_tree->CardNode(cardName);
    const QString panel = card && !card->PanelName.isEmpty() ? card->PanelName : ScreenPanelOf(node);
    m_canvas->DestroyPanel(panel);
    m_tree->RemoveNode(node);
    if (m_next)
        m_next->CardRemoving(cardName, card);
}

void TObjectController::CardCleared(const QString &cardName)
{
    reselectLater();
    m_undo.clear();
    dropRowsOf(cardName);
    QTreeWidgetItem *node = m_tree->CardNode(cardName);
    if (node) {
        const bool wasInside = m_tree->currentItem() && m_tree->currentItem() != node
                               && TObjectTree::Level(m_tree->currentItem()) > 0;
        {
            const QSignalBlocker block(m_tree);
            qDeleteAll(node->takeChildren());
        }
        if (wasInside)
            setCurrentNode(node);
        if (TCanvasPanel *screen = m_canvas->Panel(ScreenPanelOf(node))) {
            for (auto *page : screen->findChildren<TCanvasPanel *>(QString(), Qt::FindDirectChildrenOnly))
                m_canvas->DestroyPanel(page->Name());
        }
    }
    if (m_next)
        m_next->CardCleared(cardName);
}

void TObjectController::CardLoaded(const QString &cardName)
{
    m_undo.clear();
    for (TProgram *page : m_project.PagesOfCard(cardName)) {
        addPageViews(page);
        for (TRegion *region : m_project.RegionsOfPage(page)) {
            addRegionViews(region);
            for (TFodder *fodder : m_project.FoddersOfRegion(region))
                addFodderViews(fodder);
        }
    }
    if (QTreeWidgetItem *node = m_tree->CardNode(cardName))
        node->setExpanded(true);
    if (m_next)
        m_next->CardLoaded(cardName);
}

void TObjectController::AllCleared()
{
    m_undo.clear();
    m_rows.Clear();
    m_grid->ClearRows();
    if (m_bmpList)
        m_bmpList->SetMaterial(nullptr, nullptr);
    m_canvas->RemoveSizer();
    for (int i = m_tree->topLevelItemCount() - 1; i >= 0; --i)
        m_canvas->DestroyPanel(ScreenPanelOf(m_tree->topLevelItem(i)));
    {
        const QSignalBlocker block(m_tree);
        m_tree->clear();
    }
    m_curCard = m_curPage = m_curRegion = m_curMaterial = -1;
    m_screenPanel = m_pagePanel = m_regionPanel = m_materialPanel = QString();
    if (m_next)
        m_next->AllCleared();
}

void TObjectController::CardResized(TFIXModem *card)
{
    if (card)
        m_canvas->ResizeScreenPanel(card->PanelName, card->ScreenWidth, card->ScreenHeight);
    if (m_next)
        m_next->CardResized(card);
}

void TObjectController::Renamed(TSelection::Level level, const QString &oldName,
                                const QString &newName)
{
    if (m_next)
        m_next->Renamed(level, oldName, newName);
}
