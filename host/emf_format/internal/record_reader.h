#pragma once

#include "host/emf_format/little_endian.h"
#include "host/runtime/error.h"
#include "record_layouts.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace dorvek::host::emf_format {

// A fault of the metafile: it is refused whole.
inline void require(bool condition) {
    if (!condition) {
        raise(ErrorKind::InvalidPicture);
    }
}

// Counts and offsets are checked in 64 bits, so no product or sum can wrap.
inline bool fits(std::uint64_t offset, std::uint64_t length, std::size_t size) {
    return offset <= size && length <= size - offset;
}

// One record's bytes, read only field by field: a field that does not lie wholly
// inside the record refuses the metafile, so nothing is ever read beyond it.
class RecordReader {
public:
    explicit RecordReader(std::span<const std::byte> bytes) : bytes_(bytes) {}

    std::span<const std::byte> bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }
    void requireSize(std::size_t fixedSize) const { require(bytes_.size() >= fixedSize); }

    template <class T>
    T read(layout::Field<T> field) const {
        require(field.end() <= bytes_.size());
        return load<T>(bytes_.data() + field.offset);
    }

    // Calls take with each of count values of type T from offset on.
    template <class T, class Take>
    void readEach(std::uint64_t offset, std::uint64_t count, Take take) const {
        require(fits(offset, count * encodedSize<T>, bytes_.size()));
        const std::byte* at = bytes_.data() + offset;
        for (std::uint64_t i = 0; i < count; ++i, at += encodedSize<T>) {
            take(load<T>(at));
        }
    }

private:
    std::span<const std::byte> bytes_;
};

} // namespace dorvek::host::emf_format
