#pragma once

#include "virtualcard/screenplayer.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class VirtualCard;

// The card's LED screen, drawn at its pixel size scaled up, playing the
// last playbill received; a status line below names the card and its links.
class ScreenWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ScreenWindow(VirtualCard *card, double timeScale, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Reload();
    QString StatusText() const;

    VirtualCard *m_card;
    ScreenPlayer m_player;
    QElapsedTimer m_since;
    QTimer m_tick;
};
