#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSize>
#include <QString>

#include <functional>

struct PacketId;

class CardLinks;
class LinkHost;
class TCardList;
class TFIXModem;

// The direct card commands of the main window: start and stop playing, set
// the clock, read the screen parameters, and the checks before the
// communication and parameter window opens.
class CardOperations
{
public:
    CardOperations(TCardList &cards, LinkHost &host, CardLinks &links);

    void actBeginPlay();
    void actStopPlay();
    void actAdjTime();
    void actScreenParam();

    // What the parameter window is told when it opens.
    struct ParamWindowRequest
    {
        bool Open = false;          // false: a check refused (message shown) or nothing to do
        bool NoCardSelected = true; // no node selected, or the card is offline
        QString CardName;
        QSize ScreenSize;
        QByteArray Mac;             // six bytes in network mode, else empty
        bool ShowNetCardChoice = false;
    };
    ParamWindowRequest CheckCmmParaSet();
    // The action itself: the checks, then (until the window exists) a
    // message that it is not available.
    void actCmmParaSet();

    std::function<QDateTime()> Now;

private:
    // The card of the selected node (first card with that name); the name
    // becomes the current card name. nullptr when nothing is selected or
    // the card is not in the list.
    TFIXModem *SelectedCard(bool *anySelected = nullptr);
    // Writes a short command: enveloped on the RS-485 bus, else bare on the
    // card's link. Write errors are swallowed; the card stays online.
    void WriteShort(TFIXModem *card, const QByteArray &frame, const QString &packetIdText);
    // One short command to the selected card, then the tip in panel 4 (also
    // when the selected node has no card object). Returns the card written to.
    TFIXModem *CommandSelected(const std::function<QByteArray(const PacketId &)> &build, const QString &tipKey);

    TCardList &m_cards;
    LinkHost &m_host;
    CardLinks &m_links;
};
