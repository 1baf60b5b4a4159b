#include "signstudio/app/actionenabling.h"

namespace ActionEnabling {

namespace {

void setOtherMaterials(Actions &a, bool on)
{
    a.SingleText = a.MultiText = a.Time = a.IsTime = a.CountDown = a.Table = on;
    a.Image = a.Movie = a.Code = a.Collection = on;
}

} // namespace

Actions ForState(State state, bool queueAllowed, const CardCapabilities &caps)
{
    Actions a;
    bool queue = false;
    switch (state) {
    case State::NoCard:
        break;
    case State::Card:
        a.SendTextProgram = a.New = a.Open = a.Save = a.AddPage = true;
        break;
    case State::Page:
        a.SendTextProgram = a.Save = a.AddPage = a.DelPage = a.AddArea = true;
        break;
    case State::Region:
        a.SendTextProgram = a.Save = a.AddArea = a.DelArea = true;
        setOtherMaterials(a, true);
        queue = true;
        a.RemoteText = true;
        break;
    case State::Material:
        a.SendTextProgram = a.Save = a.DelFodder = true;
        setOtherMaterials(a, true);
        queue = true;
        a.RemoteText = true;
        break;
    }
    a.Queue = queue && queueAllowed;

    if (state != State::Region && state != State::Material)
        return a;

    // Refinement by what the selection's card can show.
    a.RemoteText = false;
    if (!caps.found) {
        a.Collection = false;
        a.Queue = false;
        return a;
    }
    const auto &f = caps.flags;
    if (a.Queue)
        a.Queue = f[0];
    a.Collection = f[1];
    a.Movie = f[3];
    a.Image = a.SingleText = a.MultiText = a.Table = f[4];
    a.RemoteText = f[5] && caps.remoteTextFree;
    a.IsTime = a.CountDown = f[7];
    a.Code = f[8];
    a.Time = f[9];
    return a;
}

Popup PopupFor(Selection selection, bool treeEmpty)
{
    Popup p;
    switch (selection) {
    case Selection::None:
        p.NewCard = treeEmpty;
        break;
    case Selection::Card:
        p.DelCard = p.SendTextProgram = p.Send = p.New = p.Open = p.Save = p.AddPage = true;
        break;
    case Selection::Page:
        p.SendTextProgram = p.Send = p.Save = p.AddPage = p.DelPage = p.AddArea = true;
        break;
    case Selection::Region:
        p.SendTextProgram = p.Send = p.AddArea = p.DelArea = true;
        break;
    case Selection::Material:
        p.SendTextProgram = p.Send = p.DelFodder = true;
        break;
    }
    return p;
}

} // namespace ActionEnabling
