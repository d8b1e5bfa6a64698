#pragma once

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace vm::test {

// Answers the next modal language picker with the language at `index`;
// gives up when none shows within ten seconds. `sawFirstRunLook` tells
// whether it looked as on a first run (both languages in its label, no
// Cancel).
inline void answerLanguagePicker(int index, bool* sawFirstRunLook = nullptr,
                                 QDeadlineTimer deadline = QDeadlineTimer(10000)) {
    QTimer::singleShot(10, [=] {
        QWidget* picker = QApplication::activeModalWidget();
        if (!picker || picker->objectName() != "frmLanguage") {
            if (!deadline.hasExpired())
                answerLanguagePicker(index, sawFirstRunLook, deadline);
            return;
        }
        if (sawFirstRunLook)
            *sawFirstRunLook = picker->findChild<QLabel*>("Label1")->text() ==
                                   "Pick your language/Choisissez une langue :" &&
                               picker->findChild<QPushButton*>("cmdCancel")->isHidden();
        picker->findChild<QComboBox*>("cmbLanguage")->setCurrentIndex(index);
        picker->findChild<QPushButton*>("cmdOK")->click();
    });
}

} // namespace vm::test
