#pragma once

#include "signstudio/model/fodderkind.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// One file of a material, in play order.
struct TFileInfo
{
    int Number = 0;               // 1-based position when it was added
    QString FileName;
    bool operator==(const TFileInfo &) const = default;
};

// One material (content item) of a region. Common fields in this order.
class TFodder
{
public:
    QString CardName;
    QString PageName;
    QString RegionName;
    QString FodderName;
    QString FodderUID;
    QString PanelName;            // the material's canvas panel
    QString TextPageUID;          // remote text items only
    QString RegionUID;
    QString FixedText = QStringLiteral("10");
    QString Content;
    int PlayTimes = 1;
    int DisplayMode = 1;
    int DisplaySpeed = 1;
    int StayTime = 1;             // 0..255, units of 5 s; 0 no stop, 255 static
    int TypeCode = tcPicture;
    int Kind = fkSingleText;
    int RowSpan = 0;
    int VerAlign = 0;
    int YAxisPos = 0;
    int LineColor = 0;
    int LineWidth = 0;
    int ExtraByte2 = 49;          // the card takes the low byte
    int ExtraByte1 = 49;
    int DigitColor = 1;
    int CharColor = 1;
    int FontCode = 1;
    int FontSizeCode = 1;
    int FormatCode = 1;
    int FormatCode2 = 1;
    int OptionCode = 1;
    int Number1 = 0;
    int Number2 = 0;
    QString ScreenPanelName;
    QString PagePanelName;
    QString RegionPanelName;
    QList<TFileInfo> PictureFiles;

    // Conversion results and send marks (render and send).
    QByteArray CardData;
    int CardDataLen = 0;
    int PageCount = 0;
    int DataPacketCount = 0;
    int MaterialNo = 0;
    bool IsLastMaterial = false;
    bool ItemSent = false;

    // A new material of the kind with its defaults; count-up and count-down
    // take now as "yyyy-MM-dd HH:mm:ss" content.
    static TFodder NewOfKind(int kind, const QDateTime &now);

    QStringList FileNames() const;
    // Replaces PictureFiles, numbering from 1.
    void SetFileNames(const QStringList &names);
};

// Text of a date and time as count-up and count-down materials hold it.
QString FodderDateTimeText(const QDateTime &when);
