#pragma once

#include "main/core/QuickSwitchLook.h"

#include <array>
#include <string>
#include <string_view>

namespace vm {

struct Program;
class MainView;
class OpenDatabase;

namespace quickswitch {

using Slots = std::array<std::string, kButtons>;

// The assignment of the eight tiles: fields beyond the eighth are ignored,
// missing ones are empty.
Slots slotsFrom(std::string_view assignment);

// How many columns of tiles show, and the window's outer width in twips:
// enough for the highest assigned pair of slots.
struct Layout {
    int columns;
    int widthTwips;
};
Layout layoutFor(const Slots& slots);
inline constexpr int kHeightTwips = 2400;

// What one tile shows.
struct Tile {
    bool visible = false;
    int number = 1; // its background, 1 to 4
    bool raised = false;
    std::string name; // empty for an unassigned tile
    std::string text; // the name, in parentheses when open in the host
    Rgb textColour{};
    bool clickable = false;
};
using Tiles = std::array<Tile, kButtons>;

} // namespace quickswitch

// The QuickSwitch window as its logic sees it.
class QuickSwitchView {
public:
    virtual ~QuickSwitchView() = default;
    virtual void setOuterSizeTwips(int width, int height) = 0;
    virtual void showTiles(const quickswitch::Tiles& tiles, int scheme) = 0;
    virtual int leftTwips() const = 0;
    virtual int topTwips() const = 0;
    virtual void setLeftTwips(int left) = 0;
    virtual void setTopTwips(int top) = 0;
    virtual void setCloseEnabled(bool enabled) = 0;
    // The settings dialog of the tiles, modal and above this window.
    virtual void showSettings() = 0;
    virtual void hideWindow() = 0;
    // Unloads the window; its unload step runs.
    virtual void closeWindow() = 0;
};

// The floating tile window: one click on a tile opens its database.
class QuickSwitch {
public:
    QuickSwitch(Program& program, OpenDatabase& opener, MainView& mainWindow,
                QuickSwitchView& view);

    void Form_Load();
    void Refresh_Screen();
    // `action`: a tracker's report, Tracker::kEntered or Tracker::kLeft.
    void MouseAction(int button, int action);
    void TrackerClick(int button);
    void mnuAssign_Click();
    void mnuControlClose_Click();
    void mnuExit_Click();
    void cmdCancel_Click();
    void Form_Unload();
    void Save_Position();

    const quickswitch::Tiles& tiles() const { return tiles_; }

private:
    Program& program_;
    OpenDatabase& opener_;
    MainView& mainWindow_;
    QuickSwitchView& view_;
    quickswitch::Tiles tiles_;
    int scheme_ = 0;
};

} // namespace vm
