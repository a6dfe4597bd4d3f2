#include "core/masters/ListMove.h"

#include <QtGlobal>

ListTarget ListMoveTarget(ListMove move, const ListCursor& at,
                          const std::function<int(int)>& codeAt) {
    const int lastRow = qMax(1, at.count);
    switch (move) {
    case ListMove::First:
        return {at.firstCode, 1};
    case ListMove::Last:
        return {at.lastCode, at.count};
    case ListMove::Back:
        if (at.noCode)
            return {at.firstCode, 1};
        if (at.currentCode == at.firstCode)
            return {};
        break;
    case ListMove::Next:
        if (at.noCode)
            return {at.lastCode, at.count};
        if (at.currentCode == at.lastCode)
            return {};
        break;
    }
    const int row = qBound(1, at.currentRow + (move == ListMove::Next ? 1 : -1), lastRow);
    return {codeAt(row), row};
}

QString ListMoveQuestionLine(ListMove move) {
    static const char* const lines[] = {
        "【いいえ】:最初のデータ　へ。", "【いいえ】:前のデータ　へ。",
        "【いいえ】:次のデータ　へ。", "【いいえ】:最後のデータ　へ。"};
    return QString::fromUtf8(lines[int(move)]);
}

QString ListChoiceQuestionLine() {
    return QStringLiteral("【いいえ】:選択したデータ　へ。");
}
