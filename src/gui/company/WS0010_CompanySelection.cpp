#include "gui/company/WS0010_CompanySelection.h"

#include "core/common/AppState.h"
#include "core/common/Messages.h"
#include "data/company/CompanyStore.h"
#include "data/db/ServerAddress.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/company/WS0020_CompanyData.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Paints the company grid: the current row blue with white text, column 0 as a fixed column,
// codes right-aligned and texts left-aligned two pixels inside the cell.
class CompanyGridPainter : public QStyledItemDelegate {
public:
    explicit CompanyGridPainter(const TWS0010* screen) : m_screen(screen) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        const bool current = index.row() + 1 == m_screen->currentRow();
        const bool fixed = index.column() == 0;
        QColor back = fixed ? option.palette.color(QPalette::Button) : QColor(Qt::white);
        QColor fore = Qt::black;
        if (current) {
            back = QColor(Qt::blue);
            fore = Qt::white;
        }
        p->save();
        p->setClipRect(r);
        p->fillRect(r, back);
        p->setPen(fore);
        const QString text = index.data().toString();
        const int th = option.fontMetrics.height();
        const int top = r.top() + r.height() / 2 - th / 2;
        QRect tr(r.left() + 2, top, r.width() - 4, th);
        Qt::Alignment align = Qt::AlignLeft;
        if (fixed)
            align = Qt::AlignHCenter;
        else if (index.column() == 1)
            align = Qt::AlignRight;
        p->drawText(tr, int(align | Qt::AlignTop), text);
        p->restore();
    }

private:
    const TWS0010* m_screen;
};

} // namespace

TWS0010::TWS0010(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WS0010"));
    setWindowTitle(QStringLiteral("企業　選択"));
    setModal(true);

    cmbNendo = new QComboBox(this);
    cmbNendo->setObjectName(QStringLiteral("cmbNendo"));
    cmbNendo->setEditable(true);
    cmbNendo->lineEdit()->setMaxLength(4);
    cmbNendo->setFixedWidth(90);

    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setColumnCount(4);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(20);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->setItemDelegate(new CompanyGridPainter(this));

    btnAdd = CommandButton(this, QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnMnt = CommandButton(this, QStringLiteral("btnMnt"), QStringLiteral("修　正"));
    btnDlt = CommandButton(this, QStringLiteral("btnDlt"), QStringLiteral("削　除"));
    btnClose = CommandButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    Lbl_Info = new QLabel(this);
    Lbl_Info->setObjectName(QStringLiteral("Lbl_Info"));
    for (auto** e : {&Edit1, &Edit2, &Edit3}) {
        *e = new QLineEdit(this);
        (*e)->hide();
    }
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit3->setObjectName(QStringLiteral("Edit3"));

    auto* top = new QHBoxLayout;
    auto* yearLabel = new QLabel(QStringLiteral("年　度"), this);
    top->addWidget(yearLabel);
    top->addWidget(cmbNendo);
    top->addStretch(1);
    top->addWidget(Lbl_Info);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnAdd);
    buttons->addWidget(btnMnt);
    buttons->addWidget(btnDlt);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(StringGrid1, 1);
    lay->addLayout(buttons);
    setFixedSize(700, 550);

    connect(btnAdd, &QPushButton::clicked, this, &TWS0010::btnAddClick);
    connect(btnMnt, &QPushButton::clicked, this, &TWS0010::btnMntClick);
    connect(btnDlt, &QPushButton::clicked, this, &TWS0010::btnDltClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS0010::btnCloseClick);
    connect(cmbNendo, &QComboBox::currentIndexChanged, this, &TWS0010::cmbNendoChange);
    connect(cmbNendo, &QComboBox::editTextChanged, this, &TWS0010::cmbNendoChange);
    connect(StringGrid1, &QTableWidget::cellClicked, this,
            [this](int row, int column) { StringGrid1Click(row + 1, column); });
    connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row >= 0)
            StringGrid1Click(row + 1, column);
    });
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        // Choosing by double-click, as the choose button would.
        if (m_command == ProjectCommand::Open && column != 0 && row + 1 == m_currentRow &&
            btnAdd->isEnabled())
            btnAddClick();
    });
}

QString TWS0010::cell(int row, int column) const {
    const QTableWidgetItem* it = StringGrid1->item(row - 1, column);
    return it ? it->text() : QString();
}

void TWS0010::start(ProjectCommand command) {
    prepare(command);
    exec();
}

void TWS0010::prepare(ProjectCommand command) {
    m_command = command;
    m_madeSelection = false;
    switch (command) {
    case ProjectCommand::New:
        setWindowTitle(QStringLiteral("企業　登録"));
        btnAdd->setText(QStringLiteral("登録"));
        break;
    case ProjectCommand::Open:
        setWindowTitle(QStringLiteral("企業　選択"));
        btnAdd->setText(QStringLiteral("選択"));
        break;
    case ProjectCommand::Change:
        setWindowTitle(QStringLiteral("企業　変更"));
        btnMnt->setText(QStringLiteral("修正"));
        break;
    case ProjectCommand::Delete:
        // The caption stays as the previous command left it.
        btnDlt->setText(QStringLiteral("削除"));
        break;
    case ProjectCommand::Close:
        break;
    }
    btnAdd->setEnabled(command == ProjectCommand::New || command == ProjectCommand::Open);
    btnMnt->setEnabled(command == ProjectCommand::Change);
    btnDlt->setEnabled(command == ProjectCommand::Delete);
    fillYears();

    setFixedSize(700, 550);
    StringGrid1->setColumnWidth(0, 30);
    StringGrid1->setColumnWidth(1, 60);
    StringGrid1->setColumnWidth(2, 200);
    StringGrid1->setColumnWidth(3, 250);
    StringGrid1->setHorizontalHeaderLabels({QString(), QStringLiteral("コード"),
                                            QStringLiteral("企　業　名"),
                                            QStringLiteral("パ　ス　名")});
    fillList();
    Lbl_Info->setText(QStringLiteral("サンプル企業は2023年度に収録されています"));
}

void TWS0010::fillYears() {
    AppState& s = state();
    s.refreshToday();
    const QSignalBlocker block(cmbNendo);
    cmbNendo->clear();
    for (int y : selectionYears(s.TodayYear))
        cmbNendo->addItem(QString::number(y));
    cmbNendo->setCurrentIndex(cmbNendo->findText(QString::number(s.TodayYear)));
    cmbNendo->setEditText(QString::number(s.TodayYear));
    m_year = s.TodayYear;
}

void TWS0010::fillList() {
    StringGrid1->setEnabled(true);
    const QSignalBlocker block(StringGrid1);
    StringGrid1->clearContents();
    const QVector<CompanyListRow> companies = ListCompanies(m_year);
    if (!companies.isEmpty()) {
        StringGrid1->setRowCount(int(companies.size()));
        // Where the companies live: the data folder, or the server (its password hidden).
        const QString where = UsingServer() ? ServerUrlForDisplay(ServerUrl()) : state().DataDir;
        for (int row = 0; row < companies.size(); ++row) {
            StringGrid1->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
            StringGrid1->setItem(row, 1, new QTableWidgetItem(QString::number(companies[row].kco)));
            StringGrid1->setItem(row, 2, new QTableWidgetItem(companies[row].name));
            StringGrid1->setItem(row, 3, new QTableWidgetItem(where));
        }
    } else {
        StringGrid1->setRowCount(1);
        for (int c = 0; c < 4; ++c)
            StringGrid1->setItem(0, c, new QTableWidgetItem(QString()));
    }
    m_currentRow = 1;
    StringGrid1->setCurrentCell(0, 1);
    m_maxKco = HighestCompanyCode();
    if (m_command != ProjectCommand::New)
        takeRow(1);
    StringGrid1->viewport()->update();
}

void TWS0010::takeRow(int row) {
    bool ok = false;
    const int kco = cell(row, 1).toInt(&ok);
    m_listKco = ok ? kco : 0;
    m_listKna = cell(row, 2);
}

void TWS0010::cmbNendoChange() {
    m_year = 0;
    const int index = cmbNendo->findText(cmbNendo->currentText());
    if (index < 0)
        return;
    bool ok = false;
    const int year = cmbNendo->itemText(index).toInt(&ok);
    if (!ok)
        return;
    m_year = year;
    fillList();
}

void TWS0010::StringGrid1Click(int row, int column) {
    if (row < 1 || column == 0 || row > StringGrid1->rowCount())
        return;
    if (cell(row, 1).isEmpty() && cell(row, 2).isEmpty() && cell(row, 3).isEmpty())
        return;
    m_currentRow = row;
    bool ok = false;
    const int kco = cell(row, 1).toInt(&ok);
    m_listKco = ok ? kco : 0;
    if (ok) {
        m_listKna = cell(row, 2);
        Edit1->setText(QString::number(kco));
        Edit2->setText(m_listKna);
        Edit3->setText(cell(row, 3));
    }
    StringGrid1->viewport()->update();
}

TWS0020* TWS0010::companyData() {
    if (!m_companyData) {
        m_companyData = new TWS0020(this);
        // Whatever the data screen saved or left, the list shows the companies as stored.
        connect(m_companyData, &TWS0020::companiesChanged, this, [this] { fillList(); });
    }
    return m_companyData;
}

void TWS0010::btnAddClick() {
    if (m_command == ProjectCommand::Change || m_command == ProjectCommand::Delete || m_year == 0)
        return;
    if (m_command == ProjectCommand::New) {
        m_madeSelection = true;
        companyData()->start(TWS0020::Mode::Register, {m_maxKco + 1, m_year});
        return;
    }
    if (m_listKco == 0) {
        Msg::info(QStringLiteral("企業コードが選択されていません。"));
        return;
    }
    m_madeSelection = true;
    if (!Project::current()->open({m_listKco, m_year}))
        return;
    accept();
}

void TWS0010::btnMntClick() {
    if (m_command != ProjectCommand::Change || m_year == 0 || m_listKco == 0)
        return;
    m_madeSelection = true;
    companyData()->start(TWS0020::Mode::Change, {m_listKco, m_year});
}

void TWS0010::btnDltClick() {
    if (m_command != ProjectCommand::Delete || m_year == 0)
        return;
    companyData()->start(TWS0020::Mode::Delete, {m_listKco, m_year});
}

void TWS0010::btnCloseClick() {
    close();
}

void TWS0010::closeEvent(QCloseEvent* event) {
    if (m_companyData && m_companyData->isVisible())
        m_companyData->hide();
    QDialog::closeEvent(event);
}

void TWS0010::keyPressEvent(QKeyEvent* event) {
    // Escape closes through the close button's rules.
    if (event->key() == Qt::Key_Escape) {
        btnCloseClick();
        return;
    }
    QDialog::keyPressEvent(event);
}
