#pragma once

#include "signstudio/model/fodder.h"
#include "signstudio/model/program.h"
#include "signstudio/model/region.h"

#include <QString>
#include <QUndoCommand>
#include <QVariant>

#include <functional>

// The values of one page, region or material that property edits and sizer
// moves change, taken before and after an edit. Undo and redo write back
// only the fields that the edit changed, so later changes of other fields
// (a rename, new pictures, an editor) are kept.
struct TEditSnapshot
{
    enum Kind { None, Page, Region, Fodder };
    Kind kind = None;
    void *object = nullptr;
    QList<QVariant> values;

    static TEditSnapshot Of(TProgram *page);
    static TEditSnapshot Of(TRegion *region);
    static TEditSnapshot Of(TFodder *fodder);
    // Field positions whose values differ.
    QList<int> Differences(const TEditSnapshot &other) const;
    // Writes the given fields of this snapshot back into its object.
    void Apply(const QList<int> &fields) const;
};

// One undoable edit. Pushing it does not apply it again.
class TEditUndoCommand : public QUndoCommand
{
public:
    // after is called with the object once values were written back (the
    // views follow).
    TEditUndoCommand(const TEditSnapshot &before, const TEditSnapshot &after,
                     std::function<void(const TEditSnapshot &)> after_changed);

    void undo() override;
    void redo() override;
    bool Empty() const { return m_fields.isEmpty(); }

private:
    TEditSnapshot m_before;
    TEditSnapshot m_after;
    QList<int> m_fields;
    std::function<void(const TEditSnapshot &)> m_changed;
    bool m_first = true;
};
