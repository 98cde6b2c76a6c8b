#include "engine/ComponentTable.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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

bool readFile(std::u16string_view path, ComponentList& components)
{
    std::FILE* file = std::fopen(platform::nativePath(path).c_str(), "rb");
    if (!file)
        return false;
    LineReader reader(components);
    bool ok = true;
    try {
        char buffer[65536];
        for (;;) {
            std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
            if (n > 0)
                reader.feed(std::string_view(buffer, n));
            if (n < sizeof buffer) {
                if (std::ferror(file))
                    ok = false;
                break;
            }
        }
        if (ok)
            reader.finish();
    } catch (...) {
        ok = false;
    }
    std::fclose(file);
    return ok;
}

// A name field must survive the trip through the file: representable in code page 1251, and no
// line break (which would split the component over two lines).
bool checkNameField(std::u16string_view text, int index, const Component& component, bool inAltName,
                    ComponentTableSaveError* error)
{
    char32_t refused = 0;
    std::size_t lineBreak = text.find_first_of(u"\r\n");
    if (lineBreak != std::u16string_view::npos) {
        refused = text[lineBreak];
    } else {
        std::string encoded;
        auto refusal = platform::utf16ToCp1251(text, encoded);
        if (!refusal)
            return true;
        refused = refusal->character;
    }
    if (error) {
        error->kind = ComponentTableSaveError::Kind::Unrepresentable;
        error->componentIndex = index;
        error->componentName = component.name;
        error->inAltName = inAltName;
        error->character = refused;
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

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

mode_t modeForNewFile(const std::string& target)
{
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        return old.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncFolder(const std::string& target)
{
    // The rename is durable only once the folder's entry is on disk as well.
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes the bytes to a temporary file beside the target and renames it over the target. On any
// failure the temporary file is removed and the target stays as it was.
bool replaceFile(const std::string& target, const std::string& bytes, int& systemError)
{
    std::string tempName = target + ".XXXXXX";
    int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        systemError = errno;
        return false;
    }
    bool ok = ::fchmod(fd, modeForNewFile(target)) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (!ok)
        systemError = errno;
    if (::close(fd) != 0 && ok) {
        systemError = errno;
        ok = false;
    }
    if (ok && ::rename(tempName.c_str(), target.c_str()) != 0) {
        systemError = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(tempName.c_str());
        return false;
    }
    syncFolder(target);
    return true;
}

} // namespace

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

bool ComponentTable::loadFrom(std::u16string_view path, ComponentList& components)
{
    components.clear();
    if (path.empty() || !platform::fileExists(path))
        return false;
    return readFile(path, components);
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
        int systemError = 0;
        if (!replaceFile(platform::nativePath(path), bytes, systemError)) {
            report->kind = ComponentTableSaveError::Kind::WriteFailed;
            report->systemError = systemError;
            return false;
        }
        return true;
    } catch (...) {
        report->kind = ComponentTableSaveError::Kind::WriteFailed;
        return false;
    }
}
