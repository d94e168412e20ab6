#pragma once

#include <QString>
#include <string_view>

namespace dorvek::host {

// A text of the program's description, which is UTF-8, as Qt takes it.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace dorvek::host
