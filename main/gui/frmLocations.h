#pragma once

#include "main/core/SettingsLocation.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vm {

// Where this user's settings file is: the file a team may share.
class frmLocations : public QDialog {
    Q_OBJECT
public:
    frmLocations(Program& program, bool& bChanged, QWidget* parent = nullptr);

private:
    void cmdBrowse_Click();
    void cmdOK_Click();

    SettingsLocation logic_;
    QLineEdit* txtPath;
    QPushButton* cmdBrowse;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

} // namespace vm
