// virtualcard: a simulated LED control card for tests, demos and operators.

#include "virtualcard/cardrunner.h"
#include "virtualcard/screenwindow.h"
#include "virtualcard/virtualcard.h"

#include "common/base/terminationsignals.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include <memory>

namespace {

QTextStream &Err()
{
    static QTextStream err(stderr);
    return err;
}

bool Fail(const QString &text)
{
    Err() << "virtualcard: " << text << Qt::endl;
    return false;
}

bool ReadInt(const QCommandLineParser &p, const QString &name, int min, int max, int *out)
{
    if (!p.isSet(name))
        return true;
    bool ok = false;
    const int v = p.value(name).toInt(&ok, 0);
    if (!ok || v < min || v > max)
        return Fail(QStringLiteral("--%1 takes a number from %2 to %3").arg(name).arg(min).arg(max));
    *out = v;
    return true;
}

bool ReadOptions(const QCommandLineParser &p, RunnerOptions &o, bool *show, double *timeScale)
{
    CardProfile &c = o.Profile;
    int port = o.Port, udpPort = o.UdpPort, count = 1, heartbeat = 10, identity = 0x61;
    int capsA = c.CapabilitiesA, capsB = c.CapabilitiesB, reconnect = 2;
    if (!ReadInt(p, QStringLiteral("port"), 1, 65535, &port) || !ReadInt(p, QStringLiteral("udp-port"), 1, 65535, &udpPort)
        || !ReadInt(p, QStringLiteral("count"), 1, 1000, &count)
        || !ReadInt(p, QStringLiteral("heartbeat"), 1, 3600, &heartbeat)
        || !ReadInt(p, QStringLiteral("reconnect"), 1, 3600, &reconnect)
        || !ReadInt(p, QStringLiteral("width"), 8, 4096, &c.Width) || !ReadInt(p, QStringLiteral("height"), 1, 2048, &c.Height)
        || !ReadInt(p, QStringLiteral("colour"), 1, 3, &c.ColourPlanes)
        || !ReadInt(p, QStringLiteral("firmware"), 0, 99, &c.FirmwareVersion)
        || !ReadInt(p, QStringLiteral("font1"), 0, 9, &c.FontFigure1) || !ReadInt(p, QStringLiteral("font2"), 0, 9, &c.FontFigure2)
        || !ReadInt(p, QStringLiteral("pace"), 0, 9, &c.PaceDigit)
        || !ReadInt(p, QStringLiteral("caps-a"), 0, 255, &capsA) || !ReadInt(p, QStringLiteral("caps-b"), 0, 255, &capsB)
        || !ReadInt(p, QStringLiteral("identity-code"), 0, 255, &identity)
        || !ReadInt(p, QStringLiteral("exception-on-content"), 0, 1000000, &o.Faults.ExceptionOnContentFrame)
        || !ReadInt(p, QStringLiteral("disconnect-after"), 0, 1000000, &o.Faults.DisconnectAfterContentFrames)
        || !ReadInt(p, QStringLiteral("malformed-identity"), 0, 1000000, &o.Faults.MalformedIdentities)
        || !ReadInt(p, QStringLiteral("lose-frames"), 0, 1000000, &o.Faults.LoseContentFrames)
        || !ReadInt(p, QStringLiteral("reply-delay"), 0, 600000, &o.Faults.ReplyDelayMs))
        return false;
    if (identity != 0x61 && identity != 0x72 && identity != 0x91)
        return Fail(QStringLiteral("--identity-code takes 0x61, 0x72 or 0x91"));
    o.Port = quint16(port);
    o.UdpPort = quint16(udpPort);
    o.Count = count;
    o.HeartbeatMs = heartbeat * 1000;
    o.ReconnectMs = reconnect * 1000;
    o.IdentityCode = quint8(identity);
    c.CapabilitiesA = quint8(capsA);
    c.CapabilitiesB = quint8(capsB);
    o.Server = p.value(QStringLiteral("server"));
    o.UdpAddress = p.value(QStringLiteral("udp-address"));
    o.SaveDir = p.value(QStringLiteral("save"));
    bool ok = true;
    if (p.isSet(QStringLiteral("inner-code"))) {
        c.InnerCode = CardProfile::ParseInnerCode(p.value(QStringLiteral("inner-code")), &ok);
        if (!ok)
            return Fail(QStringLiteral("--inner-code takes eight numbers joined by '_' (1_2_3_4_5_6_7_8)"));
    }
    if (p.isSet(QStringLiteral("mac"))) {
        c.Mac = CardProfile::ParseMac(p.value(QStringLiteral("mac")), &ok);
        if (!ok)
            return Fail(QStringLiteral("--mac takes six hexadecimal pairs (00:A0:C0:01:02:03)"));
    }
    const QString ip = p.isSet(QStringLiteral("ip")) ? p.value(QStringLiteral("ip")) : o.UdpAddress;
    if (!ip.isEmpty()) {
        c.Ip = CardProfile::ParseIp(ip, &ok);
        if (!ok)
            return Fail(QStringLiteral("--ip takes a dotted IPv4 address"));
    }
    if (!o.Server.isEmpty()) {
        c.ServerIp = CardProfile::ParseIp(o.Server, &ok);
        if (!ok)
            return Fail(QStringLiteral("--server takes a dotted IPv4 loopback address"));
        c.ServerPort = o.Port;
    }
    if (p.isSet(QStringLiteral("serial")) && p.isSet(QStringLiteral("rs485")))
        return Fail(QStringLiteral("--serial and --rs485 exclude each other"));
    if (p.isSet(QStringLiteral("serial")))
        o.Serial = RunnerOptions::SerialMode::Serial;
    if (p.isSet(QStringLiteral("rs485")))
        o.Serial = RunnerOptions::SerialMode::Rs485;
    if (p.isSet(QStringLiteral("drop-packet"))) {
        const QStringList mk = p.value(QStringLiteral("drop-packet")).split(QLatin1Char(':'));
        bool okM = false, okK = false;
        if (mk.size() == 2) {
            o.Faults.DropMaterialNo = mk.at(0).toInt(&okM);
            o.Faults.DropPacketNo = mk.at(1).toInt(&okK);
        }
        if (!okM || !okK || o.Faults.DropMaterialNo < 1 || o.Faults.DropPacketNo < 1)
            return Fail(QStringLiteral("--drop-packet takes MATERIAL:PACKET, both from 1"));
    }
    o.Faults.ExceptionOnProgram = p.isSet(QStringLiteral("exception-on-program"));
    o.Faults.SilentAfterProgram = p.isSet(QStringLiteral("silent-after-program"));
    o.Faults.GarbageBeforeFrames = p.isSet(QStringLiteral("garbage"));
    *show = p.isSet(QStringLiteral("show"));
    *timeScale = 1.0;
    if (p.isSet(QStringLiteral("time-scale"))) {
        *timeScale = p.value(QStringLiteral("time-scale")).toDouble(&ok);
        if (!ok || *timeScale <= 0 || *timeScale > 100)
            return Fail(QStringLiteral("--time-scale takes a number above 0 (0.2 plays five times faster)"));
    }
    if (o.Server.isEmpty() && o.UdpAddress.isEmpty() && o.Serial == RunnerOptions::SerialMode::None)
        return Fail(QStringLiteral("give at least one link: --server, --udp-address, --serial or --rs485 (see --help)"));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // A window only when asked for; otherwise no display is needed.
    bool wantsWindow = false;
    for (int i = 1; i < argc; ++i)
        wantsWindow = wantsWindow || qstrcmp(argv[i], "--show") == 0;
    std::unique_ptr<QCoreApplication> app(wantsWindow ? new QApplication(argc, argv) : new QCoreApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("virtualcard"));

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "A simulated LED control card. It connects to signstudio's TCP server, answers on UDP port 8800\n"
        "and on a serial line or RS-485 bus made of a pty, receives playbills, saves them as PNG + JSON\n"
        "and shows them. Only loopback addresses (127.0.0.0/8) are used."));
    p.addHelpOption();
    const auto opt = [&p](const QString &name, const QString &help, const QString &value = QString()) {
        p.addOption(value.isEmpty() ? QCommandLineOption(name, help) : QCommandLineOption(name, help, value));
    };
    opt(QStringLiteral("server"), QStringLiteral("Connect to signstudio's server at ADDR (loopback)."), QStringLiteral("ADDR"));
    opt(QStringLiteral("port"), QStringLiteral("Server port (8900)."), QStringLiteral("PORT"));
    opt(QStringLiteral("udp-address"), QStringLiteral("Answer UDP on ADDR (loopback, e.g. 127.0.0.2); also the IP the card reports."), QStringLiteral("ADDR"));
    opt(QStringLiteral("udp-port"), QStringLiteral("UDP port (8800)."), QStringLiteral("PORT"));
    opt(QStringLiteral("serial"), QStringLiteral("Open a plain serial line on a pty and print its /dev/pts/N path."));
    opt(QStringLiteral("rs485"), QStringLiteral("Open an RS-485 bus on a pty shared by all cards and print its path."));
    opt(QStringLiteral("count"), QStringLiteral("Run N cards; inner codes, MACs and IPs count up (1)."), QStringLiteral("N"));
    opt(QStringLiteral("inner-code"), QStringLiteral("Inner code, eight numbers joined by '_' (1_2_3_4_5_6_7_8)."), QStringLiteral("CODE"));
    opt(QStringLiteral("mac"), QStringLiteral("MAC address (00:A0:C0:01:02:03)."), QStringLiteral("MAC"));
    opt(QStringLiteral("ip"), QStringLiteral("IP address the card reports (default: --udp-address, else 127.0.0.2)."), QStringLiteral("IP"));
    opt(QStringLiteral("width"), QStringLiteral("Screen width in pixels (64)."), QStringLiteral("W"));
    opt(QStringLiteral("height"), QStringLiteral("Screen height in pixels (32)."), QStringLiteral("H"));
    opt(QStringLiteral("colour"), QStringLiteral("Colour planes: 1 single, 2 dual, 3 full (2)."), QStringLiteral("N"));
    opt(QStringLiteral("firmware"), QStringLiteral("Firmware version, two digits (60)."), QStringLiteral("V"));
    opt(QStringLiteral("font1"), QStringLiteral("First font figure (5)."), QStringLiteral("D"));
    opt(QStringLiteral("font2"), QStringLiteral("Second font figure (8)."), QStringLiteral("D"));
    opt(QStringLiteral("caps-a"), QStringLiteral("Capability byte A, flags 0-4 in bits 4-0 (0x1F)."), QStringLiteral("BYTE"));
    opt(QStringLiteral("caps-b"), QStringLiteral("Capability byte B, flags 5-9 in bits 4-0 (0x1F)."), QStringLiteral("BYTE"));
    opt(QStringLiteral("pace"), QStringLiteral("Pace digit: base send interval = digit x 15 ms (2)."), QStringLiteral("D"));
    opt(QStringLiteral("identity-code"), QStringLiteral("Identity answering the server's identify: 0x61, 0x72 or 0x91 (0x61)."), QStringLiteral("CODE"));
    opt(QStringLiteral("heartbeat"), QStringLiteral("Seconds between heartbeats (10)."), QStringLiteral("S"));
    opt(QStringLiteral("reconnect"), QStringLiteral("Seconds before reconnecting after a loss (2)."), QStringLiteral("S"));
    opt(QStringLiteral("save"), QStringLiteral("Save every playbill received under DIR/<inner code>/<time>/ as PNG + playbill.json."), QStringLiteral("DIR"));
    opt(QStringLiteral("show"), QStringLiteral("Show the LED screen in a window (one per card, at most 4)."));
    opt(QStringLiteral("time-scale"), QStringLiteral("Multiply stay times on the screen (1; 0.2 = five times faster)."), QStringLiteral("F"));
    opt(QStringLiteral("quiet"), QStringLiteral("Do not log exchanges on standard error."));
    opt(QStringLiteral("drop-packet"), QStringLiteral("Fault: ignore content packet K of material M once (M:K)."), QStringLiteral("M:K"));
    opt(QStringLiteral("lose-frames"), QStringLiteral("Fault: ignore the next N content frames."), QStringLiteral("N"));
    opt(QStringLiteral("exception-on-program"), QStringLiteral("Fault: answer the program frame with an exception."));
    opt(QStringLiteral("exception-on-content"), QStringLiteral("Fault: answer the N-th content frame with an exception."), QStringLiteral("N"));
    opt(QStringLiteral("silent-after-program"), QStringLiteral("Fault: say nothing after the program frame."));
    opt(QStringLiteral("disconnect-after"), QStringLiteral("Fault: drop the TCP connection after N content frames."), QStringLiteral("N"));
    opt(QStringLiteral("malformed-identity"), QStringLiteral("Fault: the first N identities end 00 00."), QStringLiteral("N"));
    opt(QStringLiteral("garbage"), QStringLiteral("Fault: send garbage bytes before every frame."));
    opt(QStringLiteral("reply-delay"), QStringLiteral("Fault: answer everything MS milliseconds late."), QStringLiteral("MS"));
    p.process(*app);

    RunnerOptions options;
    bool show = false;
    double timeScale = 1.0;
    if (!ReadOptions(p, options, &show, &timeScale))
        return 2;

    CardRunner runner;
    if (!p.isSet(QStringLiteral("quiet")))
        QObject::connect(&runner, &CardRunner::Log, [](const QString &line) { Err() << line << Qt::endl; });
    QString error;
    if (!runner.Start(options, &error)) {
        Fail(error);
        return 1;
    }
    QTextStream out(stdout);
    for (const QString &path : runner.DevicePaths())
        out << (options.Serial == RunnerOptions::SerialMode::Rs485 ? "RS-485 bus: " : "serial line: ") << path << Qt::endl;
    out << runner.Cards().size() << " card(s) running; inner code " << options.Profile.InnerCodeText() << Qt::endl;

    std::vector<std::unique_ptr<ScreenWindow>> windows;
    if (show) {
        const QList<VirtualCard *> cards = runner.Cards();
        for (int i = 0; i < cards.size() && i < 4; ++i) {
            windows.push_back(std::make_unique<ScreenWindow>(cards.at(i), timeScale));
            windows.back()->show();
        }
    }
    TerminationSignals termination([] { QCoreApplication::quit(); });
    return app->exec();
}
