#pragma once

#include "virtualcard/streamassembler.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QTimer>

class PtyPort;
class VirtualCard;

// One serial line on a pty. On a plain line the single card gets every bare
// frame; on an RS-485 bus every envelope goes to the card whose inner code
// it carries, so several cards share the line. Writes are spaced so that
// each reply reaches the other side as a read of its own.
class SerialBus : public QObject
{
    Q_OBJECT
public:
    explicit SerialBus(bool rs485, QObject *parent = nullptr);
    ~SerialBus() override;

    // Opens the pty pair; false with ErrorText() on failure.
    bool Open();
    QString DevicePath() const;
    QString ErrorText() const;
    bool IsRs485() const { return m_rs485; }

    void Attach(VirtualCard *card);
    void Detach(VirtualCard *card);
    QList<VirtualCard *> Cards() const;

    // Queues bytes for the line.
    void Write(const QByteArray &bytes);
    void SetWriteGap(int ms) { m_gapMs = ms; }

    // Bytes from the line (the pty calls it; tests may too).
    void Feed(const QByteArray &bytes);

signals:
    void Written(const QByteArray &bytes);

private:
    void WriteNext();

    bool m_rs485 = false;
    PtyPort *m_pty = nullptr;
    StreamAssembler m_in;
    QList<QPointer<VirtualCard>> m_cards;
    QQueue<QByteArray> m_out;
    QTimer m_gap;
    int m_gapMs = 150;
};
