#pragma once

#include "signstudio/comm/linkinterface.h"

#include <QSerialPort>
#include <QTimer>

// The serial port to one card (RS-232) or to an RS-485 bus: 8N1, DTR and RTS
// on, no flow control. Bytes are gathered into bursts: a burst ends after
// 100 ms of silence and is delivered 20 ms later. A burst longer than
// MaxBurst is dropped whole and is never buffered beyond that size.
class SerialLink : public LinkInterface
{
    Q_OBJECT
public:
    static constexpr int MaxBurst = 3000;
    static constexpr int SilenceMs = 100;
    static constexpr int DeliverDelayMs = 20;

    explicit SerialLink(QObject *parent = nullptr);
    ~SerialLink() override;

    void SetPortName(const QString &name);
    QString PortName() const { return m_portName; }
    void SetBaudRate(int baud);
    int BaudRate() const { return m_baud; }

    bool Open() override;
    void Close() override;
    bool IsOpen() const override;
    bool Write(const QByteArray &bytes) override;
    QString Description() const override { return m_portName; }

    // Bursts dropped because they were longer than MaxBurst.
    int DroppedBursts() const { return m_droppedBursts; }

private:
    void OnReadyRead();
    void OnSilence();
    void OnError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QTimer m_silence;
    QByteArray m_burst;
    bool m_overflow = false;
    QString m_portName;
    int m_baud = 9600;
    int m_droppedBursts = 0;
};
