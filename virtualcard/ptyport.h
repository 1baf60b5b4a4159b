#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// A pseudo-terminal pair standing in for a serial cable: the card keeps the
// master side, the operator types the slave path (/dev/pts/N) into signstudio
// as its serial port. The slave side is held open too, so the line stays up
// between two openings by the other program.
class PtyPort : public QObject
{
    Q_OBJECT
public:
    explicit PtyPort(QObject *parent = nullptr);
    ~PtyPort() override;

    // Opens a new pair in raw mode; false with ErrorText() on failure.
    bool Open();
    void Close();
    bool IsOpen() const { return m_master >= 0; }
    QString SlavePath() const { return m_slavePath; }
    QString ErrorText() const { return m_error; }

    // Writes all bytes (blocking on a full buffer for at most ~1 s).
    bool Write(const QByteArray &bytes);

signals:
    void BytesReceived(const QByteArray &bytes);

private:
    void ReadAvailable();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_error;
    QSocketNotifier *m_notifier = nullptr;
};
