#include "signstudio/model/programfile.h"

#include "common/base/codepage.h"
#include "common/base/commatext.h"
#include "signstudio/model/naming.h"
#include "signstudio/model/project.h"

#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>

#include <deque>

namespace {

const QString kProgramList = QStringLiteral("[ProgramList]");
const QString kRegionList = QStringLiteral("[RegionList]");
const QString kFodderList = QStringLiteral("[FodderList]");
const QString kContentList = QStringLiteral("[TxtContentList]");
const QString kBlankMark = QString(QChar(0x203B)); // "※"
const QString kTabMark = QStringLiteral("$&");
const QString kBreakMark = QStringLiteral("*?");
const QString kDateBlankMark = QStringLiteral("?*");
const QString kCrLf = QStringLiteral("\r\n");

bool isLowCode(QChar c)
{
    return c.unicode() <= 32;
}

// Trims characters with a code of 32 or less at both ends.
QString trimLow(const QString &s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isLowCode(s.at(b)))
        ++b;
    while (e > b && isLowCode(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

// A field as written. Fields are written as they are; only a field that
// would not read back (a comma, a control character, a leading quote, or
// blanks or "//" at the ends of the line) is put in double quotes, which
// the comma-text reading understands. Line breaks can not be kept in a line
// and become blanks.
QString writeField(QString field, bool firstOfLine, bool lastOfLine)
{
    if (field.contains(QLatin1Char('\r')) || field.contains(QLatin1Char('\n'))) {
        field.replace(kCrLf, QStringLiteral(" "));
        field.replace(QLatin1Char('\r'), QLatin1Char(' '));
        field.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    bool quote = field.startsWith(QLatin1Char('"')) || field.contains(QLatin1Char(','));
    for (QChar c : field)
        if (c.unicode() < 32 && c != QLatin1Char('\t'))
            quote = true;
    if (firstOfLine && !field.isEmpty() && (isLowCode(field.front()) || field.startsWith(QLatin1String("//"))))
        quote = true;
    if (lastOfLine && !field.isEmpty() && isLowCode(field.back()))
        quote = true;
    if (!quote)
        return field;
    field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QString joinFields(const QStringList &fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (qsizetype i = 0; i < fields.size(); ++i)
        out.append(writeField(fields.at(i), i == 0, i == fields.size() - 1));
    return out.join(QLatin1Char(','));
}

// Content text as written: line breaks as "*?"; blanks and tabs at the end
// (which the reader's trimming would drop) as "※" and "$&".
QString writeContent(QString content)
{
    content.replace(kCrLf, kBreakMark);
    content.replace(QLatin1Char('\r'), kBreakMark);
    content.replace(QLatin1Char('\n'), kBreakMark);
    qsizetype end = content.size();
    while (end > 0 && isLowCode(content.at(end - 1)))
        --end;
    QString tail;
    for (qsizetype i = end; i < content.size(); ++i) {
        const QChar c = content.at(i);
        if (c == QLatin1Char('\t'))
            tail += kTabMark;
        else if (c == QLatin1Char(' '))
            tail += kBlankMark;
        // other control characters at the end are dropped, as the reader would
    }
    return content.left(end) + tail;
}

QString num(int v)
{
    return QString::number(v);
}

// Strict decimal integer: optional sign and digits, within int range.
bool readInt(const QString &text, int &value)
{
    if (text.isEmpty() || text.size() > 12)
        return false;
    qsizetype i = 0;
    if (text.at(0) == QLatin1Char('-') || text.at(0) == QLatin1Char('+'))
        i = 1;
    if (i >= text.size())
        return false;
    for (qsizetype j = i; j < text.size(); ++j)
        if (text.at(j) < QLatin1Char('0') || text.at(j) > QLatin1Char('9'))
            return false;
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || v < INT_MIN || v > INT_MAX)
        return false;
    value = int(v);
    return true;
}

QStringList splitLine(QString line)
{
    line.replace(QLatin1Char('\t'), kTabMark);
    line.replace(QLatin1Char(' '), kBlankMark);
    QStringList fields = SplitCommaText(line);
    for (QString &f : fields)
        f.replace(kBlankMark, QStringLiteral(" "));
    return fields;
}

QString restoreMarks(QString text)
{
    text.replace(kBreakMark, kCrLf);
    text.replace(kTabMark, QStringLiteral("\t"));
    text.replace(kBlankMark, QStringLiteral(" "));
    return text;
}

// Hands out the lines of the bytes one by one, split at CR LF, CR or LF.
class LineReader
{
public:
    explicit LineReader(const QByteArray &bytes) : m_bytes(bytes) {}
    bool next(QByteArrayView &line)
    {
        const qsizetype n = m_bytes.size();
        if (m_pos >= n)
            return false;
        qsizetype i = m_pos;
        while (i < n && m_bytes.at(i) != '\r' && m_bytes.at(i) != '\n')
            ++i;
        line = QByteArrayView(m_bytes.constData() + m_pos, i - m_pos);
        if (i < n && m_bytes.at(i) == '\r' && i + 1 < n && m_bytes.at(i + 1) == '\n')
            ++i;
        m_pos = i + 1;
        return true;
    }

private:
    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
};

// Lines of the three list sections never have more fields than this; a
// line with more commas is not one of them and is passed over.
constexpr qsizetype kMaxCommas = 1000;

class Loader
{
public:
    Loader(TProject &project, const QString &card, int maxObjects)
        : m_p(project), m_card(card), m_maxObjects(maxObjects)
    {
        m_screen = project.ScreenSizeOf(card);
        if (const TFIXModem *c = project.FindCard(card))
            m_screenPanel = c->PanelName;
    }

    ProgramFile::TLoadResult run(const QByteArray &bytes)
    {
        ProgramFile::TLoadResult result;
        QStringDecoder decoder(CodePage::SystemName().constData(), QStringConverter::Flag::Stateless);
        enum Section { None, PagesSection, RegionsSection, FoddersSection, ContentsSection } section = None;
        LineReader reader(bytes);
        QByteArrayView raw;
        while (reader.next(raw)) {
            const QString line = decoder.isValid() ? QString(decoder.decode(raw)) : QString::fromLocal8Bit(raw);
            const QString trimmed = trimLow(line);
            if (trimmed.isEmpty() || line.startsWith(QLatin1String("//")))
                continue;
            ++m_p.PanelCounter;
            if (line == kProgramList) {
                section = PagesSection;
                continue;
            }
            if (line == kRegionList) {
                section = RegionsSection;
                continue;
            }
            if (line == kFodderList) {
                section = FoddersSection;
                continue;
            }
            if (line == kContentList) {
                section = ContentsSection;
                continue;
            }
            if (section != ContentsSection && section != None && trimmed.count(QLatin1Char(',')) > kMaxCommas)
                continue;
            bool ok = true;
            switch (section) {
            case None:
                break;
            case PagesSection:
                readPage(trimmed);
                break;
            case RegionsSection:
                ok = readRegion(trimmed);
                break;
            case FoddersSection:
                readFodder(trimmed);
                break;
            case ContentsSection:
                readContent(trimmed);
                break;
            }
            if (m_pages + m_regions + m_fodders > m_maxObjects)
                ok = false;
            if (!ok) {
                result.status = ProgramFile::TLoadResult::Failed;
                result.error = QStringLiteral("warn_open_load_fail");
                result.missingFiles = m_missing;
                return result;
            }
        }
        // Place the materials: region by region in the order the regions
        // first got one, each region's materials in play order.
        for (auto &group : m_groups)
            for (auto &f : group.items) {
                m_p.Fodders.push_back(std::move(f));
                ++result.fodders;
            }
        result.status = ProgramFile::TLoadResult::Loaded;
        result.pages = m_pages;
        result.regions = m_regions;
        result.missingFiles = m_missing;
        return result;
    }

private:
    // Identifiers must be unique within the card (two cards may share one
    // file and so the same identifiers); a repeated or empty one is renewed.
    QString freshUid(const QString &uid)
    {
        QString u = uid;
        while (u.isEmpty() || m_uids.contains(u))
            u = NewUID();
        m_uids.insert(u);
        return u;
    }

    void readPage(const QString &line)
    {
        const QStringList f = splitLine(line);
        if (f.size() < 5)
            return;
        auto page = std::make_unique<TProgram>();
        page->CardName = m_card;
        page->PageName = f.at(0);
        page->PageUID = freshUid(f.at(1));
        page->StartTime = f.at(3);
        page->EndTime = f.at(4);
        page->WeekDays = f.size() > 5 ? f.at(5) : m_p.Text(QStringLiteral("cycle_everyday"));
        if (f.size() > 7) {
            page->PlayDate = QString(f.at(6)).replace(kDateBlankMark, QStringLiteral(" "));
            int mode = 1;
            page->DateMode = readInt(f.at(7), mode) ? mode : 1;
        } else {
            page->PlayDate.clear();
            page->DateMode = dmEveryDay;
        }
        page->PanelName = m_p.NextPanelName(QStringLiteral("pnProgram"));
        page->ScreenPanelName = m_screenPanel;
        m_current = page.get();
        m_pagePanelCreated = true;
        if (!m_pageByName.contains(page->PageName))
            m_pageByName.insert(page->PageName, page.get());
        m_p.Pages.push_back(std::move(page));
        ++m_pages;
    }

    // False when the load fails.
    bool readRegion(const QString &line)
    {
        const QStringList f = splitLine(line);
        if (f.size() != 9)
            return true;
        int left = 0, top = 0, width = 0, height = 0;
        if (!readInt(f.at(5), left) || !readInt(f.at(6), top) || !readInt(f.at(7), width)
            || !readInt(f.at(8), height))
            return false;
        if (left < 0 || top < 0 || width < 0 || height < 0)
            return false;
        if (m_pagePanelCreated
            && (qint64(m_screen.width()) < qint64(left) + width || qint64(m_screen.height()) < qint64(top) + height))
            return false;
        auto region = std::make_unique<TRegion>();
        region->CardName = m_card;
        region->RegionName = f.at(2);
        region->RegionUID = freshUid(f.at(3));
        region->Left = left;
        region->Top = top;
        region->Width = width;
        region->Height = height;
        region->ScreenPanelName = m_screenPanel;
        TProgram *page = m_pageByName.value(f.at(0));
        if (page) {
            m_current = page;
            // The region belongs to the page it is shown under.
            region->PageName = page->PageName;
            region->PageUID = page->PageUID;
        } else {
            region->PageName = f.at(0);
            region->PageUID = f.at(1);
            region->InTree = false;
        }
        region->PagePanelName = m_current ? m_current->PanelName : QString();
        region->PanelName = m_p.NextPanelName(QStringLiteral("pnRegion"));
        if (page) {
            const auto key = qMakePair(page, region->RegionName);
            if (!m_regionByName.contains(key))
                m_regionByName.insert(key, region.get());
        }
        m_p.Regions.push_back(std::move(region));
        ++m_regions;
        return true;
    }

    void readFodder(const QString &line)
    {
        const QStringList f = splitLine(line);
        if (f.size() < 24)
            return;
        int kind = -1;
        if (!readInt(f.at(6), kind) || !IsValidFodderKind(kind))
            return;
        ++m_p.KindCounters[size_t(kind)];

        const TFodder defaults = TFodder::NewOfKind(kind, QDateTime());
        auto number = [&](int index, int fallback) {
            int v = fallback;
            if (index < f.size() && readInt(f.at(index), v))
                return v;
            return fallback;
        };
        const qsizetype n = f.size();

        QStringList files;
        const QString filesField = restoreMarks(f.at(14));
        for (const QString &name : filesField.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            files.append(name);
        if (kind == fkTable) {
            for (QString &name : files)
                if (!QFileInfo::exists(name))
                    name = m_p.ProgramFolderPath() + name;
        }

        TProgram *page = m_pageByName.value(f.at(0));
        TRegion *region = page ? m_regionByName.value(qMakePair(page, f.at(1))) : nullptr;
        if (!region)
            return;

        auto fodder = std::make_unique<TFodder>();
        fodder->CardName = m_card;
        fodder->PageName = region->PageName;
        fodder->RegionName = region->RegionName;
        fodder->RegionUID = region->RegionUID;
        fodder->FodderName = f.at(3);
        fodder->FodderUID = freshUid(f.at(4));
        fodder->PanelName = m_p.NextPanelName(QStringLiteral("pnFodder"));
        fodder->Kind = kind;
        fodder->PlayTimes = number(7, defaults.PlayTimes);
        fodder->DisplayMode = number(8, defaults.DisplayMode);
        fodder->DisplaySpeed = number(9, defaults.DisplaySpeed);
        fodder->StayTime = number(10, defaults.StayTime);
        fodder->TypeCode = number(11, defaults.TypeCode);
        fodder->ExtraByte1 = number(12, defaults.ExtraByte1);
        fodder->ExtraByte2 = number(13, defaults.ExtraByte2);
        fodder->DigitColor = number(15, defaults.DigitColor);
        fodder->CharColor = number(16, defaults.CharColor);
        fodder->FontCode = number(17, defaults.FontCode);
        fodder->FontSizeCode = number(18, defaults.FontSizeCode);
        fodder->FormatCode = number(19, defaults.FormatCode);
        fodder->FormatCode2 = number(20, defaults.FormatCode2);
        fodder->OptionCode = number(21, defaults.OptionCode);
        fodder->Number1 = number(22, defaults.Number1);
        fodder->Number2 = number(23, defaults.Number2);
        fodder->RowSpan = n > 25 ? number(24, 0) : 0;
        fodder->VerAlign = n > 25 ? number(25, 0) : 0;
        fodder->LineColor = n > 27 ? number(26, 0) : 0;
        fodder->LineWidth = n > 27 ? number(27, 0) : 0;
        fodder->YAxisPos = n > 28 ? number(28, 0) : 0;
        fodder->ScreenPanelName = region->ScreenPanelName;
        fodder->PagePanelName = region->PagePanelName;
        fodder->RegionPanelName = region->PanelName;
        for (const QString &name : files) {
            if (QFileInfo::exists(name))
                fodder->PictureFiles.append({int(fodder->PictureFiles.size()) + 1, name});
            else
                m_missing.append(name);
        }

        if (!m_fodderByUid.contains(fodder->FodderUID))
            m_fodderByUid.insert(fodder->FodderUID, fodder.get());
        auto it = m_groupIndex.find(region);
        if (it == m_groupIndex.end()) {
            it = m_groupIndex.insert(region, m_groups.size());
            m_groups.push_back({});
        }
        auto &items = m_groups[size_t(it.value())].items;
        if (kind == fkQueue)
            items.push_front(std::move(fodder));
        else
            items.push_back(std::move(fodder));
        ++m_fodders;
    }

    void readContent(const QString &line)
    {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            return;
        const QString rest = line.mid(eq + 1);
        if (rest.isEmpty())
            return;
        if (TFodder *f = m_fodderByUid.value(line.left(eq)))
            f->Content = restoreMarks(rest);
    }

    struct Group
    {
        std::deque<std::unique_ptr<TFodder>> items;
    };

    TProject &m_p;
    QString m_card;
    int m_maxObjects;
    QSize m_screen;
    QString m_screenPanel;
    bool m_pagePanelCreated = false;
    TProgram *m_current = nullptr;
    QHash<QString, TProgram *> m_pageByName;
    QHash<QPair<TProgram *, QString>, TRegion *> m_regionByName;
    QHash<QString, TFodder *> m_fodderByUid;
    QHash<TRegion *, qsizetype> m_groupIndex;
    std::deque<Group> m_groups;
    QSet<QString> m_uids;
    QStringList m_missing;
    int m_pages = 0;
    int m_regions = 0;
    int m_fodders = 0;
};

ProgramFile::TLoadResult failed()
{
    ProgramFile::TLoadResult r;
    r.status = ProgramFile::TLoadResult::Failed;
    r.error = QStringLiteral("warn_open_load_fail");
    return r;
}

} // namespace

namespace ProgramFile {

QByteArray Write(const TProject &project, const QString &cardName)
{
    const QSize screen = project.ScreenSizeOf(cardName);
    const int W = screen.width();
    const int H = screen.height();
    QStringList lines;

    lines.append(kProgramList);
    for (const TProgram *p : project.PagesOfCard(cardName)) {
        lines.append(joinFields({p->PageName, p->PageUID, p->PanelName, p->StartTime, p->EndTime, p->WeekDays,
                                 QString(p->PlayDate).replace(QLatin1Char(' '), kDateBlankMark), num(p->DateMode)}));
    }

    lines.append(kRegionList);
    for (const auto &r : project.Regions) {
        if (r->CardName != cardName)
            continue;
        // Clipped to the screen as written; the region itself is not changed.
        int left = qMax(0, r->Left), top = qMax(0, r->Top);
        int width = qMax(0, r->Width), height = qMax(0, r->Height);
        if (left >= W)
            left = 0;
        if (qint64(left) + width >= W)
            width = qMax(0, W - left);
        if (top >= H)
            top = 0;
        if (qint64(top) + height >= H)
            height = qMax(0, H - top);
        lines.append(joinFields({r->PageName, r->PageUID, r->RegionName, r->RegionUID, r->PanelName, num(left),
                                 num(top), num(width), num(height)}));
    }

    lines.append(kFodderList);
    QList<const TFodder *> written;
    const QString folder = project.ProgramFolderPath();
    for (const auto &f : project.Fodders) {
        if (f->CardName != cardName || !f->TextPageUID.isEmpty() || f->TypeCode < 10)
            continue;
        written.append(f.get());
        QStringList files = f->FileNames();
        if (f->Kind == fkTable) {
            for (QString &name : files)
                if (!folder.isEmpty() && name.startsWith(folder))
                    name = name.mid(folder.size());
        }
        lines.append(joinFields({f->PageName, f->RegionName, f->RegionUID, f->FodderName, f->FodderUID,
                                 f->PanelName, num(f->Kind), num(f->PlayTimes), num(f->DisplayMode),
                                 num(f->DisplaySpeed), num(f->StayTime), num(f->TypeCode), num(f->ExtraByte1),
                                 num(f->ExtraByte2), files.join(QLatin1Char(';')), num(f->DigitColor),
                                 num(f->CharColor), num(f->FontCode), num(f->FontSizeCode), num(f->FormatCode),
                                 num(f->FormatCode2), num(f->OptionCode), num(f->Number1), num(f->Number2),
                                 num(f->RowSpan), num(f->VerAlign), num(f->LineColor), num(f->LineWidth),
                                 num(f->YAxisPos)}));
    }

    lines.append(kContentList);
    for (const TFodder *f : written)
        if (!f->Content.isEmpty())
            lines.append(f->FodderUID + QLatin1Char('=') + writeContent(f->Content));

    return CodePage::Encode(lines.join(kCrLf) + kCrLf);
}

TLoadResult Read(TProject &project, const QString &cardName, const QByteArray &bytes, int maxObjects)
{
    project.ClearCard(cardName);
    if (bytes.size() > kMaxFileSize)
        return failed();
    Loader loader(project, cardName, maxObjects);
    TLoadResult result = loader.run(bytes);
    if (result.status == TLoadResult::Failed) {
        project.ClearCard(cardName);
        return result;
    }
    if (TFIXModem *card = project.FindCard(cardName))
        card->RemoteTextFree = !project.HoldsRemoteText(cardName);
    if (project.Observer())
        project.Observer()->CardLoaded(cardName);
    return result;
}

TLoadResult Read(TProject &project, const QString &cardName, QIODevice &device)
{
    const QByteArray bytes = device.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize) {
        project.ClearCard(cardName);
        return failed();
    }
    return Read(project, cardName, bytes);
}

QString WriteFile(const TProject &project, const QString &cardName, const QString &path)
{
    QSaveFile file(path);
    // Unbuffered and flushed: a write error that only shows when the buffer
    // is emptied would otherwise let the shortened file replace the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const QByteArray bytes = Write(project, cardName);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

TLoadResult LoadFile(TProject &project, const QString &cardName, const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir())
        return TLoadResult();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // An unreadable file changes nothing.
        TLoadResult r = failed();
        return r;
    }
    TLoadResult result = Read(project, cardName, file);
    if (TFIXModem *card = project.FindCard(cardName)) {
        if (result.status == TLoadResult::Loaded)
            card->ProgramFile = path;
        card->Modified = false;
    }
    return result;
}

} // namespace ProgramFile
