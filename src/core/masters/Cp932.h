#pragma once

#include <QByteArray>
#include <QString>

// Text in the Japanese Windows code page (CP932, Windows-31J) through the C library's iconv.
namespace Cp932 {

// Decodes the bytes. False when a byte sequence is not CP932; badOffset then gets the offset of
// its first byte.
bool decode(const QByteArray& bytes, QString& text, qsizetype* badOffset = nullptr);

// Encodes the text. False when a character has no CP932 code of its own (it would be dropped
// or come back as another character); badIndex then gets its index in the text.
bool encode(const QString& text, QByteArray& bytes, qsizetype* badIndex = nullptr);

// The character (one code point, surrogate pairs whole) at the index, for messages.
QString characterAt(const QString& text, qsizetype index);

} // namespace Cp932

// A text file as the employee import reads it: UTF-8 when it starts with the byte-order mark,
// otherwise CP932. False when it does not decode; badLine gets the 1-based line of the fault.
bool DecodeTextFile(const QByteArray& bytes, QString& text, int* badLine = nullptr);
