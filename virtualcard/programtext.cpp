#include "virtualcard/programtext.h"

#include <QDate>
#include <QTime>

namespace {

constexpr int DigitPositions[8] = {0, 1, 3, 4, 6, 7, 9, 10};

bool IsPlainDigit(char c) { return c >= '0' && c <= '9'; }

QString TimeText(int h1, int h2, int m1, int m2)
{
    return QString::number(h1) + QString::number(h2) + QLatin1Char(':') + QString::number(m1)
         + QString::number(m2);
}

int TimeMinutes(const QString &hhmm)
{
    if (hhmm.size() != 5)
        return -1;
    bool okH = false;
    bool okM = false;
    const int h = hhmm.left(2).toInt(&okH);
    const int m = hhmm.mid(3, 2).toInt(&okM);
    if (!okH || !okM)
        return -1;
    return h * 60 + m;
}

} // namespace

bool PageSchedule::PlaysAt(const QDateTime &moment) const
{
    if (!Valid)
        return true;
    switch (DateMode) {
    case 0:
        if (PlayDate.isValid() && moment >= PlayDate)
            return false;
        break;
    case 1:
        if (PlayDate.isValid() && moment < PlayDate)
            return false;
        break;
    case 2:
        if (!WeekDays.contains(moment.date().dayOfWeek() % 7))
            return false;
        break;
    default:
        break;
    }
    const int start = TimeMinutes(StartTime);
    const int end = TimeMinutes(EndTime);
    if (start < 0 || end < 0 || start == end)
        return true;
    const int now = moment.time().hour() * 60 + moment.time().minute();
    if (start < end)
        return now >= start && now < end;
    return now >= start || now < end; // runs across midnight
}

int ProgramTextResult::MaterialCount() const
{
    int n = 0;
    for (const ProgramPage &page : Pages)
        n += int(page.Materials.size());
    return n;
}

const ProgramMaterial *ProgramTextResult::FindMaterial(const QString &fodderUid) const
{
    for (const ProgramPage &page : Pages)
        for (const ProgramMaterial &m : page.Materials)
            if (m.FodderUID == fodderUid)
                return &m;
    return nullptr;
}

namespace ProgramText {

PageSchedule DecodeSchedule(const QByteArray &bytes)
{
    PageSchedule s;
    if (bytes.size() != 11) {
        s.Error = QStringLiteral("schedule is not 11 bytes");
        return s;
    }
    if (bytes.at(5) != '-') {
        s.Error = QStringLiteral("schedule has no '-' between the times");
        return s;
    }
    const auto at = [&](int i) { return quint8(bytes.at(i)); };

    bool plainDigits = true;
    bool highDigits = true;
    for (int p : DigitPositions) {
        plainDigits = plainDigits && IsPlainDigit(bytes.at(p));
        highDigits = highDigits && (at(p) & 0x80) && (at(p) & 0x0F) <= 9;
    }

    int digit[11] = {};
    if (plainDigits) {
        for (int p : DigitPositions)
            digit[p] = at(p) - '0';
        const quint8 c1 = at(2);
        const quint8 c2 = at(8);
        if (c1 == ':' && c2 == ':') {
            s.DateMode = -1;
        } else if ((c1 & 0xF8) == 0x40 && (c2 & 0xF0) == 0x40) {
            s.DateMode = 2;
            const bool on[7] = {bool(c2 & 1), bool(c2 & 2), bool(c2 & 4), bool(c2 & 8),
                                bool(c1 & 1), bool(c1 & 2), bool(c1 & 4)};
            for (int d = 0; d < 7; ++d)
                if (on[d])
                    s.WeekDays.append(d);
        } else {
            s.Error = QStringLiteral("schedule separators are neither ':' nor weekday bits");
            return s;
        }
    } else if (highDigits) {
        const quint8 c1 = at(2);
        const quint8 c2 = at(8);
        const int mode1 = (c1 & 0xF0) == 0x80 ? 0 : (c1 & 0xF0) == 0xC0 ? 1 : -1;
        const int mode2 = (c2 & 0xF0) == 0x80 ? 0 : (c2 & 0xF0) == 0xC0 ? 1 : -1;
        if (mode1 < 0 || mode1 != mode2) {
            s.Error = QStringLiteral("schedule date marks are inconsistent");
            return s;
        }
        s.DateMode = mode1;
        quint32 bits = 0;
        for (int p = 0; p < 11; ++p) {
            if (p == 5)
                continue;
            if (p == 2 || p == 8) {
                bits = (bits << 4) | (at(p) & 0x0F);
            } else {
                bits = (bits << 3) | ((at(p) >> 4) & 0x07);
                digit[p] = at(p) & 0x0F;
            }
        }
        const int year = int(bits >> 26) & 0x3F;
        const int month = int(bits >> 22) & 0x0F;
        const int day = int(bits >> 17) & 0x1F;
        const int hour = int(bits >> 12) & 0x1F;
        const int minute = int(bits >> 6) & 0x3F;
        const int second = int(bits) & 0x3F;
        s.PlayDate = QDateTime(QDate(2000 + year, month, day), QTime(hour, minute, second));
        if (!s.PlayDate.isValid()) {
            s.Error = QStringLiteral("schedule date is not a valid date");
            return s;
        }
    } else {
        s.Error = QStringLiteral("schedule times are not digits");
        return s;
    }
    s.StartTime = TimeText(digit[0], digit[1], digit[3], digit[4]);
    s.EndTime = TimeText(digit[6], digit[7], digit[9], digit[10]);
    s.Valid = true;
    return s;
}

namespace {

// "<uid><type><x/8><y><w/8><h>1000000000#0<play times>#<fixed text>" (without ';')
QString ParseMaterial(const QByteArray &entry, ProgramMaterial &m)
{
    const QList<QByteArray> parts = entry.split('#');
    if (parts.size() < 3)
        return QStringLiteral("material entry has fewer than two '#'");
    const QByteArray &head = parts.at(0);
    // A remote text item: "<uid>#<play times>#<fixed text>".
    if (parts.size() == 3 && !parts.at(1).isEmpty() && parts.at(2).size() == 12) {
        bool ok = false;
        const int times = parts.at(1).toInt(&ok);
        if (ok && !head.isEmpty() && head.size() < 24) {
            m.FodderUID = QString::fromLatin1(head);
            m.PlayTimes = times;
            m.FixedText = QString::fromLatin1(parts.at(2));
            m.RemoteItem = true;
            return {};
        }
    }
    // uid + type + 4 numbers of 3 digits + "1" "0000" "00000"
    if (head.size() < 24)
        return QStringLiteral("material entry head is too short");
    const qsizetype typeAt = head.size() - 23;
    for (qsizetype i = typeAt + 1; i < head.size(); ++i)
        if (!IsPlainDigit(head.at(i)))
            return QStringLiteral("material entry geometry is not digits");
    m.FodderUID = QString::fromLatin1(head.left(typeAt));
    m.TypeCode = quint8(head.at(typeAt));
    const auto number = [&](int k) { return head.mid(typeAt + 1 + k * 3, 3).toInt(); };
    m.RegionX = number(0) * 8;
    m.RegionY = number(1);
    m.RegionWidth = number(2) * 8;
    m.RegionHeight = number(3);
    const QByteArray &times = parts.at(1);
    bool ok = false;
    m.PlayTimes = times.size() >= 2 ? times.mid(1).toInt(&ok) : 0;
    if (!ok || times.at(0) != '0')
        return QStringLiteral("material play count is not a number");
    m.FixedText = QString::fromLatin1(entry.mid(parts.at(0).size() + parts.at(1).size() + 2));
    return {};
}

} // namespace

ProgramTextResult Parse(const QByteArray &payload)
{
    ProgramTextResult result;
    if (payload.isEmpty()) {
        result.Error = QStringLiteral("empty program text");
        return result;
    }
    qsizetype pos = payload.indexOf(',');
    if (pos < 0) {
        result.Error = QStringLiteral("program text has no page");
        return result;
    }
    QString firstUid = QString::fromLatin1(payload.left(pos));
    int materialNo = 0;
    while (pos < payload.size()) {
        if (payload.at(pos) == ',') {
            if (pos + 12 >= payload.size()) {
                result.Error = QStringLiteral("page schedule is cut short");
                return result;
            }
            if (payload.at(pos + 12) != '.') {
                result.Error = QStringLiteral("page schedule is not followed by '.'");
                return result;
            }
            ProgramPage page;
            if (result.Pages.isEmpty())
                page.PageUID = firstUid;
            page.ScheduleRaw = payload.mid(pos + 1, 11);
            page.Schedule = DecodeSchedule(page.ScheduleRaw);
            if (!page.Schedule.Valid) {
                result.Error = QStringLiteral("page %1: %2").arg(result.Pages.size() + 1).arg(page.Schedule.Error);
                return result;
            }
            result.Pages.append(page);
            pos += 13;
            continue;
        }
        const qsizetype end = payload.indexOf(';', pos);
        if (end < 0) {
            result.Error = QStringLiteral("material entry has no closing ';'");
            return result;
        }
        ProgramMaterial m;
        const QString error = ParseMaterial(payload.mid(pos, end - pos), m);
        if (!error.isEmpty()) {
            result.Error = QStringLiteral("material %1: %2").arg(materialNo + 1).arg(error);
            return result;
        }
        m.MaterialNo = ++materialNo;
        result.Pages.last().Materials.append(m);
        pos = end + 1;
    }
    return result;
}

} // namespace ProgramText
