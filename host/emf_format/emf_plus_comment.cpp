#include "emf_plus_comment.h"

#include "host/emf_format/little_endian.h"

namespace dorvek::host::emf_format {
namespace {

constexpr std::uint32_t recordHeaderSize = 12;

} // namespace

EmfPlusComment::EmfPlusComment() {
    ByteAppender(data_).put(emfPlusSignature);
}

void EmfPlusComment::recordHeader(plus::RecordType type, std::uint16_t flags,
                                  std::uint32_t dataSize) {
    ByteAppender out(data_);
    out.put(static_cast<std::uint16_t>(type));
    out.put(flags);
    out.put(recordHeaderSize + dataSize);
    out.put(dataSize);
}

EmfPlusComment& EmfPlusComment::header(const HeaderFields& fields) {
    recordHeader(plus::RecordType::Header, fields.dual ? plus::dualFlag : 0, 16);
    ByteAppender out(data_);
    out.put(plus::graphicsVersion1);
    out.put(fields.referenceIsVideoDisplay ? plus::videoDisplayFlag : 0U);
    out.put(fields.dpiX);
    out.put(fields.dpiY);
    return *this;
}

// The state records keep their one value in the flags.
EmfPlusComment& EmfPlusComment::setPixelOffsetMode(plus::PixelOffsetMode mode) {
    recordHeader(plus::RecordType::SetPixelOffsetMode, static_cast<std::uint16_t>(mode), 0);
    return *this;
}

// Bit 0 turns anti-aliasing on; the smoothing mode takes the bits above it.
EmfPlusComment& EmfPlusComment::setAntiAliasMode(plus::AntiAliasing antiAliasing,
                                                 plus::SmoothingMode mode) {
    const auto flags = static_cast<std::uint16_t>(static_cast<unsigned>(mode) << 1 |
                                                  static_cast<unsigned>(antiAliasing));
    recordHeader(plus::RecordType::SetAntiAliasMode, flags, 0);
    return *this;
}

EmfPlusComment& EmfPlusComment::setCompositingQuality(plus::CompositingQuality quality) {
    recordHeader(plus::RecordType::SetCompositingQuality, static_cast<std::uint16_t>(quality), 0);
    return *this;
}

EmfPlusComment& EmfPlusComment::setInterpolationMode(plus::InterpolationMode mode) {
    recordHeader(plus::RecordType::SetInterpolationMode, static_cast<std::uint16_t>(mode), 0);
    return *this;
}

EmfPlusComment& EmfPlusComment::setPageTransform(plus::Unit unit, float scale) {
    recordHeader(plus::RecordType::SetPageTransform, static_cast<std::uint16_t>(unit), 4);
    ByteAppender(data_).put(scale);
    return *this;
}

EmfPlusComment& EmfPlusComment::getDc() {
    recordHeader(plus::RecordType::GetDc, 0, 0);
    return *this;
}

EmfPlusComment& EmfPlusComment::setWorldTransform(const std::array<float, 6>& matrix) {
    recordHeader(plus::RecordType::SetWorldTransform, 0, 24);
    ByteAppender out(data_);
    for (float element : matrix) {
        out.put(element);
    }
    return *this;
}

EmfPlusComment& EmfPlusComment::endOfFile() {
    recordHeader(plus::RecordType::EndOfFile, 0, 0);
    return *this;
}

} // namespace dorvek::host::emf_format
