#pragma once

#include "main/core/DatabaseProperties.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

namespace vm {

// The properties of one database on three pages: where it is and how it
// opens, where its default locations come from, and its logon.
class frmProperties : public QDialog, public PropertiesView {
    Q_OBJECT
public:
    frmProperties(Program& program, MainMenus& menus, DatabaseList& list,
                  QWidget* parent = nullptr);

    // PropertiesView
    PropertiesFields fields() const override;
    void setName(const std::string& name) override;
    void showPage(int page) override;
    void focus(Field field) override;
    void closeDialog() override;

    // Escape and the close box act as Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildGeneralPage();
    QWidget* buildLocationsPage();
    QWidget* buildLogonPage();
    void fill(const PropertiesFields& fields);
    void browse(int index);
    void editLocations();
    void pageChanged(int page);
    QLineEdit* fieldWidget(Field field) const;

    Program& program_;
    DatabaseProperties logic_;
    QTabWidget* mstOptions;
    QLineEdit* txtName;
    QLineEdit* txtPath;
    QLineEdit* txtCL;
    QLineEdit* txtGL;
    QLineEdit* txtMacro;
    std::array<QToolButton*, 4> cmdBrowse{};
    std::array<QRadioButton*, 2> optLocations{};
    QComboBox* cboDb;
    QPushButton* cmdEditLocations;
    QLineEdit* txtUsername;
    QCheckBox* chkPassword;
    QLineEdit* txtPassword;
    QCheckBox* chkNotAtACTLaunch;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    int page_ = 0;
    bool suppressCheck_ = false;
};

} // namespace vm
