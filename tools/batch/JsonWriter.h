#pragma once
// A small streaming writer of compact JSON text in UTF-8. Numbers are written at round-trip
// precision with a point whatever the process locale; a number that is not finite becomes null.
// Commas are placed by the writer: callers only open, name and close.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The name of the next member of the open object.
    void key(std::string_view name);

    void value(std::u16string_view text);
    void value(std::string_view utf8);
    void value(const char* utf8) { value(std::string_view(utf8)); }
    // Without these a text literal would convert to bool.
    void value(const char16_t* text) { value(std::u16string_view(text)); }
    void value(const std::u16string& text) { value(std::u16string_view(text)); }
    void value(const std::string& utf8) { value(std::string_view(utf8)); }
    void value(double number);
    void value(int64_t number);
    void value(int32_t number) { value(static_cast<int64_t>(number)); }
    void value(bool flag);
    void null();

    const std::string& text() const { return text_; }

private:
    void beforeValue();
    void writeString(std::string_view utf8);

    std::string text_;
    // Per open container: whether it has an element yet.
    std::vector<bool> hasElement_;
    bool afterKey_ = false;
};
