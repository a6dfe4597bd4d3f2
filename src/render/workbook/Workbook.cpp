#include "render/workbook/Workbook.h"

#include "core/common/Currency.h"
#include "core/common/FileWrite.h"
#include "core/common/MessageTexts.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

namespace Xlsx {

bool CellStyle::operator<(const CellStyle& o) const {
    return std::tie(format, bold, header, border, centred) <
           std::tie(o.format, o.bold, o.header, o.border, o.centred);
}

CellStyle headerStyle() {
    CellStyle s;
    s.header = true;
    s.bold = true;
    s.border = true;
    s.centred = true;
    return s;
}

CellStyle titleStyle() {
    CellStyle s;
    s.bold = true;
    return s;
}

namespace {
CellStyle Bordered(NumberFormat format, bool bold) {
    CellStyle s;
    s.format = format;
    s.border = true;
    s.bold = bold;
    return s;
}
} // namespace

CellStyle amountStyle(bool bold) {
    return Bordered(NumberFormat::Integer, bold);
}

CellStyle decimalStyle(int places, bool bold) {
    const NumberFormat f = places >= 3   ? NumberFormat::Decimal3
                           : places == 2 ? NumberFormat::Decimal2
                                         : NumberFormat::Decimal1;
    return Bordered(f, bold);
}

CellStyle percentStyle(bool bold) {
    return Bordered(NumberFormat::Percent1, bold);
}

CellStyle textStyle(bool bold) {
    return Bordered(NumberFormat::General, bold);
}

CellStyle dateStyle() {
    return Bordered(NumberFormat::Date, false);
}

Sheet::Sheet(QString name) : m_name(std::move(name)) {}

Cell& Sheet::at(int row, int col) {
    if (size_t(row) >= m_rows.size())
        m_rows.resize(size_t(row) + 1);
    std::vector<Slot>& cells = m_rows[size_t(row)];
    if (size_t(col) >= cells.size())
        cells.resize(size_t(col) + 1);
    m_columns = std::max(m_columns, col + 1);
    cells[size_t(col)].set = true;
    return cells[size_t(col)].cell;
}

void Sheet::text(int row, int col, const QString& text, const CellStyle& style) {
    at(row, col) = Cell{text, style};
}

void Sheet::number(int row, int col, double value, const CellStyle& style) {
    at(row, col) = Cell{value, style};
}

void Sheet::money(int row, int col, const Currency& value, const CellStyle& style) {
    number(row, col, value.toDouble(), style);
}

void Sheet::date(int row, int col, const QDate& date, const CellStyle& style) {
    if (!date.isValid()) {
        text(row, col, QString(), style);
        return;
    }
    // Day 1 is 1900-01-01 counted with the spreadsheet's phantom 29 February 1900, so day
    // numbers from March 1900 on are days since 1899-12-30.
    number(row, col, double(QDate(1899, 12, 30).daysTo(date)), style);
}

void Sheet::formula(int row, int col, const QString& expression, double value,
                    const CellStyle& style) {
    at(row, col) = Cell{Formula{expression, value}, style};
}

void Sheet::merge(int row, int firstCol, int lastCol, const QString& text, const CellStyle& style) {
    if (lastCol <= firstCol) {
        this->text(row, firstCol, text, style);
        return;
    }
    m_merges.append({row, firstCol, lastCol, text, style});
}

void Sheet::setColumnWidth(int col, double characters) {
    m_widths[col] = characters;
}

void Sheet::freeze(int rows, int cols) {
    m_freezeRows = rows;
    m_freezeCols = cols;
}

void Sheet::repeatRows(int first, int last) {
    m_repeatFirst = first;
    m_repeatLast = last;
}

QString Sheet::cellName(int row, int col) {
    QString letters;
    for (int c = col + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar('A' + (c - 1) % 26));
    return letters + QString::number(row + 1);
}

QString Sheet::rangeName(int firstRow, int firstCol, int lastRow, int lastCol) {
    return cellName(firstRow, firstCol) + QLatin1Char(':') + cellName(lastRow, lastCol);
}

const Cell* Sheet::cell(int row, int col) const {
    if (row < 0 || col < 0 || size_t(row) >= m_rows.size() ||
        size_t(col) >= m_rows[size_t(row)].size())
        return nullptr;
    const Slot& slot = m_rows[size_t(row)][size_t(col)];
    return slot.set ? &slot.cell : nullptr;
}

int Sheet::rowCount() const {
    int rows = 0;
    for (int r = int(m_rows.size()); r > 0 && !rows; --r)
        for (const Slot& slot : m_rows[size_t(r - 1)])
            if (slot.set) {
                rows = r;
                break;
            }
    for (const Merge& m : m_merges)
        rows = std::max(rows, m.row + 1);
    return rows;
}

int Sheet::columnCount() const {
    int cols = m_columns;
    for (const Merge& m : m_merges)
        cols = std::max(cols, m.lastCol + 1);
    return cols;
}

double TextWidth(const QString& text) {
    double width = 0;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        // Half-width katakana (U+FF61..FF9F) and ASCII take one unit, the rest two.
        width += (u < 0x0100 || (u >= 0xFF61 && u <= 0xFF9F)) ? 1.0 : 2.0;
    }
    return width;
}

namespace {

const char* FormatCode(NumberFormat f) {
    switch (f) {
    case NumberFormat::General:
        return nullptr;
    case NumberFormat::Integer:
        return "#,##0";
    case NumberFormat::Decimal1:
        return "#,##0.0";
    case NumberFormat::Decimal2:
        return "#,##0.00";
    case NumberFormat::Decimal3:
        return "#,##0.000";
    case NumberFormat::Percent1:
        return "0.0%";
    case NumberFormat::Percent2:
        return "0.00%";
    case NumberFormat::Date:
        return "yyyy/mm/dd";
    }
    return nullptr;
}

// The text a reader shows for a number, for fitting the column.
QString ShownNumber(double value, NumberFormat f) {
    const QLocale c = QLocale::c();
    switch (f) {
    case NumberFormat::Integer:
        return c.toString(std::round(value), 'f', 0);
    case NumberFormat::Decimal1:
        return c.toString(value, 'f', 1);
    case NumberFormat::Decimal2:
        return c.toString(value, 'f', 2);
    case NumberFormat::Decimal3:
        return c.toString(value, 'f', 3);
    case NumberFormat::Percent1:
        return QString::number(value * 100, 'f', 1) + QLatin1Char('%');
    case NumberFormat::Percent2:
        return QString::number(value * 100, 'f', 2) + QLatin1Char('%');
    case NumberFormat::Date:
        return QStringLiteral("0000/00/00");
    case NumberFormat::General:
        break;
    }
    return QString::number(value, 'g', 11);
}

// The widest text a column shows. A number's shown width grows with its magnitude in every
// format but the general one (and there for whole numbers), so each format keeps only its
// largest number of either sign and formats that one at the end, instead of every cell's.
class ColumnWidth {
public:
    void add(const Cell& cell) {
        if (const auto* t = std::get_if<QString>(&cell.value)) {
            m_width = std::max(m_width, TextWidth(*t));
            return;
        }
        const auto* d = std::get_if<double>(&cell.value);
        const double value = d ? *d : std::get<Formula>(cell.value).value;
        const NumberFormat f = cell.style.format;
        const bool monotonic =
            f != NumberFormat::General || (value == std::trunc(value) && std::abs(value) < 1e11);
        if (!monotonic || !std::isfinite(value)) {
            m_width = std::max(m_width, TextWidth(ShownNumber(value, f)));
            return;
        }
        Largest& l = m_largest[size_t(f)][std::signbit(value) ? 1 : 0];
        l.magnitude = std::max(l.magnitude, std::abs(value));
        l.seen = true;
    }
    double width() const {
        double w = m_width;
        for (size_t f = 0; f < m_largest.size(); ++f)
            for (size_t negative = 0; negative < 2; ++negative)
                if (const Largest& l = m_largest[f][negative]; l.seen)
                    w = std::max(w, TextWidth(ShownNumber(negative ? -l.magnitude : l.magnitude,
                                                          NumberFormat(f))));
        return w;
    }

private:
    struct Largest {
        double magnitude = 0;
        bool seen = false;
    };
    double m_width = 0;
    std::array<std::array<Largest, 2>, size_t(NumberFormat::Date) + 1> m_largest{};
};

QString SheetName(const QString& wanted, const QSet<QString>& taken) {
    static const QRegularExpression refused(QStringLiteral("[\\[\\]:*?/\\\\]"));
    QString base = wanted;
    base.replace(refused, QStringLiteral("_"));
    base = base.trimmed();
    if (base.startsWith(QLatin1Char('\'')))
        base[0] = QLatin1Char('_');
    if (base.isEmpty())
        base = QStringLiteral("Sheet");
    base.truncate(31);
    QString name = base;
    for (int n = 2; taken.contains(name.toLower()); ++n) {
        const QString suffix = QStringLiteral("(%1)").arg(n);
        name = base.left(31 - suffix.size()) + suffix;
    }
    return name;
}

class Writer {
public:
    explicit Writer(lxw_workbook* book) : m_book(book) {}

    lxw_format* format(const CellStyle& style) {
        const auto it = m_formats.find(style);
        if (it != m_formats.end())
            return it->second;
        lxw_format* f = workbook_add_format(m_book);
        format_set_font_name(f, "ＭＳ Ｐゴシック");
        format_set_font_size(f, 10);
        if (const char* code = FormatCode(style.format))
            format_set_num_format(f, code);
        if (style.bold)
            format_set_bold(f);
        if (style.border || style.header)
            format_set_border(f, LXW_BORDER_THIN);
        if (style.header) {
            format_set_bg_color(f, 0xDDEBF7);
            format_set_text_wrap(f);
            format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        }
        if (style.centred || style.header)
            format_set_align(f, LXW_ALIGN_CENTER);
        m_formats.emplace(style, f);
        return f;
    }

private:
    lxw_workbook* m_book;
    std::map<CellStyle, lxw_format*> m_formats;
};

} // namespace

struct SheetWriter {
    static lxw_error write(lxw_workbook* book, Writer& writer, const Sheet& sheet);
};

lxw_error SheetWriter::write(lxw_workbook* book, Writer& writer, const Sheet& sheet) {
    const QByteArray name = sheet.name().toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(book, name.constData());
    if (!ws)
        return LXW_ERROR_SHEETNAME_ALREADY_USED;
    worksheet_set_paper(ws, 9); // A4
    if (sheet.m_landscape)
        worksheet_set_landscape(ws);
    if (sheet.m_fitToWidth)
        worksheet_fit_to_pages(ws, 1, 0);
    if (!sheet.m_pageHeader.isEmpty()) {
        QString header = sheet.m_pageHeader;
        header.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QByteArray h = (QStringLiteral("&L") + header + QStringLiteral("&R&P / &N")).toUtf8();
        worksheet_set_header(ws, h.constData());
    }
    if (sheet.m_freezeRows > 0 || sheet.m_freezeCols > 0)
        worksheet_freeze_panes(ws, lxw_row_t(sheet.m_freezeRows), lxw_col_t(sheet.m_freezeCols));
    if (sheet.m_repeatFirst >= 0)
        worksheet_repeat_rows(ws, lxw_row_t(sheet.m_repeatFirst), lxw_row_t(sheet.m_repeatLast));

    // Column widths: as set, or fitted to what the column shows (merged titles do not count).
    std::vector<ColumnWidth> widths(size_t(sheet.m_columns));
    std::vector<bool> used(size_t(sheet.m_columns));
    for (const auto& row : sheet.m_rows)
        for (size_t col = 0; col < row.size(); ++col)
            if (row[col].set) {
                widths[col].add(row[col].cell);
                used[col] = true;
            }
    for (size_t col = 0; col < widths.size(); ++col) {
        if (!used[col])
            continue;
        const auto set = sheet.m_widths.find(int(col));
        const double width = set != sheet.m_widths.end()
                                 ? set->second
                                 : std::clamp(widths[col].width() + 2.0, 6.0, 60.0);
        worksheet_set_column(ws, lxw_col_t(col), lxw_col_t(col), width, nullptr);
    }
    for (const auto& [col, w] : sheet.m_widths)
        if (size_t(col) >= used.size() || !used[size_t(col)])
            worksheet_set_column(ws, lxw_col_t(col), lxw_col_t(col), w, nullptr);

    // Cells in row order; the format of the style last used is looked up once.
    const CellStyle* lastStyle = nullptr;
    lxw_format* f = nullptr;
    for (size_t row = 0; row < sheet.m_rows.size(); ++row)
        for (size_t col = 0; col < sheet.m_rows[row].size(); ++col) {
            const Sheet::Slot& slot = sheet.m_rows[row][col];
            if (!slot.set)
                continue;
            const Cell& cell = slot.cell;
            const lxw_row_t r = lxw_row_t(row);
            const lxw_col_t c = lxw_col_t(col);
            if (!lastStyle || lastStyle->operator<(cell.style) || cell.style < *lastStyle) {
                f = writer.format(cell.style);
                lastStyle = &cell.style;
            }
            lxw_error e = LXW_NO_ERROR;
            if (const auto* t = std::get_if<QString>(&cell.value)) {
                if (t->isEmpty()) {
                    e = worksheet_write_blank(ws, r, c, f);
                } else {
                    const QByteArray text = t->toUtf8();
                    e = worksheet_write_string(ws, r, c, text.constData(), f);
                }
            } else if (const auto* d = std::get_if<double>(&cell.value)) {
                e = worksheet_write_number(ws, r, c, *d, f);
            } else {
                const Formula& fm = std::get<Formula>(cell.value);
                const QByteArray expr = (QLatin1Char('=') + fm.expression).toUtf8();
                e = worksheet_write_formula_num(ws, r, c, expr.constData(), f, fm.value);
            }
            if (e != LXW_NO_ERROR)
                return e;
        }
    for (const auto& m : sheet.m_merges) {
        const QByteArray text = m.text.toUtf8();
        const lxw_error e =
            worksheet_merge_range(ws, lxw_row_t(m.row), lxw_col_t(m.firstCol), lxw_row_t(m.row),
                                  lxw_col_t(m.lastCol), text.constData(), writer.format(m.style));
        if (e != LXW_NO_ERROR)
            return e;
    }
    return LXW_NO_ERROR;
}

Sheet& Workbook::addSheet(const QString& name) {
    QSet<QString> taken;
    for (const Sheet& s : m_sheets)
        taken.insert(s.name().toLower());
    m_sheets.emplace_back(SheetName(name, taken));
    return m_sheets.back();
}

bool Workbook::save(const QString& path, QString* error) const {
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    auto fail = [&](const QString& head, const QString& reason) {
        *error = head + QStringLiteral("\r") + path +
                 (reason.isEmpty() ? QString() : QStringLiteral("\r") + reason);
        return false;
    };
    if (!QFileInfo(folder).isDir())
        return fail(MsgText::CannotCreateExcel(), MsgText::NoFolder());
    if (target.exists() && !target.isWritable())
        return fail(MsgText::CannotWriteExcel(),
                    QStringLiteral("ファイルが他で使用中か、書き込みが禁止されています。"));

    // The library writes the workbook where its own work files are; the bytes then replace the
    // target in one step, so a failure there leaves the old file and says why.
    QTemporaryDir work;
    if (!work.isValid())
        return fail(MsgText::CannotCreateExcel(), work.errorString());
    const QString temp = work.filePath(QStringLiteral("book.xlsx"));
    const QByteArray tempName = QFile::encodeName(temp);
    lxw_workbook* book = workbook_new(tempName.constData());
    if (!book)
        return fail(MsgText::CannotCreateExcel(), QString());
    Writer writer(book);
    lxw_error problem = LXW_NO_ERROR;
    for (const Sheet& sheet : m_sheets) {
        problem = SheetWriter::write(book, writer, sheet);
        if (problem != LXW_NO_ERROR)
            break;
    }
    if (m_sheets.empty() && problem == LXW_NO_ERROR)
        workbook_add_worksheet(book, nullptr);
    const lxw_error closed = workbook_close(book); // frees the workbook in every case
    if (problem == LXW_NO_ERROR)
        problem = closed;
    if (problem != LXW_NO_ERROR)
        return fail(MsgText::CannotWriteExcel(), QString::fromUtf8(lxw_strerror(problem)));
    QFile made(temp);
    if (!made.open(QIODevice::ReadOnly))
        return fail(MsgText::CannotWriteExcel(), made.errorString());
    FileWriteError failed;
    if (!WriteWholeFile(path, made.readAll(), &failed)) {
        *error = FileWriteFailureText(failed.created ? MsgText::CannotWriteExcel()
                                                     : MsgText::CannotCreateExcel(),
                                      path, failed);
        return false;
    }
    return true;
}

} // namespace Xlsx
