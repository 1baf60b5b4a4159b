#include "virtualcard/playbillsaver.h"

#include "virtualcard/contentframe.h"
#include "virtualcard/materialparams.h"

#include <QBuffer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace {

QString TypeText(int typeCode)
{
    return (typeCode >= 32 && typeCode < 127) ? QString(QChar(typeCode)) : QString::number(typeCode);
}

bool WriteWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QString PngName(const ReceivedMaterial &m, int page)
{
    return QStringLiteral("material%1-%2-page%3.png")
        .arg(m.Entry.MaterialNo, 2, 10, QLatin1Char('0'))
        .arg(m.Entry.FodderUID.isEmpty() ? QStringLiteral("x") : m.Entry.FodderUID)
        .arg(page + 1, 3, 10, QLatin1Char('0'));
}

// A material identifier only names a file when it is plain.
bool PlainName(const QString &uid)
{
    for (QChar c : uid)
        if (!c.isLetterOrNumber() && c != QLatin1Char('_') && c != QLatin1Char('-'))
            return false;
    return uid.size() <= 40;
}

} // namespace

namespace PlaybillSaver {

QJsonObject Summary(const ReceivedPlaybill &p, const CardProfile &profile)
{
    QJsonObject card;
    card.insert(QStringLiteral("innerCode"), profile.InnerCodeText());
    card.insert(QStringLiteral("width"), profile.Width);
    card.insert(QStringLiteral("height"), profile.Height);
    card.insert(QStringLiteral("colourPlanes"), profile.ColourPlanes);
    card.insert(QStringLiteral("firmwareVersion"), profile.FirmwareVersion);

    QJsonObject transfer;
    transfer.insert(QStringLiteral("link"), p.Link);
    transfer.insert(QStringLiteral("started"), p.Started.toString(Qt::ISODateWithMs));
    transfer.insert(QStringLiteral("finished"), p.Finished.toString(Qt::ISODateWithMs));
    transfer.insert(QStringLiteral("durationMs"), p.Finished.isValid() ? p.Started.msecsTo(p.Finished) : -1);
    transfer.insert(QStringLiteral("contentFrames"), p.ContentFrames);
    transfer.insert(QStringLiteral("crcErrors"), p.CrcErrors);
    transfer.insert(QStringLiteral("resendRequests"), p.ResendRequests);
    transfer.insert(QStringLiteral("duplicatePackets"), p.DuplicatePackets);
    transfer.insert(QStringLiteral("complete"), p.IsComplete());

    QJsonArray pages;
    int index = 0;
    for (const ProgramPage &page : p.Program.Pages) {
        QJsonObject jp;
        jp.insert(QStringLiteral("pageUid"), page.PageUID);
        jp.insert(QStringLiteral("scheduleBytes"), QString::fromLatin1(page.ScheduleRaw.toHex(' ')));
        jp.insert(QStringLiteral("startTime"), page.Schedule.StartTime);
        jp.insert(QStringLiteral("endTime"), page.Schedule.EndTime);
        jp.insert(QStringLiteral("dateMode"), page.Schedule.DateMode);
        QJsonArray days;
        for (int d : page.Schedule.WeekDays)
            days.append(d);
        jp.insert(QStringLiteral("weekDays"), days);
        jp.insert(QStringLiteral("playDate"), page.Schedule.PlayDate.toString(Qt::ISODate));
        QJsonArray materials;
        for (int k = 0; k < page.Materials.size(); ++k, ++index) {
            if (index >= p.Materials.size())
                break;
            const ReceivedMaterial &m = p.Materials.at(index);
            QJsonObject jm;
            jm.insert(QStringLiteral("materialNo"), m.Entry.MaterialNo);
            jm.insert(QStringLiteral("fodderUid"), m.Entry.FodderUID);
            jm.insert(QStringLiteral("typeCode"), TypeText(m.Entry.TypeCode));
            jm.insert(QStringLiteral("region"), QJsonObject{{QStringLiteral("x"), m.Entry.RegionX},
                                                             {QStringLiteral("y"), m.Entry.RegionY},
                                                             {QStringLiteral("width"), m.Entry.RegionWidth},
                                                             {QStringLiteral("height"), m.Entry.RegionHeight}});
            jm.insert(QStringLiteral("playTimes"), m.Entry.PlayTimes);
            jm.insert(QStringLiteral("fixedText"), m.Entry.FixedText);
            jm.insert(QStringLiteral("received"), m.IsComplete());
            jm.insert(QStringLiteral("displayMode"), m.DisplayMode);
            jm.insert(QStringLiteral("displaySpeed"), m.DisplaySpeed);
            jm.insert(QStringLiteral("stayTime"), m.StayTime);
            jm.insert(QStringLiteral("extraByte1"), m.ExtraByte1);
            jm.insert(QStringLiteral("extraByte2"), m.ExtraByte2);
            jm.insert(QStringLiteral("colourPlanes"), m.ColourPlanes);
            jm.insert(QStringLiteral("pageCount"), m.PageCount);
            jm.insert(QStringLiteral("dataPacketCount"), m.DataPacketCount);
            jm.insert(QStringLiteral("cardDataBytes"), m.CardData.size());
            jm.insert(QStringLiteral("firstPacketMs"), m.FirstPacketMs);
            jm.insert(QStringLiteral("lastPacketMs"), m.LastPacketMs);
            if (m.RemoteText) {
                jm.insert(QStringLiteral("remoteText"), true);
                jm.insert(QStringLiteral("text"), m.Text);
            } else if (ContentFrame::IsInnerCodeType(m.TypeCode)) {
                jm.insert(QStringLiteral("text"), m.Text);
                jm.insert(QStringLiteral("charColor"), m.CharColor);
                jm.insert(QStringLiteral("fontByte"), m.FontByte);
            } else if (!ContentFrame::IsPictureType(m.TypeCode) && m.HeaderSeen) {
                jm.insert(QStringLiteral("parameterBytes"), QString::fromLatin1(m.Parameters.toHex(' ')));
                jm.insert(QStringLiteral("parameters"),
                          QJsonObject::fromVariantMap(MaterialParams::Decode(m.TypeCode, m.Parameters).ToMap()));
            }
            materials.append(jm);
        }
        jp.insert(QStringLiteral("materials"), materials);
        pages.append(jp);
    }

    QJsonObject root;
    root.insert(QStringLiteral("card"), card);
    root.insert(QStringLiteral("transfer"), transfer);
    root.insert(QStringLiteral("programText"), QString::fromLatin1(p.ProgramPayload.toHex(' ')));
    root.insert(QStringLiteral("pages"), pages);
    return root;
}

SaveResult Save(const ReceivedPlaybill &p, const CardProfile &profile, const QString &root)
{
    SaveResult result;
    const QDateTime when = p.Started.isValid() ? p.Started : QDateTime::currentDateTime();
    QString folder = QDir(root).filePath(profile.InnerCodeText() + QLatin1Char('/')
                                         + when.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")));
    for (int n = 2; QFileInfo::exists(folder); ++n)
        folder = folder.section(QLatin1Char('~'), 0, 0) + QStringLiteral("~%1").arg(n);
    if (!QDir().mkpath(folder)) {
        result.Error = QStringLiteral("cannot create %1").arg(folder);
        return result;
    }
    result.Folder = folder;
    QJsonObject summary = Summary(p, profile);
    QJsonArray pages = summary.value(QStringLiteral("pages")).toArray();
    int index = 0;
    for (int pi = 0; pi < pages.size(); ++pi) {
        QJsonObject jp = pages.at(pi).toObject();
        QJsonArray materials = jp.value(QStringLiteral("materials")).toArray();
        for (int k = 0; k < materials.size(); ++k, ++index) {
            const ReceivedMaterial &m = p.Materials.at(index);
            QJsonArray files;
            for (int page = 0; page < m.Pages.size(); ++page) {
                ReceivedMaterial named = m;
                if (!PlainName(named.Entry.FodderUID))
                    named.Entry.FodderUID.clear();
                const QString name = PngName(named, page);
                QByteArray png;
                QBuffer buffer(&png);
                buffer.open(QIODevice::WriteOnly);
                if (!m.Pages.at(page).save(&buffer, "PNG")) {
                    result.Error = QStringLiteral("cannot encode %1").arg(name);
                    return result;
                }
                if (!WriteWhole(QDir(folder).filePath(name), png, &result.Error))
                    return result;
                result.Files << name;
                files.append(name);
            }
            QJsonObject jm = materials.at(k).toObject();
            jm.insert(QStringLiteral("files"), files);
            materials[k] = jm;
        }
        jp.insert(QStringLiteral("materials"), materials);
        pages[pi] = jp;
    }
    summary.insert(QStringLiteral("pages"), pages);
    const QString name = QStringLiteral("playbill.json");
    if (!WriteWhole(QDir(folder).filePath(name), QJsonDocument(summary).toJson(QJsonDocument::Indented), &result.Error))
        return result;
    result.Files << name;
    return result;
}

} // namespace PlaybillSaver
