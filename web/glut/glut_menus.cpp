// GLUT's pop-up menus: menus made, changed and destroyed, with entries and
// submenus, attached to mouse buttons, and shown by the page (menu.js) as
// one list, each submenu's entries under its label.
#include <GL/glut.h>
#include <emscripten.h>

#include <map>
#include <string>
#include <vector>

#include "web/glut/glut_state.h"

namespace {

struct Entry {
    std::string label;
    int value;    // what the callback gets
    int submenu;  // or 0
};

struct Menu {
    void (*func)(int);
    std::vector<Entry> entries;
};

std::map<int, Menu> menus;
int currentMenu = 0, nextMenu = 1;
int attached[3] = {0, 0, 0};
void (*statusFunc)(int, int, int) = nullptr;
void (*stateFunc)(int) = nullptr;  // GLUT 3.0's form, without the position

// What the page's list holds, one item each: the menu whose callback it
// calls and the value it passes.
struct Item {
    int menu, value;
};
std::vector<Item> items;

EM_JS(void, pageClearMenu, (), { if (Module.clearMenu) Module.clearMenu(); });
EM_JS(void, pageAddMenuEntry, (const char* label, int value), { Module.addMenuEntry(UTF8ToString(label), value); });
EM_JS(void, pageShowMenu, (double x, double y), { Module.showMenu(x, y); });

void addItems(int id, const std::string& indent, int depth)
{
    auto it = menus.find(id);
    if (it == menus.end() || depth > 8)
        return;
    for (const Entry& e : it->second.entries) {
        if (e.submenu) {
            pageAddMenuEntry((indent + e.label + " \u203a").c_str(), -1);
            addItems(e.submenu, indent + "    ", depth + 1);
        } else {
            items.push_back({id, e.value});
            pageAddMenuEntry((indent + e.label).c_str(), (int)items.size() - 1);
        }
    }
}

// The page's list made again from the menu on the button.
void rebuild(int button)
{
    pageClearMenu();
    items.clear();
    addItems(attached[button], "", 0);
}

Menu* current()
{
    auto it = menus.find(currentMenu);
    return it == menus.end() ? nullptr : &it->second;
}

void changed()
{
    for (int b = 0; b < 3; b++)
        if (attached[b] == currentMenu)
            rebuild(b);
}

}  // namespace

namespace glutweb {

int menuItems()
{
    const auto it = menus.find(currentMenu);
    return it == menus.end() ? 0 : (int)it->second.entries.size();
}

bool menuOn(int button)
{
    return button >= 0 && button < 3 && menus.count(attached[button]);
}

void showMenuAt(double clientX, double clientY, int button)
{
    rebuild(button);
    if (statusFunc)
        statusFunc(GLUT_MENU_IN_USE, mouseX, mouseY);
    if (stateFunc)
        stateFunc(GLUT_MENU_IN_USE);
    pageShowMenu(clientX, clientY);
}

}  // namespace glutweb

extern "C" {

// An item of the page's list chosen: its menu's callback, with its value.
EMSCRIPTEN_KEEPALIVE void tarnvaleMenuSelect(int item)
{
    if (statusFunc)
        statusFunc(GLUT_MENU_NOT_IN_USE, glutweb::mouseX, glutweb::mouseY);
    if (stateFunc)
        stateFunc(GLUT_MENU_NOT_IN_USE);
    if (item < 0 || (size_t)item >= items.size())
        return;
    auto it = menus.find(items[(size_t)item].menu);
    if (it != menus.end() && it->second.func)
        it->second.func(items[(size_t)item].value);
}

int glutCreateMenu(void (*func)(int))
{
    menus[nextMenu] = {func, {}};
    currentMenu = nextMenu;
    return nextMenu++;
}

void glutDestroyMenu(int menu)
{
    menus.erase(menu);
    for (int& a : attached)
        if (a == menu)
            a = 0;
    if (currentMenu == menu)
        currentMenu = 0;
}

int glutGetMenu() { return currentMenu; }
void glutSetMenu(int menu) { if (menus.count(menu)) currentMenu = menu; }

void glutAddMenuEntry(const char* label, int value)
{
    if (Menu* m = current()) {
        m->entries.push_back({label, value, 0});
        changed();
    }
}

void glutAddSubMenu(const char* label, int submenu)
{
    if (Menu* m = current()) {
        m->entries.push_back({label, 0, submenu});
        changed();
    }
}

// Entries count from 1, as GLUT counts them.
void glutChangeToMenuEntry(int entry, const char* label, int value)
{
    Menu* m = current();
    if (m && entry >= 1 && (size_t)entry <= m->entries.size()) {
        m->entries[(size_t)entry - 1] = {label, value, 0};
        changed();
    }
}

void glutChangeToSubMenu(int entry, const char* label, int submenu)
{
    Menu* m = current();
    if (m && entry >= 1 && (size_t)entry <= m->entries.size()) {
        m->entries[(size_t)entry - 1] = {label, 0, submenu};
        changed();
    }
}

void glutRemoveMenuItem(int entry)
{
    Menu* m = current();
    if (m && entry >= 1 && (size_t)entry <= m->entries.size()) {
        m->entries.erase(m->entries.begin() + (entry - 1));
        changed();
    }
}

void glutAttachMenu(int button)
{
    if (button >= 0 && button < 3 && current()) {
        attached[button] = currentMenu;
        rebuild(button);
    }
}

void glutDetachMenu(int button)
{
    if (button >= 0 && button < 3)
        attached[button] = 0;
}

void glutMenuStatusFunc(void (*func)(int, int, int)) { statusFunc = func; }
void glutMenuStateFunc(void (*func)(int)) { stateFunc = func; }

}  // extern "C"
