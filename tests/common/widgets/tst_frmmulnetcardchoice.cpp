#include "common/widgets/frmmulnetcardchoice.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

class TestMulNetCardChoice : public QObject
{
    Q_OBJECT
private slots:
    void preselection_data();
    void preselection();
    void okWithoutRowIsRefused();
    void keyboardSelectionIsReturned();
    void closeBoxFollowsTheSameRule();
    void textsAreAppliedAtShow();
    void refillReplacesRows();
};

namespace {

TAdapterInfo adapter(int id, const QString &ip, const QString &mac)
{
    TAdapterInfo a;
    a.AdapterId = id;
    a.AdapterDescription = QStringLiteral("eth%1").arg(id - 1);
    a.AdapterIP = ip;
    a.AdapterMac = mac;
    return a;
}

QList<TAdapterInfo> threeAdapters()
{
    return {adapter(1, "192.168.1.20", "00-1A-2B-3C-4D-5E"),
            adapter(2, "10.0.0.5", "00-1A-2B-3C-4D-5F"),
            adapter(3, "172.16.0.9", "00-1A-2B-3C-4D-60")};
}

int selectedRow(const TfrmMulNetCardChoice &dlg)
{
    const auto sel = dlg.lvNetCard()->selectionModel()->selectedRows();
    return sel.isEmpty() ? -1 : sel.first().row();
}

} // namespace

void TestMulNetCardChoice::preselection_data()
{
    QTest::addColumn<QString>("serverIp");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("second") << "10.0.0.5" << 1 << "10.0.0.5";
    QTest::newRow("blanks around") << "  172.16.0.9 " << 2 << "172.16.0.9";
    QTest::newRow("foreign address") << "192.168.9.9" << -1 << "";
    QTest::newRow("empty") << "" << -1 << "";
}

void TestMulNetCardChoice::preselection()
{
    QFETCH(QString, serverIp);
    QFETCH(int, row);
    QFETCH(QString, chosen);
    TfrmMulNetCardChoice dlg;
    dlg.Fill(threeAdapters(), serverIp);
    QCOMPARE(dlg.lvNetCard()->rowCount(), 3);
    QCOMPARE(dlg.lvNetCard()->item(0, 3)->text(), QString("00-1A-2B-3C-4D-5E"));
    QCOMPARE(dlg.lvNetCard()->item(0, 0)->text(), QString());
    QCOMPARE(selectedRow(dlg), row);
    QCOMPARE(dlg.ChosenAddress(), chosen);
}

void TestMulNetCardChoice::okWithoutRowIsRefused()
{
    TfrmMulNetCardChoice dlg;
    QStringList warnings;
    dlg.SetWarner([&](QWidget *, const QString &t) { warnings << t; });
    dlg.SetTextProvider([] { return TfrmMulNetCardChoice::Texts{{}, {}, {}, {}, "choose!"}; });
    dlg.Fill(threeAdapters(), "192.168.9.9");
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.btnOK()->click();
    QCOMPARE(warnings, QStringList{"choose!"});
    QVERIFY(dlg.isVisible());
    dlg.lvNetCard()->selectRow(0);
    dlg.btnOK()->click();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.ChosenAddress(), QString("192.168.1.20"));
    QCOMPARE(warnings.size(), 1);
}

void TestMulNetCardChoice::keyboardSelectionIsReturned()
{
    TfrmMulNetCardChoice dlg;
    dlg.SetWarner([](QWidget *, const QString &) { QFAIL("no warning expected"); });
    dlg.Fill(threeAdapters(), "192.168.1.20");
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.lvNetCard()->setFocus();
    QTest::keyClick(dlg.lvNetCard(), Qt::Key_Down);
    QTest::keyClick(dlg.lvNetCard(), Qt::Key_Down);
    QCOMPARE(selectedRow(dlg), 2);
    dlg.btnOK()->click();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.ChosenAddress(), QString("172.16.0.9"));
}

void TestMulNetCardChoice::closeBoxFollowsTheSameRule()
{
    TfrmMulNetCardChoice dlg;
    int warnings = 0;
    dlg.SetWarner([&](QWidget *, const QString &) { ++warnings; });
    dlg.Fill(threeAdapters(), QString());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.close();
    QVERIFY(dlg.isVisible());
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QVERIFY(dlg.isVisible());
    QCOMPARE(warnings, 2);
    dlg.lvNetCard()->selectRow(1);
    dlg.close();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.ChosenAddress(), QString("10.0.0.5"));
}

void TestMulNetCardChoice::textsAreAppliedAtShow()
{
    TfrmMulNetCardChoice dlg;
    dlg.SetTextProvider([] {
        return TfrmMulNetCardChoice::Texts{QString::fromUtf8("网卡选择"), "nshow", "okk",
                                           {"ID", "Adapter", "IP", "MAC"}, "x"};
    });
    dlg.Fill(threeAdapters(), "10.0.0.5");
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.windowTitle(), QString::fromUtf8("网卡选择"));
    QCOMPARE(dlg.cbNotShow()->text(), QString("nshow"));
    QCOMPARE(dlg.btnOK()->text(), QString("okk"));
    QCOMPARE(dlg.lvNetCard()->horizontalHeaderItem(0)->text(), QString("ID"));
    QCOMPARE(dlg.lvNetCard()->horizontalHeaderItem(3)->text(), QString("MAC"));
    dlg.cbNotShow()->setChecked(true);
    dlg.btnOK()->click();
    QVERIFY(dlg.NotShowChecked());
}

void TestMulNetCardChoice::refillReplacesRows()
{
    TfrmMulNetCardChoice dlg;
    dlg.Fill(threeAdapters(), "10.0.0.5");
    dlg.Fill({adapter(1, "192.168.5.5", "00-00-00-00-00-01")}, "192.168.5.5");
    QCOMPARE(dlg.lvNetCard()->rowCount(), 1);
    QCOMPARE(selectedRow(dlg), 0);
    QCOMPARE(dlg.ChosenAddress(), QString("192.168.5.5"));
}

QTEST_MAIN(TestMulNetCardChoice)
#include "tst_frmmulnetcardchoice.moc"
