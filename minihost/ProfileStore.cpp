#include "ProfileStore.h"

#include "platform/FileSeam.h"

#include <QStringList>

#include <string>

// One entry a line: the key, a tab, the decimal value. Lines that do not parse are dropped, so a
// garbled file reads as a profile holding the lines that were sound.
ProfileStore::ProfileStore(QString filePath) : filePath_(std::move(filePath))
{
    read();
}

void ProfileStore::read()
{
    if (filePath_.isEmpty())
        return;
    // A profile that is no regular file (a FIFO, a folder) reads as empty and never hangs the host.
    std::string bytes;
    platform::FileError error;
    if (!platform::readRegularFile(filePath_.toStdU16String(), bytes, error))
        return;
    const QList<QByteArray> lines = QByteArray::fromStdString(bytes).split('\n');
    for (const QByteArray& raw : lines) {
        QString line = QString::fromUtf8(raw);
        if (line.endsWith(u'\r'))
            line.chop(1);
        int tab = line.lastIndexOf(u'\t');
        if (tab <= 0)
            continue;
        bool ok = false;
        int value = line.mid(tab + 1).toInt(&ok);
        if (ok)
            values_.insert(line.left(tab), value);
    }
}

bool ProfileStore::write() const
{
    if (filePath_.isEmpty())
        return false;
    QStringList keys = values_.keys();
    keys.sort();
    QByteArray out;
    for (const QString& key : keys)
        out += key.toUtf8() + '\t' + QByteArray::number(values_.value(key)) + '\n';
    // Whole or not at all: a full disk or a killed host leaves the previous profile as it was.
    platform::FileError error;
    return platform::writeFileAtomically(filePath_.toStdU16String(), std::string_view(out.constData(), std::size_t(out.size())),
                                         error);
}

bool ProfileStore::getInt(const QString& key, int* value) const
{
    auto it = values_.constFind(key);
    if (it == values_.constEnd())
        return false;
    *value = it.value();
    return true;
}

bool ProfileStore::setInt(const QString& key, int value)
{
    values_.insert(key, value);
    return write();
}
