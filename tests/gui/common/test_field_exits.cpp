#include "gui/common/FieldExits.h"
#include "support/core/RecordingResponder.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

namespace {

const QString NotANumber = QStringLiteral("数値を入力してください。");

// A form with a number field that refuses anything else, a free text field, a field on a
// second page, and a command that checks the field holding the focus first.
struct Form {
    RecordingResponder messages;
    std::unique_ptr<QDialog> dlg = std::make_unique<QDialog>();
    QLineEdit* number;
    QLineEdit* text;
    QTabWidget* pages;
    QLineEdit* onPage; // on the first page, refusing like number
    QPushButton* command;
    FieldExits* exits;
    int checks = 0;
    int commands = 0;

    Form() {
        exits = new FieldExits(dlg.get());
        auto* layout = new QVBoxLayout(dlg.get());
        number = new QLineEdit(QStringLiteral("1"), dlg.get());
        text = new QLineEdit(dlg.get());
        pages = new QTabWidget(dlg.get());
        auto* first = new QWidget;
        auto* second = new QWidget;
        onPage = new QLineEdit(QStringLiteral("1"), first);
        (new QVBoxLayout(first))->addWidget(onPage);
        (new QVBoxLayout(second))->addWidget(new QLineEdit(second));
        pages->addTab(first, QStringLiteral("1"));
        pages->addTab(second, QStringLiteral("2"));
        command = new QPushButton(QStringLiteral("save"), dlg.get());
        command->setAutoDefault(false);
        for (QWidget* w : {static_cast<QWidget*>(number), static_cast<QWidget*>(text),
                           static_cast<QWidget*>(pages), static_cast<QWidget*>(command)})
            layout->addWidget(w);

        exits->add(number, [this] { return numeric(number); });
        exits->add(text);
        exits->add(onPage, [this] { return numeric(onPage); });
        exits->setShowField([this](QWidget* field) {
            for (int i = 0; i < pages->count(); ++i)
                if (pages->widget(i)->isAncestorOf(field))
                    pages->setCurrentIndex(i);
        });
        QObject::connect(command, &QPushButton::clicked, [this] {
            if (exits->checkFocused())
                ++commands;
        });
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
        if (!QTest::qWaitForWindowActive(dlg.get()))
            qFatal("the form did not become active");
    }

    bool numeric(QLineEdit* field) {
        ++checks;
        bool ok = false;
        field->text().toInt(&ok);
        return ok || exits->refuse(field, NotANumber);
    }

    static void type(QLineEdit* field, const QString& typed) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, typed);
    }
};

} // namespace

class TestFieldExits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusedFieldKeepsTheFocusAndAcceptedOneLetsItGo() {
        Form f;
        Form::type(f.number, QStringLiteral("x"));
        f.messages.expect(NotANumber);
        QTest::keyClick(f.number, Qt::Key_Tab);
        VERIFY_MESSAGES(f.messages);
        QCOMPARE(QApplication::focusWidget(), f.number);
        QCOMPARE(f.number->selectedText(), QStringLiteral("x"));
        QCOMPARE(f.checks, 1);

        Form::type(f.number, QStringLiteral("12"));
        QTest::keyClick(f.number, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.text);
        VERIFY_MESSAGES(f.messages);
    }

    void enterMovesOnAndLeavesTheField() {
        Form f;
        f.number->setFocus();
        QTest::keyClick(f.number, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.text);
        QCOMPARE(f.checks, 1);

        Form::type(f.number, QStringLiteral("y"));
        f.messages.expect(NotANumber);
        QTest::keyClick(f.number, Qt::Key_Enter);
        VERIFY_MESSAGES(f.messages);
        QCOMPARE(QApplication::focusWidget(), f.number);
    }

    // Moves the field did not make: a drop-down list or a message box taking the focus, a
    // switch of windows, the screen placing the focus, the refusal taking it back.
    void focusMovesThatAreNotLeaving() {
        Form f;
        Form::type(f.number, QStringLiteral("x"));
        f.text->setFocus(Qt::PopupFocusReason);
        f.number->setFocus(Qt::PopupFocusReason);
        f.text->setFocus(Qt::ActiveWindowFocusReason);
        f.number->setFocus(Qt::ActiveWindowFocusReason);
        f.exits->moveFocus(f.text);
        QCOMPARE(f.checks, 0);
        VERIFY_MESSAGES(f.messages);

        // Both fields refusing: giving the focus back does not run the other one's check.
        Form::type(f.onPage, QStringLiteral("z"));
        f.messages.expect(NotANumber);
        f.number->setFocus(Qt::MouseFocusReason);
        VERIFY_MESSAGES(f.messages);
        QCOMPARE(QApplication::focusWidget(), f.onPage);
        QCOMPARE(f.checks, 1);
    }

    void commandChecksTheFocusedFieldFirst() {
        Form f;
        Form::type(f.number, QStringLiteral("x"));
        f.messages.expect(NotANumber);
        f.command->click(); // by keyboard: the focus stays in the field
        VERIFY_MESSAGES(f.messages);
        QCOMPARE(f.commands, 0);

        // A mouse click takes the focus: the field is left, refused once, and the click that
        // tried to leave it runs no command.
        f.messages.expect(NotANumber);
        QTest::mouseClick(f.command, Qt::LeftButton);
        VERIFY_MESSAGES(f.messages);
        QCOMPARE(QApplication::focusWidget(), f.number);
        QCOMPARE(f.commands, 0);

        Form::type(f.number, QStringLiteral("7"));
        QTest::mouseClick(f.command, Qt::LeftButton);
        QCOMPARE(f.commands, 1);
        VERIFY_MESSAGES(f.messages);
    }

    // A page switch hides the field it leaves: its page comes back once the switch is done.
    void refusalOnAHiddenPageShowsItAgain() {
        Form f;
        Form::type(f.onPage, QStringLiteral("x"));
        f.checks = 0;
        f.messages.expect(NotANumber);
        f.pages->setCurrentIndex(1);
        VERIFY_MESSAGES(f.messages);
        QCoreApplication::processEvents();
        QCOMPARE(f.pages->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), f.onPage);
        QCOMPARE(f.checks, 1);

        // A command before the switch has settled finishes the refusal and stops.
        f.messages.expect(NotANumber);
        f.pages->setCurrentIndex(1);
        QVERIFY(!f.exits->checkFocused());
        QCOMPARE(f.pages->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), f.onPage);
        QCOMPARE(f.checks, 2);
        VERIFY_MESSAGES(f.messages);
    }
};

QTEST_MAIN(TestFieldExits)
#include "test_field_exits.moc"
