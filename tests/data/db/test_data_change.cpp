// The stores tell the open project what they committed: after the commit, never for a write
// that did not land, once for a save inside a larger transaction (at its end), and another
// person's change that refused a save is told too; the project passes on only what concerns
// the open company year.
#include "core/wage/WageTableTexts.h"
#include "data/company/BasicSettingsStore.h"
#include "data/db/RecordGuard.h"
#include "data/db/Transaction.h"
#include "data/masters/EmployeeStore.h"
#include "data/masters/EmployeeTransfer.h"
#include "data/project/CompanySettingsCache.h"
#include "data/raise/RaiseBudgetStore.h"
#include "data/wage/WageTableStore.h"
#include "support/data/TestSupport.h"

#include <QtTest>

namespace {

const CompanyYear Sample{1, 2023};
const QString SqlError = QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");

// What the project said, and whether a transaction was still open when it said it.
struct Heard {
    QStringList said;
    bool duringTransaction = false;
    explicit Heard(TestEnvironment& env) {
        Project* p = &env.project;
        TDM* dm = &env.dm;
        const auto note = [this, dm](const QString& what) {
            said << what;
            duringTransaction = duringTransaction || dm->inTransaction();
        };
        QObject::connect(p, &Project::employeesChanged, p, [note](const QVector<int>& codes) {
            QStringList list;
            for (int c : codes)
                list << QString::number(c);
            note(QStringLiteral("employees ") + list.join(QLatin1Char(',')));
        });
        QObject::connect(p, &Project::wageTableChanged, p,
                         [note] { note(QStringLiteral("wage table")); });
        QObject::connect(p, &Project::settingsChanged, p,
                         [note] { note(QStringLiteral("settings")); });
    }
    QStringList take() { return std::exchange(said, {}); }
};

struct OtherPerson {
    TDM dm;
    explicit OtherPerson(const TestEnvironment& env) {
        QVERIFY(dm.OpenConnection(TDM::ACN1, env.seigyoPath()));
        QVERIFY(dm.OpenConnection(TDM::ACN2, env.dataPath()));
    }
};

GradeNames gradeNames(const CompanyYear& cy) {
    TMKIGYOU2 settings;
    LoadCompanySettings(cy, settings);
    GradeNames names;
    for (int g = 1; g <= MaxGrades; ++g)
        names[size_t(g)] = settings.TK[size_t(g)];
    return names;
}

} // namespace

class TestDataChange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void employeeWritesAreToldAfterTheyLand() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        Heard heard(env);

        EmployeeRecord e;
        QCOMPARE(LoadEmployee(Sample, 7, e), LoadResult::Found);
        e.SNA = QStringLiteral("改名");
        QVERIFY(UpdateEmployee(Sample, e).saved());
        QCOMPARE(heard.take(), QStringList{QStringLiteral("employees 7")});

        e.SCO = 900;
        QVERIFY(InsertEmployee(Sample, e, QStringLiteral("2024/05/20 9:00:00")));
        QVERIFY(DeleteEmployee(Sample, 900));
        QCOMPARE(heard.take(),
                 (QStringList{QStringLiteral("employees 900"), QStringLiteral("employees 900")}));

        ImportedEmployee imported;
        imported.SNA = QStringLiteral("取込");
        imported.TOUKYU = 1;
        QVERIFY(StoreImportedEmployees(Sample, {imported}, ImportMode::Add, QDate(2024, 5, 20)));
        // Any of the year's employees: an import adds many, a replacing one changes them all.
        QCOMPARE(heard.take(), QStringList{QStringLiteral("employees ")});
        QVERIFY(!heard.duringTransaction);

        // A write that fails tells nothing: nothing of it is stored.
        env.failWrites(QStringLiteral("broken"), QStringLiteral("UPDATE"),
                       QStringLiteral("MSYAIN2"));
        QCOMPARE(LoadEmployee(Sample, 7, e), LoadResult::Found);
        e.SNA = QStringLiteral("もう一度");
        env.messages.expect(SqlError);
        QCOMPARE(UpdateEmployee(Sample, e).outcome, SaveOutcome::Failed);
        VERIFY_MESSAGES(env.messages);
        QVERIFY(heard.take().isEmpty());
    }

    // The other person's save is what the windows must now show: told once the refused save's
    // transaction has ended, naming the employee.
    void anotherPersonsChangeIsTold() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        OtherPerson other(env);
        Heard heard(env);

        env.dm.makeCurrent();
        EmployeeRecord mine;
        QCOMPARE(LoadEmployee(Sample, 7, mine), LoadResult::Found);
        other.dm.makeCurrent();
        EmployeeRecord theirs;
        QCOMPARE(LoadEmployee(Sample, 7, theirs), LoadResult::Found);
        theirs.SNA = QStringLiteral("他の人");
        QVERIFY(UpdateEmployee(Sample, theirs).saved());
        // Their data module is not this program's: its saves are told by the listener all the
        // same, which is this project.
        QCOMPARE(heard.take(), QStringList{QStringLiteral("employees 7")});

        env.dm.makeCurrent();
        mine.SNA = QStringLiteral("私");
        // The refusal names the employee as this person typed them.
        env.messages.expect(ChangedByOtherText(QStringLiteral("社員 7 私 ")));
        QVERIFY(UpdateEmployee(Sample, mine).changedByOther());
        VERIFY_MESSAGES(env.messages);
        QCOMPARE(heard.take(), QStringList{QStringLiteral("employees 7")});
        QVERIFY(!heard.duringTransaction);
    }

    // The annual update saves the new year's wage table inside its own transaction: the table
    // is told when that commits, and not at all when it is rolled back.
    void aSaveInsideALargerTransaction() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        Heard heard(env);
        const GradeNames names = gradeNames(Sample);
        const std::optional<WageTableTexts> texts = OpenStoredWageTable(1, 2023, names);
        QVERIFY(texts);
        const WageTableDefinition definition = DefinitionOfTexts(*texts);

        {
            Transaction tx(TDM::Files::Data);
            QVERIFY(SaveWageTableWithin(1, 2023, definition, names).saved());
            QVERIFY(heard.take().isEmpty());
            tx.rollback();
        }
        QVERIFY(heard.take().isEmpty());
        {
            Transaction tx(TDM::Files::Data);
            QVERIFY(SaveWageTableWithin(1, 2023, definition, names).saved());
            QVERIFY(heard.take().isEmpty());
        } // ended without a commit
        QVERIFY(heard.take().isEmpty());
        {
            Transaction tx(TDM::Files::Data);
            QVERIFY(SaveWageTableWithin(1, 2023, definition, names).saved());
            QVERIFY(tx.commit());
        }
        QCOMPARE(heard.take(), QStringList{QStringLiteral("wage table")});
        QVERIFY(!heard.duringTransaction);
    }

    // Settings saved are read again by the project before the windows hear of them; another
    // company year's changes are not passed on, the era table (every company's) is.
    void settingsAndOtherYears() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        Heard heard(env);

        BasicSettings s;
        LoadBasicSettings(Sample, &s);
        QVERIFY(RememberLoadedBasicSettings(Sample));
        s.marks[0].symbol = QStringLiteral("★");
        QVERIFY(SaveBasicSettings(Sample, s, int(SettingsArea::Marks)).saved());
        QCOMPARE(heard.take(), QStringList{QStringLiteral("settings")});
        QCOMPARE(env.project.marks()[1].MARK, QStringLiteral("★"));

        RaiseBudgetSettings budget;
        QCOMPARE(LoadRaiseBudgetSettings(Sample, budget, true), LoadResult::Found);
        budget.bonusMonths = Currency::fromInt(5);
        QVERIFY(SaveRaiseBudgetSettings(Sample, budget).saved());
        QCOMPARE(heard.take(), QStringList{QStringLiteral("settings")});

        AnnounceChange({DataChange::What::Employees, {1, 2024}, {3}});
        AnnounceChange({DataChange::What::WageTable, {2, 2023}, {}});
        AnnounceChange({DataChange::What::Settings, {2, 2023}, {}});
        QVERIFY(heard.take().isEmpty());
        AnnounceChange({DataChange::What::Settings, {}, {}});
        QCOMPARE(heard.take(), QStringList{QStringLiteral("settings")});

        // A closed project hears nothing.
        env.project.close();
        AnnounceChange({DataChange::What::Employees, Sample, {3}});
        QVERIFY(heard.take().isEmpty());
    }
};

QTEST_MAIN(TestDataChange)
#include "test_data_change.moc"
