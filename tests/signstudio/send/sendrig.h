#pragma once

#include "signstudio/comm/send/sendhost.h"
#include "signstudio/comm/send/sendprocedure.h"
#include "signstudio/model/cardlink.h"
#include "signstudio/model/project.h"

#include <QList>
#include <QPair>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>

// The main window as the send sees it: settings, status texts, progress
// bar and card nodes, all recorded.
class FakeSendHost : public SendHost
{
public:
    struct Node
    {
        QString Text;
        int Image = 2;
    };

    int NetDelayTime() const override { return Delay; }
    bool IsSendAll() const override { return SendAll; }
    QString GroupName() const override { return Group; }
    bool Rs485Mode() const override { return Rs485; }
    void ShowTip(const QString &text) override { Tips.append(text); }
    void ShowMessageBox(const QString &text) override { Boxes.append(text); }
    void SetProgressMaximum(int maximum) override { ProgressMax = maximum; }
    void SetProgressPosition(int position) override { ProgressPos = position; }
    void SetProgressVisible(bool visible) override { ProgressShown = visible; }
    int CardNodeCount() const override { return int(Nodes.size()); }
    QString CardNodeText(int node) const override { return Nodes.value(node).Text; }
    int CardNodeImage(int node) const override { return Nodes.value(node).Image; }
    void SetCardNodeImage(int node, int image) override
    {
        if (node >= 0 && node < Nodes.size())
            Nodes[node].Image = image;
    }
    int SelectedCardNode() const override { return Selected; }

    QString LastTip() const { return Tips.isEmpty() ? QString() : Tips.constLast(); }

    int Delay = 100;
    bool SendAll = false;
    QString Group;
    bool Rs485 = false;
    QStringList Tips;
    QStringList Boxes;
    int ProgressMax = 0;
    int ProgressPos = 0;
    bool ProgressShown = false;
    QList<Node> Nodes;
    int Selected = -1;
};

// Records what the send writes, per card.
class FakeSendLink : public SendLink
{
public:
    bool WriteToCard(TFIXModem *card, const QByteArray &bytes) override
    {
        if (Fail)
            return false;
        Writes.append({card ? card->Name : QString(), bytes});
        return true;
    }
    int BaudRate() const override { return Baud; }

    QList<QPair<QString, QByteArray>> Writes;
    bool Fail = false;
    int Baud = 9600;
};

// A connection handle that accepts every write (no socket behind it).
class NullCardLink : public TCardLink
{
public:
    bool WriteBytes(const QByteArray &) override { return true; }
    void Close() override {}
    QString PeerAddress() const override { return QStringLiteral("127.0.0.1"); }
};

// Waits the procedure asked for, run at once in order (or kept for later).
struct DeferQueue
{
    QList<int> Waits;
    std::deque<std::function<void()>> Pending;
    bool RunAtOnce = true;
    void Install(SendProcedure &p)
    {
        p.Defer = [this](int ms, std::function<void()> fn) {
            Waits.append(ms);
            if (RunAtOnce && Pending.empty()) {
                fn();
                while (!Pending.empty()) {
                    auto next = std::move(Pending.front());
                    Pending.pop_front();
                    next();
                }
            } else {
                Pending.push_back(std::move(fn));
            }
        };
    }
    // Runs what was kept.
    void Flush()
    {
        while (!Pending.empty()) {
            auto next = std::move(Pending.front());
            Pending.pop_front();
            next();
        }
    }
};

// Builds playbills in a project.
struct PlaybillBuilder
{
    TProject &Project;

    TFIXModem *AddCard(const QString &name, int linkKind, int width = 128, int height = 64, int version = 60,
                       const QString &innerCode = QStringLiteral("1_2_3_4_5_6_7_8"), int colourCode = 58)
    {
        auto card = TFIXModem::Create(linkKind, name, QStringLiteral("pnCard%1").arg(Project.Cards.Count() + 1),
                                      QStringLiteral("127.0.0.2"), innerCode, QString(), QString(),
                                      Project.Cards.Count() + 1, width, height, colourCode, version, 5, 8);
        return Project.Cards.Append(std::move(card));
    }
    TProgram *AddPage(const QString &card, const QString &uid, const QString &start = QStringLiteral("08:00"),
                      const QString &end = QStringLiteral("18:00"))
    {
        auto page = std::make_unique<TProgram>();
        page->CardName = card;
        page->PageName = QStringLiteral("Page") + uid;
        page->PageUID = uid;
        page->StartTime = start;
        page->EndTime = end;
        Project.Pages.push_back(std::move(page));
        return Project.Pages.back().get();
    }
    TRegion *AddRegion(TProgram *page, const QString &uid, int x, int y, int w, int h)
    {
        auto region = std::make_unique<TRegion>();
        region->CardName = page->CardName;
        region->PageName = page->PageName;
        region->RegionName = QStringLiteral("Region") + uid;
        region->RegionUID = uid;
        region->PageUID = page->PageUID;
        region->Left = x;
        region->Top = y;
        region->Width = w;
        region->Height = h;
        Project.Regions.push_back(std::move(region));
        return Project.Regions.back().get();
    }
    // A time material (drawn by the card: one parameter frame).
    TFodder *AddTime(TRegion *region, const QString &uid, int playTimes = 1)
    {
        auto f = std::make_unique<TFodder>(TFodder::NewOfKind(fkTime, QDateTime(QDate(2026, 1, 1), QTime(8, 0))));
        f->CardName = region->CardName;
        f->PageName = region->PageName;
        f->RegionName = region->RegionName;
        f->RegionUID = region->RegionUID;
        f->FodderUID = uid;
        f->FodderName = QStringLiteral("Time") + uid;
        f->PlayTimes = playTimes;
        Project.Fodders.push_back(std::move(f));
        return Project.Fodders.back().get();
    }
    TFodder *AddKind(TRegion *region, const QString &uid, int kind)
    {
        TFodder *f = AddTime(region, uid);
        const TFodder fresh = TFodder::NewOfKind(kind, QDateTime(QDate(2026, 1, 1), QTime(8, 0)));
        f->Kind = fresh.Kind;
        f->TypeCode = fresh.TypeCode;
        f->Content = fresh.Content;
        return f;
    }
};
