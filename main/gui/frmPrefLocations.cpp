#include "main/gui/frmPrefLocations.h"

#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"
#include "main/gui/QtText.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vm {

frmPrefLocations::frmPrefLocations(Program& program, std::string nameInProperties, QWidget* parent)
    : QDialog(parent), logic_(program), nameInProperties_(std::move(nameInProperties)) {
    setObjectName("frmPrefLocations");
    const LangTable& t = program.lang;
    setWindowTitle(qt(t[txt::kEditLocations]));
    lvwPref = new QTreeWidget(this);
    lvwPref->setObjectName("lvwPref");
    lvwPref->setRootIsDecorated(false);
    lvwPref->setUniformRowHeights(true);
    lvwPref->setAllColumnsShowFocus(true);
    lvwPref->setHeaderLabels({qt(t[txt::kFileType]), qt(t[txt::kLocation])});
    // The folder takes what the file type leaves.
    lvwPref->header()->setStretchLastSection(true);
    connect(lvwPref, &QTreeWidget::itemDoubleClicked, this,
            &frmPrefLocations::cmdEditlocation_Click);

    auto button = [&](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    cmdOK = button(qt(t[txt::kOk]), "cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = button(qt(t[txt::kCancel]), "cmdCancel");
    cmdEditlocation = button(qt(t[txt::kEditMenu] + "..."), "cmdEditlocation");
    cmdClear = button(QStringLiteral("Clear"), "cmdClear");
    connect(cmdOK, &QPushButton::clicked, this, &frmPrefLocations::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdEditlocation, &QPushButton::clicked, this, &frmPrefLocations::cmdEditlocation_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmPrefLocations::cmdClear_Click);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdOK, cmdCancel, cmdEditlocation, cmdClear})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lvwPref, 1);
    layout->addLayout(buttons);

    logic_.Form_Load();
    for (int row = 0; row < schema::kFileTypeCount; ++row)
        new QTreeWidgetItem(lvwPref, {qt(logic_.label(row)), QString()});
    showRows();
    lvwPref->resizeColumnToContents(0);
    lvwPref->setCurrentItem(lvwPref->topLevelItem(0));
    resize(620, 360);
}

void frmPrefLocations::showRows() {
    for (int row = 0; row < schema::kFileTypeCount; ++row)
        lvwPref->topLevelItem(row)->setText(1, qt(logic_.rows()[row]));
}

int frmPrefLocations::selectedRow() const {
    return lvwPref->indexOfTopLevelItem(lvwPref->currentItem());
}

void frmPrefLocations::cmdEditlocation_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    QFileDialog picker(this, QString(), qt(logic_.rows()[row]));
    picker.setObjectName("dlgBrowse");
    picker.setFileMode(QFileDialog::Directory);
    picker.setOption(QFileDialog::ShowDirsOnly);
    if (picker.exec() != QDialog::Accepted || picker.selectedFiles().isEmpty())
        return;
    logic_.setFolder(row, nativePath(picker.selectedFiles().first()));
    showRows();
}

void frmPrefLocations::cmdClear_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    logic_.cmdClear_Click(row);
    showRows();
}

void frmPrefLocations::cmdOK_Click() {
    if (logic_.cmdOK_Click(nameInProperties_))
        accept();
}

} // namespace vm
