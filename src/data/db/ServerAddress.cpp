#include "data/db/ServerAddress.h"

#include "core/common/PasswordMask.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QUrl>
#include <QUrlQuery>

namespace {

QString g_serverUrl;

// A value of the driver's key=value options, quoted as the client library reads it.
QString quotedOption(QString value) {
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

} // namespace

bool ParseServerUrl(const QString& text, ServerAddress* address, QString* error) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != QStringLiteral("postgresql") &&
                           url.scheme() != QStringLiteral("postgres"))) {
        *error = QStringLiteral("not a postgresql:// URL: ") + HidePasswords(text);
        return false;
    }
    ServerAddress a;
    a.host = url.host();
    a.port = url.port(5432);
    a.user = url.userName();
    a.password = url.password();
    a.database = url.path().mid(1);
    QStringList options;
    const QUrlQuery query(url);
    static const QRegularExpression optionName(QStringLiteral("^[a-z_][a-z0-9_]*$"));
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == QStringLiteral("host"))
            a.host = value;
        else if (key == QStringLiteral("port"))
            a.port = value.toInt();
        else if (key == QStringLiteral("user"))
            a.user = value;
        else if (key == QStringLiteral("password"))
            a.password = value; // given to the driver as a password, never as an option
        else if (!optionName.match(key).hasMatch() || value.contains(QLatin1Char(';')))
            return *error = QStringLiteral("bad parameter in URL: ") + HidePasswords(key), false;
        else {
            if (key.endsWith(QStringLiteral("password")))
                RememberPassword(value);
            options << key + QLatin1Char('=') + quotedOption(value);
        }
    }
    RememberPassword(a.password);
    if (a.database.isEmpty() || a.database.contains(QLatin1Char('/'))) {
        *error = QStringLiteral("the URL names no database: ") + HidePasswords(text);
        return false;
    }
    if (a.port <= 0 || a.port > 65535) {
        *error = QStringLiteral("bad port in URL: ") + HidePasswords(text);
        return false;
    }
    a.options = options.join(QLatin1Char(';'));
    *address = a;
    return true;
}

bool IsServerUrl(const QString& text) {
    const QString t = text.trimmed();
    return t.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive) ||
           t.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive);
}

QString ServerUrlForDisplay(const QString& text) {
    return HidePasswords(text.trimmed());
}

QString ServerSettingsPath(const QString& appDir) {
    QString dir = appDir;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir + QStringLiteral("server.ini");
}

QString ServerUrlFromSettings(const QString& appDir, QString* error) {
    const QString path = ServerSettingsPath(appDir);
    if (!QFileInfo::exists(path))
        return {};
    QSettings settings(path, QSettings::IniFormat);
    const QString url = settings.value(QStringLiteral("url")).toString().trimmed();
    if (settings.status() != QSettings::NoError || url.isEmpty())
        *error = path + QStringLiteral(" names no server (a line url=postgresql://...)");
    return url;
}

void SetServerUrl(const QString& url) {
    g_serverUrl = url.trimmed();
}

QString ServerUrl() {
    return g_serverUrl;
}

QString BackendCaption() {
    if (!UsingServer())
        return QStringLiteral("SQLite");
    return QStringLiteral("サーバー ") + ServerUrlForDisplay(g_serverUrl);
}
