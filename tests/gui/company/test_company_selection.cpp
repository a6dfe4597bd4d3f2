#include "app/WS0000_MainWindow.h"
#include "core/common/AppState.h"
#include "gui/company/WS0010_CompanySelection.h"
#include "gui/company/WS0020_CompanyData.h"
#include "support/gui/ScriptedDialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {
struct Fixture {
    ScreenEnvironment env;
    TWS0000 main;
    TWS0010* sel;
    Fixture() : main(env.appDir()) {
        env.setToday(QDate(2026, 12, 8));
        sel = new TWS0010(&main, &main);
        sel->WS0020 = new TWS0020(sel, &main);
        main.WS0010 = sel;
    }
    // The selection as a project command leaves it, for the given year.
    void show(int projectState, int year) {
        state().ProjectState = projectState;
        main.RefreshYearList();
        sel->prepare();
        sel->cmbNendo->setCurrentIndex(sel->cmbNendo->findText(QString::number(year)));
    }
};
} // namespace

class TestCompanySelection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newCodeIsOneMoreThanTheHighestOfAnyYear() {
        Fixture f;
        f.env.exec(TDM::ACN1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (41, "
                                             "2020, 'old'), (7, 2024, 'b')"));
        f.show(1, 2024);
        QCOMPARE(f.sel->StringGrid1->item(0, 1)->text(), QStringLiteral("7"));
        QCOMPARE(state().ListKco, 0.0); // register mode takes no row
        f.sel->btnAdd->click();
        QCOMPARE(state().SelKco, 42);
        QCOMPARE(f.sel->WS0020->txtCorpID->text(), QStringLiteral("42"));
        QCOMPARE(f.sel->WS0020->txtNendo->text(), QStringLiteral("2024"));
        QVERIFY(f.sel->WS0020->isVisible());
        f.sel->WS0020->hide();
        VERIFY_MESSAGES(f.env.messages);
    }

    void emptyYearShowsOneEmptyRowAndRefusesChoosing() {
        Fixture f;
        f.show(4, 2010);
        QCOMPARE(f.sel->StringGrid1->rowCount(), 1);
        QCOMPARE(f.sel->StringGrid1->item(0, 1)->text(), QString());
        f.env.messages.expect(QStringLiteral("企業コードが選択されていません。"));
        f.sel->btnAdd->click();
        QCOMPARE(state().CompanyChosen, 0);
        // Delete works on an empty list: the company data screen shows code 0.
        state().ProjectState = 3;
        f.sel->btnDlt->click();
        QCOMPARE(f.sel->WS0020->txtCorpID->text(), QStringLiteral("0"));
        f.sel->WS0020->hide();
        VERIFY_MESSAGES(f.env.messages);
    }

    void clicksOnHeadingOrNumberColumnChangeNothing() {
        Fixture f;
        f.env.exec(TDM::ACN1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (3, "
                                             "2023, 'x')"));
        f.show(4, 2023);
        QCOMPARE(f.sel->StringGrid1->rowCount(), 2);
        QCOMPARE(state().ListKco, 1.0); // row 1 taken when the list is filled
        f.sel->StringGrid1Click(2, 0);
        QCOMPARE(state().ListKco, 1.0);
        QCOMPARE(f.sel->currentRow(), 1);
        f.sel->StringGrid1Click(0, 2);
        QCOMPARE(state().ListKco, 1.0);
        f.sel->StringGrid1Click(2, 2);
        QCOMPARE(state().ListKco, 3.0);
        QCOMPARE(f.sel->Edit2->text(), QStringLiteral("x"));
        QCOMPARE(f.sel->currentRow(), 2);
        VERIFY_MESSAGES(f.env.messages);
    }

    void typedYearOutsideTheListDisablesTheButtons() {
        Fixture f;
        f.show(4, 2023);
        f.sel->cmbNendo->setEditText(QStringLiteral("1999"));
        QCOMPARE(state().SelNendo, 0);
        f.sel->btnAdd->click(); // nothing happens, no message
        QCOMPARE(state().CompanyChosen, 0);
        f.sel->cmbNendo->setEditText(QStringLiteral("2023"));
        QCOMPARE(state().SelNendo, 2023);
        VERIFY_MESSAGES(f.env.messages);
    }

    void closingRightAfterNewResetsTheState() {
        Fixture f;
        f.show(1, 2023);
        state().SelKco = 0;
        f.sel->btnClose->click();
        QCOMPARE(state().ProjectState, 0);
        // With a company code already set, closing keeps the state.
        f.show(1, 2023);
        state().SelKco = 9;
        f.sel->btnClose->click();
        QCOMPARE(state().ProjectState, 1);
        VERIFY_MESSAGES(f.env.messages);
    }

    void missingSettingsRowRefusesToOpen() {
        Fixture f;
        f.env.exec(TDM::ACN1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (8, "
                                             "2025, 'no settings')"));
        f.show(4, 2025);
        f.env.messages.expect(QStringLiteral("企業マスターが存在しません。"));
        f.sel->btnAdd->click();
        QCOMPARE(state().CompanyChosen, 0);
        QCOMPARE(state().SelKco, 8);
        QCOMPARE(f.main.windowTitle(), QStringLiteral("Tesvane賃金"));
        VERIFY_MESSAGES(f.env.messages);
    }
};

QTEST_MAIN(TestCompanySelection)
#include "test_company_selection.moc"
