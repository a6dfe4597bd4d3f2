#pragma once

#include <QString>

// Display texts of codes: the code, " : " and a name. Screens read them back with NthField.
QString EmployeeKindText(int kind);
QString EmployeeKindCode(const QString& name);
QString GradeText(int grade);
QString MarkText(int mark);
QString MarkLegendText(int mark);
QString EvalCodeText(const QString& code);
QString LivingCodeText(const QString& code);
QString ModelDataCodeText(const QString& code);
QString LineStyleText(int kind);
