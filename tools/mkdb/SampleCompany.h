#pragma once

#include "data/db/BoundStatement.h"

#include <QList>
#include <QString>
#include <QStringList>

// A template mark (MMMARK) and graph style (MMGRAPH) as the control file holds them; a new
// company gets copies of them, and so does the sample company.
struct MarkTemplate {
    int MKCO = 0;
    QString MARK;
    QString HANREI;
    QString MKCOLOR;
    int MKSIZE = 0;
    QString KCOLOR;
    int KSYURUI = 0;
    int KHABA = 0;
};

struct GraphTemplate {
    int GSCO = 0;
    QString CCOLOR;
    int CSYURUI = 0;
    int CHABA = 0;
};

struct SampleStatements {
    BoundStatements seigyo; // rows for SEIGYO.db
    BoundStatements data;   // rows for DATA.db
};

// The INSERT statements of the sample company (company 1, fiscal 2023): its master and
// settings, marks and graph styles copied from the templates, evaluation codes, a wage-table
// definition with the table the program's generator makes of it, and about sixty fictional
// employees. The same on every call: the employees come from a fixed seed, and nothing reads
// the clock.
SampleStatements SampleCompanyStatements(const QList<MarkTemplate>& marks,
                                         const QList<GraphTemplate>& graphs);
