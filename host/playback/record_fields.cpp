#include "record_fields.h"

#include "host/emf_format/little_endian.h"

#include <algorithm>

namespace dorvek::host::emf {

std::int32_t coordinate(std::int32_t value) {
    return std::clamp(value, -coordinateLimit, coordinateLimit);
}

Point readPoint(std::span<const std::byte> record, std::size_t offset) {
    return {coordinate(readI32(record, offset)), coordinate(readI32(record, offset + 4))};
}

Rect readRect(std::span<const std::byte> record, std::size_t offset) {
    return {coordinate(readI32(record, offset)), coordinate(readI32(record, offset + 4)),
            coordinate(readI32(record, offset + 8)), coordinate(readI32(record, offset + 12))};
}

QColor readColour(std::span<const std::byte> record, std::size_t offset) {
    const std::uint32_t colour = readU32(record, offset);
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                  static_cast<int>(colour >> 16 & 0xFF));
}

std::vector<Point> readPoints(std::span<const std::byte> record, bool sixteenBit) {
    const std::uint32_t count = readU32(record, 24);
    std::vector<Point> points;
    points.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (sixteenBit) {
            const std::size_t offset = 28 + 4 * std::size_t{i};
            points.push_back({readI16(record, offset), readI16(record, offset + 2)});
        } else {
            points.push_back(readPoint(record, 28 + 8 * std::size_t{i}));
        }
    }
    return points;
}

LogFont readLogFont(std::span<const std::byte> record, std::size_t offset) {
    LogFont font;
    font.height = readI32(record, offset);
    font.width = readI32(record, offset + 4);
    font.escapement = readI32(record, offset + 8);
    font.orientation = readI32(record, offset + 12);
    font.weight = readI32(record, offset + 16);
    const auto byteAt = [&](std::size_t at) {
        return static_cast<std::uint8_t>(record[offset + at]);
    };
    font.italic = byteAt(20);
    font.underline = byteAt(21);
    font.strikeOut = byteAt(22);
    font.charSet = byteAt(23);
    font.outPrecision = byteAt(24);
    font.clipPrecision = byteAt(25);
    font.quality = byteAt(26);
    font.pitchAndFamily = byteAt(27);
    for (std::size_t i = 0; i < faceNameCharacters; ++i) {
        const char16_t character = readU16(record, offset + 28 + 2 * i);
        if (character == 0) {
            break;
        }
        font.faceName.push_back(character);
    }
    return font;
}

} // namespace dorvek::host::emf
