#pragma once

#include "main/core/MainLogic.h"
#include "main/core/MainView.h"
#include "main/core/OpenDatabase.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;
class QTreeWidget;

namespace vm {

class SingleInstance;

// The main window: the list of databases, the "Open in" choice and the menus.
// What it does lives in the logic it owns; the window maps widgets to it.
class frmMain : public QMainWindow, public MainView {
    Q_OBJECT
public:
    // Without an `opener` the window opens databases in the host itself.
    frmMain(Program& program, SingleInstance& instance, OpenDatabase* opener = nullptr);

    // Runs the start-up; the window shows itself, or closes, as it decides.
    void load();
    // True once the logic has asked for the process to end.
    bool processEnded() const { return processEnded_; }

    MainStartup& startup() { return logic_.startup; }
    MainMenus& menus() { return logic_.menus; }
    DatabaseList& list() { return logic_.list; }

    // MainView
    void closeWindow() override;
    void showWindow() override;
    void hideWindow() override;
    void endProcess() override;
    void startShutdownTimer() override;
    void setCaption(const std::string& caption) override;
    int heightTwips() const override;
    int widthTwips() const override;
    void setSizeTwips(int height, int width) override;
    void applyLayout(const MainLayout& layout) override;
    void applyTexts(const LangTable& texts) override;
    void setColumnTitle(int column, const std::string& title) override;
    int columnWidthTwips(int column) const override;
    void setColumnWidthTwips(int column, int width) override;
    void clearRows() override;
    void addRow(const std::string& name) override;
    void setRowCells(int row, const std::array<std::string, 4>& cells) override;
    void markRowOpen(int row) override;
    int rowCount() const override;
    std::string rowText(int row) const override;
    std::optional<int> selectedRow() const override;
    void selectRow(int row) override;
    void sortRows(int column, bool ascending) override;
    void setOpenEnabled(bool enabled) override;
    int checkedView() const override;
    void focusList() override;
    void showLanguagePicker() override;
    void showAbout() override;
    void showProperties() override;
    void showListMaintenance() override;
    void showSettingsLocation() override;
    void showQuickSwitch() override;
    void showQuickSwitchSettings() override;
    void showIntegrate() override;
    void setRowText(int row, const std::string& name) override;
    void clearRowMark(int row) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildList();
    void buildViewChoice();
    void buildButtonsAndLinks();
    void buildMenus();
    void placeViewChoice();
    int labelColumnWidth(int first, int last) const;
    int frameWidth() const;
    QMenu* addMenu(const char* name, const char* caption);
    QAction* addMenuItem(QMenu* menu, const char* name, const char* caption,
                         void (MainMenus::*handler)());
    // The buttons, labels and frame; the menus keep theirs.
    void applyControlTexts(const LangTable& texts);
    void popupAtCurrentRow();

    Program& program_;
    std::unique_ptr<OpenDatabase> ownOpener_;
    MainLogic logic_;

    QTreeWidget* ListView1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 7> optView{};
    std::array<QLabel*, 7> lblView{};
    QPushButton* cmdOpen = nullptr;
    QPushButton* cmdCancel = nullptr;
    QLabel* lblMore = nullptr;
    QLabel* lblLink = nullptr;
    std::array<QFrame*, 2> Line1{};
    QMenu* mnuFile = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuOptions = nullptr;
    QMenu* mnuHelp = nullptr;
    QMenu* mnuPopup = nullptr;
    QTimer* Timer1 = nullptr;
    bool unloading_ = false;
    bool fitWhenShown_ = false;
    bool processEnded_ = false;
};

} // namespace vm
