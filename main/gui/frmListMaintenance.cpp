#include "main/gui/frmListMaintenance.h"

#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"
#include "main/gui/ArrowIcon.h"
#include "main/gui/QtText.h"
#include "main/gui/frmProperties.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace vm {

frmListMaintenance::frmListMaintenance(Program& program, MainMenus& menus, DatabaseList& list,
                                       int& iSelected, QWidget* parent)
    : QDialog(parent), program_(program), menus_(menus), list_(list), iSelected_(iSelected),
      logic_(program, menus) {
    setObjectName("frmListMaintenance");
    const LangTable& t = program.lang;
    // The menu's caption without its accelerator mark.
    setWindowTitle(qt(t[txt::kManageList].substr(1)));
    lstDB = new QListWidget(this);
    lstDB->setObjectName("lstDB");
    auto* label = new QLabel(qt(t[txt::kDatabasesListed] + ":"), this);
    label->setObjectName("Label1");
    label->setBuddy(lstDB);
    auto button = [&](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    cmdAdd = button(qt(t[txt::kAdd] + "..."), "cmdAdd");
    cmdRemove = button(qt(t[txt::kRemove]), "cmdRemove");
    cmdUp = button(QString(), "cmdUp");
    cmdDown = button(QString(), "cmdDown");
    cmdUp->setIcon(arrowIcon(Qt::UpArrow));
    cmdDown->setIcon(arrowIcon(Qt::DownArrow));
    cmdClose = button(qt(t[txt::kClose]), "cmdClose");
    cmdClose->setDefault(true);

    connect(lstDB, &QListWidget::currentRowChanged, this, [this](int row) {
        logic_.select(row);
        showList();
    });
    connect(cmdAdd, &QPushButton::clicked, this, &frmListMaintenance::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, [this] {
        logic_.cmdRemove_Click();
        showList();
    });
    connect(cmdUp, &QPushButton::clicked, this, [this] {
        logic_.cmdUp_Click();
        showList();
    });
    connect(cmdDown, &QPushButton::clicked, this, [this] {
        logic_.cmdDown_Click();
        showList();
    });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(lstDB, 1, 0, 5, 1);
    layout->addWidget(cmdAdd, 1, 1);
    layout->addWidget(cmdRemove, 2, 1);
    layout->addWidget(cmdUp, 3, 1);
    layout->addWidget(cmdDown, 4, 1);
    layout->addWidget(cmdClose, 6, 1);
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(0, 1);

    logic_.Form_Load(iSelected);
    showList();
    resize(420, 300);
}

void frmListMaintenance::showList() {
    // Rebuilding the entries must not read back as the user's selection.
    const QSignalBlocker quiet(lstDB);
    const std::vector<std::string>& entries = logic_.entries();
    if (lstDB->count() != static_cast<int>(entries.size())) {
        lstDB->clear();
        for (const std::string& entry : entries)
            lstDB->addItem(qt(entry));
    } else {
        for (int i = 0; i < lstDB->count(); ++i)
            lstDB->item(i)->setText(qt(entries[i]));
    }
    lstDB->setCurrentRow(logic_.selected());
    cmdUp->setEnabled(logic_.upEnabled());
    cmdDown->setEnabled(logic_.downEnabled());
    cmdRemove->setEnabled(logic_.selected() >= 0);
}

void frmListMaintenance::cmdAdd_Click() {
    program_.properties.bAdd = true;
    frmProperties properties(program_, menus_, list_, this);
    properties.exec();
    if (!program_.properties.bCancel)
        logic_.added();
    showList();
}

void frmListMaintenance::done(int result) {
    const std::optional<int> selected = logic_.Form_Unload();
    if (!selected)
        return; // reported; the new order is still here to close with again
    iSelected_ = *selected;
    QDialog::done(result);
}

} // namespace vm
