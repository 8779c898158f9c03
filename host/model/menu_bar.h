// The model of Excel's menu bars: the worksheet menu bar with Excel's own menus in Excel's
// language, and the menus, items and submenus that add-ins put on it. It knows nothing of the
// C API; the menu handlers (capi/menus.cpp) read and change it.
#pragma once

#include <string>
#include <vector>

#include "xlhost/menus.h"

namespace xlhost {

class MenuBars {
public:
    // The bars of a freshly started Excel of that language ("en" or "pt").
    explicit MenuBars(const std::string& excel_language = "en");
    void reset(const std::string& excel_language);

    // Null when Excel has no bar of that number.
    MenuBar* bar(int id);
    const MenuBar* bar(int id) const;

private:
    std::vector<MenuBar> bars_;
};

// Index (from 0) of the entry named `name` by Excel's matching rules, or -1.
int find_menu_item(const std::vector<MenuItem>& items, const std::string& name);

}  // namespace xlhost
