#pragma once

#include <QString>

// What a send needs from the main window: the settings, the status bar with
// its progress bar, message boxes and the card nodes of the object tree.
// Card nodes are the top-level tree nodes, addressed by their position.
class SendHost
{
public:
    virtual ~SendHost() = default;

    virtual int NetDelayTime() const = 0;   // ms
    virtual bool IsSendAll() const = 0;     // group send check box
    virtual QString GroupName() const = 0;  // comma list of name prefixes
    virtual bool Rs485Mode() const = 0;     // the communication mode is "485"

    // Status panel 4.
    virtual void ShowTip(const QString &text) = 0;
    virtual void ShowMessageBox(const QString &text) = 0;

    // Progress bar over the status bar.
    virtual void SetProgressMaximum(int maximum) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual void SetProgressVisible(bool visible) = 0;

    virtual int CardNodeCount() const = 0;
    virtual QString CardNodeText(int node) const = 0;
    virtual int CardNodeImage(int node) const = 0;
    virtual void SetCardNodeImage(int node, int image) = 0;
    // The top-level node of the selection, -1 when nothing is selected.
    virtual int SelectedCardNode() const = 0;
};

// Writes to a card's link: the serial port for link kinds 0 and 1, the
// card's socket for kind 2 (a failed socket write takes the card offline).
class TFIXModem;
class SendLink
{
public:
    virtual ~SendLink() = default;
    virtual bool WriteToCard(TFIXModem *card, const QByteArray &bytes) = 0;
    // Baud rate of the serial port in use.
    virtual int BaudRate() const = 0;
};
