#include "HostFrame.h"

#include "ElidedLabel.h"
#include "LoginDialog.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace standin {

namespace {

const QStringList kViewTypeNames = {"Contacts", "Contact List", "Groups", "Task List", "Calendar"};
const QStringList kToolbarViewNames = {"Contacts",  "Contact List", "Groups",
                                       "Task List", "Calendars",    "E-mail"};
const QStringList kCalendarModeNames = {"Monthly", "Weekly", "Daily"};

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

QString yesNo(bool yes) {
    return yes ? QObject::tr("Yes") : QObject::tr("No");
}

QStringList placedCommands(const Profile& profile, Host::Place place, int view) {
    QStringList names;
    for (const AuxCommand& command : profile.auxCommands) {
        if ((place == Host::Place::Toolbar ? command.toolbarViews : command.toolsMenuViews)
                .contains(view))
            names.append(qt(command.name));
    }
    return names;
}

} // namespace

HostFrame::HostFrame(Host& host) : host_(host) {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("E&xit"), QKeySequence::Quit, this, &QWidget::close);
    toolsMenu_ = menuBar()->addMenu(tr("&Tools"));
    toolbar_ = addToolBar(tr("Commands"));
    toolbar_->setObjectName(QStringLiteral("commandToolbar"));
    toolbar_->setMovable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    QList<QPair<QString, QString>> locations;
    for (const FileLocation& location : host_.fileLocations())
        locations.append({qt(location.type), QStringLiteral("location:") + qt(location.type)});

    auto* left = new QVBoxLayout;
    left->addWidget(section(tr("Open database"), {{tr("Name"), "database"},
                                                  {tr("File"), "databaseFile"},
                                                  {tr("User"), "user"},
                                                  {tr("View"), "view"},
                                                  {tr("Calendar mode"), "calendarMode"},
                                                  {tr("Contact layout"), "contactLayout"},
                                                  {tr("Group layout"), "groupLayout"},
                                                  {tr("Last macro run"), "lastMacro"}}));
    left->addWidget(
        section(tr("Preferences"), {{tr("Default contact layout"), "defaultContactLayout"},
                                    {tr("Default group layout"), "defaultGroupLayout"},
                                    {tr("Startup macro"), "startupMacro"},
                                    {tr("Open last database at start"), "useLastDatabase"}}));
    left->addWidget(section(tr("Read at start-up from the host registry"),
                            {{tr("Registry file"), "registryFile"},
                             {tr("Use Last DB"), "startUseLastDb"},
                             {tr("Last DB Name"), "startLastDb"},
                             {tr("Contact Layout"), "startContactLayout"},
                             {tr("Group Layout"), "startGroupLayout"},
                             {tr("Macro Name"), "startMacro"}}));
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(commandsSection());
    right->addWidget(section(tr("File locations in use"), locations));
    right->addStretch();

    auto* central = new QWidget;
    auto* columns = new QHBoxLayout(central);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    setCentralWidget(central);
    statusBar()->showMessage(tr("Ready"));

    connect(&host_, &Host::changed, this, &HostFrame::refresh);
    connect(&host_, &Host::notice, this, [this](const QString& m) { statusBar()->showMessage(m); });
    connect(&host_, &Host::closeRequested, this, &HostFrame::closeByCommand, Qt::QueuedConnection);
    refresh();
    resize(1000, 640);
}

QGroupBox* HostFrame::section(const QString& title, const QList<QPair<QString, QString>>& rows) {
    auto* box = new QGroupBox(title);
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (const auto& [label, name] : rows) {
        auto* value = new ElidedLabel;
        value->setObjectName(name);
        values_.insert(name, value);
        form->addRow(label + QLatin1Char(':'), value);
    }
    return box;
}

QGroupBox* HostFrame::commandsSection() {
    auto* box = new QGroupBox(tr("Commands of other programs"));
    commandTable_ = new QTableWidget(Host::kToolbarViews, 2);
    commandTable_->setObjectName(QStringLiteral("commandTable"));
    commandTable_->setHorizontalHeaderLabels({tr("Toolbar"), tr("Tools menu")});
    commandTable_->setVerticalHeaderLabels(kToolbarViewNames);
    commandTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    commandTable_->setSelectionMode(QAbstractItemView::NoSelection);
    commandTable_->setFocusPolicy(Qt::NoFocus);
    commandTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    commandTable_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    commandTable_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    commandTable_->setFixedHeight(commandTable_->horizontalHeader()->sizeHint().height() +
                                  commandTable_->verticalHeader()->length() +
                                  2 * commandTable_->frameWidth());
    (new QVBoxLayout(box))->addWidget(commandTable_);
    return box;
}

void HostFrame::setValue(const QString& value, const QString& text) {
    values_.value(value)->setFullText(text);
}

void HostFrame::refresh() {
    const OpenDatabase& db = host_.current();
    const bool open = !db.path.isEmpty();
    const ViewState view = host_.currentView();
    setWindowTitle(open ? tr("Host Stand-in - %1").arg(db.name) : tr("Host Stand-in"));
    setValue("database", db.name);
    setValue("databaseFile", db.path);
    setValue("user", db.userName);
    setValue("view", open ? kViewTypeNames.value(view.type - 1) : QString());
    setValue("calendarMode", open && view.type == 5
                                 ? kCalendarModeNames.value(view.calendarMode - 300)
                                 : QString());
    setValue("contactLayout", open ? db.contactLayout : QString());
    setValue("groupLayout", open ? db.groupLayout : QString());
    setValue("lastMacro", host_.lastMacro());

    const Profile& profile = host_.profile();
    setValue("defaultContactLayout", qt(profile.defaultContactLayout));
    setValue("defaultGroupLayout", qt(profile.defaultGroupLayout));
    setValue("startupMacro", qt(profile.startupMacro));
    setValue("useLastDatabase", yesNo(host_.useLastDatabaseOnStartup()));

    const core::StartUpSettings& start = host_.startUpSettings();
    setValue("registryFile", host_.registryFound()
                                 ? host_.registryPath()
                                 : tr("%1 (not found)").arg(host_.registryPath()));
    setValue("startUseLastDb", yesNo(start.useLastDatabase));
    setValue("startLastDb", qt(start.lastDatabase));
    setValue("startContactLayout", qt(start.contactLayout));
    setValue("startGroupLayout", qt(start.groupLayout));
    setValue("startMacro", qt(start.macro));

    for (const FileLocation& location : host_.fileLocations()) {
        const QString value = QStringLiteral("location:") + qt(location.type);
        setValue(value, qt(location.folder));
        values_.value(value)->setStatusTip(location.fromRegistry ? tr("Set in the host registry")
                                                                 : tr("The host's own folder"));
    }
    refreshCommands();
}

void HostFrame::refreshCommands() {
    const Profile& profile = host_.profile();
    for (int view = 1; view <= Host::kToolbarViews; ++view) {
        commandTable_->setItem(
            view - 1, 0,
            new QTableWidgetItem(placedCommands(profile, Host::Place::Toolbar, view).join(", ")));
        commandTable_->setItem(
            view - 1, 1,
            new QTableWidgetItem(placedCommands(profile, Host::Place::ToolsMenu, view).join(", ")));
    }

    // The toolbar and the Tools menu offer what is placed in the view on show.
    const int view = host_.currentView().type;
    toolbar_->clear();
    toolsMenu_->clear();
    for (const AuxCommand& command : profile.auxCommands) {
        const QIcon icon(qt(command.smallIcon));
        const QString caption = qt(command.caption.empty() ? command.name : command.caption);
        const auto add = [&](QWidget* where) {
            QAction* action = new QAction(icon, caption, where);
            action->setToolTip(qt(command.toolTip));
            action->setStatusTip(qt(command.toolTip));
            connect(action, &QAction::triggered, this, [this, command] { startCommand(command); });
            where->addAction(action);
        };
        if (command.toolbarViews.contains(view))
            add(toolbar_);
        if (command.toolsMenuViews.contains(view))
            add(toolsMenu_);
    }
    if (toolsMenu_->isEmpty())
        toolsMenu_->addAction(tr("No commands"))->setEnabled(false);
}

void HostFrame::startCommand(const AuxCommand& command) {
    const bool started =
        QProcess::startDetached(qt(command.program), {}, qt(command.workingFolder));
    statusBar()->showMessage(started ? tr("Started %1.").arg(qt(command.name))
                                     : tr("%1 could not be started.").arg(qt(command.program)));
}

void HostFrame::askLogin(const std::string& databaseName, const std::string& suggestedUser,
                         const std::function<void()>& shown, Answered answered) {
    auto* dialog = new LoginDialog(this, qt(databaseName), qt(suggestedUser));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    login_ = dialog;
    connect(dialog, &QDialog::finished, this, [dialog, answered](int result) {
        answered({result == QDialog::Accepted, dialog->userName().toStdString(),
                  dialog->password().toStdString()});
    });
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    shown();
}

void HostFrame::closeByCommand() {
    closingByCommand_ = true;
    close();
}

void HostFrame::closeEvent(QCloseEvent* event) {
    // A caller still waiting for the login hears that it failed.
    if (LoginDialog* dialog = login_.data())
        dialog->reject();
    if (!closingByCommand_)
        emit userClosing();
    event->accept();
}

} // namespace standin
