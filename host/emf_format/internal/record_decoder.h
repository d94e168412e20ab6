#pragma once

#include "host/emf_format/emf_types.h"
#include "host/emf_format/parsed_records.h"

#include <cstdint>
#include <optional>

namespace dorvek::host::emf_format {

class RecordReader;

// Turns one record after the header into its typed value, checking every field it
// reads and every object handle against the header's table of handles slots. Gives
// none for a record that changes nothing drawn: comments, palettes, raster operations
// other than copying the pen, the end of file and types it does not know.
class RecordDecoder {
public:
    explicit RecordDecoder(std::uint16_t handles) : handles_(handles) {}

    std::optional<Record> decode(RecordType type, const RecordReader& record) const;

private:
    void requireSlot(std::uint32_t handle) const;
    std::uint32_t slot(const RecordReader& record) const;
    void requireObject(std::uint32_t handle) const;
    std::optional<Record> selectObject(const RecordReader& record) const;
    std::optional<Record> deleteObject(const RecordReader& record) const;

    std::uint16_t handles_;
};

} // namespace dorvek::host::emf_format
