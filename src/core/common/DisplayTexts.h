#pragma once

#include "core/common/CompanySettings.h"
#include "core/common/Counts.h"

#include <QString>
#include <array>

// Display texts of codes: the code, " : " and a name. Screens read them back with NthField.
QString EmployeeKindText(int kind);
QString EmployeeKindCode(const QString& name);
// The grade with its name from the company's settings (TK01..TK09).
QString GradeText(int grade, const TMKIGYOU2& settings);
QString MarkText(int mark, const std::array<TMMARK, MarkCount + 1>& marks);
QString MarkLegendText(int mark, const std::array<TMMARK, MarkCount + 1>& marks);
// A code of the list with its name; empty when the list has no such code.
QString EvalCodeText(const QString& code, const CodeList& codes);
// A code of the list with its name, or with "未登録" when the list has no such code.
QString LivingCodeText(const QString& code, const CodeList& codes);
QString ModelDataCodeText(const QString& code, const CodeList& codes);
QString LineStyleText(int kind);
