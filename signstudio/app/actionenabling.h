#pragma once

#include <array>

// Which commands of the main window are offered for the selection in the
// tree or on the canvas. Pure rules; the window applies the result to its
// actions and pop-up items.
namespace ActionEnabling {

// What the selection is, for the actions.
enum class State {
    NoCard,   // no card loaded at start
    Card,     // card selected, cards loaded at start, card screen resized
    Page,     // page selected or added
    Region,   // region selected or clicked, region added
    Material  // material selected or clicked
};

// What the card of the selection can show (capability flags 0..9 of the
// card object and whether it holds no remote text material yet).
struct CardCapabilities {
    bool found = false;
    std::array<bool, 10> flags{true, true, true, true, true, true, true, true, true, true};
    bool remoteTextFree = true;
};

struct Actions {
    bool SendTextProgram = false; // actSendPrg
    bool New = false;             // actNewPrg
    bool Open = false;            // actInsertPrg
    bool Save = false;            // actSavePrg
    bool AddPage = false;         // actAddPrg
    bool DelPage = false;         // actDelPrg
    bool AddArea = false;         // actAddRgn
    bool DelArea = false;         // actDelRegion
    bool DelFodder = false;       // actDelFodder
    // The add-material actions.
    bool SingleText = false;  // actSglTxt
    bool MultiText = false;   // actMulText
    bool Time = false;        // actDateTime
    bool IsTime = false;      // actAddTime
    bool CountDown = false;   // actDelTime
    bool Table = false;       // actTable
    bool Image = false;       // actPicture
    bool Movie = false;       // actMovie
    bool Code = false;        // actInnerInfo
    bool Queue = false;       // actCallNo
    bool Collection = false;  // actCollectData
    bool RemoteText = false;  // actTxtSet

    bool operator==(const Actions &) const = default;
};

// The actions for a state. queueAllowed is the model's flag that a queue
// material may be added; caps refine a region or material selection.
Actions ForState(State state, bool queueAllowed, const CardCapabilities &caps);

// What the selection is, for the tree's pop-up menu.
enum class Selection { None, Card, Page, Region, Material };

struct Popup {
    bool NewCard = false;
    bool DelCard = false;
    bool SendTextProgram = false;
    bool Send = false;
    bool New = false;
    bool Open = false;
    bool Save = false;
    bool AddPage = false;
    bool DelPage = false;
    bool AddArea = false;
    bool DelArea = false;
    bool DelFodder = false;

    bool operator==(const Popup &) const = default;
};

// treeEmpty: New Card is offered only while the tree has no node.
Popup PopupFor(Selection selection, bool treeEmpty);

} // namespace ActionEnabling
