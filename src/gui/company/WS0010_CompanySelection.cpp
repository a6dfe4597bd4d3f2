#include "gui/company/WS0010_CompanySelection.h"

#include "core/common/AppState.h"
#include "core/common/Dates.h"
#include "core/common/Messages.h"
#include "core/common/SqlText.h"
#include "data/db/TDM.h"
#include "data/project/CompanySettingsCache.h"
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

TWS0010::TWS0010(QWidget* mainWindow, QWidget* parent) : QDialog(parent), m_main(mainWindow) {
    if (m_main)
        connect(this, &TWS0010::projectCaptionChosen, m_main, &QWidget::setWindowTitle);
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
        if (state().ProjectState == 4 && column != 0 && row + 1 == m_currentRow &&
            btnAdd->isEnabled())
            btnAddClick();
    });
}

QString TWS0010::cell(int row, int column) const {
    const QTableWidgetItem* it = StringGrid1->item(row - 1, column);
    return it ? it->text() : QString();
}

void TWS0010::prepare() {
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

void TWS0010::fillList() {
    AppState& s = state();
    StringGrid1->setEnabled(true);
    TQuery& q = DM().Query1;
    s.SqlText = QStringLiteral("SELECT KCO,KNA,PATH FROM MKIGYOU1 WHERE NENDO = ") +
                SqlNum(s.SelNendo) + QStringLiteral(" ORDER BY KCO");
    const QSignalBlocker block(StringGrid1);
    StringGrid1->clearContents();
    if (DM().RunSql(q, s.SqlText, QLatin1Char('S')) && q.recordCount() > 0) {
        StringGrid1->setRowCount(q.recordCount());
        int row = 0;
        for (; !q.eof(); q.next(), ++row) {
            StringGrid1->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
            StringGrid1->setItem(
                row, 1, new QTableWidgetItem(QString::number(q.asInt(QStringLiteral("KCO")))));
            StringGrid1->setItem(row, 2, new QTableWidgetItem(q.asText(QStringLiteral("KNA"))));
            StringGrid1->setItem(row, 3, new QTableWidgetItem(s.DataDir));
        }
    } else {
        StringGrid1->setRowCount(1);
        for (int c = 0; c < 4; ++c)
            StringGrid1->setItem(0, c, new QTableWidgetItem(QString()));
    }
    q.close();
    m_currentRow = 1;
    StringGrid1->setCurrentCell(0, 1);

    MaxKco = 0;
    if (DM().RunSql(q, QStringLiteral("SELECT Max(KCO) FROM MKIGYOU1"), QLatin1Char('S')) &&
        !q.eof() && !q.value(0).isNull())
        MaxKco = int(VariantInt(q.value(0)));
    q.close();

    if (s.ProjectState != 1)
        takeRow(1);
    StringGrid1->viewport()->update();
}

void TWS0010::takeRow(int row) {
    AppState& s = state();
    bool ok = false;
    const int kco = cell(row, 1).toInt(&ok);
    s.ListKco = ok ? kco : 0;
    ListKna = cell(row, 2);
    ListPath = cell(row, 3);
}

void TWS0010::cmbNendoChange() {
    AppState& s = state();
    s.SelNendo = 0;
    const int index = cmbNendo->findText(cmbNendo->currentText());
    if (index < 0)
        return;
    bool ok = false;
    const int year = cmbNendo->itemText(index).toInt(&ok);
    if (!ok)
        return;
    s.SelNendo = year;
    fillList();
}

void TWS0010::StringGrid1Click(int row, int column) {
    if (row < 1 || column == 0 || row > StringGrid1->rowCount())
        return;
    if (cell(row, 1).isEmpty() && cell(row, 2).isEmpty() && cell(row, 3).isEmpty())
        return;
    AppState& s = state();
    m_currentRow = row;
    bool ok = false;
    const int kco = cell(row, 1).toInt(&ok);
    s.ListKco = ok ? kco : 0;
    if (ok) {
        ListKna = cell(row, 2);
        ListPath = cell(row, 3);
        Edit1->setText(QString::number(kco));
        Edit2->setText(ListKna);
        Edit3->setText(ListPath);
    }
    StringGrid1->viewport()->update();
}

void TWS0010::openCompanyData() {
    if (!WS0020)
        return;
    WS0020->show();
    WS0020->raise();
    WS0020->prepare();
}

void TWS0010::btnAddClick() {
    AppState& s = state();
    if (s.ProjectState == 2 || s.ProjectState == 3 || s.SelNendo == 0)
        return;
    if (s.ProjectState == 1) {
        if (!WS0020)
            return;
        WS0020->btnAdd->setText(QStringLiteral("登録"));
        WS0020->btnAdd->setEnabled(true);
        WS0020->btnMnt->setText(QString());
        WS0020->btnMnt->setEnabled(false);
        WS0020->btnDlt->setText(QString());
        WS0020->btnDlt->setEnabled(false);
        WS0020->txtNendo->setText(QString::number(s.SelNendo));
        s.SelKco = MaxKco + 1;
        WS0020->txtCorpID->setText(QString::number(s.SelKco));
        openCompanyData();
        return;
    }
    if (s.ListKco == 0) {
        Msg::info(QStringLiteral("企業コードが選択されていません。"));
        return;
    }
    s.SelKco = int(s.ListKco);
    s.SelKna = ListKna;
    TQuery& q = DM().Query1;
    s.SqlText = QStringLiteral("SELECT * FROM MKIGYOU1 WHERE NENDO = ") + SqlNum(s.SelNendo) +
                QStringLiteral(" AND KCO = ") + SqlNum(s.SelKco);
    if (DM().RunSql(q, s.SqlText, QLatin1Char('S')) && !q.eof()) {
        s.EraMode = q.asInt(QStringLiteral("REKI"));
        s.AgeBaseMode = q.asInt(QStringLiteral("FNK"));
        s.AgeBaseDate = q.asInt(QStringLiteral("KDATE"));
    }
    q.close();
    s.CompanySettings.KCO = QString::number(s.SelKco);
    s.CompanySettings.NENDO = QString::number(s.SelNendo);
    if (!LoadCompanySettings(s.CompanySettings)) {
        Msg::info(QStringLiteral("企業マスターが存在しません。"));
        return;
    }
    LoadMarks(s.Marks);
    Q_EMIT projectCaptionChosen(QStringLiteral("【　") + NendoText(s.EraMode, s.SelNendo) +
                                QStringLiteral(" 年度  :  ") + s.SelKna +
                                QStringLiteral("　】 Tesvane賃金"));
    accept();
    s.CompanyChosen = 1;
}

void TWS0010::btnMntClick() {
    AppState& s = state();
    if (s.ProjectState != 2 || s.SelNendo == 0 || s.ListKco == 0 || !WS0020)
        return;
    WS0020->btnAdd->setText(QString());
    WS0020->btnAdd->setEnabled(false);
    WS0020->btnMnt->setText(QStringLiteral("修正"));
    WS0020->btnMnt->setEnabled(true);
    WS0020->btnDlt->setText(QString());
    WS0020->btnDlt->setEnabled(false);
    WS0020->txtNendo->setText(QString::number(s.SelNendo));
    WS0020->txtCorpID->setText(SqlNum(s.ListKco));
    s.SelKco = int(s.ListKco);
    openCompanyData();
}

void TWS0010::btnDltClick() {
    AppState& s = state();
    if (s.ProjectState != 3 || s.SelNendo == 0 || !WS0020)
        return;
    WS0020->btnAdd->setText(QString());
    WS0020->btnAdd->setEnabled(false);
    WS0020->btnMnt->setText(QString());
    WS0020->btnMnt->setEnabled(false);
    WS0020->btnDlt->setText(QStringLiteral("削除"));
    WS0020->btnDlt->setEnabled(true);
    WS0020->txtNendo->setText(QString::number(s.SelNendo));
    WS0020->txtCorpID->setText(SqlNum(s.ListKco));
    openCompanyData();
}

void TWS0010::btnCloseClick() {
    close();
}

void TWS0010::closeEvent(QCloseEvent* event) {
    AppState& s = state();
    if (s.SelKco == 0) {
        s.ProjectState = 0;
        s.SelKco = 0;
        s.CompanyChosen = 0;
    }
    if (WS0020 && WS0020->isVisible())
        WS0020->hide();
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
