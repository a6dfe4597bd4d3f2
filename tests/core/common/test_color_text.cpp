#include "core/common/ColorText.h"

#include <QtTest>

class TestColorText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsTheStoredForms_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("value");
        QTest::newRow("name") << "clBlue" << 0xFF0000u;
        QTest::newRow("name in any case") << "CLRED" << 0x0000FFu;
        QTest::newRow("alias name") << "clLtGray" << 0xC0C0C0u;
        QTest::newRow("hexadecimal, 8 digits") << "$00804020" << 0x804020u;
        QTest::newRow("hexadecimal, lower case") << "$00ff8040" << 0xFF8040u;
        QTest::newRow("hexadecimal, short") << "$FF" << 0xFFu;
        QTest::newRow("decimal zero is black") << "0" << 0u;
        QTest::newRow("decimal") << "255" << 0xFFu;
        QTest::newRow("blanks around") << " clWhite " << 0xFFFFFFu;
        QTest::newRow("signed 32-bit value") << "-16777201" << 0xFF00000Fu;
    }
    void readsTheStoredForms() {
        QFETCH(QString, text);
        QFETCH(uint, value);
        ColorValue v = 12345;
        QVERIFY(ParseColorText(text, &v));
        QCOMPARE(v, ColorValue(value));
    }

    void refusesWhatIsNoColour_data() {
        QTest::addColumn<QString>("text");
        for (const char* t :
             {"", "red", "clBlu", "$", "$GG", "$123456789", "$-1", "12x", "4294967296", "1.5"})
            QTest::newRow(t) << QString::fromLatin1(t);
    }
    void refusesWhatIsNoColour() {
        QFETCH(QString, text);
        ColorValue v = 12345;
        QVERIFY(!ParseColorText(text, &v));
        QCOMPARE(v, ColorValue(12345));             // untouched
        QCOMPARE(ColorOfText(text), ColorValue(0)); // drawn black
    }

    void writesNamesOrEightHexDigits() {
        QCOMPARE(ColorText(0x000000), QStringLiteral("clBlack"));
        QCOMPARE(ColorText(0x0000FF), QStringLiteral("clRed"));
        // Values with two names get the first: clSilver, not clLtGray.
        QCOMPARE(ColorText(0xC0C0C0), QStringLiteral("clSilver"));
        QCOMPARE(ColorText(0x123456), QStringLiteral("$00123456"));
        QCOMPARE(ColorText(0x00ABCDEF), QStringLiteral("$00ABCDEF"));
        // Every written text reads back as the same value.
        for (ColorValue v : {0x000000u, 0x808000u, 0xF0CAA6u, 0x010203u, 0xFFFFFEu}) {
            ColorValue back = 1;
            QVERIFY(ParseColorText(ColorText(v), &back));
            QCOMPARE(back, v);
        }
    }

    void valueHoldsRedInTheLowByte() {
        constexpr ColorValue v = ColorFromRgb(0x12, 0x34, 0x56);
        QCOMPARE(v, ColorValue(0x563412));
        QCOMPARE(ColorRed(v), 0x12);
        QCOMPARE(ColorGreen(v), 0x34);
        QCOMPARE(ColorBlue(v), 0x56);
        QCOMPARE(ColorFromRgb(255, 0, 0), ColorOfText(QStringLiteral("clRed")));
    }
};

QTEST_APPLESS_MAIN(TestColorText)
#include "test_color_text.moc"
