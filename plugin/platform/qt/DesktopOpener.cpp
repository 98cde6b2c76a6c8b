#include "platform/qt/DesktopOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

namespace {

DesktopOpener& replacement()
{
    static DesktopOpener opener;
    return opener;
}

} // namespace

bool openWithDesktop(const QString& path)
{
    if (replacement())
        return replacement()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void setDesktopOpener(DesktopOpener opener)
{
    replacement() = std::move(opener);
}

} // namespace platform
