// The annual update screen: its lists, its refusals and its question, and an update run from it.
#include "gui/raise/WS3030_AnnualUpdate.h"
#include "support/gui/ScriptedDialogs.h"

#include <QComboBox>
#include <QPushButton>
#include <QtTest>

namespace {

struct Screen {
    ScreenEnvironment env;
    TWS3030 ws;
    QComboBox* year;
    QComboBox* company;

    Screen() {
        env.setToday(QDate(2024, 3, 30));
        env.openDatabases();
        env.openCompany(1, 2023);
        year = Control<QComboBox>(ws, QStringLiteral("cmbNendo"));
        company = Control<QComboBox>(ws, QStringLiteral("cmbCorpName"));
        ws.prepare();
    }
    void update() { Control<QPushButton>(ws, QStringLiteral("btnAdd"))->click(); }
    int yearsOf(int year) {
        return env
            .scalar(TDM::ACN1,
                    QStringLiteral("SELECT count(*) FROM MKIGYOU1 WHERE NENDO = %1").arg(year))
            .toInt();
    }
};

const QString Undecided = QStringLiteral("昇給が決定していない社員が 28 名います。");

} // namespace

class TestWS3030 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void updatesTheChosenCompany() {
        Screen s;
        QCOMPARE(s.year->currentText(), QStringLiteral("2023"));
        QCOMPARE(s.year->itemText(0), QStringLiteral("2004"));
        QCOMPARE(s.year->itemText(s.year->count() - 1), QStringLiteral("2024"));
        QCOMPARE(s.company->currentText(), QString());
        QCOMPARE(s.company->itemText(0), QStringLiteral("1 : サンプル企業"));

        // No company chosen, or a year that is no number.
        s.env.messages.expect(QStringLiteral("数値を入力してください。"));
        s.update();
        s.company->setCurrentIndex(0);
        s.year->setEditText(QStringLiteral("二〇二三"));
        s.env.messages.expect(QStringLiteral("数値を入力してください。"));
        s.update();
        s.year->setEditText(QStringLiteral("2030"));
        s.env.messages.expect(QStringLiteral("企業マスターが存在しません。"));
        s.update();
        QCOMPARE(s.company->currentText(), QStringLiteral("1"));

        // The undecided raises are named first; No writes nothing.
        s.year->setEditText(QStringLiteral("2023"));
        s.env.messages.expect(Undecided, Msg::Answer::No, QStringLiteral("確認"));
        s.update();
        QCOMPARE(s.yearsOf(2024), 0);
        s.env.messages.expect(Undecided, Msg::Answer::Yes, QStringLiteral("確認"));
        s.env.messages.expect(QStringLiteral("年次更新が終了しました。\r基準年月日 2023.04.01 → "
                                             "2024.04.01\r調査日 2023.06.30 → 2024.06.30"));
        s.update();
        QCOMPARE(s.yearsOf(2024), 1);
        QCOMPARE(s.env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN2 WHERE NENDO = 2024"),
                 QStringLiteral("60"));
        // A second run is refused before anything is asked.
        s.env.messages.expect(QStringLiteral("既にデータが存在します。企業データ　を削除してから、"
                                             "再度年次更新を行ってください。"));
        s.update();
        // The open project is still 2023.
        QVERIFY(s.env.project.companyYear() == (CompanyYear{1, 2023}));
        VERIFY_MESSAGES(s.env.messages);
    }
};

QTEST_MAIN(TestWS3030)
#include "test_ws3030.moc"
