#include "host/runtime/error.h"
#include "tests/support/expect_error.h"

#include <gtest/gtest.h>
#include <string>

namespace dorvek::host {
namespace {

struct ErrorCase {
    ErrorKind kind;
    int number;
    const char* message; // UTF-8
};

void PrintTo(const ErrorCase& row, std::ostream* out) {
    *out << row.number;
}

class ErrorTest : public ::testing::TestWithParam<ErrorCase> {};

// The numbers are what the user and scripts see: they must never change.
TEST_P(ErrorTest, CarriesItsStableNumberAndTurkishMessage) {
    const ErrorCase& row = GetParam();
    const Error error(row.kind);
    EXPECT_EQ(error.kind(), row.kind);
    EXPECT_EQ(error.number(), row.number);
    EXPECT_EQ(error.message(), QString::fromUtf8(row.message));
    EXPECT_STREQ(error.what(), row.message);
    test::expectError(row.kind, [&] { raise(row.kind); });
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ErrorTest,
    ::testing::Values(ErrorCase{ErrorKind::InvalidOperation, 5, "Geçersiz kayan nokta işlemi"},
                      ErrorCase{ErrorKind::Overflow, 6, "Taşma"},
                      ErrorCase{ErrorKind::DivisionByZero, 11, "Sıfıra bölme"},
                      ErrorCase{ErrorKind::TypeMismatch, 13, "Tür uyuşmazlığı"},
                      ErrorCase{ErrorKind::ControlCallFailed, 440,
                                "Denetim üzerinde işlem yapılamadı"},
                      ErrorCase{ErrorKind::InvalidPicture, 481, "Geçersiz resim"},
                      ErrorCase{static_cast<ErrorKind>(99), 99, "Bilinmeyen hata"}),
    [](const auto& info) { return std::to_string(info.param.number); });

TEST(ErrorTest, IsAStandardException) {
    const std::exception& error = Error(ErrorKind::Overflow);
    EXPECT_STREQ(error.what(), "Taşma");
}

} // namespace
} // namespace dorvek::host
