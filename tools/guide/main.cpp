// tesvane-guide assemble SOURCE OUT    lays the guide out beside the program
// tesvane-guide check SRC SOURCE BUILT  says what the guide is missing; status 1 if anything

#include "GuideCheck.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    QStringList problems;
    if (a.size() == 4 && a[1] == QStringLiteral("assemble")) {
        Guide::Assemble(a[2], a[3], &problems);
    } else if (a.size() == 5 && a[1] == QStringLiteral("check")) {
        problems = Guide::Check(a[2], a[3], a[4]);
    } else {
        std::fprintf(stderr, "Usage: tesvane-guide assemble SOURCE OUT\n"
                             "       tesvane-guide check SRC SOURCE BUILT\n");
        return 2;
    }
    for (const QString& p : problems)
        std::fprintf(stderr, "%s\n", qPrintable(p));
    return problems.isEmpty() ? 0 : 1;
}
