#pragma once

#include <QString>

// What a typed or read text may hold. Texts go into one-line fields (names, numbers, codes):
// NUL would cut them where they are stored, TAB and line breaks would break the files they are
// written to, and the other control characters show as nothing. Only boxes that hold several
// lines (remarks, explanations) keep their line breaks.

// The position of the first character the text may not hold; -1 when there is none.
qsizetype ForbiddenCharAt(const QString& text, bool multiLine = false);
// A control character as the user is told of it: "NUL", "TAB", "改行" or its code "U+001B".
QString ControlCharName(QChar c);
// Empty when the text is fit for a field named `field` of at most `maxChars` characters
// (counted as the user sees them), else why not: "社員名に制御文字（NUL）があります",
// "社員名が 20 文字を超えています（25 文字）".
QString CheckFieldText(const QString& text, const QString& field, int maxChars,
                       bool multiLine = false);
// The characters of a text as the user counts them (a pair of surrogates is one).
qsizetype CharacterCount(const QString& text);
