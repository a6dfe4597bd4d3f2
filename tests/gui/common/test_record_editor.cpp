// The record editor every one-record screen shares: the moves by code and by row with their
// question, the focus after keeping the edits, closing under the question, and the record
// another person stored shown after a refused save.

#include "gui/common/Controls.h"
#include "gui/common/RecordEditor.h"
#include "support/core/RecordingResponder.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QString Changed = QStringLiteral("ﾃﾞｰﾀが変更されています。");

// A screen over the codes 3, 8 and 15 with one field; it shows a code by putting it in the
// code box and the field.
class Sheet : public RecordEditor {
public:
    using RecordEditor::Moves;

    explicit Sheet(Moves moves)
        : RecordEditor(nullptr, moves, QStringLiteral("Sheet"), QStringLiteral("Sheet[*]")) {
        auto* form = new QVBoxLayout(this);
        code = addCodeRow(form, QStringLiteral("コード"), QStringLiteral("cmbCode"), 120);
        field = TextEdit(this, QStringLiteral("txtField"), 10, 100);
        form->addWidget(field);
        addMasterCommands(
            form, QStringLiteral("btnCancel"), [] {}, [] {}, [] {});
        m_exits->add(field);
        connect(field, &QLineEdit::textEdited, this, &Sheet::markChanged);
        watchCodeBox(code, masterCode(QStringLiteral("０は、入力できません。")), [this] {
            const TypedCode typed = takeTypedCode();
            if (typed.code != 0)
                showRecord(typed.code, rowOf(typed.code));
            return !typed.refused;
        });
        setCodes({3, 8, 15});
    }

    void prepare() override {}
    void showRecord(int shownCode, int row) {
        m_codeTyped = false;
        shown = shownCode;
        shownRow = row;
        code->setEditText(QString::number(shownCode));
        field->setText(QStringLiteral("record %1").arg(shownCode));
        setWindowModified(false);
    }
    void edit(const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void click(const QString& name) {
        QTest::mouseClick(findChild<QPushButton*>(name), Qt::LeftButton);
    }
    using RecordEditor::setMoveQuestionLine;
    using RecordEditor::showChangedByOther;

    QComboBox* code;
    QLineEdit* field;
    int shown = 0;
    int shownRow = 0;
    int reloads = 0;

protected:
    Place place() override {
        if (!byRow)
            return RecordEditor::place();
        return {shown, shownRow, code->currentText().isEmpty()};
    }
    void showMoved(ListMove, int movedCode, int row) override { showRecord(movedCode, row); }
    void focusKeptEdits() override { m_exits->moveFocus(field); }
    void reloadStored(int storedCode) override {
        ++reloads;
        showRecord(storedCode, rowOf(storedCode));
        field->setText(QStringLiteral("theirs"));
    }

public:
    bool byRow = false;
};

struct Fixture {
    RecordingResponder messages;
    Sheet sheet;
    explicit Fixture(Sheet::Moves moves = Sheet::Moves::ByCode) : sheet(moves) {
        sheet.byRow = moves == Sheet::Moves::ByRow;
        sheet.show();
        QApplication::setActiveWindow(&sheet);
    }
    void typeCode(const QString& text) {
        sheet.code->setFocus();
        sheet.code->lineEdit()->selectAll();
        QTest::keyClicks(sheet.code->lineEdit(), text);
    }
};

} // namespace

class TestRecordEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A code not listed goes by its place among the codes; the ends go nowhere and ask
    // nothing; a code refused is told and nothing moves.
    void movesByCodeFromTheCodeTyped() {
        Fixture f;
        f.typeCode(QStringLiteral("10"));
        f.sheet.click(QStringLiteral("btnBack"));
        QCOMPARE(f.sheet.shown, 8);
        f.typeCode(QStringLiteral("10"));
        f.sheet.click(QStringLiteral("btnNext"));
        QCOMPARE(f.sheet.shown, 15);
        f.sheet.edit(QStringLiteral("x"));
        f.sheet.click(QStringLiteral("btnNext"));
        QCOMPARE(f.sheet.shown, 15);
        QVERIFY(f.sheet.isWindowModified());
        f.sheet.showRecord(3, 1);
        f.sheet.click(QStringLiteral("btnBack"));
        QCOMPARE(f.sheet.shown, 3);
        // With no code the ends.
        f.sheet.code->setEditText(QString());
        f.sheet.click(QStringLiteral("btnBack"));
        QCOMPARE(f.sheet.shown, 3);
        f.sheet.code->setEditText(QString());
        f.sheet.click(QStringLiteral("btnNext"));
        QCOMPARE(f.sheet.shown, 15);
        QCOMPARE(f.sheet.shownRow, 3);
        f.sheet.click(QStringLiteral("btnFirst"));
        QCOMPARE(f.sheet.shown, 3);
        f.typeCode(QStringLiteral("abc"));
        f.messages.expect(QStringLiteral("数値を入力してください。"));
        f.sheet.click(QStringLiteral("btnNext"));
        QCOMPARE(f.sheet.shown, 3);
        VERIFY_MESSAGES(f.messages);
    }

    // Yes keeps the edits with the focus where the screen puts it; No drops them.
    void movesAskBeforeDroppingEdits() {
        Fixture f;
        f.sheet.showRecord(8, 2);
        f.sheet.edit(QStringLiteral("mine"));
        f.messages.expect(Changed +
                              QStringLiteral("\r【はい】:戻ります。\r【いいえ】:次のデータ　へ。"),
                          Msg::Answer::Yes, QStringLiteral("確認"));
        f.sheet.click(QStringLiteral("btnNext"));
        QCOMPARE(f.sheet.shown, 8);
        QCOMPARE(f.sheet.field->text(), QStringLiteral("mine"));
        QVERIFY(f.sheet.isWindowModified());
        QCOMPARE(QApplication::focusWidget(), f.sheet.field);
        // A screen may ask with one line for every move.
        f.sheet.setMoveQuestionLine(QStringLiteral("【いいえ】:最初のデータ　へ。"));
        f.messages.expect(QStringLiteral("【いいえ】:最初のデータ　へ。"), Msg::Answer::No);
        f.sheet.click(QStringLiteral("btnLast"));
        QCOMPARE(f.sheet.shown, 15);
        QCOMPARE(f.sheet.field->text(), QStringLiteral("record 15"));
        QVERIFY(!f.sheet.isWindowModified());
        VERIFY_MESSAGES(f.messages);
    }

    // By row the question comes before the move is looked at: at the end it is asked all the
    // same, and the edits stay when nothing follows.
    void movesByRowAskFirst() {
        Fixture f(Sheet::Moves::ByRow);
        f.sheet.showRecord(15, 3);
        f.sheet.edit(QStringLiteral("mine"));
        f.messages.expect(QStringLiteral("【いいえ】:次のデータ　へ。"), Msg::Answer::No);
        f.sheet.click(QStringLiteral("btnNext"));
        QCOMPARE(f.sheet.shown, 15);
        f.messages.expect(QStringLiteral("【いいえ】:前のデータ　へ。"), Msg::Answer::No);
        f.sheet.click(QStringLiteral("btnBack"));
        QCOMPARE(f.sheet.shown, 8);
        QCOMPARE(f.sheet.shownRow, 2);
        f.sheet.code->setEditText(QString());
        f.sheet.click(QStringLiteral("btnNext"));
        QCOMPARE(f.sheet.shown, 15);
        VERIFY_MESSAGES(f.messages);
    }

    // Escape, the window's close and the close button all ask; kept, the window stays.
    void closingAsksFirst() {
        Fixture f;
        f.sheet.showRecord(8, 2);
        f.sheet.edit(QStringLiteral("mine"));
        f.messages.expect(QStringLiteral("【いいえ】:画面を閉じます。"), Msg::Answer::Yes,
                          QStringLiteral("確認"));
        QTest::keyClick(&f.sheet, Qt::Key_Escape);
        QVERIFY(f.sheet.isVisible());
        QCOMPARE(QApplication::focusWidget(), f.sheet.field);
        f.messages.expect(QStringLiteral("【いいえ】:画面を閉じます。"), Msg::Answer::Yes);
        f.sheet.close();
        QVERIFY(f.sheet.isVisible());
        f.messages.expect(QStringLiteral("【いいえ】:画面を閉じます。"), Msg::Answer::No);
        f.sheet.click(QStringLiteral("btnClose"));
        QVERIFY(!f.sheet.isVisible());
        QVERIFY(!f.sheet.isWindowModified());
        QCOMPARE(f.sheet.result(), int(QDialog::Rejected));
        // Nothing changed: closed without a word.
        f.sheet.show();
        f.sheet.showRecord(3, 1);
        QTest::keyClick(&f.sheet, Qt::Key_Escape);
        QVERIFY(!f.sheet.isVisible());
        VERIFY_MESSAGES(f.messages);
    }

    // Only a save refused over another person's change replaces the edits.
    void refusedSaveShowsTheStoredRecord() {
        Fixture f;
        f.sheet.showRecord(8, 2);
        f.sheet.edit(QStringLiteral("mine"));
        QVERIFY(!f.sheet.showChangedByOther(SavedResult(), 8));
        QVERIFY(!f.sheet.showChangedByOther(FailedResult(QStringLiteral("told")), 8));
        QCOMPARE(f.sheet.reloads, 0);
        QCOMPARE(f.sheet.field->text(), QStringLiteral("mine"));
        const SaveResult refused{SaveOutcome::ChangedByOther, QStringLiteral("told")};
        QVERIFY(f.sheet.showChangedByOther(refused, 8));
        QCOMPARE(f.sheet.reloads, 1);
        QCOMPARE(f.sheet.field->text(), QStringLiteral("theirs"));
        QVERIFY(!f.sheet.isWindowModified());
        VERIFY_MESSAGES(f.messages);
    }
};

QTEST_MAIN(TestRecordEditor)
#include "test_record_editor.moc"
