#include "app/WS0000_MainWindow.h"
#include "core/common/AppState.h"
#include "data/db/RecordGuard.h"
#include "gui/company/WS0070_BasicSettings.h"
#include "support/gui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

const QString NotNumber = QStringLiteral("数値を入力してください。");
const QString OutOfRange = QStringLiteral("入力範囲外です。");
const QString Where = QStringLiteral(" WHERE KCO = 1 AND NENDO = 2023");

QLineEdit* editOf(QWidget* w) {
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->lineEdit();
    return qobject_cast<QLineEdit*>(w);
}

// Pixels of one row of a line sample in the given colour: how many, and the lengths of the
// stretches they form.
struct RowScan {
    int coloured = 0;
    QList<int> runs;
};
RowScan scan(const TLineSample* sample, int y, const QColor& c) {
    RowScan r;
    int run = 0;
    for (int x = 0; x <= sample->picture().width(); ++x) {
        if (x < sample->picture().width() && QColor(sample->picture().pixel(x, y)) == c) {
            ++r.coloured;
            ++run;
        } else if (run) {
            r.runs << run;
            run = 0;
        }
    }
    return r;
}

// The sample company of 2023 with its basic settings on screen.
struct Screen {
    ScreenEnvironment env;
    std::unique_ptr<TWS0070> dlg;
    Screen() {
        env.openDatabases();
        if (!env.openCompany(1, 2023))
            qFatal("the sample company is missing");
        dlg = std::make_unique<TWS0070>();
        dlg->prepare();
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
        if (!QTest::qWaitForWindowActive(dlg.get()))
            qFatal("the screen did not become active");
    }
    template <class W = QWidget> W* get(const char* name) const {
        W* w = dlg->findChild<W*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QString text(const char* name) const { return editOf(get(name))->text(); }
    bool on(const char* name) const { return get<QRadioButton>(name)->isChecked(); }
    RowScan sample(const char* name, int y, const QColor& c) const {
        return scan(get<TLineSample>(name), y, c);
    }
    void click(const char* name) { get<QPushButton>(name)->click(); }
    void page(int index) { get<QTabWidget>("PageControl1")->setCurrentIndex(index); }

    // Types as a user does: the old text selected and replaced, Japanese text committed by
    // the input method.
    void type(const char* name, const QString& text) {
        QWidget* field = get(name);
        field->setFocus();
        editOf(field)->selectAll();
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 128;
        if (text.isEmpty()) {
            QTest::keyClick(field, Qt::Key_Delete);
        } else if (ascii) {
            QTest::keyClicks(field, text);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QCoreApplication::sendEvent(editOf(field), &commit);
        }
    }
    // Leaves the focused field with Tab; its check runs once the focus has moved.
    void leave() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCoreApplication::processEvents();
    }

    // Every updated row of the four tables, logged by triggers in both files.
    void logUpdates() {
        for (TDM::Conn c : {TDM::ACN1, TDM::ACN2})
            env.exec(c, QStringLiteral("CREATE TABLE UpdLog (T TEXT)"));
        const char* const logs[][3] = {{"1", "MKIGYOU1", "'MKIGYOU1'"},
                                       {"1", "MSEIGYO", "'MSEIGYO'"},
                                       {"2", "MMARK", "'MMARK ' || NEW.MKCO"},
                                       {"2", "MGRAPH", "'MGRAPH ' || NEW.GSCO"}};
        for (const auto& l : logs)
            env.exec(l[0][0] == '1' ? TDM::ACN1 : TDM::ACN2,
                     QStringLiteral("CREATE TRIGGER Log%1 AFTER UPDATE ON %1 BEGIN INSERT INTO "
                                    "UpdLog VALUES (%2); END")
                         .arg(QString::fromLatin1(l[1]), QString::fromLatin1(l[2])));
    }
    QStringList updates() {
        return env.rows(TDM::ACN1, QStringLiteral("SELECT T FROM UpdLog")) +
               env.rows(TDM::ACN2, QStringLiteral("SELECT T FROM UpdLog"));
    }
    QStringList markRow(int mark, const QString& columns) {
        return env.rows(TDM::ACN2, QStringLiteral("SELECT %1 FROM MMARK").arg(columns) + Where +
                                       QStringLiteral(" AND MKCO = %1").arg(mark));
    }
    QString companyColumns(const QString& columns) {
        const QStringList r =
            env.rows(TDM::ACN1, QStringLiteral("SELECT %1 FROM MKIGYOU1").arg(columns) + Where);
        return r.value(0);
    }
};

QStringList numbered(const QString& table, int count) {
    QStringList l;
    for (int i = 1; i <= count; ++i)
        l << table + QLatin1Char(' ') + QString::number(i);
    return l;
}

} // namespace

class TestBasicSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsTheCompanysSettings() {
        Screen s;
        QCOMPARE(ShownTitle(*s.dlg), QStringLiteral("基本設定"));
        QCOMPARE(s.dlg->size(), QSize(777, 566));
        QCOMPARE(s.text("txtNengou2"), QStringLiteral("平成"));
        QCOMPARE(s.text("txtChgyy3") + s.text("txtChgmm3") + s.text("txtChgdd3"),
                 QStringLiteral("201951"));
        QVERIFY(s.on("optChg3") && !s.on("optchg1"));
        QCOMPARE(s.text("txtKijunbi"), QStringLiteral("2023.04.01"));
        QVERIFY(s.on("optKeisan2") && s.get("txtKijunbi")->isEnabled());
        QVERIFY(s.on("optSeireki"));
        QCOMPARE(Project::current()->ageBase().date, 20230401);

        // Each mark in its own group, its symbol and label in its colour.
        for (const char* name : {"txtMark4", "txtMark5"}) {
            const QString n = QString::fromLatin1(name).right(1);
            QCOMPARE(qobject_cast<QGroupBox*>(s.get(name)->parentWidget())->title(),
                     QStringLiteral("マーク") + QChar(0xFF10 + n.toInt()));
        }
        QCOMPARE(s.text("txtMark4") + s.text("txtMark5"), QStringLiteral("○▲"));
        QCOMPARE(s.get<QLabel>("labColor1")->palette().color(QPalette::Window), QColor(Qt::blue));
        QCOMPARE(s.get<QLineEdit>("txtMark2")->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(s.text("cmbMSize1") + s.text("cmbSensyu1") + s.text("cmbSenHaba1"),
                 QStringLiteral("121 : 実線1"));

        // Samples: solid one pixel wide, dotted, and dash-dot with long and short stretches.
        const RowScan axes = s.sample("imgGRMihon1", 4, Qt::black);
        QVERIFY(axes.runs.size() == 1 && axes.coloured >= 158);
        QCOMPARE(s.sample("imgGRMihon1", 3, Qt::black).coloured, 0);
        QCOMPARE(s.text("cmbGRSensyu3"), QStringLiteral("2 : 点線"));
        const RowScan grid = s.sample("imgGRMihon3", 4, QColor(0xC0, 0xC0, 0xC0));
        QVERIFY(grid.runs.size() > 20 &&
                *std::max_element(grid.runs.begin(), grid.runs.end()) <= 2);
        QCOMPARE(s.text("cmbGRSensyu4"), QStringLiteral("3 : 一点鎖線"));
        const RowScan centre = s.sample("imgGRMihon4", 4, Qt::red);
        QVERIFY(centre.runs.size() > 6);
        QVERIFY(*std::max_element(centre.runs.begin(), centre.runs.end()) >= 4);
        QVERIFY(*std::min_element(centre.runs.begin(), centre.runs.end()) <= 2);
        QCOMPARE(s.sample("imgMihon3", 4, QColor(0, 0x80, 0)).runs.size(), 1);

        QVERIFY(!s.dlg->isWindowModified());
        VERIFY_MESSAGES(s.env.messages);
    }

    void showsStoredValuesTheListsDoNotOffer() {
        Screen s;
        s.env.exec(TDM::ACN2, QStringLiteral("UPDATE MGRAPH SET CSYURUI = 0 WHERE GSCO = 2"));
        s.env.exec(TDM::ACN2, QStringLiteral("UPDATE MMARK SET KHABA = 0, MKCOLOR = '' WHERE "
                                             "MKCO = 6"));
        s.dlg->prepare();
        QCOMPARE(s.text("cmbGRSensyu2"), QStringLiteral("0 : なし"));
        QCOMPARE(s.get<QComboBox>("cmbGRSensyu2")->findText(QStringLiteral("0 : なし")), -1);
        QCOMPARE(s.sample("imgGRMihon2", 4, Qt::black).coloured, 0);
        // Width 0 draws no line of any kind; an empty colour is black.
        QCOMPARE(s.text("cmbSenHaba6"), QStringLiteral("0"));
        QCOMPARE(s.sample("imgMihon6", 4, QColor(0x80, 0, 0)).coloured, 0);
        QCOMPARE(s.get<QLabel>("labColor6")->palette().color(QPalette::Window), QColor(Qt::black));
        QVERIFY(!s.dlg->isWindowModified());
        VERIFY_MESSAGES(s.env.messages);
    }

    void fieldsAreCheckedOnLeaving_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<QString>("shown");   // the field's text afterwards
        const QString ok;
        const struct {
            const char *row, *field, *typed;
            QString message;
            const char* shown;
        } rows[] = {
            {"era year 0", "txtChgyy1", "0", ok, "0"},
            {"era year 1900", "txtChgyy1", "1900", ok, "1900"},
            {"era year 2050", "txtChgyy2", "2050", ok, "2050"},
            {"era year 1899", "txtChgyy1", "1899", OutOfRange, "1899"},
            {"era year 2051", "txtChgyy3", "2051", OutOfRange, "2051"},
            {"era year letters", "txtChgyy1", "abc", NotNumber, "abc"},
            {"era month 12", "txtChgmm2", "12", ok, "12"},
            {"era month 13", "txtChgmm2", "13", OutOfRange, "13"},
            {"era month -1", "txtChgmm2", "-1", OutOfRange, "-1"},
            {"era day 0", "txtChgdd3", "0", ok, "0"},
            {"era day 32", "txtChgdd3", "32", OutOfRange, "32"},
            {"era day empty", "txtChgdd3", "", NotNumber, ""},
            {"base date digits", "txtKijunbi", "20040401", ok, "2004.04.01"},
            {"base date dots dropped", "txtKijunbi", "2004.4.01", ok, "0200.44.01"},
            {"base date slashes", "txtKijunbi", "2004/04/01", NotNumber, "2004/04/01"},
            {"mark size 18", "cmbMSize1", "18", ok, "18"},
            {"mark size 7", "cmbMSize1", "7", OutOfRange, "7"},
            {"mark size letters", "cmbMSize2", "x", OutOfRange, "x"},
        };
        for (const auto& r : rows)
            QTest::newRow(r.row) << QString::fromLatin1(r.field) << QString::fromLatin1(r.typed)
                                 << r.message << QString::fromLatin1(r.shown);
    }
    void fieldsAreCheckedOnLeaving() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        Screen s;
        const QByteArray name = field.toLatin1();
        if (field.startsWith(QLatin1String("cmb")))
            s.page(1);
        s.type(name.constData(), typed);
        if (!message.isEmpty())
            s.env.messages.expect(message, Msg::Answer::Ok, QStringLiteral("Tesvane賃金"));
        s.leave();
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.text(name.constData()), shown);
        // A refused text keeps the focus in its field; an accepted one lets it go.
        QCOMPARE(QApplication::focusWidget() == s.get(name.constData()), !message.isEmpty());
        QVERIFY(s.dlg->isWindowModified());
    }

    void enterMovesToTheNextField() {
        Screen s;
        s.get("txtNengou1")->setFocus();
        QTest::keyClick(s.get("txtNengou1"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), s.get("txtChgyy1"));
        QVERIFY(s.dlg->isVisible());
        VERIFY_MESSAGES(s.env.messages);
    }

    void graphColourAloneWritesTheFourGraphRows() {
        Screen s;
        s.logUpdates();
        s.page(2);
        s.env.dialogs.colourAnswers = {QColor(0x12, 0x34, 0x56)};
        s.click("btnGRColor1");
        QCOMPARE(s.sample("imgGRMihon1", 4, QColor(0x12, 0x34, 0x56)).runs.size(), 1);
        s.click("btnAdd");
        QCOMPARE(s.updates(), numbered(QStringLiteral("MGRAPH"), 4));
        QCOMPARE(s.env.rows(TDM::ACN2, QStringLiteral("SELECT CCOLOR FROM MGRAPH") + Where +
                                           QStringLiteral(" ORDER BY GSCO")),
                 QStringList({QStringLiteral("$00563412"), QStringLiteral("clBlack"),
                              QStringLiteral("clSilver"), QStringLiteral("clRed")}));
        QVERIFY(!s.dlg->isWindowModified());
        s.click("btnGRColor2"); // cancelled: nothing changes
        QVERIFY(!s.dlg->isWindowModified());
        VERIFY_MESSAGES(s.env.messages);
    }

    void eraTableAloneIsSavedAndTakenIntoMemory() {
        Screen s;
        s.logUpdates();
        s.type("txtNengou3", QStringLiteral("新'元"));
        s.type("txtChgmm3", QStringLiteral("4"));
        s.get<QRadioButton>("optChg2")->click();
        s.click("btnAdd"); // the month not yet left is taken as shown
        QCOMPARE(s.updates(), QStringList{QStringLiteral("MSEIGYO")});
        QCOMPARE(s.env.rows(TDM::ACN1, QStringLiteral("SELECT REKI3, STSUKI3, SHI3, FREKI FROM "
                                                      "MSEIGYO WHERE CO = 0")),
                 QStringList{QStringLiteral("新'元|4|1|1")});
        const AppState& st = state();
        QCOMPARE(st.EraNames[3], QStringLiteral("新'元"));
        QCOMPARE(st.EraStartYears[3], 2019);
        QCOMPARE(st.EraStartMonths[3], 4);
        QVERIFY(!s.dlg->isWindowModified());
        VERIFY_MESSAGES(s.env.messages);
    }

    void optionsAndMarksAreSavedTogether() {
        Screen s;
        s.logUpdates();
        s.get<QRadioButton>("optKeisan1")->click();
        QVERIFY(!s.get("txtKijunbi")->isEnabled());
        s.get<QRadioButton>("optWareki")->click();
        s.page(1);
        s.type("txtHanrei2", QStringLiteral("O'Brien組"));
        s.click("btnAdd");
        QCOMPARE(s.updates(),
                 QStringList{QStringLiteral("MKIGYOU1")} + numbered(QStringLiteral("MMARK"), 6));
        QCOMPARE(s.companyColumns(QStringLiteral("FNK, KDATE, REKI")),
                 QStringLiteral("1|20230401|1"));
        QCOMPARE(
            s.markRow(2, QStringLiteral("MARK, HANREI, MKCOLOR, MKSIZE, KCOLOR, KSYURUI, KHABA")),
            QStringList{QStringLiteral("□|O'Brien組|clRed|12|clRed|1|1")});
        // The open company's options stay as opened until it is opened again.
        QCOMPARE(Project::current()->ageBase().mode, 0);
        QCOMPARE(Project::current()->eraMode(), 0);
        VERIFY_MESSAGES(s.env.messages);
    }

    // Another person saved the marks after the screen loaded them: the save is refused, theirs
    // stay, and the screen shows them in place of the edits.
    void refusedSaveShowsTheOtherPersonsMarks() {
        Screen s;
        s.env.exec(TDM::ACN2, QStringLiteral("UPDATE MMARK SET HANREI = '先の凡例'") + Where +
                                  QStringLiteral(" AND MKCO = 1"));
        s.page(1);
        s.type("txtHanrei2", QStringLiteral("後の凡例"));
        s.env.messages.expect(ChangedByOtherText(QStringLiteral("マーク設定")));
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.markRow(1, QStringLiteral("HANREI")), QStringList{QStringLiteral("先の凡例")});
        QVERIFY(s.markRow(2, QStringLiteral("HANREI")) != QStringList{QStringLiteral("後の凡例")});
        QCOMPARE(s.get<QLineEdit>("txtHanrei1")->text(), QStringLiteral("先の凡例"));
        QCOMPARE(QStringList{s.get<QLineEdit>("txtHanrei2")->text()},
                 s.markRow(2, QStringLiteral("HANREI")));
        QVERIFY(!s.dlg->isWindowModified());
        s.type("txtHanrei2", QStringLiteral("後の凡例"));
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.markRow(2, QStringLiteral("HANREI")), QStringList{QStringLiteral("後の凡例")});
    }

    void aFailedSaveWritesNothing() {
        Screen s;
        s.env.exec(TDM::ACN2, QStringLiteral("CREATE TRIGGER Refuse BEFORE UPDATE ON MMARK WHEN "
                                             "NEW.MKCO = 6 BEGIN SELECT RAISE(ABORT, 'no'); END"));
        s.type("txtKijunbi", QStringLiteral("20240401"));
        s.leave();
        s.page(1);
        s.type("txtHanrei1", QStringLiteral("営業一課"));
        s.env.messages.expect(QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。"));
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);
        // Neither file took any of it; the screen still holds the changes.
        QCOMPARE(s.companyColumns(QStringLiteral("KDATE")), QStringLiteral("20230401"));
        QCOMPARE(s.markRow(1, QStringLiteral("HANREI")), QStringList{QStringLiteral("男子営業")});
        QCOMPARE(Project::current()->ageBase().date, 20230401);
        QVERIFY(s.dlg->isWindowModified());

        s.env.exec(TDM::ACN2, QStringLiteral("DROP TRIGGER Refuse"));
        s.click("btnAdd");
        QCOMPARE(s.companyColumns(QStringLiteral("KDATE")), QStringLiteral("20240401"));
        QCOMPARE(s.markRow(1, QStringLiteral("HANREI")), QStringList{QStringLiteral("営業一課")});
        QCOMPARE(Project::current()->ageBase().date, 20240401);
        QVERIFY(!s.dlg->isWindowModified());
        VERIFY_MESSAGES(s.env.messages);
    }

    void aRefusedFieldStopsTheSave() {
        Screen s;
        s.logUpdates();
        s.type("txtChgdd2", QStringLiteral("40"));
        s.env.messages.expect(OutOfRange);
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(QApplication::focusWidget(), s.get("txtChgdd2"));
        QCOMPARE(s.updates(), QStringList());
        QVERIFY(s.dlg->isWindowModified());
    }

    void lineKindsAndWidthsAreChosenFromTheLists() {
        Screen s;
        s.logUpdates();
        s.page(1);
        s.get("cmbSensyu2")->setFocus();
        QTest::keyClick(s.get("cmbSensyu2"), Qt::Key_Down); // 1 : 実線 -> 2 : 点線
        s.get("cmbSenHaba2")->setFocus();
        QTest::keyClick(s.get("cmbSenHaba2"), Qt::Key_Down);
        QTest::keyClick(s.get("cmbSenHaba2"), Qt::Key_Down); // 1 -> 3
        QCOMPARE(s.text("cmbSensyu2") + s.text("cmbSenHaba2"), QStringLiteral("2 : 点線3"));
        QVERIFY(s.sample("imgMihon2", 4, Qt::red).runs.size() > 10); // dotted
        QVERIFY(s.sample("imgMihon2", 3, Qt::red).coloured > 0);     // three pixels wide
        QCOMPARE(s.sample("imgMihon2", 1, Qt::red).coloured, 0);
        QCOMPARE(s.dlg->changedAreas(), SettingsAreas(SettingsArea::Marks));
        s.click("btnAdd");
        QCOMPARE(s.markRow(2, QStringLiteral("KSYURUI, KHABA")),
                 QStringList{QStringLiteral("2|3")});
        QCOMPARE(s.updates(), numbered(QStringLiteral("MMARK"), 6));
        VERIFY_MESSAGES(s.env.messages);
    }

    void noChangeCancelAndClose() {
        Screen s;
        const QString noChange = QStringLiteral("ﾃﾞｰﾀの変更がありません。");
        s.env.messages.expect(noChange);
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);

        // Cancel forgets the change but leaves the text; a save then finds nothing to do.
        s.type("txtNengou1", QStringLiteral("明治"));
        s.click("btnCancel");
        QVERIFY(!s.dlg->isWindowModified());
        QCOMPARE(s.text("txtNengou1"), QStringLiteral("明治"));
        s.env.messages.expect(noChange);
        s.click("btnAdd");
        const QString firstEra = QStringLiteral("SELECT REKI1 FROM MSEIGYO WHERE CO = 0");
        QCOMPARE(s.env.scalar(TDM::ACN1, firstEra), QStringLiteral("昭和"));

        // Closing with a change asks; Yes stays, No closes unsaved.
        s.type("txtNengou1", QStringLiteral("大正"));
        const QString question = QStringLiteral(
            "ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。");
        s.env.messages.expect(question, Msg::Answer::Yes, QStringLiteral("確認"));
        s.click("btnClose");
        QVERIFY(s.dlg->isVisible());
        s.env.messages.expect(question, Msg::Answer::No, QStringLiteral("確認"));
        QTest::keyClick(s.dlg.get(), Qt::Key_Escape);
        QVERIFY(!s.dlg->isVisible());
        QVERIFY(!s.dlg->isWindowModified());
        QCOMPARE(s.env.scalar(TDM::ACN1, firstEra), QStringLiteral("昭和"));

        // Unchanged, it closes without a word.
        s.dlg->prepare();
        s.dlg->show();
        s.click("btnClose");
        QVERIFY(!s.dlg->isVisible());
        VERIFY_MESSAGES(s.env.messages);
    }

    void mainWindowOpensItForAnOpenCompanyOnly() {
        ScreenEnvironment env;
        TWS0000 mw(env.appDir());
        QAction* base = mw.action(QStringLiteral("mnBase"));
        QVERIFY(base->isEnabled());
        env.messages.expect(QStringLiteral("企業の選択がされていません。企業を選択してください。"));
        base->trigger();
        VERIFY_MESSAGES(env.messages);

        QVERIFY(env.openCompany(1, 2023));
        QWidget* shown = nullptr;
        QTimer::singleShot(0, [&] {
            shown = QApplication::activeModalWidget();
            if (shown)
                shown->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
        });
        base->trigger();
        QVERIFY(qobject_cast<TWS0070*>(shown));
        QCOMPARE(shown->findChild<QLineEdit*>(QStringLiteral("txtMark1"))->text(),
                 QStringLiteral("■"));
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_MAIN(TestBasicSettings)
#include "test_basic_settings.moc"
