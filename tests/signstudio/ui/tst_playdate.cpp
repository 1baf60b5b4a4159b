#include "signstudio/editors/frmplaydate.h"
#include "signstudio/lang/langtext.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// The play-day dialog of a page.
class TestPlayDate : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { SetLanguage(true, 2); }
    void texts();
    void showFromValue_data();
    void showFromValue();
    void setWithoutDayStaysOpen();
    void setByWeek();
    void everyDayUnticks();
    void closeCancels();
};

void TestPlayDate::texts()
{
    TfrmPlayDate d;
    QCOMPARE(d.Choices().size(), 14);
    QCOMPARE(d.windowTitle(), QStringLiteral("Select_Play_Date"));
    QCOMPARE(d.cbWeek(1)->text(), QStringLiteral("Monday"));
    QCOMPARE(d.cbWeek(0)->text(), QStringLiteral("Sunday"));
    QCOMPARE(d.btSet()->text(), QStringLiteral("Setup"));
    QCOMPARE(d.Choices().at(13), QStringLiteral("Please\u3000choice\u3000week\u3000items\u3000to\u3000set!"));
}

void TestPlayDate::showFromValue_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("span");
    QTest::addColumn<QString>("ticks");
    QTest::newRow("everyday") << "everyday" << 0 << "0000000";
    QTest::newRow("weekdays") << "1;2;3;4;5" << 1 << "0111110";
    QTest::newRow("weekend") << "0;6" << 1 << "1000001";
}

void TestPlayDate::showFromValue()
{
    QFETCH(QString, value);
    QFETCH(int, span);
    QFETCH(QString, ticks);
    TfrmPlayDate d;
    d.SetValue(value);
    d.show();
    QCOMPARE(d.PlaySpan(), span);
    QString got;
    for (int day = 0; day < 7; ++day) {
        got += d.cbWeek(day)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        QCOMPARE(d.cbWeek(day)->isEnabled(), span == 1);
    }
    QCOMPARE(got, ticks);
}

void TestPlayDate::setWithoutDayStaysOpen()
{
    TfrmPlayDate d;
    QStringList messages;
    d.ShowMessage = [&](const QString &m) { messages << m; };
    d.SetValue(QStringLiteral("everyday"));
    d.show();
    d.rgPlaySpanItem(1)->click();
    QVERIFY(d.cbWeek(3)->isEnabled());
    QTest::mouseClick(d.btSet(), Qt::LeftButton);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first(), d.Choices().at(13));
    QVERIFY(d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(d.Value(), QStringLiteral("everyday"));
}

void TestPlayDate::setByWeek()
{
    TfrmPlayDate d;
    d.SetValue(QStringLiteral("everyday"));
    d.show();
    d.rgPlaySpanItem(1)->click();
    d.cbWeek(5)->click();
    d.cbWeek(0)->click();
    d.cbWeek(2)->click();
    QTest::mouseClick(d.btSet(), Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.Value(), QStringLiteral("0;2;5"));
}

void TestPlayDate::everyDayUnticks()
{
    TfrmPlayDate d;
    d.SetValue(QStringLiteral("1;2"));
    d.show();
    d.rgPlaySpanItem(0)->click();
    for (int day = 0; day < 7; ++day) {
        QVERIFY(!d.cbWeek(day)->isChecked());
        QVERIFY(!d.cbWeek(day)->isEnabled());
    }
    QTest::mouseClick(d.btSet(), Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.Value(), QStringLiteral("everyday"));
}

void TestPlayDate::closeCancels()
{
    TfrmPlayDate d;
    d.SetValue(QStringLiteral("3"));
    d.show();
    d.cbWeek(4)->click();
    QTest::mouseClick(d.btClose(), Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(d.Value(), QStringLiteral("3"));
}

int RunPlayDateTests(int argc, char *argv[])
{
    TestPlayDate t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_playdate.moc"
