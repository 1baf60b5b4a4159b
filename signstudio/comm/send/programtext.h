#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class TProject;
class TFodder;
class TRegion;

// One material of a send in play order, with the region it is shown in.
struct SendMaterial
{
    TFodder *Fodder = nullptr;
    TRegion *Region = nullptr;
};

// What a card's playbill is told in the program-data frame.
struct ProgramPlan
{
    QString Text;                 // program text, schedules as "HH:MM-HH:MM"
    QByteArray Schedules;         // 11 schedule bytes per page, in page order
    QList<SendMaterial> Materials;
};

// Entry of one material: identifier, type code character, region x / 8,
// y, width / 8, height (at least three digits each), "1", "0000", "00000",
// "#0", play count, "#", FixedText, ";".
QString MaterialEntry(const TFodder &fodder, const TRegion &region);

// Walks the card's pages (remote text pages passed over), their regions and
// materials in project order. A page that is the first of the project's
// page list restarts the text with its identifier.
ProgramPlan PlanProgram(const TProject &project, const QString &cardName);

// Group of a group send: with no prefixes every node above offline; with
// prefixes the first prefix the selected name begins with, and the nodes
// whose text begins with it (none when no prefix fits). At most 100.
// nodeTexts/nodeImages are the card nodes in tree order; the result holds
// node positions.
constexpr int MaxGroupCards = 100;
QList<int> GroupNodes(const QStringList &prefixes, const QString &selectedName,
                      const QStringList &nodeTexts, const QList<int> &nodeImages);
