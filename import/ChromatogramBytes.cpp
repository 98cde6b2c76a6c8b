#include "ChromatogramBytes.h"

#include "input/ByteOrder.h"
#include "input/CVantrelFile4.h"
#include "input/ChromatogramDocumentWriter.h"
#include "input/ContainerLayout.h"

#include <cstring>

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
    std::size_t peaks = 0;
    for (const Channel& channel : file.channels)
        peaks += channel.peaks.size();
    // A peak item takes about 450 bytes of XML; growing the string in steps would copy it again.
    bytes.reserve(static_cast<std::size_t>(binaryLength) + 4096 + peaks * 512);

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

    appendDocumentText(bytes, file.passport, file.channels);
    return bytes;
}
