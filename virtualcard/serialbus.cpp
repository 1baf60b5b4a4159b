#include "virtualcard/serialbus.h"

#include "virtualcard/ptyport.h"
#include "virtualcard/virtualcard.h"

SerialBus::SerialBus(bool rs485, QObject *parent)
    : QObject(parent)
    , m_rs485(rs485)
    , m_pty(new PtyPort(this))
{
    connect(m_pty, &PtyPort::BytesReceived, this, &SerialBus::Feed);
    m_gap.setSingleShot(true);
    connect(&m_gap, &QTimer::timeout, this, &SerialBus::WriteNext);
}

SerialBus::~SerialBus() = default;

bool SerialBus::Open()
{
    return m_pty->Open();
}

QString SerialBus::DevicePath() const
{
    return m_pty->SlavePath();
}

QString SerialBus::ErrorText() const
{
    return m_pty->ErrorText();
}

void SerialBus::Attach(VirtualCard *card)
{
    if (card && !m_cards.contains(card))
        m_cards.append(card);
}

void SerialBus::Detach(VirtualCard *card)
{
    m_cards.removeAll(card);
}

QList<VirtualCard *> SerialBus::Cards() const
{
    QList<VirtualCard *> cards;
    for (const QPointer<VirtualCard> &c : m_cards)
        if (c)
            cards.append(c);
    return cards;
}

void SerialBus::Write(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    m_out.enqueue(bytes);
    if (!m_gap.isActive())
        WriteNext();
}

void SerialBus::WriteNext()
{
    if (m_out.isEmpty())
        return;
    const QByteArray bytes = m_out.dequeue();
    if (m_pty->IsOpen())
        m_pty->Write(bytes);
    emit Written(bytes);
    m_gap.start(m_gapMs);
}

void SerialBus::Feed(const QByteArray &bytes)
{
    const QList<StreamAssembler::Piece> pieces = m_in.Feed(bytes);
    for (const StreamAssembler::Piece &piece : pieces) {
        if (!m_rs485) {
            if (piece.Envelope)
                continue;
            const QList<VirtualCard *> cards = Cards();
            if (!cards.isEmpty())
                cards.first()->HandleFrame(piece.Bytes, VirtualCard::Link::Serial);
            continue;
        }
        if (!piece.Envelope || piece.Bytes.size() < 21)
            continue;
        const QByteArray address = piece.Bytes.mid(7, 8);
        for (VirtualCard *card : Cards())
            if (card->Profile().InnerCode == address)
                card->HandleEnvelope(piece.Bytes);
    }
}
