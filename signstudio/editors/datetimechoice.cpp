#include "signstudio/editors/datetimechoice.h"

#include "signstudio/lang/langtext.h"

#include <QCalendarWidget>
#include <QDateTime>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

QDateTime parseMoment(const QString &text)
{
    QString t = text;
    t.replace(QChar(0x3000), QLatin1Char(' '));
    t = t.trimmed();
    const char *formats[] = {"yyyy-MM-dd HH:mm:ss", "yyyy-M-d H:m:s", "yyyy-MM-dd HH:mm",
                             "yyyy/MM/dd HH:mm:ss", "yyyy/M/d H:m:s",  "yyyy-MM-dd",
                             "yyyy/M/d"};
    for (const char *f : formats) {
        const QDateTime dt = QDateTime::fromString(t, QLatin1String(f));
        if (dt.isValid())
            return dt;
    }
    return QDateTime();
}

} // namespace

QString DateTimeValueOrNow(const QString &value)
{
    QDateTime dt = parseMoment(value);
    if (!dt.isValid())
        dt = QDateTime::currentDateTime();
    return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

DateTimeAnswer ChooseDateTime(QWidget *parent, const DateTimeRequest &request)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("frmDateTime"));
    const QString caption = LangText(14, QStringLiteral("datetime_choose"));
    dialog.setWindowTitle(caption.isEmpty() ? QStringLiteral("Date and time") : caption);

    auto *layout = new QVBoxLayout(&dialog);
    auto *calendar = new QCalendarWidget(&dialog);
    calendar->setObjectName(QStringLiteral("mCalendar"));
    auto *time = new QTimeEdit(&dialog);
    time->setObjectName(QStringLiteral("dtPicker"));
    time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    layout->addWidget(calendar);
    layout->addWidget(time);

    QDateTime moment = parseMoment(request.value);
    if (!moment.isValid())
        moment = QDateTime::currentDateTime();
    calendar->setSelectedDate(moment.date());
    time->setTime(moment.time());

    QList<QRadioButton *> items;
    if (request.withPosition) {
        auto *group = new QGroupBox(&dialog);
        group->setObjectName(QStringLiteral("rgDatePos"));
        auto *gl = new QHBoxLayout(group);
        for (int i = 0; i < request.positions.size(); ++i) {
            auto *b = new QRadioButton(request.positions.at(i), group);
            gl->addWidget(b);
            items << b;
            QObject::connect(b, &QRadioButton::toggled, &dialog, [=](bool on) {
                if (on) {
                    calendar->setEnabled(i != 0);
                    time->setEnabled(i != 0);
                }
            });
        }
        if (!items.isEmpty())
            items.at(qBound(0, request.position, int(items.size()) - 1))->setChecked(true);
        layout->addWidget(group);
        auto *note = new QLabel(request.note, &dialog);
        note->setObjectName(QStringLiteral("pnNote"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }

    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(&dialog);
    ok->setObjectName(QStringLiteral("btSure"));
    auto *quit = new QPushButton(&dialog);
    quit->setObjectName(QStringLiteral("btQuit"));
    const QString okText = LangText(14, QStringLiteral("btSure"));
    const QString quitText = LangText(14, QStringLiteral("btQuit"));
    ok->setText(okText.isEmpty() ? QStringLiteral("OK") : okText);
    quit->setText(quitText.isEmpty() ? QStringLiteral("Cancel") : quitText);
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(quit);
    layout->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(quit, &QPushButton::clicked, &dialog, &QDialog::reject);
    if (request.height > 0)
        dialog.resize(dialog.sizeHint().width(), qMax(request.height, dialog.minimumSizeHint().height()));

    DateTimeAnswer answer;
    if (dialog.exec() != QDialog::Accepted)
        return answer;
    answer.accepted = true;
    answer.value = calendar->selectedDate().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ')
                   + time->time().toString(QStringLiteral("HH:mm:ss"));
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i)->isChecked())
            answer.position = i;
    }
    return answer;
}
