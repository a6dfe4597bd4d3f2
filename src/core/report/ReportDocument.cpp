#include "core/report/ReportDocument.h"

#include "core/common/FileWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

const QByteArray FormatName = "tesvane-report";

// The writer is hand-made: a 10,000-employee report has some 150,000 operations and building
// them as QJsonValues first costs more than composing the report.
void appendString(QByteArray& out, const QString& s) {
    out += '"';
    const QByteArray utf8 = s.toUtf8();
    // Most texts need no escape: they go in whole.
    const bool plain = std::none_of(
        utf8.begin(), utf8.end(), [](char c) { return c == '"' || c == '\\' || uchar(c) < 0x20; });
    if (plain) {
        out += utf8;
        out += '"';
        return;
    }
    for (char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (uchar(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(uchar(c)));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

// Numbers written straight into the buffer: a large report has millions of them.
void appendInts(QByteArray& out, std::initializer_list<int> values) {
    char buf[16 * 12];
    char* at = buf;
    for (int v : values) {
        if (at != buf)
            *at++ = ',';
        at = std::to_chars(at, buf + sizeof buf, v).ptr;
    }
    out.append(buf, at - buf);
}

int alignCode(TextAlign a) {
    return int(a);
}

struct Bad {
    QString text;
};

int intAt(const QJsonArray& a, int i) {
    const QJsonValue v = a.at(i);
    if (!v.isDouble())
        throw Bad{QStringLiteral("数値であるべき所に別の値があります")};
    return v.toInt();
}

} // namespace

int ReportDocument::fontIndex(const QString& family) {
    int i = int(fonts.indexOf(family));
    if (i < 0) {
        fonts << family;
        i = int(fonts.size()) - 1;
    }
    return i;
}

QByteArray ReportDocumentJson(const ReportDocument& doc) {
    QByteArray out;
    qsizetype size = 256;
    for (const ReportPage& page : doc.pages)
        size += 40 * page.boxes.size() + 36 * page.lines.size() + 64 * page.texts.size() + 40;
    out.reserve(size);
    out += "{\"format\":\"" + FormatName + "\",\"version\":1,\"name\":";
    appendString(out, doc.name);
    out += ",\"page\":{\"width\":" + QByteArray::number(doc.pageWidth) +
           ",\"height\":" + QByteArray::number(doc.pageHeight) + ",\"orientation\":\"" +
           (doc.orientation == PageOrientation::Landscape ? "landscape" : "portrait") +
           "\"},\"fonts\":[";
    for (int i = 0; i < doc.fonts.size(); ++i) {
        if (i)
            out += ',';
        appendString(out, doc.fonts[i]);
    }
    out += "],\"pages\":[";
    for (int p = 0; p < doc.pages.size(); ++p) {
        const ReportPage& page = doc.pages[p];
        out += p ? ",\n{\"boxes\":[" : "\n{\"boxes\":[";
        for (int i = 0; i < page.boxes.size(); ++i) {
            const ReportBox& b = page.boxes[i];
            out += i ? ",[" : "[";
            appendInts(out, {b.rect.left, b.rect.top, b.rect.right, b.rect.bottom, b.width});
            out += ',';
            appendString(out, b.fill);
            out += ']';
        }
        out += "],\"lines\":[";
        for (int i = 0; i < page.lines.size(); ++i) {
            const ReportLine& l = page.lines[i];
            out += i ? ",[" : "[";
            appendInts(out, {l.from.x(), l.from.y(), l.to.x(), l.to.y(), l.width, l.style});
            out += ']';
        }
        out += "],\"texts\":[";
        for (int i = 0; i < page.texts.size(); ++i) {
            const ReportText& t = page.texts[i];
            out += i ? ",\n[" : "\n[";
            appendInts(out, {t.box.left, t.box.top, t.box.right, t.box.bottom, t.font, t.size,
                             (t.bold ? 1 : 0) | (t.fit ? 2 : 0), alignCode(t.align)});
            out += ',';
            appendString(out, t.text);
            out += ']';
        }
        out += "]}";
    }
    out += "]}\n";
    return out;
}

std::optional<ReportDocument> ParseReportDocument(const QByteArray& json, QString* error) {
    QJsonParseError pe;
    const QJsonDocument jd = QJsonDocument::fromJson(json, &pe);
    const QJsonObject root = jd.object();
    if (pe.error != QJsonParseError::NoError || !jd.isObject() ||
        root.value(QStringLiteral("format")).toString() != QLatin1String(FormatName) ||
        root.value(QStringLiteral("version")).toInt() != 1) {
        *error = QStringLiteral("帳票の作業ファイルではありません。");
        return std::nullopt;
    }
    ReportDocument doc;
    try {
        doc.name = root.value(QStringLiteral("name")).toString();
        const QJsonObject page = root.value(QStringLiteral("page")).toObject();
        doc.pageWidth = page.value(QStringLiteral("width")).toInt();
        doc.pageHeight = page.value(QStringLiteral("height")).toInt();
        if (doc.pageWidth <= 0 || doc.pageHeight <= 0)
            throw Bad{QStringLiteral("用紙の大きさがありません")};
        doc.orientation =
            page.value(QStringLiteral("orientation")).toString() == QStringLiteral("landscape")
                ? PageOrientation::Landscape
                : PageOrientation::Portrait;
        for (const QJsonValue& f : root.value(QStringLiteral("fonts")).toArray())
            doc.fonts << f.toString();
        const QJsonArray pages = root.value(QStringLiteral("pages")).toArray();
        doc.pages.reserve(pages.size());
        for (const QJsonValue& pv : pages) {
            const QJsonObject po = pv.toObject();
            ReportPage p;
            for (const QJsonValue& v : po.value(QStringLiteral("boxes")).toArray()) {
                const QJsonArray a = v.toArray();
                if (a.size() != 6)
                    throw Bad{QStringLiteral("枠の記録が壊れています")};
                p.boxes.push_back({{intAt(a, 0), intAt(a, 1), intAt(a, 2), intAt(a, 3)},
                                   intAt(a, 4),
                                   a.at(5).toString()});
            }
            for (const QJsonValue& v : po.value(QStringLiteral("lines")).toArray()) {
                const QJsonArray a = v.toArray();
                if (a.size() != 6)
                    throw Bad{QStringLiteral("罫線の記録が壊れています")};
                p.lines.push_back({QPoint(intAt(a, 0), intAt(a, 1)),
                                   QPoint(intAt(a, 2), intAt(a, 3)), intAt(a, 4), intAt(a, 5)});
            }
            for (const QJsonValue& v : po.value(QStringLiteral("texts")).toArray()) {
                const QJsonArray a = v.toArray();
                if (a.size() != 9 || !a.at(8).isString())
                    throw Bad{QStringLiteral("文字の記録が壊れています")};
                ReportText t;
                t.box = {intAt(a, 0), intAt(a, 1), intAt(a, 2), intAt(a, 3)};
                t.font = intAt(a, 4);
                if (t.font < 0 || t.font >= doc.fonts.size())
                    throw Bad{QStringLiteral("文字の書体が記録にありません")};
                t.size = intAt(a, 5);
                const int flags = intAt(a, 6);
                t.bold = flags & 1;
                t.fit = flags & 2;
                const int align = intAt(a, 7);
                if (align < 0 || align > 2)
                    throw Bad{QStringLiteral("文字の揃えが壊れています")};
                t.align = TextAlign(align);
                t.text = a.at(8).toString();
                p.texts.push_back(std::move(t));
            }
            doc.pages.push_back(std::move(p));
        }
    } catch (const Bad& b) {
        *error =
            QStringLiteral("帳票の作業ファイルが壊れています（") + b.text + QStringLiteral("）。");
        return std::nullopt;
    }
    return doc;
}

bool SaveReportDocument(const ReportDocument& doc, const QString& path, QString* error) {
    FileWriteError failed;
    if (!WriteWholeFile(path, ReportDocumentJson(doc), &failed)) {
        *error = FileWriteFailureText(failed.created
                                          ? QStringLiteral("帳票の作業ファイルを書き込めません。")
                                          : QStringLiteral("帳票の作業ファイルを作成できません。"),
                                      path, failed);
        return false;
    }
    return true;
}

std::optional<ReportDocument> LoadReportDocument(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral("が見つかりません");
        return std::nullopt;
    }
    QString why;
    std::optional<ReportDocument> doc = ParseReportDocument(file.readAll(), &why);
    if (!doc)
        *error = path + QStringLiteral("\r") + why;
    return doc;
}
