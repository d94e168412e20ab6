#include "metafile_parser.h"

#include "record_decoder.h"
#include "record_reader.h"

#include <algorithm>

namespace dorvek::host::emf_format {
namespace {

MetafileHeader readHeader(std::span<const std::byte> metafile) {
    namespace header = layout::header;
    const RecordReader file(metafile);
    file.requireSize(header::baseSize);
    require(file.read(layout::type) == static_cast<std::uint32_t>(RecordType::Header));
    const std::uint32_t size = file.read(layout::size);
    require(size >= header::baseSize && size % 4 == 0 && size <= metafile.size());
    const RecordReader record(metafile.first(size));
    require(record.read(header::signature) == signature);

    const MetafileHeader result{.bounds = record.read(header::bounds),
                                .frame = record.read(header::frame),
                                .bytes = record.read(header::bytes),
                                .records = record.read(header::records),
                                .handles = record.read(header::handles),
                                .referencePixels = record.read(header::referencePixels),
                                .referenceMillimetres = record.read(header::referenceMillimetres)};
    require(result.bytes >= size && result.bytes <= metafile.size());
    require(result.handles >= 1);
    // The frame and the reference device set the playing scale: none may be empty.
    require(result.frame.right > result.frame.left && result.frame.bottom > result.frame.top);
    require(result.referencePixels.width > 0 && result.referencePixels.height > 0);
    require(result.referenceMillimetres.width > 0 && result.referenceMillimetres.height > 0);
    const std::uint32_t descriptionCharacters = record.read(header::descriptionCharacters);
    if (descriptionCharacters != 0) {
        require(fits(record.read(header::descriptionOffset), 2ULL * descriptionCharacters, size));
    }
    return result;
}

} // namespace

ParsedMetafile parseMetafile(std::span<const std::byte> metafile) {
    ParsedMetafile parsed;
    parsed.header = readHeader(metafile);
    const std::span<const std::byte> declared = metafile.first(parsed.header.bytes);
    const RecordDecoder decoder(parsed.header.handles);
    parsed.records.reserve(
        std::min<std::size_t>(parsed.header.records, declared.size() / layout::prefixSize));

    std::size_t offset = 0;
    std::uint32_t records = 0;
    bool ended = false;
    while (offset < declared.size()) {
        require(!ended); // nothing may follow the end-of-file record
        const RecordReader rest(declared.subspan(offset));
        const auto type = static_cast<RecordType>(rest.read(layout::type));
        const std::uint32_t size = rest.read(layout::size);
        require(size >= layout::prefixSize && size % 4 == 0 && size <= rest.size());
        if (offset != 0) {
            if (std::optional<Record> record =
                    decoder.decode(type, RecordReader(rest.bytes().first(size)))) {
                parsed.records.push_back(std::move(*record));
            }
        }
        ended = type == RecordType::EndOfFile;
        ++records;
        offset += size;
    }
    require(ended);
    require(records == parsed.header.records);
    return parsed;
}

} // namespace dorvek::host::emf_format
