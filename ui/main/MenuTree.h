#pragma once

#include <QKeySequence>
#include <QString>

#include <span>

// One entry of the main window's menus: a menu, a command or a separator, under its parent menu (none for the
// menu bar). The window builds its menus from these rows in their order, and the tests read the same rows.
struct MenuEntry {
    enum class Kind { Menu, Command, Separator };

    Kind kind;
    // The object name the window's code and the tests find the entry by.
    const char* name;
    const char* parent;
    QString caption;
    QKeySequence shortcut;
};

std::span<const MenuEntry> menuTree();
