#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>

class QComboBox;
class QTableWidget;
class QTreeWidget;
class QWidget;

// Re-captions a dialog from the current language, by objectName, in kind
// `kind`: the window title takes the text of captionKey; then every child
// object (recursively, in creation order) whose name has a non-empty text:
// tool buttons and named actions take it as caption when toolButtonCaptions
// and as hint (tool tip) when toolButtonHints; push buttons, check boxes,
// labels, group boxes and dock panels take it as caption. Other widgets
// (edits, combo boxes, radio buttons, lists, ...) are left alone.
void ApplyFormTexts(QWidget *form, bool toolButtonCaptions, bool toolButtonHints, int kind,
                    const QString &captionKey);

// Clears the combo box and adds the entries in order.
void FillCombo(QComboBox *combo, const QStringList &list);

// Clears the combo box and adds one item per entry (from position 1 when
// skipFirst), each with the icon of its position in the list from images
// (none when images has no such position); selects the first item if any.
void FillComboEx(QComboBox *combo, bool skipFirst, const QStringList &list,
                 const QList<QIcon> &images = QList<QIcon>());

// Column i's caption := entry i, for every column that has an entry.
void SetColumnCaptions(QTreeWidget *view, const QStringList &list);
void SetColumnCaptions(QTableWidget *view, const QStringList &list);
