#pragma once

#include <QByteArray>
#include <QIODevice>

#include <cstdio>

// Standard error of the command-line companion: every line passes through HidePasswords, so no
// error line shows a server password, whichever command or layer wrote it. Lines are written
// whole (a password is never split between two writes); an unfinished one when the device goes.
class PasswordHidingOutput final : public QIODevice {
public:
    explicit PasswordHidingOutput(FILE* file);
    ~PasswordHidingOutput() override;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    void put(const QByteArray& line);

    FILE* m_file;
    QByteArray m_pending;
};
