#include "gui/common/RecordEditor.h"

#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "gui/common/Controls.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

RecordEditor::RecordEditor(QWidget* parent, Moves moves, const QString& name, const QString& title)
    : QDialog(parent), m_exits(new FieldExits(this)), m_moves(moves) {
    setObjectName(name);
    setWindowTitle(title);
}

void RecordEditor::start() {
    if (m_centredOnStart)
        setAttribute(Qt::WA_Moved, false);
    prepare();
    exec();
}

void RecordEditor::fixMasterWindow() {
    setModal(true);
    setFixedSize(777, 566);
}

RecordEditor::~RecordEditor() {
    // Hiding on the way out moves the focus; no check may run on the half-destroyed form.
    m_exits->detach();
}

QPushButton* RecordEditor::commandButton(const QString& name, const QString& text) {
    // A click leaves the focus in the field, whose exit check the command runs first.
    return CommandButton(this, name, text, Qt::TabFocus);
}

QPushButton* RecordEditor::closeButton() {
    QPushButton* b = commandButton(QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    connect(b, &QPushButton::clicked, this, &RecordEditor::btnCloseClick);
    return b;
}

void RecordEditor::addMasterCommands(QBoxLayout* form, const QString& cancelName,
                                     const std::function<void()>& add,
                                     const std::function<void()>& remove,
                                     const std::function<void()>& cancel) {
    const std::pair<QPushButton*, std::function<void()>> commands[] = {
        {commandButton(QStringLiteral("btnAdd"), QStringLiteral("登　録")), add},
        {commandButton(QStringLiteral("btnDlt"), QStringLiteral("削　除")), remove},
        {commandButton(cancelName, QStringLiteral("ｷｬﾝｾﾙ")), cancel}};
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (const auto& [button, handler] : commands) {
        connect(button, &QPushButton::clicked, this, handler);
        row->addWidget(button);
    }
    QPushButton* close = closeButton();
    row->addWidget(close);
    for (int i = 0; i < row->count(); ++i)
        if (QWidget* b = row->itemAt(i)->widget())
            b->setFixedSize(90, 30);
    m_exits->passWithoutCheck(commands[2].first);
    m_exits->passWithoutCheck(close);
    form->addLayout(row);
}

void RecordEditor::watchCodeBox(QComboBox* box, CodeRule rule, const std::function<bool()>& exit,
                                FieldExits::OnCommand onCommand) {
    m_codeBox = box;
    m_codeRule = std::move(rule);
    m_exits->add(box, exit, onCommand);
    // Only the user's typing: what the screen fills in is not a code to take.
    connect(box->lineEdit(), &QLineEdit::textEdited, this, [this] { m_codeTyped = true; });
    connect(box, &QComboBox::activated, this, [this, exit] {
        m_codeTyped = true;
        exit();
    });
}

RecordEditor::CodeRule RecordEditor::masterCode(const QString& zeroRefusal) {
    return [zeroRefusal](const QString& text) { return CheckCodeBoxText(text, zeroRefusal); };
}

void RecordEditor::fillCodeBox(QComboBox* box, const QStringList& items) {
    const QSignalBlocker quiet(box);
    const QString shown = box->currentText();
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(shown);
}

bool RecordEditor::confirmDelete(const QString& caption) {
    return Msg::yesNo(MsgText::DeleteQuestion(), caption);
}

void RecordEditor::buildMoves(int positionLength) {
    txtCureentNo = RightEdit(this, QStringLiteral("txtCureentNo"), positionLength, 48);
    txtLastNo = RightEdit(this, QStringLiteral("txtLastNo"), positionLength, 48);
    for (QLineEdit* e : {txtCureentNo, txtLastNo}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    const QStyle::StandardPixmap icons[] = {
        QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward, QStyle::SP_MediaSeekForward,
        QStyle::SP_MediaSkipForward};
    QPushButton** buttons[] = {&btnFirst, &btnBack, &btnNext, &btnLast};
    const char* const names[] = {"btnFirst", "btnBack", "btnNext", "btnLast"};
    void (RecordEditor::*const clicks[])() = {
        &RecordEditor::btnFirstClick, &RecordEditor::btnBackClick, &RecordEditor::btnNextClick,
        &RecordEditor::btnLastClick};
    for (int i = 0; i < 4; ++i) {
        QPushButton* b = commandButton(QString::fromLatin1(names[i]), QString());
        b->setIcon(style()->standardIcon(icons[i]));
        b->setFixedSize(32, 26);
        connect(b, &QPushButton::clicked, this, clicks[i]);
        *buttons[i] = b;
    }
}

QComboBox* RecordEditor::addCodeRow(QBoxLayout* form, const QString& caption, const QString& name,
                                    int width) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(caption, this));
    QComboBox* box = CodeBox(this, name, width);
    row->addWidget(box);
    row->addStretch(1);
    buildMoves();
    addMoveButtons(row);
    addPosition(row);
    form->addLayout(row);
    return box;
}

void RecordEditor::markChanged() {
    if (!m_loading)
        setWindowModified(true);
}

void RecordEditor::addMoveButtons(QBoxLayout* row) {
    for (QPushButton* b : {btnFirst, btnBack, btnNext, btnLast})
        row->addWidget(b);
}

void RecordEditor::addPosition(QBoxLayout* row) {
    row->addWidget(txtCureentNo);
    row->addWidget(new QLabel(QStringLiteral("/"), this));
    row->addWidget(txtLastNo);
}

void RecordEditor::setCodes(QVector<int> codes) {
    m_moveCodes = std::move(codes);
}

int RecordEditor::rowOf(int code) const {
    const qsizetype i = m_moveCodes.indexOf(code);
    return i < 0 ? 0 : int(i) + 1;
}

QVector<int> RecordEditor::codeNumbers(const CodeList& codes) {
    QVector<int> numbers;
    numbers.reserve(codes.size());
    for (const CodeEntry& e : codes)
        numbers << e.code.toInt();
    return numbers;
}

QStringList RecordEditor::codeItems(const CodeList& codes) {
    QStringList items;
    items.reserve(codes.size());
    for (const CodeEntry& e : codes)
        items << e.code + QStringLiteral(" : ") + e.name;
    return items;
}

int RecordEditor::typedCode() {
    const QString text = m_codeBox->currentText().trimmed();
    if (text.isEmpty())
        return 0;
    const CodeBoxCheck c = m_codeRule(text);
    if (!c.ok()) {
        m_exits->refuse(m_codeBox, c.message);
        return -1;
    }
    return c.code;
}

bool RecordEditor::codeEntered(const QString& noCode) {
    if (!m_codeBox->currentText().trimmed().isEmpty())
        return true;
    Msg::info(noCode);
    m_exits->moveFocus(m_codeBox);
    return false;
}

int RecordEditor::codeToDelete(const QString& noCode, bool loaded, QWidget* onNo) {
    if (!m_exits->checkFocused() || !codeEntered(noCode))
        return 0;
    if (!loaded) {
        m_exits->moveFocus(m_codeBox);
        return 0;
    }
    const int code = typedCode();
    if (code <= 0)
        return 0;
    if (!confirmDelete(QStringLiteral("削除"))) {
        m_exits->moveFocus(onNo);
        return 0;
    }
    return code;
}

RecordEditor::TypedCode RecordEditor::takeTypedCode() {
    if (!m_codeTyped)
        return {};
    if (m_codeBox->currentText().trimmed().isEmpty()) {
        m_codeTyped = false;
        return {.emptied = true};
    }
    const int code = typedCode();
    return {.code = std::max(code, 0), .refused = code < 0};
}

RecordEditor::Place RecordEditor::place() {
    const int code = typedCode();
    return {.code = std::max(code, 0), .refused = code < 0};
}

bool RecordEditor::askBeforeDropping(const QString& lastLine, const std::function<void()>& kept) {
    if (!isWindowModified())
        return true;
    if (Msg::yesNo(MsgText::ChangedDataLines() + lastLine, QStringLiteral("確認"))) {
        if (kept)
            kept();
        else
            focusKeptEdits();
        return false;
    }
    return true;
}

bool RecordEditor::showChangedByOther(const SaveResult& saved, int code) {
    if (!saved.changedByOther())
        return false;
    reloadStored(code);
    setWindowModified(false);
    return true;
}

// ---- Moves ---------------------------------------------------------------------------------

void RecordEditor::btnFirstClick() {
    move(ListMove::First);
}
void RecordEditor::btnBackClick() {
    move(ListMove::Back);
}
void RecordEditor::btnNextClick() {
    move(ListMove::Next);
}
void RecordEditor::btnLastClick() {
    move(ListMove::Last);
}

std::pair<int, int> RecordEditor::codeTarget(ListMove move) {
    int code = 0;
    switch (move) {
    case ListMove::First:
        code = m_moveCodes.first();
        break;
    case ListMove::Last:
        code = m_moveCodes.last();
        break;
    case ListMove::Back:
    case ListMove::Next: {
        const Place at = place();
        if (at.refused)
            return {-1, 0};
        // With no code the ends; a code not in the list goes by its place in it.
        if (at.code == 0)
            code = move == ListMove::Back ? m_moveCodes.first() : m_moveCodes.last();
        else if (move == ListMove::Back)
            for (int c : m_moveCodes)
                code = c < at.code ? c : code;
        else
            for (auto it = m_moveCodes.crbegin(); it != m_moveCodes.crend(); ++it)
                code = *it > at.code ? *it : code;
        break;
    }
    }
    return {code, rowOf(code)};
}

QString RecordEditor::questionLine(ListMove move) const {
    return m_moveQuestion.isEmpty() ? ListMoveQuestionLine(move) : m_moveQuestion;
}

void RecordEditor::move(ListMove move) {
    if (m_moves == Moves::ByCode) {
        if (!m_exits->settle() || m_moveCodes.isEmpty())
            return;
        const auto [code, row] = codeTarget(move);
        if (code <= 0 || !askBeforeDropping(questionLine(move)))
            return;
        showMoved(move, code, row);
        return;
    }
    if (!askBeforeDropping(questionLine(move)))
        return;
    const Place at = place();
    const ListCursor cursor{at.noCode,
                            at.code,
                            m_moveCodes.isEmpty() ? 0 : m_moveCodes.first(),
                            m_moveCodes.isEmpty() ? 0 : m_moveCodes.last(),
                            at.row,
                            int(m_moveCodes.size())};
    const ListTarget to = ListMoveTarget(move, cursor, [this](int row) {
        return row >= 1 && row <= m_moveCodes.size() ? m_moveCodes[row - 1] : 0;
    });
    if (to.code == 0)
        return; // at the end already, or nothing listed
    showMoved(move, to.code, to.row);
}

// ---- Closing -------------------------------------------------------------------------------

void RecordEditor::btnCloseClick() {
    close();
}

void RecordEditor::closeEvent(QCloseEvent* event) {
    if (!askBeforeDropping(MsgText::NoClosesScreen())) {
        event->ignore();
        return;
    }
    setWindowModified(false);
    m_closing = true;
    QDialog::closeEvent(event); // hides the dialog through reject()
    m_closing = false;
}

void RecordEditor::reject() {
    if (m_closing)
        QDialog::reject();
    else
        close();
}
