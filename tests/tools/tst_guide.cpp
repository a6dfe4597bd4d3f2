// The guide's check: on the real guide it finds nothing missing; on a small tree it finds a
// message, a command or a screen added without its place in the guide, and a broken link.

#include "GuideCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void write(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    f.write(text.toUtf8());
}

QString read(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(f.readAll());
}

// A program of one command and one screen, and a guide that covers both.
struct Fixture {
    QTemporaryDir dir;
    QString src() const { return dir.path() + QStringLiteral("/src"); }
    QString help() const { return dir.path() + QStringLiteral("/help"); }
    QString built() const { return dir.path() + QStringLiteral("/app"); }

    Fixture() {
        write(src() + QStringLiteral("/app/WS0000_MainWindow.cpp"), QStringLiteral(R"x(
void TWS0000::buildMenus() {
    addCommand(p, "mnSave", QStringLiteral("書出し(&S)"));
    addCommand(p, "mnLater", QStringLiteral("未完成(&L)"));
}
void TWS0000::buildCommandTable() {
    m_commands = {
        {QStringLiteral("mnSave"), always([this] { save(); })},
    };
}
)x"));
        write(src() + QStringLiteral("/gui/things/WS9001_Thing.cpp"), QStringLiteral(R"x(
TWS9001::TWS9001() {
    setWindowTitle(QStringLiteral("物の登録"));
}
void TWS9001::save(const QString& name) {
    // Msg::info(QStringLiteral("古い文言です。"));
    if (!Msg::yesNo(QStringLiteral("ファイル ") + name +
                    QStringLiteral(" を保存します。\r"
                                   "よろしいですか？")))
        return;
    Msg::info(QStringLiteral("%1 件を保存しました。").arg(3));
}
)x"));
        write(src() + QStringLiteral("/gui/things/WS9001_Thing.h"),
              QStringLiteral("class TWS9001;\n"));
        write(
            src() + QStringLiteral("/core/things/Checks.cpp"),
            QStringLiteral("const QString Bad = QStringLiteral(\"数値を入力してください。\");\n"));
        write(help() + QStringLiteral("/messages.tsv"),
              QStringLiteral("# page\tmessage\tmeaning\n"
                             "thing.html\tファイル 〈ファイル名〉 "
                             "を保存します。\\nよろしいですか？\t保存の確認です。\n"
                             "thing.html\t〈件数〉 件を保存しました。\t保存が終わりました。\n"
                             "thing.html\t数値を入力してください。\t数字だけを入力します。\n"));
        write(help() + QStringLiteral("/Tesvane.html"),
              QStringLiteral("<meta name=\"screens\" content=\"WS0000\">"
                             "<a href=\"help/thing.html#save\">保存</a>"));
        write(help() + QStringLiteral("/pages/thing.html"), page());
        write(built() + QStringLiteral("/help/img/thing.png"), QStringLiteral("png"));
    }
    static QString page() {
        return QStringLiteral("<meta name=\"commands\" content=\"mnSave\">\n"
                              "<meta name=\"screens\" content=\"WS9001\">\n"
                              "<h1 id=\"save\">物の登録</h1><p>［書出し］で保存します。</p>\n"
                              "<img src=\"img/thing.png\"><a href=\"../Tesvane.html\">目次</a>\n"
                              "<!-- messages -->\n");
    }
    QStringList check() {
        QStringList problems;
        if (!Guide::Assemble(help(), built(), &problems))
            return problems;
        return Guide::Check(src(), help(), built());
    }
};

bool mentions(const QStringList& problems, const QString& text) {
    for (const QString& p : problems)
        if (p.contains(text))
            return true;
    return false;
}

} // namespace

class TestGuide : public QObject {
    Q_OBJECT
private slots:
    void theProgramsGuideIsComplete() {
        const QStringList problems =
            Guide::Check(QStringLiteral(GUIDE_SRC_ROOT), QStringLiteral(GUIDE_SOURCE),
                         QStringLiteral(GUIDE_BUILT));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void aCompleteGuidePassesWithItsRunTimePartsAsPlaceholders() {
        Fixture f;
        const QStringList problems = f.check();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
        // The table the page was given shows the message as the program puts it.
        QVERIFY(read(f.built() + QStringLiteral("/help/thing.html"))
                    .contains(QStringLiteral(
                        "ファイル 〈ファイル名〉 を保存します。<br>よろしいですか？")));
    }

    void aMessageAddedWithoutItsEntryFails() {
        Fixture f;
        write(f.src() + QStringLiteral("/gui/things/More.cpp"),
              QStringLiteral(
                  "void f() { Msg::warning(QStringLiteral(\"保存できません\") + path); }\n"));
        write(f.src() + QStringLiteral("/gui/things/Named.cpp"),
              QStringLiteral("const QString Gone = QStringLiteral(\"物がありません\");\n"
                             "void h() { Msg::info(Gone); }\n"));
        write(f.src() + QStringLiteral("/data/things/Store.cpp"),
              QStringLiteral("QString g() { return QStringLiteral(\"物が壊れています。\"); }\n"));
        const QStringList problems = f.check();
        QVERIFY(mentions(
            problems, QStringLiteral("More.cpp:1: message not in the catalogue: 保存できません")));
        QVERIFY(mentions(
            problems,
            QStringLiteral("Store.cpp:1: message not in the catalogue: 物が壊れています。")));
        QVERIFY(mentions(
            problems, QStringLiteral("Named.cpp:2: message not in the catalogue: 物がありません")));
        QCOMPARE(problems.size(), 3);
    }

    void aMessageChangedInTheProgramLeavesItsOldEntryStale() {
        Fixture f;
        QString code = read(f.src() + QStringLiteral("/gui/things/WS9001_Thing.cpp"));
        code.replace(QStringLiteral("件を保存しました。"), QStringLiteral("件を登録しました。"));
        write(f.src() + QStringLiteral("/gui/things/WS9001_Thing.cpp"), code);
        const QStringList problems = f.check();
        QVERIFY(mentions(problems, QStringLiteral("not in the catalogue: 件を登録しました。")));
        QVERIFY(mentions(problems, QStringLiteral("no longer shows: 〈件数〉 件を保存しました。")));
    }

    void aCommandOrScreenWithoutItsPageFails() {
        Fixture f;
        QString table = read(f.src() + QStringLiteral("/app/WS0000_MainWindow.cpp"));
        table.replace(
            QStringLiteral("    };"),
            QStringLiteral("        {QStringLiteral(\"mnLater\"), always([] {})},\n    };"));
        write(f.src() + QStringLiteral("/app/WS0000_MainWindow.cpp"), table);
        write(f.src() + QStringLiteral("/gui/things/WS9002_Other.h"), QStringLiteral("class X;\n"));
        const QStringList problems = f.check();
        QVERIFY(mentions(problems, QStringLiteral("command mnLater (未完成) has no page")));
        QVERIFY(mentions(problems, QStringLiteral("screen WS9002 has no page")));
        QCOMPARE(problems.size(), 2);
    }

    void aPageMustNameItsCommandAndScreen() {
        Fixture f;
        write(f.help() + QStringLiteral("/pages/thing.html"),
              Fixture::page()
                  .remove(QStringLiteral("物の登録"))
                  .remove(QStringLiteral("［書出し］")));
        const QStringList problems = f.check();
        QVERIFY(mentions(problems, QStringLiteral("thing.html: does not name the command 書出し")));
        QVERIFY(
            mentions(problems, QStringLiteral("thing.html: does not name the screen 物の登録")));
    }

    void brokenPicturesLinksAndEntriesFail() {
        Fixture f;
        QString page = Fixture::page();
        page.replace(QStringLiteral("img/thing.png"), QStringLiteral("img/gone.png"));
        page.replace(QStringLiteral("<!-- messages -->"),
                     QStringLiteral("<a href=\"#nowhere\">x</a>"));
        write(f.help() + QStringLiteral("/pages/thing.html"), page);
        const QStringList problems = f.check();
        QVERIFY(mentions(problems, QStringLiteral("thing.html: img/gone.png does not exist")));
        QVERIFY(mentions(problems, QStringLiteral("thing.html: #nowhere has no such place")));
        // Without its table the page no longer shows its messages.
        QVERIFY(mentions(
            problems,
            QStringLiteral("thing.html: does not show the message 数値を入力してください。")));
    }
};

QTEST_GUILESS_MAIN(TestGuide)
#include "tst_guide.moc"
