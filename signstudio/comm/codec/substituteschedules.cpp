#include "signstudio/comm/codec/substituteschedules.h"

QByteArray SubstituteSchedules(QByteArrayView text, QByteArrayView schedules)
{
    QByteArray out = text.toByteArray();
    qsizetype next = 0; // next schedule byte
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (out[i] != ',')
            continue;
        for (int k = 0; k < ScheduleBytesPerPage && i + 1 < out.size(); ++k) {
            ++i;
            if (next < schedules.size())
                out[i] = schedules[next];
            ++next;
        }
    }
    return out;
}
