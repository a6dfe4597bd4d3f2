#include "data/db/ServerAddress.h"

#include <QFileInfo>
#include <QSettings>
#include <QUrl>
#include <QUrlQuery>

namespace {
QString g_serverUrl;
}

bool ParseServerUrl(const QString& text, ServerAddress* address, QString* error) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != QStringLiteral("postgresql") &&
                           url.scheme() != QStringLiteral("postgres"))) {
        *error = QStringLiteral("not a postgresql:// URL: ") + text;
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
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == QStringLiteral("host"))
            a.host = value;
        else if (key == QStringLiteral("port"))
            a.port = value.toInt();
        else if (key == QStringLiteral("user"))
            a.user = value;
        else if (key.contains(QLatin1Char(';')) || value.contains(QLatin1Char(';')))
            return *error = QStringLiteral("bad parameter in URL: ") + key, false;
        else
            options << key + QLatin1Char('=') + value;
    }
    if (a.database.isEmpty() || a.database.contains(QLatin1Char('/'))) {
        *error = QStringLiteral("the URL names no database: ") + text;
        return false;
    }
    if (a.port <= 0 || a.port > 65535) {
        *error = QStringLiteral("bad port in URL: ") + text;
        return false;
    }
    a.options = options.join(QLatin1Char(';'));
    *address = a;
    return true;
}

QString ServerUrlForDisplay(const QString& text) {
    QUrl url(text.trimmed());
    url.setPassword(QString());
    return url.toString();
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
