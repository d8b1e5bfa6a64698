#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace vm {

class LangTable;
class PerUserStore;

// The language picker. On a first run it speaks both English and French and
// cannot be cancelled; afterwards it speaks the current language.
class frmLanguage : public QDialog {
    Q_OBJECT
public:
    frmLanguage(PerUserStore& store, const LangTable& texts, QWidget* parent = nullptr);

private:
    void cmdOK_Click();

    PerUserStore& store_;
    QLabel* Label1;
    QComboBox* cmbLanguage;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

} // namespace vm
