#include "core/masters/EmployeeCsv.h"

#include "core/common/Counts.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/TextInput.h"
#include "core/company/BasicSettings.h"
#include "core/masters/Cp932.h"
#include "core/masters/CsvLine.h"
#include "core/masters/EmployeeFieldChecks.h"
#include "core/masters/NegativeYears.h"

#include <QDate>
#include <array>

namespace {

const QString Error = QStringLiteral("ERROR");
const QString Warn = QStringLiteral("WARN");
const QString Male = QStringLiteral("男");
const QString Female = QStringLiteral("女");

bool isWholeNumber(const QString& text, int* value = nullptr) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (value)
        *value = ok ? v : 0;
    return ok;
}

} // namespace

const QStringList& ImportHeaders() {
    static const QStringList headers = {
        QStringLiteral("状態"),     QStringLiteral("社員名"),   QStringLiteral("社員番号"),
        QStringLiteral("本支店ID"), QStringLiteral("職務ID"),   QStringLiteral("役職"),
        QStringLiteral("性別"),     QStringLiteral("学歴"),     QStringLiteral("専攻"),
        QStringLiteral("職務経験"), QStringLiteral("社内身分"), QStringLiteral("生年月日"),
        QStringLiteral("入社日"),   QStringLiteral("賃金等級"), QStringLiteral("配属"),
        QStringLiteral("公的資格"), QStringLiteral("マーク")};
    return headers;
}

int ImportFieldLimit(int column) {
    switch (column) {
    case ImpName:
    case ImpPosition:
    case ImpKind:
    case ImpMark:
        return 20;
    case ImpNumber:
    case ImpOfficeId:
    case ImpJobId:
    case ImpSex:
        return 10;
    case ImpEducation:
    case ImpMajor:
    case ImpExperience:
    case ImpAssignment:
    case ImpQualification:
        return 30;
    default:
        return 10; // dates and the grade: longer is no date or number either
    }
}

const QString& ImportErrorStatus() {
    return Error;
}
const QString& ImportWarnStatus() {
    return Warn;
}

int ImportedMarkCode(const QString& cell, const std::array<TMMARK, MarkCount + 1>& marks) {
    const QString text = cell.trimmed();
    if (text.isEmpty() || text == QStringLiteral("0"))
        return 0;
    int code = 0;
    if (isWholeNumber(text, &code))
        return IsMark(code) ? code : -1;
    for (int m = 1; m <= MarkCount; ++m) {
        const TMMARK& mark = marks[size_t(m)];
        if ((!mark.HANREI.isEmpty() && mark.HANREI.trimmed() == text) ||
            (!mark.MARK.isEmpty() && mark.MARK.trimmed() == text))
            return m;
    }
    return -1;
}

ImportRead ReadImportFile(const QByteArray& bytes) {
    ImportRead r;
    QString text;
    if (!DecodeTextFile(bytes, text, &r.badLine)) {
        r.result = ImportRead::Undecodable;
        return r;
    }
    const QStringList lines = SplitTextLines(text);
    if (lines.isEmpty()) {
        r.result = ImportRead::Empty;
        return r;
    }
    // Header field i goes into grid column map[i]; -1 skips it.
    const QStringList header = SplitCsvLine(lines.first());
    QVector<int> map(header.size(), -1);
    bool any = false;
    for (qsizetype i = 0; i < header.size(); ++i)
        for (int c = ImpName; c < ImportColumnCount; ++c)
            if (header[i] == ImportHeaders()[c]) {
                map[i] = c;
                any = true;
                break;
            }
    if (!any) {
        r.result = ImportRead::NoKnownHeader;
        return r;
    }
    // A header alone holds no employee: storing it would only empty the year in replace mode.
    if (lines.size() == 1) {
        r.result = ImportRead::Empty;
        return r;
    }
    r.sheet.rows.reserve(lines.size() - 1);
    r.sheet.lines.reserve(lines.size() - 1);
    r.sheet.unclosed.reserve(lines.size() - 1);
    for (qsizetype l = 1; l < lines.size(); ++l) {
        bool unclosed = false;
        const QStringList fields = SplitCsvLine(lines[l], &unclosed);
        QStringList row;
        row.resize(ImportColumnCount);
        const qsizetype n = qMin(fields.size(), header.size());
        for (qsizetype i = 0; i < n; ++i)
            if (map[i] >= 0)
                row[map[i]] = fields[i];
        r.sheet.rows.push_back(row);
        r.sheet.lines.push_back(int(l) + 1);
        r.sheet.unclosed.push_back(unclosed);
    }
    return r;
}

QString ImportReadProblem(const ImportRead& read, const QString& fileName) {
    switch (read.result) {
    case ImportRead::Ok:
        return {};
    case ImportRead::Unreadable:
        return read.ioError;
    case ImportRead::Empty:
        return fileName + QStringLiteral("　にはデータが有りません。");
    case ImportRead::Undecodable:
        return fileName + QStringLiteral("　の ") + QString::number(read.badLine) +
               QStringLiteral(" 行目は Shift-JIS（CP932）の文字として読めません。"
                              "UTF-8 のファイルは BOM 付きで保存して下さい。");
    case ImportRead::NoKnownHeader:
        return QStringLiteral("有効な項目名がありません。");
    }
    return {};
}

QString ImportDoneText(int stored, int withoutMark) {
    QString text = QStringLiteral("社員マスタを %1 名取り込みました。").arg(stored);
    if (withoutMark > 0)
        text += QStringLiteral("\rうち %1 名はマークがありません。マークのない社員はプロットと"
                               "レポートの対象外です（マークは社員データで付けるか、"
                               "マークの列を付けて取り込み直して下さい）。")
                    .arg(withoutMark);
    return text;
}

QString ImportWarningsText(int warned) {
    return QStringLiteral("WARN の行が %1 行あります。取り込めますが、内容を確かめて下さい"
                          "（行の WARN を指すと理由が表示されます）。")
        .arg(warned);
}

bool ParseSlashDate(const QString& text, qint64* ymd) {
    if (text == QStringLiteral("0")) {
        *ymd = 0;
        return true;
    }
    // Read in place (an import reads two dates a row): four digits, "/", one or two, "/", one
    // or two.
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int part = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('/')) {
            if (++part > 2)
                return false;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        parts[part] = parts[part] * 10 + (c.unicode() - u'0');
        if (++digits[part] > (part == 0 ? 4 : 2))
            return false;
    }
    if (part != 2 || digits[0] != 4 || digits[1] == 0 || digits[2] == 0)
        return false;
    if (!QDate::isValid(parts[0], parts[1], parts[2]))
        return false;
    *ymd = qint64(parts[0]) * 10000 + parts[1] * 100 + parts[2];
    return true;
}

int CheckImportSheet(ImportSheet& sheet, const ImportContext& context) {
    const QStringList& names = ImportHeaders();
    sheet.faults.resize(sheet.rows.size());
    sheet.warnings.resize(sheet.rows.size());
    sheet.employees.resize(sheet.rows.size());
    const QString base = context.ageBase.mode != 0
                             ? QStringLiteral("本日")
                             : QStringLiteral("基準年月日 ") + BaseDateText(context.ageBase.date);
    int faulty = 0;
    for (qsizetype r = 0; r < sheet.rows.size(); ++r) {
        QStringList& row = sheet.rows[r];
        QStringList& why = sheet.faults[r];
        QStringList& odd = sheet.warnings[r];
        why.clear();
        odd.clear();
        // A quote never closed swallows the rest of the line into one field: whatever the
        // fields then say is not what the file meant.
        if (r < sheet.unclosed.size() && sheet.unclosed[r])
            why << QStringLiteral("引用符（\"）が閉じていません");
        // Texts the screen could not hold are refused, not cut.
        for (int c = ImpName; c < ImportColumnCount; ++c) {
            const QString problem = CheckFieldText(row[c], names[c], ImportFieldLimit(c));
            if (!problem.isEmpty())
                why << problem;
        }
        if (row[ImpName].isEmpty())
            why << names[ImpName] + QStringLiteral("がありません");
        if (row[ImpNumber].isEmpty())
            why << names[ImpNumber] + QStringLiteral("がありません");
        for (int c : {ImpOfficeId, ImpJobId, ImpGrade}) {
            const QString& v = row[c];
            int n = 0;
            if (!v.isEmpty() && v != QStringLiteral("0") && (!isWholeNumber(v, &n) || n == 0))
                why << names[c] + QStringLiteral("「") + v +
                           QStringLiteral("」が 0 以外の整数ではありません");
        }
        int grade = 0;
        isWholeNumber(row[ImpGrade], &grade);
        if (!IsStorableGrade(grade) && grade > 0)
            why << names[ImpGrade] + QStringLiteral("「") + row[ImpGrade] +
                       QStringLiteral("」が 9 を超えています");
        else if (!IsStorableGrade(grade))
            why << names[ImpGrade] + QStringLiteral("「") + row[ImpGrade] +
                       QStringLiteral("」が 0 より小さい値です");
        for (int c : {ImpBirth, ImpJoined}) {
            qint64 ymd = 0;
            if (!row[c].isEmpty() && !ParseSlashDate(row[c], &ymd))
                why << names[c] + QStringLiteral("「") + row[c] +
                           QStringLiteral("」が 年/月/日 の日付ではありません");
        }
        QString& sex = row[ImpSex];
        static const QStringList maleWords = {QStringLiteral("男性"), QStringLiteral("True"),
                                              QStringLiteral("true"), QStringLiteral("TRUE"),
                                              QStringLiteral("1"),    QStringLiteral("-1")};
        if (maleWords.contains(sex))
            sex = Male;
        if (sex != Male)
            sex = Female;
        if (ImportedMarkCode(row[ImpMark], context.marks) < 0)
            why << names[ImpMark] + QStringLiteral("「") + row[ImpMark] +
                       QStringLiteral("」はマークのコード（1～6）でも名前でもありません");
        ImportedEmployee& e = sheet.employees[r];
        e = ToImportedEmployee(row, context);
        // A date after the age base is kept (it may be a planned hire), but the user is told,
        // as the employee screen asks before such a save.
        const YearsBelowZero below = NegativeYears(e.SEIHI, e.NYUHI, context.ageBase);
        if (below.age)
            odd << names[ImpBirth] + QStringLiteral("「") + row[ImpBirth] + QStringLiteral("」が") +
                       base + QStringLiteral(" より後です（年齢 ") + QString::number(e.NENREI) +
                       QStringLiteral("）");
        if (below.service)
            odd << names[ImpJoined] + QStringLiteral("「") + row[ImpJoined] +
                       QStringLiteral("」が") + base + QStringLiteral(" より後です（勤続 ") +
                       QString::number(e.KINZOKU) + QStringLiteral("）");
        row[ImpStatus] = !why.isEmpty() ? Error : !odd.isEmpty() ? Warn : QString();
        if (!why.isEmpty())
            ++faulty;
    }
    return faulty;
}

ImportedEmployee ToImportedEmployee(const QStringList& row, const ImportContext& context) {
    ImportedEmployee e;
    e.SNA = row[ImpName];
    e.SCOT = row[ImpNumber];
    e.YAKU = row[ImpPosition];
    e.SEIBETSU = row[ImpSex] == Male ? 0 : 1;
    e.GAKU = row[ImpEducation];
    e.SENKOU = row[ImpMajor];
    e.KEIKEN = row[ImpExperience];
    e.KSIKAKU = row[ImpQualification];
    e.SM2 = row[ImpKind];
    e.SM1 = EmployeeKindCode(row[ImpKind]).toInt();
    if (!ParseSlashDate(row[ImpBirth], &e.SEIHI))
        e.SEIHI = 0;
    if (!ParseSlashDate(row[ImpJoined], &e.NYUHI))
        e.NYUHI = 0;
    isWholeNumber(row[ImpGrade], &e.TOUKYU);
    e.NENREI = YearsToBase(e.SEIHI, context.ageBase);
    e.KINZOKU = YearsToBase(e.NYUHI, context.ageBase);
    e.MCO = qMax(0, ImportedMarkCode(row[ImpMark], context.marks));
    return e;
}

QString ExportHeaderLine(bool withMark) {
    const QString line = QStringLiteral(
        "社員番号,社員名,役職,性別,学歴,専攻,職務経験,社内身分,生年月日,入社日,賃金等級");
    return withMark ? line + QStringLiteral(",マーク") : line;
}

QString ExportKindText(int sm1, const QString& sm2) {
    if (sm1 >= 1 && sm1 <= 4)
        return NthField(EmployeeKindText(sm1), QLatin1Char(' '), 3);
    return sm2;
}

QString ExportDateText(qint64 ymd) {
    if (ymd == 0)
        return QStringLiteral("0");
    const QString t = QString::number(ymd);
    return t.mid(0, 4) + QLatin1Char('/') + t.mid(4, 2) + QLatin1Char('/') + t.mid(6, 2);
}

namespace {

// The ten text columns of an exported employee, as written before quoting.
std::array<QString, 10> exportTexts(const ExportRow& r) {
    return {r.SCOT,
            r.SNA,
            r.YAKU,
            r.SEIBETSU == 0 ? Male : Female,
            r.GAKU,
            r.SENKOU,
            r.KEIKEN,
            ExportKindText(r.SM1, r.SM2),
            ExportDateText(r.SEIHI),
            ExportDateText(r.NYUHI)};
}

// Which employee, column and character CP932 cannot hold; empty when every text converts.
QString firstUnencodable(const QVector<ExportRow>& rows) {
    const QStringList columns = ExportHeaderLine().split(QLatin1Char(','));
    QByteArray encoded;
    for (const ExportRow& r : rows) {
        const std::array<QString, 10> texts = exportTexts(r);
        for (size_t i = 0; i < texts.size(); ++i) {
            qsizetype bad = 0;
            if (Cp932::encode(texts[i], encoded, &bad))
                continue;
            return QStringLiteral("社員コード ") + QString::number(r.SCO) + QStringLiteral("（") +
                   r.SNA + QStringLiteral("）の「") + columns[qsizetype(i)] +
                   QStringLiteral("」に Shift-JIS（CP932）で書けない文字「") +
                   Cp932::characterAt(texts[i], bad) +
                   QStringLiteral("」があります。社員マスタの出力を中止しました。");
        }
    }
    return {};
}

} // namespace

ExportEncoding EncodeEmployeeCsv(const QVector<ExportRow>& rows, bool withMark) {
    ExportEncoding out;
    // The whole file is converted at once; only a file that does not convert is gone through
    // text by text, to name what stopped it.
    QString text = ExportHeaderLine(withMark) + QStringLiteral("\r\n");
    text.reserve((rows.size() + 1) * 100);
    for (const ExportRow& r : rows) {
        for (const QString& t : exportTexts(r)) {
            text += QuoteCsvField(t);
            text += QLatin1Char(',');
        }
        text += QString::number(r.TOUKYU);
        if (withMark) {
            text += QLatin1Char(',');
            text += QString::number(r.MCO);
        }
        text += QStringLiteral("\r\n");
    }
    if (Cp932::encode(text, out.bytes))
        return out;
    out.ok = false;
    out.bytes.clear();
    out.problem = firstUnencodable(rows);
    return out;
}
