#include "support/core/XlsxReader.h"

#include <QFile>
#include <QMap>
#include <QXmlStreamReader>

#include <zlib.h>

namespace {

quint32 U32(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData() + at);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}
quint16 U16(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData() + at);
    return quint16(p[0] | p[1] << 8);
}

// The members of a zip archive, unpacked.
bool Unzip(const QByteArray& zip, QMap<QString, QByteArray>* files, QString* error) {
    qsizetype end = -1;
    for (qsizetype i = zip.size() - 22; i >= 0; --i)
        if (U32(zip, i) == 0x06054b50) {
            end = i;
            break;
        }
    if (end < 0) {
        *error = QStringLiteral("no end of central directory");
        return false;
    }
    const int count = U16(zip, end + 10);
    qsizetype at = U32(zip, end + 16);
    for (int n = 0; n < count; ++n) {
        if (at + 46 > zip.size() || U32(zip, at) != 0x02014b50) {
            *error = QStringLiteral("broken central directory");
            return false;
        }
        const int method = U16(zip, at + 10);
        const quint32 packed = U32(zip, at + 20), size = U32(zip, at + 24);
        const int nameLen = U16(zip, at + 28), extraLen = U16(zip, at + 30),
                  commentLen = U16(zip, at + 32);
        const qsizetype local = U32(zip, at + 42);
        const QString name = QString::fromUtf8(zip.mid(at + 46, nameLen));
        at += 46 + nameLen + extraLen + commentLen;
        const qsizetype data = local + 30 + U16(zip, local + 26) + U16(zip, local + 28);
        const QByteArray raw = zip.mid(data, packed);
        if (method == 0) {
            files->insert(name, raw);
            continue;
        }
        QByteArray out(qsizetype(size), '\0');
        z_stream s{};
        if (inflateInit2(&s, -MAX_WBITS) != Z_OK) {
            *error = QStringLiteral("zlib");
            return false;
        }
        s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.constData()));
        s.avail_in = uInt(raw.size());
        s.next_out = reinterpret_cast<Bytef*>(out.data());
        s.avail_out = uInt(out.size());
        const int r = inflate(&s, Z_FINISH);
        inflateEnd(&s);
        if (r != Z_STREAM_END) {
            *error = QStringLiteral("cannot inflate ") + name;
            return false;
        }
        files->insert(name, out);
    }
    return true;
}

QString BuiltInFormat(int id) {
    static const QHash<int, QString> known{
        {0, QStringLiteral("General")},  {1, QStringLiteral("0")},
        {2, QStringLiteral("0.00")},     {3, QStringLiteral("#,##0")},
        {4, QStringLiteral("#,##0.00")}, {9, QStringLiteral("0%")},
        {10, QStringLiteral("0.00%")},   {14, QStringLiteral("yyyy/mm/dd")}};
    return known.value(id, QStringLiteral("builtin:%1").arg(id));
}

} // namespace

const XlsxCell* XlsxSheet::at(const QString& ref) const {
    const auto it = cells.constFind(ref);
    return it == cells.constEnd() ? nullptr : &*it;
}

double XlsxSheet::number(const QString& ref) const {
    const XlsxCell* c = at(ref);
    return c && c->isNumber ? c->number : 0;
}

QString XlsxSheet::text(const QString& ref) const {
    const XlsxCell* c = at(ref);
    return c ? c->text : QString();
}

bool XlsxReader::open(const QString& path) {
    m_sheets.clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m_error = f.errorString();
        return false;
    }
    QMap<QString, QByteArray> files;
    if (!Unzip(f.readAll(), &files, &m_error))
        return false;

    QStringList shared;
    {
        QXmlStreamReader x(files.value(QStringLiteral("xl/sharedStrings.xml")));
        QString current;
        bool inSi = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("si")) {
                inSi = true;
                current.clear();
            } else if (x.isStartElement() && x.name() == QLatin1String("t") && inSi) {
                current += x.readElementText();
            } else if (x.isEndElement() && x.name() == QLatin1String("si")) {
                shared.append(current);
                inSi = false;
            }
        }
    }

    // Styles: each cell style index gives a number format and whether its font is bold.
    QList<QString> styleFormat;
    QList<bool> styleBold;
    {
        QHash<int, QString> custom;
        QList<bool> fontBold;
        QXmlStreamReader x(files.value(QStringLiteral("xl/styles.xml")));
        QString section;
        while (!x.atEnd()) {
            x.readNext();
            if (!x.isStartElement())
                continue;
            const auto n = x.name();
            if (n == QLatin1String("fonts") || n == QLatin1String("cellXfs") ||
                n == QLatin1String("cellStyleXfs"))
                section = n.toString();
            else if (n == QLatin1String("numFmt"))
                custom.insert(x.attributes().value(QLatin1String("numFmtId")).toInt(),
                              x.attributes().value(QLatin1String("formatCode")).toString());
            else if (n == QLatin1String("font") && section == QLatin1String("fonts"))
                fontBold.append(false);
            else if (n == QLatin1String("b") && section == QLatin1String("fonts") &&
                     !fontBold.isEmpty())
                fontBold.last() = true;
            else if (n == QLatin1String("xf") && section == QLatin1String("cellXfs")) {
                const int id = x.attributes().value(QLatin1String("numFmtId")).toInt();
                const int font = x.attributes().value(QLatin1String("fontId")).toInt();
                styleFormat.append(custom.contains(id) ? custom.value(id) : BuiltInFormat(id));
                styleBold.append(font < fontBold.size() && fontBold.at(font));
            }
        }
    }

    // Sheets in workbook order, their files through the relationships.
    QHash<QString, QString> targets;
    {
        QXmlStreamReader x(files.value(QStringLiteral("xl/_rels/workbook.xml.rels")));
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement &&
                x.name() == QLatin1String("Relationship"))
                targets.insert(x.attributes().value(QLatin1String("Id")).toString(),
                               x.attributes().value(QLatin1String("Target")).toString());
    }
    QHash<int, QString> titles;
    {
        QXmlStreamReader x(files.value(QStringLiteral("xl/workbook.xml")));
        QStringList order;
        while (!x.atEnd()) {
            x.readNext();
            if (!x.isStartElement())
                continue;
            if (x.name() == QLatin1String("sheet")) {
                XlsxSheet s;
                s.name = x.attributes().value(QLatin1String("name")).toString();
                order.append(targets.value(x.attributes().value(QLatin1String("r:id")).toString()));
                m_sheets.append(s);
            } else if (x.name() == QLatin1String("definedName") &&
                       x.attributes().value(QLatin1String("name")) ==
                           QLatin1String("_xlnm.Print_Titles")) {
                const int sheet = x.attributes().value(QLatin1String("localSheetId")).toInt();
                const QString v = x.readElementText();
                titles.insert(sheet, v.mid(v.lastIndexOf(QLatin1Char('!')) + 1));
            }
        }
        for (int i = 0; i < m_sheets.size(); ++i) {
            XlsxSheet& s = m_sheets[i];
            s.printTitles = titles.value(i);
            QXmlStreamReader w(files.value(QStringLiteral("xl/") + order.at(i)));
            XlsxCell cell;
            QString ref, type;
            while (!w.atEnd()) {
                w.readNext();
                if (w.isStartElement()) {
                    const auto n = w.name();
                    const auto a = w.attributes();
                    if (n == QLatin1String("pane") &&
                        a.value(QLatin1String("state")) == QLatin1String("frozen"))
                        s.frozenRows = a.value(QLatin1String("ySplit")).toInt();
                    else if (n == QLatin1String("pageSetup"))
                        s.paperSize = a.value(QLatin1String("paperSize")).toInt();
                    else if (n == QLatin1String("mergeCell"))
                        s.merges.append(a.value(QLatin1String("ref")).toString());
                    else if (n == QLatin1String("col")) {
                        const int first = a.value(QLatin1String("min")).toInt() - 1;
                        const int last = a.value(QLatin1String("max")).toInt() - 1;
                        for (int c = first; c <= last; ++c)
                            s.columnWidths.insert(c, a.value(QLatin1String("width")).toDouble());
                    } else if (n == QLatin1String("c")) {
                        cell = XlsxCell();
                        ref = a.value(QLatin1String("r")).toString();
                        type = a.value(QLatin1String("t")).toString();
                        const int style = a.value(QLatin1String("s")).toInt();
                        cell.format = style < styleFormat.size() ? styleFormat.at(style)
                                                                 : QStringLiteral("General");
                        cell.bold = style < styleBold.size() && styleBold.at(style);
                    } else if (n == QLatin1String("f")) {
                        cell.formula = w.readElementText();
                    } else if (n == QLatin1String("v")) {
                        const QString v = w.readElementText();
                        if (type == QLatin1String("s")) {
                            cell.text = shared.value(v.toInt());
                        } else if (type == QLatin1String("str")) {
                            cell.text = v;
                        } else {
                            cell.text = v;
                            cell.number = v.toDouble(&cell.isNumber);
                        }
                    } else if (n == QLatin1String("t") && type == QLatin1String("inlineStr")) {
                        cell.text = w.readElementText();
                    }
                } else if (w.isEndElement() && w.name() == QLatin1String("c")) {
                    s.cells.insert(ref, cell);
                }
            }
        }
    }
    return true;
}

QStringList XlsxReader::sheetNames() const {
    QStringList names;
    for (const XlsxSheet& s : m_sheets)
        names.append(s.name);
    return names;
}

const XlsxSheet* XlsxReader::sheet(const QString& name) const {
    for (const XlsxSheet& s : m_sheets)
        if (s.name == name)
            return &s;
    return nullptr;
}

const XlsxSheet* XlsxReader::sheet(int index) const {
    return index >= 0 && index < m_sheets.size() ? &m_sheets.at(index) : nullptr;
}
