#include "ChromatogramBytes.h"

#include "input/ByteOrder.h"
#include "input/CVantrelFile4.h"
#include "input/ChromatogramDocumentWriter.h"
#include "input/ContainerLayout.h"

#include <pugixml.hpp>

#include <cstring>

namespace {

class StringWriter : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& out) : out_(out) {}
    void write(const void* data, std::size_t size) override { out_.append(static_cast<const char*>(data), size); }

private:
    std::string& out_;
};

} // namespace

std::string chromatogramBytes(const CVantrelFile4& file)
{
    std::vector<SampleArray> snapshot;
    snapshot.reserve(file.channels.size());
    uint64_t binaryLength = containerlayout::fileHeaderSize;
    for (const Channel& channel : file.channels) {
        snapshot.push_back(channel.signal.copySamples());
        binaryLength += containerlayout::blockHeaderSize + uint64_t{snapshot.back().size()} * containerlayout::sampleSize;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(binaryLength) + 4096);

    unsigned char header[containerlayout::fileHeaderSize] = {};
    std::memcpy(header, containerlayout::magic, sizeof containerlayout::magic);
    header[containerlayout::versionOffset] = file.formatVersion;
    byteorder::writeU64(header + containerlayout::binaryLengthOffset, binaryLength);
    bytes.append(reinterpret_cast<const char*>(header), sizeof header);

    for (std::size_t i = 0; i < file.channels.size(); ++i) {
        const Channel& channel = file.channels[i];
        SampleArray& samples = snapshot[i];
        unsigned char block[containerlayout::blockHeaderSize] = {};
        block[containerlayout::channelNumberOffset] = static_cast<unsigned char>(channel.number & 0xFF);
        byteorder::writeF64(block + containerlayout::valueAOffset, channel.signal.valueA);
        byteorder::writeF64(block + containerlayout::valueBOffset, channel.signal.valueB);
        byteorder::writeU64(block + containerlayout::sampleCountOffset, samples.size());
        bytes.append(reinterpret_cast<const char*>(block), sizeof block);
        byteorder::wordsToLittleEndian(samples.data(), samples.size());
        bytes.append(reinterpret_cast<const char*>(samples.data()), samples.size() * containerlayout::sampleSize);
    }

    pugi::xml_document document;
    writeDocument(document, file.passport, file.channels);
    StringWriter writer(bytes);
    document.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return bytes;
}
