#pragma once

#include <cstddef>
#include <span>

namespace dorvek::window {

// The curve picture as an enhanced metafile in the dual form: EMF+ comments that
// carry only a header and state, and plain EMF records that draw everything. Written
// on first use and kept for the life of the program.
std::span<const std::byte> curvePicture();

} // namespace dorvek::window
