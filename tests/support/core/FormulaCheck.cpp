#include "support/core/FormulaCheck.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct Ref {
    int row = -1, col = -1;
};

Ref refOf(const QString& name) {
    static const QRegularExpression re(QStringLiteral("^\\$?([A-Z]+)\\$?([0-9]+)$"));
    const QRegularExpressionMatch m = re.match(name);
    if (!m.hasMatch())
        return {};
    int col = 0;
    for (QChar c : m.captured(1))
        col = col * 26 + (c.unicode() - 'A' + 1);
    return {m.captured(2).toInt() - 1, col - 1};
}

QString nameOf(int row, int col) {
    QString letters;
    for (int c = col + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar('A' + (c - 1) % 26));
    return letters + QString::number(row + 1);
}

class Parser {
public:
    Parser(const XlsxSheet& sheet, const QString& text) : m_sheet(sheet), m_text(text) {}

    double run() {
        const double v = expr();
        skip();
        return m_pos == m_text.size() ? v : NaN;
    }

private:
    void skip() {
        while (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char(' '))
            ++m_pos;
    }
    bool eat(QChar c) {
        skip();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    QString word() {
        skip();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() &&
               (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == QLatin1Char('$') ||
                m_text[m_pos] == QLatin1Char('.')))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }
    double cell(const Ref& r) const {
        const XlsxCell* c = m_sheet.at(nameOf(r.row, r.col));
        return c && c->isNumber ? c->number : 0;
    }
    // The numbers of a range or of one expression, for SUM and AVERAGE.
    QList<double> values(const QString& first) {
        QList<double> out;
        if (eat(QLatin1Char(':'))) {
            const Ref a = refOf(first), b = refOf(word());
            for (int r = a.row; r <= b.row; ++r)
                for (int c = a.col; c <= b.col; ++c)
                    if (const XlsxCell* x = m_sheet.at(nameOf(r, c)); x && x->isNumber)
                        out << x->number;
            return out;
        }
        out << single(first);
        return out;
    }
    double single(const QString& w) {
        bool ok = false;
        const double n = w.toDouble(&ok);
        if (ok)
            return n;
        const Ref r = refOf(w);
        return r.row >= 0 ? cell(r) : NaN;
    }
    double function(const QString& name) {
        QList<QList<double>> args;
        do {
            skip();
            const qsizetype mark = m_pos;
            const QString w = word();
            skip();
            if (refOf(w).row >= 0 && m_pos < m_text.size() && m_text[m_pos] == QLatin1Char(':')) {
                args << values(w);
                if (name == QStringLiteral("ROWS")) {
                    const QString range = m_text.mid(mark, m_pos - mark);
                    const QStringList ends = range.split(QLatin1Char(':'));
                    args.last() = {double(refOf(ends[1]).row - refOf(ends[0]).row + 1)};
                }
            } else {
                m_pos = mark;
                args << QList<double>{expr()};
            }
        } while (eat(QLatin1Char(',')));
        if (!eat(QLatin1Char(')')))
            return NaN;
        auto all = [&] {
            QList<double> v;
            for (const auto& a : args)
                v << a;
            return v;
        };
        if (name == QStringLiteral("SUM")) {
            double s = 0;
            for (double v : all())
                s += v;
            return s;
        }
        if (name == QStringLiteral("ROWS"))
            return args.value(0).value(0, NaN);
        if (name == QStringLiteral("AVERAGE")) {
            const QList<double> v = all();
            double s = 0;
            for (double x : v)
                s += x;
            return v.isEmpty() ? NaN : s / double(v.size());
        }
        if (name == QStringLiteral("TRUNC"))
            return std::trunc(args.value(0).value(0, NaN));
        if (name == QStringLiteral("ROUND")) {
            const double scale = std::pow(10.0, args.value(1).value(0, 0));
            const double x = args.value(0).value(0, NaN) * scale;
            return std::copysign(std::floor(std::fabs(x) + 0.5 + 1e-9), x) / scale;
        }
        return NaN;
    }
    double factor() {
        if (eat(QLatin1Char('('))) {
            const double v = expr();
            return eat(QLatin1Char(')')) ? v : NaN;
        }
        if (eat(QLatin1Char('-')))
            return -factor();
        const QString w = word();
        if (eat(QLatin1Char('(')))
            return function(w);
        return single(w);
    }
    double term() {
        double v = factor();
        for (;;) {
            if (eat(QLatin1Char('*')))
                v *= factor();
            else if (eat(QLatin1Char('/')))
                v /= factor();
            else
                return v;
        }
    }
    double expr() {
        double v = term();
        for (;;) {
            if (eat(QLatin1Char('+')))
                v += term();
            else if (eat(QLatin1Char('-')))
                v -= term();
            else
                return v;
        }
    }

    const XlsxSheet& m_sheet;
    const QString& m_text;
    qsizetype m_pos = 0;
};

} // namespace

double EvaluateFormula(const XlsxSheet& sheet, const QString& formula) {
    return Parser(sheet, formula).run();
}

QStringList FormulaMismatches(const XlsxSheet& sheet) {
    QStringList out;
    for (auto it = sheet.cells.cbegin(); it != sheet.cells.cend(); ++it) {
        if (it->formula.isEmpty())
            continue;
        const double v = EvaluateFormula(sheet, it->formula);
        if (!(std::fabs(v - it->number) <= 1e-9 * std::max(1.0, std::fabs(v))))
            out << QStringLiteral("%1 =%2 gives %3, written %4")
                       .arg(it.key(), it->formula)
                       .arg(v, 0, 'g', 12)
                       .arg(it->number, 0, 'g', 12);
    }
    return out;
}
