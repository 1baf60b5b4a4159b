#pragma once

#include <QString>

// Tells the operator that another instance runs. With SIGN_NONINTERACTIVE set
// (tests, scripts) the text goes to stderr instead of a message box.
void ShowAlreadyRunning(const QString &message);
