#include "core/common/PasswordMask.h"

#include <QMutex>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QUrl>

namespace {

const QString Hidden = QStringLiteral("***");
// Shorter passwords are hidden where they stand in an address or connection string only: hiding
// them everywhere would cut ordinary words of a message.
constexpr qsizetype ShortestRemembered = 4;

// Built before main, so that they outlive every text written while the program ends (the
// command-line companion's error stream is written out last).
// A URL runs up to a blank (the ideographic space of a Japanese message too), a quote or an angle
// bracket.
const QRegularExpression g_url(QStringLiteral("postgres(?:ql)?://[^\\s\\x{3000}\"'<>]*"),
                               QRegularExpression::CaseInsensitiveOption);
// password=value and password='value' of a connection string (sslpassword too).
const QRegularExpression g_setting(
    QStringLiteral("(\\b\\w*password\\s*=\\s*)('(?:[^'\\\\]|\\\\.)*'?|[^\\s\\x{3000}'\";&]+)"),
    QRegularExpression::CaseInsensitiveOption);

QMutex g_lock;
QSet<QString> g_remembered;
QtMessageHandler g_nextHandler = nullptr;

bool isPasswordKey(const QString& encodedKey) {
    return QUrl::fromPercentEncoding(encodedKey.toUtf8())
        .trimmed()
        .endsWith(QStringLiteral("password"), Qt::CaseInsensitive);
}

// One URL of a text, its password and password parameters hidden.
QString hideInUrl(const QString& url) {
    const qsizetype schemeEnd = url.indexOf(QStringLiteral("://")) + 3;
    qsizetype queryStart = url.indexOf(QLatin1Char('?'), schemeEnd);
    if (queryStart < 0)
        queryStart = url.size();
    // The last '@' before the query ends user:password, so that a password typed with a raw
    // '@' or '/' is hidden whole.
    QString authority = url.mid(schemeEnd, queryStart - schemeEnd);
    const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
    const qsizetype colon = authority.indexOf(QLatin1Char(':'));
    if (at >= 0 && colon >= 0 && colon < at)
        authority = authority.left(colon + 1) + Hidden + authority.mid(at);
    QString out = url.left(schemeEnd) + authority;
    if (queryStart < url.size()) {
        QStringList items = url.mid(queryStart + 1).split(QLatin1Char('&'));
        for (QString& item : items) {
            const qsizetype eq = item.indexOf(QLatin1Char('='));
            if (eq >= 0 && isPasswordKey(item.left(eq)))
                item = item.left(eq + 1) + Hidden;
        }
        out += QLatin1Char('?') + items.join(QLatin1Char('&'));
    }
    return out;
}

void hidingHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    g_nextHandler(type, context, HidePasswords(text));
}

} // namespace

QString HidePasswords(const QString& text) {
    QString out;
    qsizetype done = 0;
    for (auto it = g_url.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += QStringView(text).mid(done, m.capturedStart() - done);
        out += hideInUrl(m.captured());
        done = m.capturedEnd();
    }
    out += QStringView(text).mid(done);
    out.replace(g_setting, QStringLiteral("\\1") + Hidden);
    const QMutexLocker locker(&g_lock);
    for (const QString& password : std::as_const(g_remembered))
        out.replace(password, Hidden);
    return out;
}

void RememberPassword(const QString& password) {
    if (password.size() < ShortestRemembered)
        return;
    const QMutexLocker locker(&g_lock);
    g_remembered.insert(password);
}

void HidePasswordsInLog() {
    const QMutexLocker locker(&g_lock);
    if (g_nextHandler)
        return;
    g_nextHandler = qInstallMessageHandler(hidingHandler);
}
