#include "app/BeforeUse_UsageGuide.h"
#include "app/WS0000_MainWindow.h"
#include "core/common/AppState.h"
#include "data/db/ServerAddress.h"
#include "data/project/Project.h"
#include "gui/company/WS0010_CompanySelection.h"
#include "support/gui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

namespace {

// Acts on the modal window that the next command shows, from inside its event loop.
void onNextModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* w = QApplication::activeModalWidget();
        QVERIFY(w);
        act(w);
    });
}

void closeSelection(QWidget* w) {
    w->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
}

// The selection's grid row of a company code, clicked and chosen.
void chooseCompany(QWidget* w, int kco) {
    auto* grid = w->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 1) && grid->item(r, 1)->text() == QString::number(kco)) {
            auto* sel = static_cast<TWS0010*>(w);
            sel->StringGrid1Click(r + 1, 2);
            break;
        }
    w->findChild<QPushButton*>(QStringLiteral("btnAdd"))->click();
}

bool menuEnabled(TWS0000& mw, const char* name) {
    return mw.findChild<QMenu*>(QString::fromLatin1(name))->isEnabled();
}
bool panelVisible(TWS0000& mw, const char* name) {
    return !mw.findChild<QFrame*>(QString::fromLatin1(name))->isHidden();
}

struct Fixture {
    ScreenEnvironment env;
    std::unique_ptr<TWS0000> mw;
    Fixture() {
        env.setToday(QDate(2026, 12, 8));
        // A company of this year, so the selection lists it without changing the year.
        env.exec(TDM::ACN1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA, FNK, KDATE, "
                                           "REKI) VALUES (50, 2026, 'O''Brien商事', 0, "
                                           "20260401, 1)"));
        env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MKIGYOU2 (KCO, NENDO, KNA, TK01) VALUES "
                                           "(50, 2026, 'O''Brien商事', '一般')"));
        env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MMARK (KCO, NENDO, MKCO, MARK) VALUES "
                                           "(50, 2026, 1, '■')"));
        mw = std::make_unique<TWS0000>(env.appDir());
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithEverythingClosed() {
        Fixture f;
        TWS0000& mw = *f.mw;
        QCOMPARE(mw.windowTitle(), QStringLiteral("Tesvane賃金"));
        for (const char* m : {"mnData", "mnGraph", "mnSalary", "mnSalaryUp", "mnReport"})
            QVERIFY(!menuEnabled(mw, m));
        for (const char* p : {"Panel_EarlySet", "Panel_Plot", "Panel_WTable", "Panel_Report"})
            QVERIFY(!panelVisible(mw, p));
        QVERIFY(panelVisible(mw, "Panel_Project"));
        QVERIFY(panelVisible(mw, "Panel_Help"));
        auto* b = mw.findChild<QToolButton*>(QStringLiteral("btnNew"));
        QCOMPARE(b->text(), QStringLiteral("新規"));
        QCOMPARE(b->size(), QSize(50, 62));
        const AppState& s = state();
        QCOMPARE(s.EraNames[3], QStringLiteral("令和"));
        QCOMPARE(s.EraStartYears[2], 1989);
        QCOMPARE(s.PlotPrintNo, 1);
        QCOMPARE(s.DataDir, f.env.dataDir());
        VERIFY_MESSAGES(f.env.messages);
    }

    void missingControlFileIsReportedAndTheProgramStarts() {
        ScreenEnvironment env;
        QVERIFY(QFile::remove(env.seigyoPath()));
        env.messages.expect(QStringLiteral("データベースのオープンでエラーが発生しました。　") +
                                env.seigyoPath(),
                            Msg::Answer::Ok, QStringLiteral("Tesvane賃金"));
        TWS0000 mw(env.appDir());
        QVERIFY(!env.dm.isOpen(TDM::ACN1));
        QVERIFY(env.dm.isOpen(TDM::ACN2));
        QCOMPARE(state().EraNames[1], QString());
        QCOMPARE(state().EraStartYears[1], 0);
        VERIFY_MESSAGES(env.messages);
    }

    // Started on a server that cannot be opened: the open errors and the caption name the
    // server with its password hidden, in whichever form the address carried it.
    void serverAddressShowsNoPassword() {
        const QList<std::pair<QString, QString>> servers = {
            {QStringLiteral("postgresql://jinji:S3cr3t@/nodb?host=/nonexistent-tesvane"),
             QStringLiteral("postgresql://jinji:***@/nodb?host=/nonexistent-tesvane")},
            {QStringLiteral("postgresql://jinji@/nodb?password=S3cr3t&host=/nonexistent-tesvane"),
             QStringLiteral("postgresql://jinji@/nodb?password=***&host=/nonexistent-tesvane")},
            {QStringLiteral("postgresql://jinji@/nodb?host=/nonexistent-tesvane&p%61ssword=S3cr3t"),
             QStringLiteral("postgresql://jinji@/nodb?host=/nonexistent-tesvane&p%61ssword=***")},
        };
        for (const auto& [url, shown] : servers) {
            ScreenEnvironment env;
            SetServerUrl(url);
            for (int file = 0; file < 2; ++file)
                env.messages.expect(
                    QStringLiteral("データベースのオープンでエラーが発生しました。　") + shown);
            TWS0000 mw(env.appDir());
            VERIFY_MESSAGES(env.messages);
            for (const Msg::Request& m : env.messages.seen())
                QVERIFY2(!m.text.contains(QStringLiteral("S3cr3t")), qPrintable(m.text));
            QCOMPARE(ShownTitle(mw),
                     QStringLiteral("Tesvane賃金　［サーバー ") + shown + QStringLiteral("］"));
        }
    }

    void openAndCloseWithoutChoosing() {
        Fixture f;
        TWS0000& mw = *f.mw;
        onNextModal([](QWidget* w) {
            QCOMPARE(ShownTitle(*w), QStringLiteral("企業　選択"));
            QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("btnAdd"))->text(),
                     QStringLiteral("選択"));
            closeSelection(w);
        });
        mw.findChild<QToolButton*>(QStringLiteral("btnOpen"))->click();
        const ProjectStatus& s = Project::current()->status();
        QCOMPARE(s.state, 0);
        QVERIFY(!s.chosen);
        QVERIFY(menuEnabled(mw, "mnGraph"));
        QVERIFY(menuEnabled(mw, "mnData"));
        QVERIFY(panelVisible(mw, "Panel_EarlySet"));
        QVERIFY(!mw.findChild<QToolButton*>(QStringLiteral("btn_mdb"))->isEnabled());
        // New is allowed again.
        onNextModal([](QWidget* w) {
            QCOMPARE(ShownTitle(*w), QStringLiteral("企業　登録"));
            closeSelection(w);
        });
        mw.action(QStringLiteral("mnNew"))->trigger();
        QCOMPARE(s.state, 0);
        VERIFY_MESSAGES(f.env.messages);
    }

    void registeringKeepsTheNewStateAfterTheSelectionCloses() {
        Fixture f;
        TWS0000& mw = *f.mw;
        onNextModal([](QWidget* w) {
            w->findChild<QPushButton*>(QStringLiteral("btnAdd"))->click(); // register
            auto* data = w->findChild<QDialog*>(QStringLiteral("WS0020"));
            QVERIFY(data && data->isVisible());
            data->close();
            closeSelection(w);
        });
        mw.action(QStringLiteral("mnNew"))->trigger();
        QCOMPARE(Project::current()->status().state, 1);
        QVERIFY(!Project::current()->status().chosen);
        VERIFY_MESSAGES(f.env.messages);
    }

    void chosenCompanyBlocksNewChangeDeleteUntilClose() {
        Fixture f;
        TWS0000& mw = *f.mw;
        onNextModal([](QWidget* w) { chooseCompany(w, 50); });
        mw.action(QStringLiteral("mnOPen"))->trigger();
        const Project& p = *Project::current();
        const ProjectStatus& s = p.status();
        QVERIFY(s.chosen);
        QCOMPARE(s.state, 4);
        QCOMPARE(p.companyYear(), (CompanyYear{50, 2026}));
        QCOMPARE(p.eraMode(), 1);
        QCOMPARE(p.ageBase().date, 20260401);
        QCOMPARE(p.settings().TK[1], QStringLiteral("一般"));
        QCOMPARE(p.marks()[1].MARK, QStringLiteral("■"));
        QCOMPARE(mw.windowTitle(),
                 QStringLiteral("【　令和 08 年度  :  O'Brien商事　】 Tesvane賃金"));
        for (const char* cmd : {"mnNew", "mnMnt", "mnDlt"}) {
            f.env.messages.expect(QStringLiteral("企業の選択を解除して下さい。"));
            mw.action(QString::fromLatin1(cmd))->trigger(); // refused before any window shows
        }
        QCOMPARE(s.state, 4);
        mw.action(QStringLiteral("mnClose"))->trigger();
        QCOMPARE(mw.windowTitle(), QStringLiteral("Tesvane賃金"));
        QCOMPARE(s.state, 0);
        QVERIFY(!s.chosen);
        QVERIFY(!p.isOpen());
        QVERIFY(!menuEnabled(mw, "mnGraph"));
        QVERIFY(!panelVisible(mw, "Panel_EarlySet"));
        QVERIFY(mw.findChild<QToolButton*>(QStringLiteral("btn_mdb"))->isEnabled());
        onNextModal([](QWidget* w) {
            QCOMPARE(ShownTitle(*w), QStringLiteral("企業　変更"));
            QVERIFY(w->findChild<QPushButton*>(QStringLiteral("btnMnt"))->isEnabled());
            QVERIFY(!w->findChild<QPushButton*>(QStringLiteral("btnAdd"))->isEnabled());
            closeSelection(w);
        });
        mw.action(QStringLiteral("mnMnt"))->trigger();
        VERIFY_MESSAGES(f.env.messages);
    }

    void newThenChangeKeepsDataMenu() {
        Fixture f;
        TWS0000& mw = *f.mw;
        onNextModal(closeSelection);
        mw.action(QStringLiteral("mnNew"))->trigger();
        onNextModal([](QWidget* w) {
            // Delete keeps the caption the previous command set.
            QCOMPARE(ShownTitle(*w), QStringLiteral("企業　登録"));
            QVERIFY(w->findChild<QPushButton*>(QStringLiteral("btnDlt"))->isEnabled());
            closeSelection(w);
        });
        mw.action(QStringLiteral("mnDlt"))->trigger();
        onNextModal(closeSelection);
        mw.action(QStringLiteral("mnMnt"))->trigger();
        QVERIFY(menuEnabled(mw, "mnData"));
        QVERIFY(panelVisible(mw, "Panel_EarlySet"));
        QVERIFY(!menuEnabled(mw, "mnGraph"));
        VERIFY_MESSAGES(f.env.messages);
    }

    void yearListRunsFrom2004ToNextYear() {
        Fixture f;
        TWS0000& mw = *f.mw;
        QStringList items;
        QString shown;
        onNextModal([&](QWidget* w) {
            auto* box = w->findChild<QComboBox*>(QStringLiteral("cmbNendo"));
            for (int i = 0; i < box->count(); ++i)
                items << box->itemText(i);
            shown = box->currentText();
            closeSelection(w);
        });
        mw.action(QStringLiteral("mnOPen"))->trigger();
        QCOMPARE(items.first(), QStringLiteral("2004"));
        QCOMPARE(items.last(), QStringLiteral("2027"));
        QCOMPARE(items.size(), 24);
        QCOMPARE(shown, QStringLiteral("2026"));
        VERIFY_MESSAGES(f.env.messages);
    }

    void commandsWithoutTheirScreenStayDisabled() {
        Fixture f;
        TWS0000& mw = *f.mw;
        onNextModal([](QWidget* w) { chooseCompany(w, 50); });
        mw.action(QStringLiteral("mnOPen"))->trigger();
        QVERIFY(menuEnabled(mw, "mnGraph"));
        // The wage-table graph and the design screen are in the command table now.
        QVERIFY(mw.action(QStringLiteral("mnSalarySetting"))->isEnabled());
        QVERIFY(mw.action(QStringLiteral("mnSalaryUpSetting"))->isEnabled());
        QVERIFY(mw.findChild<QToolButton*>(QStringLiteral("btn_G_WageTable"))->isEnabled());
        QVERIFY(mw.findChild<QToolButton*>(QStringLiteral("btnSalaryCurve"))->isEnabled());
        // A company without a model code is sent to set one before model wages are entered.
        f.env.messages.expect(
            QStringLiteral("企業マスターにモデルコードがセットされていません。"
                           "【ﾌﾟﾛｼﾞｪｸﾄ】-->【変更】で、モデルコードをセットして下さい。"));
        mw.action(QStringLiteral("mnModelSalary"))->trigger();
        QVERIFY(mw.action(QStringLiteral("mnSalaryPlot"))->isEnabled());
        QVERIFY(mw.findChild<QToolButton*>(QStringLiteral("btnSalaryPlot"))->isEnabled());
        QVERIFY(mw.action(QStringLiteral("mnVersion"))->isEnabled());
        VERIFY_MESSAGES(f.env.messages);
    }

    void helpFile() {
        Fixture f;
        TWS0000& mw = *f.mw;
        f.env.messages.expect(QStringLiteral("ヘルプファイルが見つかりません。"));
        mw.action(QStringLiteral("mnHELPH"))->trigger();
        const QString path = f.env.appDir() + QStringLiteral("Tesvane.html");
        QFile help(path);
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.write("<html></html>");
        help.close();
        mw.action(QStringLiteral("mnHELPH"))->trigger();
        QCOMPARE(f.env.dialogs.openedDocuments, QStringList({path}));
        f.env.dialogs.openDocumentAnswer = false;
        f.env.messages.expect(QStringLiteral("HELPの起動に失敗しました ") + path, Msg::Answer::Ok,
                              path);
        mw.findChild<QToolButton*>(QStringLiteral("btnHelp"))->click();
        VERIFY_MESSAGES(f.env.messages);
    }

    void printerSetupGoesThroughTheDialog() {
        Fixture f;
        f.mw->action(QStringLiteral("mnPrint"))->trigger();
        QCOMPARE(f.env.dialogs.printerSetupCalls, 1);
        VERIFY_MESSAGES(f.env.messages);
    }

    void usageGuidePages() {
        Fixture f;
        f.env.exec(TDM::ACN1, QStringLiteral("DELETE FROM Before"));
        f.env.exec(TDM::ACN1,
                   QStringLiteral("INSERT INTO Before VALUES (3, '三', 'c'), (1, '一', "
                                  "'a' || char(13) || char(10) || 'b'), (2, '二', 'x')"));
        TBeforeUse guide(f.mw.get());
        QCOMPARE(Control<QLineEdit>(guide, QStringLiteral("ED_Name"))->text(),
                 QStringLiteral("一"));
        QCOMPARE(Control<QPlainTextEdit>(guide, QStringLiteral("ED_Memo"))->toPlainText(),
                 QStringLiteral("a\nb"));
        Control<QPushButton>(guide, QStringLiteral("BTN_Pre"))->click();
        QCOMPARE(Control<QLineEdit>(guide, QStringLiteral("ED_Name"))->text(),
                 QStringLiteral("一"));
        Control<QPushButton>(guide, QStringLiteral("BTN_Next"))->click();
        QCOMPARE(Control<QLineEdit>(guide, QStringLiteral("ED_Name"))->text(),
                 QStringLiteral("二"));
        Control<QPushButton>(guide, QStringLiteral("BTN_Last"))->click();
        QCOMPARE(Control<QLineEdit>(guide, QStringLiteral("ED_Name"))->text(),
                 QStringLiteral("三"));
        Control<QPushButton>(guide, QStringLiteral("BTN_Next"))->click();
        QCOMPARE(Control<QLineEdit>(guide, QStringLiteral("ED_Name"))->text(),
                 QStringLiteral("三"));
        Control<QPushButton>(guide, QStringLiteral("BTN_Start"))->click();
        QCOMPARE(guide.currentEntry(), 0);
        f.env.exec(TDM::ACN1, QStringLiteral("DELETE FROM Before"));
        TBeforeUse empty(f.mw.get());
        QCOMPARE(Control<QLineEdit>(empty, QStringLiteral("ED_Name"))->text(), QString());
        Control<QPushButton>(empty, QStringLiteral("BTN_Next"))->click();
        Control<QPushButton>(empty, QStringLiteral("BTN_Last"))->click();
        QCOMPARE(Control<QPlainTextEdit>(empty, QStringLiteral("ED_Memo"))->toPlainText(),
                 QString());
        VERIFY_MESSAGES(f.env.messages);
    }

    void endClosesBothConnections() {
        Fixture f;
        f.mw->show();
        f.mw->action(QStringLiteral("mnEnd"))->trigger();
        QVERIFY(!f.env.dm.isOpen(TDM::ACN1));
        QVERIFY(!f.env.dm.isOpen(TDM::ACN2));
        VERIFY_MESSAGES(f.env.messages);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
