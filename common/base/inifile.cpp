#include "common/base/inifile.h"

#include "common/base/codepage.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

IniFile::IniFile(const QString &fileName)
{
    Load(fileName);
}

void IniFile::Load(const QString &fileName)
{
    m_fileName = fileName;
    m_sections.clear();
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly))
        Read(file);
}

void IniFile::Read(QIODevice &device)
{
    Parse(device.readAll());
}

void IniFile::Parse(const QByteArray &bytes)
{
    m_sections.clear();
    const QString text = CodePage::Decode(bytes);
    Section *current = nullptr;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed().toString();
            current = &sectionFor(name);
            continue;
        }
        if (!current)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        Entry entry;
        entry.key = (eq < 0 ? line : line.left(eq)).trimmed().toString();
        entry.value = eq < 0 ? QString() : line.mid(eq + 1).trimmed().toString();
        if (entry.key.isEmpty())
            continue;
        bool replaced = false;
        for (Entry &existing : current->entries) {
            if (existing.key.compare(entry.key, Qt::CaseInsensitive) == 0) {
                replaced = true; // the first occurrence wins, as on Windows
                break;
            }
        }
        if (!replaced)
            current->entries.append(entry);
    }
}

QByteArray IniFile::ToBytes() const
{
    QString text;
    for (const Section &section : m_sections) {
        text += QLatin1Char('[') + section.name + QLatin1String("]\r\n");
        for (const Entry &entry : section.entries)
            text += entry.key + QLatin1Char('=') + entry.value + QLatin1String("\r\n");
    }
    return CodePage::Encode(text);
}

bool IniFile::Write(QIODevice &device) const
{
    const QByteArray bytes = ToBytes();
    return device.write(bytes) == bytes.size();
}

QString IniFile::Save() const
{
    return SaveAs(m_fileName);
}

QString IniFile::SaveAs(const QString &fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!Write(file)) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    for (const Section &section : m_sections) {
        if (section.name.compare(name, Qt::CaseInsensitive) == 0)
            return &section;
    }
    return nullptr;
}

IniFile::Section &IniFile::sectionFor(const QString &name)
{
    for (Section &section : m_sections) {
        if (section.name.compare(name, Qt::CaseInsensitive) == 0)
            return section;
    }
    m_sections.append(Section{name, {}});
    return m_sections.last();
}

const IniFile::Entry *IniFile::findEntry(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s)
        return nullptr;
    for (const Entry &entry : s->entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

QString IniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const Entry *entry = findEntry(section, key);
    return entry ? entry->value : def;
}

int IniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    const Entry *entry = findEntry(section, key);
    if (!entry)
        return def;
    bool ok = false;
    const int value = entry->value.toInt(&ok);
    return ok ? value : def;
}

bool IniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    Section &s = sectionFor(section);
    for (Entry &entry : s.entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0) {
            entry.value = value;
            return;
        }
    }
    s.entries.append(Entry{key, value});
}

void IniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::SectionExists(const QString &section) const
{
    return findSection(section) != nullptr;
}

bool IniFile::ValueExists(const QString &section, const QString &key) const
{
    return findEntry(section, key) != nullptr;
}

QStringList IniFile::Sections() const
{
    QStringList names;
    for (const Section &section : m_sections)
        names.append(section.name);
    return names;
}

QStringList IniFile::SectionKeys(const QString &section) const
{
    QStringList keys;
    if (const Section *s = findSection(section)) {
        for (const Entry &entry : s->entries)
            keys.append(entry.key);
    }
    return keys;
}

QStringList IniFile::SectionValues(const QString &section) const
{
    QStringList lines;
    if (const Section *s = findSection(section)) {
        for (const Entry &entry : s->entries)
            lines.append(entry.key + QLatin1Char('=') + entry.value);
    }
    return lines;
}

void IniFile::EraseSection(const QString &section)
{
    for (qsizetype i = 0; i < m_sections.size(); ++i) {
        if (m_sections.at(i).name.compare(section, Qt::CaseInsensitive) == 0) {
            m_sections.removeAt(i);
            return;
        }
    }
}

void IniFile::DeleteKey(const QString &section, const QString &key)
{
    for (Section &s : m_sections) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        for (qsizetype i = 0; i < s.entries.size(); ++i) {
            if (s.entries.at(i).key.compare(key, Qt::CaseInsensitive) == 0) {
                s.entries.removeAt(i);
                return;
            }
        }
    }
}
