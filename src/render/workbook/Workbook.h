#pragma once

#include <QList>
#include <QString>

#include <deque>
#include <map>
#include <variant>
#include <vector>

class Currency;
class QDate;

// A spreadsheet workbook (.xlsx) composed in memory and written in one go: numbers stay
// numbers with their display formats, sums are formulas carrying their computed value (for
// readers that do not recalculate), and a failed save never leaves a broken file behind.
namespace Xlsx {

enum class NumberFormat {
    General,
    Integer,  // #,##0
    Decimal1, // #,##0.0
    Decimal2, // #,##0.00
    Decimal3, // #,##0.000
    Percent1, // 0.0%
    Percent2, // 0.00%
    Date,     // yyyy/mm/dd
};

struct CellStyle {
    NumberFormat format = NumberFormat::General;
    bool bold = false;
    bool header = false; // shaded, bordered, centred: column headings
    bool border = false;
    bool centred = false;
    bool operator<(const CellStyle& o) const;
};

// Ready-made styles for the common cells.
CellStyle headerStyle();
CellStyle titleStyle();
CellStyle amountStyle(bool bold = false);                  // #,##0 with a thin border
CellStyle decimalStyle(int places = 1, bool bold = false); // 1 to 3 places
CellStyle percentStyle(bool bold = false);                 // 0.0%
CellStyle textStyle(bool bold = false);                    // text with a thin border
CellStyle dateStyle();                                     // yyyy/mm/dd with a thin border

struct Formula {
    QString expression; // without the leading '='
    double value = 0;
};

using CellValue = std::variant<QString, double, Formula>;

struct Cell {
    CellValue value;
    CellStyle style;
};

class Sheet {
public:
    explicit Sheet(QString name);

    const QString& name() const { return m_name; }

    void text(int row, int col, const QString& text, const CellStyle& style = {});
    void number(int row, int col, double value, const CellStyle& style = amountStyle());
    void money(int row, int col, const Currency& value, const CellStyle& style = amountStyle());
    // A calendar date as the spreadsheet's day number, shown yyyy/mm/dd; an invalid date leaves
    // the cell blank.
    void date(int row, int col, const QDate& date, const CellStyle& style = dateStyle());
    void formula(int row, int col, const QString& expression, double value,
                 const CellStyle& style = amountStyle());
    // Text over the columns first..last of one row.
    void merge(int row, int firstCol, int lastCol, const QString& text, const CellStyle& style);

    void setColumnWidth(int col, double characters); // otherwise fitted to the contents
    void freeze(int rows, int cols = 0);
    void repeatRows(int first, int last); // printed on every page
    void setLandscape(bool landscape) { m_landscape = landscape; }
    void setFitToWidth(bool fit) { m_fitToWidth = fit; }
    void setPageHeader(const QString& text) { m_pageHeader = text; }

    // "B3" for row 2, column 1 (both from 0); ranges "B3:B9".
    static QString cellName(int row, int col);
    static QString rangeName(int firstRow, int firstCol, int lastRow, int lastCol);

    const Cell* cell(int row, int col) const;
    int rowCount() const;    // one past the last written row
    int columnCount() const; // one past the last written column

private:
    friend class Workbook;
    friend struct SheetWriter;
    struct Merge {
        int row, firstCol, lastCol;
        QString text;
        CellStyle style;
    };
    // Rows of cells, each as long as its last written column: a sheet of 10,000 employees has
    // 250,000 cells, too many for a node each.
    struct Slot {
        bool set = false;
        Cell cell;
    };
    Cell& at(int row, int col);
    QString m_name;
    std::vector<std::vector<Slot>> m_rows;
    int m_columns = 0;
    QList<Merge> m_merges;
    std::map<int, double> m_widths;
    int m_freezeRows = 0, m_freezeCols = 0;
    int m_repeatFirst = -1, m_repeatLast = -1;
    bool m_landscape = false;
    bool m_fitToWidth = false;
    QString m_pageHeader;
};

class Workbook {
public:
    // The sheet name is cut to Excel's 31 characters and freed of the characters it refuses;
    // a repeated name gets a number.
    Sheet& addSheet(const QString& name);
    const std::deque<Sheet>& sheets() const { return m_sheets; }

    // Writes a temporary file beside path and renames it over path. On failure path is left
    // as it was and error holds the message to show.
    bool save(const QString& path, QString* error) const;

private:
    std::deque<Sheet> m_sheets; // stable references while sheets are added
};

// Display width of a text in spreadsheet character units (full-width characters count two).
double TextWidth(const QString& text);

} // namespace Xlsx
