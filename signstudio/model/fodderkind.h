#pragma once

#include <QString>

// The twelve material kinds.
enum TFodderKind {
    fkSingleText = 0, fkMultiText = 1, fkPictureGroup = 2, fkTable = 3, fkTime = 4,
    fkRemoteText = 5, fkQueue = 6, fkCountUp = 7, fkCountDown = 8, fkInnerCode = 9,
    fkRealTime = 10, fkAnimation = 11
};
constexpr int kFodderKindCount = 12;

// Type code characters the card understands.
enum TTypeCode {
    tcPicture = 56,     // '8': texts, pictures, tables
    tcTime = 49,        // '1'
    tcRemoteText = 48,  // '0'
    tcQueue = 53,       // '5'
    tcCountUp = 52,     // '4'
    tcCountDown = 51,   // '3'
    tcInnerCode = 55,   // '7'
    tcRealTime = 54,    // '6'
    tcAnimation = 59    // ';'
};

struct TFodderKindInfo
{
    int Kind;
    const char *AddAction;      // the main window's add action
    const char *NameKey;        // language key of the default name base
    const char *TypeNameKey;    // language key of the type shown in the grid
    const char *PanelPrefix;    // canvas panel name prefix
    int TypeCode;
    int DefaultSpeed;           // DisplaySpeed of a new material
    int Capability;             // index of the card capability flag it needs
};

bool IsValidFodderKind(int kind);
// The kind's row; kind must be valid (0..11), else the single-text row.
const TFodderKindInfo &FodderKindInfo(int kind);
