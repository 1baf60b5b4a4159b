#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>

// The file and socket steps of the main window's creation, each usable
// without a window.

// The first TCP port from start upward that can be bound on address (all
// local addresses by default). Only "address in use" moves on; any other
// bind failure counts as free. Gives start when no port up to 65535 is free.
int FindWorkPort(int start, const QHostAddress &address = QHostAddress::AnyIPv4);

// The caption from Title.ini in folder (section Title, key Title); empty
// when the file or the value is missing.
QString ReadTitleFile(const QString &programFolder);

// The four data folders prgFiles, picFiles, txtFiles, tblFiles under the
// program folder, in that order; each one that is missing is created
// (a failure is not reported).
QStringList CreateDataFolders(const QString &programFolder);

// The icon file the application takes: the last entry of the folder, in
// name order, that is not a directory and whose extension is ".ico" in any
// case. Empty when there is none.
QString FindAppIcon(const QString &programFolder);

// The host's IPv4 address: the host name is resolved and the last IPv4
// address of the answer taken; empty when resolution fails.
QString HostAddress();
