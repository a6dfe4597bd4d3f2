#include "data/db/Transaction.h"

Transaction::Transaction(TDM::Files files, TDM& dm) : m_dm(dm) {
    m_begun = m_dm.beginTransaction(files);
}

Transaction::Transaction(TDM::Files files, Snapshot, TDM& dm) : m_dm(dm) {
    m_begun = m_dm.beginTransaction(files, true);
}

Transaction::~Transaction() {
    if (m_begun && !m_done)
        m_dm.rollbackTransaction();
}

void Transaction::rollback() {
    if (m_begun && !m_done) {
        m_done = true;
        m_dm.rollbackTransaction();
    }
}

bool Transaction::commit() {
    if (!m_begun || m_done)
        return false;
    m_done = true;
    return m_dm.commitTransaction();
}
