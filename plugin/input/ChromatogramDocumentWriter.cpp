#include "input/ChromatogramDocumentWriter.h"

#include "input/XmlValue.h"
#include "platform/Text.h"

namespace {

void addValue(pugi::xml_node parent, const char* name, const char* value)
{
    parent.append_child(name).append_attribute("value").set_value(value);
}

void addText(pugi::xml_node parent, const char* name, const std::u16string& text)
{
    addValue(parent, name, platform::utf16ToUtf8(text).c_str());
}

void addDouble(pugi::xml_node parent, const char* name, double value)
{
    addValue(parent, name, xmlvalue::fromDouble(value).c_str());
}

void addInt(pugi::xml_node parent, const char* name, int64_t value)
{
    addValue(parent, name, xmlvalue::fromInt64(value).c_str());
}

void addBool(pugi::xml_node parent, const char* name, bool value)
{
    addValue(parent, name, xmlvalue::fromBool(value));
}

void writeColumn(pugi::xml_node passport, const ColumnDescription& c)
{
    pugi::xml_node column = passport.append_child("column");
    addInt(column, "channel", c.channel);
    addText(column, "name", c.name);
    addText(column, "brand", c.brand);
    addInt(column, "type", c.type);
    addDouble(column, "diameter", c.diameter);
    addDouble(column, "length", c.length);
    addText(column, "carrier", c.carrier);
    addText(column, "phase", c.phase);
    addDouble(column, "percent", c.percent);
    addInt(column, "unit", c.unit);
    addDouble(column, "fraction0", c.fraction0);
    addDouble(column, "fraction1", c.fraction1);
    addDouble(column, "film", c.film);
    addText(column, "part", c.part);
    addText(column, "serial", c.serial);
}

void writePassport(pugi::xml_node root, const Passport& p)
{
    pugi::xml_node passport = root.append_child("passport");
    passport.append_attribute("version").set_value("1");
    addText(passport, "assayid", p.assayid);
    addText(passport, "series", p.series);
    addInt(passport, "andate", p.andate);
    addDouble(passport, "duration", p.duration);
    addText(passport, "sample", p.sample);
    addText(passport, "method", p.method);
    addBool(passport, "graduation", p.graduation);
    addInt(passport, "date", p.date);
    addBool(passport, "defect", p.defect);
    addText(passport, "mixture", p.mixture);
    for (const ColumnDescription& column : p.columns)
        writeColumn(passport, column);
    for (const PassportParameter& parameter : p.parameters) {
        pugi::xml_node element = passport.append_child(platform::utf16ToUtf8(parameter.name).c_str());
        element.append_attribute("title").set_value(platform::utf16ToUtf8(parameter.title).c_str());
        element.append_attribute("value").set_value(platform::utf16ToUtf8(parameter.value).c_str());
    }
}

void writePeak(pugi::xml_node table, const Peak& peak)
{
    pugi::xml_node item = table.append_child("item");
    addDouble(item, "front", peak.front);
    addDouble(item, "back", peak.back);
    addDouble(item, "time", peak.time);
    addDouble(item, "area", peak.area);
    addDouble(item, "height", peak.height);
    addDouble(item, "concent", peak.concent);
    addText(item, "name", peak.name);
    addBool(item, "reference", peak.reference);
    addInt(item, "left", peak.left);
    addInt(item, "right", peak.right);
    addValue(item, "flags", xmlvalue::fromUInt32(peak.flags).c_str());
    addDouble(item, "front_base_height", peak.front_base_height);
    addDouble(item, "back_base_height", peak.back_base_height);
    addDouble(item, "index", peak.index);
}

void writeChannels(pugi::xml_node root, const std::vector<Channel>& channels)
{
    pugi::xml_node element = root.append_child("channels");
    element.append_attribute("version").set_value("1");
    for (const Channel& channel : channels) {
        pugi::xml_node entry = element.append_child("channel");
        addInt(entry, "number", channel.number);
        pugi::xml_node table = entry.append_child("table");
        for (const Peak& peak : channel.peaks)
            writePeak(table, peak);
    }
}

} // namespace

void writeDocument(pugi::xml_document& document, const Passport& passport, const std::vector<Channel>& channels)
{
    document.reset();
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("utf-8");
    pugi::xml_node root = document.append_child("root");
    root.append_attribute("version").set_value("1");
    writePassport(root, passport);
    writeChannels(root, channels);
}
