#pragma once

#include <QString>
#include <QVector>

// The usage guide's pages (the control file's Before table), in their order.
struct GuidePage {
    QString title;
    QString text;
};
QVector<GuidePage> LoadUsageGuide();
