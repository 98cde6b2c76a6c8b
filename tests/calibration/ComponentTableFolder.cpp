#include "ComponentTableFolder.h"

#include "platform/Text.h"

#include <QDir>
#include <QFileInfo>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

const std::u16string ComponentTableFolder::header =
    u"№;Имя;Альт.имя;Канал1_tR;Канал1_окно;Канал2_tR;Канал2_окно;ОснКанал;Отклонение";

ComponentTableFolder::ComponentTableFolder(bool withInstallFolders)
{
    if (const char* old = std::getenv("VANTREL_PUBLIC_DOCUMENTS")) {
        previous_ = old;
        hadPrevious_ = true;
    }
    ::setenv("VANTREL_PUBLIC_DOCUMENTS", dir_.path().toUtf8().constData(), 1);
    if (withInstallFolders)
        QDir(dir_.path()).mkpath(QStringLiteral("Vantrel4/vexol"));
}

ComponentTableFolder::~ComponentTableFolder()
{
    if (hadPrevious_)
        ::setenv("VANTREL_PUBLIC_DOCUMENTS", previous_.c_str(), 1);
    else
        ::unsetenv("VANTREL_PUBLIC_DOCUMENTS");
}

std::string ComponentTableFolder::tablePath() const
{
    return dir_.path().toStdString() + "/Vantrel4/vexol/CompsTableVexol.csv";
}

std::string ComponentTableFolder::cp1251(std::u16string_view text)
{
    std::string bytes;
    if (platform::utf16ToCp1251(text, bytes))
        throw std::invalid_argument("text outside code page 1251");
    return bytes;
}

void ComponentTableFolder::writeTable(const std::vector<std::u16string>& dataLines) const
{
    std::string bytes = cp1251(header) + "\r\n";
    for (const std::u16string& line : dataLines)
        bytes += cp1251(line) + "\r\n";
    writeBytes(bytes);
}

void ComponentTableFolder::writeBytes(const std::string& bytes) const
{
    std::ofstream out(tablePath(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ComponentTableFolder::readBytes() const
{
    std::ifstream in(tablePath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ComponentTableFolder::tableExists() const
{
    return QFileInfo::exists(QString::fromStdString(tablePath()));
}
