#pragma once

#include "core/common/CompanySettings.h"
#include "core/common/Counts.h"
#include "core/common/Dates.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

// The employee CSV exchange: reading and checking an import file, converting its rows for
// storing, and writing the export file. No database and no widgets here.

// Columns of the import grid; their headers are the names an import file's header is matched
// against.
enum ImportColumn {
    ImpStatus = 0,
    ImpName = 1,
    ImpNumber = 2,
    ImpOfficeId = 3,
    ImpJobId = 4,
    ImpPosition = 5,
    ImpSex = 6,
    ImpEducation = 7,
    ImpMajor = 8,
    ImpExperience = 9,
    ImpKind = 10,
    ImpBirth = 11,
    ImpJoined = 12,
    ImpGrade = 13,
    ImpAssignment = 14,
    ImpQualification = 15,
    ImpMark = 16,
    ImportColumnCount = 17
};

const QStringList& ImportHeaders();
// The most characters a column's text may have: what the employee screen takes; 0 for a
// column that is read as a number or date.
int ImportFieldLimit(int column);

// The rows of an import file, each with ImportColumnCount cells, and the file line each came
// from (the header is line 1).
// A checked row as it is stored.
struct ImportedEmployee {
    QString SCOT;
    QString SNA;
    QString YAKU;
    int SEIBETSU = 0;
    QString GAKU;
    QString SENKOU;
    QString KEIKEN;
    QString KSIKAKU;
    int SM1 = 0;
    QString SM2;
    qint64 SEIHI = 0;
    qint64 NYUHI = 0;
    int TOUKYU = 0;
    int NENREI = 0; // age and service counted to the company's age base
    int KINZOKU = 0;
    int MCO = 0; // plot mark 1-6; 0 without one
};
struct ImportSheet {
    QVector<QStringList> rows;
    QVector<int> lines;
    QVector<QStringList> faults;   // per row: why it is marked "ERROR" (filled by the check)
    QVector<QStringList> warnings; // per row: what is odd but stored (a row marked "WARN")
    QVector<bool> unclosed;        // per row: a quote opened and never closed (by the reading)
    QVector<ImportedEmployee>
        employees; // per row: the employee it stands for (filled by the check)
};

struct ImportRead {
    enum Result { Ok, Unreadable, Empty, Undecodable, NoKnownHeader };
    Result result = Ok;
    int badLine = 0; // Undecodable: the line that does not decode
    QString ioError; // Unreadable: the system's message
    ImportSheet sheet;
};

// Decodes (CP932, or UTF-8 with a byte-order mark) and splits the file, maps the header and
// fills one row per further line.
ImportRead ReadImportFile(const QByteArray& bytes);

// The message for a file that gives no rows to check (empty for Ok): what the import screen
// shows and tesvane-cli prints.
QString ImportReadProblem(const ImportRead& read, const QString& fileName);

// What the check needs of the company year the rows go into.
struct ImportContext {
    AgeBase ageBase; // ages and service are counted to it
    std::array<TMMARK, MarkCount + 1>
        marks{}; // [1..6]: a mark cell names one by code, symbol or legend
};

// The status texts of a checked row: a faulty row is not stored, a warned one is.
const QString& ImportErrorStatus(); // "ERROR"
const QString& ImportWarnStatus();  // "WARN"

// Tests every row once: writes "ERROR" into the status cell of a faulty one and records why,
// "WARN" into that of a row that is stored but looks wrong (a birth or joining date after the
// age base, giving a negative age or service), normalises the sex cell to 男 or 女, and takes
// each row into the employee record it stands for (what the store takes). Returns the number
// of faulty rows.
int CheckImportSheet(ImportSheet& sheet, const ImportContext& context);

// What the import says after storing: how many employees it stored and, when some have no
// mark, that the reports and plots leave those out.
QString ImportDoneText(int stored, int withoutMark);
// What the check says of rows that are stored but marked "WARN".
QString ImportWarningsText(int warned);

// A date written year/month/day: true with yyyymmdd. "0", the exported form of no date, is
// a date too and gives 0.
bool ParseSlashDate(const QString& text, qint64* ymd);

ImportedEmployee ToImportedEmployee(const QStringList& row, const ImportContext& context);
// The mark a mark cell names: its code 1-6, or the symbol or legend of one of the marks; 0 for
// an empty cell or "0"; -1 when it names none.
int ImportedMarkCode(const QString& cell, const std::array<TMMARK, MarkCount + 1>& marks);

// One employee as the export writes it.
struct ExportRow {
    int SCO = 0;
    QString SCOT;
    QString SNA;
    QString YAKU;
    int SEIBETSU = 0;
    QString GAKU;
    QString SENKOU;
    QString KEIKEN;
    int SM1 = 0;
    QString SM2;
    qint64 SEIHI = 0;
    qint64 NYUHI = 0;
    int TOUKYU = 0;
    int MCO = 0;
};

// The header; with the mark, a twelfth column マーク.
QString ExportHeaderLine(bool withMark = false);
// The 社内身分 written for an employee: the name of the kind code when it has one (the employee
// screen stores only the code), else the text as it was imported.
QString ExportKindText(int sm1, const QString& sm2);
// yyyy/mm/dd from the digits of the stored number; "0" for no date.
QString ExportDateText(qint64 ymd);

struct ExportEncoding {
    bool ok = true;
    QByteArray bytes; // the whole file, CP932 with CR LF
    QString problem;  // when not ok: which employee, column and character
};
ExportEncoding EncodeEmployeeCsv(const QVector<ExportRow>& rows, bool withMark = false);
