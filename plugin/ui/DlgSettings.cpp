#include "ui/DlgSettings.h"

#include "host/SettingsStore.h"
#include "platform/qt/MessageBoxes.h"
#include "ui/DialogBuilder.h"
#include "ui/ResourceIcons.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace ui {

namespace {
constexpr char16_t kSection[] = u"Settings";
constexpr int kIconId = 114;
constexpr int kSaveButton = 1;
constexpr int kCancelButton = 2;
} // namespace

DlgSettings::DlgSettings(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgSettings"));
    if (const resources::DialogTemplate* dialog = dialogTemplate(kTemplateId))
        DialogBuilder(*dialog).build(this);
    setWindowIcon(moduleIcon(kIconId));

    readSettings();
    showMembers();

    if (auto* check = findControlAs<QCheckBox>(this, kDevControl))
        connect(check, &QCheckBox::clicked, this, [this](bool checked) { devControl_ = checked; });
    if (auto* button = findControlAs<QPushButton>(this, kSaveButton))
        connect(button, &QPushButton::clicked, this, [this] { save(); });
    if (auto* button = findControlAs<QPushButton>(this, kCancelButton))
        connect(button, &QPushButton::clicked, this, &QDialog::reject);
}

void DlgSettings::readSettings()
{
    unitMode_ = host::profileGetInt(kSection, u"unitMode", 0);
    devControl_ = host::profileGetInt(kSection, u"devControl", 0) != 0;
    hideNotFound_ = host::profileGetInt(kSection, u"hideNotFound", 0) != 0;
}

void DlgSettings::showMembers()
{
    // A stored unit other than 0 and 1 marks neither choice. The buttons start unmarked, and
    // an exclusive group cannot unmark its marked button, so only a match is marked here.
    if (auto* percent = findControlAs<QRadioButton>(this, kPercent); percent && unitMode_ == 0)
        percent->setChecked(true);
    if (auto* minutes = findControlAs<QRadioButton>(this, kMinutes); minutes && unitMode_ == 1)
        minutes->setChecked(true);
    if (auto* check = findControlAs<QCheckBox>(this, kDevControl))
        check->setChecked(devControl_);
    if (auto* check = findControlAs<QCheckBox>(this, kHideNotFound))
        check->setChecked(hideNotFound_);
}

void DlgSettings::takeControls()
{
    const auto* percent = findControlAs<QRadioButton>(this, kPercent);
    const auto* minutes = findControlAs<QRadioButton>(this, kMinutes);
    if (percent && percent->isChecked())
        unitMode_ = 0;
    else if (minutes && minutes->isChecked())
        unitMode_ = 1;
    else
        unitMode_ = -1;
    if (const auto* check = findControlAs<QCheckBox>(this, kDevControl))
        devControl_ = check->isChecked();
    if (const auto* check = findControlAs<QCheckBox>(this, kHideNotFound))
        hideNotFound_ = check->isChecked();
}

void DlgSettings::save()
{
    // A slot: nothing may escape into the event loop. A failure is told, and the dialog still
    // closes the way "Сохранить" does; the calculation then reads whatever the profile holds.
    try {
        takeControls();
        host::profileSetInt(kSection, u"unitMode", unitMode_);
        host::profileSetInt(kSection, u"devControl", devControl_ ? 1 : 0);
        host::profileSetInt(kSection, u"hideNotFound", hideNotFound_ ? 1 : 0);
    } catch (const std::exception&) {
        // Memory, or the host's profile refusing a value: the analyst learns that the settings
        // were not saved.
        try {
            platform::messageBoxes().show(this, QStringLiteral("Не удалось сохранить настройки."),
                                          QStringLiteral("Dvinar"), platform::MessageBoxIcon::Warning,
                                          platform::MessageBoxButtons::Ok);
        } catch (const std::exception&) {
            // Not even the message box could be made (memory): the dialog closes all the same.
        }
    }
    accept();
}

} // namespace ui
