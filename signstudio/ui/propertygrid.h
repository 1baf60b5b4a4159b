#pragma once

#include "signstudio/ui/propertyrows.h"

#include <QTableWidget>

// The property grid vLEditor: a key column and a value column; a value cell
// offers its row's pick list as an editable combo box, and rows with a
// dialog get an ellipsis button beside the value.
class TPropertyGrid : public QTableWidget
{
    Q_OBJECT
public:
    explicit TPropertyGrid(QWidget *parent = nullptr);

    // Fills the grid with rows (no rowEdited while filling).
    void ShowRows(const QList<TGridRow> &rows);
    // Puts new values (and pick lists) into the given rows without editing.
    void RewriteRows(const QList<TGridRow> &rows, const QList<int> &which);
    void ClearRows();

    QString Key(int row) const;
    QString Value(int row) const;
    QStringList PickList(int row) const;
    bool HasEllipsis(int row) const;
    int RowCount() const { return rowCount(); }

    // Types a value into a row as the operator would (emits rowEdited).
    void SetValue(int row, const QString &text);
    // Presses the ellipsis button of a row.
    void PressEllipsis(int row);

signals:
    void rowEdited(int row, const QString &text);
    void ellipsisPressed(int row);

private:
    void onItemChanged(QTableWidgetItem *item);

    QList<TGridRow> m_rows;
    bool m_filling = false;
};
