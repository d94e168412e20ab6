#include "write_failure_reason.h"

#include <array>
#include <cerrno>

namespace dorvek::tools {
namespace {

struct Reason {
    int errorNumber;
    const char* text;
};

// The causes a user can do something about; any other is named by its number.
constexpr std::array reasons = {
    Reason{ENOSPC, "aygıtta yer kalmadı"},
#ifdef EDQUOT // Windows' C library has no such number
    Reason{EDQUOT, "disk kotası doldu"},
#endif
    Reason{EFBIG, "dosya çok büyük"},
    Reason{EACCES, "izin yok"},
    Reason{EPERM, "izin yok"},
    Reason{EROFS, "dosya sistemi salt okunur"},
    Reason{ENOENT, "böyle bir dosya ya da klasör yok"},
    Reason{ENOTDIR, "yoldaki bir ad klasör değil"},
    Reason{EISDIR, "bu bir klasör"},
    Reason{ENAMETOOLONG, "ad çok uzun"},
    Reason{ELOOP, "yolda çok fazla sembolik bağ var"},
    Reason{EBADF, "kapalı"},
    Reason{EPIPE, "okuyan taraf kapandı"},
    Reason{EIO, "giriş/çıkış hatası"},
    Reason{EINVAL, "bu ada yazılamaz"},
};

} // namespace

std::string writeFailureReason(int errorNumber) {
    for (const Reason& reason : reasons) {
        if (reason.errorNumber == errorNumber) {
            return reason.text;
        }
    }
    return "sistem hatası " + std::to_string(errorNumber);
}

} // namespace dorvek::tools
