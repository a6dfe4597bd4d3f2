#include "core/report/ReportRules.h"

#include <algorithm>
#include <tuple>

namespace {

// A solid rule along one axis: `at` is its y (horizontal) or x (vertical), from..to along it.
struct Run {
    int width;
    bool vertical;
    int at;
    int from;
    int to;
    bool operator<(const Run& o) const {
        return std::tie(width, vertical, at, from, to) <
               std::tie(o.width, o.vertical, o.at, o.from, o.to);
    }
};

ReportLine lineOf(const Run& r) {
    ReportLine l;
    l.width = r.width;
    l.style = 0;
    l.from = r.vertical ? QPoint(r.at, r.from) : QPoint(r.from, r.at);
    l.to = r.vertical ? QPoint(r.at, r.to) : QPoint(r.to, r.at);
    return l;
}

} // namespace

QVector<ReportLine> JoinRules(const QVector<ReportLine>& lines) {
    std::vector<Run> runs;
    runs.reserve(size_t(lines.size()));
    QVector<ReportLine> others;
    for (const ReportLine& l : lines) {
        const bool horizontal = l.from.y() == l.to.y();
        const bool vertical = l.from.x() == l.to.x();
        if (l.style != 0 || horizontal == vertical) {
            others.push_back(l); // patterned, slanted or a single point
            continue;
        }
        const int a = vertical ? l.from.y() : l.from.x();
        const int b = vertical ? l.to.y() : l.to.x();
        runs.push_back({l.width, vertical, vertical ? l.from.x() : l.from.y(), std::min(a, b),
                        std::max(a, b)});
    }
    std::sort(runs.begin(), runs.end());
    QVector<ReportLine> out;
    out.reserve(qsizetype(runs.size()) / 4 + others.size());
    for (size_t i = 0; i < runs.size();) {
        Run joined = runs[i];
        for (++i; i < runs.size() && runs[i].width == joined.width &&
                  runs[i].vertical == joined.vertical && runs[i].at == joined.at &&
                  runs[i].from <= joined.to;
             ++i)
            joined.to = std::max(joined.to, runs[i].to);
        out.push_back(lineOf(joined));
    }
    // By width and style; the others keep their order within each.
    out += others;
    std::stable_sort(out.begin(), out.end(), [](const ReportLine& a, const ReportLine& b) {
        return std::tie(a.width, a.style) < std::tie(b.width, b.style);
    });
    return out;
}
