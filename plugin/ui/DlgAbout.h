#pragma once
// The About dialog (template 140): the product's name, version and legal notice beside the
// product icon at 80 x 80 pixels.
#include <QDialog>

namespace ui {

class DlgAbout : public QDialog {
public:
    static constexpr int kTemplateId = 140;
    static constexpr int kPicture = 1028;
    static constexpr int kPictureSize = 80;

    explicit DlgAbout(QWidget* parent = nullptr);
};

} // namespace ui
