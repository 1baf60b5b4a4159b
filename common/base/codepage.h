#pragma once

#include <QByteArray>
#include <QString>

// The system code page: strings are QString inside the program and bytes in
// the code page at the edges (files, cards). GBK (936) by default, Big5 (950)
// under a zh_TW, zh_HK or zh_MO locale.
namespace CodePage {

// "GBK" or "Big5", from the locale (or the override below).
QByteArray SystemName();

// Tests and the demo may force a code page ("GBK" or "Big5"); empty resets.
void SetOverride(const QByteArray &name);

QByteArray Encode(const QString &text);
QString Decode(const QByteArray &bytes);

QByteArray EncodeAs(const QByteArray &codePage, const QString &text);
QString DecodeAs(const QByteArray &codePage, const QByteArray &bytes);

// Byte length of a text in the system code page.
qsizetype ByteLength(const QString &text);

// The longest prefix of text whose encoding takes at most maxBytes bytes;
// a double-byte character is never split.
QString CutToBytes(const QString &text, qsizetype maxBytes);

} // namespace CodePage
