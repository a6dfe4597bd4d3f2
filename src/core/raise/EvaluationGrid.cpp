#include "core/raise/EvaluationGrid.h"

#include "core/common/MessageTexts.h"
#include "core/common/NumberText.h"

#include <limits>

namespace {

bool hasCode(const EvaluationGridRow& r) {
    return !r.code.trimmed().isEmpty();
}

std::optional<int> codeOf(const EvaluationGridRow& r) {
    bool ok = false;
    const int code = r.code.trimmed().toInt(&ok);
    return ok ? std::optional<int>(code) : std::nullopt;
}

int stepsOf(const QString& text) {
    const qint64 steps = WholeNumberOfText(text);
    if (steps > std::numeric_limits<int>::max() || steps < std::numeric_limits<int>::min())
        return 0;
    return int(steps);
}

} // namespace

QVector<EvaluationGridRow> EvaluationGridRows(const EvaluationCodes& codes) {
    QVector<EvaluationGridRow> rows;
    for (const EvaluationCode& c : codes)
        rows << EvaluationGridRow{QString::number(c.code), c.symbol, QString::number(c.steps)};
    if (rows.isEmpty())
        rows << EvaluationGridRow{QStringLiteral("1"), QString(), QStringLiteral("0")};
    return rows;
}

EvaluationGridRow NextEvaluationRow(const EvaluationGridRow& last) {
    const std::optional<int> code = codeOf(last);
    const int next = code && *code < std::numeric_limits<int>::max() ? *code + 1 : 1;
    return {QString::number(next), QString(), QStringLiteral("1")};
}

std::optional<EvaluationGridProblem> CheckEvaluationGrid(const QVector<EvaluationGridRow>& rows) {
    for (int i = 0; i < rows.size(); ++i) {
        const EvaluationGridRow& r = rows[i];
        if (!hasCode(r))
            continue;
        // The code is stored as a number: a text that is none would make the save fail.
        const std::optional<int> code = codeOf(r);
        if (!code)
            return EvaluationGridProblem{i, GridCode, MsgText::EnterNumber()};
        if (r.symbol.trimmed().isEmpty())
            return EvaluationGridProblem{i, GridSymbol,
                                         QStringLiteral("評価記号を入力して下さい。")};
        for (int j = 0; j < rows.size(); ++j) {
            if (j == i || !hasCode(rows[j]))
                continue;
            if (codeOf(rows[j]) == code)
                return EvaluationGridProblem{i, GridCode,
                                             QStringLiteral("評価コードが重複しています。")};
        }
        for (int j = 0; j < rows.size(); ++j) {
            if (j == i || !hasCode(rows[j]))
                continue;
            if (rows[j].symbol == r.symbol)
                return EvaluationGridProblem{i, GridSymbol,
                                             QStringLiteral("評価記号が重複しています。")};
        }
    }
    return std::nullopt;
}

EvaluationCodes EvaluationCodesOfGrid(const QVector<EvaluationGridRow>& rows) {
    EvaluationCodes codes;
    for (const EvaluationGridRow& r : rows) {
        const std::optional<int> code = codeOf(r);
        if (!hasCode(r) || !code)
            continue;
        codes << EvaluationCode{*code, r.symbol, stepsOf(r.steps)};
    }
    return codes;
}
