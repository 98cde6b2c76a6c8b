#include "platform/Format.h"

#include "platform/Text.h"

#include <clocale>
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

// Formats into UTF-8; both public entry points share it.
std::string formatUtf8(std::string_view fmt, std::initializer_list<FormatArg> args)
{
    std::string out;
    auto next = args.begin();
    auto take = [&]() -> const FormatArg* { return next == args.end() ? nullptr : &*next++; };

    std::size_t i = 0;
    while (i < fmt.size()) {
        char c = fmt[i];
        if (c != '%') {
            out.push_back(c);
            ++i;
            continue;
        }
        if (i + 1 < fmt.size() && fmt[i + 1] == '%') {
            out.push_back('%');
            i += 2;
            continue;
        }
        // Parse "%[flags][width][.precision]conv" into a narrow directive for printf.
        std::string directive = "%";
        std::size_t j = i + 1;
        while (j < fmt.size() && isFlag(fmt[j]))
            directive.push_back(fmt[j++]);
        if (j < fmt.size() && fmt[j] == '*') {
            const FormatArg* w = take();
            directive += std::to_string(w ? static_cast<int>(w->asInt()) : 0);
            ++j;
        } else {
            while (j < fmt.size() && isDigit(fmt[j]))
                directive.push_back(fmt[j++]);
        }
        if (j < fmt.size() && fmt[j] == '.') {
            directive.push_back(fmt[j++]);
            if (j < fmt.size() && fmt[j] == '*') {
                const FormatArg* p = take();
                directive += std::to_string(p ? static_cast<int>(p->asInt()) : 0);
                ++j;
            } else {
                while (j < fmt.size() && isDigit(fmt[j]))
                    directive.push_back(fmt[j++]);
            }
        }
        // Length modifiers carry no meaning here: arguments are typed.
        while (j < fmt.size() && (fmt[j] == 'l' || fmt[j] == 'h' || fmt[j] == 'z' || fmt[j] == 'j' ||
                                  fmt[j] == 't' || fmt[j] == 'L' || fmt[j] == 'I' || isDigit(fmt[j])))
            ++j;
        if (j >= fmt.size()) {
            out.append(fmt.substr(i));
            break;
        }
        char conv = fmt[j];
        i = j + 1;
        static constexpr std::string_view known = "diuxXocfFeEgGaAsS";
        if (known.find(conv) == std::string_view::npos) {
            // Unknown conversion: keep the text as written, consume nothing.
            out += directive;
            out.push_back(conv);
            continue;
        }
        const FormatArg* arg = take();
        if (!arg)
            continue;
        switch (conv) {
        case 'd':
        case 'i':
            out += printfC((directive + "lld").c_str(), arg->asInt());
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            out += printfC((directive + "ll" + conv).c_str(), arg->asUInt());
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
            out += utf16ToUtf8(one);
            break;
        }
        case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
            out += printfC((directive + conv).c_str(), arg->asDouble());
            break;
        case 's':
        case 'S': {
            std::string text;
            if (arg->kind() == FormatArg::Kind::Text16)
                text = utf16ToUtf8(arg->text16());
            else if (arg->kind() == FormatArg::Kind::Text8)
                text = std::string(arg->text8());
            else if (arg->kind() == FormatArg::Kind::Double)
                text = printfC("%g", arg->asDouble());
            else
                text = printfC("%lld", arg->asInt());
            // Width and precision count characters of the UTF-16 text, as the wide printf does.
            if (directive.size() > 1) {
                std::u16string wide = utf8ToUtf16(text);
                bool left = directive.find('-') != std::string::npos;
                std::size_t dot = directive.find('.');
                std::string widthPart = directive.substr(1, dot == std::string::npos ? std::string::npos : dot - 1);
                std::size_t width = 0;
                for (char d : widthPart)
                    if (isDigit(d))
                        width = width * 10 + static_cast<std::size_t>(d - '0');
                if (dot != std::string::npos) {
                    std::size_t precision = static_cast<std::size_t>(std::atoi(directive.c_str() + dot + 1));
                    if (wide.size() > precision)
                        wide.resize(precision);
                }
                if (wide.size() < width) {
                    std::u16string pad(width - wide.size(), u' ');
                    wide = left ? wide + pad : pad + wide;
                }
                text = utf16ToUtf8(wide);
            }
            out += text;
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
    return formatUtf8(fmt, args);
}

std::u16string format(std::u16string_view fmt, std::initializer_list<FormatArg> args)
{
    return utf8ToUtf16(formatUtf8(utf16ToUtf8(fmt), args));
}

std::string formatNumberC(const char* directive, double value)
{
    return printfC(directive, value);
}

} // namespace platform
