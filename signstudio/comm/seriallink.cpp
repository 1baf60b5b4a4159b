#include "signstudio/comm/seriallink.h"

#include <QPointer>

SerialLink::SerialLink(QObject *parent) : LinkInterface(parent)
{
    m_silence.setSingleShot(true);
    m_silence.setInterval(SilenceMs);
    connect(&m_silence, &QTimer::timeout, this, &SerialLink::OnSilence);
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLink::OnReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::OnError);
}

SerialLink::~SerialLink()
{
    m_port.disconnect(this);
    if (m_port.isOpen())
        m_port.close();
}

void SerialLink::SetPortName(const QString &name)
{
    m_portName = name.trimmed();
}

void SerialLink::SetBaudRate(int baud)
{
    m_baud = baud > 0 ? baud : 9600;
}

bool SerialLink::Open()
{
    Close();
    m_port.setPortName(m_portName);
    m_port.setBaudRate(m_baud);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    // The OS buffer keeps what the port delivers; we drain it at every read.
    m_port.setReadBufferSize(64 * 1024);
    if (m_portName.isEmpty() || !m_port.open(QIODevice::ReadWrite)) {
        SetErrorText(m_portName.isEmpty() ? QStringLiteral("no port name") : m_port.errorString());
        return false;
    }
    // A pty has no modem lines; failures here are harmless.
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(true);
    m_port.clearError();
    SetErrorText(QString());
    return true;
}

void SerialLink::Close()
{
    m_silence.stop();
    m_burst.clear();
    m_overflow = false;
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

bool SerialLink::IsOpen() const
{
    return m_port.isOpen();
}

bool SerialLink::Write(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return false;
    const qint64 n = m_port.write(bytes);
    if (n != bytes.size()) {
        SetErrorText(m_port.errorString());
        return false;
    }
    return true;
}

void SerialLink::OnReadyRead()
{
    const QByteArray chunk = m_port.readAll();
    if (!m_overflow) {
        if (m_burst.size() + chunk.size() > MaxBurst) {
            m_overflow = true;
            m_burst.clear();
        } else {
            m_burst.append(chunk);
        }
    }
    m_silence.start();
}

void SerialLink::OnSilence()
{
    if (m_overflow) {
        m_overflow = false;
        ++m_droppedBursts;
        return;
    }
    if (m_burst.isEmpty())
        return;
    const QByteArray burst = m_burst;
    m_burst.clear();
    QPointer<SerialLink> self(this);
    QTimer::singleShot(DeliverDelayMs, this, [self, burst] {
        if (self)
            emit self->Received(burst);
    });
}

void SerialLink::OnError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::UnsupportedOperationError)
        return;
    const QString text = m_port.errorString();
    SetErrorText(text);
    emit ErrorOccurred(text);
    if (error == QSerialPort::ResourceError && m_port.isOpen()) {
        // The device went away (USB adapter pulled, pty closed).
        Close();
        emit Closed();
    }
}
