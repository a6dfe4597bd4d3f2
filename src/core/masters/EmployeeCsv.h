#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

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
    ImportColumnCount = 16
};

const QStringList& ImportHeaders();

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
};
struct ImportSheet {
    QVector<QStringList> rows;
    QVector<int> lines;
    QVector<QStringList> faults; // per row: why it is marked "ERROR" (filled by the check)
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

// Tests every row once: writes "ERROR" into the status cell of a faulty one and records why,
// normalises the sex cell to 男 or 女, and takes each row into the employee record it stands for
// (what the store takes). Returns the number of faulty rows.
int CheckImportSheet(ImportSheet& sheet);

// A date written year/month/day: true with yyyymmdd. "0", the exported form of no date, is
// a date too and gives 0.
bool ParseSlashDate(const QString& text, qint64* ymd);

ImportedEmployee ToImportedEmployee(const QStringList& row);

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
    QString SM2;
    qint64 SEIHI = 0;
    qint64 NYUHI = 0;
    int TOUKYU = 0;
};

const QString& ExportHeaderLine();
// yyyy/mm/dd from the digits of the stored number; "0" for no date.
QString ExportDateText(qint64 ymd);

struct ExportEncoding {
    bool ok = true;
    QByteArray bytes; // the whole file, CP932 with CR LF
    QString problem;  // when not ok: which employee, column and character
};
ExportEncoding EncodeEmployeeCsv(const QVector<ExportRow>& rows);
