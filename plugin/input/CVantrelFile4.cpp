#include "input/CVantrelFile4.h"

#include "input/ByteOrder.h"
#include "input/ChromatogramDocumentReader.h"
#include "input/ChromatogramDocumentWriter.h"
#include "input/ContainerLayout.h"
#include "input/LargeBlockPool.h"
#include "platform/FileSeam.h"
#include "platform/Paths.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace layout = containerlayout;

namespace {

bool hasMagic(const unsigned char* header)
{
    return std::memcmp(header, layout::magic, sizeof layout::magic) == 0;
}

struct BlockHeader {
    int32_t channelNumber = 0;
    double valueA = 0;
    double valueB = 0;
    uint64_t sampleCount = 0;
};

BlockHeader decodeBlockHeader(const unsigned char* bytes)
{
    BlockHeader header;
    header.channelNumber = bytes[layout::channelNumberOffset];
    header.valueA = byteorder::readF64(bytes + layout::valueAOffset);
    header.valueB = byteorder::readF64(bytes + layout::valueBOffset);
    header.sampleCount = byteorder::readU64(bytes + layout::sampleCountOffset);
    return header;
}

Channel channelFrom(const BlockHeader& header)
{
    Channel channel;
    channel.number = header.channelNumber;
    channel.signal.valueA = header.valueA;
    channel.signal.valueB = header.valueB;
    return channel;
}

// Owns a file descriptor so that every way out of an operation closes it.

// A byte buffer whose memory is reused from one loaded file to the next.
class TextBuffer {
public:
    explicit TextBuffer(std::size_t capacity)
        : data_(static_cast<char*>(LargeBlockPool::instance().allocate(capacity))), capacity_(capacity)
    {
    }
    ~TextBuffer() { LargeBlockPool::instance().release(data_, capacity_); }
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    char* data() const { return data_; }
    std::size_t capacity() const { return capacity_; }
    void grow(std::size_t capacity, std::size_t used)
    {
        char* larger = static_cast<char*>(LargeBlockPool::instance().allocate(capacity));
        std::memcpy(larger, data_, used);
        LargeBlockPool::instance().release(data_, capacity_);
        data_ = larger;
        capacity_ = capacity;
    }

private:
    char* data_;
    std::size_t capacity_;
};

// Hands pugixml's many small pieces to the file in large writes; the first failure is kept.
class SeamWriter : public pugi::xml_writer {
public:
    SeamWriter(platform::AtomicFileWriter& file, platform::FileError& error) : file_(file), error_(error) {}
    void write(const void* data, std::size_t size) override
    {
        pending_.append(static_cast<const char*>(data), size);
        if (pending_.size() >= 1 << 16)
            flush();
    }
    bool flush()
    {
        if (!failed_ && !pending_.empty())
            failed_ = !file_.write(pending_, error_);
        pending_.clear();
        return !failed_;
    }

private:
    platform::AtomicFileWriter& file_;
    platform::FileError& error_;
    std::string pending_;
    bool failed_ = false;
};

} // namespace

bool CVantrelFile4::readDocument(char* text, std::size_t size)
{
    pugi::xml_document document;
    if (size == 0)
        return false;
    pugi::xml_parse_result parsed =
        document.load_buffer_inplace(text, size, pugi::parse_default, pugi::encoding_utf8);
    if (!parsed)
        return false;
    pugi::xml_node root = document.child("root");
    readPassport(root.child("passport"), passport);
    readChannels(root.child("channels"), channels);
    return true;
}

int32_t CVantrelFile4::parse(const unsigned char* data, uint64_t size)
{
    // The buffer is trusted to be a whole file image, but it may come from anywhere: nothing is
    // read beyond `size`, and a sample count is believed only when its samples are there.
    if (!data || size < layout::fileHeaderSize || !hasMagic(data))
        return -1;
    if (data[layout::versionOffset] > layout::highestReadableVersion)
        return -2;
    formatVersion = data[layout::versionOffset];
    channels.clear();

    const uint64_t binaryLength = byteorder::readU64(data + layout::binaryLengthOffset);
    uint64_t offset = layout::fileHeaderSize;
    while (offset < binaryLength) {
        if (size - offset < layout::blockHeaderSize)
            return -5;
        BlockHeader block = decodeBlockHeader(data + offset);
        offset += layout::blockHeaderSize;
        if (block.sampleCount > (size - offset) / layout::sampleSize)
            return -6;
        Channel channel = channelFrom(block);
        const std::size_t count = static_cast<std::size_t>(block.sampleCount);
        channel.signal.samples.resize(count);
        if (count > 0)
            std::memcpy(channel.signal.samples.data(), data + offset, count * layout::sampleSize);
        byteorder::wordsFromLittleEndian(channel.signal.samples.data(), count);
        offset += count * layout::sampleSize;
        channels.push_back(std::move(channel));
    }

    // pugixml parses in place; the caller's bytes stay untouched, so the text gets a copy.
    std::size_t textSize = static_cast<std::size_t>(size - offset);
    std::unique_ptr<char[]> text(new char[textSize + 1]);
    if (textSize > 0)
        std::memcpy(text.get(), data + offset, textSize);
    if (!readDocument(text.get(), textSize))
        return -3;
    return 0;
}

int32_t CVantrelFile4::load(const std::u16string& path)
{
    // Only a regular file is read (a FIFO cannot stall the caller), because its size bounds every
    // count the file announces.
    platform::RegularFileReader file;
    platform::FileError error;
    if (!file.open(path, error))
        return -1;
    const uint64_t fileSize = file.size();
    auto readFully = [&file, &error](void* buffer, uint64_t size) { return file.read(buffer, size, error); };

    unsigned char header[layout::fileHeaderSize];
    if (readFully(header, sizeof header) < sizeof header)
        return -2;
    if (!hasMagic(header))
        return -3;
    if (header[layout::versionOffset] > layout::highestReadableVersion)
        return -4;
    formatVersion = header[layout::versionOffset];
    channels.clear();

    const uint64_t binaryLength = byteorder::readU64(header + layout::binaryLengthOffset);
    uint64_t position = layout::fileHeaderSize;
    while (position < binaryLength) {
        unsigned char blockBytes[layout::blockHeaderSize];
        if (readFully(blockBytes, sizeof blockBytes) < sizeof blockBytes)
            return -5;
        position += layout::blockHeaderSize;
        BlockHeader block = decodeBlockHeader(blockBytes);
        if (block.sampleCount >= layout::sampleCountLimit)
            return -6;
        const uint64_t bytesLeft = fileSize > position ? fileSize - position : 0;
        if (block.sampleCount > bytesLeft / layout::sampleSize)
            return -6;
        Channel channel = channelFrom(block);
        const std::size_t count = static_cast<std::size_t>(block.sampleCount);
        channel.signal.samples.resize(count);
        const uint64_t bytes = uint64_t{count} * layout::sampleSize;
        if (readFully(channel.signal.samples.data(), bytes) < bytes)
            return -6;
        byteorder::wordsFromLittleEndian(channel.signal.samples.data(), count);
        position += bytes;
        channels.push_back(std::move(channel));
    }

    // The text is read to the end of the file, which may have grown since it was measured.
    TextBuffer text(static_cast<std::size_t>(fileSize > position ? fileSize - position : 0) + 1);
    std::size_t textSize = static_cast<std::size_t>(readFully(text.data(), text.capacity()));
    while (textSize == text.capacity()) {
        text.grow(text.capacity() * 2, textSize);
        textSize += static_cast<std::size_t>(readFully(text.data() + textSize, text.capacity() - textSize));
    }
    if (error.failed() || !readDocument(text.data(), textSize))
        return -7;
    passport.filePath = path;
    return 0;
}

int32_t CVantrelFile4::save(const std::u16string& path)
{
    // Written beside the old file and renamed over it only when whole: a failed save keeps it.
    platform::AtomicFileWriter file;
    platform::FileError error;
    if (!file.open(path, error))
        return -1;

    // One copy of every channel's samples, taken first: the length in the file header, the counts
    // in the block headers and the samples written all come from it, so a producer appending
    // meanwhile cannot make them disagree.
    std::vector<SampleArray> snapshot;
    snapshot.reserve(channels.size());
    uint64_t binaryLength = layout::fileHeaderSize;
    for (const Channel& channel : channels) {
        snapshot.push_back(channel.signal.copySamples());
        binaryLength += layout::blockHeaderSize + uint64_t{snapshot.back().size()} * layout::sampleSize;
    }

    unsigned char header[layout::fileHeaderSize] = {};
    std::memcpy(header, layout::magic, sizeof layout::magic);
    header[layout::versionOffset] = formatVersion;
    byteorder::writeU64(header + layout::binaryLengthOffset, binaryLength);
    if (!file.write(std::string_view(reinterpret_cast<const char*>(header), sizeof header), error))
        return -2;

    for (std::size_t i = 0; i < channels.size(); ++i) {
        const Channel& channel = channels[i];
        SampleArray& samples = snapshot[i];
        unsigned char blockBytes[layout::blockHeaderSize] = {};
        blockBytes[layout::channelNumberOffset] = static_cast<unsigned char>(channel.number & 0xFF);
        byteorder::writeF64(blockBytes + layout::valueAOffset, channel.signal.valueA);
        byteorder::writeF64(blockBytes + layout::valueBOffset, channel.signal.valueB);
        byteorder::writeU64(blockBytes + layout::sampleCountOffset, samples.size());
        if (!file.write(std::string_view(reinterpret_cast<const char*>(blockBytes), sizeof blockBytes), error))
            return -5;
        byteorder::wordsToLittleEndian(samples.data(), samples.size());
        if (!samples.empty() &&
            !file.write(std::string_view(reinterpret_cast<const char*>(samples.data()), samples.size() * layout::sampleSize),
                        error))
            return -6;
        SampleArray().swap(samples);
    }
    passport.filePath = path;

    pugi::xml_document document;
    writeDocument(document, passport, channels);
    SeamWriter writer(file, error);
    document.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    if (!writer.flush() || !file.commit(error))
        return -7;
    return 0;
}
