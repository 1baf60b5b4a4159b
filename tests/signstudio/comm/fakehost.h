#pragma once

#include "signstudio/comm/linkhost.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QStringList>

class TCardList;

// The main window as the card links see it, recording what they show.
class FakeHost : public LinkHost
{
public:
    explicit FakeHost(TCardList &cards) : m_cards(cards) {}

    QString CommMode() const override { return Mode; }
    int PollTime() const override { return Poll; }
    int NetDelayTime() const override { return 100; }
    bool IsShowMulNetCard() const override { return ShowNetCards; }
    void StoreServerPort(int port) override { StoredPort = port; }
    void ShowStatus(int panel, const QString &text) override { Status[panel] = text; }
    void ShowMessageBox(const QString &text) override { Messages.append(text); }
    QString SelectedCardName() const override { return Selected; }
    bool SelectCardNode(const QString &name) override;
    void AddCardNode(TFIXModem *card) override;
    void SetCardNodeImage(const QString &name, int image) override;
    void SetCardNodeImages(const QList<QPair<QString, int>> &images) override;
    int CardNodeImage(const QString &name) const override;
    void ShowCardSelected(TFIXModem *card) override;
    void ResizeCardScreen(TFIXModem *card) override;
    bool SearchRunning() const override { return Searching; }
    bool GroupSendRunning() const override { return GroupSending; }

    QString Mode;
    int Poll = 30;
    bool ShowNetCards = false;
    int StoredPort = 0;
    QHash<int, QString> Status;
    QStringList Messages;
    QString Selected;
    // Top-level nodes: text and state image, in tree order.
    QList<QPair<QString, int>> Nodes;
    QStringList CardSelectedCalls;
    QStringList Resized;
    bool Searching = false;
    bool GroupSending = false;

private:
    TCardList &m_cards;
};
