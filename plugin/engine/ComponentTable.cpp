#include "engine/ComponentTable.h"

#include <cerrno>
#include <exception>
#include <string>

#include "platform/FileSeam.h"
#include "platform/Format.h"
#include "platform/NumberParse.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace {

constexpr std::u16string_view headerLine =
    u"№;Имя;Альт.имя;Канал1_tR;Канал1_окно;Канал2_tR;Канал2_окно;ОснКанал;Отклонение";
constexpr std::size_t fieldCount = 9;

std::vector<std::u16string_view> splitFields(std::u16string_view line)
{
    std::vector<std::u16string_view> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t at = line.find(u';', start);
        if (at == std::u16string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, at - start));
        start = at + 1;
    }
}

// One data line (without its line end) in the file's code page; appends its component, if any.
void readDataLine(std::string_view bytes, ComponentList& components)
{
    const std::u16string line = platform::cp1251ToUtf16(bytes);
    if (platform::trimWhite(line).empty())
        return;
    const auto fields = splitFields(line);
    if (fields.size() < fieldCount)
        return;
    Component c;
    c.number = platform::parseIntLoose(fields[0]);
    c.name = std::u16string(fields[1]);
    c.altName = std::u16string(fields[2]);
    c.time1 = platform::parseDecimalCommaOrPoint(fields[3]);
    c.window1 = platform::parseDecimalCommaOrPoint(fields[4]);
    c.time2 = platform::parseDecimalCommaOrPoint(fields[5]);
    c.window2 = platform::parseDecimalCommaOrPoint(fields[6]);
    c.mainChannel = platform::parseIntLoose(fields[7]);
    c.deviation = platform::parseDecimalCommaOrPoint(fields[8]);
    components.push_back(std::move(c));
}

// Splits text into lines at LF; a CR before the LF belongs to the line end. Complete lines are
// handed on as they arrive, so that a read error still leaves every line read before it.
class LineReader {
public:
    explicit LineReader(ComponentList& components) : components_(components) {}

    void feed(std::string_view chunk)
    {
        pending_.append(chunk);
        std::size_t start = 0;
        for (;;) {
            std::size_t at = pending_.find('\n', start);
            if (at == std::string::npos)
                break;
            line(std::string_view(pending_).substr(start, at - start));
            start = at + 1;
        }
        pending_.erase(0, start);
    }

    void finish()
    {
        if (!pending_.empty())
            line(pending_);
        pending_.clear();
    }

private:
    void line(std::string_view text)
    {
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        if (firstLine_) {
            firstLine_ = false;  // the header, whatever it holds
            return;
        }
        readDataLine(text, components_);
    }

    ComponentList& components_;
    std::string pending_;
    bool firstLine_ = true;
};

bool readFile(std::u16string_view path, ComponentList& components, platform::FileError& error)
{
    // Through the seam: a FIFO or a device given as the table is refused instead of hanging.
    std::string bytes;
    if (!platform::readRegularFile(path, bytes, error))
        return false;
    LineReader reader(components);
    reader.feed(bytes);
    reader.finish();
    return true;
}

bool checkNameField(std::u16string_view text, int index, const Component& component, bool inAltName,
                    ComponentTableSaveError* error)
{
    const std::optional<char32_t> refused = refusedNameCharacter(text);
    if (!refused)
        return true;
    if (error) {
        error->kind = ComponentTableSaveError::Kind::Unrepresentable;
        error->componentIndex = index;
        error->componentName = component.name;
        error->inAltName = inAltName;
        error->character = *refused;
    }
    return false;
}

std::string encodeLine(std::u16string_view line)
{
    std::string bytes;
    platform::utf16ToCp1251(line, bytes);  // checked beforehand: every character is representable
    bytes += "\r\n";
    return bytes;
}

} // namespace

std::optional<char32_t> refusedNameCharacter(std::u16string_view text)
{
    // Fields are neither quoted nor escaped: a separator would shift every later field of the line
    // on the next reading, a line break would split the component, and other control characters
    // are no part of a name the analyst can see or type.
    for (char16_t unit : text)
        if (unit == u';' || unit < 0x20 || unit == 0x7F || (unit >= 0x80 && unit <= 0x9F))
            return unit;
    std::string encoded;
    if (auto refusal = platform::utf16ToCp1251(text, encoded))
        return refusal->character;
    return std::nullopt;
}

std::u16string componentTablePath()
{
    std::u16string folder = platform::publicDocumentsFolder();
    if (folder.empty())
        return {};
    return folder + u"/Vantrel4/vexol/CompsTableVexol.csv";
}

bool ComponentTable::load(ComponentList& components)
{
    return loadFrom(componentTablePath(), components);
}

bool ComponentTable::loadFrom(std::u16string_view path, ComponentList& components, platform::FileError* error)
{
    components.clear();
    platform::FileError localError;
    platform::FileError& report = error ? *error : localError;
    report = platform::FileError();
    try {
        if (!readFile(path, components, report)) {
            components.clear();
            return false;
        }
        return true;
    } catch (const std::exception&) {  // memory for a huge table
        components.clear();
        report.code = ENOMEM;
        report.path = std::u16string(path);
        report.message = u"Cannot read \"" + report.path + u"\": out of memory";
        return false;
    }
}

bool ComponentTable::save(std::u16string_view path, const ComponentList& components,
                          ComponentTableSaveError* error)
{
    ComponentTableSaveError localError;
    ComponentTableSaveError* report = error ? error : &localError;
    *report = ComponentTableSaveError();
    if (path.empty()) {
        report->kind = ComponentTableSaveError::Kind::NoPath;
        return false;
    }
    try {
        // Everything is checked and encoded before the file is touched.
        std::string bytes = encodeLine(headerLine);
        for (std::size_t i = 0; i < components.size(); ++i) {
            const Component& c = components[i];
            if (!checkNameField(c.name, static_cast<int>(i), c, false, report)
                || !checkNameField(c.altName, static_cast<int>(i), c, true, report))
                return false;
            bytes += encodeLine(platform::format(u"%d;%s;%s;%.3f;%.2f;%.3f;%.2f;%d;%.2f",
                                                 {c.number, c.name, c.altName, c.time1, c.window1,
                                                  c.time2, c.window2, c.mainChannel, c.deviation}));
        }
        platform::FileError fileError;
        if (!platform::writeFileAtomically(path, bytes, fileError)) {
            report->kind = ComponentTableSaveError::Kind::WriteFailed;
            report->systemError = fileError.code;
            report->message = fileError.message;
            return false;
        }
        return true;
    } catch (const std::exception&) {  // memory while encoding a huge table; nothing was written
        report->kind = ComponentTableSaveError::Kind::WriteFailed;
        report->systemError = ENOMEM;
        return false;
    }
}
