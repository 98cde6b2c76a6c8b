#include "Provenance.h"

#include <libxml/xmlversion.h>
#include <libxml/globals.h>
#include <libxslt/xslt.h>
#include <openssl/evp.h>
#include <pugixml.hpp>
#include <sqlite3.h>
#include <unicode/uversion.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#ifndef VEXOL_VERSION
#error "VEXOL_VERSION must name the version of the build"
#endif

namespace {

using DigestContext = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

std::string hex(const unsigned char* bytes, unsigned int count)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(count * 2);
    for (unsigned int i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0xF];
    }
    return text;
}

// Closes the descriptor on every path out.
struct FileDescriptor {
    explicit FileDescriptor(int fd) : fd(fd) {}
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int fd;
};

// libxml2 and libxslt state their versions as one number: 21004 for 2.10.4.
std::string dottedVersion(long value)
{
    return std::to_string(value / 10000) + "." + std::to_string(value / 100 % 100) + "." + std::to_string(value % 100);
}

} // namespace

std::string sha256Hex(std::string_view bytes)
{
    DigestContext context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1 ||
        EVP_DigestUpdate(context.get(), bytes.data(), bytes.size()) != 1 ||
        EVP_DigestFinal_ex(context.get(), digest, &length) != 1)
        return std::string();
    return hex(digest, length);
}

InputFile fingerprintFile(std::string role, std::string path)
{
    InputFile input{std::move(role), std::move(path), std::nullopt, std::nullopt};
    // Non-blocking, so that a FIFO put in a file's place cannot stop the run.
    FileDescriptor file(::open(input.path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat status {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode))
        return input;
    DigestContext context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
        return input;
    uint64_t total = 0;
    std::unique_ptr<char[]> buffer(new char[1 << 16]);
    for (;;) {
        const ssize_t got = ::read(file.fd, buffer.get(), 1 << 16);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return input;
        if (got == 0)
            break;
        if (EVP_DigestUpdate(context.get(), buffer.get(), static_cast<std::size_t>(got)) != 1)
            return input;
        total += static_cast<uint64_t>(got);
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context.get(), digest, &length) != 1)
        return input;
    input.bytes = total;
    input.sha256 = hex(digest, length);
    return input;
}

std::string isoUtcTime(std::time_t time)
{
    std::tm parts {};
    if (!::gmtime_r(&time, &parts))
        return std::string();
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return std::string(text, length);
}

std::vector<std::pair<std::string, std::string>> softwareVersions()
{
    UVersionInfo icu {};
    u_getVersion(icu);
    char icuText[U_MAX_VERSION_STRING_LENGTH] = {};
    u_versionToString(icu, icuText);
    return {
        {"dvinar", VEXOL_VERSION},
        {"sqlite", sqlite3_libversion()},
        {"icu", icuText},
        {"libxml2", dottedVersion(xmlParserVersion ? std::strtol(xmlParserVersion, nullptr, 10) : 0)},
        {"libxslt", dottedVersion(xsltLibxsltVersion)},
        {"pugixml", std::to_string(PUGIXML_VERSION / 1000) + "." + std::to_string(PUGIXML_VERSION % 1000 / 10)},
    };
}
