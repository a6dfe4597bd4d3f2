#include "gui/wage/WS2010_WageTable.h"

#include "core/common/AppState.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/wage/WageTableGenerator.h"
#include "data/project/Project.h"
#include "data/wage/WageTableStore.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"
#include "gui/report/WageTablePrintCommand.h"
#include "gui/wage/WS2011_BaseAmounts.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString NoCode = QStringLiteral("0 : なし");
const QString ChangedData = QStringLiteral("ﾃﾞｰﾀが変更されています。");
constexpr int CodeBoxWidth = 110;

QLabel* caption(QWidget* parent, const QString& text, Qt::Alignment align = Qt::AlignLeft) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

// A field the user may not type into: skipped by the Tab key and shaded.
void setLocked(QLineEdit* e, bool locked) {
    e->setReadOnly(locked);
    e->setFocusPolicy(locked ? Qt::ClickFocus : Qt::StrongFocus);
    // Only the enabled look changes; a disabled row keeps the greyed look of its style.
    QPalette p = e->palette();
    const QColor base = locked ? QColor(0xEE, 0xEE, 0xEE) : QColor(Qt::white);
    p.setColor(QPalette::Active, QPalette::Base, base);
    p.setColor(QPalette::Inactive, QPalette::Base, base);
    e->setPalette(p);
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    void restore() {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }

private:
    bool m_on = true;
};

constexpr int StepWidth = 50;
constexpr int AmountWidth = 90;

} // namespace

TWS2010::TWS2010(QWidget* parent) : QDialog(parent), m_exits(new FieldExits(this)) {
    setObjectName(QStringLiteral("WS2010"));
    setWindowTitle(QStringLiteral("賃金表　作成[*]"));
    setModal(true);
    m_exits->setEnterClicksButtons(true);
    m_exits->setShowField([this](QWidget* w) {
        for (QWidget* p = w; p; p = p->parentWidget()) {
            const int page = PageControl1->indexOf(p);
            if (page >= 0) {
                setPage(page);
                break;
            }
        }
    });

    PageControl1 = Named(new QTabWidget(this), QStringLiteral("PageControl1"));
    auto* basic = Named(new QWidget, QStringLiteral("TabSheet1"));
    auto* scale = Named(new QWidget, QStringLiteral("TabSheet2"));
    auto* second = Named(new QWidget, QStringLiteral("TabSheet3"));
    auto* third = Named(new QWidget, QStringLiteral("TabSheet4"));
    PageControl1->addTab(basic, QStringLiteral("基本設定"));
    PageControl1->addTab(scale, QStringLiteral("ｻﾗﾘｰｽｹｰﾙ"));
    PageControl1->addTab(second, QStringLiteral("２次曲線"));
    PageControl1->addTab(third, QStringLiteral("３次曲線"));
    buildBasicPage(basic);
    buildScalePage(scale);
    buildCurvePage(second, CurveMethod::SecondOrder);
    buildCurvePage(third, CurveMethod::ThirdOrder);

    btnAdd = CommandButton(this, QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnCancel = CommandButton(this, QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"));
    btnSalaryList =
        CommandButton(this, QStringLiteral("btnSalaryList"), QStringLiteral("連結賃金表"));
    btnExcel = CommandButton(this, QStringLiteral("btnExcel"), QStringLiteral("Excel保存"));
    btnClose = CommandButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    // Cancelling or closing drops what was typed: the field being left is not checked.
    m_exits->passWithoutCheck(btnCancel);
    m_exits->passWithoutCheck(btnClose);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnAdd);
    buttons->addWidget(btnCancel);
    buttons->addStretch(1);
    buttons->addWidget(btnSalaryList);
    buttons->addWidget(btnExcel);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto* v = new QVBoxLayout(this);
    v->addLayout(buttons);
    v->addWidget(PageControl1, 1);

    connect(btnAdd, &QPushButton::clicked, this, &TWS2010::btnAddClick);
    connect(btnCancel, &QPushButton::clicked, this, &TWS2010::btnCancelClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS2010::btnCloseClick);
    connect(btnSalaryList, &QPushButton::clicked, this, &TWS2010::btnSalaryListClick);
    connect(btnExcel, &QPushButton::clicked, this, &TWS2010::btnExcelClick);
    connect(btnKijungaku, &QPushButton::clicked, this, &TWS2010::btnKijungakuClick);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TWS2010::PageControl1Change);
    connect(opt2Jikyokusen, &QRadioButton::clicked, this, &TWS2010::opt2JikyokusenClick);
    connect(opt3JiKyokusen, &QRadioButton::clicked, this, &TWS2010::opt3JiKyokusenClick);
    connect(optAuto, &QRadioButton::clicked, this, &TWS2010::optAutoClick);
    connect(optManual, &QRadioButton::clicked, this, &TWS2010::optManualClick);
    connect(optUnit10, &QRadioButton::clicked, this, [this] { optUnitClick(0); });
    connect(optUnit100, &QRadioButton::clicked, this, [this] { optUnitClick(1); });
    connect(optUnit1000, &QRadioButton::clicked, this, [this] { optUnitClick(2); });

    m_secondSteps = {&txt2Stgosu, &txt2Cgosu, &txt2EndGosu, nullptr};
    m_secondAmounts = {&txt2Salary, &txt2CSalary, &txt2EndSalary, nullptr};
    m_thirdSteps = {&txtStGosu, &txtC1Gosu, &txtC2Gosu, &txtEndGosu};
    m_thirdAmounts = {&txtStSalary, &txtC1Salary, &txtC2Salary, &txtEndSalary};
    resize(860, 560);
}

TWS2010::~TWS2010() {
    m_exits->detach();
}

// ---------------------------------------------------------------------------------------------
// Building the pages

void TWS2010::addExit(QWidget* w, std::function<QString()> exit) {
    m_exits->add(w, [this, w, exit = std::move(exit)] {
        const QString message = exit();
        return message.isEmpty() || m_exits->refuse(w, message);
    });
    if (auto* e = qobject_cast<QLineEdit*>(w))
        connect(e, &QLineEdit::textEdited, this, [this] { setWindowModified(true); });
}

void TWS2010::addCodeBox(QComboBox* box, CodeKind kind, bool keepsChangeFlag) {
    addExit(box,
            [this, box, kind, keepsChangeFlag] { return codeBoxExit(box, kind, keepsChangeFlag); });
    connect(box->lineEdit(), &QLineEdit::textEdited, this, [this, box](const QString& text) {
        if (text != m_codeShown.value(box))
            setWindowModified(true);
    });
    // A code picked from the list is taken at once, as if the box had been left.
    connect(box, &QComboBox::activated, this, [this, box, kind, keepsChangeFlag] {
        if (box->currentText() == m_codeShown.value(box))
            return;
        setWindowModified(true);
        if (!m_exits->settle())
            return;
        const QString message = codeBoxExit(box, kind, keepsChangeFlag);
        if (!message.isEmpty())
            refuse(box, message);
    });
}

void TWS2010::buildBasicPage(QWidget* page) {
    txtTokyusu = TextEdit(page, QStringLiteral("txtTokyusu"), 0, 40, Qt::AlignRight);
    txtTitle = TextEdit(page, QStringLiteral("txtTitle"));
    txtTitle->setMinimumWidth(420);

    QGroupBox* curve = nullptr;
    const QList<QRadioButton*> curves =
        RadioGroup(page, QStringLiteral("grpKyokusen"), QStringLiteral("曲線の選択"),
                   {{QStringLiteral("opt2Jikyokusen"), QStringLiteral("２次曲線")},
                    {QStringLiteral("opt3JiKyokusen"), QStringLiteral("３次曲線")}},
                   &curve);
    opt2Jikyokusen = curves[0];
    opt3JiKyokusen = curves[1];
    QGroupBox* over = nullptr;
    const QList<QRadioButton*> overwrite =
        RadioGroup(page, QStringLiteral("grpUwagaki"), QStringLiteral("上書き"),
                   {{QStringLiteral("optAuto"), QStringLiteral("しない　（自動計算）")},
                    {QStringLiteral("optManual"), QStringLiteral("する　　（手入力）")}},
                   &over);
    optAuto = overwrite[0];
    optManual = overwrite[1];
    QGroupBox* unit = nullptr;
    const QList<QRadioButton*> units =
        RadioGroup(page, QStringLiteral("grpMarume"), QStringLiteral("丸め方"),
                   {{QStringLiteral("optUnit10"), QStringLiteral("拾円単位")},
                    {QStringLiteral("optUnit100"), QStringLiteral("百円単位")},
                    {QStringLiteral("optUnit1000"), QStringLiteral("千円単位")}},
                   &unit);
    optUnit10 = units[0];
    optUnit100 = units[1];
    optUnit1000 = units[2];

    cmbScaleCode = CodeBox(page, QStringLiteral("cmbScaleCode"), CodeBoxWidth);
    cmb2JiCode = CodeBox(page, QStringLiteral("cmb2JiCode"), CodeBoxWidth);
    cmb3JiCode = CodeBox(page, QStringLiteral("cmb3JiCode"), CodeBoxWidth);

    auto* g = new QGridLayout(page);
    g->setHorizontalSpacing(12);
    g->setVerticalSpacing(14);
    g->addWidget(caption(page, QStringLiteral("等級数")), 0, 0);
    g->addWidget(txtTokyusu, 0, 1, Qt::AlignLeft);
    g->addWidget(caption(page, QStringLiteral("タイトル")), 1, 0);
    g->addWidget(txtTitle, 1, 1, 1, 3, Qt::AlignLeft);
    auto* options = new QHBoxLayout;
    options->addWidget(curve);
    options->addWidget(over);
    options->addWidget(unit);
    options->addStretch(1);
    g->addLayout(options, 2, 0, 1, 4);
    auto* codes = new QGridLayout;
    codes->addWidget(caption(page, QStringLiteral("スケールコード")), 0, 0);
    codes->addWidget(cmbScaleCode, 0, 1);
    codes->addWidget(caption(page, QStringLiteral("２次曲線コード")), 1, 0);
    codes->addWidget(cmb2JiCode, 1, 1);
    codes->addWidget(caption(page, QStringLiteral("３次曲線コード")), 2, 0);
    codes->addWidget(cmb3JiCode, 2, 1);
    codes->setColumnStretch(2, 1);
    g->addLayout(codes, 3, 0, 1, 4);
    g->setColumnStretch(3, 1);
    g->setRowStretch(4, 1);

    addExit(txtTokyusu, [this] {
        const FieldCheck c = CheckGradeCountText(txtTokyusu->text());
        if (!c.ok())
            return c.message;
        txtTokyusu->setText(c.shown);
        m_gradeCount = c.shown.toInt();
        return QString();
    });
    connect(txtTitle, &QLineEdit::textEdited, this, [this] { setWindowModified(true); });
    addCodeBox(cmbScaleCode, ScaleKind, false);
    addCodeBox(cmb2JiCode, SecondKind, false);
    addCodeBox(cmb3JiCode, ThirdKind, false);
}

QLineEdit* TWS2010::rowField(QWidget* page, const QString& stem, int grade, int width,
                             bool readOnly) {
    auto* e = TextEdit(page, stem + QString::number(grade), 0, width, Qt::AlignRight);
    if (readOnly)
        setLocked(e, true);
    return e;
}

void TWS2010::buildScalePage(QWidget* page) {
    cmb2ScaleCode = CodeBox(page, QStringLiteral("cmb2ScaleCode"), CodeBoxWidth);
    btnKijungaku = CommandButton(page, QStringLiteral("btnKijungaku"), QStringLiteral("基準額"));

    auto* top = new QHBoxLayout;
    top->addWidget(caption(page, QStringLiteral("スケールコード")));
    top->addWidget(cmb2ScaleCode);
    top->addStretch(1);
    top->addWidget(btnKijungaku);

    auto* grid = new QGridLayout;
    const QStringList heads = {QStringLiteral("等級番号"), QStringLiteral("等級名称"),
                               QStringLiteral("下限 (%)"), QStringLiteral("基礎金額"),
                               QStringLiteral("上限 (%)"), QStringLiteral("スプレッド"),
                               QStringLiteral("レンジ")};
    for (int c = 0; c < heads.size(); ++c)
        grid->addWidget(caption(page, heads[c], Qt::AlignHCenter), 0, c);
    for (int g = 1; g <= MaxGrades; ++g) {
        const size_t i = size_t(g);
        txt1Tokyu[i] = rowField(page, QStringLiteral("txt1Tokyu"), g, StepWidth, true);
        txt1TKName[i] = TextEdit(page, QStringLiteral("txt1TKName%1").arg(g));
        txt1TKName[i]->setFixedWidth(130);
        setLocked(txt1TKName[i], true);
        txtKagen[i] = rowField(page, QStringLiteral("txtKagen"), g, StepWidth + 20, false);
        txtKiso[i] = rowField(page, QStringLiteral("txtKiso"), g, AmountWidth, false);
        txtJyogen[i] = rowField(page, QStringLiteral("txtJyogen"), g, StepWidth + 20, false);
        txtSplet[i] = rowField(page, QStringLiteral("txtSplet"), g, StepWidth + 20, true);
        txtLenji[i] = rowField(page, QStringLiteral("txtLenji"), g, AmountWidth, true);
        const QList<QLineEdit*> row = {txt1Tokyu[i], txt1TKName[i], txtKagen[i], txtKiso[i],
                                       txtJyogen[i], txtSplet[i],   txtLenji[i]};
        for (int c = 0; c < row.size(); ++c)
            grid->addWidget(row[c], g, c);

        addExit(txtKagen[i],
                [this, g] { return scaleFigureExit(txtKagen[size_t(g)], g, &CheckPercentText); });
        addExit(txtKiso[i],
                [this, g] { return scaleFigureExit(txtKiso[size_t(g)], g, &CheckBaseText); });
        addExit(txtJyogen[i],
                [this, g] { return scaleFigureExit(txtJyogen[size_t(g)], g, &CheckPercentText); });
    }
    grid->setColumnStretch(heads.size(), 1);

    auto* v = new QVBoxLayout(page);
    v->addLayout(top);
    v->addSpacing(8);
    v->addLayout(grid);
    v->addStretch(1);
    addCodeBox(cmb2ScaleCode, ScaleKind, true);
}

void TWS2010::buildCurvePage(QWidget* page, CurveMethod method) {
    const bool third = method == CurveMethod::ThirdOrder;
    QComboBox* box =
        CodeBox(page, third ? QStringLiteral("cmb3Ji") : QStringLiteral("cmb2Ji"), CodeBoxWidth);
    auto* count = TextEdit(page, third ? QStringLiteral("txt3TKSuu") : QStringLiteral("txt2TKSuu"),
                           0, 40, Qt::AlignRight);
    setLocked(count, true);
    auto* rate =
        TextEdit(page, third ? QStringLiteral("txt3Kakeritsu") : QStringLiteral("txt2Kakeritsu"), 0,
                 80, Qt::AlignRight);

    auto* top = new QHBoxLayout;
    top->addWidget(
        caption(page, third ? QStringLiteral("３次曲線コード") : QStringLiteral("２次曲線コード")));
    top->addWidget(box);
    top->addSpacing(16);
    top->addWidget(caption(page, QStringLiteral("等級数")));
    top->addWidget(count);
    top->addSpacing(16);
    top->addWidget(caption(page, QStringLiteral("掛　率")));
    top->addWidget(rate);
    if (!third) {
        auto* note = Named(
            new QLabel(QStringLiteral("賃金表のベアが１％のときは左の「掛け率」に1.01と入力します"),
                       page),
            QStringLiteral("lblNote"));
        note->setWordWrap(true);
        top->addWidget(note, 1);
    } else {
        top->addStretch(1);
    }

    QStringList heads = {QStringLiteral("等級指定"), QStringLiteral("開始号数"),
                         QStringLiteral("開始賃金"), QStringLiteral("中間号数"),
                         QStringLiteral("中間賃金")};
    if (third)
        heads << QStringLiteral("中間号数") << QStringLiteral("中間賃金");
    heads << QStringLiteral("終了号数") << QStringLiteral("終了賃金");
    auto* grid = new QGridLayout;
    for (int c = 0; c < heads.size(); ++c)
        grid->addWidget(caption(page, heads[c], Qt::AlignHCenter), 0, c);

    Row& grades = third ? txt3Tokyu : txt2Tokyu;
    const int points = third ? 4 : 3;
    std::array<Row*, 4> steps =
        third ? std::array<Row*, 4>{&txtStGosu, &txtC1Gosu, &txtC2Gosu, &txtEndGosu}
              : std::array<Row*, 4>{&txt2Stgosu, &txt2Cgosu, &txt2EndGosu, nullptr};
    std::array<Row*, 4> amounts =
        third ? std::array<Row*, 4>{&txtStSalary, &txtC1Salary, &txtC2Salary, &txtEndSalary}
              : std::array<Row*, 4>{&txt2Salary, &txt2CSalary, &txt2EndSalary, nullptr};
    for (int g = 1; g <= MaxGrades; ++g) {
        const size_t i = size_t(g);
        grades[i] =
            rowField(page, third ? QStringLiteral("txt3Tokyu") : QStringLiteral("txt2Tokyu"), g,
                     StepWidth, true);
        grid->addWidget(grades[i], g, 0);
        for (int p = 0; p < points; ++p) {
            QLineEdit* s = TextEdit(page, CurveStepControl(method, p) + QString::number(g), 0,
                                    StepWidth, Qt::AlignRight);
            QLineEdit* a = TextEdit(page, CurveAmountControl(method, p) + QString::number(g), 0,
                                    AmountWidth, Qt::AlignRight);
            (*steps[size_t(p)])[i] = s;
            (*amounts[size_t(p)])[i] = a;
            grid->addWidget(s, g, 1 + 2 * p);
            grid->addWidget(a, g, 2 + 2 * p);
            addExit(s, [this, s] { return shownExit(s, &CheckStepText); });
            addExit(a, [this, a] { return shownExit(a, &CheckAmountText); });
        }
    }
    grid->setColumnStretch(heads.size(), 1);

    auto* v = new QVBoxLayout(page);
    v->addLayout(top);
    v->addSpacing(8);
    v->addLayout(grid);
    v->addStretch(1);

    if (third) {
        cmb3Ji = box;
        txt3TKSuu = count;
        txt3Kakeritsu = rate;
        addExit(rate, [this] { return shownExit(txt3Kakeritsu, &CheckThirdRateText); });
        addCodeBox(box, ThirdKind, false);
    } else {
        cmb2Ji = box;
        txt2TKSuu = count;
        txt2Kakeritsu = rate;
        addExit(rate, [this] { return shownExit(txt2Kakeritsu, &CheckSecondRateText); });
        addCodeBox(box, SecondKind, false);
    }
}

const std::array<TWS2010::Row*, 4>& TWS2010::curveSteps(CurveMethod method) const {
    return method == CurveMethod::ThirdOrder ? m_thirdSteps : m_secondSteps;
}

const std::array<TWS2010::Row*, 4>& TWS2010::curveAmounts(CurveMethod method) const {
    return method == CurveMethod::ThirdOrder ? m_thirdAmounts : m_secondAmounts;
}

// ---------------------------------------------------------------------------------------------
// Leaving fields

QString TWS2010::codeBoxExit(QComboBox* box, CodeKind kind, bool keepsChangeFlag) {
    // Only a typed or picked code is taken; "0 : なし" shown by the screen is no entry.
    if (box->currentText() == m_codeShown.value(box))
        return {};
    const FieldCheck c = CheckCodeText(box->currentText());
    if (!c.ok())
        return c.message;
    if (c.shown.isEmpty()) {
        m_codeShown[box] = QString();
        return {};
    }
    const int code = c.shown.toInt();
    for (QComboBox* b : codeBoxes(kind))
        showCode(b, c.shown);
    m_codes[size_t(kind)] = code;
    const bool changed = isWindowModified();
    switch (kind) {
    case ScaleKind:
        loadScaleSet(code);
        break;
    case SecondKind:
        loadSecondSet(code);
        break;
    case ThirdKind:
        loadThirdSet(code);
        break;
    }
    if (keepsChangeFlag)
        setWindowModified(changed);
    return {};
}

QString TWS2010::scaleFigureExit(QLineEdit* w, int grade, FieldCheck (*check)(const QString&)) {
    const FieldCheck c = check(w->text());
    if (!c.ok())
        return c.message;
    w->setText(c.shown);
    recomputeScaleRow(grade);
    return {};
}

QString TWS2010::shownExit(QLineEdit* w, FieldCheck (*check)(const QString&)) {
    const FieldCheck c = check(w->text());
    if (!c.ok())
        return c.message;
    w->setText(c.shown);
    return {};
}

void TWS2010::recomputeScaleRow(int grade) {
    const size_t i = size_t(grade);
    const Currency base = NumberOfText(txtKiso[i]->text());
    if (base.isZero()) {
        txtSplet[i]->setText(QStringLiteral("0"));
        txtLenji[i]->setText(QStringLiteral("0"));
        return;
    }
    const ScaleFigures f = ComputeScaleFigures(NumberOfText(txtKagen[i]->text()), base,
                                               NumberOfText(txtJyogen[i]->text()));
    // A lower limit of -100 % leaves nothing to divide by: the spread shows 0.
    txtSplet[i]->setText(f.lowerAmount == 0 ? QStringLiteral("0") : SpreadText(f.spread));
    txtLenji[i]->setText(AmountText(Int128(f.range)));
}

void TWS2010::refuse(QWidget* w, const QString& message) {
    m_exits->refuse(w, message);
}

void TWS2010::setPage(int index) {
    m_settingPage = true;
    PageControl1->setCurrentIndex(index);
    m_settingPage = false;
}

// ---------------------------------------------------------------------------------------------
// Loading

GradeNames TWS2010::gradeNames() const {
    GradeNames names;
    for (int g = 1; g <= MaxGrades; ++g)
        names[size_t(g)] = Project::current()->settings().TK[size_t(g)];
    return names;
}

void TWS2010::showScaleTexts(const std::array<ScaleRowTexts, MaxGrades + 1>& rows) {
    for (int g = 1; g <= MaxGrades; ++g) {
        const size_t i = size_t(g);
        txt1Tokyu[i]->setText(rows[i].grade);
        txt1TKName[i]->setText(rows[i].name);
        txtKagen[i]->setText(rows[i].lower);
        txtKiso[i]->setText(rows[i].base);
        txtJyogen[i]->setText(rows[i].upper);
        txtSplet[i]->setText(rows[i].spread);
        txtLenji[i]->setText(rows[i].range);
    }
}

void TWS2010::showCurveTexts(CurveMethod method, const CurvePageTexts& page) {
    const bool third = method == CurveMethod::ThirdOrder;
    (third ? txt3Kakeritsu : txt2Kakeritsu)->setText(page.rate);
    (third ? txt3TKSuu : txt2TKSuu)->setText(txtTokyusu->text());
    const Row& grades = third ? txt3Tokyu : txt2Tokyu;
    const int points = third ? 4 : 3;
    for (int g = 1; g <= MaxGrades; ++g) {
        const size_t i = size_t(g);
        grades[i]->setText(page.rows[i].grade);
        for (int p = 0; p < points; ++p) {
            (*curveSteps(method)[size_t(p)])[i]->setText(page.rows[i].step[size_t(p)]);
            (*curveAmounts(method)[size_t(p)])[i]->setText(page.rows[i].amount[size_t(p)]);
        }
    }
}

void TWS2010::showCode(QComboBox* box, const QString& text) {
    box->setEditText(text);
    m_codeShown[box] = text;
}

std::array<QComboBox*, 2> TWS2010::codeBoxes(int kind) const {
    return kind == ScaleKind    ? std::array<QComboBox*, 2>{cmbScaleCode, cmb2ScaleCode}
           : kind == SecondKind ? std::array<QComboBox*, 2>{cmb2JiCode, cmb2Ji}
                                : std::array<QComboBox*, 2>{cmb3JiCode, cmb3Ji};
}

void TWS2010::reset() {
    for (QComboBox* b : {cmb2ScaleCode, cmb2Ji, cmb3Ji}) {
        b->clear();
        showCode(b, QString());
    }
    for (QComboBox* b : {cmbScaleCode, cmb2JiCode, cmb3JiCode}) {
        b->clear();
        showCode(b, NoCode);
    }
    txtTokyusu->setText(QStringLiteral("9"));
    m_gradeCount = MaxGrades;
    txtTitle->clear();
    showScaleTexts(ScalePageTexts({}, gradeNames()));
    showCurveTexts(CurveMethod::SecondOrder, CurvePageTextsOf({}));
    showCurveTexts(CurveMethod::ThirdOrder, CurvePageTextsOf({}));
}

void TWS2010::fillCodeLists() {
    const int kco = Project::current()->companyYear().kco;
    const int year = Project::current()->companyYear().nendo;
    const QVector<int> lists[3] = {LoadScaleCodes(kco, year), LoadSecondOrderCodes(kco, year),
                                   LoadThirdOrderCodes(kco, year)};
    for (int k = 0; k < 3; ++k)
        for (QComboBox* b : codeBoxes(k)) {
            for (int code : lists[k])
                b->addItem(QString::number(code));
            b->setCurrentIndex(-1);
            showCode(b, m_codeShown.value(b));
        }
}

void TWS2010::showMethod(CurveMethod method) {
    m_method = method;
    (method == CurveMethod::ThirdOrder ? opt3JiKyokusen : opt2Jikyokusen)->setChecked(true);
    cmb2JiCode->setEnabled(method == CurveMethod::SecondOrder);
    cmb3JiCode->setEnabled(method == CurveMethod::ThirdOrder);
}

void TWS2010::showRounding(int rounding) {
    m_rounding = rounding;
    (rounding == 0 ? optUnit10 : rounding == 1 ? optUnit100 : optUnit1000)->setChecked(true);
}

void TWS2010::loadHead() {
    const int kco = Project::current()->companyYear().kco;
    const int year = Project::current()->companyYear().nendo;
    const std::optional<StoredHead> head = LoadWageTableHead(kco, year);
    WageTableTexts t;
    t.gradeCount = txtTokyusu->text();
    t.head.title = txtTitle->text();
    t.head.rounding = m_rounding;
    ApplyStoredHead(t, head);
    txtTokyusu->setText(t.gradeCount);
    m_gradeCount = std::clamp(t.gradeCount.toInt(), 0, MaxGrades);
    txtTitle->setText(t.head.title);
    showMethod(t.head.method);
    m_manual = t.head.manualAmounts;
    (m_manual ? optManual : optAuto)->setChecked(true);
    showRounding(t.head.rounding);
    m_codes = {t.head.scaleCode, t.head.secondCode, t.head.thirdCode};
    for (int k = 0; k < 3; ++k)
        if (m_codes[size_t(k)] != 0)
            for (QComboBox* b : codeBoxes(k))
                showCode(b, QString::number(m_codes[size_t(k)]));
    setWindowModified(false);
}

void TWS2010::loadScaleSet(int code) {
    const int kco = Project::current()->companyYear().kco;
    const int year = Project::current()->companyYear().nendo;
    showScaleTexts(ScalePageTexts(LoadScaleSet(kco, year, code), gradeNames()));
    setWindowModified(false);
}

void TWS2010::loadSecondSet(int code) {
    const int kco = Project::current()->companyYear().kco;
    const int year = Project::current()->companyYear().nendo;
    showCurveTexts(CurveMethod::SecondOrder, CurvePageTextsOf(LoadSecondOrderSet(kco, year, code)));
    setWindowModified(false);
}

void TWS2010::loadThirdSet(int code) {
    const int kco = Project::current()->companyYear().kco;
    const int year = Project::current()->companyYear().nendo;
    showCurveTexts(CurveMethod::ThirdOrder, CurvePageTextsOf(LoadThirdOrderSet(kco, year, code)));
    setWindowModified(false);
}

void TWS2010::reload() {
    RememberLoadedWageTable(Project::current()->companyYear().kco,
                            Project::current()->companyYear().nendo);
    reset();
    fillCodeLists();
    loadHead();
    loadScaleSet(m_codes[0]);
    loadSecondSet(m_codes[1]);
    loadThirdSet(m_codes[2]);
}

void TWS2010::start() {
    prepare();
    exec();
}

TWS2011* TWS2010::baseAmounts() {
    if (!m_baseAmounts)
        m_baseAmounts = new TWS2011(this);
    return m_baseAmounts;
}

void TWS2010::prepare() {
    m_exits->forget();
    m_lastPage = BasicPage;
    setPage(BasicPage);
    reload();
    checkPage();
    setWindowModified(false);
}

// ---------------------------------------------------------------------------------------------
// Pages

void TWS2010::fillAutomaticAmounts(CurveMethod method) {
    const bool third = method == CurveMethod::ThirdOrder;
    for (int g = 1; g <= m_gradeCount; ++g) {
        const size_t i = size_t(g);
        QString base = txtKiso[i]->text();
        base.remove(QLatin1Char(','));
        bool ok = false;
        const qint64 k = base.trimmed().toLongLong(&ok);
        const AutomaticAmounts a = AutomaticKeyAmounts(
            NumberOfText(txtKagen[i]->text()), ok ? k : 0, NumberOfText(txtJyogen[i]->text()));
        (third ? txtStSalary : txt2Salary)[i]->setText(AmountText(Int128(a.start)));
        (third ? txtC1Salary : txt2CSalary)[i]->setText(AmountText(Int128(a.middle)));
        (third ? txtEndSalary : txt2EndSalary)[i]->setText(AmountText(Int128(a.end)));
    }
}

void TWS2010::checkPage() {
    const int index = PageControl1->currentIndex();
    if (index == SecondPage && m_method == CurveMethod::ThirdOrder) {
        setPage(m_lastPage);
        Msg::info(QStringLiteral("曲線の選択　は、３次曲線　が選択されています。"));
        return;
    }
    if (index == ThirdPage && m_method == CurveMethod::SecondOrder) {
        setPage(m_lastPage);
        Msg::info(QStringLiteral("曲線の選択　は、２次曲線　が選択されています。"));
        return;
    }
    m_lastPage = index;
    for (int g = 1; g <= MaxGrades; ++g) {
        const size_t i = size_t(g);
        const bool on = g <= m_gradeCount;
        for (QLineEdit* e : {txt1Tokyu[i], txt1TKName[i], txtKagen[i], txtKiso[i], txtJyogen[i],
                             txtSplet[i], txtLenji[i], txt2Tokyu[i], txt3Tokyu[i]})
            e->setEnabled(on);
        for (CurveMethod m : {CurveMethod::SecondOrder, CurveMethod::ThirdOrder}) {
            const int points = m == CurveMethod::ThirdOrder ? 4 : 3;
            for (int p = 0; p < points; ++p) {
                (*curveSteps(m)[size_t(p)])[i]->setEnabled(on);
                QLineEdit* amount = (*curveAmounts(m)[size_t(p)])[i];
                amount->setEnabled(on);
                // The second middle amount of the 3rd order is never computed from the scale.
                const bool computed = !(m == CurveMethod::ThirdOrder && p == 2);
                setLocked(amount, computed && !m_manual);
            }
        }
    }
    txt2TKSuu->setText(txtTokyusu->text());
    txt3TKSuu->setText(txtTokyusu->text());
}

void TWS2010::PageControl1Change(int index) {
    if (m_settingPage)
        return;
    if (!m_exits->settle())
        return;
    if (isWindowModified()) {
        setPage(m_lastPage);
        Msg::info(ChangedData + QStringLiteral("登録ボタンを押し、データを更新して下さい。"));
        return;
    }
    if ((index == SecondPage || index == ThirdPage) && !m_manual)
        fillAutomaticAmounts(index == ThirdPage ? CurveMethod::ThirdOrder
                                                : CurveMethod::SecondOrder);
    checkPage();
    setWindowModified(false);
}

// ---------------------------------------------------------------------------------------------
// Options

void TWS2010::opt2JikyokusenClick() {
    showMethod(CurveMethod::SecondOrder);
    setWindowModified(true);
}

void TWS2010::opt3JiKyokusenClick() {
    showMethod(CurveMethod::ThirdOrder);
    setWindowModified(true);
}

void TWS2010::optAutoClick() {
    m_manual = false;
    setWindowModified(true);
}

void TWS2010::optManualClick() {
    m_manual = true;
    setWindowModified(true);
}

void TWS2010::optUnitClick(int rounding) {
    showRounding(rounding);
    setWindowModified(true);
}

// ---------------------------------------------------------------------------------------------
// Buttons

WageTableTexts TWS2010::texts() const {
    WageTableTexts t;
    t.gradeCount = txtTokyusu->text();
    t.head.title = txtTitle->text();
    t.head.method = m_method;
    t.head.manualAmounts = m_manual;
    t.head.rounding = m_rounding;
    t.head.scaleCode = m_codes[0];
    t.head.secondCode = m_codes[1];
    t.head.thirdCode = m_codes[2];
    for (int g = 1; g <= MaxGrades; ++g) {
        const size_t i = size_t(g);
        ScaleRowTexts& s = t.scale[i];
        s.grade = txt1Tokyu[i]->text();
        s.name = txt1TKName[i]->text();
        s.lower = txtKagen[i]->text();
        s.base = txtKiso[i]->text();
        s.upper = txtJyogen[i]->text();
        s.spread = txtSplet[i]->text();
        s.range = txtLenji[i]->text();
    }
    for (CurveMethod m : {CurveMethod::SecondOrder, CurveMethod::ThirdOrder}) {
        const bool third = m == CurveMethod::ThirdOrder;
        CurvePageTexts& page = third ? t.third : t.second;
        page.rate = (third ? txt3Kakeritsu : txt2Kakeritsu)->text();
        for (int g = 1; g <= MaxGrades; ++g) {
            const size_t i = size_t(g);
            page.rows[i].grade = (third ? txt3Tokyu : txt2Tokyu)[i]->text();
            for (int p = 0; p < (third ? 4 : 3); ++p) {
                page.rows[i].step[size_t(p)] = (*curveSteps(m)[size_t(p)])[i]->text();
                page.rows[i].amount[size_t(p)] = (*curveAmounts(m)[size_t(p)])[i]->text();
            }
        }
    }
    return t;
}

void TWS2010::btnAddClick() {
    if (!m_exits->checkFocused())
        return;
    WaitCursor wait;
    const WageTableTexts t = texts();
    // Every field is checked before anything is written.
    if (const std::optional<FieldProblem> problem = CheckSavedFields(t)) {
        wait.restore();
        refuse(findChild<QLineEdit*>(problem->ref.controlName()), problem->message);
        return;
    }
    const int kco = Project::current()->companyYear().kco;
    const int year = Project::current()->companyYear().nendo;
    GenerationFault fault;
    switch (SaveWageTable(kco, year, DefinitionOfTexts(t), gradeNames(), &fault).outcome) {
    case SaveOutcome::Saved:
        break;
    case SaveOutcome::OutOfRange:
        wait.restore();
        refuse(findChild<QLineEdit*>(FaultField(m_method, fault).controlName()),
               MsgText::OutOfRange());
        return;
    case SaveOutcome::Failed:
        return; // nothing was written and the data module has said why; the edits stay
    case SaveOutcome::ChangedByOther:
        // Said why; what the other person saved is shown instead of the edits.
        reload();
        checkPage();
        setWindowModified(false);
        return;
    }
    reload();
    checkPage();
    setWindowModified(false);
}

void TWS2010::btnCancelClick() {
    m_exits->forget();
    reload();
    checkPage();
    setWindowModified(false);
}

bool TWS2010::askToLeave(const QString& noLine) {
    if (!isWindowModified())
        return true;
    if (Msg::yesNo(QStringList{ChangedData, QStringLiteral("【はい】:戻ります。"), noLine}.join(
                       QLatin1Char('\r')),
                   QStringLiteral("確認"))) {
        checkPage();
        return false;
    }
    return true;
}

bool TWS2010::confirmBeforePrint() {
    m_exits->forget();
    return askToLeave(QStringLiteral("【いいえ】:続行します。"));
}

void TWS2010::btnSalaryListClick() {
    if (!confirmBeforePrint())
        return;
    PrintStoredWageTable(this, txtTitle->text());
}

// Like the print: the stored table, after asking whether unsaved edits may stay out of it.
void TWS2010::btnExcelClick() {
    if (!confirmBeforePrint())
        return;
    SaveStoredWageTableWorkbook(this, txtTitle->text());
}

void TWS2010::btnCloseClick() {
    m_exits->forget();
    if (!askToLeave(MsgText::NoClosesScreen()))
        return;
    setWindowModified(false);
    if (m_baseAmounts)
        m_baseAmounts->close();
    QDialog::reject();
}

void TWS2010::reject() {
    btnCloseClick();
}

void TWS2010::btnKijungakuClick() {
    if (!m_exits->checkFocused())
        return;
    WaitCursor wait;
    baseAmounts()->refresh();
}
