#include "cli/ServerCommand.h"

#include "cli/CliOptions.h"
#include "data/db/DataFolderLock.h"
#include "data/db/Dialect.h"
#include "data/db/ServerTransfer.h"
#include "mkdb/MakeDatabases.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

void printCounts(const TransferResult& r, QTextStream& out) {
    out << "TABLE,ROWS\n";
    for (const TableCount& c : r.counts)
        out << c.table << ',' << c.rows << '\n';
    out.flush();
}

int failed(const TransferResult& r, QTextStream& err) {
    err << "tesvane-cli: " << r.error << "; nothing written\n";
    err.flush();
    return 1;
}

const char* const UsageText =
    "server init URL [--with-sample] | server push --from DIR URL | server pull URL --to DIR";

int usage(QTextStream& err) {
    err << "tesvane-cli: " << UsageText << "\n";
    return 2;
}

} // namespace

int RunServerCommand(const QStringList& options, QTextStream& out, QTextStream& err) {
    if (options.isEmpty())
        return usage(err);
    const QString verb = options.first();
    QString url, dir;
    bool withSample = false;
    CliOptions table(QStringLiteral("server ") + verb);
    // A DIR missing after its option is told as the usage.
    if (verb == QStringLiteral("push") || verb == QStringLiteral("pull"))
        table.option(
            verb == QStringLiteral("push") ? QStringLiteral("--from") : QStringLiteral("--to"),
            [&dir](const QString& v) {
                dir = v;
                return QString();
            },
            QString::fromLatin1(UsageText));
    if (verb == QStringLiteral("init"))
        table.flag(QStringLiteral("--with-sample"), withSample);
    table.positional([&url](const QString& word) {
        if (!url.isEmpty())
            return false;
        url = word;
        return true;
    });
    if (!table.read(options.mid(1), err))
        return 2;
    if (url.isEmpty() || (verb != QStringLiteral("init") && dir.isEmpty()))
        return usage(err);
    // DIR is a program folder, as --data takes it: its files are in DIR/DATA.
    const QString dataDir = QDir(dir).filePath(QStringLiteral("DATA"));

    if (verb == QStringLiteral("init")) {
        TransferResult r = InitServer(url);
        if (!r.ok)
            return failed(r, err);
        if (withSample) {
            // The sample company as the build delivers it, made by the same code.
            QTemporaryDir made;
            QString error;
            if (!MakeDeliveredDatabases(SqlResourceDir(), made.path(), &error)) {
                err << "tesvane-cli: the sample company could not be made: " << error
                    << "; the database is laid out without it\n";
                return 1;
            }
            const TransferResult sample = PushToServer(made.path(), url);
            if (!sample.ok) {
                err << "tesvane-cli: " << sample.error
                    << "; the database is laid out without the sample company\n";
                return 1;
            }
            for (qsizetype i = 0; i < r.counts.size() && i < sample.counts.size(); ++i)
                r.counts[i].rows += sample.counts[i].rows;
        }
        printCounts(r, out);
        return 0;
    }
    if (verb == QStringLiteral("push")) {
        // Read as any command reads the folder: never while a compaction replaces its files.
        DataFolderLock lock(dataDir);
        if (lock.acquire(DataFolderLock::Mode::Shared, 10000) == DataFolderLock::Outcome::InUse) {
            err << "tesvane-cli: " << dataDir << ": the data folder is being compacted; "
                << "nothing written\n";
            return 1;
        }
        const TransferResult r = PushToServer(dataDir, url);
        if (!r.ok)
            return failed(r, err);
        printCounts(r, out);
        return 0;
    }
    if (verb == QStringLiteral("pull")) {
        const TransferResult r = PullFromServer(url, dataDir);
        if (!r.ok)
            return failed(r, err);
        printCounts(r, out);
        return 0;
    }
    return usage(err);
}
