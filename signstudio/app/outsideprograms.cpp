#include "signstudio/app/outsideprograms.h"

#include <QProcess>
#include <QStandardPaths>

TOutsidePrograms::TOutsidePrograms(Starter starter)
    : m_start(std::move(starter))
{
    if (!m_start) {
        m_start = [](const QString &program, const QStringList &arguments) {
            return !program.isEmpty() && QProcess::startDetached(program, arguments);
        };
    }
}

QString TOutsidePrograms::configured(const char *variable, const QStringList &candidates)
{
    const QString chosen = qEnvironmentVariable(variable).trimmed();
    if (!chosen.isEmpty())
        return chosen;
    for (const QString &c : candidates) {
        const QString path = QStandardPaths::findExecutable(c);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

QString TOutsidePrograms::PaintProgram() const
{
    return configured("SIGN_PAINT_PROGRAM", {QStringLiteral("kolourpaint"), QStringLiteral("pinta"),
                                             QStringLiteral("mtpaint"), QStringLiteral("gimp")});
}

QString TOutsidePrograms::TextEditor() const
{
    return configured("SIGN_TEXT_EDITOR", {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"),
                                           QStringLiteral("mousepad"), QStringLiteral("pluma"),
                                           QStringLiteral("kate"), QStringLiteral("kwrite"),
                                           QStringLiteral("xed"), QStringLiteral("featherpad")});
}

QStringList TOutsidePrograms::HelpCommand(const QString &helpFile) const
{
    // A compiled help file needs a viewer such as xchm; xdg-open picks the
    // desktop's choice otherwise.
    const QString viewer = configured("SIGN_HELP_VIEWER", {QStringLiteral("xchm"), QStringLiteral("kchmviewer"),
                                                           QStringLiteral("xdg-open")});
    if (viewer.isEmpty())
        return {};
    return {viewer, helpFile};
}

void TOutsidePrograms::StartPaint() const
{
    const QString p = PaintProgram();
    if (!p.isEmpty())
        m_start(p, {});
}

void TOutsidePrograms::StartTextEditor() const
{
    const QString p = TextEditor();
    if (!p.isEmpty())
        m_start(p, {});
}

void TOutsidePrograms::OpenHelp(const QString &helpFile) const
{
    const QStringList cmd = HelpCommand(helpFile);
    if (cmd.size() == 2)
        m_start(cmd.at(0), {cmd.at(1)});
}
