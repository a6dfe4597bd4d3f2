#pragma once

#include <QString>
#include <QStringList>

// Splits one line of an employee CSV file (already decoded) into its fields.
//
// A field that does not start with a double quote runs to the next comma. A quoted field runs
// to its closing quote: the next double quote, not one half of a doubled pair, that is followed
// by a comma or ends the line. Quoted fields lose their surrounding quotes and have doubled
// quotes made single; a field starting with a backslash loses it. Fields are not trimmed, and
// a comma that ends the line opens no further field. A quoted field that is never closed runs
// to the end of the line; `unclosed` (when given) says that this happened.
QStringList SplitCsvLine(const QString& line, bool* unclosed = nullptr);

// The field as the export writes text: in double quotes, every double quote inside doubled.
QString QuoteCsvField(const QString& text);

// A field of a CSV table as a spreadsheet reads it: as it is, or in double quotes (inner
// quotes doubled) when it holds a comma, a quote or a line break.
QString CsvText(const QString& text);

// The lines of a decoded text file, split at CR LF or LF; a final line ending opens no line.
QStringList SplitTextLines(const QString& text);
