#include "gui/masters/ImportWorker_EmployeeImport.h"

#include "core/common/AppState.h"
#include "core/common/Messages.h"
#include "data/masters/EmployeeTransfer.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Hourglass.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

// The check grid's rows; an empty sheet still shows one empty row under the header.
class ImportSheetModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    const ImportSheet& sheet() const { return m_sheet; }
    void setSheet(ImportSheet sheet) {
        beginResetModel();
        m_sheet = std::move(sheet);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : qMax<int>(1, int(m_sheet.rows.size()));
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : ImportColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= m_sheet.rows.size())
            return {};
        if (role == Qt::DisplayRole)
            return m_sheet.rows[index.row()][index.column()];
        // Why a row is marked, for the user who points at its mark.
        if (role == Qt::ToolTipRole && index.column() == ImpStatus &&
            index.row() < m_sheet.faults.size()) {
            QStringList why = m_sheet.faults[index.row()];
            if (index.row() < m_sheet.warnings.size())
                why += m_sheet.warnings[index.row()];
            return why.join(QLatin1Char('\n'));
        }
        if (role == Qt::ForegroundRole && index.column() == ImpStatus)
            return m_sheet.rows[index.row()][ImpStatus] == ImportWarnStatus()
                       ? QColor(0xc0, 0x60, 0x00)
                       : QColor(Qt::red);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section >= 0 &&
            section < ImportColumnCount)
            return ImportHeaders()[section];
        if (role == Qt::DisplayRole && orientation == Qt::Vertical)
            return section + 1;
        return {};
    }

private:
    ImportSheet m_sheet;
};

TfrmImportWorker::TfrmImportWorker(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmImportWorker"));
    setWindowTitle(QStringLiteral("社員マスタの取込"));
    EB_FileName = TextEdit(this, QStringLiteral("EB_FileName"), 255);
    BTN_SelectFile = CommandButton(this, QStringLiteral("BTN_SelectFile"), QStringLiteral("選択"));
    BTN_Check = CommandButton(this, QStringLiteral("BTN_Check"), QStringLiteral("取込確認"));
    BTN_Add = CommandButton(this, QStringLiteral("BTN_Add"),
                            QStringLiteral("現在登録されている内容に追加して取り込む"));
    BTN_Rep = CommandButton(this, QStringLiteral("BTN_Rep"),
                            QStringLiteral("現在登録されている内容を削除して取り込む"));
    BTN_Close = CommandButton(this, QStringLiteral("BTN_Close"), QStringLiteral("閉じる"));
    BTN_Add->setEnabled(false);
    BTN_Rep->setEnabled(false);

    m_model = new ImportSheetModel(this);
    GRDCowork = new QTableView(this);
    GRDCowork->setObjectName(QStringLiteral("GRDCowork"));
    GRDCowork->setModel(m_model);
    GRDCowork->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GRDCowork->setWordWrap(false);
    GRDCowork->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    GRDCowork->verticalHeader()->setDefaultSectionSize(16);
    GRDCowork->verticalHeader()->hide();
    GRDCowork->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int widths[ImportColumnCount] = {50, 80, 50, 50, 50, 80, 40, 80, 80,
                                           80, 80, 80, 80, 50, 80, 80, 60};
    for (int c = 0; c < ImportColumnCount; ++c)
        GRDCowork->setColumnWidth(c, widths[c]);

    auto* file = new QHBoxLayout;
    file->addWidget(new QLabel(QStringLiteral("取込ファイル名"), this));
    file->addWidget(EB_FileName, 1);
    file->addWidget(BTN_SelectFile);
    file->addWidget(BTN_Check);
    auto* commands = new QHBoxLayout;
    commands->addWidget(BTN_Add);
    commands->addWidget(BTN_Rep);
    commands->addStretch(1);
    commands->addWidget(BTN_Close);
    auto* form = new QVBoxLayout(this);
    form->addLayout(file);
    form->addWidget(GRDCowork, 1);
    form->addLayout(commands);
    resize(1000, 560);

    connect(BTN_SelectFile, &QPushButton::clicked, this, &TfrmImportWorker::BTN_SelectFileClick);
    connect(BTN_Check, &QPushButton::clicked, this, &TfrmImportWorker::BTN_CheckClick);
    connect(BTN_Add, &QPushButton::clicked, this, &TfrmImportWorker::BTN_AddClick);
    connect(BTN_Rep, &QPushButton::clicked, this, &TfrmImportWorker::BTN_RepClick);
    connect(BTN_Close, &QPushButton::clicked, this, &TfrmImportWorker::BTN_CloseClick);
}

TfrmImportWorker::~TfrmImportWorker() = default;

const ImportSheet& TfrmImportWorker::sheet() const {
    return m_model->sheet();
}

void TfrmImportWorker::BTN_SelectFileClick() {
    const QString path = Dialogs::openFileName(this, QStringLiteral("社員マスタCSVファイルの選択"),
                                               state().AppDir + QStringLiteral("CSV"),
                                               QStringLiteral("CSVファイル(*.csv)"));
    if (!path.isEmpty())
        EB_FileName->setText(path);
}

void TfrmImportWorker::BTN_CheckClick() {
    BTN_Add->setEnabled(false);
    BTN_Rep->setEnabled(false);
    const QString name = EB_FileName->text().trimmed();
    if (name.isEmpty()) {
        Msg::info(QStringLiteral("ファイル名を入力して下さい。"));
        return;
    }
    if (!QFileInfo(name).isFile()) {
        Msg::info(QStringLiteral("指定されたファイルは存在しません。"));
        return;
    }
    m_model->setSheet({});
    const std::optional<ImportContext> context =
        LoadImportContext(Project::current()->companyYear());
    if (!context)
        return; // the company year is gone; the data module has said why when the read failed
    ImportRead read;
    int faulty = 0;
    {
        Hourglass wait;
        read = ReadImportPath(name);
        if (read.result == ImportRead::Ok)
            faulty = CheckImportSheet(read.sheet, *context);
    }
    if (read.result == ImportRead::Unreadable) {
        Msg::error(ImportReadProblem(read, name));
        return;
    }
    if (read.result != ImportRead::Ok) {
        Msg::info(ImportReadProblem(read, name));
        return;
    }
    int warned = 0;
    for (const QStringList& row : read.sheet.rows)
        if (row[ImpStatus] == ImportWarnStatus())
            ++warned;
    m_model->setSheet(std::move(read.sheet));
    if (faulty > 0) {
        Msg::info(QStringLiteral("エラーが存在するので取込できません。"));
        return;
    }
    if (warned > 0)
        Msg::info(ImportWarningsText(warned));
    BTN_Add->setEnabled(true);
    BTN_Rep->setEnabled(true);
}

void TfrmImportWorker::BTN_AddClick() {
    if (!Msg::okCancel(
            QStringLiteral("既存の社員マスタに追加して取込ます。\r実行してもよろしいですか？")))
        return;
    store(false);
}

void TfrmImportWorker::BTN_RepClick() {
    if (!Msg::okCancel(QStringLiteral(
            "すでに登録済みの社員マスタは削除して取込ます。\r実行してもよろしいですか？")))
        return;
    store(true);
}

void TfrmImportWorker::store(bool replace) {
    BTN_Add->setEnabled(false);
    BTN_Rep->setEnabled(false);
    bool stored = false;
    {
        Hourglass wait;
        stored = StoreImportedEmployees(
            Project::current()->companyYear(), m_model->sheet().employees,
            replace ? ImportMode::Replace : ImportMode::Add, state().clock());
    }
    // All rows or none: on failure the employees are as they were before.
    if (!stored) {
        Msg::info(QStringLiteral("データベースにエラーがありました。"));
        return;
    }
    const QVector<ImportedEmployee>& employees = m_model->sheet().employees;
    Msg::info(ImportDoneText(int(employees.size()), CountWithoutMark(employees)));
}

void TfrmImportWorker::BTN_CloseClick() {
    close();
}
