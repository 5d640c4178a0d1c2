// The main menu as data: every item's name, caption, hint, shortcut and
// lesson code, in display order.
#pragma once
#include <span>

struct MenuItemDef
{
    const char *name;     // objectName of the action
    const char *caption;  // with "&"; "-" is a separator
    const char *hint;     // status tip
    const char *shortcut; // portable text, or empty
    int code;             // lesson code for lesson items, -1 otherwise
    bool start;           // carries the check mark at start
};

struct MenuDef
{
    const char *name;
    const char *caption;
    int helpContext;
    std::span<const MenuItemDef> items;
};

// Fichier, Edition, the lesson menus (Clavier, Exercices, Phrases, Texte,
// Tableur, Saisie, Jeu, as the lesson table orders them), Options,
// Utilitaires, ?
std::span<const MenuDef> menuTable();

// The items of the submenu that an item opens, by the item's name; empty for
// an item that opens none.
std::span<const MenuItemDef> submenuItems(const char *name);

// The items of each lesson menu, for the lesson table.
namespace lessonmenus {
std::span<const MenuItemDef> clavier();
std::span<const MenuItemDef> exercices();
std::span<const MenuItemDef> phrases();
std::span<const MenuItemDef> texte();
std::span<const MenuItemDef> tableur();
std::span<const MenuItemDef> saisie();
std::span<const MenuItemDef> jeu();
} // namespace lessonmenus

struct ToolButtonDef
{
    int left;
    const char *name; // SpeedButtonN, or BevelN for a separator
    const char *hint;
    const char *icon;
};

std::span<const ToolButtonDef> toolbarTable();
