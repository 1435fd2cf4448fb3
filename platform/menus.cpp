// The menu bar of the main window, built from popups by handle. Each item is
// one QAction, shared between its popup and, for the bar's own items, the
// QMenuBar; choices reach the program queued, after the menu has closed.
#include "platform/menus.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <map>

#include "platform/app.h"
#include "platform/ui_qt.h"

namespace plat {

namespace {

struct Item {
  int flags = 0;
  int id = 0;
  std::string text;
  QPointer<QAction> action;
};
struct Menu {
  std::vector<Item> items;
  QPointer<QMenu> qmenu;
};

std::map<int, Menu> g_menus;
int g_nextHandle = 1000001;  // far above every command number
int g_bar = 0;
QPointer<QMenuBar> g_qbar;

Menu* Find(int handle) {
  auto it = g_menus.find(handle);
  return it == g_menus.end() ? nullptr : &it->second;
}

bool IsPopup(const Item& i) { return (i.flags & kMenuPopup) != 0; }

void RaiseMenuEvent(int command) {
  EventArgs args;
  args.index = 0;
  args.command = command;
  RaiseEvent("Form_MenuEvent", args);
}

// Finds the item with this command number (or popup handle) below `menu`;
// `path` receives the popups on the way (for the grayed-parent test).
Item* Search(int menu, int id, std::vector<int>* path, int depth = 0) {
  Menu* m = Find(menu);
  if (!m || depth > 32) return nullptr;
  for (Item& i : m->items) {
    if (i.flags & kMenuSeparator) continue;
    if (i.id == id) return &i;
  }
  for (Item& i : m->items) {
    if (!IsPopup(i)) continue;
    if (path) path->push_back(i.id);
    if (Item* found = Search(i.id, id, path, depth + 1)) return found;
    if (path) path->pop_back();
  }
  return nullptr;
}

Item* ParentItemOf(int handle) {
  for (auto& [h, m] : g_menus)
    for (Item& i : m.items)
      if (IsPopup(i) && i.id == handle) return &i;
  return nullptr;
}

void ApplyState(Item& i) {
  if (!i.action) return;
  i.action->setEnabled(!(i.flags & kMenuGrayed));
  if (i.flags & kMenuChecked) i.action->setCheckable(true);
  if (i.action->isCheckable()) i.action->setChecked(i.flags & kMenuChecked);
}

void DestroyTree(int handle, int depth = 0) {
  Menu* m = Find(handle);
  if (!m || depth > 32) return;
  std::vector<int> children;
  for (Item& i : m->items) {
    if (IsPopup(i)) children.push_back(i.id);
    if (i.action && !IsPopup(i)) i.action->deleteLater();
  }
  if (m->qmenu) m->qmenu->deleteLater();
  g_menus.erase(handle);
  for (int c : children) DestroyTree(c, depth + 1);
}

std::vector<MenuItemInfo> Tree(int handle, int depth) {
  std::vector<MenuItemInfo> out;
  Menu* m = Find(handle);
  if (!m || depth > 32) return out;
  for (Item& i : m->items) {
    MenuItemInfo info;
    info.text = i.text;
    info.id = i.id;
    info.enabled = !(i.flags & kMenuGrayed);
    info.checked = (i.flags & kMenuChecked) != 0;
    info.separator = (i.flags & kMenuSeparator) != 0;
    info.popup = IsPopup(i);
    if (info.popup) info.children = Tree(i.id, depth + 1);
    out.push_back(std::move(info));
  }
  return out;
}

}  // namespace

namespace ui {
void ResetMenus() {
  std::vector<int> handles;
  for (auto& [h, m] : g_menus) handles.push_back(h);
  for (int h : handles) DestroyTree(h);
  g_menus.clear();
  g_bar = 0;
  if (g_qbar) g_qbar->deleteLater();
  g_qbar = nullptr;
}

bool MenuCommandChoosable(int command, std::string& why) {
  if (!g_bar) {
    why = "no menu bar";
    return false;
  }
  std::vector<int> path;
  Item* i = Search(g_bar, command, &path);
  if (!i || IsPopup(*i)) {
    why = "no menu item with command " + std::to_string(command);
    return false;
  }
  if (i->flags & kMenuGrayed) {
    why = "menu item " + std::to_string(command) + " is grayed";
    return false;
  }
  for (int popup : path) {
    Item* parent = ParentItemOf(popup);
    if (parent && (parent->flags & kMenuGrayed)) {
      why = "menu item " + std::to_string(command) + " lies in a grayed popup";
      return false;
    }
  }
  return true;
}
}  // namespace ui

int CreatePopupMenu() {
  int h = g_nextHandle++;
  Menu& m = g_menus[h];
  m.qmenu = new QMenu;
  return h;
}

int CreateMenu() { return CreatePopupMenu(); }

bool AppendMenu(int menu, int flags, int id, const std::string& text) {
  Menu* m = Find(menu);
  if (!m) return false;
  Item item;
  item.flags = flags;
  item.id = id;
  item.text = text;
  if (flags & kMenuSeparator) {
    item.action = m->qmenu->addSeparator();
  } else if (flags & kMenuPopup) {
    Menu* child = Find(id);
    if (!child) return false;
    child->qmenu->setTitle(ui::ToQt(text));
    item.action = child->qmenu->menuAction();
    m->qmenu->addAction(item.action);
  } else {
    auto* action = new QAction(ui::ToQt(text), m->qmenu);
    action->setMenuRole(QAction::NoRole);
    QObject::connect(action, &QAction::triggered, action, [id] {
      // Queued, so that a handler that rebuilds the bar never deletes the
      // action inside its own signal.
      QMetaObject::invokeMethod(qApp, [id] {
        ui::QtEntry entry;
        RaiseMenuEvent(id);
      }, Qt::QueuedConnection);
    });
    m->qmenu->addAction(action);
    item.action = action;
  }
  m->items.push_back(item);
  ApplyState(m->items.back());
  if (menu == g_bar && g_qbar && item.action) g_qbar->addAction(item.action);
  return true;
}

void SetMenu(int bar) {
  Menu* m = Find(bar);
  if (!m) return;
  if (!MainWindowOpen()) OpenMainWindow("");
  auto* qbar = new QMenuBar;
  for (Item& i : m->items)
    if (i.action) qbar->addAction(i.action);
  qbar->setEnabled(!PageWaiting());
  ui::MainWindow()->setMenuBar(qbar);  // the old bar is deleted later by Qt
  g_qbar = qbar;
  g_bar = bar;
}

void DestroyMenu(int menu) {
  if (!Find(menu)) return;
  bool wasBar = menu == g_bar;
  DestroyTree(menu);
  if (wasBar) {
    g_bar = 0;
    if (ui::MainWindow()) {
      auto* fresh = new QMenuBar;
      ui::MainWindow()->setMenuBar(fresh);
      g_qbar = fresh;
    }
  }
}

int EnableMenuItem(int menu, int idOrHandle, int flags) {
  Item* i = Search(menu, idOrHandle, nullptr);
  if (!i) return -1;
  int old = i->flags;
  if (flags & kMenuGrayed) i->flags |= kMenuGrayed;
  else i->flags &= ~kMenuGrayed;
  ApplyState(*i);
  return old & kMenuGrayed;
}

int CheckMenuItem(int menu, int id, int flags) {
  Item* i = Search(menu, id, nullptr);
  if (!i) return -1;
  int old = i->flags;
  if (flags & kMenuChecked) i->flags |= kMenuChecked;
  else i->flags &= ~kMenuChecked;
  ApplyState(*i);
  return old & kMenuChecked;
}

int CurrentMenuBar() { return g_bar; }

std::vector<MenuItemInfo> MenuTree(int menu) { return Tree(menu, 0); }
std::vector<MenuItemInfo> MenuBarTree() { return g_bar ? Tree(g_bar, 0) : std::vector<MenuItemInfo>{}; }

}  // namespace plat
