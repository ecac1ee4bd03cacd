#include "host/menu.h"

#include "host/texts.h"
#include "host/window_proc.h"

const MenuTitle kMenu[kMenuTitleCount] = {
    {kTextMenuGame, 0, 2, {{kTextMenuReset, kCommandReset}, {kTextMenuExit, kCommandExit}}},
    {kTextMenuSetting, 0, 1, {{kTextMenuVolume, kCommandVolume}, {nullptr, 0}}},
    {kTextMenuVer, kCommandVersion, 0, {{nullptr, 0}, {nullptr, 0}}},
};
