#include "signstudio/comm/codec/xorcheck.h"

quint8 XorCheck(QByteArrayView bytes)
{
    quint8 x = 0;
    for (char c : bytes)
        x ^= quint8(c);
    return x;
}
