#include "emf_plus_comment.h"

#include "host/emf_format/little_endian.h"

namespace dorvek::host::emf {
namespace {

constexpr std::uint32_t recordHeaderSize = 12;

} // namespace

EmfPlusComment::EmfPlusComment() {
    ByteAppender(data_).u32(emfPlusSignature);
}

void EmfPlusComment::recordHeader(plus::RecordType type, std::uint16_t flags,
                                  std::uint32_t dataSize) {
    ByteAppender out(data_);
    out.u16(static_cast<std::uint16_t>(type));
    out.u16(flags);
    out.u32(recordHeaderSize + dataSize);
    out.u32(dataSize);
}

EmfPlusComment& EmfPlusComment::header(bool dual, bool videoDisplay, std::uint32_t dpiX,
                                       std::uint32_t dpiY) {
    recordHeader(plus::RecordType::Header, dual ? plus::dualFlag : 0, 16);
    ByteAppender out(data_);
    out.u32(plus::graphicsVersion1);
    out.u32(videoDisplay ? plus::videoDisplayFlag : 0);
    out.u32(dpiX);
    out.u32(dpiY);
    return *this;
}

// The state records keep their one value in the low byte of the flags.
EmfPlusComment& EmfPlusComment::setPixelOffsetMode(std::uint8_t mode) {
    recordHeader(plus::RecordType::SetPixelOffsetMode, mode, 0);
    return *this;
}

EmfPlusComment& EmfPlusComment::setAntiAliasMode(std::uint8_t flags) {
    recordHeader(plus::RecordType::SetAntiAliasMode, flags, 0);
    return *this;
}

EmfPlusComment& EmfPlusComment::setCompositingQuality(std::uint8_t quality) {
    recordHeader(plus::RecordType::SetCompositingQuality, quality, 0);
    return *this;
}

EmfPlusComment& EmfPlusComment::setInterpolationMode(std::uint8_t mode) {
    recordHeader(plus::RecordType::SetInterpolationMode, mode, 0);
    return *this;
}

EmfPlusComment& EmfPlusComment::setPageTransform(std::uint16_t unit, float scale) {
    recordHeader(plus::RecordType::SetPageTransform, unit, 4);
    ByteAppender(data_).f32(scale);
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
        out.f32(element);
    }
    return *this;
}

EmfPlusComment& EmfPlusComment::endOfFile() {
    recordHeader(plus::RecordType::EndOfFile, 0, 0);
    return *this;
}

} // namespace dorvek::host::emf
