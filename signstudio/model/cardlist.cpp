#include "signstudio/model/cardlist.h"

TFIXModem *TCardList::At(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_cards[size_t(index)].get();
}

TFIXModem *TCardList::Append(std::unique_ptr<TFIXModem> card)
{
    m_cards.push_back(std::move(card));
    return m_cards.back().get();
}

void TCardList::Insert(int index, std::unique_ptr<TFIXModem> card)
{
    index = qBound(0, index, Count());
    m_cards.insert(m_cards.begin() + index, std::move(card));
}

void TCardList::RemoveAt(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_cards.erase(m_cards.begin() + index);
}

void TCardList::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return;
    auto card = std::move(m_cards[size_t(from)]);
    m_cards.erase(m_cards.begin() + from);
    m_cards.insert(m_cards.begin() + to, std::move(card));
}

void TCardList::Clear()
{
    m_cards.clear();
}

int TCardList::IndexOf(const TFIXModem *card) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_cards[size_t(i)].get() == card)
            return i;
    return -1;
}

int TCardList::IndexOfName(const QString &name) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_cards[size_t(i)]->Name == name)
            return i;
    return -1;
}

TFIXModem *TCardList::FindByName(const QString &name) const
{
    return At(IndexOfName(name));
}

TFIXModem *TCardList::FindByInnerCode(const QString &innerCode) const
{
    for (const auto &card : m_cards)
        if (card->InnerCode == innerCode)
            return card.get();
    return nullptr;
}

QList<TFIXModem *> TCardList::FindAllByInnerCode(const QString &innerCode) const
{
    QList<TFIXModem *> found;
    for (const auto &card : m_cards)
        if (card->InnerCode == innerCode)
            found.append(card.get());
    return found;
}

QList<TFIXModem *> TCardList::FindBySocket(const TCardLink *link) const
{
    QList<TFIXModem *> found;
    if (!link)
        return found;
    for (const auto &card : m_cards)
        if (card->Socket.get() == link)
            found.append(card.get());
    return found;
}

TOnlineTick OnlineTick(const TCardList &cards, bool networkMode, bool searching, bool groupSending,
                       const QDateTime &now)
{
    TOnlineTick tick;
    if (!networkMode || searching || groupSending)
        return tick;
    tick.Applied = true;
    tick.NextInterval = 3000;
    for (const auto &card : cards)
        tick.Images.append({card->Name, card->IsTimedOut(now) ? int(ciOffline) : int(ciOnline)});
    return tick;
}
