// What the text boxes take: a one-line box neither cuts a text the program puts there nor
// takes a control character or more than its length from the keyboard or a paste; a box of
// several lines keeps line breaks and refuses the other control characters.
#include "gui/common/Controls.h"
#include "gui/common/RemarksEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

class TestTextBoxes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void oneLineBox() {
        QWidget form;
        QLineEdit* e = TextEdit(&form, QStringLiteral("txtName"), 5);
        e->setText(QStringLiteral("ABCDEFGH")); // stored before the limit: shown whole
        QCOMPARE(e->text(), QStringLiteral("ABCDEFGH"));
        form.show();
        e->setFocus();
        e->end(false);
        QTest::keyClicks(e, QStringLiteral("I"));
        QCOMPARE(e->text(), QStringLiteral("ABCDEFGH"));
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, QStringLiteral("Z"));
        QCOMPARE(e->text(), QStringLiteral("ABCDEFGZ")); // as long as it was, no longer
        e->setText(QString());
        QTest::keyClicks(e, QStringLiteral("1234567"));
        QCOMPARE(e->text(), QStringLiteral("12345"));
        e->setText(QStringLiteral("ab"));
        e->end(false);
        for (const QString& bad :
             {QStringLiteral("c\td"), QStringLiteral("c\nd"),
              QStringLiteral("c") + QChar(0) + QStringLiteral("d"), QStringLiteral("c\x1b")}) {
            QApplication::clipboard()->setText(bad);
            e->paste();
            QCOMPARE(e->text(), QStringLiteral("ab"));
        }
        QApplication::clipboard()->setText(QStringLiteral("cd"));
        e->paste();
        QCOMPARE(e->text(), QStringLiteral("abcd"));
    }

    void boxOfSeveralLines() {
        QWidget form;
        auto* layout = new QVBoxLayout(&form);
        auto* remarks = new RemarksEdit(&form);
        auto* next = new QLineEdit(&form);
        layout->addWidget(remarks);
        layout->addWidget(next);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        remarks->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("一行目\n二行目"));
        remarks->paste();
        QCOMPARE(remarks->toPlainText(), QStringLiteral("一行目\n二行目"));
        QApplication::clipboard()->setText(QStringLiteral("\tタブ"));
        remarks->paste();
        QCOMPARE(remarks->toPlainText(), QStringLiteral("一行目\n二行目"));
        QTest::keyClick(remarks, Qt::Key_Tab);
        QCOMPARE(remarks->toPlainText(), QStringLiteral("一行目\n二行目"));
        QVERIFY(next->hasFocus());
    }
};

QTEST_MAIN(TestTextBoxes)
#include "test_text_boxes.moc"
