#pragma once

#include <QString>

// The folder "beside the program" that holds settings, data folders and icons:
// $SIGN_PROGRAM_DIR when set (the demo workspace and tests use it), else the
// executable's folder when it is writable (a portable install), else the
// per-user data folder. Always ends with '/'.
QString ProgramFolder();
