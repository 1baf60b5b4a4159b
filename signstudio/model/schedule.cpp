#include "signstudio/model/schedule.h"

#include <QLocale>
#include <QStringList>

namespace {

char toByte(QChar c)
{
    return c.unicode() < 256 ? char(c.unicode()) : '?';
}

// Hands out the bits of a 32-bit value, most significant first; zeros after.
class BitReader
{
public:
    explicit BitReader(quint32 value) : m_value(value) {}
    int take(int count)
    {
        int result = 0;
        for (int i = 0; i < count; ++i) {
            int bit = 0;
            if (m_pos < 32)
                bit = (m_value >> (31 - m_pos)) & 1;
            ++m_pos;
            result = (result << 1) | bit;
        }
        return result;
    }

private:
    quint32 m_value;
    int m_pos = 0;
};

} // namespace

QDateTime ParsePlayDate(const QString &input)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return {};
    const QLocale system = QLocale::system();
    const QString shortDate = system.dateFormat(QLocale::ShortFormat);
    const QStringList dateTimeFormats = {
        QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-M-d H:mm:ss"), QStringLiteral("yyyy-M-d H:mm"),
        QStringLiteral("yyyy/M/d H:mm:ss"), QStringLiteral("yyyy/M/d H:mm"),
        shortDate + QStringLiteral(" H:mm:ss"), shortDate + QStringLiteral(" H:mm"),
        shortDate + QLatin1Char(' ') + system.timeFormat(QLocale::ShortFormat),
        shortDate + QLatin1Char(' ') + system.timeFormat(QLocale::LongFormat),
    };
    for (const QString &format : dateTimeFormats) {
        const QDateTime dt = QDateTime::fromString(text, format);
        if (dt.isValid())
            return dt;
    }
    const QStringList dateFormats = {QStringLiteral("yyyy-M-d"), QStringLiteral("yyyy/M/d"), shortDate};
    for (const QString &format : dateFormats) {
        const QDate d = QDate::fromString(text, format);
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    return {};
}

QByteArray ScheduleBytes(const TProgram &page, const QDateTime &now)
{
    const QString s = page.StartTime + QLatin1Char('-') + page.EndTime;
    QByteArray out;
    out.reserve(s.size());
    for (QChar c : s)
        out.append(toByte(c));

    if (page.DateMode == dmWeekDays) {
        auto has = [&](char digit) { return page.WeekDays.contains(QLatin1Char(digit)); };
        const char first = char(0x40 | (has('6') << 2) | (has('5') << 1) | int(has('4')));
        const char second = char(0x40 | (has('3') << 3) | (has('2') << 2) | (has('1') << 1) | int(has('0')));
        int colon = 0;
        for (qsizetype i = 0; i < s.size() && colon < 2; ++i) {
            if (s.at(i) == QLatin1Char(':'))
                out[i] = colon++ == 0 ? first : second;
        }
    } else if (page.DateMode == dmBeforeDate || page.DateMode == dmAfterDate) {
        QDateTime when = ParsePlayDate(page.PlayDate);
        if (!when.isValid())
            when = now;
        const QDate d = when.date();
        const QTime t = when.time();
        const quint32 packed = (quint32(d.year() % 100) & 0x3F) << 26 | (quint32(d.month()) & 0xF) << 22
            | (quint32(d.day()) & 0x1F) << 17 | (quint32(t.hour()) & 0x1F) << 12
            | (quint32(t.minute()) & 0x3F) << 6 | (quint32(t.second()) & 0x3F);
        BitReader bits(packed);
        const int colonHigh = page.DateMode == dmBeforeDate ? 0x80 : 0xC0;
        for (qsizetype i = 0; i < s.size(); ++i) {
            const QChar c = s.at(i);
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                out[i] = char(0x80 | bits.take(3) << 4 | (c.unicode() - '0'));
            else if (c == QLatin1Char(':'))
                out[i] = char(colonHigh | bits.take(4));
        }
    }
    return out;
}

QByteArray ScheduleBytes(const TProgram &page)
{
    return ScheduleBytes(page, QDateTime::currentDateTime());
}
