#include "signstudio/app/commlinkadapter.h"

#include "signstudio/app/frmmain.h"
#include "signstudio/app/mainwindowsendhost.h"
#include "signstudio/comm/cardlinks.h"
#include "signstudio/comm/cardoperations.h"
#include "signstudio/comm/send/sendwiring.h"
#include "signstudio/comm/serialreplydispatch.h"
#include "signstudio/comm/uploadconversation.h"
#include "signstudio/ui/bmplistpanel.h"
#include "signstudio/ui/canvas.h"
#include "signstudio/ui/objectcontroller.h"
#include "signstudio/ui/objecttree.h"
#include "signstudio/ui/propertygrid.h"

#include <QHash>

namespace {

QTreeWidgetItem *RootNode(TObjectTree *tree, const QString &name, bool trimmed)
{
    if (!tree)
        return nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = tree->topLevelItem(i);
        const QString text = trimmed ? item->text(0).trimmed() : item->text(0);
        if (text == name)
            return item;
    }
    return nullptr;
}

} // namespace

TCommLinkAdapter::TCommLinkAdapter() = default;

TCommLinkAdapter::~TCommLinkAdapter()
{
    Release();
}

void TCommLinkAdapter::Release()
{
    m_send.reset();
    m_sendHost.reset();
    m_operations.reset();
    m_dispatch.reset();
    m_conversation.reset();
    m_links.reset();
}

void TCommLinkAdapter::Attach(TfrmMain *window)
{
    Release();
    TCommLinkSeam::Attach(window);
    if (!window)
        return;
    TCardList &cards = window->Project().Cards;
    m_links = std::make_unique<CardLinks>(cards, *this);
    m_conversation = std::make_unique<UploadConversation>(cards, *this, *m_links);
    m_dispatch = std::make_unique<SerialReplyDispatch>(cards, *m_links, *m_conversation);
    m_operations = std::make_unique<CardOperations>(cards, *this, *m_links);

    // The send takes its replies from the serial dispatcher (bare frames go
    // through the shared reply handling once, bus envelopes to the send);
    // while a card is being sent to, serial replies belong to that card.
    m_sendHost = std::make_unique<MainWindowSendHost>(*window);
    m_send = std::make_unique<SendService>(window->Project(), *m_links, *m_conversation, *m_sendHost, false);
    SendService *send = m_send.get();
    m_dispatch->SetPreferredCard([send, &cards] {
        const int index = send->Send.AutoSendCard();
        const TFIXModem *card = cards.At(index);
        return card && (!card->ContentQueue.isEmpty() || !card->SliceQueue.isEmpty()) ? index : -1;
    });
    QObject::connect(m_dispatch.get(), &SerialReplyDispatch::BusReply, &m_send->Router,
                     [send](int, const QByteArray &envelope, const ReplyInfo &) {
                         send->Router.HandleEnvelope(envelope);
                     });
}

bool TCommLinkAdapter::GroupSendRunning() const
{
    return m_send && m_send->Send.GroupSendRunning();
}

void TCommLinkAdapter::BindUdp(const QString &serverIp)
{
    if (m_links)
        m_links->BindUdp(serverIp);
}

bool TCommLinkAdapter::CheckCardSegment(const QString &, const QString &)
{
    return true; // the segment check comes with the network search
}

void TCommLinkAdapter::SendNetConfig(const QString &, const QString &) {}

void TCommLinkAdapter::StartLink(LinkStart kind, const QString &port, int number)
{
    if (!m_links)
        return;
    switch (kind) {
    case LinkStart::Serial232:
        m_links->StartLink(CardLinks::Mode::Serial, port, number);
        break;
    case LinkStart::Serial485:
        m_links->StartLink(CardLinks::Mode::Rs485, port, number);
        break;
    case LinkStart::TcpServer:
        m_links->StartLink(CardLinks::Mode::Network, port, number);
        break;
    }
}

void TCommLinkAdapter::SendCloseNotices() {}

void TCommLinkAdapter::CloseSerial()
{
    // Called as the window goes away: the links hold references to its
    // card list, so they go too.
    if (m_links)
        m_links->CloseSerial();
    Release();
}

void TCommLinkAdapter::NotAvailable()
{
    if (m_window)
        m_window->ShowTip(QStringLiteral("No card link is available."));
}

void TCommLinkAdapter::Search()
{
    NotAvailable();
}

void TCommLinkAdapter::Send()
{
    if (m_send)
        m_send->Send.actSend();
    else
        NotAvailable();
}

void TCommLinkAdapter::SendTextProgram()
{
    NotAvailable();
}

void TCommLinkAdapter::Preview()
{
    NotAvailable();
}

void TCommLinkAdapter::StopPlay()
{
    if (m_operations)
        m_operations->actStopPlay();
}

void TCommLinkAdapter::BeginPlay()
{
    if (m_operations)
        m_operations->actBeginPlay();
}

void TCommLinkAdapter::AdjustTime()
{
    if (m_operations)
        m_operations->actAdjTime();
}

void TCommLinkAdapter::CommParamConfig()
{
    if (m_operations)
        m_operations->actCmmParaSet();
}

QString TCommLinkAdapter::CommMode() const
{
    return m_window ? m_window->Settings().CommMode : QString();
}

int TCommLinkAdapter::PollTime() const
{
    return m_window ? TAppSettings::ClampPollTime(m_window->Settings().PollTime) : 30;
}

int TCommLinkAdapter::NetDelayTime() const
{
    return m_window ? m_window->Settings().NetDelayTime : 100;
}

bool TCommLinkAdapter::IsShowMulNetCard() const
{
    return m_window && m_window->Settings().IsShowMulNetCard;
}

void TCommLinkAdapter::StoreServerPort(int port)
{
    if (m_window)
        m_window->Settings().CommParam02 = QString::number(port);
}

void TCommLinkAdapter::ShowStatus(int panel, const QString &text)
{
    if (m_window)
        m_window->SetStatusText(panel, text);
}

void TCommLinkAdapter::ShowMessageBox(const QString &text)
{
    if (m_window)
        m_window->ShowMessage(text);
}

QString TCommLinkAdapter::SelectedCardName() const
{
    TObjectController *views = m_window ? m_window->ObjectViews() : nullptr;
    QTreeWidgetItem *item = views && views->Tree() ? views->Tree()->currentItem() : nullptr;
    if (!item || !item->isSelected())
        return QString();
    while (item->parent())
        item = item->parent();
    return item->text(0).trimmed();
}

bool TCommLinkAdapter::SelectCardNode(const QString &name)
{
    TObjectController *views = m_window ? m_window->ObjectViews() : nullptr;
    QTreeWidgetItem *item = views ? RootNode(views->Tree(), name, true) : nullptr;
    if (!item)
        return false;
    views->SelectNode(item);
    return true;
}

void TCommLinkAdapter::AddCardNode(TFIXModem *card)
{
    TObjectController *views = m_window ? m_window->ObjectViews() : nullptr;
    if (!views || !card)
        return;
    if (QTreeWidgetItem *item = views->AddCard(card))
        views->SelectNode(item);
}

void TCommLinkAdapter::SetCardNodeImage(const QString &name, int image)
{
    if (TObjectController *views = m_window ? m_window->ObjectViews() : nullptr)
        views->SetCardImage(name, image);
}

void TCommLinkAdapter::SetCardNodeImages(const QList<QPair<QString, int>> &images)
{
    TObjectController *views = m_window ? m_window->ObjectViews() : nullptr;
    TObjectTree *tree = views ? views->Tree() : nullptr;
    if (!tree)
        return;
    QHash<QString, int> byName;
    for (const auto &entry : images)
        byName.insert(entry.first, entry.second);
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = tree->topLevelItem(i);
        const auto it = byName.constFind(item->text(0));
        if (it != byName.constEnd() && TObjectTree::StateImage(item) != it.value())
            TObjectTree::SetStateImage(item, it.value());
    }
}

int TCommLinkAdapter::CardNodeImage(const QString &name) const
{
    TObjectController *views = m_window ? m_window->ObjectViews() : nullptr;
    QTreeWidgetItem *item = views ? RootNode(views->Tree(), name, false) : nullptr;
    return item ? TObjectTree::StateImage(item) : 0;
}

void TCommLinkAdapter::ShowCardSelected(TFIXModem *card)
{
    if (card)
        SelectCardNode(card->Name.trimmed());
}

void TCommLinkAdapter::ResizeCardScreen(TFIXModem *card)
{
    if (m_window && card)
        m_window->Project().ResizeCardScreen(card->Name, card->ScreenWidth, card->ScreenHeight);
}
