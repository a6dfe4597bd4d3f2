#pragma once

#include "core/common/Counts.h"

#include <QString>

// Employees of a year whom no choice of marks and grades on a report or plot screen could
// include: what those screens and the commands say they left out. Employees outside the
// user's own choice are not left out in this sense.
struct LeftOutEmployees {
    int noMark = 0;       // MCO not one of the marks 1..6
    int gradeOutside = 0; // a mark, but TOUKYU not one of the grades 1..9

    // Counts `count` employees of the mark and grade when no choice includes them.
    void add(int mark, int grade, int count = 1);
    int total() const { return noMark + gradeOutside; }
};

// "対象外の社員が 3名あります（マークなし 2名、等級が範囲外 1名）。"; empty when nobody is
// left out.
QString LeftOutMessage(const LeftOutEmployees& leftOut);
