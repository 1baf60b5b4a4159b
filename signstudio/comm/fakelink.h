#pragma once

#include "signstudio/comm/linkinterface.h"

#include <QList>

// A link for tests: records every write, injects received bytes, can be made
// to fail writes or to refuse opening.
class FakeLink : public LinkInterface
{
    Q_OBJECT
public:
    explicit FakeLink(QObject *parent = nullptr) : LinkInterface(parent) {}

    bool Open() override;
    void Close() override;
    bool IsOpen() const override { return m_open; }
    bool Write(const QByteArray &bytes) override;
    QString Description() const override { return m_description; }

    void SetDescription(const QString &text) { m_description = text; }
    void SetOpenFails(bool fails) { m_openFails = fails; }
    void SetWriteFails(bool fails) { m_writeFails = fails; }
    // Delivers bytes as if they had been read from the peer.
    void Inject(const QByteArray &bytes) { emit Received(bytes); }
    // The peer closes the link.
    void PeerClose();

    QList<QByteArray> Writes;
    int OpenCount = 0;

private:
    bool m_open = false;
    bool m_openFails = false;
    bool m_writeFails = false;
    QString m_description = QStringLiteral("fake");
};
