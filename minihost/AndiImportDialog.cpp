#include "AndiImportDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

AndiImportDialog::AndiImportDialog(int fileCount, bool english, QWidget* parent) : QDialog(parent)
{
    auto text = [english](const char* russian, const char* inEnglish) {
        return english ? QString::fromUtf8(inEnglish) : QString::fromUtf8(russian);
    };
    setObjectName(QStringLiteral("AndiImportDialog"));
    setWindowTitle(text("Импорт AIA/ANDI", "Import AIA/ANDI"));

    auto* files = new QLabel(text("Выбрано файлов: %1", "Files chosen: %1").arg(fileCount), this);

    auto* kind = new QGroupBox(text("Хроматограммы", "Chromatograms"), this);
    calibration_ = new QRadioButton(text("Градуировочные", "Calibration runs"), kind);
    analysis_ = new QRadioButton(text("Анализ проб", "Analysis runs"), kind);
    calibration_->setObjectName(QStringLiteral("calibration"));
    analysis_->setObjectName(QStringLiteral("analysis"));
    analysis_->setChecked(true);
    auto* kindLayout = new QVBoxLayout(kind);
    kindLayout->addWidget(calibration_);
    kindLayout->addWidget(analysis_);

    mixture_ = new QLineEdit(this);
    mixture_->setObjectName(QStringLiteral("mixture"));
    autoPair_ = new QCheckBox(text("Объединять файлы одного ввода в два канала (по образцу и времени ввода)",
                                   "Pair files of one injection into two channels (by sample and injection time)"), this);
    autoPair_->setObjectName(QStringLiteral("autoPair"));
    reintegrate_ = new QCheckBox(text("Интегрировать сигнал заново, даже если в файле есть таблица пиков",
                                      "Integrate the signal afresh even when the file has a peak table"), this);
    reintegrate_->setObjectName(QStringLiteral("reintegrate"));

    auto* form = new QFormLayout;
    form->addRow(text("Смесь:", "Mixture:"), mixture_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(text("Импортировать", "Import"));
    buttons->button(QDialogButtonBox::Cancel)->setText(text("Отмена", "Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(files);
    layout->addWidget(kind);
    layout->addLayout(form);
    layout->addWidget(autoPair_);
    layout->addWidget(reintegrate_);
    layout->addWidget(buttons);
}

AndiImportChoice AndiImportDialog::choice() const
{
    AndiImportChoice choice;
    choice.calibration = calibration_->isChecked();
    choice.mixture = mixture_->text().trimmed();
    choice.autoPair = autoPair_->isChecked();
    choice.reintegrate = reintegrate_->isChecked();
    return choice;
}

void AndiImportDialog::setChoice(const AndiImportChoice& choice)
{
    calibration_->setChecked(choice.calibration);
    analysis_->setChecked(!choice.calibration);
    mixture_->setText(choice.mixture);
    autoPair_->setChecked(choice.autoPair);
    reintegrate_->setChecked(choice.reintegrate);
}
