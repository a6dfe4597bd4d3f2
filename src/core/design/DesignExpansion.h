#pragma once

#include "core/plot/ChartRecords.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <array>

// The raise-curve designs expanded into one row per X value (DCHINGIN), and the CSV file the
// design screen and tesvane-cli write from those rows.

constexpr int DesignCount = 5;
constexpr int DesignPointCount = 6;

// The points of one design as typed: [1..6], X 0 is an empty point; amounts in whole yen.
struct DesignPoints {
    std::array<int, DesignPointCount + 1> x{};
    std::array<qint64, DesignPointCount + 1> amount{};

    // Every X value and amount is 0: the design is not stored.
    bool isEmpty() const;
};

DesignPoints PointsOf(const DesignCurve& curve);

// One row of DCHINGIN.
struct DesignRow {
    int design = 0; // SDCO
    int no = 0;     // NO, from 1
    int x = 0;      // SNENREI
    qint64 amount = 0;
    qint64 increase = 0;       // UPKIN, to the next X value
    qint64 rateHundredths = 0; // UPRITSU x 100
    qint64 index = 0;          // KAKUSA, percent of the first amount

    bool operator==(const DesignRow&) const = default;
};

// The rows of design d from lo to hi. Only points with an X value count (an empty point
// between filled ones is skipped); they are taken in increasing X order whatever order they
// were typed in, and of two points with the same X value the later one counts. Between two
// points every X value rises by the segment's increment rounded to 10 yen; the row just
// before a point takes up what the rounding left, so every point's row holds its amount.
QVector<DesignRow> ExpandDesign(int design, const DesignPoints& points);
// Designs 1..5 ([0] unused) one after the other.
QVector<DesignRow> ExpandDesigns(const std::array<DesignPoints, DesignCount + 1>& designs);

// Line 1 the title, two heading lines, one line per row number with X, amount and index of
// each design (0,0,0 where a design has no such row), and the averages; CP932 with CR LF.
struct DesignCsvEncoding {
    bool ok = true;
    QByteArray bytes;
    QString problem; // when not ok: the character CP932 cannot hold, and where
};
DesignCsvEncoding EncodeDesignCsv(const QString& title, const QVector<DesignRow>& rows);

// Per design: number of rows, sum, first and last amount, for the average lines of the CSV
// file and the print.
struct DesignRun {
    qint64 count = 0;
    qint64 sum = 0;
    qint64 first = 0;
    qint64 last = 0;
    void add(qint64 amount);
    qint64 average() const;         // rounded half away from zero
    qint64 averageIncrease() const; // (last - first) / (count - 1), rounded; 0 for one row
};

struct DataExtents;
// Widens the data extents of chart 1050 by the design points that have an X value: X as
// typed, the amount in 万円 rounded half away from zero to a whole number.
void WidenByDesigns(DataExtents& extents, const std::array<DesignPoints, DesignCount + 1>& designs);
