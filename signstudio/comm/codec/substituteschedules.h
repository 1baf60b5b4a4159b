#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The program-data payload for plain serial and TCP links: the text copied
// byte by byte, except that after every ',' the 11 characters that follow are
// replaced by the next 11 schedule bytes (11 per comma, in order). The result
// is exactly as long as the text. Where the text ends within those 11
// characters, or the schedule bytes run out, the remaining text is kept.
QByteArray SubstituteSchedules(QByteArrayView text, QByteArrayView schedules);

constexpr int ScheduleBytesPerPage = 11;
