#include "virtualcard/streamassembler.h"

void StreamAssembler::Clear()
{
    m_buffer.clear();
    m_partSince.invalidate();
}

QList<StreamAssembler::Piece> StreamAssembler::Feed(const QByteArray &bytes)
{
    QList<Piece> pieces;
    if (m_partSince.isValid() && m_partSince.elapsed() > m_stallLimitMs && !m_buffer.isEmpty()) {
        m_buffer.remove(0, 1); // a stale part frame: look for the next header
        ++m_dropped;
    }
    m_partSince.invalidate();
    m_buffer.append(bytes);
    if (m_buffer.size() > 8 * MaxFrame) { // never hold more than a few frames
        m_dropped += m_buffer.size() - MaxFrame;
        m_buffer.remove(0, m_buffer.size() - MaxFrame);
    }
    for (;;) {
        const qsizetype fe = m_buffer.indexOf(char(0xFE));
        if (fe < 0) {
            m_dropped += m_buffer.size();
            m_buffer.clear();
            break;
        }
        if (fe > 0) {
            m_dropped += fe;
            m_buffer.remove(0, fe);
        }
        if (m_buffer.size() < 2)
            break;
        const quint8 second = quint8(m_buffer.at(1));
        qsizetype total = -1;
        bool envelope = false;
        if (second == 0x5C) {
            if (m_buffer.size() < 4)
                break;
            if (quint8(m_buffer.at(2)) != 0x4B || quint8(m_buffer.at(3)) != 0x89) {
                m_buffer.remove(0, 1);
                ++m_dropped;
                continue;
            }
            if (m_buffer.size() < 8)
                break;
            total = qsizetype(quint8(m_buffer.at(4))) | (qsizetype(quint8(m_buffer.at(5))) << 8)
                  | (qsizetype(quint8(m_buffer.at(6))) << 16) | (qsizetype(quint8(m_buffer.at(7))) << 24);
            if (total < 19 || total > MaxFrame)
                total = -1;
        } else if (second == 0x98) {
            if (m_buffer.size() < 4)
                break;
            envelope = true;
            total = ((qsizetype(quint8(m_buffer.at(2))) << 8) | quint8(m_buffer.at(3))) + 2;
            if (total < 21)
                total = -1;
        }
        if (total < 0) {
            m_buffer.remove(0, 1);
            ++m_dropped;
            continue;
        }
        if (m_buffer.size() < total)
            break;
        pieces.append(Piece{m_buffer.left(total), envelope});
        m_buffer.remove(0, total);
    }
    if (!m_buffer.isEmpty())
        m_partSince.start();
    return pieces;
}
