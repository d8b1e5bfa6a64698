#pragma once

#include "main/core/QuickSwitchSettings.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace vm {

class LangTable;

// The QuickSwitch settings: a database for each tile on the first page, the
// colour scheme on the second, and whether QuickSwitch opens at start-up.
class frmAssign : public QDialog {
    Q_OBJECT
public:
    explicit frmAssign(Program& program, QWidget* parent = nullptr);

protected:
    // A click on a scheme's sample chooses it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildButtonsPage(const LangTable& t);
    QWidget* buildColorsPage(const LangTable& t);
    void fill(const QuickSwitchChoices& choices);
    QuickSwitchChoices choices() const;
    void cmdOK_Click();

    QuickSwitchSettings logic_;
    QTabWidget* mstAssign;
    std::array<QComboBox*, quickswitch::kButtons> cboDB{};
    std::array<QRadioButton*, quickswitch::kSchemes> optColor{};
    std::array<QLabel*, quickswitch::kSchemes> picSample{};
    QCheckBox* chkStartup;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

} // namespace vm
