#include "main/gui/frmLocations.h"

#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"
#include "main/gui/DialogButtons.h"
#include "main/gui/QtText.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vm {

frmLocations::frmLocations(Program& program, bool& bChanged, QWidget* parent)
    : QDialog(parent), logic_(program, bChanged) {
    setObjectName("frmLocations");
    const LangTable& t = program.lang;
    setWindowTitle(qt(t[txt::kSettingsFileLocation]));
    txtPath = new QLineEdit(this);
    txtPath->setObjectName("txtPath");
    txtPath->setMinimumWidth(420);
    auto* label = new QLabel(qt(t[txt::kSettingsFileLocation] + ":"), this);
    label->setObjectName("Label1");
    label->setBuddy(txtPath);
    cmdBrowse = new QPushButton(this);
    cmdBrowse->setObjectName("cmdBrowse");
    cmdBrowse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    cmdBrowse->setAutoDefault(false);
    QDialogButtonBox* buttons = okCancelButtons(this, t, cmdOK, cmdCancel);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmLocations::cmdBrowse_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmLocations::cmdOK_Click);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(txtPath, 1);
    pathRow->addWidget(cmdBrowse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(pathRow);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    txtPath->setText(qt(logic_.Form_Load()));
}

void frmLocations::cmdBrowse_Click() {
    QFileDialog picker(this, QString(), qt(logic_.browseFolder(fromQt(txtPath->text()))),
                       QStringLiteral("ini Files (*.ini)"));
    picker.setObjectName("CommonDialog1");
    picker.setFileMode(QFileDialog::ExistingFile);
    if (picker.exec() == QDialog::Accepted && !picker.selectedFiles().isEmpty())
        txtPath->setText(qt(nativePath(picker.selectedFiles().first())));
}

void frmLocations::cmdOK_Click() {
    if (logic_.cmdOK_Click(fromQt(txtPath->text())))
        accept();
}

} // namespace vm
