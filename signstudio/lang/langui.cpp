#include "signstudio/lang/langui.h"

#include "signstudio/lang/langtext.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>

void ApplyFormTexts(QWidget *form, bool toolButtonCaptions, bool toolButtonHints, int kind,
                    const QString &captionKey)
{
    if (!form)
        return;
    form->setWindowTitle(LangText(kind, captionKey));
    const QList<QObject *> children = form->findChildren<QObject *>();
    for (QObject *obj : children) {
        const QString name = obj->objectName();
        if (name.isEmpty())
            continue;
        const QString t = LangText(kind, name);
        if (t.isEmpty())
            continue;
        if (auto *tool = qobject_cast<QToolButton *>(obj)) {
            if (toolButtonCaptions)
                tool->setText(t);
            if (toolButtonHints)
                tool->setToolTip(t);
        } else if (auto *action = qobject_cast<QAction *>(obj)) {
            if (toolButtonCaptions)
                action->setText(t);
            if (toolButtonHints)
                action->setToolTip(t);
        } else if (qobject_cast<QRadioButton *>(obj)) {
            continue;
        } else if (auto *button = qobject_cast<QAbstractButton *>(obj)) {
            button->setText(t);
        } else if (auto *label = qobject_cast<QLabel *>(obj)) {
            label->setText(t);
        } else if (auto *group = qobject_cast<QGroupBox *>(obj)) {
            group->setTitle(t);
        } else if (auto *dock = qobject_cast<QDockWidget *>(obj)) {
            dock->setWindowTitle(t);
        }
    }
}

void FillCombo(QComboBox *combo, const QStringList &list)
{
    if (!combo)
        return;
    combo->clear();
    combo->addItems(list);
}

void FillComboEx(QComboBox *combo, bool skipFirst, const QStringList &list,
                 const QList<QIcon> &images)
{
    if (!combo)
        return;
    combo->clear();
    for (qsizetype i = skipFirst ? 1 : 0; i < list.size(); ++i) {
        if (i < images.size())
            combo->addItem(images.at(i), list.at(i));
        else
            combo->addItem(list.at(i));
    }
    if (combo->count() > 0)
        combo->setCurrentIndex(0);
}

void SetColumnCaptions(QTreeWidget *view, const QStringList &list)
{
    if (!view)
        return;
    const int n = qMin(view->columnCount(), int(list.size()));
    QTreeWidgetItem *header = view->headerItem();
    for (int i = 0; i < n; ++i)
        header->setText(i, list.at(i));
}

void SetColumnCaptions(QTableWidget *view, const QStringList &list)
{
    if (!view)
        return;
    const int n = qMin(view->columnCount(), int(list.size()));
    for (int i = 0; i < n; ++i) {
        QTableWidgetItem *item = view->horizontalHeaderItem(i);
        if (!item) {
            item = new QTableWidgetItem;
            view->setHorizontalHeaderItem(i, item);
        }
        item->setText(list.at(i));
    }
}
