#include "signstudio/model/fodder.h"

TFodder TFodder::NewOfKind(int kind, const QDateTime &now)
{
    const TFodderKindInfo &info = FodderKindInfo(kind);
    TFodder f;
    f.Kind = info.Kind;
    f.TypeCode = info.TypeCode;
    f.DisplaySpeed = info.DefaultSpeed;
    if (info.Kind == fkCountUp || info.Kind == fkCountDown)
        f.Content = FodderDateTimeText(now);
    return f;
}

QStringList TFodder::FileNames() const
{
    QStringList names;
    names.reserve(PictureFiles.size());
    for (const TFileInfo &file : PictureFiles)
        names.append(file.FileName);
    return names;
}

void TFodder::SetFileNames(const QStringList &names)
{
    PictureFiles.clear();
    for (const QString &name : names)
        PictureFiles.append({int(PictureFiles.size()) + 1, name});
}

QString FodderDateTimeText(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
