#include "core/masters/EmployeeSheet.h"

QDate DateOfYmd(qint64 ymd) {
    if (ymd <= 0)
        return {};
    return QDate(int(ymd / 10000), int(ymd / 100 % 100), int(ymd % 100));
}
