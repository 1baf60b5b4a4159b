#pragma once

#include "virtualcard/cardprofile.h"
#include "virtualcard/receivedplaybill.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// Writes a received playbill to a folder: one PNG per page of every picture
// material and a JSON summary of pages, schedules, regions, materials,
// parameters and transfer timings.
struct SaveResult
{
    QString Folder;           // where the files went
    QStringList Files;        // file names written, summary last
    QString Error;            // empty on success
    bool ok() const { return Error.isEmpty(); }
};

namespace PlaybillSaver {

// The summary alone (also what the JSON file holds, without file names).
QJsonObject Summary(const ReceivedPlaybill &playbill, const CardProfile &profile);

// Writes into `root`/<inner code>/<time of arrival>/. Files are written whole
// (temporary file renamed into place).
SaveResult Save(const ReceivedPlaybill &playbill, const CardProfile &profile, const QString &root);

} // namespace PlaybillSaver
