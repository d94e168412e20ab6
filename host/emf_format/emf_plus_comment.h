#pragma once

#include "host/emf_format/emf_types.h"

#include <array>
#include <cstddef>
#include <vector>

namespace dorvek::host::emf_format {

// The data of one EMR_GDICOMMENT that carries EMF+ records: "EMF+" followed by the
// records in the order they are added. None of these records draws; in a dual
// metafile they only tell an EMF+ reader about the state.
class EmfPlusComment {
public:
    struct HeaderFields {
        bool dual = false; // EMF records draw everything as well
        bool referenceIsVideoDisplay = false;
        std::uint32_t dpiX = 0; // the logical resolution
        std::uint32_t dpiY = 0;
    };

    EmfPlusComment();

    EmfPlusComment& header(const HeaderFields& fields);
    EmfPlusComment& setPixelOffsetMode(plus::PixelOffsetMode mode);
    EmfPlusComment& setAntiAliasMode(plus::AntiAliasing antiAliasing, plus::SmoothingMode mode);
    EmfPlusComment& setCompositingQuality(plus::CompositingQuality quality);
    EmfPlusComment& setInterpolationMode(plus::InterpolationMode mode);
    EmfPlusComment& setPageTransform(plus::Unit unit, float scale);
    EmfPlusComment& getDc();
    EmfPlusComment& setWorldTransform(const std::array<float, 6>& matrix);
    EmfPlusComment& endOfFile();

    const std::vector<std::byte>& data() const { return data_; }

private:
    // Appends the record's type, flags, size and data size; its data must follow.
    void recordHeader(plus::RecordType type, std::uint16_t flags, std::uint32_t dataSize);

    std::vector<std::byte> data_;
};

} // namespace dorvek::host::emf_format
