#include "report/SourceRowDiagnosis.h"

#include "report/LibxmlSession.h"

#include <array>
#include <bit>
#include <memory>

#include <libxml/parser.h>
#include <libxml/tree.h>

namespace {

constexpr std::array<std::u16string_view, 4> listNames = {u"files", u"calibration", u"calculation", u"messages"};

// The list a row at `position` belongs to: the last list element opened before it.
std::string listAt(std::u16string_view text, std::size_t position)
{
    std::size_t best = std::u16string_view::npos;
    std::string name = "?";
    for (std::u16string_view list : listNames) {
        std::u16string opening = u"<";
        opening += list;
        const std::size_t at = text.rfind(opening, position);
        if (at != std::u16string_view::npos && (best == std::u16string_view::npos || at > best)) {
            best = at;
            name.assign(list.begin(), list.end());  // the names are ASCII
        }
    }
    return name;
}

std::string rowReason(std::u16string_view row)
{
    std::u16string copy(row);
    if constexpr (std::endian::native != std::endian::little)
        for (char16_t& unit : copy)
            unit = static_cast<char16_t>((unit >> 8) | (unit << 8));
    LibxmlSession session;
    xmlDocPtr document = xmlReadMemory(reinterpret_cast<const char*>(copy.data()),
                                       static_cast<int>(copy.size() * sizeof(char16_t)), "row.xml", "UTF-16LE",
                                       XML_PARSE_NONET);
    if (document) {
        xmlFreeDoc(document);
        return {};
    }
    std::string reason = session.messagesOr("not well-formed");
    if (const std::size_t lineEnd = reason.find('\n'); lineEnd != std::string::npos)
        reason.resize(lineEnd);
    if (reason.starts_with("row.xml:"))
        reason.erase(0, reason.find(' ') + 1);
    return reason;
}

} // namespace

std::string describeUnreadableRow(std::u16string_view sourceXml)
{
    constexpr std::u16string_view rowOpening = u"<row ";
    std::string currentList;
    int number = 0;
    for (std::size_t at = sourceXml.find(rowOpening); at != std::u16string_view::npos;
         at = sourceXml.find(rowOpening, at + rowOpening.size())) {
        const std::string list = listAt(sourceXml, at);
        number = list == currentList ? number + 1 : 1;
        currentList = list;
        const std::string where = "Row " + std::to_string(number) + " of \"" + list + "\"";
        const std::size_t end = sourceXml.find(u"/>", at);
        if (end == std::u16string_view::npos)
            return where + ": the row is cut short.";
        const std::u16string_view row = sourceXml.substr(at, end + 2 - at);
        if (row.size() > static_cast<std::size_t>(INT32_MAX / 2))
            return where + ": the row is too long.";
        if (std::string reason = rowReason(row); !reason.empty())
            return where + ": " + reason;
    }
    return {};
}
