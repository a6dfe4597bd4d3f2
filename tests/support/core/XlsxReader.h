#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Reads back what the program's workbooks hold: the zip is unpacked with zlib and the sheet
// XML parsed, so tests check cell values, formulas and number formats as a spreadsheet
// program would see them.
struct XlsxCell {
    QString text;      // the shown text of a string cell, or the stored value of a number
    double number = 0; // for numbers and formulas
    bool isNumber = false;
    QString formula; // without '='
    QString format;  // number format code ("#,##0", "0.0%"), "General" when none
    bool bold = false;
};

struct XlsxSheet {
    QString name;
    QHash<QString, XlsxCell> cells; // by reference "B3"
    int frozenRows = 0;
    QString printTitles;             // "$1:$3" when rows repeat on every page
    int paperSize = 0;               // 9 = A4
    QStringList merges;              // "A1:D1"
    QHash<int, double> columnWidths; // by column from 0

    const XlsxCell* at(const QString& ref) const;
    double number(const QString& ref) const; // 0 when absent or text
    QString text(const QString& ref) const;
};

class XlsxReader {
public:
    bool open(const QString& path); // false with error() on a broken file
    QString error() const { return m_error; }
    QStringList sheetNames() const;
    const XlsxSheet* sheet(const QString& name) const;
    const XlsxSheet* sheet(int index) const;

private:
    QList<XlsxSheet> m_sheets;
    QString m_error;
};
