#include "core/common/SystemUser.h"

#include <QDir>

#include <pwd.h>
#include <unistd.h>

QString SystemUserName() {
    const uid_t uid = geteuid();
    // getpwuid_r: the plain call's buffer is shared with every other caller.
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    QByteArray buffer(size > 0 ? size : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(uid, &entry, buffer.data(), size_t(buffer.size()), &found) == 0 && found &&
        found->pw_name && *found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    const QString home = QDir::home().dirName();
    if (!home.isEmpty())
        return home;
    return QStringLiteral("uid %1").arg(uid);
}
