
#include "cli/CliOptions.h"
#include "core/common/Counts.h"
#include "core/plot/AxisItems.h"
#include "data/db/ServerAddress.h"

#include <QTextStream>

GlobalOptions ReadGlobalOptions(const QStringList& arguments) {
    GlobalOptions a;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& s = arguments[i];
        if (s == QStringLiteral("--data")) {
            if (i + 1 >= arguments.size()) {
                a.error = QStringLiteral("--data needs a folder");
                return a;
            }
            // A server named where a folder is expected is taken as the server.
            const QString& value = arguments[++i];
            if (IsServerUrl(value)) {
                if (!a.server.isEmpty() && a.server != value) {
                    a.error = QStringLiteral("--data and --server name two servers");
                    return a;
                }
                a.server = value;
            } else {
                a.dataDir = value;
            }
        } else if (s == QStringLiteral("--server") && a.rest.isEmpty()) {
            if (i + 1 >= arguments.size()) {
                a.error = QStringLiteral("--server needs a URL");
                return a;
            }
            if (!a.server.isEmpty() && a.server != arguments[i + 1]) {
                a.error = QStringLiteral("--data and --server name two servers");
                return a;
            }
            a.server = arguments[++i];
        } else if (s == QStringLiteral("--help") || s == QStringLiteral("-h")) {
            a.help = true;
        } else {
            a.rest << s;
        }
    }
    return a;
}

std::optional<QVector<int>> NumberList(const QString& text, int lowest, int highest) {
    QVector<int> list;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int v = part.trimmed().toInt(&ok);
        if (!ok || v < lowest || v > highest)
            return std::nullopt;
        list << v;
    }
    return list;
}

CliOptions::CliOptions(QString command, Layout layout, Wording wording)
    : m_command(std::move(command)), m_layout(layout), m_wording(wording) {}

void CliOptions::flag(const QString& name, bool& on) {
    m_entries.push_back({name, false,
                         [&on](const QString&) -> QString {
                             on = true;
                             return QString();
                         },
                         QString()});
}

void CliOptions::option(const QString& name, Take take, const QString& missing) {
    m_entries.push_back({name, true, std::move(take), missing});
}

void CliOptions::value(const QString& name, const QString& needs,
                       std::function<bool(const QString&)> accept) {
    option(name, [this, name, needs, accept = std::move(accept)](const QString& v) -> QString {
        return accept(v) ? QString() : refused(name, needs, v);
    });
}

void CliOptions::number(const QString& name, int& into, bool* given) {
    value(name, QStringLiteral("a number"), [&into, given](const QString& v) {
        bool ok = false;
        into = v.toInt(&ok);
        if (given)
            *given = ok;
        return ok;
    });
}

void CliOptions::file(const QString& name, QString& into, bool emptyRefused) {
    value(name, QStringLiteral("a file"), [&into, emptyRefused](const QString& v) {
        into = v;
        return !(emptyRefused && v.isEmpty());
    });
    if (!emptyRefused && m_layout == Layout::Mixed)
        m_entries.last().missing = name + QStringLiteral(" needs a file");
}

void CliOptions::companyYear(int& company, int& year, bool required) {
    m_companyYearRequired = required;
    number(QStringLiteral("--company"), company, &m_company);
    number(QStringLiteral("--year"), year, &m_year);
}

void CliOptions::positional(std::function<bool(const QString&)> take) {
    m_positional = std::move(take);
}

void CliOptions::unknown(std::function<QString(const QString&, const QString&)> said) {
    m_unknown = std::move(said);
}

QString CliOptions::refused(const QString& name, const QString& needs, const QString& value) const {
    if (m_wording == Wording::NotValid)
        return name + QStringLiteral(": not a valid value: ") + value;
    return name + QStringLiteral(" needs ") + needs;
}

const CliOptions::Entry* CliOptions::find(const QString& name) const {
    for (const Entry& e : m_entries)
        if (e.name == name)
            return &e;
    return nullptr;
}

QString CliOptions::read(const QStringList& words) {
    for (int i = 0; i < words.size(); ++i) {
        const QString& o = words[i];
        const bool last = i + 1 >= words.size();
        if (m_layout == Layout::AllValued && last)
            return o + QStringLiteral(" needs a value");
        const Entry* e = find(o);
        if (!e) {
            if (m_positional && !o.startsWith(QStringLiteral("--")) && m_positional(o))
                continue;
            const QString v = m_layout == Layout::AllValued ? words[i + 1] : QString();
            if (m_unknown)
                return m_unknown(o, v);
            return QStringLiteral("unknown option for ") + m_command + QStringLiteral(": ") + o;
        }
        if (!e->valued) {
            e->take(QString());
            continue;
        }
        if (last) {
            const QString said = e->missing.isEmpty() ? e->take(QString()) : e->missing;
            return said.isEmpty() ? o + QStringLiteral(" needs a value") : said;
        }
        if (const QString said = e->take(words[++i]); !said.isEmpty())
            return said;
    }
    if (m_companyYearRequired && !companyYearGiven())
        return m_command + QStringLiteral(" needs --company K and --year N");
    return {};
}

void AxisItemOptions(CliOptions& table, std::optional<int>& x, std::optional<int>& y) {
    for (std::optional<int>* item : {&x, &y})
        table.value(item == &x ? QStringLiteral("--x") : QStringLiteral("--y"),
                    QStringLiteral("an item"), [item](const QString& v) {
                        bool ok = false;
                        *item = v.toInt(&ok);
                        return ok && **item >= 0 && **item < AxisItemCount;
                    });
}

void MarkAndGradeOptions(CliOptions& table, std::optional<QVector<int>>& marks,
                         std::optional<QVector<int>>& grades) {
    table.value(QStringLiteral("--marks"), QStringLiteral("a list"), [&marks](const QString& v) {
        marks = NumberList(v, 1, MarkCount);
        return marks.has_value();
    });
    table.value(QStringLiteral("--grades"), QStringLiteral("a list"), [&grades](const QString& v) {
        grades = NumberList(v, 1, MaxGrades);
        return grades.has_value();
    });
}

bool CliOptions::read(const QStringList& words, QTextStream& err) {
    const QString mistake = read(words);
    if (mistake.isEmpty())
        return true;
    err << "tesvane-cli: " << mistake << "\n";
    return false;
}
