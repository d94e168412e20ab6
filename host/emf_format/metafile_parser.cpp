#include "metafile_parser.h"

#include "host/emf_format/little_endian.h"
#include "host/runtime/error.h"

namespace dorvek::host::emf {
namespace {

void require(bool condition) {
    if (!condition) {
        raise(ErrorKind::InvalidPicture);
    }
}

Rect readRect(std::span<const std::byte> bytes, std::size_t offset) {
    return {readI32(bytes, offset), readI32(bytes, offset + 4), readI32(bytes, offset + 8),
            readI32(bytes, offset + 12)};
}

// Counts and offsets are checked in 64 bits, so no product or sum can wrap.
bool fits(std::uint64_t offset, std::uint64_t length, std::size_t recordSize) {
    return offset <= recordSize && length <= recordSize - offset;
}

MetafileHeader checkHeader(std::span<const std::byte> metafile) {
    require(metafile.size() >= headerMinimumSize);
    require(readU32(metafile, 0) == static_cast<std::uint32_t>(RecordType::Header));
    const std::uint32_t size = readU32(metafile, 4);
    require(size >= headerMinimumSize && size % 4 == 0 && size <= metafile.size());
    require(readU32(metafile, 40) == signature);

    MetafileHeader header;
    header.bounds = readRect(metafile, 8);
    header.frame = readRect(metafile, 24);
    header.bytes = readU32(metafile, 48);
    header.records = readU32(metafile, 52);
    header.handles = readU16(metafile, 56);
    header.referencePixels = {readI32(metafile, 72), readI32(metafile, 76)};
    header.referenceMillimetres = {readI32(metafile, 80), readI32(metafile, 84)};

    require(header.bytes >= size && header.bytes <= metafile.size());
    require(header.handles >= 1);
    // The frame and the reference device set the playing scale: none may be empty.
    require(header.frame.right > header.frame.left && header.frame.bottom > header.frame.top);
    require(header.referencePixels.width > 0 && header.referencePixels.height > 0);
    require(header.referenceMillimetres.width > 0 && header.referenceMillimetres.height > 0);
    const std::uint32_t descriptionCharacters = readU32(metafile, 60);
    if (descriptionCharacters != 0) {
        require(fits(readU32(metafile, 64), 2ULL * descriptionCharacters, size));
    }
    return header;
}

class RecordChecker {
public:
    explicit RecordChecker(std::uint16_t handles) : handles_(handles) {}

    void check(std::uint32_t type, std::span<const std::byte> record) const;

private:
    void requireSlot(std::uint32_t handle) const { require(handle >= 1 && handle < handles_); }
    void requireObject(std::uint32_t handle) const {
        if ((handle & stockObjectBit) != 0) {
            require((handle & ~stockObjectBit) <= lastStockObject);
        } else {
            requireSlot(handle);
        }
    }
    static void requirePoints(std::span<const std::byte> record, std::uint32_t pointSize) {
        require(record.size() >= 28);
        require(fits(28, std::uint64_t{pointSize} * readU32(record, 24), record.size()));
    }
    static void requireText(std::span<const std::byte> record);

    std::uint16_t handles_;
};

void RecordChecker::requireText(std::span<const std::byte> record) {
    require(record.size() >= 60);
    const std::uint32_t characters = readU32(record, 44);
    const std::uint32_t options = readU32(record, 52);
    const std::size_t advancesField = (options & textNoRectangle) != 0 ? 56 : 72;
    require(record.size() >= advancesField + 4);
    require(fits(readU32(record, 48), 2ULL * characters, record.size()));
    require(fits(readU32(record, advancesField), 4ULL * characters, record.size()));
}

void RecordChecker::check(std::uint32_t type, std::span<const std::byte> record) const {
    const std::size_t size = record.size();
    switch (static_cast<RecordType>(type)) {
    case RecordType::Header:
        require(false); // only the first record
        break;
    case RecordType::Polygon:
    case RecordType::Polyline:
    case RecordType::PolylineTo:
        requirePoints(record, 8);
        break;
    case RecordType::Polygon16:
    case RecordType::Polyline16:
    case RecordType::PolylineTo16:
        requirePoints(record, 4);
        break;
    case RecordType::EndOfFile: {
        require(size >= endOfFileSize);
        const std::uint32_t entries = readU32(record, 8);
        if (entries != 0) {
            require(fits(readU32(record, 12), 4ULL * entries, size));
        }
        break;
    }
    case RecordType::SetBackgroundMode:
    case RecordType::SetPolygonFillMode:
    case RecordType::SetRasterOperation:
    case RecordType::SetTextAlign:
    case RecordType::SetTextColour:
    case RecordType::SetBackgroundColour:
    case RecordType::RestoreState:
        require(size >= 12);
        break;
    case RecordType::MoveTo:
    case RecordType::LineTo:
        require(size >= 16);
        break;
    case RecordType::ExcludeClipRect:
    case RecordType::IntersectClipRect:
    case RecordType::Rectangle:
        require(size >= 24);
        break;
    case RecordType::SelectObject:
    case RecordType::DeleteObject:
    case RecordType::SelectPalette:
        require(size >= 12);
        requireObject(readU32(record, 8));
        break;
    case RecordType::CreatePen:
        require(size >= 28);
        requireSlot(readU32(record, 8));
        break;
    case RecordType::CreateBrush:
        require(size >= 24);
        requireSlot(readU32(record, 8));
        break;
    case RecordType::CreateFont:
        require(size >= 12 + logFontSize);
        requireSlot(readU32(record, 8));
        break;
    case RecordType::CreateExtendedPen:
        require(size >= 52); // up to the count of its style entries
        requireSlot(readU32(record, 8));
        break;
    case RecordType::CreatePalette:
    case RecordType::CreateMonochromeBrush:
    case RecordType::CreatePatternBrush:
    case RecordType::CreateColourSpace:
    case RecordType::CreateColourSpaceW:
        // Not played, but they still take a slot of the table.
        require(size >= 12);
        requireSlot(readU32(record, 8));
        break;
    case RecordType::GdiComment:
        require(size >= 12);
        require(fits(12, readU32(record, 8), size));
        break;
    case RecordType::TextOut:
        requireText(record);
        break;
    default:
        break; // a record the player skips: its size has been checked
    }
}

} // namespace

ParsedMetafile parseMetafile(std::span<const std::byte> metafile) {
    ParsedMetafile parsed;
    parsed.header = checkHeader(metafile);
    const std::span<const std::byte> declared = metafile.first(parsed.header.bytes);
    const RecordChecker checker(parsed.header.handles);

    std::size_t offset = 0;
    while (offset < declared.size()) {
        // Nothing may follow the end-of-file record.
        require(parsed.records.empty() ||
                parsed.records.back().type != static_cast<std::uint32_t>(RecordType::EndOfFile));
        require(declared.size() - offset >= recordPrefixSize);
        const std::uint32_t type = readU32(declared, offset);
        const std::uint32_t size = readU32(declared, offset + 4);
        require(size >= recordPrefixSize && size % 4 == 0 && size <= declared.size() - offset);
        const std::span<const std::byte> record = declared.subspan(offset, size);
        if (offset != 0) {
            checker.check(type, record);
        }
        parsed.records.push_back({type, record});
        offset += size;
    }
    require(parsed.records.back().type == static_cast<std::uint32_t>(RecordType::EndOfFile));
    require(parsed.records.size() == parsed.header.records);
    return parsed;
}

} // namespace dorvek::host::emf
