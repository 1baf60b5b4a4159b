#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// One byte link to a card (or to a bus of cards): the serial port, one
// accepted TCP connection, or a fake in tests. Received bytes arrive on the
// UI thread through Received(); a link never buffers without bound.
class LinkInterface : public QObject
{
    Q_OBJECT
public:
    explicit LinkInterface(QObject *parent = nullptr) : QObject(parent) {}
    ~LinkInterface() override = default;

    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Writes all bytes; false when the link is closed or the write failed.
    virtual bool Write(const QByteArray &bytes) = 0;
    // Human readable peer: port name or "address:port".
    virtual QString Description() const = 0;
    QString ErrorText() const { return m_errorText; }

signals:
    void Received(const QByteArray &bytes);
    void ErrorOccurred(const QString &text);
    // The link went down by itself (peer closed, device removed).
    void Closed();

protected:
    void SetErrorText(const QString &text) { m_errorText = text; }

private:
    QString m_errorText;
};
