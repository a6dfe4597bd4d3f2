#include "core/masters/CsvLine.h"

namespace {

const QChar Quote = QLatin1Char('"');
const QChar Comma = QLatin1Char(',');

// The index of the quote that closes the quoted field opened at `open`; -1 when none does.
qsizetype closingQuote(const QString& line, qsizetype open) {
    const qsizetype n = line.size();
    for (qsizetype i = open + 1; i < n; ++i) {
        if (line[i] != Quote)
            continue;
        if (i + 1 == n || line[i + 1] == Comma)
            return i;
        // A doubled quote stands for one quote of the text, never for the end of the field;
        // otherwise a text holding a quote followed by a comma would not come back whole.
        if (line[i + 1] == Quote)
            ++i;
    }
    return -1;
}

// The text of a quoted field (from its opening quote to its closing one, or to the end of the
// line when it is never closed): without the surrounding quotes, doubled quotes made single.
QString unquoted(QStringView field) {
    QStringView inner = field.mid(1);
    if (inner.endsWith(Quote))
        inner.chop(1);
    if (!inner.contains(Quote))
        return inner.toString();
    QString text;
    text.reserve(inner.size());
    for (qsizetype i = 0; i < inner.size(); ++i) {
        text += inner[i];
        if (inner[i] == Quote && i + 1 < inner.size() && inner[i + 1] == Quote)
            ++i;
    }
    return text;
}

} // namespace

QStringList SplitCsvLine(const QString& line, bool* unclosed) {
    QStringList fields;
    fields.reserve(16);
    if (unclosed)
        *unclosed = false;
    const QStringView view(line);
    const qsizetype n = line.size();
    qsizetype pos = 0;
    while (pos < n) {
        QString field;
        if (line[pos] != Quote) {
            qsizetype end = line.indexOf(Comma, pos);
            if (end < 0)
                end = n;
            QStringView plain = view.mid(pos, end - pos);
            pos = end + 1;
            if (plain.startsWith(QLatin1Char('\\')))
                plain = plain.mid(1);
            field = plain.toString();
        } else {
            qsizetype close = closingQuote(line, pos);
            if (close < 0) {
                close = n - 1;
                if (unclosed)
                    *unclosed = true;
            }
            field = unquoted(view.mid(pos, close - pos + 1));
            pos = close + 2;
        }
        fields << std::move(field);
    }
    return fields;
}

QString QuoteCsvField(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return Quote + s + Quote;
}

QString CsvText(const QString& text) {
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return QuoteCsvField(text);
    return text;
}

QStringList SplitTextLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    return lines;
}
