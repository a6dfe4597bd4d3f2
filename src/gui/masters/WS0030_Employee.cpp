#include "gui/masters/WS0030_Employee.h"

#include "core/common/AppState.h"
#include "core/common/Counts.h"
#include "core/common/Dates.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "core/masters/EmployeeFieldChecks.h"
#include "core/masters/ListMove.h"
#include "core/masters/NegativeYears.h"
#include "data/db/RecordGuard.h"
#include "data/masters/EmployeeStore.h"
#include "data/masters/EmployeeTransfer.h"
#include "data/project/CompanySettingsCache.h"
#include "data/project/Project.h"
#include "data/report/ReportHeaders.h"
#include "gui/common/Controls.h"
#include "gui/common/DateFields.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldExits.h"
#include "gui/common/Hourglass.h"
#include "gui/common/WorkbookSave.h"
#include "gui/masters/EmployeeListGrid.h"
#include "gui/masters/WS0030_EmployeeLayout.h"
#include "render/masters/JpegDecoder.h"
#include "render/workbook/EmployeeWorkbook.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const Project& project() {
    return *Project::current();
}

using namespace EmployeeLayout;

const QString NoCode = QStringLiteral("0 : なし");

// A typed whole number, or `otherwise` when the text is not one.
int typedInt(const QString& text, int otherwise) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : otherwise;
}

// The code part of a "code : name" text; ok false when it is not a whole number.
int codePart(const QString& text, bool* ok) {
    return NthField(text.trimmed(), QLatin1Char(' '), 1).toInt(ok);
}

int boxCode(const QComboBox* box) {
    bool ok = false;
    const int code = codePart(box->currentText(), &ok);
    return ok ? code : 0;
}

Currency typedAmount(const QLineEdit* box) {
    return NumberOfText(box->text());
}

void paintBox(QLineEdit* box, const QColor& colour, bool readOnly) {
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colour);
    box->setPalette(p);
    box->setReadOnly(readOnly);
}

// Photo names are stored with backslashes between folders, as on the systems the data may
// come from; the file system here wants slashes.
QString photoPath(const QString& name) {
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return state().AppDir + QStringLiteral("Picture/") + relative;
}

QImage loadPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool jpeg = suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg") ||
                      (suffix != QStringLiteral("bmp") && bytes.startsWith("\xFF\xD8"));
    if (jpeg)
        return DecodeJpeg(bytes);
    QImage image;
    image.loadFromData(bytes, "BMP");
    return image;
}

} // namespace

// ---- Preparing and clearing ------------------------------------------------------------

void TWS0030::prepare() {
    setFixedSize(FormWidth, FormHeight);
    PageControl1->setCurrentIndex(0);
    fillChoiceLists();
    clearForm();
    showPayCaptions();
    fillEraBoxes();
    loadList();
    setCursorRow(1);
    setWindowModified(false); // the cleared form holds nothing to ask about
    StringGrid1Click(1);
    setWindowModified(false);
}

void TWS0030::fillChoiceLists() {
    cmbMibun->clear();
    for (int k : {1, 2, 3, 4, 0})
        cmbMibun->addItem(EmployeeKindText(k));

    cmbSikaku->clear();
    for (int g = 1; g <= MaxGrades; ++g)
        cmbSikaku->addItem(QString::number(g) + QStringLiteral(" : ") +
                           project().settings().TK[size_t(g)]);
    cmbSikaku->addItem(NoCode);

    cmbMark->clear();
    for (int m = 1; m <= MarkCount; ++m)
        cmbMark->addItem(MarkLegendText(m, project().marks()));

    // The evaluation codes of the year fill the shared code list as well.
    cmbHyouka1->clear();
    LoadEvalCodes(project().companyYear(), m_evalCodes);
    for (const CodeEntry& e : m_evalCodes)
        cmbHyouka1->addItem(e.code + QStringLiteral(" : ") + e.name);
    cmbHyouka1->addItem(NoCode);
}

void TWS0030::fillEraBoxes() {
    const AppState& s = state();
    const bool eras = project().eraMode() != 0;
    for (QComboBox* box : {cmbSeiNengou, cmbNyuNengou, cmbTouNengou}) {
        const QSignalBlocker quiet(box);
        box->clear();
        for (int i = 1; i <= EraCount; ++i)
            if (!s.EraNames[size_t(i)].isEmpty())
                box->addItem(s.EraNames[size_t(i)]);
        if (box->count() == 0)
            box->addItem(QStringLiteral("未設定"));
        box->addItem(QString());
        box->setCurrentIndex(box->count() - 1);
        box->setVisible(eras);
    }
}

void TWS0030::clearForm() {
    cmbWorker->setEditText(QString());
    txtWorker->clear();
    for (QLineEdit* e : {txtWorkerNo, txtWorkName, txtYakusyoku, txtGakureki, txtSenkou, txtKSikaku,
                         txtHaizoku, txtHyouka2, txtHyouka3, txtHyouka4})
        e->clear();
    showPhoto(QString());
    OptSex1->setChecked(true);
    for (QComboBox* c : {cmbMibun, cmbSikaku, cmbMark, cmbHyouka1})
        c->setEditText(NoCode);
    for (QComboBox* c : {cmbSeiNengou, cmbNyuNengou, cmbTouNengou})
        c->setCurrentIndex(c->count() - 1);
    for (QLineEdit* e :
         {txtSeiyy, txtSeimm, txtSeidd, txtNyuyy, txtNyumm, txtNyudd, txtTouyy, txtToumm, txtToudd,
          txtGouhou, txtZone, txtTasseiRitsu, txtKeikenNen, txtSyokumuTensu})
        e->setText(QStringLiteral("0"));
    for (QLineEdit* e : moneyBoxes())
        e->setText(QStringLiteral("0"));
    txtTaisyokuKin->setText(QStringLiteral("0.000"));
    m_currentCode = 0;
    m_link = 0;
    applyLinkColours();
    recomputeSums();
}

// ---- The list ----------------------------------------------------------------------------

void TWS0030::loadList() {
    StringGrid1->setEnabled(true);
    QVector<EmployeeListRow> rows;
    LoadEmployeeList(project().companyYear(), m_filter, rows);
    QStringList items;
    items.reserve(rows.size());
    for (const EmployeeListRow& r : rows)
        items << QString::number(r.SCO) + QStringLiteral(" : ") + r.SNA;
    fillCodeBox(cmbWorker, items);
    m_list->setEmployees(std::move(rows), project().ageBase());
    listShown();
}

void TWS0030::rowChosen(int gridRow) {
    txtWorker->setText(m_list->nameAt(gridRow));
    loadEmployee(m_currentCode);
}

void TWS0030::focusKeptEdits() {
    focusBasic(txtWorkerNo);
}

void TWS0030::focusBasic(QWidget* field) {
    PageControl1->setCurrentIndex(0);
    moveFocus(field);
}

void TWS0030::moveFocus(QWidget* field) {
    m_exits->moveFocus(field);
}

void TWS0030::movedTo(ListMove) {
    btnAdd->setEnabled(false);
    txtWorker->setText(txtWorkName->text());
}

void TWS0030::gradeFilterClick(int grade) {
    if (isWindowModified()) {
        {
            const QSignalBlocker quiet(m_gradeGroup);
            optGrade[size_t(m_filter)]->setChecked(true);
        }
        Msg::info(QStringLiteral(
            "ﾃﾞｰﾀが変更されています。変更する場合は、登録・修正 ボタン　を、変更しない場合は、"
            "キャンセル ボタン　を押して下さい。"));
        PageControl1->setCurrentIndex(0);
        moveFocus(optGrade[size_t(grade)]);
        return;
    }
    Hourglass wait;
    m_filter = grade;
    optGrade[size_t(grade)]->setChecked(true);
    loadList();
    setCursorRow(1);
    StringGrid1Click(1);
    setWindowModified(false);
}

// ---- One employee ------------------------------------------------------------------------

bool TWS0030::loadEmployee(int code) {
    EmployeeRecord e;
    switch (LoadEmployee(project().companyYear(), code, e)) {
    case LoadResult::Failed:
        return false;
    case LoadResult::Missing:
        btnMnt->setEnabled(false);
        btnDlt->setEnabled(false);
        return false;
    case LoadResult::Found:
        break;
    }
    btnAdd->setEnabled(false);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    showEmployee(e);
    setWindowModified(false);
    return true;
}

void TWS0030::showEmployee(const EmployeeRecord& e) {
    auto codeText = [](int code, const QString& text) { return code == 0 ? NoCode : text; };

    txtWorkerNo->setText(e.SCOT);
    txtWorkName->setText(e.SNA);
    (e.SEIBETSU == 1 ? OptSex2 : OptSex1)->setChecked(true);
    ShowDate({cmbSeiNengou, txtSeiyy, txtSeimm, txtSeidd}, e.SEIHI, project().eraMode());
    ShowDate({cmbNyuNengou, txtNyuyy, txtNyumm, txtNyudd}, e.NYUHI, project().eraMode());
    txtYakusyoku->setText(e.YAKU);
    cmbMibun->setEditText(codeText(e.SM1, EmployeeKindText(e.SM1)));
    txtGakureki->setText(e.GAKU);
    txtSenkou->setText(e.SENKOU);
    txtKSikaku->setText(e.KSIKAKU);
    txtHaizoku->setText(e.KEIKEN);
    ShowDate({cmbTouNengou, txtTouyy, txtToumm, txtToudd}, e.THI, project().eraMode());
    cmbSikaku->setEditText(codeText(e.TOUKYU, GradeText(e.TOUKYU, project().settings())));
    txtGouhou->setText(QString::number(e.GOUHOU));
    txtZone->setText(QString::number(e.ZONEX));
    txtTasseiRitsu->setText(e.TRITSU.toString());
    cmbHyouka1->setEditText(codeText(e.HCO, EvalCodeText(QString::number(e.HCO), m_evalCodes)));
    txtHyouka2->setText(e.HNA1);
    txtHyouka3->setText(e.HNA2);
    txtHyouka4->setText(e.HNA3);
    txtKeikenNen->setText(QString::number(e.NENSU));
    txtSyokumuTensu->setText(QString::number(e.TENSU));
    cmbMark->setEditText(codeText(e.MCO, MarkLegendText(e.MCO, project().marks())));
    showPhoto(e.SPATH);

    m_link = NormalisedLink(e.JISEKI);
    for (int i = 1; i <= BasePayItemCount; ++i) {
        // The linked component shows the wage table's amounts at the employee's grade and step.
        const bool linked = m_link == i;
        txtKihon[size_t(i)]->setText(
            MoneyBoxText(linked ? Currency::fromInt(e.KIN) : e.KKYU[size_t(i)]));
        txtAFKihon[size_t(i)]->setText(
            MoneyBoxText(linked ? Currency::fromInt(e.NKIN) : e.NKKYU[size_t(i)]));
    }
    for (int i = 1; i <= AllowanceCount; ++i) {
        txtTeate[size_t(i)]->setText(MoneyBoxText(e.TEATE[size_t(i)]));
        txtAFTeate[size_t(i)]->setText(MoneyBoxText(e.NTEATE[size_t(i)]));
    }
    txtBonus1->setText(MoneyBoxText(e.SYOUYO));
    txtBonus2->setText(MoneyBoxText(e.SYOUYO2));
    txtTaisyokuKin->setText(RetirementRateText(e.SRITSU));
    applyLinkColours();
    recomputeSums();
}

void TWS0030::showPhoto(const QString& name) {
    m_photoName = name;
    Image1->clear();
    if (name.isEmpty())
        return;
    const QString path = photoPath(name);
    const QImage image = loadPicture(path);
    if (image.isNull()) {
        // The name stays and is saved again: the folder may only be out of reach for now
        // (another computer's copy, a network drive). The box says why it is empty.
        Image1->setText((QFileInfo::exists(path)
                             ? QStringLiteral("写真ファイルを読み込めません: %1")
                             : QStringLiteral("写真ファイルが見つかりません: %1"))
                            .arg(name));
        return;
    }
    QPixmap picture = QPixmap::fromImage(image);
    // Larger photos are shown whole, scaled down into the box.
    if (picture.width() > PhotoWidth - 2 || picture.height() > PhotoHeight - 2)
        picture = picture.scaled(PhotoWidth - 2, PhotoHeight - 2, Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
    Image1->setPixmap(picture);
}

// A cancelled dialog removes the photo; a file outside the photo folder changes nothing.
void TWS0030::btnPicterClick() {
    const QString folder = state().AppDir + QStringLiteral("Picture");
    const QString picked =
        Dialogs::openFileName(this, QStringLiteral("画像ファイルの選択"), folder,
                              QStringLiteral("JPEGファイル(*.jpg);;BMPファイル(*.bmp)"));
    QString name;
    if (!picked.isEmpty()) {
        const QString prefix = folder + QLatin1Char('/');
        if (!picked.startsWith(prefix)) {
            Msg::warning(
                QStringLiteral("フォルダが変更されました。表示されたフォルダ内で選択して下さい。"));
            return;
        }
        name = picked.mid(prefix.size());
        name.replace(QLatin1Char('/'), QLatin1Char('\\'));
        name = name.left(255);
    }
    showPhoto(name);
    setWindowModified(true);
}

// ---- Sums and the wage-table link ---------------------------------------------------------

void TWS0030::recomputeSums() {
    std::array<Currency, 4> base{}, baseAfter{};
    std::array<Currency, 6> allowance{}, allowanceAfter{};
    for (size_t i = 1; i <= BasePayItemCount; ++i) {
        base[i] = typedAmount(txtKihon[i]);
        baseAfter[i] = typedAmount(txtAFKihon[i]);
    }
    for (size_t i = 1; i <= AllowanceCount; ++i) {
        allowance[i] = typedAmount(txtTeate[i]);
        allowanceAfter[i] = typedAmount(txtAFTeate[i]);
    }
    const EmployeePay p = ComputeEmployeePay(base, baseAfter, allowance, allowanceAfter,
                                             typedAmount(txtBonus1), typedAmount(txtBonus2));
    txtKihonSum->setText(MoneyBoxText(p.baseBefore));
    txtAFKihonSum->setText(MoneyBoxText(p.baseAfter));
    txtTeateSum->setText(MoneyBoxText(p.allowanceBefore));
    txtAFTeateSum->setText(MoneyBoxText(p.allowanceAfter));
    txtSyotei->setText(MoneyBoxText(p.scheduledBefore));
    txtAFSyotei->setText(MoneyBoxText(p.scheduledAfter));
    txtNensyu->setText(MoneyBoxText(p.annualBefore));
    txtAFNensyu->setText(MoneyBoxText(p.annualAfter));
    txtUpKihon->setText(MoneyBoxText(p.baseRaise));
    txtTeateUP->setText(MoneyBoxText(p.allowanceRaise));
}

void TWS0030::applyLinkColours() {
    {
        const QSignalBlocker quiet(m_linkGroup);
        m_linkGroup->setExclusive(false);
        for (int i = 1; i <= BasePayItemCount; ++i)
            optKihon[size_t(i)]->setChecked(m_link == i);
        m_linkGroup->setExclusive(true);
    }
    for (int i = 1; i <= BasePayItemCount; ++i) {
        const bool linked = m_link == i;
        paintBox(txtKihon[size_t(i)], linked ? QColor(Qt::yellow) : QColor(Qt::white), linked);
        paintBox(txtAFKihon[size_t(i)], linked ? QColor(Qt::yellow) : afterRaiseColour(), linked);
    }
    for (int i = 1; i <= AllowanceCount; ++i) {
        paintBox(txtTeate[size_t(i)], Qt::white, false);
        paintBox(txtAFTeate[size_t(i)], afterRaiseColour(), false);
    }
}

void TWS0030::applyLink() {
    applyLinkColours();
    if (m_link < 1 || m_link > 3)
        return;
    const QString grade = NthField(cmbSikaku->currentText().trimmed(), QLatin1Char(' '), 1);
    const QString step = txtGouhou->text().trimmed();
    if (grade.isEmpty() || step.isEmpty())
        return;
    txtKihon[size_t(m_link)]->setText(
        MoneyBoxText(Currency::fromInt(WageTableAmount(project().companyYear(), grade, step))));
    recomputeSums();
}

void TWS0030::optKihonClick(int n) {
    m_link = n;
    setWindowModified(true);
    applyLink();
}

void TWS0030::cdRestLinkClick() {
    m_link = 0;
    setWindowModified(true);
    applyLink();
}

// ---- Field exits ---------------------------------------------------------------------------

bool TWS0030::refuse(QWidget* field, const QString& message) {
    return m_exits->refuse(field, message);
}

bool TWS0030::checkRange(QLineEdit* field, int low, int high) {
    const QString problem = CheckWholeNumberText(field->text(), low, high);
    return problem.isEmpty() || refuse(field, problem);
}

bool TWS0030::checkInteger(QLineEdit* field, bool emptyIsZero) {
    const QString problem = CheckIntegerText(field->text(), emptyIsZero);
    return problem.isEmpty() || refuse(field, problem);
}

bool TWS0030::checkNumber(QLineEdit* field) {
    const FieldCheck c = CheckRateText(field->text());
    if (!c.ok())
        return refuse(field, c.message);
    field->setText(c.shown);
    return true;
}

bool TWS0030::checkMoney(QLineEdit* field) {
    if (!amountExit(field))
        return false;
    recomputeSums();
    return true;
}

bool TWS0030::txtGouhouExit() {
    if (!txtGouhou->text().trimmed().isEmpty() && !checkRange(txtGouhou, 0, 80))
        return false;
    applyLink();
    return true;
}

bool TWS0030::txtTaisyokuKinExit() {
    const QString text = txtTaisyokuKin->text().trimmed();
    if (!text.isEmpty() && !CheckRateText(text).ok())
        return refuse(txtTaisyokuKin, MsgText::EnterNumber());
    txtTaisyokuKin->setText(RetirementRateText(NumberOfText(text)));
    return true;
}

bool TWS0030::cmbWorkerExit() {
    const TypedCode typed = takeTypedCode();
    if (typed.code == 0)
        return !typed.refused;
    const QString text = cmbWorker->currentText().trimmed();
    const int code = typed.code;
    m_codeTyped = false;
    m_currentCode = code;
    cmbWorker->setEditText(NthField(text, QLatin1Char(' '), 1));
    txtWorker->setText(NthField(text, QLatin1Char(' '), 3));
    // A new code has no row to mark; the row under the cursor is not this employee.
    const bool listed = m_list->gridRowOf(code) != 0;
    if (listed) {
        selectRowOfCode(code);
        setWindowModified(false);
    } else if (loadEmployee(code)) {
        // Stored but not listed (another grade than the filter): its data is shown all the
        // same, so that no command can act on a code whose data the form does not hold.
        setWindowModified(false);
    }
    // Otherwise a new employee's code: the form keeps what was typed, unsaved.
    setHighlight(listed);
    return true;
}

bool TWS0030::settleTypedCode() {
    // A code typed without leaving the box is taken as leaving it would take it, so that a
    // command acts on the employee whose data the form shows.
    return !m_codeTyped || cmbWorkerExit();
}

bool TWS0030::cmbMibunExit() {
    const QString text = cmbMibun->currentText().trimmed();
    if (text.isEmpty())
        return true;
    const CodeCheck c = CheckStatusText(text);
    if (!c.ok())
        return refuse(cmbMibun, c.message);
    cmbMibun->setEditText(EmployeeKindText(c.code));
    return true;
}

bool TWS0030::cmbSikakuExit() {
    const QString text = cmbSikaku->currentText().trimmed();
    if (!text.isEmpty()) {
        const CodeCheck c = CheckGradeText(text);
        if (!c.ok())
            return refuse(cmbSikaku, c.message);
        cmbSikaku->setEditText(GradeText(c.code, project().settings()));
    }
    applyLink();
    return true;
}

// A code without an entry empties the box before the refusal: the master message says why.
bool TWS0030::cmbMarkExit() {
    const QString text = cmbMark->currentText().trimmed();
    if (text.isEmpty())
        return true;
    const CodeCheck c = CheckMarkText(text, project().marks());
    if (!c.ok()) {
        if (CheckCodeNumber(text).ok())
            cmbMark->setEditText(QString());
        return refuse(cmbMark, c.message);
    }
    cmbMark->setEditText(MarkLegendText(c.code, project().marks()));
    return true;
}

bool TWS0030::cmbHyouka1Exit() {
    const QString text = cmbHyouka1->currentText().trimmed();
    if (text.isEmpty())
        return true;
    const CodeCheck c = CheckEvaluationText(text, m_evalCodes);
    if (!c.ok()) {
        if (CheckCodeNumber(text).ok())
            cmbHyouka1->setEditText(QString());
        return refuse(cmbHyouka1, c.message);
    }
    cmbHyouka1->setEditText(EvalCodeText(QString::number(c.code), m_evalCodes));
    return true;
}

// ---- Saving ------------------------------------------------------------------------------

int TWS0030::employeeCodeTyped() {
    return codeEntered(MsgText::EmployeeCodeMissing()) ? std::max(typedCode(), 0) : 0;
}

bool TWS0030::collect(EmployeeRecord& e) {
    if (!TakeDate({cmbSeiNengou, txtSeiyy, txtSeimm, txtSeidd}, e.SEIHI, project().eraMode())) {
        Msg::info(QStringLiteral("生年月日の入力エラーです。"));
        return false;
    }
    if (!TakeDate({cmbNyuNengou, txtNyuyy, txtNyumm, txtNyudd}, e.NYUHI, project().eraMode())) {
        Msg::info(QStringLiteral("入社日の入力エラーです。"));
        return false;
    }
    if (!TakeDate({cmbTouNengou, txtTouyy, txtToumm, txtToudd}, e.THI, project().eraMode())) {
        Msg::info(QStringLiteral("登用日の入力エラーです。"));
        return false;
    }
    e.SCOT = txtWorkerNo->text();
    e.SNA = txtWorkName->text();
    e.SEIBETSU = OptSex2->isChecked() ? 1 : 0;
    e.YAKU = txtYakusyoku->text();
    e.SM1 = boxCode(cmbMibun);
    e.GAKU = txtGakureki->text();
    e.SENKOU = txtSenkou->text();
    e.KSIKAKU = txtKSikaku->text();
    e.KEIKEN = txtHaizoku->text();
    e.TOUKYU = boxCode(cmbSikaku);
    e.GOUHOU = typedInt(txtGouhou->text(), 0);
    e.ZONEX = typedInt(txtZone->text(), 0);
    e.TRITSU = NumberOfText(txtTasseiRitsu->text());
    e.HCO = boxCode(cmbHyouka1);
    e.HNA1 = txtHyouka2->text();
    e.HNA2 = txtHyouka3->text();
    e.HNA3 = txtHyouka4->text();
    e.NENSU = typedInt(txtKeikenNen->text(), 0);
    e.TENSU = typedInt(txtSyokumuTensu->text(), 0);
    e.MCO = boxCode(cmbMark);
    e.SPATH = m_photoName;
    for (size_t i = 1; i <= BasePayItemCount; ++i) {
        e.KKYU[i] = typedAmount(txtKihon[i]);
        e.NKKYU[i] = typedAmount(txtAFKihon[i]);
    }
    for (size_t i = 1; i <= AllowanceCount; ++i) {
        e.TEATE[i] = typedAmount(txtTeate[i]);
        e.NTEATE[i] = typedAmount(txtAFTeate[i]);
    }
    e.SYOUYO = typedAmount(txtBonus1);
    e.SYOUYO2 = typedAmount(txtBonus2);
    e.SRITSU = typedAmount(txtTaisyokuKin);
    e.JISEKI = m_link;
    e.NENREI = YearsToBase(e.SEIHI, project().ageBase());
    e.KINZOKU = YearsToBase(e.NYUHI, project().ageBase());
    return true;
}

bool TWS0030::confirmNegativeYears(const EmployeeRecord& e) {
    const AgeBase base = project().ageBase();
    const YearsBelowZero negative = NegativeYears(e.SEIHI, e.NYUHI, base);
    if (!negative.any())
        return true;
    const QString what = negative.age && negative.service ? QStringLiteral("年齢と勤続年数")
                         : negative.age                   ? QStringLiteral("年齢")
                                                          : QStringLiteral("勤続年数");
    // As the basic settings show the base date: 2023.04.01.
    const qint64 d = AgeBaseYmd(base);
    const QString baseDate = QStringLiteral("%1.%2.%3")
                                 .arg(d / 10000, 4, 10, QLatin1Char('0'))
                                 .arg(d / 100 % 100, 2, 10, QLatin1Char('0'))
                                 .arg(d % 100, 2, 10, QLatin1Char('0'));
    if (Msg::yesNo(what + QStringLiteral("がマイナスになります（基準年月日 %1より後の日付です）。"
                                         "\r登録しますか？")
                              .arg(baseDate),
                   QStringLiteral("確認")))
        return true;
    focusBasic(negative.age ? txtSeiyy : txtNyuyy);
    return false;
}

void TWS0030::btnAddClick() {
    AppState& s = state();
    if (!m_exits->checkFocused())
        return;
    if (!codeEntered(MsgText::EmployeeCodeMissing()))
        return;
    if (!isWindowModified()) {
        Msg::info(MsgText::NoChange());
        focusBasic(txtWorkerNo);
        return;
    }
    if (txtWorkName->text().isEmpty()) {
        Msg::info(QStringLiteral("氏名は必ず入力してください。"));
        focusBasic(txtWorkName);
        return;
    }
    EmployeeRecord e;
    e.SCO = employeeCodeTyped();
    if (e.SCO == 0)
        return;
    const CompanyYear cy = project().companyYear();
    bool failed = false;
    if (EmployeeExists(cy, e.SCO, &failed)) {
        Msg::info(QStringLiteral(
            "データは既に存在します。更新する場合は、修正ボタン　を押下して下さい。"));
        moveFocus(txtWorkerNo);
        return;
    }
    if (failed || !collect(e) || !confirmNegativeYears(e))
        return;
    {
        Hourglass wait;
        const QString created = QDateTime(s.clock(), QTime::currentTime())
                                    .toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
        if (!InsertEmployee(cy, e, created))
            return; // nothing stored; the data module has said why
        clearForm();
        loadList();
    }
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    txtCureentNo->clear();
    moveFocus(cmbWorker);
    setWindowModified(false);
}

void TWS0030::btnMntClick() {
    if (!m_exits->checkFocused() || !settleTypedCode())
        return;
    if (!codeEntered(MsgText::EmployeeCodeMissing()))
        return;
    EmployeeRecord e;
    e.SCO = employeeCodeTyped();
    if (e.SCO == 0 || !collect(e))
        return;
    const CompanyYear cy = project().companyYear();
    bool failed = false;
    if (!EmployeeExists(cy, e.SCO, &failed)) {
        if (!failed)
            Msg::info(MsgText::NoEmployeeData());
        return;
    }
    if (!confirmNegativeYears(e))
        return;
    const QModelIndex cell = StringGrid1->currentIndex();
    const int row = m_currentRow;
    const bool highlight = m_highlight;
    {
        Hourglass wait;
        const SaveResult saved = UpdateEmployee(cy, e);
        if (saved.outcome == SaveOutcome::Failed)
            return;
        // Refused because someone else saved this employee meanwhile: what is stored now
        // replaces the edits, in the same place of the list.
        if (!showChangedByOther(saved, e.SCO))
            loadList();
    }
    // The grid's current cell goes back where it was.
    m_currentRow = row;
    m_settingCursor = true;
    StringGrid1->setCurrentIndex(cell.isValid() ? m_list->index(cell.row(), cell.column())
                                                : m_list->index(0, 1));
    m_settingCursor = false;
    setHighlight(highlight);
    if (row >= 1 && row <= m_list->employeeCount())
        txtCureentNo->setText(QString::number(row));
    setWindowModified(false);
}

void TWS0030::reloadStored(int code) {
    loadList();
    loadEmployee(code);
}

void TWS0030::btnDltClick() {
    if (!codeEntered(MsgText::EmployeeCodeMissing()))
        return;
    if (!settleTypedCode())
        return;
    const int code = employeeCodeTyped();
    if (code == 0)
        return;
    bool failed = false;
    if (!EmployeeExists(project().companyYear(), code, &failed)) {
        if (!failed)
            Msg::info(MsgText::NoEmployeeData());
        return;
    }
    if (!confirmDelete(QStringLiteral("削除確認"))) {
        moveFocus(txtWorkerNo);
        return;
    }
    {
        Hourglass wait;
        if (!DeleteEmployee(project().companyYear(), code))
            return;
        clearForm();
        loadList();
    }
    setWindowModified(false);
}

void TWS0030::btnCanselClick() {
    btnAdd->setEnabled(true);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    clearForm();
    moveFocus(cmbWorker);
    setHighlight(false);
    setCursorRow(1);
    StringGrid1->viewport()->update();
    setWindowModified(false);
}

// ---- Excel ---------------------------------------------------------------------------------

// The workbook holds what is stored: an edit not yet saved is not in it.
void TWS0030::btnExcelClick() {
    const Project& project = *Project::current();
    std::optional<QVector<EmployeeSheetRow>> rows;
    {
        Hourglass wait;
        rows = LoadEmployeeSheet(project.companyYear());
    }
    if (!rows)
        return; // reported by the data module
    if (rows->isEmpty()) {
        Msg::info(MsgText::NoEmployees());
        return;
    }
    SaveWorkbookAs(this, QStringLiteral("社員一覧"),
                   [&] { return ComposeEmployeeWorkbook(EmployeeSheetHeaderOf(project), *rows); });
}
