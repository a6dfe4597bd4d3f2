#pragma once

#include <QString>

// The message texts the program shows in more than one place, each written once, so a screen,
// a core check and the command-line companion say the same words. A text used in one place
// only stays where it is said.
namespace MsgText {

// Field checks.
inline QString EnterNumber() {
    return QStringLiteral("数値を入力してください。");
}
inline QString OutOfRange() {
    return QStringLiteral("入力範囲外です。");
}
inline QString GradeOutOfRange() {
    return QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。");
}
inline QString ZeroNotAllowed() {
    return QStringLiteral("０　は、入力できません。");
}
inline QString NotInMaster() {
    return QStringLiteral("マスターにデータが存在しません。");
}

// Records and their changes.
inline QString NoCompanyMaster() {
    return QStringLiteral("企業マスターが存在しません。");
}
inline QString NoEmployeeData() {
    return QStringLiteral("社員マスターにデータが存在しません。");
}
inline QString NoEmployees() {
    return QStringLiteral("社員マスタは有りません。");
}
inline QString NoWageTableData() {
    return QStringLiteral("賃金表データは有りません。");
}
inline QString SqlUnknownError() {
    return QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");
}
inline QString NoChange() {
    return QStringLiteral("ﾃﾞｰﾀの変更がありません。");
}
inline QString DeleteQuestion() {
    return QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。");
}
// The question when unsaved data would be left: its first two lines, then what 【いいえ】 does.
inline QString ChangedDataLines() {
    return QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r");
}
inline QString NoClosesScreen() {
    return QStringLiteral("【いいえ】:画面を閉じます。");
}
inline QString ChangedQuestion() {
    return ChangedDataLines() + QStringLiteral("【いいえ】:");
}
inline QString ChangedCloseQuestion() {
    return ChangedDataLines() + NoClosesScreen();
}
inline QString EmployeeCodeMissing() {
    return QStringLiteral("社員コードが入力されていません。");
}

// Printing, charts and files.
inline QString NothingToPrint() {
    return QStringLiteral("印刷対象データは有りません。");
}
// The wage table's own wording of the same.
inline QString NoPrintData() {
    return QStringLiteral("印刷対象データはありません。");
}
inline QString PrintNotStarted() {
    return QStringLiteral("印刷を開始できませんでした。");
}
inline QString NoChartData() {
    return QStringLiteral("グラフに表示するデータがありません。");
}
inline QString CannotCreateCsv() {
    return QStringLiteral("CSVファイルを作成できません。");
}
inline QString CannotWriteCsv() {
    return QStringLiteral("CSVファイルを書き込めません。");
}
inline QString CannotCreateExcel() {
    return QStringLiteral("Excelファイルを作成できません。");
}
inline QString CannotWriteExcel() {
    return QStringLiteral("Excelファイルを書き込めません。");
}
inline QString CannotWritePdf() {
    return QStringLiteral("PDFファイルを書き込めません。");
}
inline QString NoFolder() {
    return QStringLiteral("フォルダーがありません。");
}
inline QString DiskError() {
    return QStringLiteral("ディスクの読み書きでエラーが発生しました。");
}

} // namespace MsgText
