#include "gui/raise/WS3010_RaiseInput.h"

#include "core/common/Counts.h"
#include "core/common/Dates.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "core/masters/EmployeeFieldChecks.h"
#include "core/masters/EmployeeRecord.h"
#include "core/masters/ListMove.h"
#include "core/raise/RollOver.h"
#include "data/project/CompanySettingsCache.h"
#include "data/project/Project.h"
#include "data/raise/RaiseStore.h"
#include "gui/common/FieldExits.h"
#include "gui/common/Hourglass.h"
#include "gui/raise/RaiseListGrid.h"
#include "gui/raise/WS3020_EvaluationConversion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>

namespace {

const Project& project() {
    return *Project::current();
}

QString noTableAmountText(const MissingWageAmount& m) {
    return QStringLiteral("賃金表に %1等級 %2号俸 の金額がありません。").arg(m.grade).arg(m.step);
}

// Linked base pay and a grade not chosen for promotion.
QColor lockedColour() {
    return QColor(166, 202, 240);
}

QString codePart(const QString& text) {
    return NthField(text.trimmed(), QLatin1Char(' '), 1);
}

// The code of a "code : name" box; 0 when it is not a whole number.
int boxCode(const QComboBox* box) {
    bool ok = false;
    const int code = codePart(box->currentText()).toInt(&ok);
    return ok ? code : 0;
}

// A box read as a whole number, text that is none as 0.
int wholeOf(const QLineEdit* box) {
    return CommaTextToInt(box->text());
}

Currency amountOf(const QLineEdit* box) {
    return NumberOfText(box->text());
}

void paintBase(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    w->setPalette(p);
}

} // namespace

// ---- Preparing and clearing ------------------------------------------------------------

void TWS3010::prepare() {
    m_exits->forget();
    showPayCaptions();
    fillGradeLists();
    clearFields();
    txtCureentNo->clear();
    m_filter = 0;
    optGrade[0]->setChecked(true);
    readEvaluationCodes();
    m_settingPage = true;
    PageControl1->setCurrentIndex(StepPage);
    m_settingPage = false;
    loadList();
    setCursorRow(1);
    StringGrid1Click(1);
    setWindowModified(false);
}

void TWS3010::fillGradeLists() {
    const TMKIGYOU2& c = project().settings();
    const int grades = WageTableGradeCount(project().companyYear());
    m_gradeCount = grades;
    QStringList items{QStringLiteral("1 : ") + c.TK[1]};
    for (int g = 2; g <= qMin(grades, 9); ++g)
        if (!c.TK[size_t(g)].isEmpty())
            items << GradeText(g, c);
    for (QComboBox* box : {cmbSikaku, cmbNewToukyu}) {
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItems(items);
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
}

void TWS3010::readEvaluationCodes() {
    LoadEvaluationCodes(project().companyYear(), m_codes);
    const QSignalBlocker quiet(cmbHyouka);
    const QString shown = cmbHyouka->currentText();
    cmbHyouka->clear();
    for (const EvaluationCode& e : m_codes)
        cmbHyouka->addItem(QString::number(e.code) + QStringLiteral(" : ") + e.symbol);
    cmbHyouka->setCurrentIndex(-1);
    cmbHyouka->setEditText(shown);
}

void TWS3010::clearFields() {
    cmbWorkerCode->setEditText(QString());
    for (QLineEdit* e : {txtWorkerCode, txtWorkerName, txtHyouka1, txtHyouka2, txtHyouka3})
        e->clear();
    for (QComboBox* c : {cmbSikaku, cmbNewToukyu, cmbHyouka})
        c->setEditText(QString());
    for (QLineEdit* e : {txtTairyuu, txtGouhou, txtUPGousu, txtCalcGousu, txtNewGouhou})
        e->setText(QStringLiteral("0"));
    for (int i = 1; i <= BasePayItemCount; ++i)
        for (QLineEdit* e : {txtBKihon[size_t(i)], txtUKihon[size_t(i)], txtAKihon[size_t(i)]})
            e->setText(QStringLiteral("0"));
    for (int i = 1; i <= AllowanceCount; ++i)
        for (QLineEdit* e : {txtBTeate[size_t(i)], txtUTeate[size_t(i)], txtATeate[size_t(i)]})
            e->setText(QStringLiteral("0"));
    m_currentCode = 0;
    m_loadedCode = 0;
    m_bonus1 = Currency();
    m_bonus2 = Currency();
    m_link = 0;
    applyLinkLocks();
    showPromotion(false);
    recompute();
}

// ---- The list ----------------------------------------------------------------------------

void TWS3010::fillCodeList() {
    // The code box lists every employee of the year, whatever the grade filter.
    QVector<RaiseListRow> all;
    LoadRaiseList(project().companyYear(), 0, all);
    const QString shown = cmbWorkerCode->currentText();
    const QSignalBlocker quiet(cmbWorkerCode);
    cmbWorkerCode->clear();
    for (const RaiseListRow& r : all)
        cmbWorkerCode->addItem(QString::number(r.SCO) + QStringLiteral(" : ") + r.SNA);
    cmbWorkerCode->setCurrentIndex(-1);
    cmbWorkerCode->setEditText(shown);
}

void TWS3010::loadList() {
    fillCodeList();
    QVector<RaiseListRow> rows;
    LoadRaiseList(project().companyYear(), m_filter, rows);
    m_list->setEmployees(std::move(rows), project().ageBase());
    listShown();
}

void TWS3010::rowChosen(int) {
    loadEmployee(m_currentCode);
}

// ---- One employee ------------------------------------------------------------------------

bool TWS3010::loadEmployee(int code) {
    RaiseRecord r;
    switch (LoadRaiseRecord(project().companyYear(), code, r, true)) {
    case LoadResult::Failed:
        return false;
    case LoadResult::Missing:
        recompute();
        return false;
    case LoadResult::Found:
        break;
    }
    showEmployee(r);
    setWindowModified(false);
    return true;
}

void TWS3010::showEmployee(const RaiseRecord& r) {
    const RaiseStart s = StartOfRaise(r, m_codes);
    const RaiseDecision& d = s.decision;
    const TMKIGYOU2& c = project().settings();
    m_loadedCode = r.SCO;
    txtWorkerCode->setText(r.SCOT);
    txtWorkerName->setText(r.SNA);
    txtTairyuu->setText(QString::number(YearsToBase(r.THI, project().ageBase())));
    cmbSikaku->setEditText(GradeText(d.grade, c));
    cmbNewToukyu->setEditText(GradeText(d.newGrade, c));
    cmbHyouka->setEditText(EvalCodeText(QString::number(d.evaluation), evaluationList()));
    txtHyouka1->setText(r.HNA1);
    txtHyouka2->setText(r.HNA2);
    txtHyouka3->setText(r.HNA3);
    txtGouhou->setText(QString::number(d.step));
    txtUPGousu->setText(QString::number(d.stepsUp));
    txtNewGouhou->setText(QString::number(d.newStep));
    m_link = s.link;
    applyLinkLocks();
    for (size_t i = 1; i <= BasePayItemCount; ++i) {
        setAmount(txtBKihon[i], s.items.baseBefore[i]);
        setAmount(txtUKihon[i], s.items.baseUp[i]);
    }
    for (size_t i = 1; i <= AllowanceCount; ++i) {
        setAmount(txtBTeate[i], s.items.allowanceBefore[i]);
        setAmount(txtATeate[i], s.items.allowanceAfter[i]);
    }
    m_bonus1 = r.SYOUYO;
    m_bonus2 = r.SYOUYO2;
    showPromotion(d.promotion);
    recompute();
}

CodeList TWS3010::evaluationList() const {
    CodeList list;
    for (const EvaluationCode& e : m_codes)
        list.push_back({QString::number(e.code), e.symbol});
    return list;
}

void TWS3010::showPromotion(bool on) {
    m_promotion = on;
    chkUP->setChecked(on);
    cmbNewToukyu->setEnabled(on);
    paintBase(cmbNewToukyu, on ? palette().color(QPalette::Base) : lockedColour());
    txtUPGousu->setEnabled(!on);
    txtCalcGousu->setEnabled(!on);
}

void TWS3010::applyLinkLocks() {
    for (int i = 1; i <= BasePayItemCount; ++i) {
        const bool linked = m_link == i;
        for (QLineEdit* e : {txtBKihon[size_t(i)], txtUKihon[size_t(i)]}) {
            e->setReadOnly(linked);
            e->setFocusPolicy(linked ? Qt::NoFocus : Qt::StrongFocus);
            paintBase(e, linked ? lockedColour() : palette().color(QPalette::Base));
        }
    }
}

void TWS3010::setAmount(QLineEdit* box, Currency value) {
    box->setText(MoneyBoxText(value));
}

RaiseItems TWS3010::items() const {
    RaiseItems it;
    for (size_t i = 1; i <= BasePayItemCount; ++i) {
        it.baseBefore[i] = amountOf(txtBKihon[i]);
        it.baseUp[i] = amountOf(txtUKihon[i]);
    }
    for (size_t i = 1; i <= AllowanceCount; ++i) {
        it.allowanceBefore[i] = amountOf(txtBTeate[i]);
        it.allowanceAfter[i] = amountOf(txtATeate[i]);
    }
    return it;
}

RaiseDecision TWS3010::decision() const {
    RaiseDecision d;
    d.grade = boxCode(cmbSikaku);
    d.step = wholeOf(txtGouhou);
    d.evaluation = boxCode(cmbHyouka);
    d.newGrade = boxCode(cmbNewToukyu);
    d.stepsUp = wholeOf(txtUPGousu);
    d.newStep = wholeOf(txtNewGouhou);
    d.promotion = m_promotion;
    return d;
}

void TWS3010::recompute() {
    txtCalcGousu->setText(QString::number(wholeOf(txtGouhou) + wholeOf(txtUPGousu)));
    const RaiseItems it = items();
    const RaisePay p = ComputeRaisePay(it);
    for (size_t i = 1; i <= BasePayItemCount; ++i)
        setAmount(txtAKihon[i], p.baseAfter[i]);
    for (size_t i = 1; i <= AllowanceCount; ++i)
        setAmount(txtUTeate[i], p.allowanceUp[i]);
    setAmount(txtBKihonSum, p.baseSumBefore);
    setAmount(txtUKihonSum, p.baseSumUp);
    setAmount(txtAKihonSum, p.baseSumAfter);
    setAmount(txtBSumTeate, p.allowanceSumBefore);
    setAmount(txtUSumTeate, p.allowanceSumUp);
    setAmount(txtASumTeate, p.allowanceSumAfter);
    setAmount(txtBTotal, p.totalBefore);
    setAmount(txtUTotal, p.totalUp);
    setAmount(txtATotal, p.totalAfter);
    txtURitsu->setText(RaiseRateText(RaiseRate(p.totalBefore, p.totalAfter)));
    const EmployeePay annual = ComputeEmployeePay(it.baseBefore, p.baseAfter, it.allowanceBefore,
                                                  it.allowanceAfter, m_bonus1, m_bonus2);
    setAmount(txtBNensyu, annual.annualBefore);
    setAmount(txtANensyu, annual.annualAfter);
}

// The linked base pay before the raise follows the current grade and step, the one after it
// the new grade and step; the other items keep their amount after the raise.
void TWS3010::linkBefore() {
    if (m_link < 1 || m_link > 3)
        return;
    const QString grade = codePart(cmbSikaku->currentText());
    const QString step = txtGouhou->text().trimmed();
    if (grade.isEmpty() || step.isEmpty())
        return;
    const size_t n = size_t(m_link);
    const Currency after = amountOf(txtAKihon[n]);
    const Currency before =
        Currency::fromInt(WageTableAmount(project().companyYear(), grade, step));
    setAmount(txtBKihon[n], before);
    setAmount(txtUKihon[n], after - before);
    recompute();
}

void TWS3010::linkAfter() {
    if (m_link < 1 || m_link > 3)
        return;
    const QString grade = codePart(cmbNewToukyu->currentText());
    const QString step = txtNewGouhou->text().trimmed();
    if (grade.isEmpty() || step.isEmpty())
        return;
    const size_t n = size_t(m_link);
    const int amount = WageTableAmount(project().companyYear(), grade, step);
    if (amount == 0)
        return; // the table has none: the pay shown stays, and the save refuses the raise
    setAmount(txtUKihon[n], Currency::fromInt(amount) - amountOf(txtBKihon[n]));
    recompute();
}

// The box to put right: the new grade when the table has no such grade, else the new step.
// Whichever box was left, the focus never stays in one that is not at fault, so that a
// promotion typed grade first can still reach its step.
QWidget* TWS3010::faultField(const MissingWageAmount& missing) const {
    if (missing.grade > m_gradeCount && cmbNewToukyu->isEnabled())
        return cmbNewToukyu;
    return txtNewGouhou;
}

// The new grade and step as entered, when both are and the linked base pay after the raise
// has no amount in the wage table there (a step past the table's end, a grade it lacks).
std::optional<MissingWageAmount> TWS3010::missingAfterAmount() const {
    const int grade = boxCode(cmbNewToukyu);
    const int step = wholeOf(txtNewGouhou);
    if (grade == 0 || step == 0)
        return std::nullopt;
    const CompanyYear cy = project().companyYear();
    return MissingLinkedAmount(m_link, grade, step, [cy](int g, int s) -> qint64 {
        return WageTableAmount(cy, QString::number(g), QString::number(s));
    });
}

// ---- Field exits -------------------------------------------------------------------------

bool TWS3010::refuse(QWidget* field, const QString& message) {
    return m_exits->refuse(field, message);
}

bool TWS3010::checkMoney(QLineEdit* box) {
    // A box that follows the wage table is not the user's to type.
    if (box->isReadOnly())
        return true;
    if (!amountExit(box))
        return false;
    recompute();
    return true;
}

bool TWS3010::cmbWorkerCodeExit() {
    const TypedCode c = takeTypedCode();
    if (c.code == 0)
        return !c.refused;
    const QString text = cmbWorkerCode->currentText().trimmed();
    RaiseRecord probe;
    const LoadResult found = LoadRaiseRecord(project().companyYear(), c.code, probe);
    if (found == LoadResult::Failed)
        return false;
    if (found == LoadResult::Missing) {
        showStepPage(nullptr);
        return refuse(cmbWorkerCode, MsgText::NoEmployeeData());
    }
    m_codeTyped = false;
    m_currentCode = c.code;
    cmbWorkerCode->setEditText(codePart(text));
    const int row = m_list->gridRowOf(c.code);
    if (row != 0) {
        selectRowOfCode(c.code);
        txtCureentNo->setText(QString::number(row));
    } else {
        // Stored but outside the grade filter: shown all the same, so that the save acts on
        // the employee whose data the fields hold.
        showEmployee(probe);
        txtCureentNo->clear();
    }
    setHighlight(row != 0);
    setWindowModified(false);
    return true;
}

bool TWS3010::cmbSikakuExit() {
    const QString text = cmbSikaku->currentText().trimmed();
    if (text.isEmpty())
        return true;
    const CodeCheck c = CheckGradeText(text);
    if (!c.ok())
        return refuse(cmbSikaku, c.message);
    cmbSikaku->setEditText(QString::number(c.code));
    linkBefore();
    return true;
}

bool TWS3010::cmbNewToukyuExit() {
    const QString text = cmbNewToukyu->currentText().trimmed();
    if (text.isEmpty())
        return true;
    const CodeCheck c = CheckCodeNumber(text);
    if (!c.ok())
        return refuse(cmbNewToukyu, c.message);
    if (c.code < 1 || c.code > HighestGrade)
        return refuse(cmbNewToukyu,
                      QStringLiteral("入力範囲外です。1  ～ 9 の値を入力して下さい。"));
    if (const auto missing = missingAfterAmount())
        return refuse(faultField(*missing), noTableAmountText(*missing));
    linkAfter();
    return true;
}

bool TWS3010::cmbHyoukaExit() {
    const QString text = cmbHyouka->currentText().trimmed();
    if (text.isEmpty())
        return true;
    const CodeCheck c = CheckEvaluationText(text, evaluationList());
    if (!c.ok())
        return refuse(cmbHyouka, c.message);
    cmbHyouka->setEditText(EvalCodeText(QString::number(c.code), evaluationList()));
    txtUPGousu->setText(QString::number(StepsForEvaluation(m_codes, c.code)));
    recompute();
    return true;
}

bool TWS3010::txtGouhouExit() {
    const QString problem = CheckWholeNumberText(txtGouhou->text(), 0, 80);
    if (!problem.isEmpty())
        return refuse(txtGouhou, problem);
    txtGouhou->setText(QString::number(txtGouhou->text().trimmed().toInt()));
    recompute();
    linkBefore();
    return true;
}

bool TWS3010::txtNewGouhouExit() {
    const QString problem = CheckIntegerText(txtNewGouhou->text(), false);
    if (!problem.isEmpty())
        return refuse(txtNewGouhou, problem);
    txtNewGouhou->setText(QString::number(txtNewGouhou->text().trimmed().toInt()));
    if (const auto missing = missingAfterAmount())
        return refuse(faultField(*missing), noTableAmountText(*missing));
    linkAfter();
    return true;
}

void TWS3010::chkUPClick() {
    showPromotion(chkUP->isChecked());
    if (!m_promotion) {
        // Back to the current grade: the linked pay after the raise follows it.
        cmbNewToukyu->setEditText(cmbSikaku->currentText());
        linkAfter();
    }
    setWindowModified(true);
}

// ---- Saving ------------------------------------------------------------------------------

void TWS3010::btnAddClick() {
    if (!m_exits->checkFocused())
        return;
    if (cmbWorkerCode->currentText().trimmed().isEmpty()) {
        Msg::info(MsgText::EmployeeCodeMissing());
        showStepPage(cmbWorkerCode);
        return;
    }
    if (codePart(cmbNewToukyu->currentText()).isEmpty()) {
        Msg::info(QStringLiteral("New等級が、入力されていません。"));
        showStepPage(nullptr);
        return;
    }
    if (wholeOf(txtNewGouhou) == 0) {
        Msg::info(QStringLiteral("New号俸　が、入力されていません。"));
        showStepPage(txtNewGouhou);
        return;
    }
    if (const auto missing = missingAfterAmount()) {
        // Saved, the linked pay after the raise would be 0 and the roll-over would carry it.
        Msg::info(noTableAmountText(*missing));
        showStepPage(faultField(*missing));
        return;
    }
    if (m_loadedCode == 0) {
        Msg::info(MsgText::NoEmployeeData());
        showStepPage(cmbWorkerCode);
        return;
    }
    const RaiseEntry entry = MakeRaiseEntry(m_loadedCode, decision(), items(), m_bonus1, m_bonus2);
    bool nextYearExists = false;
    {
        Hourglass wait;
        const SaveResult saved = SaveRaise(project().companyYear(), entry, &nextYearExists);
        if (saved.outcome == SaveOutcome::Failed)
            return; // nothing written; the user was told why
        // Said why; what the other person saved is shown instead of the edits.
        if (showChangedByOther(saved, entry.SCO))
            return;
        const RaiseDecision& d = entry.decision;
        m_list->updateRaise(entry.SCO, d.grade, d.newGrade, d.step, d.newStep);
        loadEmployee(entry.SCO);
    }
    StringGrid1->viewport()->update();
    setWindowModified(false);
    // Stored as asked, but the next year was rolled over before it and does not have it.
    if (nextYearExists)
        Msg::warning(RaiseAfterRollOverText(project().companyYear().nendo));
}

// ---- Moving ------------------------------------------------------------------------------

void TWS3010::reloadStored(int code) {
    loadList();
    if (const int row = m_list->gridRowOf(code); row != 0)
        setCursorRow(row);
    loadEmployee(code);
}

void TWS3010::focusKeptEdits() {
    showStepPage(txtGouhou);
}

void TWS3010::showStepPage(QWidget* focus) {
    m_settingPage = true;
    PageControl1->setCurrentIndex(StepPage);
    m_settingPage = false;
    if (focus)
        m_exits->moveFocus(focus);
}

void TWS3010::focusAfterMove() {
    if (PageControl1->currentIndex() == StepPage)
        m_exits->moveFocus(txtGouhou);
    else
        m_exits->moveFocus(txtBKihon[1]);
}

void TWS3010::movedTo(ListMove move) {
    if (move != ListMove::Last)
        focusAfterMove();
}

void TWS3010::gradeFilterClick(int grade) {
    const bool drop = askBeforeDropping(QStringLiteral("【いいえ】:元のデータ　へ。"), [this] {
        const QSignalBlocker quiet(m_gradeGroup);
        optGrade[size_t(m_filter)]->setChecked(true);
        showStepPage(nullptr);
    });
    if (!drop)
        return;
    Hourglass wait;
    m_exits->forget();
    m_filter = grade;
    optGrade[size_t(grade)]->setChecked(true);
    clearFields();
    txtCureentNo->clear();
    m_exits->moveFocus(cmbWorkerCode);
    loadList();
    setCursorRow(1);
    setWindowModified(false); // asked above
    StringGrid1Click(1);
    setWindowModified(false);
}

void TWS3010::PageControl1Change(int index) {
    if (m_settingPage)
        return;
    // A tab takes no focus, so the field typed in is only now left: its check runs before
    // the focus is moved on quietly (a chosen evaluation would otherwise never count).
    if (!m_exits->checkFocused())
        return;
    if (index == StepPage) {
        m_exits->moveFocus(txtGouhou);
        return;
    }
    // The first amount the user may type: base pay 1's Up unless it follows the table.
    for (QLineEdit* e : editableAmounts())
        if (!e->isReadOnly()) {
            m_exits->moveFocus(e);
            return;
        }
}

// ---- Commands ----------------------------------------------------------------------------

void TWS3010::btnCancelClick() {
    m_exits->forget();
    clearFields();
    showStepPage(cmbWorkerCode);
    setHighlight(false);
    setCursorRow(1);
    txtCureentNo->clear();
    StringGrid1->viewport()->update();
    setWindowModified(false);
}

void TWS3010::btnHyogoClick() {
    if (!m_exits->settle())
        return;
    {
        TWS3020 codes(this);
        codes.start();
    }
    readEvaluationCodes();
    focusAfterMove();
}
