#pragma once

#include "core/common/Counts.h"
#include "core/common/Dates.h"
#include "core/report/ReportEngine.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <array>

// The two group reports: the employees of a company year grouped by plot mark, one group per
// page run, each closed by its subtotal and average lines, the whole list by its total and
// average lines.

enum class GroupReportKind { Raise = 1, Wage = 2 };

// One employee as the reports read it from VSYAIN; amounts in whole yen.
struct GroupReportEmployee {
    QString SCOT;
    QString SNA;
    QString HYOUKA;
    int MCO = 0;
    int TOUKYU = 0;
    int GOUHOU = 0;
    int SGOUHOU = 0;         // steps saved with the raise, 0 when they came from the evaluation
    int evaluationSteps = 0; // SGOUSU of the evaluation code HCO
    int NTOUKYU = 0;         // grade after the raise, 0 none set
    int JISEKI = 0;          // the base-pay item that follows the wage table (1..3), 0 none
    qint64 SEIHI = 0;
    qint64 NYUHI = 0;
    std::array<qint64, BasePayItemCount + 1> KKYU{};  // [1..3]
    std::array<qint64, BasePayItemCount + 1> NKKYU{}; // [1..3]
    qint64 KIN = 0;  // wage-table amount of the current grade and step
    qint64 NKIN = 0; // the same after the raise
    std::array<qint64, AllowanceCount + 1> TEATE{};  // [1..5]
    std::array<qint64, AllowanceCount + 1> NTEATE{}; // [1..5]
    qint64 SYOUYO = 0;
    qint64 SYOUYO2 = 0;
    // False while no raise is entered (no scheduled pay after the raise): the raise report
    // then shows the current pay as the new one, a raise of 0, as the roll-over carries it;
    // not the whole pay as a cut.
    bool raiseDecided = true;
};

// Base pay items 1..3 ([0] unused) with the employee's own wage-table link applied: the linked
// item is the wage-table amount. The company's saved salary option is not involved.
std::array<qint64, BasePayItemCount + 1> CurrentBasePay(const GroupReportEmployee& e);
std::array<qint64, BasePayItemCount + 1> NewBasePay(const GroupReportEmployee& e);

// A printed line of the wage report (an employee, a subtotal or an average).
struct TPRTC {
    QString SCOT;
    QString SNA;
    int detail = 0; // 1 employee line, 0 total line
    QString age;
    QString service;
    qint64 kihon1 = 0;
    qint64 kihon2 = 0;
    qint64 kihon3 = 0;
    qint64 teate = 0;
    qint64 syoyo1 = 0;
    qint64 syoyo2 = 0;
};

// A printed line of the raise report.
struct TPRTU {
    QString SCOT;
    QString SNA;
    int detail = 0;
    QString hyouka;
    QString toukyu;
    QString gouhou;
    QString sgouhou; // 昇号数 as the raise input shows it, "昇格" for a promotion
    qint64 nkihon = 0;
    qint64 kihon = 0;
    qint64 nteate = 0;
    qint64 teate = 0;
    qint64 nsyotei = 0;
    qint64 syotei = 0;
    qint64 upkin = 0;
};

// What the page headers say.
struct GroupReportHeader {
    QString nendoText;   // NendoText of the year
    QString companyName; // SelKna
    QDate today;
    AgeBase ageBase;                                         // ages and service are counted to it
    std::array<QString, BasePayItemCount + 1> baseItemNames; // [1..3] CKIHON1..3
    std::array<QString, MarkCount + 1> markNames;            // [1..6] MARK + " : " + HANREI
    QString gradeFromName;                                   // txtTokyuStart
    QString gradeToName;                                     // txtTokyuEnd
};

// The printed lines of one employee, as both the report and its workbook show them: ages and
// service counted to the header's age base.
TPRTC WageReportLine(const GroupReportEmployee& e, const AgeBase& ageBase);
TPRTU RaiseReportLine(const GroupReportEmployee& e);
// "年齢・勤続は2023年06月30日現在": the date ages are counted to (today, or the fixed date).
QString AgeBaseNote(const GroupReportHeader& header);
// The group's caption: the mark's name, and the grade range when one was chosen.
QString GroupCaption(const GroupReportHeader& header, int mark);

// Composes the report into the engine, prepared by PrepareReport: StartDoc through EndDoc.
// Ages and service are YearsToBase of the birth and joining dates to the header's age base.
// The list is not empty (callers report that nothing matches). False when the engine
// failed (its error() says why).
bool ComposeGroupReport(ReportEngine& JIVE, GroupReportKind kind, const GroupReportHeader& header,
                        const QVector<GroupReportEmployee>& employees);

// Line geometry shared by both reports and their tests.
namespace GroupLines {
constexpr int Pitch = 508;      // one detail line
constexpr int TextOffset = 150; // a line's texts sit this far below the line's top
constexpr int RuleMargin = 150; // rules stand this far outside the columns
constexpr int PerPage = 32;     // lines 0..31
} // namespace GroupLines
