#pragma once

#include <QByteArray>
#include <QRgb>
#include <QDateTime>
#include <QString>
#include <QVariantMap>

// The parameter block of a card-drawn material read back into named values,
// and the text the card shows for it.
struct MaterialParams
{
    int TypeCode = 0;
    int FormatCode = 0;
    int FormatCode2 = 0;
    int OptionCode = 0;
    int Number1 = 0;
    int Number2 = 0;
    int DigitColor = 0;
    int CharColor = 0;
    int FontCode = 0;
    int FontSizeCode = 0;
    int YearDigits = 0;
    int DisplaySpeed = 0;          // queue number
    QDateTime Target;              // count-up / count-down
    QString Unit;                  // real-time data suffix
    bool Valid = false;

    static MaterialParams Decode(int typeCode, const QByteArray &bytes);
    QVariantMap ToMap() const;

    // What the card draws at `now` (card time).
    QString DisplayText(const QDateTime &now) const;
    // The visible text of a remote item's card text ("#^6#^1#^1#^1#~abc;..."),
    // runs joined by blanks; `colour` takes the first run's colour code.
    static QString PlainRemoteText(const QString &cardText, int *colour);
    // Screen colour of a colour code 1..7 (red, green, yellow, blue, purple, cyan, white).
    static QRgb ColourOf(int code);
    // Character height in pixels of a size code 0..7 (12, 16, 24, ... 96).
    static int MatrixPixels(int sizeCode);
};
