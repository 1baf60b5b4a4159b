#pragma once

#include <QByteArrayView>

// XOR of all bytes (0 for none).
quint8 XorCheck(QByteArrayView bytes);
