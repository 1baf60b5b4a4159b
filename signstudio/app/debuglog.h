#pragma once

#include <QDate>
#include <QString>

// A trace of what the text editor produces, kept for diagnosing card
// contents. Off unless the environment variable SIGN_DEBUG_LOG is set to a
// value other than 0 when the program starts.
class TDebugLog
{
public:
    explicit TDebugLog(const QString &programFolder = QString());

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on) { m_enabled = on; }
    static bool EnabledByEnvironment();

    // programFolder + "DebugFile" + yyyymmdd + ".Text".
    QString FileName(const QDate &day = QDate::currentDate()) const;

    // Creates today's file when the trace is on and the file is missing.
    void CreateFile() const;
    // Appends "hh:mm:ss.zzz " + text + line end when the trace is on.
    void Log(const QString &text) const;

private:
    QString m_folder;
    bool m_enabled = false;
};
