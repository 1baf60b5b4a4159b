#include "signstudio/model/project.h"

#include "common/base/programfolder.h"
#include "signstudio/model/modelui.h"
#include "signstudio/model/naming.h"

#include <algorithm>

namespace {

template <typename T>
void eraseObject(std::vector<std::unique_ptr<T>> &list, const T *object)
{
    auto it = std::find_if(list.begin(), list.end(), [&](const auto &p) { return p.get() == object; });
    if (it != list.end())
        list.erase(it);
}

// Remote text items carry no card name but their page's identifier; they
// never belong to a card.
bool ofCard(const TFodder &f, const QString &card)
{
    return f.CardName == card && f.TextPageUID.isEmpty();
}

template <typename T>
int indexOfObject(const std::vector<std::unique_ptr<T>> &list, const T *object)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == object)
            return int(i);
    return -1;
}

} // namespace

TSelection TSelection::ForCard(const QString &name)
{
    TSelection s;
    s.level = Card;
    s.cardName = name;
    return s;
}

TSelection TSelection::ForPage(TProgram *page)
{
    TSelection s;
    if (!page)
        return s;
    s.level = Page;
    s.cardName = page->CardName;
    s.page = page;
    return s;
}

TSelection TSelection::ForRegion(TRegion *region)
{
    TSelection s;
    if (!region)
        return s;
    s.level = Region;
    s.cardName = region->CardName;
    s.region = region;
    return s;
}

TSelection TSelection::ForFodder(TFodder *fodder)
{
    TSelection s;
    if (!fodder)
        return s;
    s.level = Material;
    s.cardName = fodder->CardName;
    s.fodder = fodder;
    return s;
}

TProject::TProject() = default;
TProject::~TProject() = default;

void TProject::SetTextSource(std::function<QString(const QString &)> source)
{
    m_text = std::move(source);
}

QString TProject::Text(const QString &key) const
{
    return m_text ? m_text(key) : key;
}

void TProject::SetClock(std::function<QDateTime()> clock)
{
    m_clock = std::move(clock);
}

QDateTime TProject::Now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

QString TProject::NextPanelName(const QString &prefix)
{
    return prefix + QString::number(++PanelCounter);
}

void TProject::SetProgramFolder(const QString &folder)
{
    m_programFolder = folder;
    if (!m_programFolder.isEmpty() && !m_programFolder.endsWith(QLatin1Char('/')))
        m_programFolder += QLatin1Char('/');
}

QString TProject::ProgramFolderPath() const
{
    return m_programFolder.isEmpty() ? ProgramFolder() : m_programFolder;
}

bool TProject::UidInUse(const QString &uid) const
{
    for (const auto &p : Pages)
        if (p->PageUID == uid)
            return true;
    for (const auto &r : Regions)
        if (r->RegionUID == uid)
            return true;
    for (const auto &f : Fodders)
        if (f->FodderUID == uid)
            return true;
    return false;
}

QString TProject::NewObjectUID() const
{
    QString uid = NewUID();
    while (UidInUse(uid))
        uid = NewUID();
    return uid;
}

// --- lookups ---

QSize TProject::ScreenSizeOf(const QString &cardName) const
{
    if (const TFIXModem *card = FindCard(cardName))
        return QSize(card->ScreenWidth, card->ScreenHeight);
    return QSize(1024, 512);
}

QList<TProgram *> TProject::PagesOfCard(const QString &cardName) const
{
    QList<TProgram *> pages;
    for (const auto &p : Pages)
        if (p->RemotePage == 0 && p->CardName == cardName)
            pages.append(p.get());
    return pages;
}

QList<TRegion *> TProject::RegionsOfPage(const TProgram *page) const
{
    QList<TRegion *> regions;
    if (!page)
        return regions;
    for (const auto &r : Regions)
        if (r->InTree && r->CardName == page->CardName && r->PageUID == page->PageUID)
            regions.append(r.get());
    return regions;
}

QList<TFodder *> TProject::FoddersOfRegion(const TRegion *region) const
{
    QList<TFodder *> fodders;
    if (!region)
        return fodders;
    for (const auto &f : Fodders)
        if (ofCard(*f, region->CardName) && f->RegionUID == region->RegionUID)
            fodders.append(f.get());
    return fodders;
}

QList<TFodder *> TProject::FoddersOfCard(const QString &cardName) const
{
    QList<TFodder *> fodders;
    for (const auto &f : Fodders)
        if (ofCard(*f, cardName))
            fodders.append(f.get());
    return fodders;
}

TProgram *TProject::PageOfRegion(const TRegion *region) const
{
    if (!region)
        return nullptr;
    for (const auto &p : Pages)
        if (p->RemotePage == 0 && p->CardName == region->CardName && p->PageUID == region->PageUID)
            return p.get();
    return nullptr;
}

TRegion *TProject::RegionOfFodder(const TFodder *fodder) const
{
    if (!fodder)
        return nullptr;
    for (const auto &r : Regions)
        if (r->CardName == fodder->CardName && r->RegionUID == fodder->RegionUID)
            return r.get();
    return nullptr;
}

TProgram *TProject::FindPage(const QString &card, const QString &page) const
{
    for (const auto &p : Pages)
        if (p->RemotePage == 0 && p->CardName == card && p->PageName == page)
            return p.get();
    return nullptr;
}

TRegion *TProject::FindRegion(const QString &card, const QString &page, const QString &region) const
{
    const TProgram *p = FindPage(card, page);
    for (TRegion *r : RegionsOfPage(p))
        if (r->RegionName == region)
            return r;
    return nullptr;
}

TFodder *TProject::FindFodder(const QString &card, const QString &page, const QString &region,
                              const QString &fodder) const
{
    const TRegion *r = FindRegion(card, page, region);
    for (TFodder *f : FoddersOfRegion(r))
        if (f->FodderName == fodder)
            return f;
    return nullptr;
}

TFodder *TProject::FindFodderByUID(const QString &card, const QString &uid) const
{
    for (const auto &f : Fodders)
        if (ofCard(*f, card) && f->FodderUID == uid)
            return f.get();
    return nullptr;
}

TRegion *TProject::FindRegionByPanel(const QString &panelName) const
{
    for (const auto &r : Regions)
        if (r->PanelName == panelName)
            return r.get();
    return nullptr;
}

TFodder *TProject::FindFodderByPanel(const QString &panelName) const
{
    for (const auto &f : Fodders)
        if (f->PanelName == panelName)
            return f.get();
    return nullptr;
}

int TProject::IndexOfPage(const TProgram *page) const
{
    return indexOfObject(Pages, page);
}

int TProject::IndexOfRegion(const TRegion *region) const
{
    return indexOfObject(Regions, region);
}

int TProject::IndexOfFodder(const TFodder *fodder) const
{
    return indexOfObject(Fodders, fodder);
}

bool TProject::HoldsRemoteText(const QString &cardName) const
{
    for (const auto &f : Fodders)
        if (ofCard(*f, cardName) && (f->Kind == fkRemoteText || f->TypeCode == tcRemoteText))
            return true;
    return false;
}

// --- what may be added ---

bool TProject::QueueAllowed(const TRegion *region) const
{
    const TProgram *page = PageOfRegion(region);
    if (!page)
        return false;
    const QList<TProgram *> pages = PagesOfCard(page->CardName);
    return !pages.isEmpty() && pages.first() == page;
}

std::array<bool, 12> TProject::AddableKinds(const TRegion *region) const
{
    std::array<bool, 12> can{};
    if (!region)
        return can;
    can.fill(true);
    can[fkRemoteText] = false;
    const TFIXModem *card = FindCard(region->CardName);
    if (!card) {
        can[fkRealTime] = false;
        can[fkQueue] = false;
        return can;
    }
    for (int kind = 0; kind < kFodderKindCount; ++kind)
        can[size_t(kind)] = card->Capabilities[size_t(FodderKindInfo(kind).Capability)];
    can[fkQueue] = can[fkQueue] && QueueAllowed(region);
    can[fkRemoteText] = can[fkRemoteText] && card->RemoteTextFree && !HoldsRemoteText(card->Name);
    return can;
}

// --- adding ---

TAddResult TProject::AddPage(const TSelection &selection)
{
    TAddResult result;
    if (selection.level == TSelection::None)
        return result;
    if (selection.level == TSelection::Region || selection.level == TSelection::Material) {
        result.error = QStringLiteral("warn_card_select");
        return result;
    }
    const QString cardName = selection.level == TSelection::Card
        ? selection.cardName
        : (selection.page ? selection.page->CardName : selection.cardName);
    const TFIXModem *card = FindCard(cardName);
    if (card && card->FirmwareVersion != -1 && card->FirmwareVersion < 52) {
        result.error = QStringLiteral("warn_card_version_low_add");
        return result;
    }
    QStringList names;
    for (const TProgram *p : PagesOfCard(cardName))
        names.append(p->PageName);

    auto page = std::make_unique<TProgram>();
    page->CardName = cardName;
    page->PageName = NextFreeName(names, Text(QStringLiteral("object_page")));
    page->PageUID = NewObjectUID();
    page->PanelName = NextPanelName(QStringLiteral("pnProgram"));
    page->WeekDays = Text(QStringLiteral("cycle_everyday"));
    page->ScreenPanelName = card ? card->PanelName : QString();
    result.page = page.get();
    Pages.push_back(std::move(page));
    MarkModified(cardName);
    if (m_observer)
        m_observer->PageAdded(result.page);
    return result;
}

TAddResult TProject::AddRegion(const TSelection &selection, QSize fallbackPageSize)
{
    TAddResult result;
    if (selection.level == TSelection::None)
        return result;
    if (selection.level == TSelection::Card || selection.level == TSelection::Material) {
        result.error = QStringLiteral("warn_page_add");
        return result;
    }
    TProgram *page = selection.level == TSelection::Page ? selection.page : PageOfRegion(selection.region);
    if (!page)
        return result;
    QSize size;
    if (const TFIXModem *card = FindCard(page->CardName))
        size = QSize(card->ScreenWidth, card->ScreenHeight);
    else if (fallbackPageSize.isValid())
        size = fallbackPageSize;
    else
        size = QSize(240, 112);

    QStringList names;
    for (const TRegion *r : RegionsOfPage(page))
        names.append(r->RegionName);

    auto region = std::make_unique<TRegion>();
    region->CardName = page->CardName;
    region->PageName = page->PageName;
    region->RegionName = NextFreeName(names, Text(QStringLiteral("object_area")));
    region->RegionUID = NewObjectUID();
    region->PanelName = NextPanelName(QStringLiteral("pnRegion"));
    region->PageUID = page->PageUID;
    region->Left = 0;
    region->Top = 0;
    region->Width = size.width() / 2;
    region->Height = size.height() > 32 ? size.height() / 2 : size.height();
    region->ScreenPanelName = page->ScreenPanelName;
    region->PagePanelName = page->PanelName;
    result.region = region.get();
    Regions.push_back(std::move(region));
    MarkModified(page->CardName);
    if (m_observer)
        m_observer->RegionAdded(result.region);
    return result;
}

bool TProject::isLastTreeNode(const TFodder *fodder) const
{
    const TRegion *region = RegionOfFodder(fodder);
    const TProgram *page = PageOfRegion(region);
    if (!region || !page)
        return false;
    if (!Cards.IsEmpty() && FindCard(fodder->CardName) && Cards.At(Cards.Count() - 1)->Name != fodder->CardName)
        return false;
    const QList<TProgram *> pages = PagesOfCard(page->CardName);
    const QList<TRegion *> regions = RegionsOfPage(page);
    const QList<TFodder *> fodders = FoddersOfRegion(region);
    return pages.last() == page && regions.last() == region && fodders.last() == fodder;
}

TAddResult TProject::AddFodder(const TSelection &selection, int kind)
{
    TAddResult result;
    if (!IsValidFodderKind(kind))
        return result;
    if (selection.level != TSelection::Region && selection.level != TSelection::Material) {
        result.error = QStringLiteral("warn_area_add");
        return result;
    }
    TRegion *region = selection.level == TSelection::Region ? selection.region : RegionOfFodder(selection.fodder);
    if (!region || !AddableKinds(region)[size_t(kind)])
        return result;

    const TFodderKindInfo &info = FodderKindInfo(kind);
    const QList<TFodder *> siblings = FoddersOfRegion(region);
    ++KindCounters[size_t(kind)];
    const QString base = Text(QString::fromLatin1(info.NameKey));
    int n = KindCounters[size_t(kind)];
    auto taken = [&](const QString &name) {
        return std::any_of(siblings.begin(), siblings.end(), [&](const TFodder *f) { return f->FodderName == name; });
    };
    while (taken(base + QString::number(n)))
        ++n;

    auto fodder = std::make_unique<TFodder>(TFodder::NewOfKind(kind, Now()));
    fodder->CardName = region->CardName;
    fodder->PageName = region->PageName;
    fodder->RegionName = region->RegionName;
    fodder->FodderName = base + QString::number(n);
    fodder->FodderUID = NewObjectUID();
    fodder->PanelName = NextPanelName(QString::fromLatin1(info.PanelPrefix));
    fodder->RegionUID = region->RegionUID;
    fodder->ScreenPanelName = region->ScreenPanelName;
    fodder->PagePanelName = region->PagePanelName;
    fodder->RegionPanelName = region->PanelName;
    TFodder *added = fodder.get();

    // Placement: a queue first in its region; others last, or before the
    // selected material (after it when it is the last node of the tree).
    int at = -1;
    if (kind == fkQueue) {
        if (!siblings.isEmpty())
            at = IndexOfFodder(siblings.first());
    } else if (selection.level == TSelection::Material && selection.fodder && siblings.contains(selection.fodder)) {
        at = IndexOfFodder(selection.fodder);
        if (isLastTreeNode(selection.fodder))
            ++at;
    } else if (!siblings.isEmpty()) {
        at = IndexOfFodder(siblings.last()) + 1;
    }
    if (at < 0 || at > int(Fodders.size()))
        Fodders.push_back(std::move(fodder));
    else
        Fodders.insert(Fodders.begin() + at, std::move(fodder));

    if (kind == fkRemoteText)
        if (TFIXModem *card = FindCard(region->CardName))
            card->RemoteTextFree = false;
    MarkModified(region->CardName);
    result.fodder = added;
    if (m_observer)
        m_observer->FodderAdded(added);
    return result;
}

// --- deleting ---

bool TProject::DeleteCard(const QString &cardName, TModelUi &ui)
{
    if (!ui.AskYesNo(QStringLiteral("dlg_del_card")))
        return false;
    RemoveCard(cardName);
    return true;
}

bool TProject::DeletePage(TProgram *page, TModelUi &ui)
{
    if (!page || !ui.AskYesNo(QStringLiteral("dlg_del_page")))
        return false;
    RemovePage(page);
    return true;
}

bool TProject::DeleteRegion(TRegion *region, TModelUi &ui)
{
    if (!region || !ui.AskYesNo(QStringLiteral("dlg_del_area")))
        return false;
    RemoveRegion(region);
    return true;
}

bool TProject::DeleteFodder(TFodder *fodder, TModelUi &ui)
{
    if (!fodder || !ui.AskYesNo(QStringLiteral("dlg_del_material")))
        return false;
    RemoveFodder(fodder);
    return true;
}

void TProject::RemoveCard(const QString &cardName)
{
    TFIXModem *card = FindCard(cardName);
    if (m_observer)
        m_observer->CardRemoving(cardName, card);
    std::erase_if(Fodders, [&](const auto &f) { return ofCard(*f, cardName); });
    std::erase_if(Regions, [&](const auto &r) { return r->CardName == cardName; });
    std::erase_if(Pages, [&](const auto &p) { return p->RemotePage == 0 && p->CardName == cardName; });
    if (card)
        Cards.RemoveAt(Cards.IndexOf(card));
}

void TProject::removeFodderObject(TFodder *fodder)
{
    if (m_observer)
        m_observer->FodderRemoving(fodder);
    eraseObject(Fodders, fodder);
}

void TProject::removeRegionCascade(TRegion *region)
{
    const QList<TFodder *> fodders = FoddersOfRegion(region);
    for (TFodder *f : fodders)
        removeFodderObject(f);
    if (m_observer)
        m_observer->RegionRemoving(region);
    eraseObject(Regions, region);
}

void TProject::RemovePage(TProgram *page)
{
    if (!page || IndexOfPage(page) < 0)
        return;
    const QString cardName = page->CardName;
    QList<TRegion *> regions;
    for (const auto &r : Regions)
        if (r->CardName == cardName && r->PageUID == page->PageUID)
            regions.append(r.get());
    for (TRegion *r : regions)
        removeRegionCascade(r);
    if (m_observer)
        m_observer->PageRemoving(page);
    eraseObject(Pages, page);
    if (TFIXModem *card = FindCard(cardName))
        card->RemoteTextFree = !HoldsRemoteText(cardName);
    MarkModified(cardName);
}

void TProject::RemoveRegion(TRegion *region)
{
    if (!region || IndexOfRegion(region) < 0)
        return;
    const QString cardName = region->CardName;
    removeRegionCascade(region);
    if (TFIXModem *card = FindCard(cardName))
        card->RemoteTextFree = !HoldsRemoteText(cardName);
    MarkModified(cardName);
}

void TProject::RemoveFodder(TFodder *fodder)
{
    if (!fodder || IndexOfFodder(fodder) < 0)
        return;
    const QString cardName = fodder->CardName;
    removeFodderObject(fodder);
    if (TFIXModem *card = FindCard(cardName))
        card->RemoteTextFree = !HoldsRemoteText(cardName);
    MarkModified(cardName);
}

// --- renaming ---

namespace {

template <typename Taken>
QString uniqueName(const QString &wanted, const QString &base, int k, Taken taken)
{
    QString name = wanted;
    while (taken(name))
        name = base + QString::number(k++);
    return name;
}

} // namespace

QString TProject::RenameCard(const QString &oldName, const QString &newName)
{
    if (newName.isEmpty() || newName == oldName)
        return oldName;
    TFIXModem *self = FindCard(oldName);
    const QString name = uniqueName(newName, Text(QStringLiteral("object_card")), Cards.Count() + 1,
                                    [&](const QString &n) {
                                        for (const auto &c : Cards)
                                            if (c.get() != self && c->Name == n)
                                                return true;
                                        return false;
                                    });
    if (name == oldName)
        return oldName;
    if (self)
        self->Name = name;
    for (const auto &p : Pages)
        if (p->RemotePage == 0 && p->CardName == oldName)
            p->CardName = name;
    for (const auto &r : Regions)
        if (r->CardName == oldName)
            r->CardName = name;
    for (const auto &f : Fodders)
        if (f->CardName == oldName)
            f->CardName = name;
    MarkModified(name);
    if (m_observer)
        m_observer->Renamed(TSelection::Card, oldName, name);
    return name;
}

QString TProject::RenamePage(TProgram *page, const QString &newName)
{
    if (!page)
        return QString();
    const QString oldName = page->PageName;
    if (newName.isEmpty() || newName == oldName)
        return oldName;
    const QList<TProgram *> pages = PagesOfCard(page->CardName);
    const QString name = uniqueName(newName, Text(QStringLiteral("object_page")), int(Pages.size()) + 1,
                                    [&](const QString &n) {
                                        return std::any_of(pages.begin(), pages.end(), [&](const TProgram *p) {
                                            return p != page && p->PageName == n;
                                        });
                                    });
    if (name == oldName)
        return oldName;
    page->PageName = name;
    for (const auto &r : Regions)
        if (r->CardName == page->CardName && r->PageName == oldName)
            r->PageName = name;
    for (const auto &f : Fodders)
        if (f->CardName == page->CardName && f->PageName == oldName)
            f->PageName = name;
    MarkModified(page->CardName);
    if (m_observer)
        m_observer->Renamed(TSelection::Page, oldName, name);
    return name;
}

QString TProject::RenameRegion(TRegion *region, const QString &newName)
{
    if (!region)
        return QString();
    const QString oldName = region->RegionName;
    if (newName.isEmpty() || newName == oldName)
        return oldName;
    QList<TRegion *> siblings;
    for (const auto &r : Regions)
        if (r->CardName == region->CardName && r->PageUID == region->PageUID)
            siblings.append(r.get());
    const QString name = uniqueName(newName, Text(QStringLiteral("object_area")), int(Regions.size()) + 1,
                                    [&](const QString &n) {
                                        return std::any_of(siblings.begin(), siblings.end(), [&](const TRegion *r) {
                                            return r != region && r->RegionName == n;
                                        });
                                    });
    if (name == oldName)
        return oldName;
    for (TFodder *f : FoddersOfRegion(region))
        f->RegionName = name;
    region->RegionName = name;
    MarkModified(region->CardName);
    if (m_observer)
        m_observer->Renamed(TSelection::Region, oldName, name);
    return name;
}

QString TProject::RenameFodder(TFodder *fodder, const QString &newName)
{
    if (!fodder)
        return QString();
    const QString oldName = fodder->FodderName;
    if (newName.isEmpty() || newName == oldName)
        return oldName;
    QList<TFodder *> siblings;
    for (const auto &f : Fodders)
        if (f->CardName == fodder->CardName && f->RegionUID == fodder->RegionUID)
            siblings.append(f.get());
    const QString name = uniqueName(newName, Text(QStringLiteral("object_file")), int(Fodders.size()) + 1,
                                    [&](const QString &n) {
                                        return std::any_of(siblings.begin(), siblings.end(), [&](const TFodder *f) {
                                            return f != fodder && f->FodderName == n;
                                        });
                                    });
    if (name == oldName)
        return oldName;
    fodder->FodderName = name;
    MarkModified(fodder->CardName);
    if (m_observer)
        m_observer->Renamed(TSelection::Material, oldName, name);
    return name;
}

bool TProject::MoveFodder(TFodder *fodder, int delta)
{
    const QList<TFodder *> siblings = FoddersOfRegion(RegionOfFodder(fodder));
    const qsizetype from = siblings.indexOf(fodder);
    const qsizetype to = from + delta;
    if (from < 0 || to < 0 || to >= siblings.size() || delta == 0)
        return false;
    // Walk one place at a time so materials of other regions keep their places.
    const int step = delta > 0 ? 1 : -1;
    for (qsizetype i = from; i != to; i += step) {
        const int a = IndexOfFodder(siblings[i]);
        const int b = IndexOfFodder(siblings[i + step]);
        std::swap(Fodders[size_t(a)], Fodders[size_t(b)]);
    }
    MarkModified(fodder->CardName);
    return true;
}

// --- whole cards ---

void TProject::ClearCard(const QString &cardName)
{
    std::erase_if(Fodders, [&](const auto &f) { return ofCard(*f, cardName); });
    std::erase_if(Regions, [&](const auto &r) { return r->CardName == cardName; });
    std::erase_if(Pages, [&](const auto &p) { return p->RemotePage == 0 && p->CardName == cardName; });
    if (TFIXModem *card = FindCard(cardName)) {
        card->ProgramFile.clear();
        card->RemoteTextFree = true;
    }
    if (m_observer)
        m_observer->CardCleared(cardName);
}

void TProject::ClearAll()
{
    Fodders.clear();
    Regions.clear();
    Pages.clear();
    Cards.Clear();
    KindCounters.fill(0);
    if (m_observer)
        m_observer->AllCleared();
}

void TProject::ResizeCardScreen(const QString &cardName, int width, int height)
{
    TFIXModem *card = FindCard(cardName);
    if (card) {
        card->ScreenWidth = width;
        card->ScreenHeight = height;
    }
    ClearCard(cardName);
    if (card && m_observer)
        m_observer->CardResized(card);
}

void TProject::MarkModified(const QString &cardName)
{
    if (TFIXModem *card = FindCard(cardName))
        card->Modified = true;
}

bool TProject::AnyModified() const
{
    for (const auto &card : Cards)
        if (card->Modified)
            return true;
    return false;
}
