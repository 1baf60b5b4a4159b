#pragma once

#include <QString>

// One rectangular region of a page, in screen pixels from the page's
// top-left corner.
class TRegion
{
public:
    QString CardName;
    QString PageName;
    QString RegionName;
    QString RegionUID;
    QString PanelName;            // the region's canvas panel
    QString PageUID;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    QString ScreenPanelName;
    QString PagePanelName;
    // False for a region read from a program file whose page is not there:
    // it is kept in the region list but has no tree node.
    bool InTree = true;
};
