// Load figures of the card server: how fast many cards register, and how
// late the UI thread's event loop runs while many registered cards send
// heartbeats. The cards run on a worker thread with their own event loop,
// as separate devices would. Loopback only; run inside a network namespace:
//   unshare --net sh -c 'ip link set lo up && exec bench_link_load [cards] [seconds] [heartbeat ms]'

#include "signstudio/comm/cardlinks.h"
#include "signstudio/comm/uploadconversation.h"
#include "signstudio/lang/langtext.h"
#include "signstudio/model/cardlist.h"
#include "tests/signstudio/comm/fakehost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray IdentityFrame(quint8 code, int n)
{
    QByteArray f = QByteArray::fromHex("FE5C4B893B00000000000030392800000000");
    f.chop(1);
    f[8] = char(code);
    QByteArray p(40, '0');
    p[0] = 10;
    p[1] = 20;
    p[2] = 30;
    p[3] = 40;
    p[4] = char((n >> 24) & 0xFF);
    p[5] = char((n >> 16) & 0xFF);
    p[6] = char((n >> 8) & 0xFF);
    p[7] = char(n & 0xFF);
    p.replace(9, 4, "0128");
    p.replace(14, 4, "0064");
    p[19] = '2';
    p.replace(21, 2, "60");
    p[35] = 0x1F;
    p[36] = 0x1F;
    p[39] = '2';
    return f + p + QByteArray::fromHex("FFFF");
}

// Many cards on one worker thread: each answers the identify with 61 and
// then sends a heartbeat (91) at the interval.
class Fleet : public QObject
{
public:
    Fleet(quint16 port, int count, int heartbeatMs) : m_port(port), m_count(count), m_heartbeatMs(heartbeatMs) {}

    void Start()
    {
        for (int i = 0; i < m_count; ++i) {
            auto *socket = new QTcpSocket(this);
            connect(socket, &QTcpSocket::readyRead, this, [socket, i] {
                const QByteArray got = socket->readAll();
                if (got.startsWith(QByteArray::fromHex("FE5C4B891300000071")))
                    socket->write(IdentityFrame(0x61, i + 1));
            });
            socket->connectToHost(QHostAddress::LocalHost, m_port);
            m_sockets.push_back(socket);
        }
        auto *beat = new QTimer(this);
        // Spread the heartbeats over the interval, as independent cards would.
        beat->setInterval(std::max(1, m_heartbeatMs / std::max(1, m_count)));
        connect(beat, &QTimer::timeout, this, [this] {
            if (m_sockets.empty())
                return;
            QTcpSocket *s = m_sockets[size_t(m_next++ % m_sockets.size())];
            if (s->state() == QAbstractSocket::ConnectedState)
                s->write(IdentityFrame(0x91, int(m_next % m_count) + 1));
        });
        beat->start();
    }

private:
    quint16 m_port;
    int m_count;
    int m_heartbeatMs;
    std::vector<QTcpSocket *> m_sockets;
    qint64 m_next = 0;
};

struct Latency
{
    std::vector<qint64> lateness;
    qint64 Max() const { return lateness.empty() ? 0 : *std::max_element(lateness.begin(), lateness.end()); }
    qint64 Percentile(double p) const
    {
        if (lateness.empty())
            return 0;
        std::vector<qint64> s = lateness;
        std::sort(s.begin(), s.end());
        return s[size_t(p * double(s.size() - 1))];
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SetLanguage(true, 2);
    const QStringList args = app.arguments();
    const int cards = args.size() > 1 ? args.at(1).toInt() : 1000;
    const int seconds = args.size() > 2 ? args.at(2).toInt() : 30;
    const int heartbeatMs = args.size() > 3 ? args.at(3).toInt() : 10000;

    TCardList list;
    FakeHost host(list);
    host.Mode = LangText(3, QStringLiteral("comm_param_network"));
    CardLinks links(list, host);
    links.Wait = [](int) {};
    links.MacLookup = [](const QString &) { return QString(); };
    links.ListenAddress = QHostAddress(QHostAddress::LocalHost);
    UploadConversation conversation(list, host, links);
    if (!links.Server().Listen(0, QHostAddress::LocalHost)) {
        std::fprintf(stderr, "cannot listen\n");
        return 1;
    }
    links.tOnOffLine.setInterval(CardLinks::OnlineRunningIntervalMs);
    links.tOnOffLine.start();

    QThread worker;
    auto *fleet = new Fleet(links.Server().Port(), cards, heartbeatMs);
    fleet->moveToThread(&worker);
    QObject::connect(&worker, &QThread::finished, fleet, &QObject::deleteLater);
    worker.start();

    QElapsedTimer clock;
    clock.start();
    qint64 allRegisteredAt = -1;
    Latency latency; // after every card has registered
    Latency burst;   // while they connect and register
    qint64 lastTick = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (lastTick)
            (allRegisteredAt < 0 ? burst : latency).lateness.push_back(std::max<qint64>(0, now - lastTick - 10));
        lastTick = now;
        if (allRegisteredAt < 0 && list.Count() == cards) {
            bool online = true;
            for (const auto &c : list)
                online = online && c->Online;
            if (online)
                allRegisteredAt = now;
        }
        if (now > seconds * 1000)
            app.quit();
    });
    probe.start();
    QMetaObject::invokeMethod(fleet, [fleet] { fleet->Start(); }, Qt::QueuedConnection);
    app.exec();
    worker.quit();
    worker.wait();

    qint64 tickMax = 0;
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer t;
        t.start();
        links.OnOnlineTimer();
        tickMax = std::max(tickMax, t.elapsed());
    }
    int online = 0;
    for (const auto &c : list)
        online += c->Online ? 1 : 0;
    std::printf("cards: %d, registered: %d, online: %d\n", cards, list.Count(), online);
    std::printf("one online-timer tick over all cards: at most %lld ms\n", static_cast<long long>(tickMax));
    std::printf("all registered and online after: %lld ms\n", static_cast<long long>(allRegisteredAt));
    std::printf("event-loop lateness after registration (%d s run) with heartbeats every %d ms: max %lld ms, p99 %lld ms, "
                "p50 %lld ms (%zu samples)\n",
                seconds, heartbeatMs, static_cast<long long>(latency.Max()),
                static_cast<long long>(latency.Percentile(0.99)), static_cast<long long>(latency.Percentile(0.5)),
                latency.lateness.size());
    std::printf("event-loop lateness while the cards connected and registered: max %lld ms, p99 %lld ms\n",
                static_cast<long long>(burst.Max()), static_cast<long long>(burst.Percentile(0.99)));
    return allRegisteredAt >= 0 ? 0 : 2;
}
