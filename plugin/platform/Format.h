#pragma once
// printf-style formatting that gives the same text whatever the process locale: a point is
// always the decimal separator. Arguments are typed, so a wrong argument cannot corrupt memory.
//
//   platform::format(u"%d;%s;%.3f", {7, name, 1.5})  ->  u"7;Name;1.500"
//
// Supported: flags "-+ #0", a width, a precision (also "*"), and the conversions
// d i u x X o c s f F e E g G and "%%". A conversion without a matching argument prints nothing;
// an argument of the wrong kind is converted (an integer to "%f" prints as a double, a number
// to "%s" prints with "%g").
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace platform {

class FormatArg {
public:
    enum class Kind { Int, UInt, Double, Text16, Text8 };

    FormatArg(int v) : kind_(Kind::Int), i_(v) {}
    FormatArg(long v) : kind_(Kind::Int), i_(v) {}
    FormatArg(long long v) : kind_(Kind::Int), i_(v) {}
    FormatArg(unsigned v) : kind_(Kind::UInt), u_(v) {}
    FormatArg(unsigned long v) : kind_(Kind::UInt), u_(v) {}
    FormatArg(unsigned long long v) : kind_(Kind::UInt), u_(v) {}
    FormatArg(double v) : kind_(Kind::Double), d_(v) {}
    FormatArg(const char16_t* v) : kind_(Kind::Text16), s16_(v ? v : u"") {}
    FormatArg(std::u16string_view v) : kind_(Kind::Text16), s16_(v) {}
    FormatArg(const std::u16string& v) : kind_(Kind::Text16), s16_(v) {}
    FormatArg(const char* v) : kind_(Kind::Text8), s8_(v ? v : "") {}       // UTF-8
    FormatArg(std::string_view v) : kind_(Kind::Text8), s8_(v) {}           // UTF-8
    FormatArg(const std::string& v) : kind_(Kind::Text8), s8_(v) {}         // UTF-8

    Kind kind() const { return kind_; }
    long long asInt() const;
    unsigned long long asUInt() const;
    double asDouble() const;
    std::u16string_view text16() const { return s16_; }
    std::string_view text8() const { return s8_; }

private:
    Kind kind_;
    long long i_ = 0;
    unsigned long long u_ = 0;
    double d_ = 0;
    std::u16string_view s16_;
    std::string_view s8_;
};

std::u16string format(std::u16string_view fmt, std::initializer_list<FormatArg> args);
std::string format8(std::string_view fmt, std::initializer_list<FormatArg> args); // UTF-8 result

// One number in the C locale, as printf would with the given conversion ("%.3f", "%.17g", ...).
std::string formatNumberC(const char* directive, double value);

// Appends `text` exactly as a plain "%s" of format() writes it (a surrogate without its partner
// becomes U+FFFD), for callers that build a frequent text piece by piece.
void appendFormatText(std::u16string& out, std::u16string_view text);
// Appends `value` exactly as "%.<decimals>f" of format() writes it.
void appendFixed(std::u16string& out, double value, int decimals);

} // namespace platform
