#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Starts a program twice over one program folder: the second exits at once
// with the message and leaves the settings file byte-identical.
class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondInstanceExits_data();
    void secondInstanceExits();
    void staleLockIsTakenOver();
};

namespace {

QString programPath(const QString &name)
{
    const QString sub = name == QLatin1String("signstudio") ? QStringLiteral("/signstudio/app/") : QStringLiteral("/cardsetup/");
    return QStringLiteral(SIGN_BINARY_DIR) + sub + name;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QProcessEnvironment environmentFor(const QTemporaryDir &dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SIGN_PROGRAM_DIR", dir.path());
    env.insert("SIGN_LOCK_DIR", dir.filePath("locks"));
    env.insert("SIGN_NONINTERACTIVE", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

bool waitForFile(const QString &path, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!QFile::exists(path)) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(50);
    }
    return true;
}

} // namespace

void TestSingleInstance::secondInstanceExits_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("lockName");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("message");
    QTest::newRow("signstudio") << "signstudio" << "hkOneCopy" << "SetCfg.ini"
                                << "LED display control software is already running.";
    QTest::newRow("cardsetup") << "cardsetup" << "ledParamSet" << "SysCfg.ini"
                               << QString::fromUtf8("显示屏控制卡参数配置程序已运行！");
}

void TestSingleInstance::secondInstanceExits()
{
    QFETCH(QString, program);
    QFETCH(QString, lockName);
    QFETCH(QString, settings);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QString ini = dir.filePath(settings);
    QFile f(ini);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[CardsInfo]\r\nA=256,128,prgFiles\\A.prg,1_2_3_4_5_6_7_8,,,\r\n[PollTime]\r\nPollTime=5\r\n");
    f.close();
    const QByteArray before = readAll(ini);

    QProcess first;
    first.setProcessEnvironment(environmentFor(dir));
    first.start(programPath(program), {});
    QVERIFY(first.waitForStarted(10000));
    QVERIFY(waitForFile(dir.filePath("locks/" + lockName + ".lock"), 15000));

    QProcess second;
    second.setProcessEnvironment(environmentFor(dir));
    second.start(programPath(program), {});
    QVERIFY(second.waitForFinished(15000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY2(QString::fromLocal8Bit(second.readAllStandardError()).contains(message),
             "the second instance names the running program");
    QCOMPARE(readAll(ini), before);

    first.terminate();
    QVERIFY(first.waitForFinished(15000));
}

void TestSingleInstance::staleLockIsTakenOver()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("locks"));
    // A lock left by a process that no longer exists.
    QFile lock(dir.filePath("locks/hkOneCopy.lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write("999999999\nsignstudio\nnohost\n");
    lock.close();

    QProcess p;
    p.setProcessEnvironment(environmentFor(dir));
    p.start(programPath("signstudio"), {});
    QVERIFY(p.waitForStarted(10000));
    // Still running after a moment: it took the stale lock instead of exiting.
    QVERIFY(!p.waitForFinished(1500));
    p.terminate();
    QVERIFY(p.waitForFinished(15000));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
