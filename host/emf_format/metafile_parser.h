#pragma once

#include "host/emf_format/emf_types.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dorvek::host::emf {

struct MetafileHeader {
    Rect bounds;
    Rect frame;
    std::uint32_t bytes = 0;
    std::uint32_t records = 0;
    std::uint16_t handles = 0;
    Size referencePixels;
    Size referenceMillimetres;
};

// One record, its type and size fields included.
struct MetafileRecord {
    std::uint32_t type = 0;
    std::span<const std::byte> bytes;
};

struct ParsedMetafile {
    MetafileHeader header;
    std::vector<MetafileRecord> records; // the header first, EMR_EOF last
};

// Checks a whole metafile before anything is drawn from it: the header, that the
// records tile the declared size exactly, ending with EMR_EOF, and that every field
// the player reads, every count and every offset stays inside its record and every
// object handle inside the header's table. Raises InvalidPicture on the first fault.
// The records keep pointing into metafile, which must outlive the result.
ParsedMetafile parseMetafile(std::span<const std::byte> metafile);

} // namespace dorvek::host::emf
