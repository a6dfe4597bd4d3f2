#include "core/masters/Cp932.h"

#include <QStringDecoder>
#include <cerrno>
#include <iconv.h>

namespace {

// One conversion descriptor per direction, opened on first use and kept: opening costs far
// more than converting one employee's fields.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != iconv_t(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of `in`; false at the first sequence that does not convert, with the
    // offset of that sequence in `in`.
    bool run(const char* in, size_t inSize, QByteArray& out, size_t* badOffset) {
        if (m_cd == iconv_t(-1)) {
            if (badOffset)
                *badOffset = 0;
            return false;
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.resize(qsizetype(inSize * 2 + 16));
        char* src = const_cast<char*>(in);
        size_t srcLeft = inSize;
        char* dst = out.data();
        size_t dstLeft = size_t(out.size());
        while (srcLeft > 0) {
            if (iconv(m_cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1))
                break;
            if (errno == E2BIG) {
                const qsizetype used = dst - out.data();
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = size_t(out.size() - used);
                continue;
            }
            // EILSEQ, or EINVAL for a sequence cut off at the end of the input.
            if (badOffset)
                *badOffset = size_t(src - in);
            return false;
        }
        out.resize(dst - out.data());
        return true;
    }

private:
    iconv_t m_cd;
};

Converter& decoder() {
    thread_local Converter c("UTF-16LE", "CP932");
    return c;
}
Converter& encoder() {
    thread_local Converter c("CP932", "UTF-16LE");
    return c;
}

bool isAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

int lineOf(const QByteArray& bytes, qsizetype offset) {
    return int(bytes.left(offset).count('\n')) + 1;
}

} // namespace

namespace Cp932 {

bool decode(const QByteArray& bytes, QString& text, qsizetype* badOffset) {
    bool ascii = true;
    for (char c : bytes)
        if (uchar(c) >= 0x80) {
            ascii = false;
            break;
        }
    // CP932 keeps ASCII as it is (0x5C is the backslash, 0x7E the tilde).
    if (ascii) {
        text = QString::fromLatin1(bytes);
        return true;
    }
    QByteArray utf16;
    size_t bad = 0;
    if (!decoder().run(bytes.constData(), size_t(bytes.size()), utf16, &bad)) {
        if (badOffset)
            *badOffset = qsizetype(bad);
        return false;
    }
    text = QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
    return true;
}

bool encode(const QString& text, QByteArray& bytes, qsizetype* badIndex) {
    if (isAscii(text)) {
        bytes = text.toLatin1();
        return true;
    }
    size_t bad = 0;
    if (!encoder().run(reinterpret_cast<const char*>(text.utf16()), size_t(text.size()) * 2, bytes,
                       &bad)) {
        if (badIndex)
            *badIndex = qsizetype(bad / 2);
        return false;
    }
    // iconv maps a few characters one way only (the wave dash 〜 becomes the code of the
    // full-width tilde ～); what does not come back unchanged counts as not held.
    QString back;
    if (!decode(bytes, back) || back != text) {
        qsizetype i = 0;
        while (i < text.size() && i < back.size() && text[i] == back[i])
            ++i;
        if (i > 0 && i < text.size() && text[i].isLowSurrogate())
            --i;
        if (badIndex)
            *badIndex = i;
        return false;
    }
    return true;
}

QString characterAt(const QString& text, qsizetype index) {
    if (index < 0 || index >= text.size())
        return {};
    if (text[index].isHighSurrogate() && index + 1 < text.size())
        return text.mid(index, 2);
    return text.mid(index, 1);
}

} // namespace Cp932

bool DecodeTextFile(const QByteArray& bytes, QString& text, int* badLine) {
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom)) {
        const QByteArray body = bytes.mid(bom.size());
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8.decode(body);
        if (!utf8.hasError())
            return true;
        // Find the line of the first bad sequence by decoding line by line.
        int line = 1;
        qsizetype start = 0;
        while (start <= body.size()) {
            qsizetype end = body.indexOf('\n', start);
            if (end < 0)
                end = body.size();
            QStringDecoder one(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString part = one.decode(body.mid(start, end - start));
            Q_UNUSED(part);
            if (one.hasError())
                break;
            ++line;
            start = end + 1;
        }
        if (badLine)
            *badLine = line;
        return false;
    }
    qsizetype bad = 0;
    if (!Cp932::decode(bytes, text, &bad)) {
        if (badLine)
            *badLine = lineOf(bytes, bad);
        return false;
    }
    return true;
}
