#include "gui/design/WS1051_CurveStyle.h"

#include "core/common/ColorText.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldExits.h"
#include "render/plot/ChartPainter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A typed whole number, or nothing.
std::optional<qint64> wholeNumber(const QString& text) {
    const std::optional<Decimal> d = ReadDecimal(text);
    if (!d || d->decimals != 0)
        return std::nullopt;
    return qint64(d->digits);
}

} // namespace

TWS1051::TWS1051(int curveNo, CurveStyle& style, QWidget* parent)
    : QDialog(parent), m_curveNo(curveNo), m_style(style), m_exits(new FieldExits(this)) {
    setObjectName(QStringLiteral("WS1051"));
    setWindowTitle(QStringLiteral("賃金表の分析用グラフ[*]"));
    setModal(true);
    auto* lay = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    txtName = TextEdit(this, QStringLiteral("txtName"), 0, 160);
    txtName->setEnabled(false);
    grid->addWidget(txtName, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("凡例"), this), 1, 0);
    txtHanrei = TextEdit(this, QStringLiteral("txtHanrei"), 40, 260);
    grid->addWidget(txtHanrei, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("説明"), this), 2, 0);
    txtComment = TextEdit(this, QStringLiteral("txtComment"), 60, 360);
    grid->addWidget(txtComment, 2, 1, 1, 2);
    btnColor = CommandButton(this, QStringLiteral("btnColor"), QStringLiteral("カラー設定"));
    grid->addWidget(btnColor, 3, 0);
    Label101 = Named(new QLabel(QStringLiteral("＋"), this), QStringLiteral("Label101"));
    QFont big = Label101->font();
    big.setPointSize(14);
    Label101->setFont(big);
    grid->addWidget(Label101, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("曲線種類"), this), 4, 0);
    cmbSensyu = Named(new QComboBox(this), QStringLiteral("cmbSensyu"));
    cmbSensyu->setEditable(true);
    cmbSensyu->addItems({LineStyleText(1), LineStyleText(2), LineStyleText(3)});
    grid->addWidget(cmbSensyu, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("曲線幅"), this), 5, 0);
    cmbSenhaba = Named(new QComboBox(this), QStringLiteral("cmbSenhaba"));
    cmbSenhaba->setEditable(true);
    for (int w = 1; w <= 5; ++w)
        cmbSenhaba->addItem(QString::number(w));
    grid->addWidget(cmbSenhaba, 5, 1);
    imgDisp = Named(new QLabel(this), QStringLiteral("imgDisp"));
    imgDisp->setFixedSize(161, 9);
    grid->addWidget(imgDisp, 6, 1);
    lay->addLayout(grid);

    btnAdd = CommandButton(this, QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnClose = CommandButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {btnAdd, btnClose}) {
        b->setFixedSize(100, 30);
        buttons->addWidget(b);
    }
    lay->addLayout(buttons);
    auto* note = new QLabel(
        QStringLiteral("注意！　曲線幅が２以上の場合、曲線の種類は「実線」のみ有効です。"), this);
    note->setFrameShape(QFrame::Panel);
    lay->addWidget(note);

    const auto modified = [this] { setWindowModified(true); };
    connect(txtHanrei, &QLineEdit::textEdited, this, modified);
    connect(txtComment, &QLineEdit::textEdited, this, modified);
    connect(cmbSensyu, &QComboBox::currentTextChanged, this, modified);
    connect(cmbSenhaba, &QComboBox::currentTextChanged, this, modified);
    // A pick from a list is taken at once; a typed text when the list is left.
    connect(cmbSensyu, &QComboBox::activated, this, [this] { cmbSensyuExit(); });
    connect(cmbSenhaba, &QComboBox::activated, this, [this] { cmbSenhabaExit(); });
    m_exits->setEnterClicksButtons(true);
    m_exits->add(txtHanrei);
    m_exits->add(txtComment);
    m_exits->add(cmbSensyu, [this] { return cmbSensyuExit(); });
    m_exits->add(cmbSenhaba, [this] { return cmbSenhabaExit(); });
    connect(btnColor, &QPushButton::clicked, this, &TWS1051::btnColorClick);
    connect(btnAdd, &QPushButton::clicked, this, &TWS1051::btnAddClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS1051::btnCloseClick);
}

void TWS1051::start() {
    Prepare();
    exec();
}

void TWS1051::Prepare() {
    txtName->setText(QStringLiteral("曲線番号(%1)").arg(m_curveNo));
    txtHanrei->clear();
    txtComment->clear();
    bool failed = false;
    const std::optional<DesignCurve> row =
        LoadDesignStyle(Project::current()->companyYear(), m_curveNo, &failed);
    if (row) {
        m_style.colour = row->colour.isEmpty() ? QStringLiteral("clBlack") : row->colour;
        m_style.kind = row->kind;
        m_style.width = row->width;
        txtHanrei->setText(row->legend);
        txtComment->setText(row->description);
    } else {
        m_style = CurveStyle{QStringLiteral("clBlack"), 0, 0};
    }
    cmbSensyu->setEditText(LineStyleText(m_style.kind));
    cmbSenhaba->setEditText(QString::number(m_style.width));
    drawSample();
    setWindowModified(false);
}

void TWS1051::drawSample() {
    const ColorValue c = ColorOfText(m_style.colour);
    QPalette pal = Label101->palette();
    pal.setColor(QPalette::WindowText, QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)));
    Label101->setPalette(pal);
    QPixmap sample(161, 9);
    sample.fill(Qt::white);
    QPainter p(&sample);
    QVector<SceneItem> items;
    items.push_back(SceneLine{{0, 4}, {160, 4}, LinePen{ColorFromRgb(255, 255, 255), 1, 5}});
    if (m_style.width != 0)
        items.push_back(SceneLine{{0, 4}, {160, 4}, LinePen{c, m_style.kind, m_style.width}});
    PaintChartItems(p, items);
    p.end();
    imgDisp->setPixmap(sample);
}

bool TWS1051::cmbSensyuExit() {
    const std::optional<qint64> kind =
        wholeNumber(TextBeforeBlank(cmbSensyu->currentText().trimmed()));
    if (!kind)
        return m_exits->refuse(cmbSensyu, MsgText::EnterNumber());
    if (*kind != 0 && (*kind < 1 || *kind > 3))
        return m_exits->refuse(cmbSensyu, MsgText::OutOfRange());
    m_style.kind = int(*kind);
    const QSignalBlocker quiet(cmbSensyu);
    cmbSensyu->setEditText(LineStyleText(m_style.kind));
    drawSample();
    return true;
}

bool TWS1051::cmbSenhabaExit() {
    const std::optional<qint64> width = wholeNumber(cmbSenhaba->currentText().trimmed());
    if (!width)
        return m_exits->refuse(cmbSenhaba, QStringLiteral("数値を整数で入力してください。"));
    if (*width != 0 && (*width < 1 || *width > 5))
        return m_exits->refuse(cmbSenhaba, MsgText::OutOfRange());
    m_style.width = int(*width);
    const QSignalBlocker quiet(cmbSenhaba);
    cmbSenhaba->setEditText(QString::number(m_style.width));
    drawSample();
    return true;
}

void TWS1051::btnColorClick() {
    const ColorValue c = ColorOfText(m_style.colour);
    QColor colour(ColorRed(c), ColorGreen(c), ColorBlue(c));
    if (!Dialogs::chooseColor(this, colour))
        return;
    m_style.colour = ColorText(ColorFromRgb(colour.red(), colour.green(), colour.blue()));
    drawSample();
    setWindowModified(true);
}

void TWS1051::btnAddClick() {
    if (!m_exits->checkFocused())
        return;
    if (!SaveDesignStyle(Project::current()->companyYear(), m_curveNo, txtHanrei->text(),
                         txtComment->text(), m_style))
        return; // reported by the data module
    txtHanrei->setFocus();
    setWindowModified(false);
}

void TWS1051::btnCloseClick() {
    if (isWindowModified() && Msg::yesNo(MsgText::ChangedCloseQuestion(), QStringLiteral("確認")))
        return;
    m_exits->forget();
    setWindowModified(false);
    QDialog::reject();
}

void TWS1051::reject() {
    btnCloseClick();
}
