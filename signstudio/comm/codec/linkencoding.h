#pragma once

#include "common/udp/codecresult.h"
#include "signstudio/comm/codec/commandcodes.h"
#include "signstudio/comm/codec/innercode.h"

#include <QByteArray>
#include <QByteArrayView>

// The bytes to write for a frame that fits in one slice: the bare frame on a
// plain serial line and on TCP, the frame in an envelope with slice count 1
// and slice number 1 on an RS-485 bus. A frame longer than one slice is
// refused on the bus (long program data goes through SplitForBus).
CodecResult<QByteArray> EncodeForLink(QByteArrayView frame, int linkKind, const InnerCode &code);

// Same, with the inner code in its text form; a code that does not split
// into eight items is refused on the bus.
CodecResult<QByteArray> EncodeForLink(QByteArrayView frame, int linkKind, const QString &innerCodeText);
