#include "signstudio/lang/langtext.h"
#include "signstudio/lang/langui.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

template <typename T>
T *named(QWidget *parent, const char *name)
{
    auto *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// A small dialog shaped like the card search window (kind 13) plus a few
// controls that must stay untouched.
struct SearchDialog
{
    QDialog dialog;
    QLabel *surplus;
    QLabel *second;
    QPushButton *stop;
    QToolButton *tool;
    QGroupBox *group;
    QCheckBox *inGroup;
    QLineEdit *edit;
    QRadioButton *radio;
    QComboBox *combo;
    QLabel *unnamed;
    QLabel *unknown;

    SearchDialog()
    {
        dialog.setWindowTitle(QStringLiteral("design caption"));
        auto *layout = new QVBoxLayout(&dialog);
        surplus = named<QLabel>(&dialog, "lbSurplus");
        second = named<QLabel>(&dialog, "lbSecond");
        stop = named<QPushButton>(&dialog, "btStop");
        tool = named<QToolButton>(&dialog, "btStop");
        group = named<QGroupBox>(&dialog, "search_cards");
        inGroup = named<QCheckBox>(group, "lbSurplus");
        edit = named<QLineEdit>(&dialog, "lbSecond");
        radio = named<QRadioButton>(&dialog, "btStop");
        combo = named<QComboBox>(&dialog, "btStop");
        unnamed = new QLabel(QStringLiteral("keep"), &dialog);
        unknown = named<QLabel>(&dialog, "lbNoSuchRow");
        unknown->setText(QStringLiteral("design"));
        edit->setText(QStringLiteral("typed"));
        radio->setText(QStringLiteral("radio"));
        tool->setText(QStringLiteral("tool"));
        tool->setToolTip(QStringLiteral("tip"));
        for (QWidget *w : std::initializer_list<QWidget *>{surplus, second, stop, tool, group,
                                                           edit, radio, combo, unnamed, unknown})
            layout->addWidget(w);
    }
};

} // namespace

class TestLangUi : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void captionsByName();
    void toolButtonFlags_data();
    void toolButtonFlags();
    void namedActionsFollowToolButtonFlags();
    void followsLanguageSwitch();
    void missingCaptionKeyEmptiesTitle();
    void fillCombo();
    void fillComboEx_data();
    void fillComboEx();
    void columnCaptions();
};

void TestLangUi::init()
{
    SetLanguage(true, 2);
}

void TestLangUi::captionsByName()
{
    SearchDialog d;
    ApplyFormTexts(&d.dialog, true, true, 13, QStringLiteral("search_cards"));
    QCOMPARE(d.dialog.windowTitle(), QStringLiteral("Search Card..."));
    QCOMPARE(d.surplus->text(), QStringLiteral("Surplus"));
    QCOMPARE(d.second->text(), QStringLiteral("seconds"));
    QCOMPARE(d.stop->text(), QStringLiteral("Stop"));
    QCOMPARE(d.group->title(), QStringLiteral("Search Card..."));
    // Children of children are reached too.
    QCOMPARE(d.inGroup->text(), QStringLiteral("Surplus"));
    // Edits, radio buttons and combo boxes are the dialog's own business.
    QCOMPARE(d.edit->text(), QStringLiteral("typed"));
    QCOMPARE(d.radio->text(), QStringLiteral("radio"));
    QCOMPARE(d.combo->count(), 0);
    // Without a name or without a row the design text stays.
    QCOMPARE(d.unnamed->text(), QStringLiteral("keep"));
    QCOMPARE(d.unknown->text(), QStringLiteral("design"));
}

void TestLangUi::toolButtonFlags_data()
{
    QTest::addColumn<bool>("captions");
    QTest::addColumn<bool>("hints");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");
    QTest::newRow("both") << true << true << "Stop" << "Stop";
    QTest::newRow("captions only") << true << false << "Stop" << "tip";
    QTest::newRow("hints only") << false << true << "tool" << "Stop";
    QTest::newRow("neither") << false << false << "tool" << "tip";
}

void TestLangUi::toolButtonFlags()
{
    QFETCH(bool, captions);
    QFETCH(bool, hints);
    QFETCH(QString, text);
    QFETCH(QString, tip);
    SearchDialog d;
    ApplyFormTexts(&d.dialog, captions, hints, 13, QStringLiteral("search_cards"));
    QCOMPARE(d.tool->text(), text);
    QCOMPARE(d.tool->toolTip(), tip);
    // Plain buttons take their caption whatever the flags.
    QCOMPARE(d.stop->text(), QStringLiteral("Stop"));
}

void TestLangUi::namedActionsFollowToolButtonFlags()
{
    QDialog dialog;
    auto *bar = new QToolBar(&dialog);
    auto *play = new QAction(QStringLiteral("design"), &dialog);
    play->setObjectName(QStringLiteral("tBtnPlay"));
    bar->addAction(play);
    ApplyFormTexts(&dialog, false, true, 9, QStringLiteral("perview_caption"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Program Preview"));
    QCOMPARE(play->text(), QStringLiteral("design"));
    QCOMPARE(play->toolTip(), QStringLiteral("Play"));
    ApplyFormTexts(&dialog, true, false, 9, QStringLiteral("perview_caption"));
    QCOMPARE(play->text(), QStringLiteral("Play"));
}

void TestLangUi::followsLanguageSwitch()
{
    SearchDialog d;
    SetLanguage(true, 0);
    ApplyFormTexts(&d.dialog, true, true, 13, QStringLiteral("search_cards"));
    QCOMPARE(d.second->text(), QStringLiteral("秒"));
    QCOMPARE(d.surplus->text(), QStringLiteral("剩余"));
    SetLanguage(true, 1);
    ApplyFormTexts(&d.dialog, true, true, 13, QStringLiteral("search_cards"));
    QCOMPARE(d.surplus->text(), QStringLiteral("剩餘"));
    QCOMPARE(d.stop->text(), QStringLiteral("停止"));
    SetLanguage(true, 2);
    ApplyFormTexts(&d.dialog, true, true, 13, QStringLiteral("search_cards"));
    QCOMPARE(d.stop->text(), QStringLiteral("Stop"));
}

void TestLangUi::missingCaptionKeyEmptiesTitle()
{
    SearchDialog d;
    ApplyFormTexts(&d.dialog, true, true, 13, QStringLiteral("no_such_caption"));
    QCOMPARE(d.dialog.windowTitle(), QString());
    QCOMPARE(d.stop->text(), QStringLiteral("Stop"));
    ApplyFormTexts(nullptr, true, true, 13, QStringLiteral("search_cards"));
}

void TestLangUi::fillCombo()
{
    QComboBox combo;
    combo.addItems({QStringLiteral("old 1"), QStringLiteral("old 2"), QStringLiteral("old 3")});
    combo.setCurrentIndex(2);
    FillCombo(&combo, LangList(11, 9));
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.itemText(0), QStringLiteral("No"));
    QCOMPARE(combo.itemText(1), QStringLiteral("Yes"));
    FillCombo(&combo, QStringList());
    QCOMPARE(combo.count(), 0);
    FillCombo(nullptr, LangList(11, 9));
}

void TestLangUi::fillComboEx_data()
{
    QTest::addColumn<bool>("skipFirst");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::newRow("all eight") << false << 8 << "Black";
    QTest::newRow("without black") << true << 7 << "Red";
}

void TestLangUi::fillComboEx()
{
    QFETCH(bool, skipFirst);
    QFETCH(int, count);
    QFETCH(QString, first);
    QList<QIcon> images;
    for (int i = 0; i < 8; ++i) {
        QPixmap p(4, 4);
        p.fill(QColor::fromHsv(i * 40, 255, 255));
        images << QIcon(p);
    }
    QComboBox combo;
    combo.addItem(QStringLiteral("old"));
    FillComboEx(&combo, skipFirst, LangList(6, 1), images);
    QCOMPARE(combo.count(), count);
    QCOMPARE(combo.itemText(0), first);
    QCOMPARE(combo.currentIndex(), 0);
    QCOMPARE(combo.itemText(count - 1), QStringLiteral("White"));
    // Each item shows the image of its position in the list.
    const int offset = skipFirst ? 1 : 0;
    for (int i = 0; i < count; ++i) {
        const QImage got = combo.itemIcon(i).pixmap(4, 4).toImage();
        const QImage want = images.at(i + offset).pixmap(4, 4).toImage();
        QCOMPARE(got.pixel(1, 1), want.pixel(1, 1));
    }
    // Fewer images than entries: the rest have none; an empty list selects nothing.
    FillComboEx(&combo, false, LangList(6, 1), images.mid(0, 2));
    QCOMPARE(combo.count(), 8);
    QVERIFY(combo.itemIcon(5).isNull());
    FillComboEx(&combo, true, QStringList{QStringLiteral("only")}, images);
    QCOMPARE(combo.count(), 0);
    QCOMPARE(combo.currentIndex(), -1);
}

void TestLangUi::columnCaptions()
{
    QTreeWidget tree;
    tree.setColumnCount(5);
    SetColumnCaptions(&tree, LangList(8, 1));
    QCOMPARE(tree.headerItem()->text(0), QStringLiteral("Order Num"));
    QCOMPARE(tree.headerItem()->text(4), QStringLiteral("End Time"));

    // More columns than entries: the others keep their captions.
    QTableWidget table(0, 3);
    table.setHorizontalHeaderLabels({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    SetColumnCaptions(&table, LangList(10, 2));
    QCOMPARE(table.horizontalHeaderItem(0)->text(), QStringLiteral("Order Num"));
    QCOMPARE(table.horizontalHeaderItem(1)->text(), QStringLiteral("Internal Code"));
    QCOMPARE(table.horizontalHeaderItem(2)->text(), QStringLiteral("c"));

    // More entries than columns: no column is added.
    QTableWidget narrow(0, 2);
    SetColumnCaptions(&narrow, LangList(16, 1));
    QCOMPARE(narrow.columnCount(), 2);
    QCOMPARE(narrow.horizontalHeaderItem(0)->text(), QStringLiteral("ID"));
    QCOMPARE(narrow.horizontalHeaderItem(1)->text(), QStringLiteral("Network Adapter"));
}

QTEST_MAIN(TestLangUi)
#include "tst_langui.moc"
