#include "engine/MessageList.h"

void MessageList::push_back(std::u16string_view text)
{
    write([text](std::u16string& out) { out.append(text); });
}

void MessageList::clear()
{
    text_.clear();
    ends_.clear();
}

std::vector<std::u16string> MessageList::toStrings() const
{
    std::vector<std::u16string> texts;
    texts.reserve(size());
    for (std::u16string_view text : *this)
        texts.emplace_back(text);
    return texts;
}

bool operator==(const MessageList& list, const std::vector<std::u16string>& texts)
{
    if (list.size() != texts.size())
        return false;
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (list[i] != texts[i])
            return false;
    return true;
}
