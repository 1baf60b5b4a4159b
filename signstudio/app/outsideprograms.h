#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The programs the main window starts beside itself: a paint program, a
// text editor and the help file. Each is configurable through the
// environment (SIGN_PAINT_PROGRAM, SIGN_TEXT_EDITOR, SIGN_HELP_VIEWER);
// otherwise the first installed one of a list of common programs is used.
// Failures are ignored: nothing is reported to the operator.
class TOutsidePrograms
{
public:
    // Starts program with arguments, detached; true when it started.
    using Starter = std::function<bool(const QString &program, const QStringList &arguments)>;

    explicit TOutsidePrograms(Starter starter = {});

    QString PaintProgram() const;
    QString TextEditor() const;
    // Program and arguments that open the help file.
    QStringList HelpCommand(const QString &helpFile) const;

    void StartPaint() const;
    void StartTextEditor() const;
    void OpenHelp(const QString &helpFile) const;

private:
    static QString configured(const char *variable, const QStringList &candidates);
    Starter m_start;
};
