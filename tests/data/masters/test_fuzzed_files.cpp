// Files as they arrive from other programs and hurried hands, mutated a few hundred times each
// from a good one with a fixed seed: the employee CSV, the evaluation file and fit points.
// Nothing crashes; what the check accepts stores cleanly; a refused file changes nothing.
// Not on the server: the mutants try the files' checks; the stores run on both in their tests.
#include "core/analysis/FitPoints.h"
#include "core/analysis/RaiseCurve.h"
#include "core/common/TextInput.h"
#include "core/masters/Cp932.h"
#include "core/masters/EmployeeCsv.h"
#include "core/raise/EvaluationFile.h"
#include "data/masters/EmployeeTransfer.h"
#include "data/raise/RaiseApply.h"
#include "support/data/TestSupport.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

const CompanyYear Sample{1, 2023};
constexpr int Mutants = 300;

QByteArray cp932(const QString& text) {
    QByteArray bytes;
    if (!Cp932::encode(text, bytes))
        qFatal("not CP932");
    return bytes;
}

// Changes a good file the ways files go wrong: bytes flipped or dropped, stray quotes, commas,
// line breaks, NUL and TAB, half a double-byte character, numbers a hurried hand types, ranges
// doubled or cut, a field grown very long.
class Mutator {
public:
    explicit Mutator(quint32 seed) : m_rng(seed) {}

    QByteArray mutate(QByteArray b) {
        const int edits = 1 + int(m_rng.bounded(4));
        for (int e = 0; e < edits; ++e) {
            const qsizetype at = b.isEmpty() ? 0 : qsizetype(m_rng.bounded(quint32(b.size())));
            switch (m_rng.bounded(9)) {
            case 0:
                if (!b.isEmpty())
                    b[at] = char(m_rng.bounded(256));
                break;
            case 1: {
                static const char specials[] = {'\0', '\t',   '"',    ',',  '\r',
                                                '\n', '\x81', '\xFF', '\\', '\x1B'};
                b.insert(at, specials[m_rng.bounded(quint32(sizeof specials))]);
                break;
            }
            case 2:
                b.remove(at, qsizetype(m_rng.bounded(20)));
                break;
            case 3:
                b.insert(at, b.mid(at, qsizetype(m_rng.bounded(40))));
                break;
            case 4: {
                static const char* const numbers[] = {
                    "1e3",          "-3",  "0", "99999999999999999999", "1.5", "",
                    "\xEF\xBC\x91", "NaN", "+7"};
                b.insert(at, numbers[m_rng.bounded(quint32(std::size(numbers)))]);
                break;
            }
            case 5:
                b.insert(at, QByteArray(qsizetype(500 + m_rng.bounded(3000)), 'x'));
                break;
            case 6:
                b.truncate(at);
                break;
            case 7:
                b.insert(at, "\"");
                break;
            default:
                b.insert(at, ",,");
                break;
            }
        }
        return b;
    }

private:
    QRandomGenerator m_rng;
};

} // namespace

class TestFuzzedFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void employeeCsv() {
        TestEnvironment env;
        env.openDatabases();
        const std::optional<ImportContext> context = LoadImportContext(Sample);
        QVERIFY(context);
        const QByteArray good = cp932(QStringLiteral(
            "社員名,社員番号,性別,社内身分,生年月日,入社日,賃金等級,公的資格,マーク\r\n"
            "山本　健太,B0001,男,正社員,1998/05/12,2021/04/01,2,簿記,男子営業\r\n"
            "\"小林,美咲\",B0002,女,パート,1999/11/3,2022/04/01,1,,2\r\n"
            "加藤　翔,B0003,1,その他,0,2008/04/01,3,\"基本\"\"情報\"\"\",\r\n"));
        Mutator m(20261211);
        int stored = 0;
        for (int i = 0; i < Mutants; ++i) {
            const QByteArray bytes = m.mutate(good);
            ImportRead read = ReadImportFile(bytes);
            if (read.result != ImportRead::Ok)
                continue;
            if (CheckImportSheet(read.sheet, *context) > 0)
                continue; // refused: the import stops here and stores nothing
            // Accepted: every text it stores fits its field and holds no control character.
            for (const QStringList& row : read.sheet.rows)
                for (int c = ImpName; c < ImportColumnCount; ++c)
                    QVERIFY2(
                        CheckFieldText(row[c], ImportHeaders()[c], ImportFieldLimit(c)).isEmpty(),
                        qPrintable(QStringLiteral("mutant %1: %2").arg(i).arg(row[c].left(40))));
            QVERIFY2(StoreImportedEmployees(Sample, read.sheet.employees, ImportMode::Replace,
                                            QDate(2024, 5, 20)),
                     qPrintable(QString::number(i)));
            QCOMPARE(env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN1 WHERE KCO = 1 AND NENDO "
                                           "= 2023")
                         .toInt(),
                     int(read.sheet.employees.size()));
            ++stored;
        }
        // Some mutants are harmless (a doubled row, a changed name): the check is not a wall.
        QVERIFY(stored > 0);
        QVERIFY(stored < Mutants);
        VERIFY_MESSAGES(env.messages);
    }

    void evaluationFile() {
        TestEnvironment env;
        env.openDatabases();
        const QByteArray good =
            cp932(QStringLiteral("社員番号,評価,新等級,新号俸\r\nA0004,3\r\nA0006,1,6,2\r\n"
                                 "A0010,2\r\n"));
        Mutator m(4);
        int stored = 0, refused = 0;
        for (int i = 0; i < Mutants; ++i) {
            const QByteArray before = env.dataDigest();
            const RaiseApplyOutcome r =
                ApplyEvaluations(Sample, ReadEvaluationFile(m.mutate(good)));
            QVERIFY2(r.status != RaiseApplyOutcome::Failed, qPrintable(QString::number(i)));
            if (r.status == RaiseApplyOutcome::Refused) {
                QVERIFY(!r.faults.isEmpty());
                QCOMPARE(env.dataDigest(), before);
                ++refused;
            } else {
                ++stored;
            }
        }
        QVERIFY(stored > 0 && refused > 0);
        // Whatever was stored is a step the table has, never a linked pay of 0.
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT count(*) FROM VSYAIN WHERE KCO = 1 AND NENDO = "
                                       "2023 AND NSYOTEI <> 0 AND NKIN = 0"),
                 QStringLiteral("0"));
        VERIFY_MESSAGES(env.messages);
    }

    void fitPoints() {
        QByteArray good;
        for (int x = 18; x <= 60; x += 3)
            good += QByteArray::number(x) + ',' + QByteArray::number(15 + x * 0.4, 'f', 2) + '\n';
        Mutator m(1);
        int fitted = 0;
        for (int i = 0; i < Mutants; ++i) {
            const FitPointsRead read = ReadFitPoints(QString::fromUtf8(m.mutate(good)));
            if (read.badLine > 0) {
                QVERIFY(read.points.isEmpty());
                QCOMPARE(ForbiddenCharAt(read.badText), -1);
                continue;
            }
            for (int order : {2, 3}) {
                if (DistinctXCount(read.points) < DistinctXNeeded(order))
                    continue;
                const MarkSeries series = SeriesOf(read.points);
                const RaiseCurve curve =
                    FitRaiseCurve(series.points, FitPointsYScale, order == 2 ? 0 : 1);
                CurveStatistics(curve, series.xLow, series.xHigh);
                ++fitted;
            }
        }
        QVERIFY(fitted > 0);
    }
};

QTEST_GUILESS_MAIN(TestFuzzedFiles)
#include "test_fuzzed_files.moc"
