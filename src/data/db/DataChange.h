#pragma once

#include "core/common/CompanyYear.h"

#include <QVector>
#include <functional>

// What a store changed, told to whoever follows the data (the open project) once the change
// is committed, so that open windows refresh what they show.
struct DataChange {
    enum class What { Employees, WageTable, Settings };
    What what = What::Employees;
    // The company year changed; kco 0 for data all companies share (the era table).
    CompanyYear company;
    // Employees: the codes changed; empty when any of the year's employees may have changed.
    QVector<int> employees;
};

// Tells the listener of a change: at once outside a transaction, else when that transaction
// commits; a rolled-back transaction tells nothing.
void AnnounceChange(const DataChange& change);
// Another person's change a save found (and was refused for): told when the transaction ends,
// committed or rolled back, so that windows show what is stored now.
void AnnounceFoundChange(const DataChange& change);
// The listener of every change (one: the program's project); an empty function removes it.
void SetChangeListener(std::function<void(const DataChange&)> listener);

// For the data module: hands the changes of a committed transaction to the listener.
void DeliverChanges(const QVector<DataChange>& changes);
