// The curve-style window of a design and the wage-table graph screen.

#include "../plot/PlotFixture.h"

#include "gui/design/WS1051_CurveStyle.h"
#include "gui/design/WS1060_RaiseCurveSettings.h"

#include <QComboBox>

namespace {

void typeInto(QComboBox* box, const QString& text, bool leave = true) {
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
    if (leave)
        QTest::keyClick(box, Qt::Key_Tab);
    QCoreApplication::processEvents();
}

bool sampleIsBlank(TWS1051& w) {
    const QImage image = Control<QLabel>(w, QStringLiteral("imgDisp"))->pixmap().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

} // namespace

class TestWS1051WS1060 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void curveStyle() {
        PlotFixture f;
        CurveStyle style;
        TWS1051 w(2, style, nullptr);
        w.Prepare();
        w.show();
        QApplication::setActiveWindow(&w);
        auto* kind = Control<QComboBox>(w, QStringLiteral("cmbSensyu"));
        auto* width = Control<QComboBox>(w, QStringLiteral("cmbSenhaba"));
        // No row yet: no line.
        QCOMPARE(kind->currentText(), QStringLiteral("0 : なし"));
        QCOMPARE(width->currentText(), QStringLiteral("0"));
        QVERIFY(sampleIsBlank(w));

        f.env.messages.expect(QStringLiteral("入力範囲外です。"));
        typeInto(width, QStringLiteral("6"));
        f.env.messages.expect(QStringLiteral("数値を整数で入力してください。"));
        typeInto(width, QStringLiteral("1.5"));
        typeInto(width, QStringLiteral("0")); // accepted
        f.env.messages.expect(QStringLiteral("数値を入力してください。"));
        typeInto(kind, QStringLiteral("x"));
        VERIFY_MESSAGES(f.env.messages);
        typeInto(kind, QStringLiteral("2"));
        QCOMPARE(kind->currentText(), QStringLiteral("2 : 点線"));
        typeInto(width, QStringLiteral("3"));
        QVERIFY(!sampleIsBlank(w));
        f.PlotFixture::compose(Control<QLineEdit>(w, QStringLiteral("txtHanrei")),
                               QStringLiteral("上位職'"));
        // 登録 while the width is still being typed takes it.
        typeInto(width, QStringLiteral("4"), false);
        QTest::mouseClick(Control<QPushButton>(w, QStringLiteral("btnAdd")), Qt::LeftButton);
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.rows(QStringLiteral("SELECT SDCO, X, Y, SNENREI1, SKIN1, HANREI, SCOLOR, "
                                       "SSYURUI, SHABA FROM DSPDRAW")),
                 QStringList{QStringLiteral("2|0|0|0|0|上位職'|clBlack|2|4")});
        // The design screen inserts new designs with the style last edited.
        QCOMPARE(style.kind, 2);
        QCOMPARE(style.width, 4);
        QVERIFY(!w.isWindowModified());

        f.env.dialogs.colourAnswers = {QColor(255, 0, 0)};
        QTest::mouseClick(Control<QPushButton>(w, QStringLiteral("btnColor")), Qt::LeftButton);
        QCOMPARE(style.colour, QStringLiteral("clRed"));
        f.env.messages.expect(QStringLiteral("ﾃﾞｰﾀが変更されています。"), Msg::Answer::Yes,
                              QStringLiteral("確認"));
        QTest::mouseClick(Control<QPushButton>(w, QStringLiteral("btnClose")), Qt::LeftButton);
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(w.isVisible());
    }

    void wageTableGraph() {
        PlotFixture f;
        TWS1060 screen(&f.plot, nullptr);
        screen.PrepareSettingsScreen();
        QCOMPARE(
            f.rows(QStringLiteral("SELECT DISTINCT FX, FY, FCHK, TOUKYU FROM MCHART WHERE CHCO "
                                  "= 1060 AND KCO = 1 AND NENDO = 2023")),
            QStringList{QStringLiteral("3|0|1|1")});
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM MCHART WHERE CHCO = 1060")), 6);
        screen.show();
        QApplication::setActiveWindow(&screen);
        // Closing untouched writes nothing: a refused update would be reported.
        f.env.exec(TDM::ACN2, QStringLiteral("CREATE TRIGGER frozen BEFORE UPDATE ON MCHART BEGIN "
                                             "SELECT RAISE(ABORT, 'frozen'); END"));
        f.click(&screen, QStringLiteral("btnClose"));
        VERIFY_MESSAGES(f.env.messages);
        f.env.exec(TDM::ACN2, QStringLiteral("DROP TRIGGER frozen"));

        screen.PrepareSettingsScreen();
        screen.show();
        QApplication::setActiveWindow(&screen);
        f.compose(Control<QLineEdit>(screen, QStringLiteral("txtTitle")),
                  QStringLiteral("職能給表"));
        f.click(&screen, QStringLiteral("btnAnalize"));
        QVERIFY(f.plot.isVisible());
        QCOMPARE(f.plot.chartNo(), 1060);
        QStringList numerals;
        for (const SceneItem& i : f.plot.currentScene().curves)
            if (const auto* t = std::get_if<SceneText>(&i))
                numerals << t->text;
        QCOMPARE(numerals, (QStringList{"Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "Ⅴ", "Ⅵ"}));
        QVERIFY(f.plot.currentScene().marks.isEmpty());
        QCOMPARE(f.rows(QStringLiteral("SELECT DISTINCT TITLE FROM MCHART WHERE CHCO = 1060")),
                 QStringList{QStringLiteral("職能給表")});
        f.plot.close();

        // A company without a wage table has nothing to draw.
        f.env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MCHINGIN WHERE KCO = 1"));
        screen.PrepareSettingsScreen();
        screen.show();
        QApplication::setActiveWindow(&screen);
        f.env.messages.expect(QStringLiteral("グラフに表示するデータがありません。"));
        f.click(&screen, QStringLiteral("btnAnalize"));
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(!f.plot.isVisible());
        QVERIFY(screen.isVisible());
    }
};

QTEST_MAIN(TestWS1051WS1060)
#include "test_ws1051_ws1060.moc"
