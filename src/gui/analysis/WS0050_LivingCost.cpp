#include "gui/analysis/WS0050_LivingCost.h"

#include "core/analysis/ReferenceFields.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "data/analysis/ReferenceStore.h"
#include "data/company/CompanyStore.h"
#include "data/db/RecordGuard.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString NoCode = QStringLiteral("生計費コードが入力されていません。");

} // namespace

TWS0050::TWS0050(QWidget* parent)
    : RecordEditor(parent, Moves::ByCode, QStringLiteral("WS0050"),
                   QStringLiteral("標準生計費　登録[*]")) {
    build();
    fixMasterWindow();
}

void TWS0050::build() {
    auto* lay = new QVBoxLayout(this);
    cmbSeikeiID =
        addCodeRow(lay, QStringLiteral("生計費コード"), QStringLiteral("cmbSeikeiID"), 320);

    auto* grid = new QGridLayout;
    const char* const heads[] = {"所帯人員", "所帯年齢", "生計費(千円)",
                                 "愉楽率",   "最低率",   "単身率"};
    for (int c = 0; c < 6; ++c) {
        auto* h = new QLabel(QString::fromUtf8(heads[c]), this);
        h->setAlignment(Qt::AlignCenter);
        grid->addWidget(h, 0, c);
    }
    for (int r = 1; r <= 6; ++r) {
        const size_t i = size_t(r);
        txtSyotaisu[i] = RightEdit(this, QStringLiteral("txtSyotaisu%1").arg(r), 2, 90);
        txtNenrei[i] = RightEdit(this, QStringLiteral("txtNenrei%1").arg(r), 3, 90);
        txtSeikeihi[i] = RightEdit(this, QStringLiteral("txtSeikeihi%1").arg(r), 9, 110);
        txtYuraku[i] = RightEdit(this, QStringLiteral("txtYuraku%1").arg(r), 12, 100);
        txtMin[i] = RightEdit(this, QStringLiteral("txtMin%1").arg(r), 12, 100);
        txtTanshin[i] = RightEdit(this, QStringLiteral("txtTanshin%1").arg(r), 12, 100);
        QLineEdit* row[] = {txtSyotaisu[i], txtNenrei[i], txtSeikeihi[i],
                            txtYuraku[i],   txtMin[i],    txtTanshin[i]};
        for (int c = 0; c < 6; ++c) {
            grid->addWidget(row[c], r, c);
            connect(row[c], &QLineEdit::textEdited, this, &TWS0050::markChanged);
        }
        m_exits->add(txtSyotaisu[i], [this, i] { return wholeExit(txtSyotaisu[i], 2); });
        m_exits->add(txtNenrei[i], [this, i] { return wholeExit(txtNenrei[i], 3); });
        m_exits->add(txtSeikeihi[i], [this, i] { return figureExit(txtSeikeihi[i], 6, 0); });
        for (QLineEdit* rate : {txtYuraku[i], txtMin[i], txtTanshin[i]})
            m_exits->add(rate, [this, rate] { return figureExit(rate, 9, 2); });
    }
    lay->addLayout(grid);

    auto* desc = new QGridLayout;
    txtKakeRitsu = RightEdit(this, QStringLiteral("txtKakeRitsu"), 12, 100);
    txtSyussyo = TextEdit(this, QStringLiteral("txtSyussyo"), 30, 420);
    txtTiiki = TextEdit(this, QStringLiteral("txtTiiki"), 30, 420);
    txtCyosaJiki = TextEdit(this, QStringLiteral("txtCyosaJiki"), 30, 420);
    txtNyuryokuchi = TextEdit(this, QStringLiteral("txtNyuryokuchi"), 30, 420);
    const std::pair<const char*, QLineEdit*> rows[] = {{"掛　　率", txtKakeRitsu},
                                                       {"出　　所", txtSyussyo},
                                                       {"対象地域", txtTiiki},
                                                       {"調査時点", txtCyosaJiki},
                                                       {"入力数値", txtNyuryokuchi}};
    int r = 0;
    for (const auto& [caption, box] : rows) {
        desc->addWidget(new QLabel(QString::fromUtf8(caption), this), r, 0);
        desc->addWidget(box, r, 1, Qt::AlignLeft);
        connect(box, &QLineEdit::textEdited, this, &TWS0050::markChanged);
        m_exits->add(box);
        ++r;
    }
    m_exits->add(txtKakeRitsu, [this] { return figureExit(txtKakeRitsu, 9, 3); });
    desc->setColumnStretch(1, 1);
    lay->addLayout(desc);
    lay->addStretch(1);

    addMasterCommands(
        lay, QStringLiteral("btnCansel"), [this] { btnAddClick(); }, [this] { btnDltClick(); },
        [this] { btnCanselClick(); });
    watchCodeBox(cmbSeikeiID, masterCode(MsgText::ZeroNotAllowed()),
                 [this] { return cmbSeikeiIDExit(); });
    setMoveQuestionLine(QStringLiteral("【いいえ】:最初のデータ　へ。"));
}

void TWS0050::PrepareScreen() {
    buildLists();
    clearForm();
    const int code = Project::current()->settings().SKCO;
    if (code != 0) {
        showCode(code);
        loadCode(code);
    }
    m_holds = Holds::Nothing;
    m_codeTyped = false;
    setWindowModified(false);
}

void TWS0050::buildLists() {
    m_codes = LoadLivingCostCodes();
    setCodes(codeNumbers(m_codes));
    fillCodeBox(cmbSeikeiID, codeItems(m_codes));
    txtLastNo->setText(QString::number(m_codes.size()));
}

void TWS0050::clearForm() {
    m_exits->forget();
    {
        const QSignalBlocker quiet(cmbSeikeiID);
        cmbSeikeiID->setCurrentIndex(-1);
        cmbSeikeiID->setEditText(QString());
    }
    for (int r = 1; r <= 6; ++r) {
        const size_t i = size_t(r);
        txtSyotaisu[i]->setText(QString::number(r));
        for (QLineEdit* e : {txtNenrei[i], txtSeikeihi[i], txtYuraku[i], txtMin[i], txtTanshin[i]})
            e->setText(QStringLiteral("0"));
    }
    txtKakeRitsu->setText(QStringLiteral("0.000"));
    for (QLineEdit* e : {txtSyussyo, txtTiiki, txtCyosaJiki, txtNyuryokuchi})
        e->clear();
    m_codeTyped = false;
}

void TWS0050::showCode(int code) {
    const QSignalBlocker quiet(cmbSeikeiID);
    cmbSeikeiID->setEditText(LivingCodeText(QString::number(code), m_codes));
    m_codeTyped = false;
}

void TWS0050::loadCode(int code) {
    bool failed = false;
    const QVector<LivingCostRow> rows = LoadLivingCostTable(code, &failed);
    failed = failed || !RememberLoadedLivingCost(code);
    txtCureentNo->clear();
    for (qsizetype i = 0; i < m_codes.size(); ++i)
        if (m_codes[i].code.toInt() == code)
            txtCureentNo->setText(QString::number(i + 1));
    if (rows.isEmpty()) {
        m_holds = failed ? Holds::Nothing : Holds::NewCode;
        setWindowModified(false);
        return;
    }
    int r = 1;
    for (; r <= 6 && r <= rows.size(); ++r) {
        const LivingCostRow& row = rows[r - 1];
        const size_t i = size_t(r);
        txtSyotaisu[i]->setText(QString::number(row.members));
        txtNenrei[i]->setText(QString::number(row.age));
        txtSeikeihi[i]->setText(FigureText(row.cost, 0));
        txtYuraku[i]->setText(FigureText(row.comfort, 2));
        txtMin[i]->setText(FigureText(row.minimum, 2));
        txtTanshin[i]->setText(FigureText(row.single, 2));
    }
    for (; r <= 6; ++r)
        txtSyotaisu[size_t(r)]->setText(
            QString::number(WholeFigureOf(txtSyotaisu[size_t(r - 1)]->text()) + 1));
    const LivingCostRow& first = rows.first();
    txtKakeRitsu->setText(first.factor.toString());
    txtSyussyo->setText(first.source);
    txtTiiki->setText(first.region);
    txtCyosaJiki->setText(first.surveyed);
    txtNyuryokuchi->setText(first.notes);
    m_holds = Holds::Stored;
    setWindowModified(false);
}

bool TWS0050::figureExit(QLineEdit* box, int digits, int minDecimals) {
    const QString message = CheckFigureText(box->text(), digits);
    if (!message.isEmpty())
        return m_exits->refuse(box, message);
    box->setText(FigureText(NumberOfText(box->text()), minDecimals));
    return true;
}

bool TWS0050::wholeExit(QLineEdit* box, int digits) {
    const QString message = CheckFigureText(box->text(), digits);
    if (!message.isEmpty())
        return m_exits->refuse(box, message);
    box->setText(QString::number(WholeFigureOf(box->text())));
    return true;
}

bool TWS0050::cmbSeikeiIDExit() {
    const TypedCode typed = takeTypedCode();
    if (typed.code != 0) {
        clearForm();
        showCode(typed.code);
        loadCode(typed.code);
    }
    return !typed.refused;
}

void TWS0050::btnAddClick() {
    if (!m_exits->checkFocused() || !codeEntered(NoCode))
        return;
    const int code = typedCode();
    if (code <= 0)
        return;
    struct Row {
        LivingCostRow data;
        bool stored = false;
    };
    std::array<Row, 7> rows;
    for (int r = 1; r <= 6; ++r) {
        const size_t i = size_t(r);
        LivingCostRow& d = rows[i].data;
        d.members = WholeFigureOf(txtSyotaisu[i]->text());
        d.age = WholeFigureOf(txtNenrei[i]->text());
        d.cost = NumberOfText(txtSeikeihi[i]->text());
        d.comfort = NumberOfText(txtYuraku[i]->text());
        d.minimum = NumberOfText(txtMin[i]->text());
        d.single = NumberOfText(txtTanshin[i]->text());
        rows[i].stored = d.age != 0 || !d.cost.isZero() || !d.comfort.isZero() ||
                         !d.minimum.isZero() || !d.single.isZero();
    }
    for (int r = 1; r <= 6; ++r) {
        const Row& row = rows[size_t(r)];
        if (row.stored && row.data.members == 0) {
            Msg::info(QStringLiteral("世帯人員が入力されていません。"));
            m_exits->moveFocus(txtSyotaisu[size_t(r)]);
            return;
        }
        // Besides a row of the same household and age, two stored rows that are the same
        // household without an age would be one row twice.
        for (int o = 1; o <= 6; ++o) {
            const Row& other = rows[size_t(o)];
            if (o != r && row.data.members == other.data.members &&
                row.data.age == other.data.age &&
                (other.data.age != 0 || (row.stored && other.stored))) {
                Msg::info(QStringLiteral("世帯人員，年齢が重複しています。"));
                m_exits->moveFocus(txtSyotaisu[size_t(r)]);
                return;
            }
        }
    }
    QVector<LivingCostRow> stored;
    for (int r = 1; r <= 6; ++r) {
        Row& row = rows[size_t(r)];
        if (!row.stored)
            continue;
        row.data.factor = NumberOfText(txtKakeRitsu->text());
        row.data.source = txtSyussyo->text();
        row.data.region = txtTiiki->text();
        row.data.surveyed = txtCyosaJiki->text();
        row.data.notes = txtNyuryokuchi->text();
        stored.push_back(row.data);
    }
    const SaveResult saved = SaveLivingCostTable(code, stored, Project::current()->companyYear());
    // Refused or failed, the table keeps its old rows and the form what was typed, unless
    // another person saved the code meanwhile: then the form shows theirs.
    if (!showChangedByOther(saved, code) && saved.saved())
        clearAfterWrite();
}

void TWS0050::clearAfterWrite() {
    clearForm();
    buildLists();
    txtCureentNo->clear();
    m_holds = Holds::Nothing;
    setWindowModified(false);
    m_exits->moveFocus(cmbSeikeiID);
}

void TWS0050::btnDltClick() {
    const int code = codeToDelete(NoCode, m_holds != Holds::Nothing, txtSyotaisu[1]);
    if (code > 0 && DeleteLivingCostTable(code))
        clearAfterWrite();
}

void TWS0050::btnCanselClick() {
    clearForm();
    txtCureentNo->clear();
    m_holds = Holds::Nothing;
    setWindowModified(false);
    m_exits->moveFocus(cmbSeikeiID);
}

void TWS0050::focusKeptEdits() {
    m_exits->moveFocus(txtSyotaisu[1]);
}

void TWS0050::showMoved(ListMove, int code, int) {
    moveTo(code);
}

void TWS0050::reloadStored(int code) {
    buildLists();
    moveTo(code);
}

void TWS0050::moveTo(int code) {
    clearForm();
    showCode(code);
    loadCode(code);
    setWindowModified(false);
    m_exits->moveFocus(txtSyotaisu[1]);
}
