#pragma once

#include "host/emf_format/emf_types.h"
#include "host/emf_format/parsed_records.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dorvek::host::emf_format {

struct MetafileHeader {
    Rect bounds;
    Rect frame; // in hundredths of a millimetre, never empty
    std::uint32_t bytes = 0;
    std::uint32_t records = 0; // all of them, the header and EMR_EOF included
    std::uint16_t handles = 0; // object slots, slot 0 included
    Size referencePixels;      // both sides positive
    Size referenceMillimetres; // both sides positive
};

struct ParsedMetafile {
    MetafileHeader header;
    // The records that change what is drawn, in order; the header, comments, the end
    // of file and the records that draw nothing are checked but left out.
    std::vector<Record> records;
};

// Checks a whole metafile before anything is drawn from it and turns its records into
// typed values: the header, that the records tile the declared size exactly, ending
// with EMR_EOF, and that every field, count and offset stays inside its record and
// every object handle inside the header's table. Raises InvalidPicture on the first
// fault. Records of types it does not know are skipped once their size is checked.
ParsedMetafile parseMetafile(std::span<const std::byte> metafile);

} // namespace dorvek::host::emf_format
