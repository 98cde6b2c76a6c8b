#include "platform/Format.h"

#include "platform/Text.h"

#include <charconv>
#include <cstdint>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <vector>

namespace platform {

long long FormatArg::asInt() const
{
    switch (kind_) {
    case Kind::Int: return i_;
    case Kind::UInt: return static_cast<long long>(u_);
    case Kind::Double: return static_cast<long long>(d_);
    default: return 0;
    }
}

unsigned long long FormatArg::asUInt() const
{
    switch (kind_) {
    case Kind::Int: return static_cast<unsigned long long>(i_);
    case Kind::UInt: return u_;
    case Kind::Double: return static_cast<unsigned long long>(d_);
    default: return 0;
    }
}

double FormatArg::asDouble() const
{
    switch (kind_) {
    case Kind::Int: return static_cast<double>(i_);
    case Kind::UInt: return static_cast<double>(u_);
    case Kind::Double: return d_;
    default: return 0;
    }
}

namespace {

locale_t cLocale()
{
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

// vsnprintf under the C locale of this thread only; the process locale is left alone.
std::string printfC(const char* directive, ...)
{
    locale_t previous = uselocale(cLocale());
    va_list args;
    va_start(args, directive);
    char small[128];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, directive, copy);
    va_end(copy);
    std::string out;
    if (n >= 0 && static_cast<std::size_t>(n) < sizeof small) {
        out.assign(small, static_cast<std::size_t>(n));
    } else if (n >= 0) {
        std::vector<char> big(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(big.data(), big.size(), directive, args);
        out.assign(big.data(), static_cast<std::size_t>(n));
    }
    va_end(args);
    uselocale(previous);
    return out;
}

bool isFlag(char c) { return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Every character of a format is compared with ASCII; a UTF-16 unit outside it never matches.
char asciiOf(char c) { return c; }
char asciiOf(char16_t c) { return c < 0x80 ? static_cast<char>(c) : '\x80'; }

// Numbers and directives are ASCII in either output.
void appendAscii(std::string& out, std::string_view ascii) { out.append(ascii); }
void appendAscii(std::u16string& out, std::string_view ascii)
{
    const std::size_t at = out.size();
    out.resize(at + ascii.size());
    for (std::size_t k = 0; k < ascii.size(); ++k)
        out[at + k] = static_cast<char16_t>(ascii[k]);  // as append(begin, end) converts
}

// UTF-16 passes through as it stands, except that a surrogate without its partner becomes U+FFFD,
// as a conversion through UTF-8 would make it.
void appendUtf16(std::u16string& out, std::u16string_view text)
{
    // Texts almost never hold a surrogate: one branch-free scan, then one copy.
    unsigned surrogates = 0;
    for (char16_t c : text)
        surrogates |= static_cast<unsigned>(static_cast<uint16_t>(c - 0xD800) < 0x800);
    if (!surrogates) {
        out.append(text);
        return;
    }
    std::size_t clean = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0xD800 || c > 0xDFFF)
            continue;
        if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            ++i;
            continue;
        }
        out.append(text.substr(clean, i - clean));
        out.push_back(u'\xFFFD');
        clean = i + 1;
    }
    out.append(text.substr(clean));
}
void appendUtf16(std::string& out, std::u16string_view text) { out += utf16ToUtf8(text); }

void appendUtf8(std::string& out, std::string_view text) { out.append(text); }
void appendUtf8(std::u16string& out, std::string_view text) { out += utf8ToUtf16(text); }

// A literal run of the format itself.
void appendLiteral(std::string& out, std::string_view text) { out.append(text); }
void appendLiteral(std::u16string& out, std::u16string_view text) { appendUtf16(out, text); }

// A "%s" argument as UTF-16, for width and precision, which count UTF-16 units as the wide printf does.
std::u16string textArgument16(const FormatArg& arg)
{
    std::u16string text;
    if (arg.kind() == FormatArg::Kind::Text16)
        appendUtf16(text, arg.text16());
    else if (arg.kind() == FormatArg::Kind::Text8)
        text = utf8ToUtf16(arg.text8());
    else if (arg.kind() == FormatArg::Kind::Double)
        appendAscii(text, printfC("%g", arg.asDouble()));
    else
        appendAscii(text, printfC("%lld", arg.asInt()));
    return text;
}

// One "%d" without flags, width or precision: the common case, without printf.
void appendPlainInteger(std::string& out, long long value) { out += std::to_string(value); }
void appendPlainInteger(std::u16string& out, long long value) { appendAscii(out, std::to_string(value)); }

// "%.Nf" with N up to 3 of a number below 1e15 in magnitude, the form of nearly every number the
// system writes: the value's exact binary fraction is scaled by 10^N and rounded to the nearest
// integer, ties to even, in 64-bit integers, which is what printf does in the C locale.
template <class Out>
bool appendSmallFixed(Out& out, int precision, double value)
{
    const double magnitude = std::fabs(value);
    if (precision > 3 || !(magnitude < 1e15))
        return false;
    static constexpr uint64_t scales[] = {1, 10, 100, 1000};
    const uint64_t scale = scales[precision];
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);               // magnitude = fraction * 2^exponent
    const auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));  // exact: 53 bits at most
    const uint64_t scaled = mantissa * scale;                               // below 2^63
    const int shift = 53 - exponent;                                        // magnitude = mantissa / 2^shift
    uint64_t units = 0;  // the rounded value in 10^-precision
    if (shift <= 0) {
        units = scaled << -shift;  // an integer below 1e15 * 1000 < 2^60
    } else if (shift < 64) {
        units = scaled >> shift;
        const uint64_t rest = scaled & ((uint64_t(1) << shift) - 1);
        const uint64_t half = uint64_t(1) << (shift - 1);
        if (rest > half || (rest == half && (units & 1)))
            ++units;
    }  // else below half a unit: zero
    char buffer[32];
    char* end = buffer + sizeof buffer;
    char* at = end;
    uint64_t whole = units / scale;
    uint64_t decimals = units % scale;
    for (int k = 0; k < precision; ++k) {
        *--at = static_cast<char>('0' + decimals % 10);
        decimals /= 10;
    }
    if (precision > 0)
        *--at = '.';
    do {
        *--at = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    if (std::signbit(value))
        *--at = '-';
    appendAscii(out, std::string_view(at, static_cast<std::size_t>(end - at)));
    return true;
}

// "%.Nf", "%.Ne" or "%.Ng" of a finite number without flags or width: std::to_chars writes what
// printf writes in the C locale, without switching the thread's locale. False for anything else.
template <class Out>
bool appendPlainFloat(Out& out, const std::string& directive, char conv, double value)
{
    if (directive.size() < 2 || directive[1] != '.' || !std::isfinite(value))
        return false;
    int precision = 0;
    for (std::size_t k = 2; k < directive.size(); ++k) {
        if (!isDigit(directive[k]) || precision > 100)
            return false;
        precision = precision * 10 + (directive[k] - '0');
    }
    if (conv == 'f' && appendSmallFixed(out, precision, value))
        return true;
    const std::chars_format form = conv == 'f'   ? std::chars_format::fixed
                                   : conv == 'e' ? std::chars_format::scientific
                                   : conv == 'g' ? std::chars_format::general
                                                 : std::chars_format{};
    if (form == std::chars_format{})
        return false;
    char buffer[160];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value, form, precision);
    if (written.ec != std::errc())
        return false;
    appendAscii(out, std::string_view(buffer, static_cast<std::size_t>(written.ptr - buffer)));
    return true;
}

// The formatter of both public entry points, over a UTF-8 or a UTF-16 format into the same kind of
// text. The UTF-16 one never converts its format or its texts: messages are mostly plain text.
template <class Char>
std::basic_string<Char> formatAs(std::basic_string_view<Char> fmt, std::initializer_list<FormatArg> args)
{
    std::basic_string<Char> out;
    out.reserve(fmt.size() + 16);
    auto next = args.begin();
    auto take = [&]() -> const FormatArg* { return next == args.end() ? nullptr : &*next++; };
    auto at = [&](std::size_t k) { return asciiOf(fmt[k]); };

    std::size_t i = 0;
    while (i < fmt.size()) {
        std::size_t literalEnd = fmt.find(Char('%'), i);
        if (literalEnd == std::basic_string_view<Char>::npos)
            literalEnd = fmt.size();
        if (literalEnd > i) {
            appendLiteral(out, fmt.substr(i, literalEnd - i));
            i = literalEnd;
            continue;
        }
        if (i + 1 < fmt.size() && at(i + 1) == '%') {
            out.push_back(Char('%'));
            i += 2;
            continue;
        }
        // Parse "%[flags][width][.precision]conv" into a narrow directive for printf.
        std::string directive = "%";
        std::size_t j = i + 1;
        while (j < fmt.size() && isFlag(at(j)))
            directive.push_back(at(j++));
        if (j < fmt.size() && at(j) == '*') {
            const FormatArg* w = take();
            directive += std::to_string(w ? static_cast<int>(w->asInt()) : 0);
            ++j;
        } else {
            while (j < fmt.size() && isDigit(at(j)))
                directive.push_back(at(j++));
        }
        if (j < fmt.size() && at(j) == '.') {
            directive.push_back(at(j++));
            if (j < fmt.size() && at(j) == '*') {
                const FormatArg* p = take();
                directive += std::to_string(p ? static_cast<int>(p->asInt()) : 0);
                ++j;
            } else {
                while (j < fmt.size() && isDigit(at(j)))
                    directive.push_back(at(j++));
            }
        }
        // Length modifiers carry no meaning here: arguments are typed.
        while (j < fmt.size() && (at(j) == 'l' || at(j) == 'h' || at(j) == 'z' || at(j) == 'j' || at(j) == 't' ||
                                  at(j) == 'L' || at(j) == 'I' || isDigit(at(j))))
            ++j;
        if (j >= fmt.size()) {
            appendLiteral(out, fmt.substr(i));
            break;
        }
        const char conv = at(j);
        i = j + 1;
        static constexpr std::string_view known = "diuxXocfFeEgGaAsS";
        if (known.find(conv) == std::string_view::npos) {
            // Unknown conversion: keep the text as written, consume nothing. Its character
            // (whole, even when it takes two UTF-16 units) is read again as literal text.
            appendAscii(out, directive);
            if (conv == '%')
                out.push_back(Char('%'));
            else
                i = j;
            continue;
        }
        const FormatArg* arg = take();
        if (!arg)
            continue;
        switch (conv) {
        case 'd':
        case 'i':
            if (directive.size() == 1)
                appendPlainInteger(out, arg->asInt());
            else
                appendAscii(out, printfC((directive + "lld").c_str(), arg->asInt()));
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            appendAscii(out, printfC((directive + "ll" + conv).c_str(), arg->asUInt()));
            break;
        case 'c': {
            char32_t cp = static_cast<char32_t>(arg->asUInt());
            std::u16string one;
            if (cp > 0xFFFF) {
                cp -= 0x10000;
                one.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
                one.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
            } else {
                one.push_back(static_cast<char16_t>(cp));
            }
            appendUtf16(out, one);
            break;
        }
        case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
            if (!appendPlainFloat(out, directive, conv, arg->asDouble()))
                appendAscii(out, printfC((directive + conv).c_str(), arg->asDouble()));
            break;
        case 's':
        case 'S': {
            if (directive.size() == 1) {
                if (arg->kind() == FormatArg::Kind::Text16)
                    appendUtf16(out, arg->text16());
                else if (arg->kind() == FormatArg::Kind::Text8)
                    appendUtf8(out, arg->text8());
                else
                    appendUtf16(out, textArgument16(*arg));
                break;
            }
            std::u16string wide = textArgument16(*arg);
            const bool left = directive.find('-') != std::string::npos;
            const std::size_t dot = directive.find('.');
            const std::string widthPart = directive.substr(1, dot == std::string::npos ? std::string::npos : dot - 1);
            std::size_t width = 0;
            for (char d : widthPart)
                if (isDigit(d))
                    width = width * 10 + static_cast<std::size_t>(d - '0');
            if (dot != std::string::npos) {
                const std::size_t precision = static_cast<std::size_t>(std::atoi(directive.c_str() + dot + 1));
                if (wide.size() > precision)
                    wide.resize(precision);
            }
            if (wide.size() < width) {
                std::u16string pad(width - wide.size(), u' ');
                wide = left ? wide + pad : pad + wide;
            }
            appendUtf16(out, wide);
            break;
        }
        default:
            break;
        }
    }
    return out;
}

} // namespace

std::string format8(std::string_view fmt, std::initializer_list<FormatArg> args)
{
    return formatAs<char>(fmt, args);
}

std::u16string format(std::u16string_view fmt, std::initializer_list<FormatArg> args)
{
    return formatAs<char16_t>(fmt, args);
}

std::string formatNumberC(const char* directive, double value)
{
    return printfC(directive, value);
}

void appendFormatText(std::u16string& out, std::u16string_view text)
{
    appendUtf16(out, text);
}

void appendFixed(std::u16string& out, double value, int decimals)
{
    if (decimals >= 0 && std::isfinite(value) && appendSmallFixed(out, decimals, value))
        return;
    const std::string directive = "%." + std::to_string(decimals);
    if (!appendPlainFloat(out, directive, 'f', value))
        appendAscii(out, printfC((directive + 'f').c_str(), value));
}

} // namespace platform
