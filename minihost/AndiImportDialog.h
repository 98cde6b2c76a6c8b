#pragma once
// The small dialog between choosing ANDI files and importing them: calibration or analysis runs,
// their mixture, how to pair the files into injections, and whether to integrate afresh.
#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QRadioButton;

struct AndiImportChoice {
    bool calibration = false;
    QString mixture;
    bool autoPair = false;
    bool reintegrate = false;
};

class AndiImportDialog : public QDialog {
public:
    // `english`: the host runs in English (language 1033); otherwise the texts are Russian.
    AndiImportDialog(int fileCount, bool english, QWidget* parent = nullptr);

    AndiImportChoice choice() const;
    void setChoice(const AndiImportChoice& choice);

private:
    QRadioButton* calibration_ = nullptr;
    QRadioButton* analysis_ = nullptr;
    QLineEdit* mixture_ = nullptr;
    QCheckBox* autoPair_ = nullptr;
    QCheckBox* reintegrate_ = nullptr;
};
