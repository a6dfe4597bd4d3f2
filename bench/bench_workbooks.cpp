// The employee workbook of a 10,000-employee company: read, composed and saved as the employee
// screen's "Excel保存" and `employees export --xlsx` do. Prints the median beside its floor:
// libxlsxwriter alone writing the same cells, taken from the composed sheet beforehand.
// build/bench/bench_workbooks [runs] (bench/check runs it too).
#include "data/masters/EmployeeTransfer.h"
#include "data/report/ReportHeaders.h"
#include "render/workbook/EmployeeWorkbook.h"
#include "support/data/TestSupport.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>
#include <xlsxwriter.h>

namespace {

// Wall-clock milliseconds; the processor time of the process goes into `cpu`, which tells the
// work apart from waiting on a machine other work shares.
template <typename F> double timed(F&& f, double* cpu) {
    QElapsedTimer t;
    t.start();
    const std::clock_t c = std::clock();
    f();
    *cpu += double(std::clock() - c) * 1000.0 / CLOCKS_PER_SEC;
    return double(t.nsecsElapsed()) / 1e6;
}

// A cell as the library takes it.
struct FloorCell {
    lxw_row_t row;
    lxw_col_t col;
    int kind; // 0 text, 1 number, 2 formula with its value
    QByteArray text;
    double number;
    int style;
};

std::vector<FloorCell> floorCellsOf(const Xlsx::Sheet& sheet,
                                    std::vector<Xlsx::CellStyle>& styles) {
    std::vector<FloorCell> cells;
    const int rows = sheet.rowCount(), columns = sheet.columnCount();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const Xlsx::Cell* cell = sheet.cell(r, c);
            if (!cell)
                continue;
            const auto known = std::find_if(styles.begin(), styles.end(), [&](const auto& s) {
                return !(s < cell->style) && !(cell->style < s);
            });
            const int style = int(known - styles.begin());
            if (known == styles.end())
                styles.push_back(cell->style);
            FloorCell f{lxw_row_t(r), lxw_col_t(c), 0, {}, 0, style};
            if (const auto* t = std::get_if<QString>(&cell->value)) {
                f.text = t->toUtf8();
            } else if (const auto* d = std::get_if<double>(&cell->value)) {
                f.kind = 1;
                f.number = *d;
            } else {
                const auto& formula = std::get<Xlsx::Formula>(cell->value);
                f.kind = 2;
                f.text = (QLatin1Char('=') + formula.expression).toUtf8();
                f.number = formula.value;
            }
            cells.push_back(std::move(f));
        }
    return cells;
}

// The same cells written by the library directly, with a format for each style.
bool writeFloor(const std::vector<FloorCell>& cells, const std::vector<Xlsx::CellStyle>& styles,
                const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    lxw_workbook* book = workbook_new(name.constData());
    lxw_worksheet* sheet = workbook_add_worksheet(book, "社員一覧");
    std::vector<lxw_format*> formats;
    for (const Xlsx::CellStyle& s : styles) {
        lxw_format* f = workbook_add_format(book);
        format_set_font_name(f, "ＭＳ Ｐゴシック");
        format_set_font_size(f, 10);
        if (s.format == Xlsx::NumberFormat::Integer)
            format_set_num_format(f, "#,##0");
        else if (s.format == Xlsx::NumberFormat::Date)
            format_set_num_format(f, "yyyy/mm/dd");
        if (s.bold)
            format_set_bold(f);
        if (s.border || s.header)
            format_set_border(f, LXW_BORDER_THIN);
        formats.push_back(f);
    }
    for (const FloorCell& c : cells) {
        lxw_format* f = formats[size_t(c.style)];
        if (c.kind == 1)
            worksheet_write_number(sheet, c.row, c.col, c.number, f);
        else if (c.kind == 2)
            worksheet_write_formula_num(sheet, c.row, c.col, c.text.constData(), f, c.number);
        else if (c.text.isEmpty())
            worksheet_write_blank(sheet, c.row, c.col, f);
        else
            worksheet_write_string(sheet, c.row, c.col, c.text.constData(), f);
    }
    return workbook_close(book) == LXW_NO_ERROR;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    TestEnvironment env;
    env.setToday(QDate(2024, 4, 1));
    env.openDatabases();
    GrowSampleCompany(env, 10000);
    env.openCompany(1, 2023);
    const QString path = env.appDir() + QStringLiteral("社員一覧.xlsx");

    std::vector<double> load, compose, save, total, cpu;
    bool ok = true;
    for (int i = 0; i < runs; ++i) {
        std::optional<QVector<EmployeeSheetRow>> rows;
        Xlsx::Workbook book;
        double processor = 0;
        const double l = timed([&] { rows = LoadEmployeeSheet({1, 2023}); }, &processor);
        ok = ok && rows && rows->size() == 10000;
        const double c = timed(
            [&] {
                if (rows)
                    book = ComposeEmployeeWorkbook(EmployeeSheetHeaderOf(env.project), *rows);
            },
            &processor);
        QString error;
        const double s = timed([&] { ok = ok && book.save(path, &error); }, &processor);
        if (!error.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(error));
        load.push_back(l);
        compose.push_back(c);
        save.push_back(s);
        total.push_back(l + c + s);
        cpu.push_back(processor);
    }
    if (!ok) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::vector<Xlsx::CellStyle> styles;
    const Xlsx::Workbook composed =
        ComposeEmployeeWorkbook(EmployeeSheetHeaderOf(env.project), *LoadEmployeeSheet({1, 2023}));
    const std::vector<FloorCell> cells = floorCellsOf(composed.sheets().front(), styles);
    std::vector<double> floor;
    for (int i = 0; i < runs; ++i) {
        double processor = 0;
        floor.push_back(timed(
            [&] { ok = writeFloor(cells, styles, env.appDir() + QStringLiteral("f.xlsx")) && ok; },
            &processor));
    }
    if (!ok) {
        std::fprintf(stderr, "the floor failed\n");
        return 1;
    }
    PrintAgainstFloor("workbook", "employee workbook of 10,000 employees (read, compose, save)",
                      total, floor, "libxlsxwriter alone writing the same cells");
    std::printf("employee workbook, median over %d runs:\n", runs);
    std::printf("  read from VSYAIN          %8.1f ms\n", Median(load));
    std::printf("  compose                   %8.1f ms\n", Median(compose));
    std::printf("  save .xlsx                %8.1f ms\n", Median(save));
    std::printf("  total                     %8.1f ms\n", Median(total));
    std::printf("  total processor time      %8.1f ms\n", Median(cpu));
    return 0;
}
