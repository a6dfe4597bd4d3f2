#pragma once

#include "data/db/TDM.h"

// Scope of a save that writes several statements: all of them land or none.
//
//     Transaction tx(TDM::Files::Both);
//     if (!tx.ok()) return;
//     if (!DM().exec(TDM::ACN1, sql, binds)) return;   // rolled back, message shown once
//     ...
//     tx.commit();
//
// With Files::Both the control file is attached to the company connection for the duration,
// so statements on either file's queries commit atomically together.
class Transaction {
public:
    explicit Transaction(TDM::Files files, TDM& dm = DM());
    // A transaction whose reads all see one moment of the data (see TDM::beginTransaction).
    enum Snapshot { OneSnapshot };
    Transaction(TDM::Files files, Snapshot, TDM& dm = DM());
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool ok() const { return m_begun; }
    // False when any statement of the scope failed or the commit failed; nothing then landed.
    bool commit();
    // Ends the scope writing nothing (before the user is told why, so that no message box
    // holds the files).
    void rollback();

private:
    TDM& m_dm;
    bool m_begun = false;
    bool m_done = false;
};
