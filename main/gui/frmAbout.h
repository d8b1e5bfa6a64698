#pragma once

#include <QDialog>

namespace vm {

class LangTable;

// The program's name and version.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(const LangTable& texts, QWidget* parent = nullptr);
};

} // namespace vm
