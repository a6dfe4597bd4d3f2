#include "cli/PasswordHidingOutput.h"

#include "core/common/PasswordMask.h"

PasswordHidingOutput::PasswordHidingOutput(FILE* file) : m_file(file) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

PasswordHidingOutput::~PasswordHidingOutput() {
    if (!m_pending.isEmpty())
        put(m_pending);
}

qint64 PasswordHidingOutput::writeData(const char* data, qint64 size) {
    m_pending.append(data, size);
    qsizetype end = 0;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        put(m_pending.left(end + 1));
        m_pending.remove(0, end + 1);
    }
    return size;
}

void PasswordHidingOutput::put(const QByteArray& line) {
    const QByteArray hidden = HidePasswords(QString::fromUtf8(line)).toUtf8();
    std::fwrite(hidden.constData(), 1, size_t(hidden.size()), m_file);
    std::fflush(m_file);
}
