#pragma once

#include "support/ModalAnswer.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace vm::test {

// Answers the next modal language picker with the language at `index`.
// `sawFirstRunLook` tells whether it looked as on a first run (both
// languages in its label, no Cancel).
inline void answerLanguagePicker(int index, bool* sawFirstRunLook = nullptr) {
    answerModal("frmLanguage", [=](QWidget& picker) {
        if (sawFirstRunLook)
            *sawFirstRunLook = picker.findChild<QLabel*>("Label1")->text() ==
                                   "Pick your language/Choisissez une langue :" &&
                               picker.findChild<QPushButton*>("cmdCancel")->isHidden();
        picker.findChild<QComboBox*>("cmbLanguage")->setCurrentIndex(index);
        picker.findChild<QPushButton*>("cmdOK")->click();
    });
}

} // namespace vm::test
