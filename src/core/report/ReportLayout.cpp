#include "core/report/ReportLayout.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>

namespace {

// A fault found while reading: what is wrong and where in the file.
struct Fault {
    QString text;
};

const QString FormatName = QStringLiteral("tesvane-layout");

QString quoted(const QString& s) {
    return QStringLiteral("「") + s + QStringLiteral("」");
}

class Reader {
public:
    explicit Reader(ReportLayout& layout) : m_layout(layout) {}

    void read(const QJsonObject& root) {
        if (root.value(QStringLiteral("format")).toString() != FormatName)
            throw Fault{QStringLiteral("format が ") + FormatName +
                        QStringLiteral(" ではありません")};
        if (root.value(QStringLiteral("version")).toInt() != 1)
            throw Fault{QStringLiteral("version は 1 だけが読めます")};
        m_layout.title = root.value(QStringLiteral("title")).toString();
        readPage(object(root, QStringLiteral("page"), QStringLiteral("page")));
        m_layout.textFont = root.value(QStringLiteral("textFont")).toString();
        if (m_layout.textFont.isEmpty())
            throw Fault{QStringLiteral("textFont（DrawTextBox の書体）がありません")};
        const QJsonValue fonts = root.value(QStringLiteral("fonts"));
        if (!fonts.isUndefined()) {
            if (!fonts.isObject())
                throw Fault{QStringLiteral("fonts は名前と書体の組です")};
            const QJsonObject f = fonts.toObject();
            for (auto it = f.begin(); it != f.end(); ++it)
                m_fonts.insert(it.key(), font(it.value(), QStringLiteral("fonts.") + it.key()));
        }
        readFields(array(root, QStringLiteral("fields"), true));
        readTexts(array(root, QStringLiteral("texts"), false));
        readLines(array(root, QStringLiteral("lines"), false));
        readBoxes(array(root, QStringLiteral("boxes"), false));
    }

private:
    static QJsonObject object(const QJsonObject& o, const QString& key, const QString& where) {
        const QJsonValue v = o.value(key);
        if (!v.isObject())
            throw Fault{where + QStringLiteral(" がないか、{ } で囲まれていません")};
        return v.toObject();
    }
    static QJsonArray array(const QJsonObject& o, const QString& key, bool required) {
        const QJsonValue v = o.value(key);
        if (v.isUndefined() && !required)
            return {};
        if (!v.isArray())
            throw Fault{key + QStringLiteral(" がないか、[ ] で囲まれていません")};
        return v.toArray();
    }
    static int integer(const QJsonValue& v, const QString& where) {
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || d != std::floor(d) || std::fabs(d) > 1e7)
            throw Fault{where + QStringLiteral(" は整数（0.01 mm 単位）です")};
        return int(d);
    }

    void readPage(const QJsonObject& page) {
        const QString paper = page.value(QStringLiteral("paper")).toString();
        const std::optional<QSize> size = PaperSize(paper);
        if (!size)
            throw Fault{QStringLiteral("page.paper ") + quoted(paper) +
                        QStringLiteral(" は使えません（A3, A4, B4, B5）")};
        const QString o = page.value(QStringLiteral("orientation")).toString();
        if (o == QStringLiteral("portrait")) {
            m_layout.orientation = PageOrientation::Portrait;
            m_layout.pageWidth = size->width();
            m_layout.pageHeight = size->height();
        } else if (o == QStringLiteral("landscape")) {
            m_layout.orientation = PageOrientation::Landscape;
            m_layout.pageWidth = size->height();
            m_layout.pageHeight = size->width();
        } else {
            throw Fault{QStringLiteral("page.orientation は portrait か landscape です")};
        }
    }

    UnitRect rect(const QJsonValue& v, const QString& where) const {
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() != 4)
            throw Fault{where + QStringLiteral(".rect は [左, 上, 右, 下] の 4 つの整数です")};
        UnitRect r{integer(a[0], where + QStringLiteral(".rect")),
                   integer(a[1], where + QStringLiteral(".rect")),
                   integer(a[2], where + QStringLiteral(".rect")),
                   integer(a[3], where + QStringLiteral(".rect"))};
        if (r.right <= r.left || r.bottom <= r.top)
            throw Fault{where + QStringLiteral(".rect の右が左より、下が上より大きくありません")};
        if (r.left < 0 || r.top < 0 || r.right > m_layout.pageWidth ||
            r.bottom > m_layout.pageHeight)
            throw Fault{where + QStringLiteral(".rect が用紙からはみ出しています")};
        return r;
    }

    QPoint point(const QJsonValue& v, const QString& where) const {
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() != 2)
            throw Fault{where + QStringLiteral(" は [x, y] の 2 つの整数です")};
        const QPoint p(integer(a[0], where), integer(a[1], where));
        if (p.x() < 0 || p.y() < 0 || p.x() > m_layout.pageWidth || p.y() > m_layout.pageHeight)
            throw Fault{where + QStringLiteral(" が用紙の外です")};
        return p;
    }

    LayoutFont font(const QJsonValue& v, const QString& where) const {
        if (v.isString()) {
            const auto it = m_fonts.constFind(v.toString());
            if (it == m_fonts.cend())
                throw Fault{where + QStringLiteral(": 書体 ") + quoted(v.toString()) +
                            QStringLiteral(" が fonts にありません")};
            return *it;
        }
        if (!v.isObject())
            throw Fault{where + QStringLiteral(": 書体がないか、名前か { } ではありません")};
        const QJsonObject o = v.toObject();
        LayoutFont f;
        f.family = o.value(QStringLiteral("family")).toString();
        if (f.family.isEmpty())
            throw Fault{where + QStringLiteral(": family（書体名）がありません")};
        const double pt = o.value(QStringLiteral("size")).toDouble(0);
        if (!(pt >= 4 && pt <= 72))
            throw Fault{where + QStringLiteral(": size はポイントで 4 から 72 です")};
        f.size = int(std::lround(pt * 10));
        f.bold = o.value(QStringLiteral("bold")).toBool(false);
        return f;
    }

    static TextAlign align(const QJsonValue& v, TextAlign fallback, const QString& where) {
        if (v.isUndefined())
            return fallback;
        const QString s = v.toString();
        if (s == QStringLiteral("left"))
            return TextAlign::Left;
        if (s == QStringLiteral("right"))
            return TextAlign::Right;
        if (s == QStringLiteral("center"))
            return TextAlign::Centre;
        throw Fault{where + QStringLiteral(".align は left, right, center のどれかです")};
    }

    static int style(const QJsonValue& v, const QString& where) {
        if (v.isUndefined())
            return 0;
        static const QStringList names = {QStringLiteral("solid"), QStringLiteral("dash"),
                                          QStringLiteral("dot"), QStringLiteral("dashdot")};
        const int i = int(names.indexOf(v.toString()));
        if (i < 0)
            throw Fault{where + QStringLiteral(".style は solid, dash, dot, dashdot のどれかです")};
        return i;
    }

    int width(const QJsonValue& v, const QString& where, int fallback) const {
        if (v.isUndefined())
            return fallback;
        const int w = integer(v, where + QStringLiteral(".width"));
        if (w < -1 || w > 500)
            throw Fault{where + QStringLiteral(".width は -1 から 500 です")};
        return w;
    }

    void readFields(const QJsonArray& fields) {
        static const QRegularExpression name(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
        for (int i = 0; i < fields.size(); ++i) {
            QString where = QStringLiteral("fields[%1]").arg(i);
            if (!fields[i].isObject())
                throw Fault{where + QStringLiteral(" が { } ではありません")};
            const QJsonObject o = fields[i].toObject();
            LayoutField f;
            f.name = o.value(QStringLiteral("name")).toString();
            if (!name.match(f.name).hasMatch())
                throw Fault{where + QStringLiteral(": name は英字で始まる英数字です")};
            where += QStringLiteral(" (") + f.name + QLatin1Char(')');
            const QString key = f.name.toUpper();
            if (m_layout.fieldIndex.contains(key))
                throw Fault{where + QStringLiteral(": 同じ名前の項目が二つあります")};
            f.rect = rect(o.value(QStringLiteral("rect")), where);
            f.detail = o.value(QStringLiteral("detail")).toBool(false);
            f.align = align(o.value(QStringLiteral("align")), TextAlign::Left, where);
            if (!f.detail || o.contains(QStringLiteral("font")))
                f.font = font(o.value(QStringLiteral("font")), where);
            m_layout.fieldIndex.insert(key, int(m_layout.fields.size()));
            m_layout.fields.push_back(f);
        }
    }

    void readTexts(const QJsonArray& texts) {
        for (int i = 0; i < texts.size(); ++i) {
            const QString where = QStringLiteral("texts[%1]").arg(i);
            const QJsonObject o = texts[i].toObject();
            LayoutText t;
            t.rect = rect(o.value(QStringLiteral("rect")), where);
            if (!o.value(QStringLiteral("text")).isString())
                throw Fault{where + QStringLiteral(": text（印字する文字）がありません")};
            t.text = o.value(QStringLiteral("text")).toString();
            t.font = font(o.value(QStringLiteral("font")), where);
            t.align = align(o.value(QStringLiteral("align")), TextAlign::Centre, where);
            m_layout.texts.push_back(t);
        }
    }

    void readLines(const QJsonArray& lines) {
        for (int i = 0; i < lines.size(); ++i) {
            const QString where = QStringLiteral("lines[%1]").arg(i);
            const QJsonObject o = lines[i].toObject();
            LayoutLine l;
            l.from = point(o.value(QStringLiteral("from")), where + QStringLiteral(".from"));
            l.to = point(o.value(QStringLiteral("to")), where + QStringLiteral(".to"));
            l.width = std::max(0, width(o.value(QStringLiteral("width")), where, 0));
            l.style = style(o.value(QStringLiteral("style")), where);
            m_layout.lines.push_back(l);
        }
    }

    void readBoxes(const QJsonArray& boxes) {
        static const QRegularExpression colour(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
        for (int i = 0; i < boxes.size(); ++i) {
            const QString where = QStringLiteral("boxes[%1]").arg(i);
            const QJsonObject o = boxes[i].toObject();
            LayoutBox b;
            b.rect = rect(o.value(QStringLiteral("rect")), where);
            b.width = width(o.value(QStringLiteral("width")), where, 0);
            b.fill = o.value(QStringLiteral("fill")).toString();
            if (!b.fill.isEmpty() && !colour.match(b.fill).hasMatch())
                throw Fault{where + QStringLiteral(".fill は #rrggbb です")};
            m_layout.boxes.push_back(b);
        }
    }

    ReportLayout& m_layout;
    QHash<QString, LayoutFont> m_fonts;
};

QString brokenText(const QString& path, const QString& detail) {
    return QStringLiteral("帳票レイアウトに誤りがあります。\r") + path + QStringLiteral("\r") +
           detail;
}

} // namespace

const LayoutField* ReportLayout::field(const QString& name) const {
    const auto it = fieldIndex.constFind(name.toUpper());
    return it == fieldIndex.cend() ? nullptr : &fields[*it];
}

std::optional<QSize> PaperSize(const QString& name) {
    if (name == QStringLiteral("A4"))
        return QSize(21000, 29700);
    if (name == QStringLiteral("A3"))
        return QSize(29700, 42000);
    if (name == QStringLiteral("B4"))
        return QSize(25700, 36400);
    if (name == QStringLiteral("B5"))
        return QSize(18200, 25700);
    return std::nullopt;
}

std::optional<ReportLayout> ParseReportLayout(const QByteArray& json, const QString& path,
                                              QString* error) {
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
    if (pe.error != QJsonParseError::NoError) {
        // The line of the offset helps whoever edits the file.
        const int line = int(json.left(pe.offset).count('\n')) + 1;
        *error = brokenText(path, QStringLiteral("%1 行目: JSON の書式が正しくありません（%2）")
                                      .arg(line)
                                      .arg(pe.errorString()));
        return std::nullopt;
    }
    if (!doc.isObject()) {
        *error = brokenText(path, QStringLiteral("全体が { } で囲まれていません"));
        return std::nullopt;
    }
    ReportLayout layout;
    layout.path = path;
    try {
        Reader(layout).read(doc.object());
    } catch (const Fault& f) {
        *error = brokenText(path, f.text);
        return std::nullopt;
    }
    return layout;
}

std::optional<ReportLayout> LoadReportLayout(const QString& path, QString* error) {
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("帳票レイアウトが見つかりません。\r") + path;
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("帳票レイアウトを読めません。\r") + path + QStringLiteral("\r") +
                 file.errorString();
        return std::nullopt;
    }
    return ParseReportLayout(file.readAll(), path, error);
}
