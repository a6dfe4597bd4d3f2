#include "gui/company/WS0070_BasicSettings.h"

#include "core/common/AppState.h"
#include "core/common/ColorText.h"
#include "core/common/Counts.h"
#include "core/common/DisplayTexts.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "data/company/BasicSettingsStore.h"
#include "data/db/RecordGuard.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldExits.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int WindowWidth = 777;
constexpr int WindowHeight = 566;

const char* const FullWidthDigits[] = {"０", "１", "２", "３", "４", "５", "６"};
const char* const GraphLineTitles[] = {"", "座標軸", "目盛", "格子", "中央線"};

QColor toQColor(const QString& colourText) {
    const ColorValue v = ColorOfText(colourText);
    return QColor(ColorRed(v), ColorGreen(v), ColorBlue(v));
}

QString toColourText(const QColor& c) {
    return ColorText(ColorFromRgb(c.red(), c.green(), c.blue()));
}

// A list box whose text may show a value the list does not offer ("0 : なし" before a choice).
QComboBox* listBox(QWidget* parent, const QString& name, const QStringList& items, int width,
                   bool typing) {
    auto* c = CodeBox(parent, name, width);
    c->addItems(items);
    c->lineEdit()->setReadOnly(!typing);
    return c;
}

QLabel* caption(QWidget* parent, const QString& text) {
    return new QLabel(text, parent);
}

} // namespace

// ---------------------------------------------------------------------------------------------

TLineSample::TLineSample(QWidget* parent)
    : QWidget(parent), m_picture(161, 9, QImage::Format_RGB32) {
    m_picture.fill(Qt::white);
    setFixedSize(m_picture.size());
}

void TLineSample::drawLine(const QColor& colour, int kind, int width) {
    QPainter p(&m_picture);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(0, 4, 160, 4);
    if (width != 0 && kind >= 1 && kind <= 3) {
        static const Qt::PenStyle styles[] = {Qt::NoPen, Qt::SolidLine, Qt::DotLine,
                                              Qt::DashDotLine};
        p.setPen(QPen(colour, width, styles[kind], Qt::FlatCap));
        p.drawLine(0, 4, 160, 4);
    }
    p.end();
    update();
}

void TLineSample::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
}

// ---------------------------------------------------------------------------------------------

TWS0070::TWS0070(QWidget* parent) : QDialog(parent), m_exits(new FieldExits(this)) {
    setObjectName(QStringLiteral("WS0070"));
    setWindowTitle(QStringLiteral("基本設定[*]"));
    setModal(true);
    m_exits->setEnterClicksButtons(true);
    m_exits->setShowField([this](QWidget* w) {
        for (QWidget* p = w; p; p = p->parentWidget()) {
            const int page = PageControl1->indexOf(p);
            if (page >= 0) {
                PageControl1->setCurrentIndex(page);
                break;
            }
        }
    });

    PageControl1 = Named(new QTabWidget(this), QStringLiteral("PageControl1"));
    auto* dates = Named(new QWidget, QStringLiteral("TabSheet1"));
    auto* marks = Named(new QWidget, QStringLiteral("TabSheet2"));
    auto* graph = Named(new QWidget, QStringLiteral("TabSheet3"));
    PageControl1->addTab(dates, QStringLiteral("日付処理"));
    PageControl1->addTab(marks, QStringLiteral("マーク設定"));
    PageControl1->addTab(graph, QStringLiteral("グラフ設定"));
    buildDatesPage(dates);
    buildMarksPage(marks);
    buildGraphPage(graph);

    btnAdd = CommandButton(this, QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnCancel = CommandButton(this, QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"));
    btnClose = CommandButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    connect(btnAdd, &QPushButton::clicked, this, &TWS0070::btnAddClick);
    connect(btnCancel, &QPushButton::clicked, this, &TWS0070::btnCancelClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS0070::btnCloseClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {btnAdd, btnCancel, btnClose}) {
        b->setFixedSize(90, 30);
        buttons->addWidget(b);
    }
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(PageControl1, 1);
    lay->addLayout(buttons);
    setFixedSize(WindowWidth, WindowHeight);
}

TWS0070::~TWS0070() {
    m_exits->detach();
}

void TWS0070::buildDatesPage(QWidget* page) {
    auto* eraBox =
        Named(new QGroupBox(QStringLiteral("暦　変換表"), page), QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(eraBox);
    const QStringList heads = {QStringLiteral("年　号"), QStringLiteral("開始年"),
                               QStringLiteral("月"), QStringLiteral("日"), QStringLiteral("選択")};
    for (int c = 0; c < heads.size(); ++c)
        grid->addWidget(caption(eraBox, heads[c]), 0, c, Qt::AlignCenter);
    for (int i = 1; i <= EraCount; ++i) {
        const QString n = QString::number(i);
        txtNengou[i] = TextEdit(eraBox, QStringLiteral("txtNengou") + n, 0, 90);
        txtChgyy[i] = TextEdit(eraBox, QStringLiteral("txtChgyy") + n, 0, 60);
        txtChgmm[i] = TextEdit(eraBox, QStringLiteral("txtChgmm") + n, 0, 40);
        txtChgdd[i] = TextEdit(eraBox, QStringLiteral("txtChgdd") + n, 0, 40);
        for (QLineEdit* e : {txtChgyy[i], txtChgmm[i], txtChgdd[i]})
            e->setAlignment(Qt::AlignRight);
        optChg[i] = Named(new QRadioButton(eraBox),
                          i == 1 ? QStringLiteral("optchg1") : QStringLiteral("optChg") + n);
        grid->addWidget(txtNengou[i], i, 0);
        grid->addWidget(txtChgyy[i], i, 1);
        grid->addWidget(txtChgmm[i], i, 2);
        grid->addWidget(txtChgdd[i], i, 3);
        grid->addWidget(optChg[i], i, 4, Qt::AlignCenter);
        connect(optChg[i], &QRadioButton::clicked, this, [this, i] { optChgClick(i); });
    }
    grid->setColumnStretch(5, 1);

    auto* baseBox =
        Named(new QGroupBox(QStringLiteral("基準年月日"), page), QStringLiteral("GroupBox2"));
    txtKijunbi = TextEdit(baseBox, QStringLiteral("txtKijunbi"), 0, 110);
    txtKijunbi->setMaxLength(10);
    auto* baseLay = new QHBoxLayout(baseBox);
    baseLay->addWidget(txtKijunbi);
    baseLay->addWidget(caption(baseBox, QStringLiteral("（yyyy.mm.dd）")));
    baseLay->addStretch(1);

    QGroupBox* ageBox = nullptr;
    const QList<QRadioButton*> age =
        RadioGroup(page, QStringLiteral("GroupBox3"), QStringLiteral("年齢/勤続　計算"),
                   {{QStringLiteral("optKeisan1"), QStringLiteral("出力時に自動計算")},
                    {QStringLiteral("optKeisan2"), QStringLiteral("基準年月日を設定")}},
                   &ageBox);
    optKeisan1 = age[0];
    optKeisan2 = age[1];
    QGroupBox* calBox = nullptr;
    const QList<QRadioButton*> calendar =
        RadioGroup(page, QStringLiteral("GroupBox4"), QStringLiteral("暦　設定"),
                   {{QStringLiteral("optSeireki"), QStringLiteral("西　暦")},
                    {QStringLiteral("optWareki"), QStringLiteral("和　暦")}},
                   &calBox);
    optSeireki = calendar[0];
    optWareki = calendar[1];

    connect(optKeisan1, &QRadioButton::clicked, this, &TWS0070::optKeisan1Click);
    connect(optKeisan2, &QRadioButton::clicked, this, &TWS0070::optKeisan2Click);
    connect(optSeireki, &QRadioButton::clicked, this, &TWS0070::optSeirekiClick);
    connect(optWareki, &QRadioButton::clicked, this, &TWS0070::optWarekiClick);

    auto* right = new QVBoxLayout;
    right->addWidget(baseBox);
    right->addWidget(ageBox);
    right->addWidget(calBox);
    right->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addWidget(eraBox);
    left->addStretch(1);
    auto* lay = new QHBoxLayout(page);
    lay->addLayout(left, 3);
    lay->addLayout(right, 2);

    // Fields checked on leaving, in tab order.
    for (int i = 1; i <= EraCount; ++i) {
        const size_t e = size_t(i - 1);
        addField(
            txtNengou[i], SettingsArea::EraTable,
            [this, e](const QString& t) {
                m_values.eras[e].name = t;
                return QString();
            },
            [this, e] { return m_values.eras[e].name; });
        addField(
            txtChgyy[i], SettingsArea::EraTable,
            [this, e](const QString& t) {
                return CheckEraYearText(t, &m_values.eras[e].startYear);
            },
            [this, e] { return QString::number(m_values.eras[e].startYear); });
        addField(
            txtChgmm[i], SettingsArea::EraTable,
            [this, e](const QString& t) {
                return CheckEraMonthText(t, &m_values.eras[e].startMonth);
            },
            [this, e] { return QString::number(m_values.eras[e].startMonth); });
        addField(
            txtChgdd[i], SettingsArea::EraTable,
            [this, e](const QString& t) { return CheckEraDayText(t, &m_values.eras[e].startDay); },
            [this, e] { return QString::number(m_values.eras[e].startDay); });
    }
    addField(
        txtKijunbi, SettingsArea::CompanyOptions,
        [this](const QString& t) {
            const QString message = CheckBaseDateText(t, &m_values.baseDate);
            if (message.isEmpty())
                txtKijunbi->setText(BaseDateText(m_values.baseDate));
            return message;
        },
        [this] { return BaseDateText(m_values.baseDate); });
}

void TWS0070::buildMarksPage(QWidget* page) {
    const QStringList sizes = {QStringLiteral("8"),  QStringLiteral("9"),  QStringLiteral("10"),
                               QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("14"),
                               QStringLiteral("16"), QStringLiteral("18")};
    const QStringList kinds = {LineStyleText(1), LineStyleText(2), LineStyleText(3)};
    const QStringList widths = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                QStringLiteral("4"), QStringLiteral("5")};
    auto* grid = new QGridLayout(page);
    for (int i = 1; i <= MarkCount; ++i) {
        const QString n = QString::number(i);
        auto* box = Named(
            new QGroupBox(QStringLiteral("マーク") + QString::fromUtf8(FullWidthDigits[i]), page),
            QStringLiteral("grpMark") + n);
        txtMark[i] = TextEdit(box, QStringLiteral("txtMark") + n, 0, 40);
        txtMark[i]->setAlignment(Qt::AlignCenter);
        txtHanrei[i] = TextEdit(box, QStringLiteral("txtHanrei") + n);
        btnColor[i] =
            CommandButton(box, QStringLiteral("btnColor") + n, QStringLiteral("カラー設定"));
        labColor[i] = Named(new QLabel(box), QStringLiteral("labColor") + n);
        labColor[i]->setFixedSize(28, 20);
        labColor[i]->setAutoFillBackground(true);
        labColor[i]->setFrameShape(QFrame::Box);
        cmbMSize[i] = listBox(box, QStringLiteral("cmbMSize") + n, sizes, 60, true);
        btnSenColor[i] =
            CommandButton(box, QStringLiteral("btnSenColor") + n, QStringLiteral("カラー設定"));
        cmbSensyu[i] = listBox(box, QStringLiteral("cmbSensyu") + n, kinds, 120, false);
        cmbSenHaba[i] = listBox(box, QStringLiteral("cmbSenHaba") + n, widths, 50, false);
        imgMihon[i] = Named(new TLineSample(box), QStringLiteral("imgMihon") + n);

        auto* rows = new QVBoxLayout(box);
        rows->setSpacing(4);
        auto* r1 = new QHBoxLayout;
        r1->addWidget(caption(box, QStringLiteral("マーク")));
        r1->addWidget(txtMark[i]);
        r1->addWidget(caption(box, QStringLiteral("凡例")));
        r1->addWidget(txtHanrei[i], 1);
        auto* r2 = new QHBoxLayout;
        r2->addWidget(caption(box, QStringLiteral("マーク色")));
        r2->addWidget(labColor[i]);
        r2->addWidget(btnColor[i]);
        r2->addStretch(1);
        r2->addWidget(caption(box, QStringLiteral("サイズ")));
        r2->addWidget(cmbMSize[i]);
        auto* r3 = new QHBoxLayout;
        r3->addWidget(caption(box, QStringLiteral("線色")));
        r3->addWidget(btnSenColor[i]);
        r3->addStretch(1);
        r3->addWidget(caption(box, QStringLiteral("線種")));
        r3->addWidget(cmbSensyu[i]);
        auto* r4 = new QHBoxLayout;
        r4->addWidget(caption(box, QStringLiteral("見本")));
        r4->addWidget(imgMihon[i]);
        r4->addStretch(1);
        r4->addWidget(caption(box, QStringLiteral("線幅")));
        r4->addWidget(cmbSenHaba[i]);
        for (QHBoxLayout* r : {r1, r2, r3, r4})
            rows->addLayout(r);
        // Marks 1 to 3 down the left, 4 to 6 down the right.
        grid->addWidget(box, (i - 1) % 3, (i - 1) / 3);

        const size_t m = size_t(i - 1);
        addField(
            txtMark[i], SettingsArea::Marks,
            [this, m](const QString& t) {
                m_values.marks[m].symbol = t;
                return QString();
            },
            [this, m] { return m_values.marks[m].symbol; });
        addField(
            txtHanrei[i], SettingsArea::Marks,
            [this, m](const QString& t) {
                m_values.marks[m].legend = t;
                return QString();
            },
            [this, m] { return m_values.marks[m].legend; });
        addField(
            cmbMSize[i], SettingsArea::Marks,
            [this, m](const QString& t) { return CheckMarkSizeText(t, &m_values.marks[m].size); },
            [this, m] { return QString::number(m_values.marks[m].size); });

        connect(cmbSensyu[i], &QComboBox::activated, this, [this, i] { cmbSensyuSelect(i); });
        connect(cmbSenHaba[i], &QComboBox::activated, this, [this, i] { cmbSenHabaSelect(i); });
        connect(cmbMSize[i], &QComboBox::activated, this, [this] { changed(SettingsArea::Marks); });
        connect(btnColor[i], &QPushButton::clicked, this, [this, i] { btnColorClick(i); });
        connect(btnSenColor[i], &QPushButton::clicked, this, [this, i] { btnSenColorClick(i); });
    }
}

void TWS0070::buildGraphPage(QWidget* page) {
    const QStringList kinds = {LineStyleText(1), LineStyleText(2), LineStyleText(3)};
    const QStringList widths = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                QStringLiteral("4"), QStringLiteral("5")};
    auto* grid = new QGridLayout(page);
    for (int g = 1; g <= 4; ++g) {
        const QString n = QString::number(g);
        auto* box = Named(new QGroupBox(QString::fromUtf8(GraphLineTitles[g]), page),
                          QStringLiteral("grpGraph") + n);
        btnGRColor[g] =
            CommandButton(box, QStringLiteral("btnGRColor") + n, QStringLiteral("カラー設定"));
        cmbGRSensyu[g] = listBox(box, QStringLiteral("cmbGRSensyu") + n, kinds, 120, false);
        cmbGRSenHaba[g] = listBox(box, QStringLiteral("cmbGRSenHaba") + n, widths, 50, false);
        imgGRMihon[g] = Named(new TLineSample(box), QStringLiteral("imgGRMihon") + n);

        auto* rows = new QVBoxLayout(box);
        auto* r1 = new QHBoxLayout;
        r1->addWidget(caption(box, QStringLiteral("線色")));
        r1->addWidget(btnGRColor[g]);
        r1->addStretch(1);
        auto* r2 = new QHBoxLayout;
        r2->addWidget(caption(box, QStringLiteral("線種")));
        r2->addWidget(cmbGRSensyu[g]);
        r2->addSpacing(12);
        r2->addWidget(caption(box, QStringLiteral("線幅")));
        r2->addWidget(cmbGRSenHaba[g]);
        r2->addStretch(1);
        auto* r3 = new QHBoxLayout;
        r3->addWidget(caption(box, QStringLiteral("見本")));
        r3->addWidget(imgGRMihon[g]);
        r3->addStretch(1);
        for (QHBoxLayout* r : {r1, r2, r3})
            rows->addLayout(r);
        grid->addWidget(box, (g - 1) / 2, (g - 1) % 2);

        connect(cmbGRSensyu[g], &QComboBox::activated, this, [this, g] { cmbGRSensyuSelect(g); });
        connect(cmbGRSenHaba[g], &QComboBox::activated, this, [this, g] { cmbGRSenHabaSelect(g); });
        connect(btnGRColor[g], &QPushButton::clicked, this, [this, g] { btnGRColorClick(g); });
    }
    grid->setRowStretch(2, 1);
}

void TWS0070::addField(QWidget* w, SettingsArea area, std::function<QString(const QString&)> check,
                       std::function<QString()> shown) {
    m_fields.insert(w, Field{area, std::move(check), std::move(shown)});
    m_fieldOrder << w;
    m_exits->add(w, [this, w] { return leaveField(w); });
    auto* edit = qobject_cast<QLineEdit*>(w);
    if (!edit)
        if (auto* box = qobject_cast<QComboBox*>(w))
            edit = box->lineEdit();
    // Only what the user types marks the area changed, never a value the screen shows.
    connect(edit, &QLineEdit::textEdited, this, [this, area] { changed(area); });
}

QString TWS0070::fieldText(QWidget* w) const {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    return {};
}

// ---------------------------------------------------------------------------------------------
// Leaving fields

bool TWS0070::leaveField(QWidget* w) {
    const QString message = m_fields.value(w).check(fieldText(w));
    if (message.isEmpty())
        return true;
    refuse(w, message);
    return false;
}

void TWS0070::refuse(QWidget* w, const QString& message) {
    m_exits->refuse(w, message);
}

bool TWS0070::takeTypedFields() {
    for (QWidget* w : std::as_const(m_fieldOrder)) {
        const Field f = m_fields.value(w);
        if (!hasArea(m_changed, f.area) || fieldText(w) == f.shown())
            continue;
        if (!leaveField(w))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Preparation and loading

void TWS0070::start() {
    setAttribute(Qt::WA_Moved, false); // shown centred over the main window
    prepare();
    exec();
}

void TWS0070::prepare() {
    setFixedSize(WindowWidth, WindowHeight);
    m_exits->forget();
    for (int i = 1; i <= MarkCount; ++i) {
        cmbMSize[i]->setCurrentIndex(-1);
        cmbMSize[i]->setEditText(QStringLiteral("0"));
        setLineKindBox(cmbSensyu[i], 0);
        setWidthBox(cmbSenHaba[i], 0);
        labColor[i]->clear();
    }
    for (int g = 1; g <= 4; ++g) {
        setLineKindBox(cmbGRSensyu[g], 0);
        setWidthBox(cmbGRSenHaba[g], 0);
    }
    load();
    clearChanged();
}

void TWS0070::load() {
    LoadBasicSettings(Project::current()->companyYear(), &m_values);
    RememberLoadedBasicSettings(Project::current()->companyYear());
    showValues();
}

void TWS0070::showValues() {
    const BasicSettings& v = m_values;
    (v.ageBaseOption != 0 ? optKeisan1 : optKeisan2)->setChecked(true);
    txtKijunbi->setText(BaseDateText(v.baseDate));
    txtKijunbi->setEnabled(v.ageBaseOption == 0);
    (v.calendarOption != 0 ? optWareki : optSeireki)->setChecked(true);

    for (int i = 1; i <= EraCount; ++i) {
        const EraEntry& e = v.eras[size_t(i - 1)];
        txtNengou[i]->setText(e.name);
        txtChgyy[i]->setText(QString::number(e.startYear));
        txtChgmm[i]->setText(QString::number(e.startMonth));
        txtChgdd[i]->setText(QString::number(e.startDay));
    }
    optChg[v.selectedEra + 1]->setChecked(true);

    for (int i = 1; i <= MarkCount; ++i) {
        const MarkStyle& m = v.marks[size_t(i - 1)];
        txtMark[i]->setText(m.symbol);
        txtHanrei[i]->setText(m.legend);
        QPalette pal = labColor[i]->palette();
        pal.setColor(QPalette::Window, toQColor(m.markColor));
        labColor[i]->setPalette(pal);
        cmbMSize[i]->setCurrentIndex(cmbMSize[i]->findText(QString::number(m.size)));
        cmbMSize[i]->setEditText(QString::number(m.size));
        setLineKindBox(cmbSensyu[i], m.lineKind);
        setWidthBox(cmbSenHaba[i], m.lineWidth);
        drawMarkSample(i);
    }
    for (int g = 1; g <= 4; ++g) {
        const GraphLineStyle& l = v.graphLines[size_t(g - 1)];
        setLineKindBox(cmbGRSensyu[g], l.lineKind);
        setWidthBox(cmbGRSenHaba[g], l.lineWidth);
        drawGraphSample(g);
    }
}

// The list offers 1 to 3; any other stored kind is only shown ("0 : なし").
void TWS0070::setLineKindBox(QComboBox* box, int kind) {
    box->setCurrentIndex(kind >= 1 && kind <= 3 ? kind - 1 : -1);
    box->setEditText(LineStyleText(kind));
}

void TWS0070::setWidthBox(QComboBox* box, int width) {
    box->setCurrentIndex(width >= 1 && width <= 5 ? width - 1 : -1);
    box->setEditText(QString::number(width));
}

void TWS0070::drawMarkSample(int mark) {
    const MarkStyle& m = m_values.marks[size_t(mark - 1)];
    QPalette pal = txtMark[mark]->palette();
    pal.setColor(QPalette::Text, toQColor(m.markColor));
    txtMark[mark]->setPalette(pal);
    imgMihon[mark]->drawLine(toQColor(m.lineColor), m.lineKind, m.lineWidth);
}

void TWS0070::drawGraphSample(int line) {
    const GraphLineStyle& l = m_values.graphLines[size_t(line - 1)];
    imgGRMihon[line]->drawLine(toQColor(l.color), l.lineKind, l.lineWidth);
}

// ---------------------------------------------------------------------------------------------
// Change flags

void TWS0070::changed(SettingsArea area) {
    setWindowModified(true);
    m_changed |= int(area);
}

void TWS0070::clearChanged() {
    setWindowModified(false);
    m_changed = 0;
}

// ---------------------------------------------------------------------------------------------
// Options

void TWS0070::optKeisan1Click() {
    m_values.ageBaseOption = 1;
    txtKijunbi->setEnabled(false);
    changed(SettingsArea::CompanyOptions);
}

void TWS0070::optKeisan2Click() {
    m_values.ageBaseOption = 0;
    txtKijunbi->setEnabled(true);
    changed(SettingsArea::CompanyOptions);
}

void TWS0070::optSeirekiClick() {
    m_values.calendarOption = 0;
    changed(SettingsArea::CompanyOptions);
}

void TWS0070::optWarekiClick() {
    m_values.calendarOption = 1;
    changed(SettingsArea::CompanyOptions);
}

void TWS0070::optChgClick(int era) {
    m_values.selectedEra = era - 1;
    changed(SettingsArea::EraTable);
}

// ---------------------------------------------------------------------------------------------
// Line kinds, widths and colours

void TWS0070::cmbSensyuSelect(int mark) {
    int kind = 0;
    const QString message = CheckLineKindText(cmbSensyu[mark]->currentText(), &kind);
    if (!message.isEmpty()) {
        refuse(cmbSensyu[mark], message);
        return;
    }
    m_values.marks[size_t(mark - 1)].lineKind = kind;
    cmbSensyu[mark]->setEditText(LineStyleText(kind));
    changed(SettingsArea::Marks);
    drawMarkSample(mark);
}

void TWS0070::cmbSenHabaSelect(int mark) {
    int width = 0;
    const QString message = CheckLineWidthText(cmbSenHaba[mark]->currentText(), &width);
    if (!message.isEmpty()) {
        refuse(cmbSenHaba[mark], message);
        return;
    }
    m_values.marks[size_t(mark - 1)].lineWidth = width;
    changed(SettingsArea::Marks);
    drawMarkSample(mark);
}

void TWS0070::cmbGRSensyuSelect(int line) {
    int kind = 0;
    const QString message = CheckLineKindText(cmbGRSensyu[line]->currentText(), &kind);
    if (!message.isEmpty()) {
        refuse(cmbGRSensyu[line], message);
        return;
    }
    m_values.graphLines[size_t(line - 1)].lineKind = kind;
    cmbGRSensyu[line]->setEditText(LineStyleText(kind));
    changed(SettingsArea::Graph);
    drawGraphSample(line);
}

void TWS0070::cmbGRSenHabaSelect(int line) {
    int width = 0;
    const QString message = CheckLineWidthText(cmbGRSenHaba[line]->currentText(), &width);
    if (!message.isEmpty()) {
        refuse(cmbGRSenHaba[line], message);
        return;
    }
    m_values.graphLines[size_t(line - 1)].lineWidth = width;
    changed(SettingsArea::Graph);
    drawGraphSample(line);
}

void TWS0070::btnColorClick(int mark) {
    if (!m_exits->checkFocused())
        return;
    MarkStyle& m = m_values.marks[size_t(mark - 1)];
    QColor c = toQColor(m.markColor);
    if (!Dialogs::chooseColor(this, c))
        return;
    m.markColor = toColourText(c);
    QPalette pal = labColor[mark]->palette();
    pal.setColor(QPalette::Window, c);
    labColor[mark]->setPalette(pal);
    changed(SettingsArea::Marks);
    drawMarkSample(mark);
}

void TWS0070::btnSenColorClick(int mark) {
    if (!m_exits->checkFocused())
        return;
    MarkStyle& m = m_values.marks[size_t(mark - 1)];
    QColor c = toQColor(m.lineColor);
    if (!Dialogs::chooseColor(this, c))
        return;
    m.lineColor = toColourText(c);
    changed(SettingsArea::Marks);
    drawMarkSample(mark);
}

void TWS0070::btnGRColorClick(int line) {
    if (!m_exits->checkFocused())
        return;
    GraphLineStyle& l = m_values.graphLines[size_t(line - 1)];
    QColor c = toQColor(l.color);
    if (!Dialogs::chooseColor(this, c))
        return;
    l.color = toColourText(c);
    changed(SettingsArea::Graph);
    drawGraphSample(line);
}

// ---------------------------------------------------------------------------------------------
// Buttons

void TWS0070::btnAddClick() {
    if (!m_exits->checkFocused())
        return;
    if (!isWindowModified()) {
        Msg::info(MsgText::NoChange());
        return;
    }
    if (!takeTypedFields())
        return;
    // On failure the changes stay marked, so the user can save them again.
    const SaveResult saved =
        SaveBasicSettings(Project::current()->companyYear(), m_values, m_changed);
    if (saved.saved()) {
        clearChanged();
    } else if (saved.changedByOther()) {
        // Said why; what the other person saved replaces the edits.
        load();
        clearChanged();
    }
}

void TWS0070::btnCancelClick() {
    if (!m_exits->checkFocused())
        return;
    clearChanged();
}

void TWS0070::btnCloseClick() {
    if (!m_exits->checkFocused())
        return;
    if (isWindowModified() && Msg::yesNo(MsgText::ChangedCloseQuestion(), QStringLiteral("確認")))
        return;
    clearChanged();
    QDialog::done(QDialog::Rejected);
}

void TWS0070::reject() {
    btnCloseClick();
}
