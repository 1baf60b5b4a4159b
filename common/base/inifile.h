#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>

// An INI file with the semantics the settings rely on: sections and keys in
// file order, section and key names compared case-insensitively, values
// trimmed, booleans written "1"/"0" and read as true when not 0, integers as
// decimal text, files in the system code page. Saving writes a temporary file
// and renames it into place, so a failed save leaves the old file intact.
class IniFile
{
public:
    IniFile() = default;
    explicit IniFile(const QString &fileName);

    // Reads fileName (a missing file is an empty INI); remembers it for Save().
    void Load(const QString &fileName);
    void Read(QIODevice &device);
    void Parse(const QByteArray &bytes);

    // Writes atomically to the remembered file; returns an error text or empty.
    QString Save() const;
    QString SaveAs(const QString &fileName) const;
    QByteArray ToBytes() const;
    bool Write(QIODevice &device) const;

    QString FileName() const { return m_fileName; }

    QString ReadString(const QString &section, const QString &key, const QString &def = QString()) const;
    int ReadInteger(const QString &section, const QString &key, int def) const;
    bool ReadBool(const QString &section, const QString &key, bool def) const;

    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    void WriteBool(const QString &section, const QString &key, bool value);

    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;
    QStringList Sections() const;
    QStringList SectionKeys(const QString &section) const;
    // "key=value" lines of a section, in file order.
    QStringList SectionValues(const QString &section) const;
    void EraseSection(const QString &section);
    void DeleteKey(const QString &section, const QString &key);

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QList<Entry> entries;
    };

    const Section *findSection(const QString &name) const;
    Section &sectionFor(const QString &name);
    const Entry *findEntry(const QString &section, const QString &key) const;

    QString m_fileName;
    QList<Section> m_sections;
};
