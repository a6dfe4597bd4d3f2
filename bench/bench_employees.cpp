// Employee import, export and list loading at company sizes the program must handle, the
// import and export beside their floors (the same rows through SQLite's C API alone).
// Prints medians; build/bench/bench_employees [runs] (bench/check runs it too).
#include "BenchSupport.h"
#include "SqliteFloor.h"
#include "core/common/AppState.h"
#include "core/masters/Cp932.h"
#include "data/masters/EmployeeTransfer.h"
#include "gui/masters/EmployeeListGrid.h"
#include "gui/masters/WS0030_Employee.h"
#include "support/data/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// An import file of n employees with every column filled, as a spreadsheet writes it.
QByteArray importFile(int n) {
    QStringList lines{QStringLiteral("社員番号,社員名,本支店ID,職務ID,役職,性別,学歴,専攻,職務経験,"
                                     "社内身分,生年月日,入社日,賃金等級,配属,公的資格")};
    for (int i = 1; i <= n; ++i)
        lines << QStringLiteral(
                     "E%1,\"山田,ソ表能%1\",%2,%3,係長,%4,大学卒,経済学,営業～企画,正社員,"
                     "19%5/%6/%7,20%8/04/01,%9,本社,簿記①")
                     .arg(i, 5, 10, QLatin1Char('0'))
                     .arg(i % 7 + 1)
                     .arg(i % 5 + 1)
                     .arg(i % 2 ? QStringLiteral("男") : QStringLiteral("F"))
                     .arg(60 + i % 40)
                     .arg(i % 12 + 1)
                     .arg(i % 28 + 1)
                     .arg(10 + i % 13, 2, 10, QLatin1Char('0'))
                     .arg(i % 9 + 1);
    QByteArray bytes;
    Cp932::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), bytes);
    return bytes;
}

double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

template <typename F> double timed(F&& f) {
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    TestEnvironment env;
    env.setToday(QDate(2024, 4, 1));
    env.openDatabases();
    env.openCompany(1, 2023);
    const CompanyYear sample{1, 2023};
    const std::optional<ImportContext> context = LoadImportContext(sample);

    const QString tenThousand = env.appDir() + QStringLiteral("CSV/10000.csv");
    {
        QFile f(tenThousand);
        f.open(QIODevice::WriteOnly);
        f.write(importFile(10000));
    }
    std::vector<double> import, reading, checking, storing, exportMs, list;
    std::vector<double> importFloor, exportFloor;
    bool ok = true;
    QVector<ImportedEmployee> imported;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        ImportRead r = ReadImportPath(tenThousand);
        reading.push_back(double(t.nsecsElapsed()) / 1e6);
        ok =
            ok && r.result == ImportRead::Ok && context && CheckImportSheet(r.sheet, *context) == 0;
        checking.push_back(double(t.nsecsElapsed()) / 1e6 - reading.back());
        ok = ok && StoreImportedEmployees(sample, r.sheet.employees, ImportMode::Replace,
                                          QDate(2024, 4, 1));
        import.push_back(double(t.nsecsElapsed()) / 1e6);
        storing.push_back(import.back() - reading.back() - checking.back());
        imported = r.sheet.employees;
    }
    {
        SqliteFloor floor(env.dataPath());
        for (int i = 0; i < runs; ++i)
            importFloor.push_back(
                floor.replaceEmployees(1, 2023, imported, QStringLiteral("2024/04/01")));
    }
    const QString out = env.appDir() + QStringLiteral("CSV/out.csv");
    for (int i = 0; i < runs; ++i)
        exportMs.push_back(timed(
            [&] { ok = ok && ExportEmployees(sample, out).status == ExportOutcome::Written; }));
    {
        SqliteFloor floor(env.dataPath());
        for (int i = 0; i < runs; ++i)
            exportFloor.push_back(floor.readAll(QStringLiteral(
                "SELECT SCO, SCOT, SNA, YAKU, SEIBETSU, GAKU, SENKOU, KEIKEN, SM2, SEIHI, NYUHI, "
                "TOUKYU, GOUHOU, JISEKI, KKYU1, KKYU2, KKYU3, KIN, TEATE1, TEATE2, TEATE3, TEATE4, "
                "TEATE5, SM1, MCO FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 ORDER BY SCOT, SCO")));
    }

    // 5,000 employees in the list of the employee screen.
    {
        ImportRead r = ReadImportFile(importFile(5000));
        ok = ok && context && CheckImportSheet(r.sheet, *context) == 0;
        ok = ok && StoreImportedEmployees(sample, r.sheet.employees, ImportMode::Replace,
                                          QDate(2024, 4, 1));
    }
    TWS0030 screen;
    screen.show();
    for (int i = 0; i < runs; ++i)
        list.push_back(timed([&] {
            screen.prepare();
            QApplication::processEvents();
        }));
    ok = ok && screen.listModel()->employeeCount() == 5000;
    if (!ok) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    PrintAgainstFloor("import", "import 10,000 employees (read, check, store)", import, importFloor,
                      "the same rows inserted through SQLite's C API");
    std::printf("  of which: read %.1f ms, check %.1f ms, store %.1f ms\n", median(reading),
                median(checking), median(storing));
    PrintAgainstFloor("export", "export 10,000 employees", exportMs, exportFloor,
                      "the same rows read through SQLite's C API");
    std::printf("employee screen with 5,000 employees (prepare, list shown): median %.1f ms over "
                "%d runs\n",
                median(list), runs);
    return 0;
}
