#pragma once

#include "signstudio/model/fodder.h"

#include <QString>

// Turns a material into the bytes the card stores: text pages (rich
// layout), pictures and table pictures, animation frames in time order are
// fitted to the W x H region and packed into the card's bit planes, page
// after page, into CardData. Card-drawn kinds make no pages.
struct ConvertResult
{
    bool Ok = false;
    // Why the material cannot be sent: empty content, an unreadable file
    // (named in FileName), no frames, too many pages, a region with no pixels.
    QString Error;
    QString FileName;
};

// Rebuilds CardData, CardDataLen, DataPacketCount and, for kinds with pages,
// PageCount. On failure CardData is empty and the counts are 0.
ConvertResult ConvertForSend(TFodder &material, int W, int H, int colourCode);

// Status text shown while materials are converted: "[" card name "]"
// followed by the text of tip_transform_send_content.
QString ConvertStatusText(const QString &cardName);
