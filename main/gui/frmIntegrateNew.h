#pragma once

#include "main/core/IntegrateWithHost.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vm {

// Puts the command that starts Velmaris on the host's toolbars and Tools
// menus, view by view; each change takes effect in the host at once.
class frmIntegrateNew : public QDialog {
    Q_OBJECT
public:
    frmIntegrateNew(Program& program, MainStartup& startup, std::string programFile,
                    QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showBoxes();

    IntegrateWithHost logic_;
    std::array<QCheckBox*, IntegrateWithHost::kBoxes> chkScreen{};
    std::array<QLabel*, IntegrateWithHost::kBoxes> lblScreen{};
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

} // namespace vm
