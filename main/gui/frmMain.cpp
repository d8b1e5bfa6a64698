#include "main/gui/frmMain.h"

#include "main/core/DatabaseOpening.h"
#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"
#include "main/gui/DatabaseIcon.h"
#include "main/gui/ElidedCellTips.h"
#include "main/gui/OnScreen.h"
#include "main/gui/QtText.h"
#include "main/gui/Twips.h"
#include "main/gui/frmAbout.h"
#include "main/gui/frmAssign.h"
#include "main/gui/frmIntegrateNew.h"
#include "main/gui/frmLanguage.h"
#include "main/gui/frmListMaintenance.h"
#include "main/gui/frmLocations.h"
#include "main/gui/frmProperties.h"
#include "main/gui/frmQuickSwitch.h"

#include "Version.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <utility>

namespace vm {

namespace {

// Spare room to the left of "More at", whose translations are longer than
// the place the English text was given.
constexpr int kMoreRoom = 2600;
constexpr int kLinkHeight = 240;
constexpr int kLinkGap = 60;
// The view choice: two columns of option buttons with their labels.
constexpr int kFrameWidth = 4455;
constexpr int kOptionLeft = 120;
constexpr int kLabelLeft = 390;
constexpr int kColumnGap = 150;
const QColor kOpenDatabaseColour(255, 0, 0);

} // namespace

frmMain::frmMain(Program& program, SingleInstance& instance, OpenDatabase* opener)
    : program_(program),
      ownOpener_(opener ? nullptr : std::make_unique<DatabaseOpening>(program, *this)),
      logic_(program, *this, opener ? *opener : *ownOpener_, instance) {
    setObjectName("frmMain");
    // Named from the start: a start that fails before its texts still shows
    // a window the user (and the desktop) can tell by its name.
    setCaption(kProgramTitle);
    setCentralWidget(new QWidget(this));
    setMinimumSize(pixels(kSmallestWidth), pixels(kSmallestHeight));
    resize(pixels(kSmallestWidth), pixels(kSmallestHeight));
    buildList();
    buildViewChoice();
    buildButtonsAndLinks();
    buildMenus();
    // Until the start-up sets the texts of the user's language, and should
    // it fail before, the window reads as it was designed.
    LangTable designed;
    designed.English();
    applyControlTexts(designed);
    for (int column = 1; column <= 4; ++column)
        setColumnTitle(column, designed[txt::kFirstColumnTitle + column - 1]);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    connect(Timer1, &QTimer::timeout, this, [this] { logic_.startup.Timer1_Timer(); });
}

void frmMain::buildList() {
    ListView1 = new QTreeWidget(centralWidget());
    ListView1->setObjectName("ListView1");
    ListView1->setColumnCount(5);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setItemDelegate(new ElidedCellTips(ListView1));
    ListView1->setHeaderLabels({"", "", "", "", ""});
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setSortIndicatorShown(false);
    ListView1->header()->setStretchLastSection(false);
    ListView1->setColumnWidth(4, 0); // the database path: kept, never shown
    ListView1->header()->setSectionHidden(4, true);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { logic_.list.ListView1_ColumnClick(section + 1); });
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this,
            [this] { logic_.list.cmdOpen_Click(); });
    ListView1->installEventFilter(this);
    ListView1->viewport()->installEventFilter(this);
}

void frmMain::buildViewChoice() {
    Frame1 = new QGroupBox(centralWidget());
    Frame1->setObjectName("Frame1");
    for (int i = 0; i < 7; ++i) {
        optView[i] = new QRadioButton(Frame1);
        optView[i]->setObjectName(QStringLiteral("optView%1").arg(i));
        lblView[i] = new QLabel(Frame1);
        lblView[i]->setObjectName(QStringLiteral("lblView%1").arg(i));
        lblView[i]->installEventFilter(this);
        connect(optView[i], &QRadioButton::clicked, this, [this] { focusList(); });
    }
    optView[0]->setChecked(true);
}

int frmMain::labelColumnWidth(int first, int last) const {
    int widest = 0;
    for (int i = first; i <= last; ++i)
        widest = std::max(widest, twips(lblView[i]->sizeHint().width()));
    return widest;
}

int frmMain::frameWidth() const {
    const int right = kLabelLeft + labelColumnWidth(0, 3) + kColumnGap + kLabelLeft +
                      labelColumnWidth(4, 6) + kOptionLeft;
    return std::max(kFrameWidth, right);
}

void frmMain::placeViewChoice() {
    // Contact views on the left, calendars on the right, each label as wide
    // as its language needs.
    const int secondColumn = kLabelLeft + labelColumnWidth(0, 3) + kColumnGap;
    for (int i = 0; i < 7; ++i) {
        const int left = i < 4 ? 0 : secondColumn;
        const int top = 270 + (i < 4 ? i : i - 4) * 270;
        optView[i]->setGeometry(pixelRect(left + kOptionLeft, top, 255, 255));
        lblView[i]->setGeometry(
            pixelRect(left + kLabelLeft, top, labelColumnWidth(i < 4 ? 0 : 4, i < 4 ? 3 : 6), 255));
    }
}

void frmMain::buildButtonsAndLinks() {
    cmdOpen = new QPushButton(centralWidget());
    cmdOpen->setObjectName("cmdOpen");
    connect(cmdOpen, &QPushButton::clicked, this, [this] {
        logic_.list.cmdOpen_Click();
        focusList();
    });
    cmdCancel = new QPushButton(centralWidget());
    cmdCancel->setObjectName("cmdCancel");
    connect(cmdCancel, &QPushButton::clicked, this, [this] { closeWindow(); });

    lblMore = new QLabel(centralWidget());
    lblMore->setObjectName("lblMore");
    lblMore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblLink = new QLabel(centralWidget());
    lblLink->setObjectName("lblLink");
    lblLink->setText(QStringLiteral("<a href='#'>velmaris.example</a>"));
    lblLink->setToolTip(QLatin1String(kMakerAddress));
    connect(lblLink, &QLabel::linkActivated, this, [this] { logic_.menus.lblLink_Click(); });
    for (int i = 0; i < 2; ++i) {
        Line1[i] = new QFrame(centralWidget());
        Line1[i]->setObjectName(QStringLiteral("Line1_%1").arg(i));
        Line1[i]->setAutoFillBackground(true);
        Line1[i]->setPalette(QPalette(i == 0 ? Qt::darkGray : Qt::white));
    }
}

QMenu* frmMain::addMenu(const char* name, const char* caption) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(name);
    return menu;
}

QAction* frmMain::addMenuItem(QMenu* menu, const char* name, const char* caption,
                              void (MainMenus::*handler)()) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, handler] { (logic_.menus.*handler)(); });
    return action;
}

void frmMain::buildMenus() {
    mnuFile = addMenu("mnuFile", "File");
    addMenuItem(mnuFile, "mnuFileOpen", "Open Database", &MainMenus::mnuFileOpen_Click);
    mnuFile->addSeparator()->setObjectName("mnuSep6");
    addMenuItem(mnuFile, "mnuExit", "Exit", &MainMenus::mnuExit_Click);

    mnuEdit = addMenu("mnuEdit", "Edit");
    addMenuItem(mnuEdit, "mnuEditProperties", "Database Properties...",
                &MainMenus::mnuEditProperties_Click);
    mnuEdit->addSeparator()->setObjectName("mnuSep2");
    addMenuItem(mnuEdit, "mnuEditList", "Manage List...", &MainMenus::mnuEditList_Click);

    mnuOptions = addMenu("mnuOptions", "&Options");
    addMenuItem(mnuOptions, "mnuQuickSwitch", "QuickSwitch Settings...",
                &MainMenus::mnuQuickSwitch_Click);
    addMenuItem(mnuOptions, "mnuSettingsLocation", "Settings File Location...",
                &MainMenus::mnuSettingsLocation_Click);
    mnuOptions->addSeparator()->setObjectName("mnuSep1");
    addMenuItem(mnuOptions, "mnuLanguages", "&Languages...", &MainMenus::mnuLanguages_Click);
    addMenuItem(mnuOptions, "mnuIntegrate", "&Integrate with ACT!...",
                &MainMenus::mnuIntegrate_Click);

    mnuHelp = addMenu("mnuHelp", "&Help");
    addMenuItem(mnuHelp, "mnuManual", "User's manual", &MainMenus::mnuManual_Click);
    addMenuItem(mnuHelp, "mnuOnline", "&Online Help", &MainMenus::mnuOnline_Click);
    mnuHelp->addSeparator()->setObjectName("mnuSep3");
    addMenuItem(mnuHelp, "mnuAbout", "&About", &MainMenus::mnuAbout_Click);

    // Not on the menu bar: the list's popup menu.
    mnuPopup = new QMenu(QStringLiteral("Popup"), this);
    mnuPopup->setObjectName("mnuPopup");
    addMenuItem(mnuPopup, "mnuProperties", "Database Properties...",
                &MainMenus::mnuEditProperties_Click);
    mnuPopup->addSeparator()->setObjectName("mnuSep9");
    addMenuItem(mnuPopup, "mnuManageList", "Manage List...", &MainMenus::mnuEditList_Click);
}

void frmMain::load() {
    logic_.startup.Form_Load();
}

void frmMain::closeWindow() {
    close();
}

void frmMain::showWindow() {
    show();
}

void frmMain::hideWindow() {
    hide();
}

void frmMain::endProcess() {
    processEnded_ = true;
    // Queued, so that an end asked for before the event loop runs still ends it.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void frmMain::startShutdownTimer() {
    Timer1->start(1000);
}

void frmMain::setCaption(const std::string& caption) {
    setWindowTitle(qt(caption));
}

int frmMain::heightTwips() const {
    return twips(height());
}

int frmMain::widthTwips() const {
    return twips(width());
}

void frmMain::setSizeTwips(int height, int width) {
    resize(pixels(width), pixels(height));
    // A size stored on a bigger screen than this one. Fitting needs the
    // window's frame, which only a system window has: a window not made one
    // yet is fitted when it first shows, so that a start to the QuickSwitch
    // window, this one hidden, does not make it.
    if (testAttribute(Qt::WA_WState_Created))
        fitOnScreen(*this);
    else
        fitWhenShown_ = true;
}

void frmMain::applyLayout(const MainLayout& l) {
    ListView1->setGeometry(pixelRect(240, 210, l.listWidth, l.listHeight));
    Frame1->setGeometry(pixelRect(255, l.frameTop, frameWidth(), 1425));
    cmdOpen->setGeometry(pixelRect(l.buttonsLeft, 225, 1000, 325));
    cmdCancel->setGeometry(pixelRect(l.buttonsLeft, 660, 1000, 325));
    lblMore->setGeometry(
        pixelRect(l.linkLeft - kLinkGap - kMoreRoom, l.linkTop, kMoreRoom, kLinkHeight));
    lblLink->setGeometry(
        pixelRect(l.linkLeft, l.linkTop, std::max(1605, l.windowWidth - l.linkLeft), kLinkHeight));
    Line1[0]->setGeometry(0, 0, pixels(l.linesRight), 1);
    Line1[1]->setGeometry(0, 1, pixels(l.linesRight), 1);
}

void frmMain::applyTexts(const LangTable& t) {
    auto text = [&](int n) { return qt(t[n]); };
    auto dots = [&](int n) { return qt(t[n]) + "..."; };
    mnuFile->setTitle(text(txt::kFileMenu));
    mnuEdit->setTitle(text(txt::kEditMenu));
    mnuOptions->setTitle(text(txt::kOptionsMenu));
    mnuHelp->setTitle(text(txt::kHelpMenu));
    const std::pair<const char*, QString> items[] = {
        {"mnuFileOpen", text(txt::kOpen)},
        {"mnuExit", text(txt::kExit)},
        {"mnuEditProperties", dots(txt::kDatabaseProperties)},
        {"mnuEditList", dots(txt::kManageList)},
        {"mnuQuickSwitch", dots(txt::kQuickSwitchSettings)},
        {"mnuSettingsLocation", dots(txt::kSettingsFileLocation)},
        {"mnuLanguages", dots(txt::kLanguagesMenu)},
        {"mnuIntegrate", dots(txt::kIntegrateMenu)},
        {"mnuManual", text(txt::kUsersManual)},
        {"mnuOnline", text(txt::kOnlineHelp)},
        {"mnuAbout", text(txt::kAbout)},
        {"mnuProperties", dots(txt::kDatabaseProperties)},
        {"mnuManageList", dots(txt::kManageList)}};
    for (const auto& [name, caption] : items)
        findChild<QAction*>(name)->setText(caption);
    applyControlTexts(t);
}

void frmMain::applyControlTexts(const LangTable& t) {
    auto text = [&](int n) { return qt(t[n]); };
    cmdOpen->setText(text(txt::kOpen));
    cmdCancel->setText(text(txt::kClose));
    lblMore->setText(text(txt::kMoreAt));
    Frame1->setTitle(text(txt::kOpenIn));
    for (int i = 0; i < 7; ++i)
        lblView[i]->setText(text(txt::kFirstViewChoice + i));
    placeViewChoice();
    logic_.list.Form_Resize();
}

void frmMain::setColumnTitle(int column, const std::string& title) {
    ListView1->headerItem()->setText(column - 1, qt(title));
}

int frmMain::columnWidthTwips(int column) const {
    return twips(ListView1->columnWidth(column - 1));
}

void frmMain::setColumnWidthTwips(int column, int width) {
    ListView1->setColumnWidth(column - 1, pixels(width));
}

void frmMain::clearRows() {
    ListView1->clear();
}

void frmMain::addRow(const std::string& name) {
    static const QIcon icon(databaseIcon());
    auto* item = new QTreeWidgetItem(ListView1, {qt(name)});
    item->setIcon(0, icon);
}

void frmMain::setRowCells(int row, const std::array<std::string, 4>& cells) {
    QTreeWidgetItem* item = ListView1->topLevelItem(row - 1);
    for (int i = 0; i < 4; ++i)
        item->setText(i + 1, qt(cells[i]));
}

void frmMain::markRowOpen(int row) {
    QTreeWidgetItem* item = ListView1->topLevelItem(row - 1);
    for (int column = 0; column < 4; ++column)
        item->setForeground(column, kOpenDatabaseColour);
}

int frmMain::rowCount() const {
    return ListView1->topLevelItemCount();
}

std::string frmMain::rowText(int row) const {
    return ListView1->topLevelItem(row - 1)->text(0).toStdString();
}

std::optional<int> frmMain::selectedRow() const {
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        if (ListView1->topLevelItem(i)->isSelected())
            return i + 1;
    return std::nullopt;
}

void frmMain::selectRow(int row) {
    QTreeWidgetItem* item = ListView1->topLevelItem(row - 1);
    ListView1->setCurrentItem(item);
    ListView1->scrollToItem(item);
}

void frmMain::sortRows(int column, bool ascending) {
    ListView1->sortItems(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void frmMain::setOpenEnabled(bool enabled) {
    cmdOpen->setEnabled(enabled);
}

int frmMain::checkedView() const {
    for (int i = 0; i < 7; ++i)
        if (optView[i]->isChecked())
            return i;
    return 0;
}

void frmMain::focusList() {
    ListView1->setFocus();
}

void frmMain::showLanguagePicker() {
    frmLanguage picker(program_.store, program_.lang, isVisible() ? this : nullptr);
    picker.exec();
}

void frmMain::showProperties() {
    frmProperties dialog(program_, logic_.menus, logic_.list, this);
    dialog.exec();
}

void frmMain::showListMaintenance() {
    frmListMaintenance dialog(program_, logic_.menus, logic_.list, logic_.menus.iSelected, this);
    dialog.exec();
}

void frmMain::showSettingsLocation() {
    frmLocations dialog(program_, logic_.menus.bChanged, this);
    dialog.exec();
}

void frmMain::showIntegrate() {
    frmIntegrateNew dialog(program_, logic_.startup,
                           nativePath(QCoreApplication::applicationFilePath()), this);
    dialog.exec();
}

void frmMain::showQuickSwitch() {
    frmQuickSwitch window(program_, logic_.list.opener(), *this);
    window.exec();
}

void frmMain::showQuickSwitchSettings() {
    frmAssign dialog(program_, this);
    dialog.exec();
}

void frmMain::setRowText(int row, const std::string& name) {
    ListView1->topLevelItem(row - 1)->setText(0, qt(name));
}

void frmMain::clearRowMark(int row) {
    QTreeWidgetItem* item = ListView1->topLevelItem(row - 1);
    for (int column = 0; column < 4; ++column)
        item->setData(column, Qt::ForegroundRole, QVariant());
}

void frmMain::showAbout() {
    frmAbout about(program_.lang, this);
    about.exec();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!unloading_) {
        unloading_ = true;
        logic_.startup.Form_Unload();
    }
    event->accept();
}

void frmMain::showEvent(QShowEvent* event) {
    if (std::exchange(fitWhenShown_, false))
        fitOnScreen(*this);
    QMainWindow::showEvent(event);
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    logic_.list.Form_Resize();
}

void frmMain::popupAtCurrentRow() {
    if (mnuPopup->isVisible())
        return;
    // Below the current row, as list views place a menu asked for from the
    // keyboard; at the top of an empty list.
    const QTreeWidgetItem* row = ListView1->currentItem();
    const QPoint at = row ? ListView1->visualItemRect(row).bottomLeft() : QPoint(0, 0);
    mnuPopup->popup(ListView1->viewport()->mapToGlobal(at));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == ListView1->viewport() && mouse->button() == Qt::RightButton) {
            mnuPopup->popup(mouse->globalPosition().toPoint());
            return false;
        }
        for (int i = 0; i < 7; ++i)
            if (watched == lblView[i]) {
                optView[i]->setChecked(true);
                focusList();
                return true;
            }
    }
    if (watched != ListView1)
        return QMainWindow::eventFilter(watched, event);
    // The menu key, and on some systems Shift+F10, arrive as a request for
    // the context menu.
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        popupAtCurrentRow();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
            popupAtCurrentRow();
            return true;
        }
        // Enter stands for the Open button, and does nothing while it is off.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (cmdOpen->isEnabled())
                logic_.list.cmdOpen_Click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace vm
