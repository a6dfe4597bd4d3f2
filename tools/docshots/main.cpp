// Makes the guide's pictures from the program itself: the main window on a fresh copy of the
// delivered data, each screen opened through its menu command in a realistic state and saved
// with QWidget::grab(). Any message box that shows up unasked fails the run, so a picture is
// never taken of a screen that refused to open.

#include "app/Startup.h"
#include "app/WS0000_MainWindow.h"
#include "core/common/AppState.h"
#include "core/common/Messages.h"
#include "data/db/TDM.h"
#include "data/project/Project.h"
#include "gui/common/Dialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

QString g_out;
int g_failures = 0;
int g_pictures = 0;

void fail(const QString& what) {
    std::fprintf(stderr, "docshots: %s\n", qPrintable(what));
    ++g_failures;
}

// Answers every message box; one the script did not expect is a failure.
class Answers : public Msg::Responder {
public:
    QStringList expected;
    Msg::Answer respond(const Msg::Request& r) override {
        const bool known = std::any_of(expected.cbegin(), expected.cend(),
                                       [&](const QString& e) { return r.text.contains(e); });
        if (!known)
            fail(QStringLiteral("unexpected message: ") + r.text);
        return r.buttons == Msg::Buttons::Ok ? Msg::Answer::Ok : Msg::Answer::No;
    }
};
Answers g_answers;

// File dialogs answer from the script: the tool never waits for a person.
class ScriptDialogs : public Dialogs::Provider {
public:
    QString openAnswer;
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return openAnswer;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    bool chooseColor(QWidget*, QColor&) override { return false; }
    bool printerSetup(QWidget*, QPrinter&) override { return false; }
    bool printDialog(QWidget*, QPrinter&) override { return false; }
    bool openDocument(const QString&) override { return true; }
};

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void save(QWidget* w, const QString& name) {
    settle();
    const QString path = g_out + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!w->grab().save(path))
        fail(QStringLiteral("cannot write ") + path);
    else
        ++g_pictures;
}

template <class W = QWidget> W* find(QWidget* screen, const QString& name) {
    W* w = screen->findChild<W*>(name);
    if (!w)
        fail(QStringLiteral("%1 has no control %2").arg(screen->objectName(), name));
    return w;
}

void click(QWidget* screen, const QString& name) {
    if (auto* b = find<QAbstractButton>(screen, name)) {
        b->click();
        settle();
    }
}

void type(QWidget* screen, const QString& name, const QString& text) {
    if (auto* box = find<QLineEdit>(screen, name)) {
        box->setFocus();
        box->setText(text);
        box->textEdited(text);
        box->editingFinished();
        settle();
    }
}

// Choosing an entry of a list box, as a click on it does.
void activate(QWidget* screen, const QString& name, int index) {
    if (auto* box = find<QComboBox>(screen, name)) {
        box->setCurrentIndex(index);
        box->activated(index);
        settle();
    }
}

QWidget* topLevel(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == name)
            return w;
    return nullptr;
}

void closeWindow(QWidget* w) {
    if (!w || !w->isVisible())
        return;
    w->close();
    settle();
    if (w->isVisible())
        if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
    settle();
}

// Runs `open`, which shows a modal screen and returns when it closes; while it is up, `use`
// works on it, and the screen is then closed.
void onModal(const QString& what, const std::function<void()>& open,
             const std::function<void(QWidget*)>& use) {
    QWidget* before = QApplication::activeModalWidget();
    bool seen = false;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (seen || !w || w == before)
            return;
        seen = true;
        timer.stop();
        settle();
        use(w);
        closeWindow(w);
    });
    timer.start();
    open();
    timer.stop();
    if (!seen)
        fail(what + QStringLiteral(": no screen opened"));
}

void command(TWS0000& main, const QString& name, const std::function<void(QWidget*)>& use) {
    QAction* a = main.action(name);
    if (!a || !a->isEnabled()) {
        fail(name + QStringLiteral(": no such command, or disabled"));
        return;
    }
    onModal(
        name, [a] { a->trigger(); }, use);
}

// Every further page of a screen's tab control as NAME-2, NAME-3, …, then the first page again.
void savePages(QWidget* w, const QString& name) {
    auto* pages = find<QTabWidget>(w, QStringLiteral("PageControl1"));
    if (!pages)
        return;
    for (int i = 1; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        settle();
        if (pages->currentIndex() == i)
            save(w, name + QStringLiteral("-%1").arg(i + 1));
    }
    pages->setCurrentIndex(0);
    settle();
}

// The company selection on year 2023 with the sample company marked.
void pickCompany(QWidget* w) {
    if (auto* year = find<QComboBox>(w, QStringLiteral("cmbNendo")))
        year->setCurrentIndex(year->findText(QStringLiteral("2023")));
    settle();
    if (auto* grid = find<QTableWidget>(w, QStringLiteral("StringGrid1")))
        for (int row = 0; row < grid->rowCount(); ++row)
            if (grid->item(row, 1) &&
                grid->item(row, 1)->text().contains(QStringLiteral("サンプル")))
                grid->setCurrentCell(row, 1);
    settle();
}

// The analysis result the plot window's menu shows, beside the chart.
void showAnalysis(QWidget* plot) {
    auto* menu = find<QMenu>(plot, QStringLiteral("PopupMenu2"));
    if (!menu)
        return;
    for (QAction* a : menu->actions())
        if (a->text() == QStringLiteral("分析評価結果"))
            a->trigger();
    settle();
    if (QWidget* result = topLevel(QStringLiteral("WS1102"))) {
        save(result, QStringLiteral("ws1102"));
        result->hide();
    } else {
        fail(QStringLiteral("the analysis result did not show"));
    }
}

// A raise curve of design 1 through six points, registered as a user would.
void enterDesign(QWidget* w) {
    const int ages[] = {22, 30, 40, 50, 55, 60};
    const int pay[] = {120000, 165000, 210000, 250000, 265000, 270000};
    for (int p = 1; p <= 6; ++p) {
        type(w, QStringLiteral("txtNenrei1%1").arg(p), QString::number(ages[p - 1]));
        type(w, QStringLiteral("txtSyokunou1%1").arg(p), QString::number(pay[p - 1]));
    }
    type(w, QStringLiteral("txtTitle"), QStringLiteral("職能給の設計例"));
    click(w, QStringLiteral("chk1"));
    click(w, QStringLiteral("btnPlotAll"));
    click(w, QStringLiteral("btnTokyuAll"));
    click(w, QStringLiteral("btnAdd"));
}

bool copyFolder(const QString& from, const QString& to, const QStringList& filters) {
    QDir().mkpath(to);
    for (const QString& f : QDir(from).entryList(filters, QDir::Files))
        if (!QFile::copy(from + QLatin1Char('/') + f, to + QLatin1Char('/') + f))
            return false;
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    auto option = [&](const QString& name) {
        const int i = args.indexOf(name);
        return i > 0 && i + 1 < args.size() ? args.at(i + 1) : QString();
    };
    const QString delivered = option(QStringLiteral("--delivered"));
    const QString reports = option(QStringLiteral("--report"));
    const QString examples = option(QStringLiteral("--examples"));
    g_out = option(QStringLiteral("--out"));
    if (delivered.isEmpty() || reports.isEmpty() || g_out.isEmpty()) {
        std::fprintf(stderr, "Usage: tesvane-docshots --delivered DIR --report DIR "
                             "[--examples DIR] --out DIR\n");
        return 2;
    }
    QElapsedTimer clock;
    clock.start();

    // A fresh program folder: the pictures never show a user's data.
    QTemporaryDir folder;
    const QString appDir = folder.path() + QLatin1Char('/');
    if (!copyFolder(delivered, appDir + QStringLiteral("DATA"), {QStringLiteral("*.db")}) ||
        !copyFolder(reports, appDir + QStringLiteral("Report"), {QStringLiteral("*.jfm")}) ||
        (!examples.isEmpty() &&
         !copyFolder(examples, appDir + QStringLiteral("CSV"), {QStringLiteral("*.csv")}))) {
        std::fprintf(stderr, "docshots: cannot lay out the program folder\n");
        return 1;
    }
    QDir().mkpath(appDir + QStringLiteral("Picture"));
    QDir().mkpath(g_out);

    PrepareApplication();
    Msg::setResponder(&g_answers);
    ScriptDialogs dialogs;
    Dialogs::setProvider(&dialogs);
    TDM dm;
    Project project;
    resetState().clock = [] { return QDate(2024, 3, 15); };
    TWS0000 main(appDir);
    main.resize(1100, 640);
    main.show();
    save(&main, QStringLiteral("main-closed"));

    // Changing a company needs none open: the selection in its change mode, then the data.
    command(main, QStringLiteral("mnMnt"), [](QWidget* w) {
        pickCompany(w);
        click(w, QStringLiteral("btnMnt"));
        if (QWidget* data = w->findChild<QWidget*>(QStringLiteral("WS0020"))) {
            save(data, QStringLiteral("ws0020"));
            closeWindow(data);
        } else {
            fail(QStringLiteral("the company data did not open"));
        }
    });

    // Opening the sample company as a user does: year 2023, サンプル企業, 選択.
    command(main, QStringLiteral("mnOPen"), [](QWidget* w) {
        pickCompany(w);
        save(w, QStringLiteral("ws0010"));
        click(w, QStringLiteral("btnAdd"));
    });
    if (!project.isOpen()) {
        fail(QStringLiteral("the sample company did not open"));
        return 1;
    }
    command(main, QStringLiteral("mnBase"), [](QWidget* w) {
        save(w, QStringLiteral("ws0070"));
        savePages(w, QStringLiteral("ws0070"));
    });
    command(main, QStringLiteral("mnImport"), [&](QWidget* w) {
        type(w, QStringLiteral("EB_FileName"), appDir + QStringLiteral("CSV/import-sample.csv"));
        click(w, QStringLiteral("BTN_Check"));
        save(w, QStringLiteral("import"));
    });
    command(main, QStringLiteral("mnWorker"), [](QWidget* w) {
        activate(w, QStringLiteral("cmbWorker"), 2);
        save(w, QStringLiteral("ws0030"));
        savePages(w, QStringLiteral("ws0030"));
    });
    // Once the employees have been seen, the main window shows every panel.
    save(&main, QStringLiteral("main"));
    command(main, QStringLiteral("mnLiving"),
            [](QWidget* w) { save(w, QStringLiteral("ws0050")); });
    command(main, QStringLiteral("mnModelData"),
            [](QWidget* w) { save(w, QStringLiteral("ws0080")); });
    command(main, QStringLiteral("mnModelSalary"),
            [](QWidget* w) { save(w, QStringLiteral("ws0060")); });

    // The analysis screens: every mark and grade, 分　析, and the plot window they draw.
    const struct {
        const char* command;
        const char* picture;
    } analyses[] = {{"mnSalaryPlot", "ws1010"},      {"mnSalaryUpCurve", "ws1020"},
                    {"mnLivingComp", "ws1030"},      {"mnModelSalaryComp", "ws1040"},
                    {"mnSalaryUpSetting", "ws1050"}, {"mnSalarySetting", "ws1060"}};
    for (const auto& a : analyses) {
        const QString picture = QString::fromLatin1(a.picture);
        command(main, QString::fromLatin1(a.command), [&picture](QWidget* w) {
            if (picture == QStringLiteral("ws1050"))
                enterDesign(w);
            else
                for (const char* all : {"btnPlotAll", "btnTokyuAll"})
                    if (auto* b = w->findChild<QAbstractButton*>(QString::fromLatin1(all)))
                        b->click();
            // The regression draws its curves only when asked to.
            if (auto* curves = w->findChild<QCheckBox*>(QStringLiteral("optGraph")))
                if (!curves->isChecked())
                    curves->click();
            settle();
            save(w, picture);
            const char* run = w->findChild<QAbstractButton*>(QStringLiteral("btnAnalize"))
                                  ? "btnAnalize"
                                  : "btnExec";
            click(w, QString::fromLatin1(run));
            if (QWidget* plot = topLevel(QStringLiteral("WS1100"))) {
                plot->resize(1000, 680);
                click(plot, QStringLiteral("btnExec"));
                save(plot, picture + QStringLiteral("-plot"));
                if (picture == QStringLiteral("ws1010"))
                    showAnalysis(plot);
                closeWindow(plot);
            } else {
                fail(picture + QStringLiteral(": no plot window"));
            }
            if (picture == QStringLiteral("ws1050"))
                onModal(
                    QStringLiteral("btnHanrei1"), [w] { click(w, QStringLiteral("btnHanrei1")); },
                    [](QWidget* style) { save(style, QStringLiteral("ws1051")); });
        });
    }

    command(main, QStringLiteral("mnSalaryList"), [](QWidget* w) {
        save(w, QStringLiteral("ws2010"));
        auto* pages = find<QTabWidget>(w, QStringLiteral("PageControl1"));
        // The page of the curve not chosen says so and stays closed.
        g_answers.expected = {QStringLiteral("曲線の選択　は、")};
        for (int i = 1; pages && i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            settle();
            if (pages->currentIndex() == i)
                save(w, QStringLiteral("ws2010-%1").arg(i + 1));
        }
        g_answers.expected.clear();
        if (pages)
            pages->setCurrentIndex(0);
        click(w, QStringLiteral("btnKijungaku"));
        if (QWidget* base = topLevel(QStringLiteral("WS2011"))) {
            save(base, QStringLiteral("ws2011"));
            closeWindow(base);
        } else {
            fail(QStringLiteral("the base amounts did not open"));
        }
    });
    command(main, QStringLiteral("mnSalaryInput"), [](QWidget* w) {
        activate(w, QStringLiteral("cmbWorkerCode"), 2);
        save(w, QStringLiteral("ws3010"));
        savePages(w, QStringLiteral("ws3010"));
    });
    command(main, QStringLiteral("mnEvaConv"),
            [](QWidget* w) { save(w, QStringLiteral("ws3020")); });
    command(main, QStringLiteral("mnNendoUpdate"), [](QWidget* w) {
        activate(w, QStringLiteral("cmbCorpName"), 0);
        save(w, QStringLiteral("ws3030"));
    });
    command(main, QStringLiteral("mnSaralyReport"), [](QWidget* w) {
        save(w, QStringLiteral("ws0090"));
        onModal(
            QStringLiteral("btnPrint"), [w] { click(w, QStringLiteral("btnPrint")); },
            [](QWidget* preview) {
                preview->resize(1000, 760);
                save(preview, QStringLiteral("preview"));
            });
    });
    command(main, QStringLiteral("BeforeUse"),
            [](QWidget* w) { save(w, QStringLiteral("beforeuse")); });
    command(main, QStringLiteral("mnVersion"),
            [](QWidget* w) { save(w, QStringLiteral("ws4010")); });

    std::fprintf(stderr, "docshots: %d pictures in %lld ms\n", g_pictures,
                 static_cast<long long>(clock.elapsed()));
    return g_failures == 0 ? 0 : 1;
}
