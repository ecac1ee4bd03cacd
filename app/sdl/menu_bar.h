// The menu bar the SDL shell draws above the client area: "Game" (Reset,
// Exit), "Setting" (Volume) and the command "Ver", in canvas pixels. A press
// on a title runs a modal menu loop, as the Windows menu bar does: no frame
// runs until a choice is made or the menu is left.
#pragma once
#include <cstdint>

#include "gfx/gfx.h"
#include "host/menu.h"


// The title under a canvas point, or -1.
int menuTitleAt(int32_t x, int32_t y);
Rect menuTitleRect(int title);
// A title's drop-down (an empty Rect for "Ver", which has none).
Rect dropDownRect(int title);
int dropDownItemCount(int title);
// The drop-down item of the title under a canvas point, or -1.
int dropDownItemAt(int title, int32_t x, int32_t y);
// The WM_COMMAND number of an item, or of a title that is itself a command
// (item -1); 0 for a title that only opens its drop-down.
uint32_t menuCommand(int title, int item);

// Draws the bar into the canvas with one title highlighted (-1: none).
void drawMenuBar(int highlightedTitle);

// The modal menu loop, entered by a left-button press on a title. Returns the
// chosen command, 0 when the menu was left without a choice. The canvas is
// put back before it returns.
uint32_t runMenuLoop(int title);
