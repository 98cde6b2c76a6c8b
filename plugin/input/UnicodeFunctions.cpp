#include "input/UnicodeFunctions.h"

#include "input/LikeMatcher.h"
#include "input/UnicodeTextMapping.h"
#include "platform/Text.h"

#include <sqlite3.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <optional>
#include <string>
#include <string_view>

namespace DataBase {

namespace {

// The same limit SQLite puts on its own LIKE, in bytes of UTF-8.
constexpr int likePatternLimit = 50000;

const char* const unicodeVersion = "5.1.0.12";

// Reads an argument as UTF-16; SQLite converts whatever the value holds.
std::u16string_view textArgument(sqlite3_value* value)
{
    const void* data = sqlite3_value_text16(value);
    int bytes = sqlite3_value_bytes16(value);
    if (!data || bytes <= 0)
        return {};
    return std::u16string_view(static_cast<const char16_t*>(data), static_cast<std::size_t>(bytes) / 2);
}

bool anyNull(int count, sqlite3_value** arguments)
{
    for (int i = 0; i < count; ++i)
        if (sqlite3_value_type(arguments[i]) == SQLITE_NULL)
            return true;
    return false;
}

void resultText(sqlite3_context* context, const std::u16string& text)
{
    sqlite3_result_text16(context, text.data(), static_cast<int>(text.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
}

void unicodeVersionFunction(sqlite3_context* context, int, sqlite3_value**)
{
    sqlite3_result_text(context, unicodeVersion, -1, SQLITE_STATIC);
}

void likeFunction(sqlite3_context* context, int count, sqlite3_value** arguments)
{
    if (anyNull(count, arguments)) {
        sqlite3_result_null(context);
        return;
    }
    // The size is measured before the text is fetched as UTF-16: measuring converts the value.
    if (sqlite3_value_bytes(arguments[0]) > likePatternLimit) {
        sqlite3_result_error(context, "LIKE or GLOB pattern too complex", -1);
        return;
    }
    std::optional<char16_t> escape;
    if (count == 3) {
        std::u16string_view escapeText = textArgument(arguments[2]);
        if (escapeText.size() != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = escapeText[0];
    }
    std::u16string pattern(textArgument(arguments[0]));
    std::u16string_view text = textArgument(arguments[1]);
    sqlite3_result_int(context, likematcher::matches(pattern, text, escape) ? 1 : 0);
}

template <std::u16string (*Mapping)(std::u16string_view)>
void mappingFunction(sqlite3_context* context, int count, sqlite3_value** arguments)
{
    if (anyNull(count, arguments)) {
        sqlite3_result_null(context);
        return;
    }
    resultText(context, Mapping(textArgument(arguments[0])));
}

// SQLite hands UTF-16 text to a collation without any promise of alignment.
char16_t unitAt(const void* data, int index)
{
    char16_t unit;
    std::memcpy(&unit, static_cast<const unsigned char*>(data) + index * 2, sizeof unit);
    return unit;
}

// Walks UTF-8 text as UTF-16 units without allocating: a collation is called from inside SQLite,
// where nothing may throw, and it has no way to report a failure. Invalid sequences read as U+FFFD.
class Utf8Units {
public:
    Utf8Units(const void* data, int length) : text_(static_cast<const uint8_t*>(data)), length_(length) {}

    bool done() const { return pendingLow_ == 0 && at_ >= length_; }
    char16_t next()
    {
        if (pendingLow_ != 0) {
            const char16_t low = pendingLow_;
            pendingLow_ = 0;
            return low;
        }
        UChar32 c;
        U8_NEXT_OR_FFFD(text_, at_, length_, c);
        if (U_IS_BMP(c))
            return static_cast<char16_t>(c);
        pendingLow_ = U16_TRAIL(c);
        return U16_LEAD(c);
    }

private:
    const uint8_t* text_;
    int32_t at_ = 0;
    int32_t length_;
    char16_t pendingLow_ = 0;
};

int compareUtf8Keys(int lengthA, const void* a, int lengthB, const void* b)
{
    Utf8Units unitsA(a, lengthA), unitsB(b, lengthB);
    while (!unitsA.done() && !unitsB.done()) {
        char16_t ka = unicodetext::comparisonKey(unitsA.next());
        char16_t kb = unicodetext::comparisonKey(unitsB.next());
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    return unitsA.done() == unitsB.done() ? 0 : (unitsA.done() ? -1 : 1);
}

int noCaseCollation(void* encoding, int lengthA, const void* a, int lengthB, const void* b) noexcept
{
    if (reinterpret_cast<intptr_t>(encoding) == SQLITE_UTF8)
        return compareUtf8Keys(lengthA, a, lengthB, b);
    int unitsA = lengthA / 2, unitsB = lengthB / 2;
    int common = unitsA < unitsB ? unitsA : unitsB;
    for (int i = 0; i < common; ++i) {
        char16_t ka = unicodetext::comparisonKey(unitAt(a, i));
        char16_t kb = unicodetext::comparisonKey(unitAt(b, i));
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    return unitsA == unitsB ? 0 : (unitsA < unitsB ? -1 : 1);
}

// SQLite is C: no exception may unwind through it. A function that fails gives SQLite an error
// result instead, which fails the statement with the fault's text: memory as SQLITE_NOMEM,
// anything else with its own description.
template <void (*Function)(sqlite3_context*, int, sqlite3_value**)>
void guarded(sqlite3_context* context, int count, sqlite3_value** arguments) noexcept
{
    try {
        Function(context, count, arguments);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(context);
    } catch (const std::exception& failure) {
        sqlite3_result_error(context, failure.what(), -1);
    }
}

struct ScalarFunction {
    const char* name;
    int argumentCount;
    void (*call)(sqlite3_context*, int, sqlite3_value**);
};

const ScalarFunction scalarFunctions[] = {
    {"unicode_version", 0, guarded<unicodeVersionFunction>},
    {"like", 2, guarded<likeFunction>},
    {"like", 3, guarded<likeFunction>},
    {"fold", 1, guarded<mappingFunction<unicodetext::fold>>},
    {"lower", 1, guarded<mappingFunction<unicodetext::lower>>},
    {"upper", 1, guarded<mappingFunction<unicodetext::upper>>},
    {"title", 1, guarded<mappingFunction<unicodetext::title>>},
    {"unaccent", 1, guarded<mappingFunction<unicodetext::unaccent>>},
};

} // namespace

int registerUnicodeFunctions(sqlite3* handle)
{
    // The collation runs inside SQLite and may not fail: its tables are built here, beforehand.
    try {
        unicodetext::prepareTables();
    } catch (const std::bad_alloc&) {
        return SQLITE_NOMEM;
    }
    for (const ScalarFunction& function : scalarFunctions) {
        int result = sqlite3_create_function(handle, function.name, function.argumentCount, SQLITE_ANY, nullptr,
                                             function.call, nullptr, nullptr);
        if (result != SQLITE_OK)
            return result;
    }
    int result = sqlite3_create_collation(handle, "NOCASE", SQLITE_UTF8,
                                          reinterpret_cast<void*>(static_cast<intptr_t>(SQLITE_UTF8)), noCaseCollation);
    if (result != SQLITE_OK)
        return result;
    return sqlite3_create_collation(handle, "NOCASE", SQLITE_UTF16,
                                    reinterpret_cast<void*>(static_cast<intptr_t>(SQLITE_UTF16)), noCaseCollation);
}

} // namespace DataBase
