#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair for serial tests: the slave path is opened by the
// code under test, the master side plays the card.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool IsValid() const { return m_master >= 0; }
    QString SlavePath() const { return m_slavePath; }
    bool WriteMaster(const QByteArray &bytes);
    // Reads what is waiting on the master side, waiting up to timeoutMs for
    // the first byte and then until 50 ms pass without more.
    QByteArray ReadMaster(int timeoutMs);

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
