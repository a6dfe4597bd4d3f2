#include "GuideCheck.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace Guide {
namespace {

const QString Marker = QStringLiteral("<!-- messages -->");

QString readText(const QString& path, bool* ok = nullptr) {
    QFile f(path);
    const bool opened = f.open(QIODevice::ReadOnly);
    if (ok)
        *ok = opened;
    return opened ? QString::fromUtf8(f.readAll()) : QString();
}

bool writeText(const QString& path, const QString& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(text.toUtf8()) == text.toUtf8().size();
}

// A source file with its comments blanked and each string literal replaced by "\x01N\x02",
// N the literal's index; adjacent literals ("a" "b") are one literal, as the compiler joins
// them. Line breaks are kept so that positions still give line numbers.
struct Masked {
    QString code;
    QStringList literals;
    QVector<int> literalLines;
};

QChar unescape(QChar c) {
    switch (c.unicode()) {
    case 'n':
        return QLatin1Char('\n');
    case 'r':
        return QLatin1Char('\r');
    case 't':
        return QLatin1Char('\t');
    default:
        return c;
    }
}

Masked mask(const QString& src) {
    Masked m;
    int line = 1;
    qsizetype i = 0;
    const qsizetype n = src.size();
    int lastLiteralEnd = -1; // position in m.code just after the last literal's mark
    while (i < n) {
        const QChar c = src[i];
        if (c == QLatin1Char('\n')) {
            ++line;
            m.code += c;
            ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && src[i + 1] == QLatin1Char('/')) {
            while (i < n && src[i] != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && src[i + 1] == QLatin1Char('*')) {
            i += 2;
            while (i + 1 < n && !(src[i] == QLatin1Char('*') && src[i + 1] == QLatin1Char('/'))) {
                if (src[i] == QLatin1Char('\n')) {
                    ++line;
                    m.code += QLatin1Char('\n');
                }
                ++i;
            }
            i += 2;
        } else if (c == QLatin1Char('\'')) {
            m.code += c;
            ++i;
            while (i < n && src[i] != QLatin1Char('\'')) {
                if (src[i] == QLatin1Char('\\'))
                    m.code += src[i++];
                m.code += src[i++];
            }
            if (i < n)
                m.code += src[i++];
        } else if (c == QLatin1Char('"')) {
            QString text;
            const int startLine = line;
            ++i;
            while (i < n && src[i] != QLatin1Char('"')) {
                if (src[i] == QLatin1Char('\\') && i + 1 < n) {
                    text += unescape(src[i + 1]);
                    i += 2;
                } else {
                    if (src[i] == QLatin1Char('\n'))
                        ++line;
                    text += src[i++];
                }
            }
            ++i;
            // Only blanks since the last literal: the compiler joins the two.
            const bool joined =
                lastLiteralEnd >= 0 && m.code.mid(lastLiteralEnd).trimmed().isEmpty();
            if (joined) {
                m.literals.last() += text;
            } else {
                m.code += QChar(1) + QString::number(m.literals.size()) + QChar(2);
                m.literals << text;
                m.literalLines << startLine;
            }
            lastLiteralEnd = int(m.code.size());
            continue;
        } else {
            m.code += c;
            ++i;
        }
        if (!c.isSpace() && lastLiteralEnd >= 0 && m.code.size() > lastLiteralEnd &&
            !m.code.mid(lastLiteralEnd).trimmed().isEmpty())
            lastLiteralEnd = -1;
    }
    return m;
}

// The literal parts of a text, cut where the program fills something in: line breaks, %1,
// and the run-time expressions between literals. Parts without two readable characters say
// nothing about the message and are left out.
QStringList pieces(const QStringList& literalParts) {
    static const QRegularExpression cut(QStringLiteral("[\\r\\n]|%\\d"));
    static const QRegularExpression noise(
        QStringLiteral("[\\s\\x{3000}。、，,.:：;；!！?？（）()「」【】\\-－～~]"));
    QStringList out;
    for (const QString& part : literalParts)
        for (const QString& p : part.split(cut)) {
            QString bare = p;
            bare.remove(noise);
            if (bare.size() >= 2)
                out << p.trimmed();
        }
    return out;
}

bool isSentence(const QString& text) {
    return text.contains(QChar(0x3002)) || text.contains(QChar(0xFF1F)); // 。 ？
}

QString stripTags(QString html) {
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    html.remove(tag);
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html;
}

QStringList metaList(const QString& html, const QString& name) {
    const QRegularExpression meta(
        QStringLiteral("<meta name=\"%1\" content=\"([^\"]*)\"").arg(name));
    const auto m = meta.match(html);
    return m.hasMatch() ? m.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts) : QStringList();
}

QStringList htmlFiles(const QString& dir) {
    QStringList out;
    QDirIterator it(dir, {QStringLiteral("*.html")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    out.sort();
    return out;
}

// The sources whose texts reach the screens: all but the command-line companion's.
QStringList sourceFiles(const QString& srcRoot) {
    const QDir root(QDir(srcRoot).absolutePath());
    QDirIterator it(root.path(), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext()) {
        const QString f = it.next();
        if (!root.relativeFilePath(f).startsWith(QStringLiteral("cli/")))
            files << f;
    }
    files.sort();
    return files;
}

// Every literal of the sources, for entries whose text the program assembles from parts
// that are not sentences on their own.
QString allLiterals(const QString& srcRoot) {
    QString out;
    for (const QString& file : sourceFiles(srcRoot))
        out += mask(readText(file)).literals.join(QChar(0));
    return out;
}

} // namespace

QString EntryHtml(const QString& text) {
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

QVector<CatalogueEntry> ReadCatalogue(const QString& path, QStringList* problems) {
    QVector<CatalogueEntry> out;
    bool ok = false;
    const QString text = readText(path, &ok);
    if (!ok) {
        *problems << QStringLiteral("%1: cannot be read").arg(path);
        return out;
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 3 || f[0].isEmpty() || f[1].isEmpty() || f[2].trimmed().isEmpty()) {
            *problems
                << QStringLiteral("%1:%2: not page<TAB>message<TAB>meaning").arg(path).arg(i + 1);
            continue;
        }
        CatalogueEntry e;
        e.page = f[0];
        e.text = QString(f[1]).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        e.meaning = f[2];
        e.line = i + 1;
        out << e;
    }
    return out;
}

QVector<SourceText> ScanMessages(const QString& srcRoot) {
    QVector<SourceText> out;
    static const QRegularExpression call(
        QStringLiteral("\\bMsg::(?:info|warning|error|yesNo|okCancel)\\s*\\("));
    static const QRegularExpression mark(QStringLiteral("\\x01(\\d+)\\x02"));
    // A name that is not called, qualified or a member: perhaps a constant holding a text.
    static const QRegularExpression identifier(
        QStringLiteral("(?<![\\w.>:])([A-Za-z_]\\w*)\\b(?!\\s*[(:.])"));
    for (const QString& file : sourceFiles(srcRoot)) {
        const Masked m = mask(readText(file));
        const QString rel = QDir(srcRoot).relativeFilePath(file);
        QSet<int> used;
        auto lineAt = [&](qsizetype pos) {
            return int(m.code.left(pos).count(QLatin1Char('\n'))) + 1;
        };
        for (auto c = call.globalMatch(m.code); c.hasNext();) {
            const auto hit = c.next();
            // The first argument: up to the comma or parenthesis that ends it.
            int depth = 0;
            qsizetype p = hit.capturedEnd();
            const qsizetype start = p;
            for (; p < m.code.size(); ++p) {
                const QChar ch = m.code[p];
                if (ch == QLatin1Char('(') || ch == QLatin1Char('{') || ch == QLatin1Char('['))
                    ++depth;
                else if (ch == QLatin1Char(')') || ch == QLatin1Char('}') ||
                         ch == QLatin1Char(']')) {
                    if (depth == 0)
                        break;
                    --depth;
                } else if (ch == QLatin1Char(',') && depth == 0)
                    break;
            }
            // A text kept in a named constant of the file counts as written here.
            QString argument = m.code.mid(start, p - start);
            for (auto id = identifier.globalMatch(argument); id.hasNext();) {
                const QString name = id.next().captured(1);
                const QRegularExpression constant(
                    QStringLiteral("\\b%1\\s*=\\s*QStringLiteral\\((\\x01\\d+\\x02)\\)").arg(name));
                const auto c = constant.match(m.code);
                if (c.hasMatch())
                    argument.replace(QRegularExpression(QStringLiteral("\\b%1\\b").arg(name)),
                                     c.captured(1));
            }
            QStringList parts;
            for (auto l = mark.globalMatch(argument); l.hasNext();) {
                const int index = l.next().captured(1).toInt();
                used.insert(index);
                parts << m.literals[index];
            }
            SourceText t;
            t.pieces = pieces(parts);
            t.file = rel;
            t.line = lineAt(hit.capturedStart());
            if (!t.pieces.isEmpty())
                out << t;
        }
        for (int i = 0; i < m.literals.size(); ++i) {
            if (used.contains(i) || !isSentence(m.literals[i]))
                continue;
            SourceText t;
            t.pieces = pieces({m.literals[i]});
            t.file = rel;
            t.line = m.literalLines[i];
            if (!t.pieces.isEmpty())
                out << t;
        }
    }
    return out;
}

QVector<Command> ScanCommands(const QString& mainWindowSource) {
    const Masked m = mask(readText(mainWindowSource));
    auto literal = [&](const QString& markText) {
        return m.literals[markText.mid(1, markText.size() - 2).toInt()];
    };
    QSet<QString> inTable;
    const qsizetype table = m.code.indexOf(QStringLiteral("::buildCommandTable()"));
    if (table >= 0) {
        static const QRegularExpression entry(
            QStringLiteral("\\{\\s*QStringLiteral\\((\\x01\\d+\\x02)\\)\\s*,"));
        for (auto it = entry.globalMatch(m.code, table); it.hasNext();)
            inTable.insert(literal(it.next().captured(1)));
    }
    static const QRegularExpression add(
        QStringLiteral("addCommand\\(\\s*\\w+\\s*,\\s*(\\x01\\d+\\x02)\\s*,\\s*QStringLiteral\\(("
                       "\\x01\\d+\\x02)\\)"));
    static const QRegularExpression accelerator(QStringLiteral("\\(&.\\)$"));
    QVector<Command> out;
    for (auto it = add.globalMatch(m.code); it.hasNext();) {
        const auto hit = it.next();
        Command c;
        c.name = literal(hit.captured(1));
        c.caption = literal(hit.captured(2)).remove(accelerator);
        if (inTable.contains(c.name))
            out << c;
    }
    return out;
}

QVector<Screen> ScanScreens(const QString& srcRoot) {
    static const QRegularExpression screenFile(QStringLiteral("^([A-Za-z]+\\d*)_\\w+\\.(h|cpp)$"));
    static const QRegularExpression title(
        QStringLiteral("setWindowTitle\\(\\s*QStringLiteral\\((\\x01\\d+\\x02)\\)\\s*\\)"));
    QMap<QString, Screen> screens;
    for (const QString& layer : {QStringLiteral("gui"), QStringLiteral("app")}) {
        QDirIterator it(srcRoot + QLatin1Char('/') + layer, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const auto name = screenFile.match(QFileInfo(file).fileName());
            if (!name.hasMatch())
                continue;
            Screen& s = screens[name.captured(1)];
            s.id = name.captured(1);
            const Masked m = mask(readText(file));
            for (auto t = title.globalMatch(m.code); t.hasNext();) {
                const QString mk = t.next().captured(1);
                QString text = m.literals[mk.mid(1, mk.size() - 2).toInt()];
                text.remove(QStringLiteral("[*]"));
                text = text.trimmed();
                if (!text.isEmpty() && !s.titles.contains(text))
                    s.titles << text;
            }
        }
    }
    return screens.values().toVector();
}

bool Assemble(const QString& sourceDir, const QString& outDir, QStringList* problems) {
    QStringList before;
    const QVector<CatalogueEntry> entries =
        ReadCatalogue(sourceDir + QStringLiteral("/messages.tsv"), problems);
    QDir().mkpath(outDir + QStringLiteral("/help"));
    auto copyPage = [&](const QString& from, const QString& to) {
        QString html = readText(from);
        const QString page = QFileInfo(from).fileName();
        if (html.contains(Marker)) {
            QString table = QStringLiteral(
                "<table class=\"messages\">\n<tr><th>メッセージ</th><th>意味と対処</th></tr>\n");
            for (const CatalogueEntry& e : entries)
                if (e.page == page)
                    table += QStringLiteral("<tr><td class=\"msg\">%1</td><td>%2</td></tr>\n")
                                 .arg(EntryHtml(e.text), e.meaning);
            table += QStringLiteral("</table>");
            html.replace(Marker, table);
        }
        if (!writeText(to, html))
            *problems << QStringLiteral("%1: cannot be written").arg(to);
    };
    copyPage(sourceDir + QStringLiteral("/Tesvane.html"), outDir + QStringLiteral("/Tesvane.html"));
    const QDir pages(sourceDir + QStringLiteral("/pages"));
    for (const QString& f : pages.entryList({QStringLiteral("*.html")}, QDir::Files))
        copyPage(pages.filePath(f), outDir + QStringLiteral("/help/") + f);
    for (const QString& f : pages.entryList({QStringLiteral("*.css")}, QDir::Files)) {
        const QString to = outDir + QStringLiteral("/help/") + f;
        QFile::remove(to);
        if (!QFile::copy(pages.filePath(f), to))
            *problems << QStringLiteral("%1: cannot be written").arg(to);
    }
    return problems->isEmpty();
}

QStringList Check(const QString& srcRoot, const QString& guideSourceDir, const QString& builtDir) {
    QStringList problems;
    const QVector<CatalogueEntry> entries =
        ReadCatalogue(guideSourceDir + QStringLiteral("/messages.tsv"), &problems);

    // Every message text of the program is in the catalogue: all its literal parts, in
    // order, in one entry.
    QVector<bool> entryUsed(entries.size(), false);
    for (const SourceText& t : ScanMessages(srcRoot)) {
        bool found = false;
        for (int e = 0; e < entries.size(); ++e) {
            qsizetype from = 0;
            bool all = true;
            for (const QString& p : t.pieces) {
                const qsizetype at = entries[e].text.indexOf(p, from);
                if (at < 0) {
                    all = false;
                    break;
                }
                from = at + p.size();
            }
            if (all) {
                found = true;
                entryUsed[e] = true;
            }
        }
        if (!found)
            problems << QStringLiteral("%1:%2: message not in the catalogue: %3")
                            .arg(t.file)
                            .arg(t.line)
                            .arg(t.pieces.join(QStringLiteral(" … ")));
    }
    static const QRegularExpression placeholder(QStringLiteral("〈[^〉]*〉"));
    const QString literals = allLiterals(srcRoot);
    for (int e = 0; e < entries.size(); ++e) {
        if (entryUsed[e])
            continue;
        const QStringList parts =
            pieces({QString(entries[e].text).replace(placeholder, QStringLiteral("\n"))});
        entryUsed[e] =
            !parts.isEmpty() && std::all_of(parts.cbegin(), parts.cend(),
                                            [&](const QString& p) { return literals.contains(p); });
    }
    for (int e = 0; e < entries.size(); ++e)
        if (!entryUsed[e])
            problems << QStringLiteral("messages.tsv:%1: the program no longer shows: %2")
                            .arg(entries[e].line)
                            .arg(entries[e].text);

    // The built pages: their declarations, texts and the catalogue entries in them.
    QMap<QString, QString> pages; // file name -> html
    QMap<QString, QString> pagePaths;
    for (const QString& f : htmlFiles(builtDir)) {
        pages.insert(QFileInfo(f).fileName(), readText(f));
        pagePaths.insert(QFileInfo(f).fileName(), f);
    }
    for (const CatalogueEntry& e : entries) {
        if (!pages.contains(e.page))
            problems << QStringLiteral("messages.tsv:%1: no page %2").arg(e.line).arg(e.page);
        else if (!pages[e.page].contains(EntryHtml(e.text)))
            problems << QStringLiteral("%1: does not show the message %2").arg(e.page, e.text);
    }
    auto declaring = [&](const QString& meta, const QString& name) {
        QStringList out;
        for (auto it = pages.cbegin(); it != pages.cend(); ++it)
            if (metaList(it.value(), meta).contains(name))
                out << it.key();
        return out;
    };
    QString mainWindow = srcRoot + QStringLiteral("/app/WS0000_MainWindow.cpp");
    for (const Command& c : ScanCommands(mainWindow)) {
        const QStringList on = declaring(QStringLiteral("commands"), c.name);
        if (on.isEmpty())
            problems << QStringLiteral("command %1 (%2) has no page").arg(c.name, c.caption);
        for (const QString& p : on)
            if (!stripTags(pages[p]).contains(c.caption))
                problems << QStringLiteral("%1: does not name the command %2").arg(p, c.caption);
    }
    for (const Screen& s : ScanScreens(srcRoot)) {
        const QStringList on = declaring(QStringLiteral("screens"), s.id);
        if (on.isEmpty())
            problems << QStringLiteral("screen %1 has no page").arg(s.id);
        for (const QString& p : on)
            for (const QString& t : s.titles)
                if (!stripTags(pages[p]).contains(t))
                    problems << QStringLiteral("%1: does not name the screen %2").arg(p, t);
    }

    // Every picture and link leads somewhere.
    static const QRegularExpression ref(QStringLiteral("(?:src|href)=\"([^\"]+)\""));
    for (auto it = pagePaths.cbegin(); it != pagePaths.cend(); ++it) {
        const QString html = pages[it.key()];
        const QDir here = QFileInfo(it.value()).dir();
        for (auto r = ref.globalMatch(html); r.hasNext();) {
            const QString target = r.next().captured(1);
            if (target.contains(QStringLiteral("://")) ||
                target.startsWith(QStringLiteral("mailto:")))
                continue;
            const QString file = target.section(QLatin1Char('#'), 0, 0);
            const QString anchor = target.section(QLatin1Char('#'), 1);
            const QString path = file.isEmpty() ? it.value() : here.filePath(file);
            if (!QFileInfo(path).isFile()) {
                problems << QStringLiteral("%1: %2 does not exist").arg(it.key(), target);
                continue;
            }
            if (!anchor.isEmpty() && path.endsWith(QStringLiteral(".html")) &&
                !readText(path).contains(QStringLiteral("id=\"%1\"").arg(anchor)))
                problems << QStringLiteral("%1: %2 has no such place").arg(it.key(), target);
        }
    }
    return problems;
}

} // namespace Guide
