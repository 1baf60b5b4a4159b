#include "signstudio/ui/editundo.h"

namespace {

// The edited fields of each object, in a fixed order.
QList<QVariant> pageValues(const TProgram *p)
{
    return {p->StartTime, p->EndTime, p->WeekDays, p->PlayDate, p->DateMode};
}

QList<QVariant> regionValues(const TRegion *r)
{
    return {r->Left, r->Top, r->Width, r->Height};
}

QList<QVariant> fodderValues(const TFodder *f)
{
    return {f->FodderUID, f->Content,   f->PlayTimes,  f->DisplayMode, f->DisplaySpeed,
            f->StayTime,  f->VerAlign,  f->DigitColor, f->CharColor,   f->FontCode,
            f->FontSizeCode, f->FormatCode, f->FormatCode2, f->OptionCode, f->Number1,
            f->Number2};
}

} // namespace

TEditSnapshot TEditSnapshot::Of(TProgram *page)
{
    TEditSnapshot s;
    if (page) {
        s.kind = Page;
        s.object = page;
        s.values = pageValues(page);
    }
    return s;
}

TEditSnapshot TEditSnapshot::Of(TRegion *region)
{
    TEditSnapshot s;
    if (region) {
        s.kind = Region;
        s.object = region;
        s.values = regionValues(region);
    }
    return s;
}

TEditSnapshot TEditSnapshot::Of(TFodder *fodder)
{
    TEditSnapshot s;
    if (fodder) {
        s.kind = Fodder;
        s.object = fodder;
        s.values = fodderValues(fodder);
    }
    return s;
}

QList<int> TEditSnapshot::Differences(const TEditSnapshot &other) const
{
    QList<int> out;
    if (kind != other.kind || object != other.object || values.size() != other.values.size())
        return out;
    for (int i = 0; i < values.size(); ++i) {
        if (values.at(i) != other.values.at(i))
            out << i;
    }
    return out;
}

void TEditSnapshot::Apply(const QList<int> &fields) const
{
    auto str = [this](int i) { return values.value(i).toString(); };
    auto num = [this](int i) { return values.value(i).toInt(); };
    for (int i : fields) {
        switch (kind) {
        case Page: {
            auto *p = static_cast<TProgram *>(object);
            switch (i) {
            case 0: p->StartTime = str(i); break;
            case 1: p->EndTime = str(i); break;
            case 2: p->WeekDays = str(i); break;
            case 3: p->PlayDate = str(i); break;
            case 4: p->DateMode = num(i); break;
            default: break;
            }
            break;
        }
        case Region: {
            auto *r = static_cast<TRegion *>(object);
            int *ints[] = {&r->Left, &r->Top, &r->Width, &r->Height};
            if (i >= 0 && i < 4)
                *ints[i] = num(i);
            break;
        }
        case Fodder: {
            auto *f = static_cast<TFodder *>(object);
            if (i == 0) {
                f->FodderUID = str(i);
            } else if (i == 1) {
                f->Content = str(i);
            } else {
                int *ints[] = {&f->PlayTimes,  &f->DisplayMode, &f->DisplaySpeed, &f->StayTime,
                               &f->VerAlign,   &f->DigitColor,  &f->CharColor,    &f->FontCode,
                               &f->FontSizeCode, &f->FormatCode, &f->FormatCode2, &f->OptionCode,
                               &f->Number1,    &f->Number2};
                if (i - 2 < 14)
                    *ints[i - 2] = num(i);
            }
            break;
        }
        case None:
            break;
        }
    }
}

TEditUndoCommand::TEditUndoCommand(const TEditSnapshot &before, const TEditSnapshot &after,
                                   std::function<void(const TEditSnapshot &)> changed)
    : m_before(before)
    , m_after(after)
    , m_fields(before.Differences(after))
    , m_changed(std::move(changed))
{
}

void TEditUndoCommand::undo()
{
    m_before.Apply(m_fields);
    if (m_changed)
        m_changed(m_before);
}

void TEditUndoCommand::redo()
{
    if (m_first) {
        m_first = false;
        return;
    }
    m_after.Apply(m_fields);
    if (m_changed)
        m_changed(m_after);
}
