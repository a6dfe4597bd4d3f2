// Build-time tool: makes the delivered database files from the SQL kept in the repository and
// the generated sample company. The program itself never creates tables.

#include "mkdb/MakeDatabases.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Makes SEIGYO.db and DATA.db."));
    parser.addHelpOption();
    const QCommandLineOption sqlDir(QStringLiteral("schema-dir"),
                                    QStringLiteral("Folder of the SQL files."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption outDir(QStringLiteral("out-dir"),
                                    QStringLiteral("Folder the database files are written to."),
                                    QStringLiteral("DIR"));
    parser.addOption(sqlDir);
    parser.addOption(outDir);
    parser.process(app);

    QTextStream err(stderr);
    if (!parser.isSet(sqlDir) || !parser.isSet(outDir) || !parser.positionalArguments().isEmpty()) {
        err << "usage: tesvane-mkdb --schema-dir DIR --out-dir DIR\n";
        return 2;
    }
    QString error;
    if (!MakeDeliveredDatabases(parser.value(sqlDir), parser.value(outDir), &error)) {
        err << "tesvane-mkdb: " << error << "\n";
        return 1;
    }
    return 0;
}
