#include "gui/report/WS0090_GroupReport.h"

#include "core/common/AppState.h"
#include "core/common/Counts.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/report/GroupReport.h"
#include "core/report/ReportCatalogue.h"
#include "data/project/Project.h"
#include "data/report/GroupReportStore.h"
#include "data/report/ReportHeaders.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"
#include "gui/common/Hourglass.h"
#include "gui/report/PrintPreview_ReportPreview.h"
#include "render/workbook/GroupReportWorkbook.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* nameField(QWidget* parent, const QString& name) {
    QLineEdit* e = TextEdit(parent, name, 0, 170);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, QColor(0xEE, 0xEE, 0xEE));
    e->setPalette(p);
    return e;
}

// The code typed or chosen: the text before its first blank.
bool codeOf(const QString& text, int* code) {
    bool ok = false;
    *code = NthField(text, QLatin1Char(' '), 1).toInt(&ok);
    return ok;
}

} // namespace

TWS0090::TWS0090(QWidget* parent) : QDialog(parent), m_exits(new FieldExits(this)) {
    setObjectName(QStringLiteral("WS0090"));
    setWindowTitle(QStringLiteral("グループ別社員レポート"));
    setModal(true);
    m_exits->setEnterClicksButtons(true); // Enter on 印　刷 prints, as on every screen

    cmbMarkSTart = CodeBox(this, QStringLiteral("cmbMarkSTart"), 170);
    cmbMarkEnd = CodeBox(this, QStringLiteral("cmbMarkEnd"), 170);
    txtMarkStart = nameField(this, QStringLiteral("txtMarkStart"));
    txtMarkEnd = nameField(this, QStringLiteral("txtMarkEnd"));
    cmbTokyuSTart = CodeBox(this, QStringLiteral("cmbTokyuSTart"), 170);
    cmbTokyuEnd = CodeBox(this, QStringLiteral("cmbTokyuEnd"), 170);
    txtTokyuStart = nameField(this, QStringLiteral("txtTokyuStart"));
    txtTokyuEnd = nameField(this, QStringLiteral("txtTokyuEnd"));
    btnPrint = CommandButton(this, QStringLiteral("btnPrint"), QStringLiteral("印　刷"));
    btnClose = CommandButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    m_exits->passWithoutCheck(btnClose);

    auto range = [this](const QString& title, QComboBox* from, QLineEdit* fromName, QComboBox* to,
                        QLineEdit* toName) {
        auto* box = new QGroupBox(title, this);
        auto* g = new QGridLayout(box);
        g->addWidget(new QLabel(QStringLiteral("開始"), box), 0, 0);
        g->addWidget(from, 0, 1);
        g->addWidget(fromName, 0, 2);
        g->addWidget(new QLabel(QStringLiteral("～"), box), 1, 0, Qt::AlignRight);
        g->addWidget(to, 1, 1);
        g->addWidget(toName, 1, 2);
        return box;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnClose);
    auto* v = new QVBoxLayout(this);
    v->addWidget(
        range(QStringLiteral("マーク"), cmbMarkSTart, txtMarkStart, cmbMarkEnd, txtMarkEnd));
    v->addWidget(
        range(QStringLiteral("等級"), cmbTokyuSTart, txtTokyuStart, cmbTokyuEnd, txtTokyuEnd));
    v->addLayout(buttons);

    m_exits->add(cmbMarkSTart,
                 [this] { return markExit(cmbMarkSTart, txtMarkStart, m_markFrom, 1); });
    m_exits->add(cmbMarkEnd, [this] { return markExit(cmbMarkEnd, txtMarkEnd, m_markTo, 6); });
    m_exits->add(cmbTokyuSTart,
                 [this] { return gradeExit(cmbTokyuSTart, txtTokyuStart, m_gradeFrom, 1); });
    m_exits->add(cmbTokyuEnd, [this] { return gradeExit(cmbTokyuEnd, txtTokyuEnd, m_gradeTo, 9); });

    connect(btnPrint, &QPushButton::clicked, this, &TWS0090::btnPrintClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS0090::btnCloseClick);
}

TWS0090::~TWS0090() {
    m_exits->detach();
}

void TWS0090::start(int reportKind) {
    prepare(reportKind);
    exec();
}

void TWS0090::prepare(int reportKind) {
    m_reportKind = reportKind;
    setWindowTitle(reportKind == 1 ? QStringLiteral("グループ別社員昇給レポート")
                                   : QStringLiteral("グループ別社員賃金レポート"));
    m_exits->forget();
    for (QLineEdit* e : {txtMarkStart, txtMarkEnd, txtTokyuStart, txtTokyuEnd})
        e->clear();
    m_markFrom = 1;
    m_markTo = 6;
    m_gradeFrom = 1;
    m_gradeTo = 9;
    m_previewFile.clear();
    const Project& project = *Project::current();
    for (QComboBox* c : {cmbTokyuSTart, cmbTokyuEnd}) {
        const QSignalBlocker block(c);
        c->clear();
        for (int g = 1; g <= MaxGrades; ++g)
            c->addItem(GradeText(g, project.settings()));
        c->setCurrentIndex(-1);
        c->setEditText(QString());
    }
    for (QComboBox* c : {cmbMarkSTart, cmbMarkEnd}) {
        const QSignalBlocker block(c);
        c->clear();
        for (int m = 1; m <= MarkCount; ++m)
            if (project.marks()[size_t(m)].MKCO != 0)
                c->addItem(MarkLegendText(m, project.marks()));
        c->setCurrentIndex(-1);
        c->setEditText(QString());
    }
    cmbMarkSTart->setFocus();
}

bool TWS0090::markExit(QComboBox* box, QLineEdit* name, int& range, int fallback) {
    range = fallback;
    name->clear();
    const QString text = box->currentText().trimmed();
    if (text.isEmpty())
        return true;
    int code = 0;
    if (!codeOf(text, &code))
        return m_exits->refuse(box, MsgText::EnterNumber());
    // One of the list's marks: chosen from the list, typed as its code, or as the box shows
    // it after it was accepted (so leaving it again does not refuse it).
    const std::array<TMMARK, MarkCount + 1>& marks = Project::current()->marks();
    const bool known = IsMark(code) && marks[size_t(code)].MKCO != 0 &&
                       box->findText(MarkLegendText(code, marks), Qt::MatchExactly) >= 0;
    if (!known || (text != MarkLegendText(code, marks) && text != MarkText(code, marks) &&
                   text != QString::number(code)))
        return m_exits->refuse(box, MsgText::NotInMaster());
    const TMMARK& mark = marks[size_t(code)];
    box->setEditText(MarkText(code, marks));
    range = code;
    name->setText(mark.MARK + QStringLiteral(" : ") + mark.HANREI);
    return true;
}

bool TWS0090::gradeExit(QComboBox* box, QLineEdit* name, int& range, int fallback) {
    range = fallback;
    name->clear();
    const QString text = box->currentText().trimmed();
    if (text.isEmpty())
        return true;
    int code = 0;
    if (!codeOf(text, &code))
        return m_exits->refuse(box, MsgText::EnterNumber());
    if (code < 1 || code > 9)
        return m_exits->refuse(box, MsgText::GradeOutOfRange());
    const QString typedName = NthField(text, QLatin1Char(' '), 3);
    box->setEditText(GradeText(code, Project::current()->settings()));
    range = code;
    name->setText(typedName);
    return true;
}

bool TWS0090::compose() {
    const bool raise = m_reportKind == 1;
    const Project& project = *Project::current();
    const std::optional<QVector<GroupReportEmployee>> employees = LoadGroupReportEmployees(
        project.companyYear(), {m_markFrom, m_markTo}, {m_gradeFrom, m_gradeTo});
    if (!employees)
        return false; // the data module has reported the failure
    // Who no range could include is said first, also when nothing is left to print.
    const std::optional<LeftOutEmployees> leftOut = LoadLeftOutEmployees(project.companyYear());
    if (!leftOut)
        return false;
    if (const QString left = LeftOutMessage(*leftOut); !left.isEmpty())
        Msg::info(left);
    if (employees->isEmpty()) {
        Msg::info(MsgText::NothingToPrint());
        return false;
    }
    bool composed = false;
    m_header = GroupReportHeaderOf(project, txtTokyuStart->text(), txtTokyuEnd->text());
    m_employees = *employees;
    {
        Hourglass wait;
        PrepareReport(JIVE, raise ? ReportId::GroupRaise : ReportId::GroupWage, state().AppDir);
        composed = ComposeGroupReport(JIVE, raise ? GroupReportKind::Raise : GroupReportKind::Wage,
                                      m_header, m_employees);
    }
    if (!composed) {
        Msg::error(JIVE.error());
        return false;
    }
    m_previewFile = JIVE.ImageFileName();
    return true;
}

void TWS0090::btnPrintClick() {
    if (!m_exits->checkFocused())
        return;
    m_previewFile.clear();
    if (!compose())
        return;
    if (m_previewFile.isEmpty())
        return;
    // The preview saves the workbook of what it shows: the same employees and headings.
    const GroupReportKind kind = m_reportKind == 1 ? GroupReportKind::Raise : GroupReportKind::Wage;
    const QString name =
        ReportFilesOf(kind == GroupReportKind::Raise ? ReportId::GroupRaise : ReportId::GroupWage)
            .docName;
    TfrmPrintPreview::Run(
        this, m_previewFile,
        {name, [this, kind] { return ComposeGroupReportWorkbook(kind, m_header, m_employees); }});
}

void TWS0090::btnCloseClick() {
    m_exits->forget();
    accept();
}
