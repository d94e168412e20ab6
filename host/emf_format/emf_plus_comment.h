#pragma once

#include "host/emf_format/emf_types.h"

#include <array>
#include <cstddef>
#include <vector>

namespace dorvek::host::emf {

// The data of one EMR_GDICOMMENT that carries EMF+ records: "EMF+" followed by the
// records in the order they are added. None of these records draws; in a dual
// metafile they only tell an EMF+ reader about the state.
class EmfPlusComment {
public:
    EmfPlusComment();

    EmfPlusComment& header(bool dual, bool videoDisplay, std::uint32_t dpiX, std::uint32_t dpiY);
    EmfPlusComment& setPixelOffsetMode(std::uint8_t mode);
    EmfPlusComment& setAntiAliasMode(std::uint8_t flags);
    EmfPlusComment& setCompositingQuality(std::uint8_t quality);
    EmfPlusComment& setInterpolationMode(std::uint8_t mode);
    EmfPlusComment& setPageTransform(std::uint16_t unit, float scale);
    EmfPlusComment& getDc();
    EmfPlusComment& setWorldTransform(const std::array<float, 6>& matrix);
    EmfPlusComment& endOfFile();

    const std::vector<std::byte>& data() const { return data_; }

private:
    // Appends the record's type, flags, size and data size; its data must follow.
    void recordHeader(plus::RecordType type, std::uint16_t flags, std::uint32_t dataSize);

    std::vector<std::byte> data_;
};

} // namespace dorvek::host::emf
