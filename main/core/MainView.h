#pragma once

#include <array>
#include <optional>
#include <string>

#include "main/core/MainLayout.h"

namespace vm {

class LangTable;

// What the logic of the main window needs from the window itself. Sizes and
// positions are in twips; rows and columns count from 1.
class MainView {
public:
    virtual ~MainView() = default;

    // Closing runs the unload step; the window is not destroyed by it.
    virtual void closeWindow() = 0;
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    // Ends the program once the current event has been handled.
    virtual void endProcess() = 0;
    virtual void startShutdownTimer() = 0;

    virtual void setCaption(const std::string& caption) = 0;
    virtual int heightTwips() const = 0;
    virtual int widthTwips() const = 0;
    virtual void setSizeTwips(int height, int width) = 0;
    virtual void applyLayout(const MainLayout& layout) = 0;

    // Menus, buttons, the frame and the view labels, from the current table.
    virtual void applyTexts(const LangTable& texts) = 0;
    virtual void setColumnTitle(int column, const std::string& title) = 0;
    virtual int columnWidthTwips(int column) const = 0;
    virtual void setColumnWidthTwips(int column, int width) = 0;

    virtual void clearRows() = 0;
    // Adds a row at the end with the friendly name as its text.
    virtual void addRow(const std::string& name) = 0;
    // Columns 2 to 5: contact layout, group layout, macro, database path.
    virtual void setRowCells(int row, const std::array<std::string, 4>& cells) = 0;
    // Paints a row whose database is open in the host.
    virtual void markRowOpen(int row) = 0;
    // A row rebuilt in place: its new name, its mark taken off.
    virtual void setRowText(int row, const std::string& name) = 0;
    virtual void clearRowMark(int row) = 0;
    virtual int rowCount() const = 0;
    virtual std::string rowText(int row) const = 0;
    virtual std::optional<int> selectedRow() const = 0;
    virtual void selectRow(int row) = 0;
    // Sorts the rows by the text of the 0-based column.
    virtual void sortRows(int column, bool ascending) = 0;
    virtual void setOpenEnabled(bool enabled) = 0;
    // The first checked "Open in" view, 0 to 6.
    virtual int checkedView() const = 0;
    virtual void focusList() = 0;

    // Modal dialogs.
    virtual void showLanguagePicker() = 0;
    virtual void showAbout() = 0;
    // The properties of the program's current database, or a new one.
    virtual void showProperties() = 0;
    virtual void showListMaintenance() = 0;
    virtual void showSettingsLocation() = 0;
    // The QuickSwitch window, shown modally; the settings dialog of its tiles.
    virtual void showQuickSwitch() = 0;
    virtual void showQuickSwitchSettings() = 0;
    virtual void showIntegrate() = 0;
};

} // namespace vm
