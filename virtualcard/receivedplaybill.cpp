#include "virtualcard/receivedplaybill.h"

#include "virtualcard/contentframe.h"
#include "virtualcard/planeunpacker.h"

#include "common/base/codepage.h"

bool ReceivedMaterial::IsComplete() const
{
    return HeaderSeen && DataPacketCount >= 1 && FirstMissingPacket() == 0;
}

int ReceivedMaterial::FirstMissingPacket() const
{
    const int count = qMax(1, DataPacketCount);
    for (int k = 1; k <= count; ++k)
        if (!Packets.contains(k))
            return k;
    return 0;
}

void ReceivedMaterial::Finish()
{
    CardData.clear();
    Pages.clear();
    Text.clear();
    for (auto it = Packets.cbegin(); it != Packets.cend(); ++it)
        CardData += it.value();
    // Pictures are unpacked up to a bounded number of pixels per material.
    constexpr qint64 MaxPixels = 32 * 1024 * 1024;
    if (RemoteText) {
        Text = CodePage::Decode(CardData);
    } else if (ContentFrame::IsPictureType(TypeCode)) {
        const qint64 pagePixels = qMax<qint64>(1, qint64(Entry.RegionWidth) * Entry.RegionHeight);
        const int pages = int(qMin<qint64>(PageCount, MaxPixels / pagePixels));
        Pages = PlaneUnpacker::UnpackPages(CardData, Entry.RegionWidth, Entry.RegionHeight, ColourPlanes, pages);
    } else if (ContentFrame::IsInnerCodeType(TypeCode)) {
        Text = CodePage::Decode(CardData);
    } else if (!Packets.isEmpty()) {
        Parameters = Packets.first();
    }
}

bool ReceivedPlaybill::IsComplete() const
{
    return Program.ok() && FirstMissing().first == 0;
}

QPair<int, int> ReceivedPlaybill::FirstMissing() const
{
    for (int i = 0; i < Materials.size(); ++i) {
        const ReceivedMaterial &m = Materials.at(i);
        if (!m.HeaderSeen)
            return {i + 1, 1};
        const int k = m.FirstMissingPacket();
        if (k != 0)
            return {i + 1, k};
    }
    return {0, 0};
}
