#include "core/raise/EvaluationFile.h"

#include "core/common/TextInput.h"
#include "core/masters/Cp932.h"
#include "core/masters/CsvLine.h"

#include <QHash>

namespace {

const char* const FieldNames[] = {"employee number", "evaluation code", "new grade", "new step",
                                  "extra field"};

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

// The reason a line is refused, or empty.
QString readLine(const QStringList& raw, EvaluationLine& out) {
    QStringList f;
    for (const QString& s : raw)
        f << s.trimmed();
    // Spreadsheets write the empty columns of a line without promotion.
    while (f.size() > 2 && f.last().isEmpty())
        f.removeLast();
    if (f.size() != 2 && f.size() != 4) {
        if (f.size() == 3)
            return QStringLiteral("a new grade needs a new step");
        return QStringLiteral("expected SCOT,code[,new grade,new step]");
    }
    out.scot = f[0];
    if (out.scot.isEmpty())
        return QStringLiteral("no employee number");
    const std::optional<int> code = wholeNumber(f[1]);
    if (!code)
        return QStringLiteral("evaluation code \"%1\" is not a whole number").arg(f[1]);
    out.entry.code = *code;
    if (f.size() == 2)
        return {};
    if (f[2].isEmpty())
        return QStringLiteral("a new step needs a new grade");
    const std::optional<int> grade = wholeNumber(f[2]);
    if (!grade || *grade < 1 || *grade > 9)
        return QStringLiteral("new grade \"%1\" is not 1 to 9").arg(f[2]);
    const std::optional<int> step = wholeNumber(f[3]);
    if (!step)
        return QStringLiteral("new step \"%1\" is not a whole number").arg(f[3]);
    if (*step == 0)
        return QStringLiteral("new step is 0");
    out.entry.newGrade = *grade;
    out.entry.newStep = *step;
    return {};
}

} // namespace

EvaluationFile ReadEvaluationFile(const QByteArray& bytes) {
    EvaluationFile file;
    QString text;
    int badLine = 0;
    if (!DecodeTextFile(bytes, text, &badLine)) {
        file.faults << EvaluationFault{badLine, QStringLiteral("not CP932 or UTF-8 text")};
        return file;
    }
    const QStringList lines = SplitTextLines(text);
    for (int i = 1; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        EvaluationLine line;
        line.line = i + 1;
        bool unclosed = false;
        const QStringList fields = SplitCsvLine(lines[i], &unclosed);
        QString reason = unclosed ? QStringLiteral("a quote (\") is never closed") : QString();
        // A NUL would cut the number where it is read ("2<NUL>6" would be step 2).
        for (qsizetype f = 0; f < fields.size() && reason.isEmpty(); ++f)
            if (const qsizetype at = ForbiddenCharAt(fields[f]); at >= 0)
                reason = QStringLiteral("field %1 (%2) holds a control character (%3)")
                             .arg(f + 1)
                             .arg(FieldNames[qMin<qsizetype>(f, 4)])
                             .arg(ControlCharName(fields[f][at]));
        if (reason.isEmpty())
            reason = readLine(fields, line);
        if (reason.isEmpty())
            file.lines << line;
        else
            file.faults << EvaluationFault{i + 1, reason};
    }
    if (file.lines.isEmpty() && file.faults.isEmpty())
        file.faults << EvaluationFault{0, QStringLiteral("no evaluation lines after the header")};
    return file;
}

EvaluationPlan PlanRaises(const EvaluationFile& file, const QVector<RaiseRecord>& employees,
                          const EvaluationCodes& codes, const WageAmountAt& amountAt) {
    EvaluationPlan plan;
    plan.faults = file.faults;
    QHash<QString, QVector<int>> byNumber; // employee number -> indexes into employees
    for (int i = 0; i < employees.size(); ++i)
        byNumber[employees[i].SCOT] << i;
    QHash<QString, int> seen; // employee number -> line
    for (const EvaluationLine& l : file.lines) {
        auto refuse = [&](const QString& reason) {
            plan.faults << EvaluationFault{l.line, reason};
        };
        if (seen.contains(l.scot)) {
            refuse(QStringLiteral("employee number %1 is given again (first on line %2)")
                       .arg(l.scot)
                       .arg(seen.value(l.scot)));
            continue;
        }
        seen.insert(l.scot, l.line);
        const QVector<int> found = byNumber.value(l.scot);
        if (found.isEmpty()) {
            refuse(QStringLiteral("no employee has the number %1").arg(l.scot));
            continue;
        }
        if (found.size() > 1) {
            refuse(QStringLiteral("%1 employees have the number %2").arg(found.size()).arg(l.scot));
            continue;
        }
        if (!FindEvaluation(codes, l.entry.code)) {
            refuse(QStringLiteral("no evaluation code %1").arg(l.entry.code));
            continue;
        }
        const RaiseRecord& r = employees[found.first()];
        const RaiseEntry e = RaiseFromEvaluation(r, codes, l.entry, amountAt);
        if (const auto missing =
                MissingLinkedAmount(r.JISEKI, e.decision.newGrade, e.decision.newStep, amountAt)) {
            refuse(QStringLiteral("the wage table has no amount for grade %1, step %2")
                       .arg(missing->grade)
                       .arg(missing->step));
            continue;
        }
        plan.entries << e;
    }
    return plan;
}
