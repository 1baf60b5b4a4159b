#pragma once

#include "signstudio/model/cardlist.h"
#include "signstudio/model/fodder.h"
#include "signstudio/model/program.h"
#include "signstudio/model/region.h"

#include <QDateTime>
#include <QList>
#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TModelUi;

// The selected tree node. A card node is named by its text (a node made by
// New Card has no card object); the other levels point into the lists.
struct TSelection
{
    enum Level { None, Card, Page, Region, Material };
    Level level = None;
    QString cardName;
    TProgram *page = nullptr;
    TRegion *region = nullptr;
    TFodder *fodder = nullptr;

    static TSelection ForCard(const QString &name);
    static TSelection ForPage(TProgram *page);
    static TSelection ForRegion(TRegion *region);
    static TSelection ForFodder(TFodder *fodder);
};

// Outcome of an add: the new object, or the message key of the refusal
// (empty key and no object: nothing happened).
struct TAddResult
{
    QString error;
    TProgram *page = nullptr;
    TRegion *region = nullptr;
    TFodder *fodder = nullptr;
    bool ok() const { return error.isEmpty() && (page || region || fodder); }
};

// Told about every change the model makes, so the tree and the canvas can
// mirror it. "Removing" calls come before the object is destroyed.
class TProjectObserver
{
public:
    virtual ~TProjectObserver() = default;
    virtual void PageAdded(TProgram *) {}
    virtual void RegionAdded(TRegion *) {}
    // The material's place among its region's materials is given by
    // TProject::FoddersOfRegion after the call.
    virtual void FodderAdded(TFodder *) {}
    virtual void PageRemoving(TProgram *) {}
    virtual void RegionRemoving(TRegion *) {}
    virtual void FodderRemoving(TFodder *) {}
    // card is null for a card node without card object.
    virtual void CardRemoving(const QString &, TFIXModem *) {}
    // All pages, regions and materials of the card are gone (clear, resize,
    // before and after a load).
    virtual void CardCleared(const QString &) {}
    // A program file was loaded into the card: rebuild its nodes.
    virtual void CardLoaded(const QString &) {}
    virtual void AllCleared() {}
    virtual void CardResized(TFIXModem *) {}
    virtual void Renamed(TSelection::Level, const QString & /*oldName*/, const QString & /*newName*/) {}
};

// The project model: the four ordered lists (cards, pages, regions,
// materials of all cards together) and the operations on them.
// An object names its card and page; regions carry their page's PageUID and
// materials their region's RegionUID, which is what the cascades follow
// (within the same card).
class TProject
{
public:
    TProject();
    ~TProject();
    TProject(const TProject &) = delete;
    TProject &operator=(const TProject &) = delete;

    TCardList Cards;
    std::vector<std::unique_ptr<TProgram>> Pages;
    std::vector<std::unique_ptr<TRegion>> Regions;
    std::vector<std::unique_ptr<TFodder>> Fodders;
    // Per-kind counters, reset only by ClearAll.
    std::array<int, 12> KindCounters{};
    // Running panel counter: makes panel names unique within the run.
    int PanelCounter = 0;

    // Language texts (kind 3 keys such as "object_page"); by default the
    // key itself.
    void SetTextSource(std::function<QString(const QString &key)> source);
    QString Text(const QString &key) const;
    void SetObserver(TProjectObserver *observer) { m_observer = observer; }
    TProjectObserver *Observer() const { return m_observer; }
    // Clock of the model (count-up contents, schedules); default: now.
    void SetClock(std::function<QDateTime()> clock);
    QDateTime Now() const;

    // Next panel name with a prefix ("pnProgram", "pnRegion", ...).
    QString NextPanelName(const QString &prefix);
    // The folder beside the program (table file names are kept relative to
    // it, program files live in its "prgFiles"); default ProgramFolder().
    void SetProgramFolder(const QString &folder);
    QString ProgramFolderPath() const;

    // --- lookups ---
    TFIXModem *FindCard(const QString &name) const { return Cards.FindByName(name); }
    // Screen size of the card, 1024 x 512 when there is no such card.
    QSize ScreenSizeOf(const QString &cardName) const;
    // The card's pages in play order (remote text pages are never a card's).
    QList<TProgram *> PagesOfCard(const QString &cardName) const;
    // The page's regions that have tree nodes, in list order.
    QList<TRegion *> RegionsOfPage(const TProgram *page) const;
    // The region's materials in play order.
    QList<TFodder *> FoddersOfRegion(const TRegion *region) const;
    QList<TFodder *> FoddersOfCard(const QString &cardName) const;
    TProgram *PageOfRegion(const TRegion *region) const;
    TRegion *RegionOfFodder(const TFodder *fodder) const;
    TProgram *FindPage(const QString &card, const QString &page) const;
    TRegion *FindRegion(const QString &card, const QString &page, const QString &region) const;
    TFodder *FindFodder(const QString &card, const QString &page, const QString &region,
                        const QString &fodder) const;
    TFodder *FindFodderByUID(const QString &card, const QString &uid) const;
    TRegion *FindRegionByPanel(const QString &panelName) const;
    TFodder *FindFodderByPanel(const QString &panelName) const;
    int IndexOfPage(const TProgram *page) const;
    int IndexOfRegion(const TRegion *region) const;
    int IndexOfFodder(const TFodder *fodder) const;
    bool HoldsRemoteText(const QString &cardName) const;

    // --- what may be added ---
    // A queue material only into regions of the card's first page.
    bool QueueAllowed(const TRegion *region) const;
    // Per kind, whether a material of it may be added to the region: the
    // card's capability flags, one remote text per card while the card's
    // remote text is free, queues on the first page only. Without a card
    // object every kind but real-time data, queue and remote text may.
    std::array<bool, 12> AddableKinds(const TRegion *region) const;

    // --- operations ---
    // Page size used for a new region: the card's screen size, else
    // fallback (a card node without card object), else 240 x 112.
    TAddResult AddPage(const TSelection &selection);
    TAddResult AddRegion(const TSelection &selection, QSize fallbackPageSize = QSize());
    TAddResult AddFodder(const TSelection &selection, int kind);

    // Each asks its question first (dlg_del_card, dlg_del_page,
    // dlg_del_area, dlg_del_material); true when something was deleted.
    // Deleting a card does not talk to it: the caller sends the identify
    // frame (CardRemoving is the moment).
    bool DeleteCard(const QString &cardName, TModelUi &ui);
    bool DeletePage(TProgram *page, TModelUi &ui);
    bool DeleteRegion(TRegion *region, TModelUi &ui);
    bool DeleteFodder(TFodder *fodder, TModelUi &ui);
    // The same without asking.
    void RemoveCard(const QString &cardName);
    void RemovePage(TProgram *page);
    void RemoveRegion(TRegion *region);
    void RemoveFodder(TFodder *fodder);

    // Renames; empty or unchanged names are ignored. Returns the name the
    // object has afterwards (what the tree node shows).
    QString RenameCard(const QString &oldName, const QString &newName);
    QString RenamePage(TProgram *page, const QString &newName);
    QString RenameRegion(TRegion *region, const QString &newName);
    QString RenameFodder(TFodder *fodder, const QString &newName);

    // Moves a material one place up or down among its region's materials.
    bool MoveFodder(TFodder *fodder, int delta);

    void ClearCard(const QString &cardName);
    void ClearAll();
    void ResizeCardScreen(const QString &cardName, int width, int height);
    void MarkModified(const QString &cardName);
    bool AnyModified() const;

    // A fresh identifier not used by any page, region or material.
    QString NewObjectUID() const;
    bool UidInUse(const QString &uid) const;

private:
    void removeRegionCascade(TRegion *region);
    void removeFodderObject(TFodder *fodder);
    bool isLastTreeNode(const TFodder *fodder) const;

    std::function<QString(const QString &)> m_text;
    std::function<QDateTime()> m_clock;
    TProjectObserver *m_observer = nullptr;
    QString m_programFolder;
};
