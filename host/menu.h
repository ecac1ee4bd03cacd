// The menu bar's titles and items with their commands, as the resource
// script gives them to Windows: the SDL shell draws this table, the page
// builds its elements from it.
#pragma once
#include <cstdint>

constexpr int kMenuTitleCount = 3;
constexpr int kMenuMaxItems = 2;

struct MenuItem {
  const char* text;
  uint32_t command;
};

struct MenuTitle {
  const char* text;
  uint32_t command;  // a title that is a command itself; 0 when it opens items
  int itemCount;
  MenuItem items[kMenuMaxItems];
};

// "Game" (Reset, Exit), "Setting" (Volume) and the command "Ver".
extern const MenuTitle kMenu[kMenuTitleCount];
