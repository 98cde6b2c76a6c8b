#include "Provenance.h"

#include <libxml/xmlversion.h>
#include <libxml/globals.h>
#include <libxslt/xslt.h>
#include <openssl/evp.h>
#include <pugixml.hpp>
#include <sqlite3.h>
#include <unicode/uversion.h>

#include "platform/FileSeam.h"
#include "platform/Paths.h"

#include <cstdlib>
#include <memory>

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
    std::string bytes;
    platform::FileError error;
    if (!platform::readRegularFile(platform::fromNativePath(input.path), bytes, error))
        return input;
    std::string digest = sha256Hex(bytes);
    if (digest.empty())
        return input;
    input.bytes = bytes.size();
    input.sha256 = std::move(digest);
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
