#include "core/report/ReportEngine.h"

#include <QFile>
#include <QFileInfo>

void ReportEngine::fail(const QString& message) {
    if (m_error.isEmpty())
        m_error = message;
}

bool ReportEngine::StartDoc() {
    m_error.clear();
    m_started = false;
    m_doc = ReportDocument();
    m_page = ReportPage();
    m_formTexts.clear();
    m_formLaid = false;
    m_pageOpen = false;
    if (m_device == WorkFile) {
        if (m_imageFile.isEmpty()) {
            fail(QStringLiteral("帳票の作業ファイル名がありません。"));
            return false;
        }
        m_imageFile = QFileInfo(m_imageFile).absoluteFilePath();
        if (QFileInfo::exists(m_imageFile) && !QFile::remove(m_imageFile)) {
            fail(QStringLiteral("前回の作業ファイルを削除できません。\r") + m_imageFile);
            return false;
        }
    }
    QString why;
    std::optional<ReportLayout> layout = LoadReportLayout(m_formName, &why);
    if (!layout) {
        fail(why);
        return false;
    }
    m_layout = std::move(*layout);
    m_doc.name = m_docName;
    m_doc.pageWidth = m_layout.pageWidth;
    m_doc.pageHeight = m_layout.pageHeight;
    m_doc.orientation = m_layout.orientation;
    m_started = true;
    return true;
}

std::optional<ReportEngine::Edges> ReportEngine::FieldName(const QString& field) {
    if (!usable())
        return std::nullopt;
    const LayoutField* f = m_layout.field(field);
    if (!f) {
        fail(QStringLiteral("帳票レイアウトに項目 ") + field + QStringLiteral(" がありません。\r") +
             m_layout.path);
        return std::nullopt;
    }
    return Edges{f->rect.left, f->rect.right, f->rect.top, f->rect.bottom};
}

ReportText ReportEngine::text(const UnitRect& box, const LayoutFont& font, TextAlign align,
                              const QString& value) {
    ReportText t;
    t.box = box;
    t.font = m_doc.fontIndex(font.family);
    t.size = font.size;
    t.bold = font.bold;
    t.fit = m_overflow == 1;
    t.align = align;
    t.text = value;
    return t;
}

void ReportEngine::SetFormText(const QString& field, const QString& value) {
    if (!usable())
        return;
    const LayoutField* f = m_layout.field(field);
    if (!f) {
        fail(QStringLiteral("帳票レイアウトに項目 ") + field + QStringLiteral(" がありません。\r") +
             m_layout.path);
        return;
    }
    m_formTexts.insert(m_layout.fieldIndex.value(field.toUpper()), value);
    m_pageOpen = true;
}

void ReportEngine::DrawTextBox(int left, int upper, int right, int lower, int align,
                               const QString& value) {
    if (!usable())
        return;
    if (value.isEmpty()) {
        m_pageOpen = true;
        return;
    }
    const TextAlign a = align == 1   ? TextAlign::Right
                        : align == 2 ? TextAlign::Centre
                                     : TextAlign::Left;
    m_page.texts.push_back(text({left, upper, right, lower},
                                LayoutFont{m_layout.textFont, m_fontSize, false}, a, value));
    m_pageOpen = true;
}

void ReportEngine::DrawLine(int x1, int y1, int x2, int y2) {
    if (!usable())
        return;
    m_page.lines.push_back({QPoint(x1, y1), QPoint(x2, y2), m_lineWidth, m_lineStyle});
    m_pageOpen = true;
}

void ReportEngine::PrintForm() {
    if (!usable())
        return;
    m_formLaid = true;
    m_pageOpen = true;
}

void ReportEngine::EndPage() {
    if (!usable() || !m_pageOpen)
        return;
    ReportPage page;
    if (m_formLaid) {
        for (const LayoutBox& b : m_layout.boxes)
            page.boxes.push_back({b.rect, b.width, b.fill});
        for (const LayoutLine& l : m_layout.lines)
            page.lines.push_back({l.from, l.to, l.width, l.style});
        for (const LayoutText& t : m_layout.texts)
            page.texts.push_back(text(t.rect, t.font, t.align, t.text));
        for (auto it = m_formTexts.cbegin(); it != m_formTexts.cend(); ++it) {
            const LayoutField& f = m_layout.fields[it.key()];
            if (!it.value().isEmpty())
                page.texts.push_back(text(f.rect, f.font, f.align, it.value()));
        }
    }
    page.boxes += m_page.boxes;
    page.lines += m_page.lines;
    page.texts += m_page.texts;
    m_doc.pages.push_back(std::move(page));
    m_page = ReportPage();
    m_formTexts.clear();
    m_formLaid = false;
    m_pageOpen = false;
}

bool ReportEngine::EndDoc() {
    if (!m_started && m_error.isEmpty())
        fail(QStringLiteral("帳票の作成が始まっていません。"));
    if (!usable())
        return false;
    m_started = false;
    if (m_device != WorkFile)
        return true;
    QString why;
    if (!SaveReportDocument(m_doc, m_imageFile, &why)) {
        fail(why);
        return false;
    }
    return true;
}
