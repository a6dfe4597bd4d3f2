#include "gui/common/DateFields.h"

#include "core/common/Dates.h"

#include <QComboBox>
#include <QLineEdit>

void ShowDate(const DateFields& f, qint64 ymd, int eraMode) {
    TYMD parts;
    parts.Ymd = QString::number(ymd);
    DateToParts(parts, eraMode);
    const int index = parts.Era.isEmpty() ? -1 : f.era->findText(parts.Era);
    f.era->setCurrentIndex(index >= 0 ? index : f.era->count() - 1);
    f.year->setText(parts.Year);
    f.month->setText(parts.Month);
    f.day->setText(parts.Day);
}

bool TakeDate(const DateFields& f, qint64& ymd, int eraMode) {
    TYMD parts;
    parts.Era = f.era->currentText();
    parts.Year = f.year->text();
    parts.Month = f.month->text();
    parts.Day = f.day->text();
    if (!PartsToDate(parts, eraMode))
        return false;
    ymd = parts.Ymd.toLongLong();
    return true;
}
