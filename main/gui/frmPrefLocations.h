#pragma once

#include "main/core/PrefLocations.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace vm {

// The folder of each of the twelve kinds of host files for one database.
class frmPrefLocations : public QDialog {
    Q_OBJECT
public:
    // `nameInProperties`: the name now typed in the properties dialog, under
    // which OK stores the folders.
    frmPrefLocations(Program& program, std::string nameInProperties, QWidget* parent = nullptr);

private:
    void showRows();
    int selectedRow() const;
    void cmdEditlocation_Click();
    void cmdClear_Click();
    void cmdOK_Click();

    PrefLocations logic_;
    std::string nameInProperties_;
    QTreeWidget* lvwPref;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdEditlocation;
    QPushButton* cmdClear;
};

} // namespace vm
