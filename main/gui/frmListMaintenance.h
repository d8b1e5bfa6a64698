#pragma once

#include "main/core/ListMaintenance.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace vm {

class DatabaseList;

// Adds, removes and orders the databases of the list.
class frmListMaintenance : public QDialog {
    Q_OBJECT
public:
    // `iSelected`: the main window's selected row on the way in (1-based) and
    // this dialog's selection on the way out (0-based), -1 for none.
    frmListMaintenance(Program& program, MainMenus& menus, DatabaseList& list, int& iSelected,
                       QWidget* parent = nullptr);

    void done(int result) override;

private:
    void showList();
    void cmdAdd_Click();

    Program& program_;
    MainMenus& menus_;
    DatabaseList& list_;
    int& iSelected_;
    ListMaintenance logic_;
    QListWidget* lstDB;
    QPushButton* cmdAdd;
    QPushButton* cmdRemove;
    QPushButton* cmdUp;
    QPushButton* cmdDown;
    QPushButton* cmdClose;
};

} // namespace vm
