#pragma once

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// Reads a hand-written golden file under tests/data/codec: hexadecimal byte
// pairs, '#' comments, "XX*n" for n copies of XX. A malformed token or a
// missing file gives an empty result and sets *error.
inline QByteArray LoadGoldenHex(const QString &relativePath, QString *error = nullptr)
{
    QFile file(QStringLiteral(SIGN_TEST_DATA_DIR "/codec/") + relativePath);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open ") + file.fileName();
        return QByteArray();
    }
    QByteArray out;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        const qsizetype hash = line.indexOf(QLatin1Char('#'));
        if (hash >= 0)
            line.truncate(hash);
        const QStringList tokens = line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        for (const QString &token : tokens) {
            const QStringList parts = token.split(QLatin1Char('*'));
            bool ok = false;
            const uint value = parts[0].toUInt(&ok, 16);
            bool countOk = true;
            const int count = parts.size() == 2 ? parts[1].toInt(&countOk) : 1;
            if (!ok || !countOk || parts.size() > 2 || parts[0].size() != 2 || value > 255 || count < 1) {
                if (error)
                    *error = QStringLiteral("bad token '%1' in %2").arg(token, relativePath);
                return QByteArray();
            }
            out.append(QByteArray(count, char(value)));
        }
    }
    return out;
}
