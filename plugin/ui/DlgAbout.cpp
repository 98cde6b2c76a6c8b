#include "ui/DlgAbout.h"

#include "ui/DialogBuilder.h"
#include "ui/ResourceIcons.h"

#include <QLabel>
#include <QPushButton>

namespace ui {

namespace {
constexpr int kIconId = 114;
constexpr int kOkButton = 1;
} // namespace

DlgAbout::DlgAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgAbout"));
    if (const resources::DialogTemplate* dialog = dialogTemplate(kTemplateId))
        DialogBuilder(*dialog).build(this);
    setWindowIcon(moduleIcon(kIconId));

    // The picture comes from the plug-in's own images, whatever language the texts are in.
    // Like an icon static, the control takes the size of its icon.
    if (auto* picture = findControlAs<QLabel>(this, kPicture)) {
        const QPixmap image = libraryIcon(kIconId).pixmap(QSize(kPictureSize, kPictureSize));
        picture->setPixmap(image);
        picture->resize(kPictureSize, kPictureSize);
    }
    if (auto* button = findControlAs<QPushButton>(this, kOkButton))
        connect(button, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace ui
