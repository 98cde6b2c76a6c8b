#include "input/LikeMatcher.h"

#include "input/UnicodeTextMapping.h"

#include <vector>

namespace likematcher {

namespace {

enum class TokenKind { Literal, AnyOne, AnyRun };

struct Token {
    TokenKind kind;
    char16_t key;  // comparison key of a literal
};

// Escapes are resolved first, so that matching sees only three kinds of token.
bool tokenize(std::u16string_view pattern, std::optional<char16_t> escape, std::vector<Token>& tokens)
{
    tokens.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char16_t unit = pattern[i];
        if (escape && unit == *escape) {
            if (++i == pattern.size())
                return false;
            tokens.push_back({TokenKind::Literal, unicodetext::comparisonKey(pattern[i])});
        } else if (unit == u'%') {
            if (tokens.empty() || tokens.back().kind != TokenKind::AnyRun)
                tokens.push_back({TokenKind::AnyRun, 0});
        } else if (unit == u'_') {
            tokens.push_back({TokenKind::AnyOne, 0});
        } else {
            tokens.push_back({TokenKind::Literal, unicodetext::comparisonKey(unit)});
        }
    }
    return true;
}

} // namespace

bool matches(std::u16string_view pattern, std::u16string_view text, std::optional<char16_t> escape)
{
    std::vector<Token> tokens;
    if (!tokenize(pattern, escape, tokens))
        return false;

    // Greedy matching that returns to the last "%" on a mismatch: the text position that "%"
    // resumes from only moves forward, so the work stays bounded by pattern × text.
    std::size_t p = 0, t = 0;
    std::size_t starToken = SIZE_MAX, starText = 0;
    while (t < text.size()) {
        if (p < tokens.size() && tokens[p].kind == TokenKind::AnyRun) {
            starToken = p++;
            starText = t;
        } else if (p < tokens.size()
                   && (tokens[p].kind == TokenKind::AnyOne
                       || tokens[p].key == unicodetext::comparisonKey(text[t]))) {
            ++p;
            ++t;
        } else if (starToken != SIZE_MAX) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < tokens.size() && tokens[p].kind == TokenKind::AnyRun)
        ++p;
    return p == tokens.size();
}

} // namespace likematcher
