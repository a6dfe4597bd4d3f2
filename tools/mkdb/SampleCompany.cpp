#include "mkdb/SampleCompany.h"

#include "core/common/Helpers.h"
#include "core/common/SqlText.h"
#include "core/wage/WageTableGenerator.h"
#include "data/wage/WageTableSql.h"

#include <QSet>
#include <QTime>

#include <algorithm>
#include <array>

namespace {

constexpr int Kco = 1;
constexpr int Nendo = 2023;
// KDATE: ages and service are counted to the first day of the fiscal year.
constexpr int AgeBaseDate = 20230401;
constexpr int EmployeeCount = 60;
constexpr int RoundingUnit = 1; // MARUMEF: 100 yen

// xorshift64*: tiny, and its sequence is fixed by the seed on every compiler and library.
class SampleRandom {
public:
    explicit SampleRandom(quint64 seed) : m_s(seed) {}
    int below(int n) { return int(next() % quint64(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T& pick(const QList<T>& list) {
        return list.at(below(int(list.size())));
    }

private:
    quint64 next() {
        m_s ^= m_s >> 12;
        m_s ^= m_s << 25;
        m_s ^= m_s >> 27;
        return m_s * 2685821657736338717ULL;
    }
    quint64 m_s;
};

// One grade of the wage-table definition: salary scale and 2nd-order key steps.
struct Grade {
    QString name;
    int lowerPercent;
    qint64 base;
    int upperPercent;
    std::array<int, 3> steps; // start, middle, end
};

const std::array<Grade, 6>& grades() {
    static const std::array<Grade, 6> g = {{
        {QStringLiteral("一般職Ⅰ"), -10, 110000, 20, {1, 9, 30}},
        {QStringLiteral("一般職Ⅱ"), -10, 135000, 20, {1, 13, 40}},
        {QStringLiteral("主任"), -10, 165000, 20, {1, 16, 50}},
        {QStringLiteral("係長"), -10, 195000, 20, {1, 19, 60}},
        {QStringLiteral("課長"), -10, 230000, 20, {1, 16, 50}},
        {QStringLiteral("部長"), -10, 270000, 15, {1, 13, 40}},
    }};
    return g;
}

const Grade& grade(int g) {
    return grades().at(size_t(g - 1));
}

// The wage-table definition as the screen saves it: scale figures computed from each row, the
// key amounts filled automatically from the scale (UKAKIF 0).
const WageTableDefinition& sampleDefinition() {
    static const WageTableDefinition d = [] {
        WageTableDefinition w;
        w.head.gradeCount = int(grades().size());
        w.head.method = CurveMethod::SecondOrder;
        w.head.rounding = RoundingUnit;
        w.head.title = QStringLiteral("2023年度 職能給表");
        w.head.scaleCode = 1;
        w.head.secondCode = 1;
        for (int g = 1; g <= w.head.gradeCount; ++g) {
            const Grade& gr = grade(g);
            const Currency lower = Currency::fromInt(gr.lowerPercent);
            const Currency upper = Currency::fromInt(gr.upperPercent);
            const ScaleFigures f = ComputeScaleFigures(lower, Currency::fromInt(gr.base), upper);
            w.scale[size_t(g)] = {lower, Currency::fromInt(gr.base), upper, f.spread,
                                  Currency::fromInt(f.range)};
            const AutomaticAmounts a = AutomaticKeyAmounts(lower, gr.base, upper);
            w.second.grades[size_t(g)].points = {
                {{gr.steps[0], a.start}, {gr.steps[1], a.middle}, {gr.steps[2], a.end}}};
        }
        return w;
    }();
    return d;
}

// The table generated from the definition by the program's own generator; 職能給 follows it.
const WageTable& sampleTable() {
    static const WageTable t = [] {
        const std::optional<WageTable> table = GenerateWageTable(sampleDefinition());
        if (!table)
            qFatal("the sample wage-table definition gives no table");
        return *table;
    }();
    return t;
}

qint64 tableAmount(int g, int step) {
    const WageTable& t = sampleTable();
    if (step < t.steps.lowest || step > t.steps.highest)
        return 0;
    return t.rows.at(step - t.steps.lowest).amount[size_t(g)];
}

// Steps of the raise per evaluation code 1..5 (S, A, B, C, D).
constexpr std::array<int, 6> StepsOfEvaluation = {0, 6, 5, 4, 3, 2};
const QStringList EvaluationSymbols = {QString(),           QStringLiteral("S"),
                                       QStringLiteral("A"), QStringLiteral("B"),
                                       QStringLiteral("C"), QStringLiteral("D")};

// 年齢給: rises fast while young, flattens in the fifties, falls after 55.
qint64 agePay(int age) {
    qint64 pay = 80000;
    for (int a = 19; a <= age; ++a)
        pay += a <= 30 ? 2000 : a <= 40 ? 1500 : a <= 50 ? 1000 : a <= 55 ? 0 : -2000;
    return pay;
}

qint64 housingAllowance(int age) {
    return age < 30 ? 10000 : age < 45 ? 15000 : 20000;
}

// Positions end at 60 (re-employment), and with them the position allowance.
qint64 positionAllowance(int grade, int age) {
    if (age >= 60)
        return 0;
    return grade == 4 ? 10000 : grade == 5 ? 40000 : grade == 6 ? 60000 : 0;
}

QString position(int grade, int age) {
    if (age >= 60)
        return QString();
    static const QStringList names = {QString(),
                                      QString(),
                                      QString(),
                                      QStringLiteral("主任"),
                                      QStringLiteral("係長"),
                                      QStringLiteral("課長"),
                                      QStringLiteral("部長")};
    return names.at(grade);
}

int completedYears(int from, int to) {
    int years = to / 10000 - from / 10000;
    if (to % 10000 < from % 10000)
        --years;
    return years;
}

qint64 roundToThousand(qint64 yen) {
    return (yen + 500) / 1000 * 1000;
}

struct Employee {
    // MSYAIN1
    int sco = 0;
    QString scot;
    QString sna;
    int seihi = 0;
    int nyuhi = 0;
    QString yaku;
    int grade = 0;
    int age = 0;
    int service = 0;
    int experience = 0;
    double tritsu = 0;
    double sritsu = 0;
    qint64 syouyo = 0;
    qint64 nensyu = 0;
    int mark = 0;
    QString newday;
    // MSYAIN2
    int seibetsu = 0;
    int gouhou = 0;
    int sm1 = 2;
    QString gaku, senkou, ksikaku, keiken;
    int thi = 0;
    int zone = 0;
    int tensu = 0;
    int hco = 0;
    std::array<qint64, 3> kkyu{};
    std::array<qint64, 5> teate{};
    qint64 syouyo2 = 0;
    qint64 syotei = 0;
    std::array<QString, 3> pastEvaluations;
    // next year's raise, where entered (else all 0)
    int ntoukyu = 0;
    int ngouhou = 0;
    int fskchk = 0;
    std::array<qint64, 3> nkkyu{};
    std::array<qint64, 5> nteate{};
    qint64 nsyotei = 0;
    qint64 nnensyu = 0;
    qint64 upk = 0;
    qint64 upt = 0;
};

int evaluationDraw(SampleRandom& rnd) {
    const int r = rnd.below(100);
    return r < 5 ? 1 : r < 25 ? 2 : r < 75 ? 3 : r < 95 ? 4 : 5;
}

QList<Employee> makeEmployees() {
    static const QStringList families = {
        QStringLiteral("佐藤"),   QStringLiteral("鈴木"), QStringLiteral("高橋"),
        QStringLiteral("田中"),   QStringLiteral("伊藤"), QStringLiteral("渡辺"),
        QStringLiteral("山本"),   QStringLiteral("中村"), QStringLiteral("小林"),
        QStringLiteral("加藤"),   QStringLiteral("吉田"), QStringLiteral("山田"),
        QStringLiteral("佐々木"), QStringLiteral("山口"), QStringLiteral("松本"),
        QStringLiteral("井上"),   QStringLiteral("木村"), QStringLiteral("林"),
        QStringLiteral("斎藤"),   QStringLiteral("清水"), QStringLiteral("山崎"),
        QStringLiteral("森"),     QStringLiteral("池田"), QStringLiteral("橋本"),
        QStringLiteral("阿部"),   QStringLiteral("石川"), QStringLiteral("山下"),
        QStringLiteral("中島"),   QStringLiteral("石井"), QStringLiteral("小川"),
        QStringLiteral("前田"),   QStringLiteral("岡田"), QStringLiteral("長谷川"),
        QStringLiteral("藤田"),   QStringLiteral("後藤"), QStringLiteral("近藤"),
        QStringLiteral("村上"),   QStringLiteral("遠藤"), QStringLiteral("青木"),
        QStringLiteral("坂本")};
    static const QStringList menNames = {
        QStringLiteral("健一"), QStringLiteral("大輔"), QStringLiteral("翔太"),
        QStringLiteral("拓也"), QStringLiteral("直樹"), QStringLiteral("和也"),
        QStringLiteral("達也"), QStringLiteral("誠"),   QStringLiteral("浩二"),
        QStringLiteral("隆"),   QStringLiteral("修"),   QStringLiteral("博之"),
        QStringLiteral("智也"), QStringLiteral("亮"),   QStringLiteral("悠斗"),
        QStringLiteral("蓮"),   QStringLiteral("陽介"), QStringLiteral("雄一"),
        QStringLiteral("正人"), QStringLiteral("康弘"), QStringLiteral("裕太"),
        QStringLiteral("剛"),   QStringLiteral("学"),   QStringLiteral("茂"),
        QStringLiteral("秀樹")};
    static const QStringList womenNames = {
        QStringLiteral("陽子"), QStringLiteral("恵美"),   QStringLiteral("由美子"),
        QStringLiteral("裕子"), QStringLiteral("真由美"), QStringLiteral("美咲"),
        QStringLiteral("彩"),   QStringLiteral("愛"),     QStringLiteral("優子"),
        QStringLiteral("恵"),   QStringLiteral("香織"),   QStringLiteral("麻衣"),
        QStringLiteral("智子"), QStringLiteral("直美"),   QStringLiteral("理恵"),
        QStringLiteral("沙織"), QStringLiteral("明美"),   QStringLiteral("久美子"),
        QStringLiteral("結衣"), QStringLiteral("葵"),     QStringLiteral("千尋"),
        QStringLiteral("奈々"), QStringLiteral("幸子"),   QStringLiteral("美穂")};
    // Per kind of work (営業, 事務, 技術): assignments, majors of graduates, qualifications.
    static const std::array<QStringList, 3> assignments = {
        QStringList{QStringLiteral("法人営業"), QStringLiteral("営業企画"),
                    QStringLiteral("販売促進")},
        QStringList{QStringLiteral("総務"), QStringLiteral("経理"), QStringLiteral("人事")},
        QStringList{QStringLiteral("設計"), QStringLiteral("生産技術"),
                    QStringLiteral("品質管理")}};
    static const std::array<QStringList, 3> majors = {
        QStringList{QStringLiteral("経済学"), QStringLiteral("経営学"), QStringLiteral("法学")},
        QStringList{QStringLiteral("商学"), QStringLiteral("法学"), QStringLiteral("経済学")},
        QStringList{QStringLiteral("機械工学"), QStringLiteral("電気工学"),
                    QStringLiteral("情報工学")}};
    static const std::array<QString, 3> schoolCourses = {
        QStringLiteral("普通科"), QStringLiteral("商業科"), QStringLiteral("工業科")};
    static const std::array<QString, 3> qualifications = {QStringLiteral("普通自動車免許"),
                                                          QStringLiteral("日商簿記2級"),
                                                          QStringLiteral("基本情報技術者")};
    // Years of experience after which grades 2..6 are usually reached.
    static constexpr std::array<int, 7> gradeAfterYears = {0, 0, 4, 9, 14, 20, 27};

    SampleRandom rnd(20230401);
    QSet<QString> usedNames;
    QList<Employee> list;
    for (int i = 0; i < EmployeeCount; ++i) {
        Employee e;
        // Ages spread evenly from 19 to 62.
        e.age = 19 + (i * 43 + (EmployeeCount - 1) / 2) / (EmployeeCount - 1);
        const bool female = rnd.chance(40);
        const int work = rnd.below(3);
        e.seibetsu = female ? 1 : 0;
        e.mark = work * 2 + (female ? 2 : 1); // ■□ 営業, ●○ 事務, ▲△ 技術: men odd, women even
        do {
            e.sna = rnd.pick(families) + QStringLiteral("　") +
                    rnd.pick(female ? womenNames : menNames);
        } while (usedNames.contains(e.sna));
        usedNames.insert(e.sna);

        const int school = rnd.below(100);
        int leavingAge = 18;
        if (e.age >= 22 && school >= 40) {
            leavingAge = 22;
            e.gaku = QStringLiteral("大学卒");
            e.senkou = rnd.pick(majors[size_t(work)]);
        } else if (e.age >= 20 && school >= 30) {
            leavingAge = 20;
            e.gaku = QStringLiteral("短大卒");
            e.senkou = work == 2 ? QStringLiteral("情報処理科") : QStringLiteral("経営情報科");
        } else {
            e.gaku = QStringLiteral("高校卒");
            e.senkou = schoolCourses[size_t(work)];
        }
        e.experience = e.age - leavingAge;
        e.keiken = rnd.pick(assignments[size_t(work)]);
        if (rnd.chance(40))
            e.ksikaku = qualifications[size_t(work)];

        // Born so that the completed age at the age base date is e.age.
        const int md = rnd.between(1, 12) * 100 + rnd.between(1, 28);
        e.seihi = (md <= AgeBaseDate % 10000 ? 2023 - e.age : 2022 - e.age) * 10000 + md;

        // Most joined on the April 1 after school; some later, in another month.
        const int leftSchool = 2023 - e.experience;
        const bool midCareer = e.experience >= 5 && rnd.chance(25);
        if (midCareer) {
            const int joinYear = leftSchool + rnd.between(2, std::min(e.experience, 15));
            const int month = joinYear == 2023 ? 4 : rnd.between(4, 12);
            e.nyuhi = joinYear * 10000 + month * 100 + 1;
        } else {
            e.nyuhi = leftSchool * 10000 + 401;
        }
        e.service = completedYears(e.nyuhi, AgeBaseDate);

        // Grade by experience, at each employee's own pace and up to each one's ceiling.
        const int pace = rnd.between(-2, 3);
        const int r = rnd.below(100);
        const int ceiling = r < 10 ? 3 : r < 40 ? 4 : r < 75 ? 5 : 6;
        e.grade = 1;
        for (int g = 2; g <= ceiling; ++g)
            if (e.experience >= gradeAfterYears[size_t(g)] + pace)
                e.grade = g;
        const int yearsInGrade =
            e.grade == 1 ? e.experience : e.experience - (gradeAfterYears[size_t(e.grade)] + pace);
        e.thi = std::max((2023 - yearsInGrade) * 10000 + 401, e.nyuhi);
        const Grade& gr = grade(e.grade);
        // Steps climbed a year fall with the grade (narrower ranges above, longer stays).
        // Room is left above the step for the largest raise (S, 6 steps).
        const int stepsPerYear = e.grade <= 2 ? 4 : e.grade <= 4 ? 3 : 2;
        e.gouhou = std::clamp(gr.steps[0] + yearsInGrade * stepsPerYear + rnd.between(0, 3),
                              gr.steps[0], gr.steps[2] - StepsOfEvaluation[1]);
        e.zone = 1 + 3 * (e.gouhou - gr.steps[0]) / (gr.steps[2] - gr.steps[0] + 1);
        e.tensu = e.grade * 150 + rnd.between(0, 99);
        e.yaku = position(e.grade, e.age);
        e.sm1 = e.age >= 60 ? 4 : 2;

        e.hco = evaluationDraw(rnd);
        static constexpr std::array<std::array<int, 2>, 6> rates = {
            {{0, 0}, {115, 120}, {105, 114}, {95, 104}, {88, 94}, {80, 87}}};
        e.tritsu = rnd.between(rates[size_t(e.hco)][0] * 2, rates[size_t(e.hco)][1] * 2) / 2.0;
        for (int k = 0; k < 3; ++k) {
            const int code = evaluationDraw(rnd);
            if (e.service > k)
                e.pastEvaluations[size_t(k)] = EvaluationSymbols.at(code);
        }
        e.sritsu = e.service < 3 ? 0 : RoundAt(4, e.service * (0.6 + e.service * 0.015));

        // Pay. Base pay is 年齢給 + 職能給; the third item 基本給 is not used by this company
        // (0), so the base sum the screens add up is exactly those two.
        const bool married = e.age >= 25 && rnd.chance(e.age < 30 ? 30 : e.age < 35 ? 60 : 75);
        const int children = married && e.age >= 28 && e.age < 55 ? rnd.between(0, 2) : 0;
        const qint64 family = married ? 10000 + 5000 * children : 0;
        const qint64 adjustment = midCareer ? rnd.between(1, 8) * 1000 : 0;
        e.kkyu = {agePay(e.age), tableAmount(e.grade, e.gouhou), 0};
        e.teate = {family, housingAllowance(e.age), positionAllowance(e.grade, e.age), adjustment,
                   0};
        e.syotei = e.kkyu[0] + e.kkyu[1] + e.kkyu[2];
        for (qint64 t : e.teate)
            e.syotei += t;
        // Bonuses in tenths of a month of base pay, by this year's evaluation.
        static constexpr std::array<int, 6> bonusTenths = {0, 24, 22, 20, 18, 16};
        const qint64 base = e.kkyu[0] + e.kkyu[1] + e.kkyu[2];
        e.syouyo = roundToThousand(base * bonusTenths[size_t(e.hco)] / 10);
        e.syouyo2 = roundToThousand(base * (bonusTenths[size_t(e.hco)] + 2) / 10);
        e.nensyu = e.syotei * 12 + e.syouyo + e.syouyo2;

        // About half have next year's raise entered already; a good evaluation after some
        // years in the grade brings a promotion, to the nearest higher amount of the new grade.
        if (rnd.chance(50)) {
            const int nextAge = e.age + 1;
            const bool promoted =
                e.grade < ceiling && e.hco <= 2 && yearsInGrade >= 3 && nextAge < 60;
            if (promoted) {
                e.ntoukyu = e.grade + 1;
                e.fskchk = 1;
                const Grade& ng = grade(e.ntoukyu);
                const qint64 now = tableAmount(e.grade, e.gouhou);
                e.ngouhou = ng.steps[0];
                while (e.ngouhou < ng.steps[2] && tableAmount(e.ntoukyu, e.ngouhou) <= now)
                    ++e.ngouhou;
            } else {
                e.ntoukyu = e.grade;
                e.ngouhou = e.gouhou + StepsOfEvaluation[size_t(e.hco)];
            }
            e.nkkyu = {agePay(nextAge), tableAmount(e.ntoukyu, e.ngouhou), 0};
            e.nteate = {family, housingAllowance(nextAge), positionAllowance(e.ntoukyu, nextAge),
                        adjustment, 0};
            qint64 baseBefore = 0, baseAfter = 0, allowBefore = 0, allowAfter = 0;
            for (size_t k = 0; k < 3; ++k) {
                baseBefore += e.kkyu[k];
                baseAfter += e.nkkyu[k];
            }
            for (size_t k = 0; k < 5; ++k) {
                allowBefore += e.teate[k];
                allowAfter += e.nteate[k];
            }
            e.upk = baseAfter - baseBefore;
            e.upt = allowAfter - allowBefore;
            e.nsyotei = baseAfter + allowAfter;
            // Annual pay after the raise counts the same bonuses, like annual pay before, so
            // that the next year's annual pay (which the annual update takes from it) is
            // the same kind of figure.
            e.nnensyu = e.nsyotei * 12 + e.syouyo + e.syouyo2;
        }
        list.append(e);
    }

    // Employee numbers in the order of joining, as a company hands them out.
    std::stable_sort(list.begin(), list.end(), [](const Employee& a, const Employee& b) {
        return a.nyuhi != b.nyuhi ? a.nyuhi < b.nyuhi : a.seihi < b.seihi;
    });
    for (int k = 0; k < list.size(); ++k) {
        Employee& e = list[k];
        e.sco = k + 1;
        e.scot = QStringLiteral("A%1").arg(e.sco, 4, 10, QLatin1Char('0'));
        // Creation stamps: the start of the fiscal year, one second apart in list order.
        e.newday = QStringLiteral("2023/04/01 ") +
                   QTime(9, 0).addSecs(k).toString(QStringLiteral("HH:mm:ss"));
    }
    return list;
}

QString values(const QStringList& items) {
    return QStringLiteral(" VALUES (") + items.join(QLatin1Char(',')) + QLatin1Char(')');
}

} // namespace

SampleStatements SampleCompanyStatements(const QList<MarkTemplate>& marks,
                                         const QList<GraphTemplate>& graphs) {
    SampleStatements out;
    const QString kco = SqlNum(Kco);
    const QString nendo = SqlNum(Nendo);
    const QString name = QStringLiteral("サンプル企業");

    out.seigyo << QStringLiteral(
                      "INSERT INTO MKIGYOU1 (KCO, NENDO, KNA, PATH, SDATE, FNK, KDATE, REKI)") +
                      values({kco, nendo, SqlQuote(name), SqlQuote(QString()), SqlNum(20230401),
                              SqlNum(0), SqlNum(AgeBaseDate), SqlNum(0)});

    QStringList settings = {kco,
                            nendo,
                            SqlQuote(name),
                            SqlNum(20230630),
                            SqlNum(0),
                            SqlQuote(QStringLiteral("職能資格制度")),
                            SqlQuote(QStringLiteral("年齢給")),
                            SqlQuote(QStringLiteral("職能給")),
                            SqlQuote(QStringLiteral("基本給")),
                            SqlQuote(QStringLiteral("家族手当")),
                            SqlQuote(QStringLiteral("住宅手当")),
                            SqlQuote(QStringLiteral("役職手当")),
                            SqlQuote(QStringLiteral("調整手当")),
                            SqlQuote(QString()),
                            SqlNum(1),
                            SqlNum(1)};
    for (int g = 1; g <= 9; ++g)
        settings << SqlQuote(g <= 6 ? grade(g).name : QString());
    // 職能給 (item 2) follows the wage table; matrix option 3 as a new company gets it.
    settings << SqlNum(2) << SqlNum(1) << SqlNum(20240401) << SqlNum(3) << SqlNum(0);
    out.data
        << QStringLiteral(
               "INSERT INTO MKIGYOU2 (KCO, NENDO, KNA, CYOUSAHI, BEARITSU, TAIKEI, KKNA1, KKNA2, "
               "KKNA3, TNA1, TNA2, TNA3, TNA4, TNA5, MCCO, MDCO, TK01, TK02, TK03, TK04, TK05, "
               "TK06, TK07, TK08, TK09, FRSTKYU, SKCO, SYOUKYUHI, FRSTKYUM, FRENCM)") +
               values(settings);

    for (const MarkTemplate& m : marks)
        out.data << QStringLiteral(
                        "INSERT INTO MMARK (KCO, NENDO, MKCO, MARK, HANREI, MKCOLOR, MKSIZE, "
                        "KCOLOR, KSYURUI, KHABA)") +
                        values({kco, nendo, SqlNum(m.MKCO), SqlQuote(m.MARK), SqlQuote(m.HANREI),
                                SqlQuote(m.MKCOLOR), SqlNum(m.MKSIZE), SqlQuote(m.KCOLOR),
                                SqlNum(m.KSYURUI), SqlNum(m.KHABA)});
    for (const GraphTemplate& g : graphs)
        out.data << QStringLiteral(
                        "INSERT INTO MGRAPH (KCO, NENDO, GSCO, CCOLOR, CSYURUI, CHABA)") +
                        values({kco, nendo, SqlNum(g.GSCO), SqlQuote(g.CCOLOR), SqlNum(g.CSYURUI),
                                SqlNum(g.CHABA)});

    for (int h = 1; h <= 5; ++h)
        out.data << QStringLiteral("INSERT INTO MHYOUKA (KCO, NENDO, HCO, HKIGOU, SGOUSU)") +
                        values({kco, nendo, SqlNum(h), SqlQuote(EvaluationSymbols.at(h)),
                                SqlNum(StepsOfEvaluation[size_t(h)])});

    // Wage-table definition (head, salary scale set 1, 2nd-order set 1) and its generated table,
    // written by the same statements as the wage-table screen's save.
    GradeNames gradeNames;
    for (int g = 1; g <= int(grades().size()); ++g)
        gradeNames[size_t(g)] = grade(g).name;
    out.data += WageTableSaveStatements(Kco, Nendo, sampleDefinition(), gradeNames, sampleTable());

    for (const Employee& e : makeEmployees()) {
        out.data << QStringLiteral(
                        "INSERT INTO MSYAIN1 (KCO, HSCO, SCO, NENDO, SCOT, SNA, SEIHI, NYUHI, "
                        "YAKU, SKCO, TCO, NENREI, KINZOKU, NENSU, SIKAKUGO, JISEKI, TRITSU, "
                        "NENKYU, SYOKUKYU, KIHONKYU, SYOTEIKYU, SRITSU, SYOUYO, NENSYU, MCO, "
                        "MNA, NEWDAY1)") +
                        values({kco,
                                SqlNum(0),
                                SqlNum(e.sco),
                                nendo,
                                SqlQuote(e.scot),
                                SqlQuote(e.sna),
                                SqlNum(e.seihi),
                                SqlNum(e.nyuhi),
                                SqlQuote(e.yaku),
                                SqlNum(0),
                                SqlNum(e.grade),
                                SqlNum(e.age),
                                SqlNum(e.service),
                                SqlNum(e.experience),
                                SqlNum(0),
                                SqlNum(2),
                                SqlNum(e.tritsu),
                                SqlNum(0),
                                SqlNum(0),
                                SqlNum(0),
                                SqlNum(0),
                                SqlNum(e.sritsu),
                                SqlNum(e.syouyo),
                                SqlNum(e.nensyu),
                                SqlNum(e.mark),
                                SqlQuote(QString()),
                                SqlQuote(e.newday)});
        QStringList v = {kco,
                         SqlNum(e.sco),
                         nendo,
                         SqlNum(e.seibetsu),
                         SqlNum(e.grade),
                         SqlNum(e.gouhou),
                         SqlNum(e.sm1),
                         SqlQuote(QString()),
                         SqlQuote(e.gaku),
                         SqlQuote(e.senkou),
                         SqlQuote(e.ksikaku),
                         SqlQuote(e.keiken),
                         SqlNum(e.thi),
                         SqlNum(e.zone),
                         SqlNum(e.tensu),
                         SqlNum(e.hco),
                         SqlNum(e.upk),
                         SqlNum(e.upt)};
        for (qint64 a : e.kkyu)
            v << SqlNum(a);
        for (qint64 a : e.teate)
            v << SqlNum(a);
        for (qint64 a : e.nkkyu)
            v << SqlNum(a);
        for (qint64 a : e.nteate)
            v << SqlNum(a);
        v << SqlNum(0) << SqlNum(e.syouyo2) << SqlNum(e.nnensyu) << SqlNum(e.ntoukyu) << SqlNum(0)
          << SqlNum(e.ngouhou) << SqlNum(e.fskchk);
        // The history carries the code with its symbol, as the annual update writes it.
        for (const QString& past : e.pastEvaluations)
            v << SqlNum(past.isEmpty() ? 0 : int(EvaluationSymbols.indexOf(past)))
              << SqlQuote(past);
        v << SqlNum(e.syotei) << SqlNum(e.nsyotei) << SqlQuote(QString());
        out.data << QStringLiteral(
                        "INSERT INTO MSYAIN2 (KCO, SCO, NENDO, SEIBETSU, TOUKYU, GOUHOU, SM1, "
                        "SM2, GAKU, SENKOU, KSIKAKU, KEIKEN, THI, ZONEX, TENSU, HCO, UPK, UPT, "
                        "KKYU1, KKYU2, KKYU3, TEATE1, TEATE2, TEATE3, TEATE4, TEATE5, NKKYU1, "
                        "NKKYU2, NKKYU3, NTEATE1, NTEATE2, NTEATE3, NTEATE4, NTEATE5, NSRITSU, "
                        "SYOUYO2, NNENSYU, NTOUKYU, SGOUHOU, NGOUHOU, FSKCHK, HCO1, HNA1, HCO2, "
                        "HNA2, HCO3, HNA3, SYOTEI, NSYOTEI, SPATH)") +
                        values(v);
    }
    return out;
}
