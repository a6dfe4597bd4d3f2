#include "core/common/SystemErrorText.h"

#include "core/common/MessageTexts.h"

#include <cerrno>
#include <cstring>

QString SystemErrorText(int code) {
    switch (code) {
    case ENOSPC:
        return QStringLiteral("ディスクの空きが足りません。");
    case EDQUOT:
        return QStringLiteral("ディスクの使用量が割り当ての上限に達しています。");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます。");
    case EACCES:
    case EPERM:
        return QStringLiteral("書き込みが許可されていません。");
    case EROFS:
        return QStringLiteral("読み取り専用のドライブです。");
    case ENOENT:
        return MsgText::NoFolder();
    case ENOTDIR:
        return QStringLiteral("保存先の途中にフォルダーでないファイルがあります。");
    case EISDIR:
        return QStringLiteral("同じ名前のフォルダーがあります。");
    case EIO:
        return MsgText::DiskError();
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます。");
    case ELOOP:
        return QStringLiteral("シンボリックリンクをたどれません。");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("ファイルが他で使用中です。");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("開いているファイルが多すぎます。");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("書き込み先の装置がありません。");
    default:
        // A rare reason: its number and the system's own words, for whoever looks into it.
        return QStringLiteral("システムのエラーです（%1: %2）。")
            .arg(code)
            .arg(QString::fromLocal8Bit(std::strerror(code)));
    }
}

bool IsDiskFull(int code) {
    return code == ENOSPC || code == EDQUOT;
}
