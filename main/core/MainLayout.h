#pragma once

namespace vm {

// Where the main window's controls go for a window of a given size (twips).
// The window never gets smaller than 8475 x 5190.
struct MainLayout {
    int windowHeight;
    int windowWidth;
    int listHeight;
    int listWidth;
    int frameTop;
    int linkTop;     // lblMore and lblLink
    int moreLeft;    // lblMore
    int linkLeft;    // lblLink
    int buttonsLeft; // cmdOpen and cmdCancel
    int linesRight;  // the two lines along the top edge
};

inline constexpr int kSmallestHeight = 5190;
inline constexpr int kSmallestWidth = 8475;
MainLayout mainLayout(int height, int width);

} // namespace vm
