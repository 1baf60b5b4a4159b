#include "tests/signstudio/comm/fakehost.h"

#include "signstudio/model/cardlist.h"

bool FakeHost::SelectCardNode(const QString &name)
{
    for (const auto &node : Nodes) {
        if (node.first.trimmed() == name) {
            Selected = node.first.trimmed();
            return true;
        }
    }
    return false;
}

void FakeHost::AddCardNode(TFIXModem *card)
{
    Nodes.append({card->Name, 1});
    Selected = card->Name;
}

void FakeHost::SetCardNodeImage(const QString &name, int image)
{
    for (auto &node : Nodes)
        if (node.first == name)
            node.second = image;
}

int FakeHost::CardNodeImage(const QString &name) const
{
    for (const auto &node : Nodes)
        if (node.first == name)
            return node.second;
    return 0;
}

void FakeHost::ShowCardSelected(TFIXModem *card)
{
    CardSelectedCalls.append(card->Name);
}

void FakeHost::ResizeCardScreen(TFIXModem *card)
{
    Resized.append(card->Name);
}

void FakeHost::SetCardNodeImages(const QList<QPair<QString, int>> &images)
{
    QHash<QString, int> byName;
    for (const auto &entry : images)
        byName.insert(entry.first, entry.second);
    for (auto &node : Nodes) {
        const auto it = byName.constFind(node.first);
        if (it != byName.constEnd())
            node.second = it.value();
    }
}
