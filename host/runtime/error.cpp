#include "error.h"

namespace dorvek::host {
namespace {

const char* turkishMessage(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::InvalidOperation:
        return "Geçersiz kayan nokta işlemi";
    case ErrorKind::Overflow:
        return "Taşma";
    case ErrorKind::DivisionByZero:
        return "Sıfıra bölme";
    case ErrorKind::TypeMismatch:
        return "Tür uyuşmazlığı";
    case ErrorKind::ControlCallFailed:
        return "Denetim üzerinde işlem yapılamadı";
    case ErrorKind::InvalidPicture:
        return "Geçersiz resim";
    }
    return "Bilinmeyen hata";
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
