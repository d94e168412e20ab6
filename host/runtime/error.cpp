#include "error.h"

#include <array>

namespace dorvek::host {
namespace {

struct KindMessage {
    ErrorKind kind;
    const char* message;
};

constexpr std::array<KindMessage, 6> turkishMessages = {{
    {ErrorKind::InvalidOperation, "Geçersiz kayan nokta işlemi"},
    {ErrorKind::Overflow, "Taşma"},
    {ErrorKind::DivisionByZero, "Sıfıra bölme"},
    {ErrorKind::TypeMismatch, "Tür uyuşmazlığı"},
    {ErrorKind::ControlCallFailed, "Denetim üzerinde işlem yapılamadı"},
    {ErrorKind::InvalidPicture, "Geçersiz resim"},
}};

const char* turkishMessage(ErrorKind kind) {
    for (const KindMessage& entry : turkishMessages) {
        if (entry.kind == kind) {
            return entry.message;
        }
    }
    return "Bilinmeyen hata"; // only a kind cast from a number that names none
}

} // namespace

Error::Error(ErrorKind kind) : kind_(kind), utf8Message_(turkishMessage(kind)) {}

QString Error::message() const {
    return QString::fromUtf8(utf8Message_);
}

void raise(ErrorKind kind) {
    throw Error(kind);
}

} // namespace dorvek::host
