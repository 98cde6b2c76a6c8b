// Any bytes as minihost's profile file must read without harm, and every value read must survive a
// write and a second reading unchanged.
#include "ProfileStore.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <unistd.h>

namespace {

QString scratchFile(const char* name)
{
    static const std::string folder = [] {
        std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/vexol_fuzz_XXXXXX");
        return std::string(mkdtemp(pattern.data()) ? pattern : "/tmp");
    }();
    return QString::fromStdString(folder + "/" + name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = scratchFile("profile.txt");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    ProfileStore first(path);
    // The keys the plug-in reads, and whatever key the input's first line names.
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString firstLine = QString::fromUtf8(bytes.left(bytes.indexOf('\n') < 0 ? bytes.size() : bytes.indexOf('\n')));
    const QString keys[] = {QStringLiteral("plugins\\vexol\\Settings/unitMode"),
                            QStringLiteral("plugins\\vexol\\Settings/devControl"), firstLine.section(u'\t', 0, -2)};
    int values[3] = {};
    bool found[3] = {};
    for (int i = 0; i < 3; ++i)
        found[i] = first.getInt(keys[i], &values[i]);
    // Writing the profile back (as setting any value does) must keep every value it read.
    const QString copy = scratchFile("copy.txt");
    QFile::remove(copy);
    QFile::copy(path, copy);
    ProfileStore rewritten(copy);
    if (!rewritten.setInt(QStringLiteral("fuzz/marker"), 1))
        return 0;
    ProfileStore reread(copy);
    for (int i = 0; i < 3; ++i) {
        int value = 0;
        if (found[i] && (!reread.getInt(keys[i], &value) || value != values[i]))
            __builtin_trap();
    }
    return 0;
}
