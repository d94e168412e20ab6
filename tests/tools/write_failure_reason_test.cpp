// The reason dorvek-calc gives when a write fails, for causes no test process can
// provoke everywhere (a root user writes through any permission, few machines have a
// read-only disk at hand).

#include "tools/write_failure_reason.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace dorvek::test {
namespace {

TEST(WriteFailureReason, NamesEachCauseAUserCanMendInTurkish) {
    const struct {
        int errorNumber;
        const char* reason;
    } rows[] = {
        {ENOSPC, "aygıtta yer kalmadı"},
        {EFBIG, "dosya çok büyük"},
        {EACCES, "izin yok"},
        {EPERM, "izin yok"},
        {EROFS, "dosya sistemi salt okunur"},
        {ENOENT, "böyle bir dosya ya da klasör yok"},
        {ENOTDIR, "yoldaki bir ad klasör değil"},
        {EISDIR, "bu bir klasör"},
        {ENAMETOOLONG, "ad çok uzun"},
        {ELOOP, "yolda çok fazla sembolik bağ var"},
        {EBADF, "kapalı"},
        {EPIPE, "okuyan taraf kapandı"},
        {EIO, "giriş/çıkış hatası"},
        {EINVAL, "bu ada yazılamaz"},
#ifdef EDQUOT
        {EDQUOT, "disk kotası doldu"},
#endif
    };
    for (const auto& row : rows) {
        EXPECT_EQ(tools::writeFailureReason(row.errorNumber), row.reason)
            << "error number " << row.errorNumber;
    }
}

TEST(WriteFailureReason, NamesAnyOtherCauseByItsNumber) {
    EXPECT_EQ(tools::writeFailureReason(EAGAIN), "sistem hatası " + std::to_string(EAGAIN));
    EXPECT_EQ(tools::writeFailureReason(0), "sistem hatası 0");
    EXPECT_EQ(tools::writeFailureReason(-1), "sistem hatası -1");
}

} // namespace
} // namespace dorvek::test
