#include "core/common/Currency.h"

#include <QtTest>

class TestCurrency : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parsing() {
        bool ok = false;
        QCOMPARE(Currency::fromString(QStringLiteral("1,234.5"), &ok).raw(), 12345000);
        QVERIFY(ok);
        QCOMPARE(Currency::fromString(QStringLiteral("-0.00005"), &ok).raw(), -1); // half away
        QCOMPARE(Currency::fromString(QStringLiteral("1.23456"), &ok).raw(), 12346);
        Currency::fromString(QStringLiteral("1.2.3"), &ok);
        QVERIFY(!ok);
        Currency::fromString(QStringLiteral(""), &ok);
        QVERIFY(!ok);
        Currency::fromString(QStringLiteral("１２"), &ok); // full-width digits are not accepted
        QVERIFY(!ok);
    }

    void text() {
        QCOMPARE(Currency::fromInt(200000).toString(), QStringLiteral("200000"));
        QCOMPARE(Currency::fromString(QStringLiteral("1.010")).toString(), QStringLiteral("1.01"));
        QCOMPARE(Currency::fromString(QStringLiteral("-0.5")).toString(), QStringLiteral("-0.5"));
        QCOMPARE(Currency::fromDouble(1.01).raw(), 10100);
        QCOMPARE(Currency::fromDouble(0.1 + 0.2).toString(), QStringLiteral("0.3"));
    }

    void exactArithmetic() {
        // A rate times whole yen stays exact: no yen lost before a truncation.
        const Currency rate = Currency::fromString(QStringLiteral("1.010"));
        const Currency diff = rate * Currency::fromInt(230000) - rate * Currency::fromInt(200000);
        QCOMPARE(diff, Currency::fromInt(30300));
        QCOMPARE(diff.truncated(), 30300);
        QCOMPARE((Currency::fromInt(260000) / Currency::fromInt(160000)).toString(),
                 QStringLiteral("1.625"));
        QCOMPARE(Currency::fromString(QStringLiteral("-2.5")).rounded(), -3);
        QCOMPARE(Currency::fromString(QStringLiteral("2.4999")).rounded(), 2);
        QCOMPARE((Currency::fromInt(1) / Currency()).raw(), 0);
        QVERIFY(Currency::fromInt(-1) < Currency());
    }
};

QTEST_GUILESS_MAIN(TestCurrency)
#include "test_currency.moc"
