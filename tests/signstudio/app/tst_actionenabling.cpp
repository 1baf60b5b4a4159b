#include "tests/signstudio/app/tst_suites.h"

#include "signstudio/app/actionenabling.h"

#include <QTest>

using namespace ActionEnabling;

Q_DECLARE_METATYPE(ActionEnabling::State)
Q_DECLARE_METATYPE(ActionEnabling::Selection)

namespace {

// Actions in the order SendTextProgram New Open Save AddPage DelPage AddArea
// DelArea DelFodder, then the add-material actions SingleText MultiText
// Time IsTime CountDown Table Image Movie Code Queue Collection RemoteText.
QString bits(const Actions &a)
{
    const bool v[] = {a.SendTextProgram, a.New, a.Open, a.Save, a.AddPage, a.DelPage, a.AddArea,
                      a.DelArea, a.DelFodder, a.SingleText, a.MultiText, a.Time, a.IsTime,
                      a.CountDown, a.Table, a.Image, a.Movie, a.Code, a.Queue, a.Collection,
                      a.RemoteText};
    QString s;
    for (int i = 0; i < 21; ++i) {
        if (i == 9)
            s += QLatin1Char(' ');
        s += v[i] ? QLatin1Char('1') : QLatin1Char('0');
    }
    return s;
}

QString bits(const Popup &p)
{
    const bool v[] = {p.NewCard, p.DelCard, p.SendTextProgram, p.Send, p.New, p.Open,
                      p.Save, p.AddPage, p.DelPage, p.AddArea, p.DelArea, p.DelFodder};
    QString s;
    for (bool b : v)
        s += b ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

} // namespace

void TestActionEnabling::actions_data()
{
    QTest::addColumn<State>("state");
    QTest::addColumn<bool>("queueAllowed");
    QTest::addColumn<bool>("cardFound");
    QTest::addColumn<QString>("missingCaps"); // capability flags the card lacks, e.g. "0,5"
    QTest::addColumn<bool>("remoteTextFree");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no card") << State::NoCard << true << true << "" << true << "000000000 000000000000";
    QTest::newRow("card") << State::Card << true << true << "" << true << "111110000 000000000000";
    QTest::newRow("page") << State::Page << true << true << "" << true << "100111100 000000000000";
    QTest::newRow("page, card not found") << State::Page << true << false << "" << true << "100111100 000000000000";
    QTest::newRow("region, all capabilities") << State::Region << true << true << "" << true << "100100110 111111111111";
    QTest::newRow("region, queue not allowed") << State::Region << false << true << "" << true << "100100110 111111111011";
    QTest::newRow("region, no queue capability") << State::Region << true << true << "0" << true << "100100110 111111111011";
    QTest::newRow("region, remote text taken") << State::Region << true << true << "" << false << "100100110 111111111110";
    QTest::newRow("region, no remote text capability") << State::Region << true << true << "5" << true << "100100110 111111111110";
    QTest::newRow("region, card not found") << State::Region << true << false << "" << true << "100100110 111111111000";
    QTest::newRow("region, flags 2 and 6 change nothing") << State::Region << true << true << "2,6" << true << "100100110 111111111111";
    QTest::newRow("material, all capabilities") << State::Material << true << true << "" << true << "100100001 111111111111";
    QTest::newRow("material, no picture and text") << State::Material << true << true << "4" << true << "100100001 001110011111";
    QTest::newRow("material, only pictures and queue") << State::Material << true << true << "1,3,5,7,8,9" << true << "100100001 110001100100";
    QTest::newRow("material, nothing, queue not allowed") << State::Material << false << true << "0,1,2,3,4,5,6,7,8,9" << true << "100100001 000000000000";
    QTest::newRow("material, card not found, queue not allowed") << State::Material << false << false << "" << true << "100100001 111111111000";
}

void TestActionEnabling::actions()
{
    QFETCH(State, state);
    QFETCH(bool, queueAllowed);
    QFETCH(bool, cardFound);
    QFETCH(QString, missingCaps);
    QFETCH(bool, remoteTextFree);
    QFETCH(QString, expected);
    CardCapabilities caps;
    caps.found = cardFound;
    caps.remoteTextFree = remoteTextFree;
    for (const QString &n : missingCaps.split(QLatin1Char(','), Qt::SkipEmptyParts))
        caps.flags[n.toInt()] = false;
    QCOMPARE(bits(ForState(state, queueAllowed, caps)), expected);
}

void TestActionEnabling::popup_data()
{
    QTest::addColumn<Selection>("selection");
    QTest::addColumn<bool>("treeEmpty");
    QTest::addColumn<QString>("expected"); // NewCard DelCard SendText Send New Open Save AddPage DelPage AddArea DelArea DelFodder
    QTest::newRow("empty tree") << Selection::None << true << "100000000000";
    QTest::newRow("nothing selected") << Selection::None << false << "000000000000";
    QTest::newRow("card") << Selection::Card << false << "011111110000";
    QTest::newRow("page") << Selection::Page << false << "001100111100";
    QTest::newRow("region") << Selection::Region << false << "001100000110";
    QTest::newRow("material") << Selection::Material << false << "001100000001";
}

void TestActionEnabling::popup()
{
    QFETCH(Selection, selection);
    QFETCH(bool, treeEmpty);
    QFETCH(QString, expected);
    QCOMPARE(bits(PopupFor(selection, treeEmpty)), expected);
}
