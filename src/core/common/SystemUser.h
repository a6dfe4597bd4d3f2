#pragma once

#include <QString>

// The name of the user running this program as the system knows it: the account of the
// effective user id, else the home folder's name, else "uid N". Never empty, also where the
// environment names nobody (a service, cron, sudo without a login shell).
QString SystemUserName();
