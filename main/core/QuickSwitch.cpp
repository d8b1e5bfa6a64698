#include "main/core/QuickSwitch.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"
#include "main/core/LangText.h"
#include "main/core/MainView.h"
#include "main/core/OpenDatabase.h"
#include "main/core/Program.h"
#include "main/core/StoredNumbers.h"
#include "main/core/Tracker.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"

#include <cmath>

namespace vm {

namespace quickswitch {

Slots slotsFrom(std::string_view assignment) {
    Slots slots;
    const std::vector<std::string> fields = schema::splitList(assignment);
    for (std::size_t i = 0; i < fields.size() && i < slots.size(); ++i)
        slots[i] = fields[i];
    return slots;
}

Layout layoutFor(const Slots& slots) {
    // Widths are the frame's eight pixels plus 76 a column and 12 for the strip.
    static constexpr std::array<int, 4> kWidths{1440, 2580, 3725, 4865};
    int columns = 1;
    for (int column = 4; column > 1 && columns == 1; --column)
        if (!slots[2 * column - 2].empty() || !slots[2 * column - 1].empty())
            columns = column;
    return {columns, kWidths[columns - 1]};
}

} // namespace quickswitch

namespace {

constexpr std::string_view kWindow = "frmQuickSwitch";

Procedure handler(std::string_view name) {
    return {kWindow, "Sub", name};
}

} // namespace

QuickSwitch::QuickSwitch(Program& program, OpenDatabase& opener, MainView& mainWindow,
                         QuickSwitchView& view)
    : program_(program), opener_(opener), mainWindow_(mainWindow), view_(view) {}

void QuickSwitch::Form_Load() {
    guarded(handler("Form_Load"), [&] {
        // First, so that no stored value that cannot be read leaves the way
        // back to the main window open while the host is being started.
        view_.setCloseEnabled(!program_.bStartMode);
        Refresh_Screen();
        PerUserStore& store = program_.store;
        const std::string top = store.GetSetting(schema::kSettings, schema::kQuickTop);
        if (!top.empty())
            view_.setTopTwips(static_cast<int>(std::lround(readSingle(top, "Settings/QuickTop"))));
        const std::string left = store.GetSetting(schema::kSettings, schema::kQuickLeft);
        if (!left.empty())
            view_.setLeftTwips(
                static_cast<int>(std::lround(readSingle(left, "Settings/QuickLeft"))));
    });
}

void QuickSwitch::Refresh_Screen() {
    guarded(handler("Refresh_Screen"), [&] {
        IniLib& ini = program_.ini;
        const IniLib::Snapshot oneReading(ini);
        const std::string general(schema::kGeneral);
        const int scheme =
            readInt16(ini.GetKeyValue(general, std::string(schema::kQuickSwitchScheme), "0"),
                      "General/QuickSwitchScheme");
        if (scheme < 0 || scheme >= quickswitch::kSchemes)
            throw Failure(err::kSubscript,
                          "Subscript out of range: General/QuickSwitchScheme holds \"" +
                              std::to_string(scheme) + "\"");
        scheme_ = scheme;
        const quickswitch::Slots slots =
            quickswitch::slotsFrom(ini.GetKeyValue(general, std::string(schema::kQuickSwitch), ""));
        const quickswitch::Layout layout = quickswitch::layoutFor(slots);
        view_.setOuterSizeTwips(layout.widthTwips, quickswitch::kHeightTwips);
        for (int button = 1; button <= quickswitch::kButtons; ++button) {
            quickswitch::Tile& tile = tiles_[button - 1];
            const std::string& name = slots[button - 1];
            const bool open =
                !name.empty() && program_.sOpenDBList.find("|" + name + "|") != std::string::npos;
            tile = quickswitch::Tile();
            tile.visible = (button + 1) / 2 <= layout.columns;
            tile.number = quickswitch::tileNumber(button);
            tile.name = name;
            tile.text = open ? "(" + name + ")" : name;
            tile.textColour = quickswitch::textColour(scheme_, button);
            tile.clickable = !name.empty() && !open;
        }
        view_.showTiles(tiles_, scheme_);
    });
}

void QuickSwitch::MouseAction(int button, int action) {
    quickswitch::Tile& tile = tiles_[button - 1];
    if (tile.name.empty() || (action != Tracker::kEntered && action != Tracker::kLeft))
        return;
    tile.raised = action == Tracker::kEntered;
    view_.showTiles(tiles_, scheme_);
}

void QuickSwitch::TrackerClick(int button) {
    guarded(handler("Tracker" + std::to_string(button) + "_Click"), [&] {
        const std::string name = tiles_[button - 1].name;
        if (name.empty())
            return;
        view_.hideWindow();
        Save_Position();
        opener_.Open_DB(name, 0, true);
        program_.bQuickSwitchExit = true;
        view_.closeWindow();
    });
}

void QuickSwitch::mnuAssign_Click() {
    guarded(handler("mnuAssign_Click"), [&] {
        view_.showSettings();
        Refresh_Screen();
    });
}

void QuickSwitch::mnuControlClose_Click() {
    view_.closeWindow();
}

void QuickSwitch::mnuExit_Click() {
    program_.bStartCancelled = true;
    program_.bQuickSwitchExit = true;
    view_.closeWindow();
}

void QuickSwitch::cmdCancel_Click() {
    program_.bQuickSwitchExit = true;
    view_.closeWindow();
}

void QuickSwitch::Form_Unload() {
    guarded(handler("Form_Unload"), [&] {
        Save_Position();
        if (program_.bQuickSwitchExit)
            return;
        view_.hideWindow();
        mainWindow_.showWindow();
    });
}

void QuickSwitch::Save_Position() {
    guarded(handler("Save_Position"), [&] {
        // Not checked: a position that was not stored only opens the next
        // window where the last one before it stood.
        (void)program_.store.SaveSetting(schema::kSettings, schema::kQuickLeft,
                                         std::to_string(view_.leftTwips()));
        (void)program_.store.SaveSetting(schema::kSettings, schema::kQuickTop,
                                         std::to_string(view_.topTwips()));
    });
}

} // namespace vm
