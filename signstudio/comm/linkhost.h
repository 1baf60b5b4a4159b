#pragma once

#include <QList>
#include <QPair>
#include <QSize>
#include <QString>

class TFIXModem;

// What the card links need from the main window: settings, the status bar,
// message boxes and the card nodes of the object tree. The main window
// implements it; tests fake it.
class LinkHost
{
public:
    virtual ~LinkHost() = default;

    // Settings held by the window (written to SetCfg.ini at exit).
    virtual QString CommMode() const = 0;
    virtual int PollTime() const = 0;      // already clamped to 30..999
    virtual int NetDelayTime() const = 0;  // ms
    virtual bool IsShowMulNetCard() const = 0;
    // The server port in use became port: CommParam02 := its text.
    virtual void StoreServerPort(int port) = 0;

    virtual void ShowStatus(int panel, const QString &text) = 0;
    virtual void ShowMessageBox(const QString &text) = 0;

    // Text of the selected node's top-level ancestor, trimmed; "" when no
    // node is selected.
    virtual QString SelectedCardName() const = 0;
    // Selects the top-level node whose trimmed text equals name; false when
    // there is none.
    virtual bool SelectCardNode(const QString &name) = 0;
    // A card was just added to the card list: create its screen panel and
    // its top-level node (text = its Name) and select the node.
    virtual void AddCardNode(TFIXModem *card) = 0;
    // State image of every top-level node whose text equals name.
    virtual void SetCardNodeImage(const QString &name, int image) = 0;
    // The same for many cards at once (the online timer's tick): one pass
    // over the tree instead of one per card. Later entries win.
    virtual void SetCardNodeImages(const QList<QPair<QString, int>> &images)
    {
        for (const auto &entry : images)
            SetCardNodeImage(entry.first, entry.second);
    }
    // State image of the first top-level node with that text, 0 when none.
    virtual int CardNodeImage(const QString &name) const = 0;
    // The actions take their card-selected state and the property grid
    // shows the card's rows.
    virtual void ShowCardSelected(TFIXModem *card) = 0;
    // The card's screen size changed: resize its screen (clears its pages).
    virtual void ResizeCardScreen(TFIXModem *card) = 0;

    // Gates of the online timer.
    virtual bool SearchRunning() const = 0;
    virtual bool GroupSendRunning() const = 0;
    // Size of the current screen panel, for the parameter window.
    virtual QSize CurrentScreenSize() const { return QSize(); }
};
