#include "JsonWriter.h"

#include "platform/Text.h"

#include <charconv>
#include <cmath>

void JsonWriter::beforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasElement_.empty()) {
        if (hasElement_.back())
            text_ += ',';
        hasElement_.back() = true;
    }
}

void JsonWriter::beginObject()
{
    beforeValue();
    text_ += '{';
    hasElement_.push_back(false);
}

void JsonWriter::endObject()
{
    text_ += '}';
    hasElement_.pop_back();
}

void JsonWriter::beginArray()
{
    beforeValue();
    text_ += '[';
    hasElement_.push_back(false);
}

void JsonWriter::endArray()
{
    text_ += ']';
    hasElement_.pop_back();
}

void JsonWriter::key(std::string_view name)
{
    beforeValue();
    writeString(name);
    text_ += ':';
    afterKey_ = true;
}

void JsonWriter::value(std::u16string_view text)
{
    beforeValue();
    writeString(platform::utf16ToUtf8(text));
}

void JsonWriter::value(std::string_view utf8)
{
    beforeValue();
    writeString(utf8);
}

void JsonWriter::value(double number)
{
    beforeValue();
    if (!std::isfinite(number)) {
        text_ += "null";
        return;
    }
    // The shortest text that reads back as the same double; never locale-dependent.
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number);
    text_.append(buffer, error == std::errc() ? end : buffer);
}

void JsonWriter::value(int64_t number)
{
    beforeValue();
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number);
    text_.append(buffer, error == std::errc() ? end : buffer);
}

void JsonWriter::value(bool flag)
{
    beforeValue();
    text_ += flag ? "true" : "false";
}

void JsonWriter::null()
{
    beforeValue();
    text_ += "null";
}

void JsonWriter::writeString(std::string_view utf8)
{
    static const char hex[] = "0123456789abcdef";
    text_ += '"';
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': text_ += "\\\""; break;
        case '\\': text_ += "\\\\"; break;
        case '\n': text_ += "\\n"; break;
        case '\r': text_ += "\\r"; break;
        case '\t': text_ += "\\t"; break;
        case '\b': text_ += "\\b"; break;
        case '\f': text_ += "\\f"; break;
        default:
            if (byte < 0x20) {
                text_ += "\\u00";
                text_ += hex[byte >> 4];
                text_ += hex[byte & 0xF];
            } else {
                text_ += c;
            }
        }
    }
    text_ += '"';
}
