#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The user's guide and what keeps it true: the message catalogue (one line per message text,
// placeholders 〈…〉 for what the program fills in at run time), the pages that carry it, and
// the check that the program's messages, commands and screens all have their place there.
namespace Guide {

struct CatalogueEntry {
    QString page;    // the page's file name, e.g. "ws0030.html"
    QString text;    // as shown, "\n" between lines, 〈…〉 for run-time parts
    QString meaning; // what it means and what to do (HTML)
    int line = 0;
};

// Reads messages.tsv: page TAB text TAB meaning; "#" starts a comment line. Lines that do
// not have three fields are reported in problems.
QVector<CatalogueEntry> ReadCatalogue(const QString& path, QStringList* problems);

// A message text or part of one found in the program's sources.
struct SourceText {
    QStringList pieces; // the literal parts, in order; run-time parts fall between them
    QString file;
    int line = 0;
};

// Every message text the sources under srcRoot can show: the first argument of each Msg call
// (string literals kept, anything else becoming a run-time part) and every other literal that
// reads as a sentence (it holds 。 or ？), as texts made in the layers below the screens
// reach the user through the screens' messages. The command-line companion's folder is left
// out; it prints to a terminal.
QVector<SourceText> ScanMessages(const QString& srcRoot);

struct Command {
    QString name;    // "mnWorker"
    QString caption; // "社員　登録", without the "(&E)" accelerator
};
// The menu commands of the main window that its command table runs.
QVector<Command> ScanCommands(const QString& mainWindowSource);

struct Screen {
    QString id;         // "WS0030", "ImportWorker": the file names' prefix
    QStringList titles; // literal window titles set in its files
};
QVector<Screen> ScanScreens(const QString& srcRoot);

// Writes the guide: copies pages and style from sourceDir (the contents page Tesvane.html to
// outDir, the others to outDir/help/) and fills each "<!-- messages -->" with its page's
// catalogue entries as a table.
bool Assemble(const QString& sourceDir, const QString& outDir, QStringList* problems);

// The whole check; an empty list means the guide is complete.
QStringList Check(const QString& srcRoot, const QString& guideSourceDir, const QString& builtDir);

// The catalogue entry text as a page shows it (escaped, lines joined by <br>).
QString EntryHtml(const QString& text);

} // namespace Guide
