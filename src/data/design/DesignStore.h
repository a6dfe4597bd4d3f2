#pragma once

#include "core/design/DesignExpansion.h"
#include "data/db/SaveOutcome.h"

#include <optional>

// The raise-curve designs of a company year (DSPDRAW) and their expansion (DCHINGIN). Every
// value is bound; each save is one transaction, so a failure leaves what was stored.

// How a design curve is drawn: colour text, line kind 0..3, width.
struct CurveStyle {
    QString colour = QStringLiteral("clBlack");
    int kind = 1;
    int width = 1;
};

// The five designs of the axis pair, [1..5]; a design without a row is empty (curve number
// and axis pair set, nothing else). False when the read failed (reported).
bool LoadDesigns(const CompanyYear& cy, int xItem, int yItem,
                 std::array<DesignCurve, DesignCount + 1>& designs);

// Remembers the five designs as the design screen loads them: its next save is refused when
// another person saved designs of the pair in between (see RecordGuard).
bool RememberLoadedDesigns(const CompanyYear& cy, int xItem, int yItem);

// Saves the five designs of the axis pair ([1..5]: points, draw and selected flags) with the
// explanation: a design with points is inserted (with the style given) or updated (its
// legend and style kept), an empty one's row is deleted. All five or none.
// Refused over another person's save of the pair's designs since they were loaded.
SaveResult SaveDesigns(const CompanyYear& cy, int xItem, int yItem,
                       const std::array<DesignCurve, DesignCount + 1>& designs,
                       const QString& explanation, const CurveStyle& style);

// The first stored row of design k under any axis pair; nothing when it has none. failed is
// set when the read failed.
std::optional<DesignCurve> LoadDesignStyle(const CompanyYear& cy, int curve, bool* failed);
// Legend, description and style of design k under every axis pair; a design without any row
// gets one with all points 0 (X and Y items 0).
bool SaveDesignStyle(const CompanyYear& cy, int curve, const QString& legend,
                     const QString& description, const CurveStyle& style);

// The designs of the axis pair expanded. failed is set when the read failed.
QVector<DesignRow> ExpandStoredDesigns(const CompanyYear& cy, int xItem, int yItem, bool* failed);
// Replaces the company year's DCHINGIN by the rows, in one transaction: the old expansion
// stays when this fails.
bool StoreDesignExpansion(const CompanyYear& cy, int xItem, int yItem,
                          const QVector<DesignRow>& rows);
// The stored expansion ordered by row number and design. failed is set when the read failed.
QVector<DesignRow> LoadDesignExpansion(const CompanyYear& cy, bool* failed);

// AppDir + "CSV/昇給カーブの設計.CSV".
QString DesignCsvPath();

struct DesignExport {
    enum Status { Written, Unencodable, WriteFailed };
    Status status = Written;
    QString detail; // which character, or the file and why it could not be written
};
// Writes the CSV file of the rows beside the old file and renames it over it: a failure
// leaves the old file as it was.
DesignExport WriteDesignCsv(const QString& path, const QString& title,
                            const QVector<DesignRow>& rows);

class Project;
struct DesignPrintHeader;
// The print's page header of the open company year.
DesignPrintHeader DesignPrintHeaderOf(const Project& project, const QString& title, int xItem,
                                      int yItem);
