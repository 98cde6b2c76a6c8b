#include "input/ChromatogramDocumentReader.h"

#include "input/XmlValue.h"
#include "platform/Text.h"

#include <cstring>

namespace {

const char* valueOf(const pugi::xml_node& element)
{
    pugi::xml_attribute value = element.attribute("value");
    return value ? value.value() : nullptr;
}

std::u16string textOf(const char* text)
{
    return text ? platform::utf8ToUtf16(text) : std::u16string();
}

bool named(const pugi::xml_node& element, const char* name)
{
    return std::strcmp(element.name(), name) == 0;
}

// A column or peak entry is taken from the first child of its name, as a lookup by name finds it.
ColumnDescription readColumn(const pugi::xml_node& column)
{
    ColumnDescription c;
    c.channel = xmlvalue::toInt32(valueOf(column.child("channel")));
    c.name = textOf(valueOf(column.child("name")));
    c.brand = textOf(valueOf(column.child("brand")));
    c.type = xmlvalue::toInt32(valueOf(column.child("type")));
    c.diameter = xmlvalue::toDouble(valueOf(column.child("diameter")));
    c.length = xmlvalue::toDouble(valueOf(column.child("length")));
    c.carrier = textOf(valueOf(column.child("carrier")));
    c.phase = textOf(valueOf(column.child("phase")));
    c.percent = xmlvalue::toDouble(valueOf(column.child("percent")));
    c.unit = xmlvalue::toInt32(valueOf(column.child("unit")));
    c.fraction0 = xmlvalue::toDouble(valueOf(column.child("fraction0")));
    c.fraction1 = xmlvalue::toDouble(valueOf(column.child("fraction1")));
    c.film = xmlvalue::toDouble(valueOf(column.child("film")));
    c.part = textOf(valueOf(column.child("part")));
    c.serial = textOf(valueOf(column.child("serial")));
    return c;
}

enum PeakEntry {
    Front, Back, Time, Area, Height, Concent, Name, Reference, Left, Right, Flags,
    FrontBaseHeight, BackBaseHeight, Index, PeakEntryCount
};

const char* const peakEntryNames[PeakEntryCount] = {
    "front", "back", "time", "area", "height", "concent", "name", "reference", "left", "right",
    "flags", "front_base_height", "back_base_height", "index"};

int peakEntryOf(const char* name)
{
    for (int i = 0; i < PeakEntryCount; ++i)
        if (std::strcmp(name, peakEntryNames[i]) == 0)
            return i;
    return -1;
}

// One pass over the item's children instead of fourteen lookups: a file carries thousands of items.
// Entries normally come in the order the writer uses, so the expected name is tried first.
Peak readPeak(const pugi::xml_node& item)
{
    Peak peak;
    unsigned seen = 0;
    int expected = 0;
    for (pugi::xml_node entry = item.first_child(); entry; entry = entry.next_sibling()) {
        if (entry.type() != pugi::node_element)
            continue;
        const char* name = entry.name();
        int which = expected < PeakEntryCount && std::strcmp(name, peakEntryNames[expected]) == 0
                        ? expected
                        : peakEntryOf(name);
        expected = which + 1;
        if (which < 0 || (seen & (1u << which)))
            continue;
        seen |= 1u << which;
        const char* value = valueOf(entry);
        switch (which) {
        case Front: peak.front = xmlvalue::toDouble(value); break;
        case Back: peak.back = xmlvalue::toDouble(value); break;
        case Time: peak.time = xmlvalue::toDouble(value); break;
        case Area: peak.area = xmlvalue::toDouble(value); break;
        case Height: peak.height = xmlvalue::toDouble(value); break;
        case Concent: peak.concent = xmlvalue::toDouble(value); break;
        case Name: peak.name = textOf(value); break;
        case Reference: peak.reference = xmlvalue::toBool(value); break;
        case Left: peak.left = value ? xmlvalue::toInt32(value) : -1; break;
        case Right: peak.right = value ? xmlvalue::toInt32(value) : -1; break;
        case Flags: peak.flags = xmlvalue::toUInt32(value); break;
        case FrontBaseHeight: peak.front_base_height = xmlvalue::toDouble(value); break;
        case BackBaseHeight: peak.back_base_height = xmlvalue::toDouble(value); break;
        case Index: peak.index = xmlvalue::toDouble(value); break;
        default: break;
        }
    }
    return peak;
}

} // namespace

void readPassport(const pugi::xml_node& passportElement, Passport& passport)
{
    passport.columns.clear();
    passport.parameters.clear();
    for (pugi::xml_node child = passportElement.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const char* value = valueOf(child);
        if (named(child, "assayid"))
            passport.assayid = textOf(value);
        else if (named(child, "series"))
            passport.series = textOf(value);
        else if (named(child, "andate"))
            passport.andate = xmlvalue::toInt64(value);
        else if (named(child, "duration"))
            passport.duration = xmlvalue::toDouble(value);
        else if (named(child, "sample"))
            passport.sample = textOf(value);
        else if (named(child, "method"))
            passport.method = textOf(value);
        else if (named(child, "graduation"))
            passport.graduation = xmlvalue::toBool(value);
        else if (named(child, "date"))
            passport.date = xmlvalue::toInt64(value);
        else if (named(child, "defect"))
            passport.defect = xmlvalue::toBool(value);
        else if (named(child, "mixture"))
            passport.mixture = textOf(value);
        else if (named(child, "column"))
            passport.columns.push_back(readColumn(child));
        else
            passport.parameters.push_back(PassportParameter{
                textOf(child.name()), textOf(child.attribute("title").value()), textOf(value)});
    }
}

void readChannels(const pugi::xml_node& channelsElement, std::vector<Channel>& channels)
{
    for (pugi::xml_node element = channelsElement.child("channel"); element;
         element = element.next_sibling("channel")) {
        const char* numberText = valueOf(element.child("number"));
        if (!numberText)
            continue;
        int32_t number = xmlvalue::toInt32(numberText);
        if (number < 0)
            continue;
        Channel* target = nullptr;
        for (Channel& channel : channels) {
            if (channel.number == number) {
                target = &channel;
                break;
            }
        }
        if (!target)
            continue;
        target->peaks.clear();
        pugi::xml_node table = element.child("table");
        for (pugi::xml_node item = table.child("item"); item; item = item.next_sibling("item"))
            target->peaks.push_back(readPeak(item));
    }
}
