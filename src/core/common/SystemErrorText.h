#pragma once

#include <QString>

// The operating system's reason for a failed file operation (an errno value), as the program
// tells it to the user.
QString SystemErrorText(int code);

// Whether the reason is a full disk (or a used-up quota).
bool IsDiskFull(int code);
