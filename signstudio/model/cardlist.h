#pragma once

#include "signstudio/model/fixmodem.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

#include <memory>
#include <vector>

// The ordered card list; the order is the order of the tree's root nodes.
// Lookups take the first match.
class TCardList
{
public:
    int Count() const { return int(m_cards.size()); }
    bool IsEmpty() const { return m_cards.empty(); }
    TFIXModem *At(int index) const;           // nullptr when out of range
    TFIXModem *Append(std::unique_ptr<TFIXModem> card);
    void Insert(int index, std::unique_ptr<TFIXModem> card);
    void RemoveAt(int index);                  // destroys the card
    void Move(int from, int to);
    void Clear();

    int IndexOf(const TFIXModem *card) const;
    int IndexOfName(const QString &name) const;
    TFIXModem *FindByName(const QString &name) const;
    TFIXModem *FindByInnerCode(const QString &innerCode) const;
    QList<TFIXModem *> FindAllByInnerCode(const QString &innerCode) const;
    // Cards holding this link (a closed socket takes them offline).
    QList<TFIXModem *> FindBySocket(const TCardLink *link) const;

    auto begin() const { return m_cards.begin(); }
    auto end() const { return m_cards.end(); }

private:
    std::vector<std::unique_ptr<TFIXModem>> m_cards;
};

// Result of one tick of the online timer.
struct TOnlineTick
{
    bool Applied = false;   // false: not network mode, searching or group sending
    int NextInterval = 0;   // ms; 3000 once applied, 0 = leave as it is
    // Per card in list order: its name and the image every root node with
    // that text takes (later entries win for repeated names).
    QList<QPair<QString, int>> Images;
};

TOnlineTick OnlineTick(const TCardList &cards, bool networkMode, bool searching, bool groupSending,
                       const QDateTime &now);
