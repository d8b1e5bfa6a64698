#include "main/gui/frmProperties.h"

#include "base/FailureReport.h"
#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"
#include "main/gui/DialogButtons.h"
#include "main/gui/QtText.h"
#include "main/gui/frmPrefLocations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {

// The browse buttons by index: the files they offer and the host's folder
// kind they start in.
struct BrowseKind {
    const char* filter;
    int hostFolder;
};
constexpr std::array<BrowseKind, 4> kBrowse{{
    {"Contact Layouts (*.cly)", 6},
    {"Group Layouts (*.gly)", 6},
    {"Macros (*.mpr);;Programs (*.exe)", 7},
    {"ACT! Database (*.dbf)", 0},
}};

constexpr const char* kUsernameTitle = "WHAT IS MY USERNAME ?";
constexpr const char* kUsernameHelp =
    "Your username is the name you type when you logon (password screen). If you don't get a "
    "logon screen when you open your database, it means you are the sole user of the database. "
    "In this case, even though you may never use it, you still have a username. Go to ACT! File "
    "menu, choose Administration then Define users and you will see what it is.";

template <class Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

} // namespace

frmProperties::frmProperties(Program& program, MainMenus& menus, DatabaseList& list,
                             QWidget* parent)
    : QDialog(parent), program_(program), logic_(program, menus, list) {
    setObjectName("frmProperties");
    const LangTable& t = program.lang;
    mstOptions = named(new QTabWidget(this), "mstOptions");
    mstOptions->addTab(buildGeneralPage(), qt(t[txt::kGeneralTab]));
    mstOptions->addTab(buildLocationsPage(), qt(t[txt::kDefaultLocationsTab]));
    mstOptions->addTab(buildLogonPage(), qt(t[txt::kLogonTab]));
    connect(mstOptions, &QTabWidget::currentChanged, this, &frmProperties::pageChanged);

    QDialogButtonBox* buttons = okCancelButtons(this, t, cmdOK, cmdCancel);
    connect(cmdOK, &QPushButton::clicked, this, [this] { logic_.cmdOK_Click(*this); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mstOptions);
    layout->addWidget(buttons);

    const PropertiesFields loaded = guarded({"frmProperties", "Sub", "Form_Load"},
                                            PropertiesFields(), [&] { return logic_.Form_Load(); });
    fill(loaded);
    const std::string& name = logic_.loadedName();
    setWindowTitle(qt(name.empty() ? t[txt::kProperties] : t[txt::kProperties] + ": " + name));
    mstOptions->setCurrentIndex(kGeneralPage);
}

QWidget* frmProperties::buildGeneralPage() {
    const LangTable& t = program_.lang;
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    auto row = [&](int at, int text, QLineEdit*& field, const char* name, int button) {
        field = named(new QLineEdit, name);
        auto* label = new QLabel(qt(t[text] + ":"));
        label->setBuddy(field);
        grid->addWidget(label, at, 0);
        grid->addWidget(field, at, 1);
        if (button < 0)
            return;
        cmdBrowse[button] = new QToolButton;
        cmdBrowse[button]->setText(QStringLiteral("..."));
        cmdBrowse[button]->setObjectName(QStringLiteral("cmdBrowse%1").arg(button));
        grid->addWidget(cmdBrowse[button], at, 2);
        connect(cmdBrowse[button], &QToolButton::clicked, this, [this, button] { browse(button); });
    };
    row(0, 92, txtName, "txtName", -1);
    row(1, 91, txtPath, "txtPath", 3);
    row(2, 84, txtCL, "txtCL", 0);
    row(3, 85, txtGL, "txtGL", 1);
    row(4, 86, txtMacro, "txtMacro", 2);
    grid->setColumnMinimumWidth(1, 320);
    grid->setRowStretch(5, 1);
    return page;
}

QWidget* frmProperties::buildLocationsPage() {
    const LangTable& t = program_.lang;
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    optLocations[0] = named(new QRadioButton(qt(t[txt::kUseLocationsFrom] + ":")), "optLocations0");
    optLocations[1] = named(new QRadioButton(qt(t[txt::kUseOwnLocations] + ":")), "optLocations1");
    cboDb = named(new QComboBox, "cboDb");
    cmdEditLocations =
        named(new QPushButton(qt(t[txt::kEditLocations] + "...")), "cmdEditLocations");
    cmdEditLocations->setAutoDefault(false);
    connect(cmdEditLocations, &QPushButton::clicked, this, &frmProperties::editLocations);
    grid->addWidget(optLocations[0], 0, 0);
    grid->addWidget(cboDb, 0, 1);
    grid->addWidget(optLocations[1], 1, 0);
    grid->addWidget(cmdEditLocations, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget* frmProperties::buildLogonPage() {
    const LangTable& t = program_.lang;
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    txtUsername = named(new QLineEdit, "txtUsername");
    auto* userLabel = new QLabel(qt(t[txt::kUserName] + ":"));
    userLabel->setBuddy(txtUsername);
    chkPassword = named(new QCheckBox(qt(t[txt::kUsePassword] + ":")), "chkPassword");
    txtPassword = named(new QLineEdit, "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setEnabled(false);
    connect(chkPassword, &QCheckBox::toggled, txtPassword, &QLineEdit::setEnabled);
    chkNotAtACTLaunch = named(new QCheckBox(qt(t[txt::kNoPasswordAtLaunch])), "chkNotAtACTLaunch");
    auto* helpTitle = named(new QLabel(QString::fromLatin1(kUsernameTitle)), "lblHelpTitle");
    QFont bold = helpTitle->font();
    bold.setBold(true);
    helpTitle->setFont(bold);
    auto* help = named(new QLabel(QString::fromLatin1(kUsernameHelp)), "lblHelp");
    help->setWordWrap(true);
    grid->addWidget(userLabel, 0, 0);
    grid->addWidget(txtUsername, 0, 1);
    grid->addWidget(chkPassword, 1, 0);
    grid->addWidget(txtPassword, 1, 1);
    grid->addWidget(chkNotAtACTLaunch, 2, 0, 1, 2);
    grid->addWidget(helpTitle, 3, 0, 1, 2);
    grid->addWidget(help, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    return page;
}

void frmProperties::fill(const PropertiesFields& f) {
    txtName->setText(qt(f.name));
    txtPath->setText(qt(f.path));
    txtCL->setText(qt(f.contactLayout));
    txtGL->setText(qt(f.groupLayout));
    txtMacro->setText(qt(f.startupMacro));
    txtUsername->setText(qt(f.username));
    txtPassword->setText(qt(f.password));
    chkPassword->setChecked(f.usePassword);
    chkNotAtACTLaunch->setChecked(f.noPasswordAtHostStart);
    for (const std::string& other : logic_.otherDatabases())
        cboDb->addItem(qt(other));
    cboDb->setCurrentIndex(f.useLocationsFrom ? cboDb->findText(qt(f.locationsFrom)) : -1);
    optLocations[f.useLocationsFrom ? 0 : 1]->setChecked(true);
}

PropertiesFields frmProperties::fields() const {
    PropertiesFields f;
    f.name = fromQt(txtName->text());
    f.path = fromQt(txtPath->text());
    f.contactLayout = fromQt(txtCL->text());
    f.groupLayout = fromQt(txtGL->text());
    f.startupMacro = fromQt(txtMacro->text());
    f.useLocationsFrom = optLocations[0]->isChecked();
    f.locationsFrom = fromQt(cboDb->currentText());
    f.username = fromQt(txtUsername->text());
    f.password = fromQt(txtPassword->text());
    f.usePassword = chkPassword->isChecked();
    f.noPasswordAtHostStart = chkNotAtACTLaunch->isChecked();
    return f;
}

void frmProperties::setName(const std::string& name) {
    txtName->setText(qt(name));
}

void frmProperties::showPage(int page) {
    // A turn the dialog makes itself is no reason to check the name.
    if (mstOptions->currentIndex() != page) {
        suppressCheck_ = true;
        mstOptions->setCurrentIndex(page);
    }
}

QLineEdit* frmProperties::fieldWidget(Field field) const {
    switch (field) {
    case Field::Name:
        return txtName;
    case Field::Path:
        return txtPath;
    case Field::ContactLayout:
        return txtCL;
    case Field::GroupLayout:
        return txtGL;
    case Field::Macro:
        return txtMacro;
    case Field::Username:
        return txtUsername;
    case Field::Password:
        return txtPassword;
    }
    return txtName;
}

void frmProperties::focus(Field field) {
    QLineEdit* widget = fieldWidget(field);
    widget->setFocus();
    if (field == Field::Name)
        widget->selectAll();
}

void frmProperties::closeDialog() {
    done(program_.properties.bCancel ? Rejected : Accepted);
}

void frmProperties::reject() {
    logic_.cmdCancel_Click(*this);
}

void frmProperties::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (program_.properties.bFocusUserName) {
        showPage(kLogonPage);
        txtUsername->setFocus();
    }
}

void frmProperties::pageChanged(int page) {
    const int left = page_;
    page_ = page;
    if (suppressCheck_) {
        suppressCheck_ = false;
        return;
    }
    if (left == kGeneralPage && page != kGeneralPage)
        logic_.Check_Name(*this);
}

void frmProperties::browse(int index) {
    guarded({"frmProperties", "Sub", "cmdBrowse_Click"}, [&] {
        if (!program_.preferences)
            throwObjectNotSet();
        const BrowseKind& kind = kBrowse[index];
        QFileDialog dialog(this, QString(),
                           qt(program_.preferences->GetDefaultLocation(kind.hostFolder)),
                           QString::fromLatin1(kind.filter));
        dialog.setObjectName("CommonDialog1");
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        QLineEdit* fields[] = {txtCL, txtGL, txtMacro, txtPath};
        fields[index]->setText(qt(nativePath(dialog.selectedFiles().first())));
    });
}

void frmProperties::editLocations() {
    const std::string typed = fromQt(txtName->text());
    frmPrefLocations dialog(program_, typed, this);
    if (dialog.exec() == QDialog::Accepted)
        logic_.locationsSaved(typed);
}

} // namespace vm
