#pragma once

#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

class QTextStream;

// What stands before the command: --data DIR|URL and --server URL, read once for every
// command, and --help.
struct GlobalOptions {
    QStringList rest; // the command and its options
    QString dataDir;
    QString server;
    bool help = false;
    QString error; // the mistake, when there is one
};
GlobalOptions ReadGlobalOptions(const QStringList& arguments);

// "1,3" -> {1, 3}, each within lowest..highest; nothing when a part is not such a number.
std::optional<QVector<int>> NumberList(const QString& text, int lowest, int highest);

// The table of the options a command takes after its name, and the one loop that reads them.
// Each command builds its table (what it takes, where each value goes) and reads its words
// through it, so every command says the same mistake the same way.
class CliOptions {
public:
    // How a command's options stand.
    enum class Layout {
        // Only the options that take a value are followed by one: an unknown word is named at
        // once; a missing or refused value is said as "--company needs a number".
        Mixed,
        // Every option takes a value, so a last option lacks it ("--x needs a value") before
        // its name is looked up.
        AllValued,
    };
    // How a refused value is said by the options this table words itself.
    enum class Wording {
        Needs,    // "--company needs a number"
        NotValid, // "--company: not a valid value: x"
    };
    // Takes a value; empty when taken, else the mistake.
    using Take = std::function<QString(const QString& value)>;

    // `command` is named in "unknown option for <command>: --foo".
    explicit CliOptions(QString command, Layout layout = Layout::Mixed,
                        Wording wording = Wording::Needs);

    // An option without a value.
    void flag(const QString& name, bool& on);
    // An option whose value `take` takes; `missing` is said when no value follows, by default
    // what `take` says of an empty value.
    void option(const QString& name, Take take, const QString& missing = QString());
    // An option whose value `accept` judges; a refused one is said as this table words it,
    // `needs` naming what the value must be ("a number", "grade or mark").
    void value(const QString& name, const QString& needs,
               std::function<bool(const QString&)> accept);
    // A whole number.
    void number(const QString& name, int& into, bool* given = nullptr);
    // A file name; an empty one is refused when `emptyRefused`.
    void file(const QString& name, QString& into, bool emptyRefused);
    // --company K and --year N: the company year a command works on. When `required`, a read
    // without both says "<command> needs --company K and --year N".
    void companyYear(int& company, int& year, bool required);
    bool companyYearGiven() const { return m_company && m_year; }
    // A word without "--" that no option takes; false when it is not wanted.
    void positional(std::function<bool(const QString&)> take);
    // Replaces "unknown option for <command>: <option>".
    void unknown(std::function<QString(const QString& option, const QString& value)> said);

    // Reads `words`; empty when all were taken, else the first mistake.
    QString read(const QStringList& words);
    // The same, saying a mistake on err ("tesvane-cli: ..."); false after a mistake.
    bool read(const QStringList& words, QTextStream& err);

    // What a refused value of `name` is said as.
    QString refused(const QString& name, const QString& needs, const QString& value) const;

private:
    struct Entry {
        QString name;
        bool valued = true;
        Take take;
        QString missing;
    };
    const Entry* find(const QString& name) const;

    QString m_command;
    Layout m_layout;
    Wording m_wording;
    QVector<Entry> m_entries;
    std::function<bool(const QString&)> m_positional;
    std::function<QString(const QString&, const QString&)> m_unknown;
    bool m_company = false;
    bool m_year = false;
    bool m_companyYearRequired = false;
};

// --x ITEM and --y ITEM: the axis items 0-5 of the plot screens' radio buttons.
void AxisItemOptions(CliOptions& table, std::optional<int>& x, std::optional<int>& y);
// --marks LIST and --grades LIST: comma-separated marks 1-6 and grades 1-9.
void MarkAndGradeOptions(CliOptions& table, std::optional<QVector<int>>& marks,
                         std::optional<QVector<int>>& grades);
