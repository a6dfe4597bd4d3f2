#include "gui/raise/WS3030_AnnualUpdate.h"

#include "core/common/AppState.h"
#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "data/company/CompanyStore.h"
#include "data/db/TDM.h"
#include "data/project/Project.h"
#include "data/raise/AnnualUpdate.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"
#include "gui/common/Hourglass.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The next year is there already: the roll-over never writes over it.
QString targetExistsText() {
    return QStringLiteral("既にデータが存在します。企業データ　を削除してから、"
                          "再度年次更新を行ってください。");
}

// What the progress names while a table is copied.
QString tableName(const QString& table) {
    static const QHash<QString, QString> names = {
        {QStringLiteral("MKIGYOU1"), QStringLiteral("企業マスター")},
        {QStringLiteral("MKIGYOU2"), QStringLiteral("企業設定")},
        {QStringLiteral("MGRAPH"), QStringLiteral("グラフ設定")},
        {QStringLiteral("MHYOUKA"), QStringLiteral("評価の変換")},
        {QStringLiteral("MMARK"), QStringLiteral("マーク")},
        {QStringLiteral("MCHART"), QStringLiteral("プロット分析の設定")},
        {QStringLiteral("DSPDRAW"), QStringLiteral("昇給カーブの設計")},
        {QStringLiteral("MCHINGIN"), QStringLiteral("賃金表")},
        {QStringLiteral("DSCALE"), QStringLiteral("サラリースケール")},
        {QStringLiteral("DKSEN2"), QStringLiteral("２次曲線")},
        {QStringLiteral("DKSEN3"), QStringLiteral("３次曲線")},
        {QStringLiteral("MSYAIN1"), QStringLiteral("社員")},
        {QStringLiteral("MSYAIN2"), QStringLiteral("社員の賃金")},
        {QStringLiteral("DCHINGIN2"), QStringLiteral("新年度の賃金表")}};
    return names.value(table, table);
}

int todayNumber() {
    const QDate d = state().clock();
    return d.year() * 10000 + d.month() * 100 + d.day();
}

} // namespace

TWS3030::TWS3030(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WS3030"));
    setWindowTitle(QStringLiteral("年次更新"));
    cmbNendo = CodeBox(this, QStringLiteral("cmbNendo"), 110);
    cmbNendo->lineEdit()->setAlignment(Qt::AlignCenter);
    cmbCorpName = CodeBox(this, QStringLiteral("cmbCorpName"), 260);
    btnAdd = CommandButton(this, QStringLiteral("btnAdd"), QStringLiteral("更　新"));
    btnClose = CommandButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    connect(btnAdd, &QPushButton::clicked, this, &TWS3030::btnAddClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS3030::btnCloseClick);

    auto* fields = new QFormLayout;
    fields->setVerticalSpacing(10);
    fields->addRow(QStringLiteral("年　　度"), cmbNendo);
    fields->addRow(QStringLiteral("企業名"), cmbCorpName);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnAdd);
    buttons->addWidget(btnClose);
    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(16, 16, 16, 12);
    form->addLayout(fields);
    form->addSpacing(12);
    form->addLayout(buttons);

    // Enter moves on to the next field.
    auto* exits = new FieldExits(this);
    exits->add(cmbNendo);
    exits->add(cmbCorpName);
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

TWS3030::~TWS3030() = default;

void TWS3030::start() {
    setAttribute(Qt::WA_Moved, false); // centred over the main window
    prepare();
    exec();
}

void TWS3030::prepare() {
    const int year = Project::current()->companyYear().nendo;
    cmbNendo->clear();
    for (int y = 2004; y <= year + 1; ++y)
        cmbNendo->addItem(QString::number(y));
    cmbNendo->setEditText(QString::number(year));
    cmbCorpName->clear();
    for (const CompanyListRow& c : ListCompanies(year))
        cmbCorpName->addItem(QString::number(c.kco) + QStringLiteral(" : ") + c.name);
    cmbCorpName->setCurrentIndex(-1);
    cmbCorpName->setEditText(QString());
}

void TWS3030::btnAddClick() {
    bool ok = false;
    const int year = cmbNendo->currentText().trimmed().toInt(&ok);
    if (!ok || year == 0) {
        Msg::info(MsgText::EnterNumber());
        return;
    }
    const int company =
        NthField(cmbCorpName->currentText().trimmed(), QLatin1Char(' '), 1).toInt(&ok);
    if (!ok) {
        Msg::info(MsgText::EnterNumber());
        return;
    }
    cmbCorpName->setEditText(QString::number(company));

    bool failed = false;
    if (CompanyYearExists(company, year + 1, &failed)) {
        Msg::info(targetExistsText());
        return;
    }
    if (failed)
        return;
    // A year the company does not have would give a new year made of nothing.
    if (!CompanyYearExists(company, year, &failed)) {
        if (!failed)
            Msg::info(MsgText::NoCompanyMaster());
        return;
    }
    const int undecided = CountUndecidedRaises(company, year);
    if (undecided < 0)
        return;
    if (undecided > 0 &&
        !Msg::yesNo(QStringLiteral("昇給が決定していない社員が %1 名います。\r"
                                   "【はい】:現在の等級・号俸・賃金のまま更新します。\r"
                                   "【いいえ】:戻ります。")
                        .arg(undecided),
                    QStringLiteral("確認")))
        return;

    AnnualUpdateResult result;
    {
        Hourglass wait;
        // Shown only when the update takes longer than a moment.
        QProgressDialog progress(this);
        progress.setWindowTitle(QStringLiteral("年次更新"));
        progress.setCancelButton(nullptr);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(400);
        progress.setRange(0, int(AnnualUpdateSteps().size()));
        progress.setValue(0);
        result = RunAnnualUpdate(company, year, todayNumber(), [&](int step, const QString& table) {
            progress.setLabelText(
                QStringLiteral("%1（%2）をコピーしています。").arg(tableName(table), table));
            progress.setValue(step);
        });
        progress.setValue(progress.maximum());
    }
    switch (result.status) {
    case AnnualUpdateStatus::Done:
        Msg::info(QStringLiteral("年次更新が終了しました。\r") + MovedDatesText(result.moved));
        break;
    case AnnualUpdateStatus::TargetExists:
        Msg::info(targetExistsText());
        break;
    case AnnualUpdateStatus::NoSource:
        Msg::info(MsgText::NoCompanyMaster());
        break;
    case AnnualUpdateStatus::Refused:
        Msg::info(QStringLiteral("賃金表　が作成できません。年次更新は行われませんでした。\r") +
                  result.problem);
        break;
    case AnnualUpdateStatus::Locked:
        Msg::info(CompanyLockedText(result.problem));
        break;
    case AnnualUpdateStatus::Failed:
        break; // nothing written; the data module has said why
    }
}

void TWS3030::btnCloseClick() {
    accept();
}
