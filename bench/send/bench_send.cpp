// Send figures: time from Send to the first byte on the wire for a 512 x 256
// full-colour playbill of 4 pages x 4 regions, and the TCP transfer time of
// N content items against N x (base + NetDelayTime).
// Run with QT_QPA_PLATFORM=offscreen inside a private network namespace.

#include "signstudio/comm/cardlinks.h"
#include "signstudio/comm/send/sendprocedure.h"
#include "signstudio/comm/send/sendwiring.h"
#include "signstudio/comm/uploadconversation.h"
#include "signstudio/lang/langtext.h"
#include "tests/signstudio/comm/fakehost.h"
#include "tests/signstudio/send/sendrig.h"
#include "virtualcard/virtualcard.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

QString Run(const QString &text, int size)
{
    return QStringLiteral("clRed^宋体^") + QString::number(size) + QStringLiteral("^0^0^0^0^0^1^") + text;
}

bool WaitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

double FirstByte(int round)
{
    TProject project;
    FakeSendHost host;
    FakeSendLink link;
    SendProcedure send(project, host, link);
    PlaybillBuilder make{project};
    QTemporaryDir dir;
    TFIXModem *card = make.AddCard(QStringLiteral("Big"), 2, 512, 256, 60, QStringLiteral("1_2_3_4_5_6_7_8"), 58);
    card->Socket = std::make_shared<NullCardLink>();
    host.Nodes.append({QStringLiteral("Big"), 2});
    host.Selected = 0;
    QImage picture(256, 128, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter p(&picture);
    p.fillRect(0, 0, 128, 64, Qt::red);
    p.fillRect(128, 64, 128, 64, Qt::green);
    p.end();
    const QString file = dir.filePath(QStringLiteral("p.png"));
    picture.save(file);
    for (int pg = 0; pg < 4; ++pg) {
        TProgram *page = make.AddPage(QStringLiteral("Big"), QStringLiteral("10000000%1").arg(pg));
        for (int r = 0; r < 4; ++r) {
            TRegion *region = make.AddRegion(page, QStringLiteral("2000000%1%2").arg(pg).arg(r), (r % 2) * 256,
                                             (r / 2) * 128, 256, 128);
            const QString uid = QStringLiteral("3000000%1%2").arg(pg).arg(r);
            if (r % 2 == 0) {
                make.AddKind(region, uid, fkMultiText)->Content =
                    Run(QStringLiteral("Page %1 region %2 round %3 text").arg(pg).arg(r).arg(round), 16);
            } else {
                make.AddKind(region, uid, fkPictureGroup)->SetFileNames({file});
            }
        }
    }
    QElapsedTimer t;
    bool written = false;
    QObject::connect(&send, &SendProcedure::ProgramWritten, [&] { written = true; });
    t.start();
    send.actSend();
    WaitFor([&] { return written; }, 10000);
    return written ? t.nsecsElapsed() / 1e6 : -1;
}

struct Transfer
{
    double Ms = -1;
    double Expected = 0;
};

// The card runs as its own process (the virtualcard program) so that its
// work does not share the program's event loop; in-process when absent.
Transfer TcpTransfer(int items, int delay, bool ownProcess)
{
    TProject project;
    FakeHost linkHost(project.Cards);
    linkHost.Mode = LangText(3, QStringLiteral("comm_param_network"));
    CardLinks links(project.Cards, linkHost);
    links.Wait = [](int) {};
    links.MacLookup = [](const QString &) { return QStringLiteral("0:1:2:3:4:5"); };
    UploadConversation conversation(project.Cards, linkHost, links);
    FakeSendHost host;
    host.Delay = delay;
    CardLinksSendLink link(links);
    SendProcedure send(project, host, link);
    SendReplyRouter router(project.Cards, links, conversation, send);
    PlaybillBuilder make{project};
    Transfer out;
    if (!links.Server().Listen(0, QHostAddress::LocalHost))
        return out;
    CardProfile profile;
    profile.PaceDigit = 2;
    VirtualCard vc(profile);
    QProcess process;
    if (ownProcess) {
        process.start(QStringLiteral(SIGN_BINARY_DIR "/virtualcard/virtualcard"),
                      {QStringLiteral("--server"), QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
                       QString::number(links.Server().Port()), QStringLiteral("--pace"), QStringLiteral("2"),
                       QStringLiteral("--quiet")});
        if (!process.waitForStarted(5000))
            return out;
    } else {
        vc.ConnectToServer(QStringLiteral("127.0.0.1"), links.Server().Port());
    }
    if (!WaitFor([&] { return project.Cards.Count() == 1 && project.Cards.At(0)->Online; }, 5000))
        return out;
    TFIXModem *card = project.Cards.At(0);
    host.Nodes.append({card->Name, 2});
    host.Selected = 0;
    TProgram *page = make.AddPage(card->Name, QStringLiteral("100000001"));
    TRegion *region = make.AddRegion(page, QStringLiteral("200000001"), 0, 0, 64, 32);
    for (int i = 0; i < items; ++i)
        make.AddTime(region, QStringLiteral("3%1").arg(i, 8, 10, QLatin1Char('0')));
    QElapsedTimer t;
    bool started = false;
    QString outcome;
    // From the card's confirmation of the program frame to its final one.
    QObject::connect(&conversation, &UploadConversation::ConfirmReceived, [&](int, const ReplyInfo &) {
        if (!started) {
            started = true;
            t.start();
        }
    });
    QObject::connect(&send, &SendProcedure::SendEnded, [&](const QString &, const QString &o) {
        outcome = o;
        out.Ms = t.nsecsElapsed() / 1e6;
    });
    QList<qint64> ticks;
    QElapsedTimer tickClock;
    tickClock.start();
    QObject::connect(&send.tAutoSend, &QTimer::timeout, [&] { ticks.append(tickClock.elapsed()); });
    send.actSend();
    WaitFor([&] { return !outcome.isEmpty(); }, 60000);
    if (qEnvironmentVariableIsSet("BENCH_TICKS")) {
        for (int i = 1; i < ticks.size(); ++i)
            std::printf("%lld ", ticks.at(i) - ticks.at(i - 1));
        std::printf("\n");
    }
    if (outcome != QLatin1String("sent"))
        out.Ms = -1;
    // Items are paced base + delay apart; the last one waits for the card.
    out.Expected = items * double(send.BaseInterval() + delay);
    vc.DisconnectFromServer();
    if (ownProcess) {
        process.kill();
        process.waitForFinished(3000);
    }
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    SetLanguage(true, 2);
    std::printf("Send to first byte, 4 pages x 4 regions, 512 x 256 full colour:\n");
    for (int round = 0; round < 3; ++round)
        std::printf("  round %d: %.1f ms\n", round + 1, FirstByte(round));
    std::printf("TCP transfer of N content items (base 30 ms):\n");
    for (bool own : {true, false}) {
        std::printf(own ? " card in its own process:\n" : " card in the same process:\n");
        for (int n : {10, 30}) {
            for (int delay : {100, 50}) {
                const Transfer tr = TcpTransfer(n, delay, own);
                std::printf("  N=%d NetDelayTime=%d: %.1f ms, N x (base + delay) = %.0f ms, ratio %.3f\n", n,
                            delay, tr.Ms, tr.Expected, tr.Ms / tr.Expected);
            }
        }
    }
    return 0;
}
