#include "signstudio/comm/cardlinks.h"

#include "signstudio/comm/codec/commandframes.h"
#include "signstudio/comm/hostnet.h"
#include "signstudio/comm/linkhost.h"
#include "signstudio/comm/seriallink.h"
#include "signstudio/comm/tcpcardhandle.h"
#include "signstudio/comm/tcplink.h"
#include "signstudio/comm/udplink.h"
#include "signstudio/lang/langtext.h"
#include "signstudio/model/cardlist.h"

#include <QThread>

namespace {
QString Text3(const char *key)
{
    return LangText(3, QLatin1String(key));
}
} // namespace

CardLinks::CardLinks(TCardList &cards, LinkHost &host, LinkInterface *serial, UdpSender *udp,
                     QObject *parent)
    : QObject(parent), m_cards(cards), m_host(host), m_serial(serial), m_udp(udp)
{
    Wait = [](int ms) { QThread::msleep(ulong(ms)); };
    Now = [] { return QDateTime::currentDateTime(); };
    MacLookup = [](const QString &ip) { return MacOf(ip); };
    ListenAddress = QHostAddress(QHostAddress::AnyIPv4);

    if (!m_serial)
        m_serial = new SerialLink(this);
    else if (!m_serial->parent())
        m_serial->setParent(this);
    if (!m_udp)
        m_udp = new UdpLink(this);
    else if (!m_udp->parent())
        m_udp->setParent(this);

    connect(m_serial, &LinkInterface::Received, this, &CardLinks::SerialReceived);
    m_server.SetGreeting(BuildIdentifyFrame());
    connect(&m_server, &CardServer::DataReceived, this, &CardLinks::SocketRead);
    connect(&m_server, &CardServer::Disconnected, this, &CardLinks::OnDisconnected);

    tOnOffLine.setInterval(OnlineDesignIntervalMs);
    connect(&tOnOffLine, &QTimer::timeout, this, &CardLinks::OnOnlineTimer);
}

CardLinks::~CardLinks()
{
    m_server.disconnect(this);
    // Cards keep handles whose connections are about to go away: forget them.
    for (auto it = m_handles.cbegin(); it != m_handles.cend(); ++it) {
        for (TFIXModem *card : m_cards.FindBySocket(it.value().get())) {
            card->Socket.reset();
            card->Online = false;
        }
    }
    m_handles.clear();
}

CardLinks::Mode CardLinks::ModeOf(const QString &commMode)
{
    if (commMode == QLatin1String("485"))
        return Mode::Rs485;
    if (commMode == Text3("comm_param_network"))
        return Mode::Network;
    if (commMode == Text3("comm_param_serial_port"))
        return Mode::Serial;
    return Mode::Other;
}

CardLinks::Mode CardLinks::CurrentMode() const
{
    return ModeOf(m_host.CommMode());
}

bool CardLinks::OpenSerial(SerialMode mode, const QString &portName, int baudRate)
{
    if (baudRate <= 0)
        baudRate = DefaultBaudRate;
    const QString port = portName.trimmed();
    if (m_serial->IsOpen()) {
        m_serial->Close();
        Wait(80);
    }
    if (auto *serial = qobject_cast<SerialLink *>(m_serial)) {
        serial->SetPortName(port);
        serial->SetBaudRate(baudRate);
    }
    Wait(80);
    const bool opened = m_serial->Open();
    Wait(150);
    const QString serialText = Text3("comm_param_serial_port");
    if (!opened) {
        m_host.ShowStatus(3, serialText + QLatin1Char('[') + port + QLatin1Char(']')
                                 + Text3("action_open_failed"));
        return false;
    }
    tOnOffLine.stop();
    m_baudRate = baudRate;
    m_host.ShowStatus(3, serialText + QLatin1Char('[') + port + QLatin1Char(']')
                             + Text3("comm_param_baud_rate") + QLatin1Char('[')
                             + QString::number(baudRate) + QLatin1Char(']'));
    if (mode == SerialMode::Rs232)
        SendIdentify(0);
    else
        emit Rs485Opened();
    return true;
}

void CardLinks::CloseSerial()
{
    if (m_serial->IsOpen())
        m_serial->Close();
}

bool CardLinks::SerialOpen() const
{
    return m_serial->IsOpen();
}

bool CardLinks::OpenServer(int port)
{
    if (m_server.IsListening())
        return true;
    if (port <= 0 || port > 65535)
        port = DefaultServerPort;
    m_server.Close();
    Wait(100);
    if (!m_server.Listen(quint16(port), ListenAddress)) {
        m_host.ShowStatus(3, Text3("warn_comm_network_open_fail"));
        return false;
    }
    tOnOffLine.start();
    m_serverPort = port;
    m_host.StoreServerPort(port);
    m_host.ShowStatus(3, Text3("comm_param_network") + QLatin1Char(' ') + Text3("comm_param_port")
                             + QLatin1Char('[') + QString::number(port) + QLatin1Char(']'));
    return true;
}

void CardLinks::CloseServer()
{
    if (m_server.IsListening())
        m_server.Close();
}

void CardLinks::StartLink(Mode mode, const QString &port, int number)
{
    switch (mode) {
    case Mode::Serial:
        OpenSerial(SerialMode::Rs232, port, number > 0 ? number : DefaultBaudRate);
        break;
    case Mode::Rs485:
        OpenSerial(SerialMode::Rs485, port, number > 0 ? number : DefaultBaudRate);
        break;
    case Mode::Network:
    case Mode::Other:
        OpenServer(number > 0 ? number : DefaultServerPort);
        break;
    }
}

bool CardLinks::WriteToCard(TFIXModem *card, const QByteArray &bytes)
{
    if (!card)
        return false;
    if (card->LinkKind == 0 || card->LinkKind == 1)
        return m_serial->IsOpen() && m_serial->Write(bytes);
    return card->WriteToSocket(bytes);
}

void CardLinks::SendIdentify(int linkKind, TcpLink *socket)
{
    if (linkKind == 0) {
        if (m_serial->IsOpen())
            m_serial->Write(BuildIdentifyFrame());
    } else if (linkKind == 2 && socket) {
        socket->Write(BuildIdentifyFrame());
    }
}

void CardLinks::BindUdp(const QString &localIp)
{
    if (auto *udp = qobject_cast<UdpLink *>(m_udp)) {
        udp->Unbind();
        Wait(50);
        udp->Bind(localIp); // errors ignored: the socket stays unbound
    }
}

void CardLinks::RestartOnlineTimerAfterSearch()
{
    tOnOffLine.stop();
    tOnOffLine.setInterval(OnlineAfterSearchIntervalMs);
    tOnOffLine.start();
}

void CardLinks::OnOnlineTimer()
{
    const QDateTime now = Now();
    const TOnlineTick tick = OnlineTick(m_cards, CurrentMode() == Mode::Network, m_host.SearchRunning(),
                                        m_host.GroupSendRunning(), now);
    if (!tick.Applied)
        return;
    if (tick.NextInterval > 0 && tOnOffLine.interval() != tick.NextInterval)
        tOnOffLine.setInterval(tick.NextInterval);
    // A card whose connection has closed is offline even when it was heard
    // recently: without a socket nothing can reach it.
    QList<QPair<QString, int>> images;
    images.reserve(m_cards.Count());
    int i = 0;
    for (const auto &card : m_cards) {
        int image = i < tick.Images.size() ? tick.Images.at(i).second : 1;
        if (!card->Online || !card->Socket)
            image = 1;
        images.append({card->Name, image});
        ++i;
    }
    m_host.SetCardNodeImages(images);
}

std::shared_ptr<TcpCardHandle> CardLinks::HandleOf(TcpLink *link)
{
    auto it = m_handles.find(link);
    if (it != m_handles.end())
        return it.value();
    auto handle = std::make_shared<TcpCardHandle>(link);
    m_handles.insert(link, handle);
    return handle;
}

void CardLinks::OnDisconnected(TcpLink *link)
{
    const auto it = m_handles.find(link);
    if (it == m_handles.end())
        return;
    const std::shared_ptr<TcpCardHandle> handle = it.value();
    m_handles.erase(it);
    // The cards of this connection lose their socket and go offline at once.
    for (TFIXModem *card : m_cards.FindBySocket(handle.get()))
        card->GoOffline();
}
