#include "input/CVantrelFile4.h"

#include "input/ByteOrder.h"
#include "input/ChromatogramDocumentReader.h"
#include "input/ChromatogramDocumentWriter.h"
#include "input/ContainerLayout.h"
#include "input/LargeBlockPool.h"
#include "platform/Paths.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

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
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads up to `size` bytes, riding over interruptions and short reads; returns the count read.
uint64_t readFully(int fd, void* buffer, uint64_t size)
{
    auto* out = static_cast<unsigned char*>(buffer);
    uint64_t done = 0;
    while (done < size) {
        ssize_t n = ::read(fd, out + done, static_cast<std::size_t>(std::min<uint64_t>(size - done, 1u << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<uint64_t>(n);
    }
    return done;
}

class FileCloser {
public:
    explicit FileCloser(std::FILE* file) : file_(file) {}
    ~FileCloser()
    {
        if (file_)
            std::fclose(file_);
    }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;
    // Closes now and tells whether everything buffered reached the file.
    bool close()
    {
        bool ok = std::fclose(file_) == 0;
        file_ = nullptr;
        return ok;
    }

private:
    std::FILE* file_;
};

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

class StreamWriter : public pugi::xml_writer {
public:
    explicit StreamWriter(std::FILE* file) : file_(file) {}
    void write(const void* data, std::size_t size) override { std::fwrite(data, 1, size, file_); }

private:
    std::FILE* file_;
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
    // Opened without blocking so that a FIFO cannot stall the caller; only a regular file is read,
    // because its size bounds every count the file announces.
    FileDescriptor file(::open(platform::nativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0)
        return -1;
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return -1;
    const uint64_t fileSize = static_cast<uint64_t>(status.st_size);

    unsigned char header[layout::fileHeaderSize];
    if (readFully(file.get(), header, sizeof header) < sizeof header)
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
        if (readFully(file.get(), blockBytes, sizeof blockBytes) < sizeof blockBytes)
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
        if (readFully(file.get(), channel.signal.samples.data(), bytes) < bytes)
            return -6;
        byteorder::wordsFromLittleEndian(channel.signal.samples.data(), count);
        position += bytes;
        channels.push_back(std::move(channel));
    }

    // The text is read to the end of the file, which may have grown since it was measured.
    TextBuffer text(static_cast<std::size_t>(fileSize > position ? fileSize - position : 0) + 1);
    std::size_t textSize = static_cast<std::size_t>(readFully(file.get(), text.data(), text.capacity()));
    while (textSize == text.capacity()) {
        text.grow(text.capacity() * 2, textSize);
        textSize += static_cast<std::size_t>(readFully(file.get(), text.data() + textSize, text.capacity() - textSize));
    }
    if (!readDocument(text.data(), textSize))
        return -7;
    passport.filePath = path;
    return 0;
}

int32_t CVantrelFile4::save(const std::u16string& path)
{
    std::FILE* raw = std::fopen(platform::nativePath(path).c_str(), "wb");
    if (!raw)
        return -1;
    FileCloser file(raw);

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
    if (std::fwrite(header, 1, sizeof header, raw) != sizeof header)
        return -2;

    for (std::size_t i = 0; i < channels.size(); ++i) {
        const Channel& channel = channels[i];
        SampleArray& samples = snapshot[i];
        unsigned char blockBytes[layout::blockHeaderSize] = {};
        blockBytes[layout::channelNumberOffset] = static_cast<unsigned char>(channel.number & 0xFF);
        byteorder::writeF64(blockBytes + layout::valueAOffset, channel.signal.valueA);
        byteorder::writeF64(blockBytes + layout::valueBOffset, channel.signal.valueB);
        byteorder::writeU64(blockBytes + layout::sampleCountOffset, samples.size());
        if (std::fwrite(blockBytes, 1, sizeof blockBytes, raw) != sizeof blockBytes)
            return -5;
        byteorder::wordsToLittleEndian(samples.data(), samples.size());
        if (!samples.empty() && std::fwrite(samples.data(), layout::sampleSize, samples.size(), raw) != samples.size())
            return -6;
        SampleArray().swap(samples);
    }
    passport.filePath = path;

    pugi::xml_document document;
    writeDocument(document, passport, channels);
    StreamWriter writer(raw);
    document.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    bool streamFailed = std::ferror(raw) != 0;
    if (!file.close() || streamFailed)
        return -7;
    return 0;
}
