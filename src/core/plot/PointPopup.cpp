#include "core/plot/PointPopup.h"

#include "core/common/Counts.h"
#include "core/common/NumberText.h"

namespace {

QString yen(Currency amount) {
    return AmountText(amount) + QStringLiteral(" 円");
}

} // namespace

QString PopupCaption(int kind) {
    switch (kind) {
    case 1:
        return QStringLiteral("1.プロフィール");
    case 2:
        return QStringLiteral("2.人事考課");
    case 3:
        return QStringLiteral("3.キャリア");
    case 4:
        return QStringLiteral("4.賃金情報");
    default:
        return QString();
    }
}

QString PopupBand(int sco, const QString& name) {
    return QString::number(sco) + QStringLiteral("  ") + name;
}

PopupContent MakePopupContent(int kind, const PopupEmployee& e,
                              const std::array<QString, MaxGrades + 1>& gradeNames,
                              int yearsStayed) {
    PopupContent c;
    c.caption = PopupCaption(kind);
    auto row = [&c](int i, const char* title, const QString& value) {
        c.titles[size_t(i)] = QString::fromUtf8(title);
        c.values[size_t(i)] = value;
    };
    const PlotEmployee& p = e.pay;
    switch (kind) {
    case 1:
        row(1, "社員番号:", e.scot);
        row(2, "年　　齢　:", QString::number(p.age) + QStringLiteral(" 歳"));
        row(3, "勤　　続　:", QString::number(p.service) + QStringLiteral(" 年"));
        row(4, "学　　歴　:", e.school);
        row(5, "専　　攻　:", e.major);
        break;
    case 2:
        row(1, "３年前　:", e.pastEval3);
        row(2, "２年前　:", e.pastEval2);
        row(3, "１年前　:", e.pastEval1);
        row(4, "本年度　:", p.evalSymbol);
        break;
    case 3:
        row(1, "役　職　:", e.post);
        row(2, "等　級　:", IsGrade(p.grade) ? gradeNames[size_t(p.grade)] : QString());
        row(3, "号　俸　:", QString::number(p.step) + QStringLiteral(" 号"));
        row(4, "滞　留　:", QString::number(yearsStayed) + QStringLiteral(" 年"));
        break;
    case 4: {
        Currency allowances;
        for (int i = 1; i <= AllowanceCount; ++i)
            allowances += e.allowances[size_t(i)];
        const Currency bonus = p.bonus1 + p.bonus2;
        row(1, "基 本 給 ：", yen(BasePayOf(p)));
        row(2, "諸 手 当 ：", yen(allowances));
        row(3, "所 定 給 ：", yen(p.scheduled));
        row(4, "年 賞 与 ：", yen(bonus));
        row(5, "年 収 入 ：", yen(p.scheduled * 12 + bonus));
        break;
    }
    default:
        break;
    }
    return c;
}
