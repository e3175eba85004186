// Menus from the resource tables, their items' states, and accelerator tables.
#include <cstring>

#include "../kernel/last_error.h"
#include "../kernel/resources.h"
#include "user_state.h"

namespace platform::user {
namespace {

HMENU Build(const resources::MenuEntry* entries, unsigned count) {
  Menu menu;
  for (unsigned i = 0; i < count; ++i) {
    const resources::MenuEntry& entry = entries[i];
    MenuItem item{entry.flags, entry.id, entry.text != nullptr ? entry.text : "", nullptr};
    if (entry.flags & MF_POPUP) item.submenu = Build(entry.children, entry.childCount);
    menu.items.push_back(std::move(item));
  }
  return reinterpret_cast<HMENU>(State().menus.Add(std::move(menu)));
}

unsigned IdOf(LPCSTR name) {
  return IS_INTRESOURCE(name) ? static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)) : 0;
}

MenuItem* ItemOf(HMENU menu, UINT item, BOOL byPosition) {
  Menu* found = FindMenu(menu);
  if (found == nullptr) return nullptr;
  if (byPosition) return item < found->items.size() ? &found->items[item] : nullptr;
  return FindCommand(menu, item);
}

}  // namespace

Menu* FindMenu(HMENU menu) { return State().menus.Find(reinterpret_cast<std::uintptr_t>(menu)); }

MenuItem* FindCommand(HMENU menu, UINT id) {
  Menu* found = FindMenu(menu);
  if (found == nullptr) return nullptr;
  for (MenuItem& item : found->items) {
    if (!(item.flags & (MF_POPUP | MF_SEPARATOR)) && item.id == id) return &item;
    if (item.submenu != nullptr)
      if (MenuItem* inner = FindCommand(item.submenu, id)) return inner;
  }
  return nullptr;
}

}  // namespace platform::user

using namespace platform::user;

extern "C" HMENU WINAPI LoadMenuA(HINSTANCE, LPCSTR lpMenuName) {
  const auto& table = platform::resources::ProgramResources();
  for (unsigned i = 0; i < table.menuCount; ++i)
    if (table.menus[i].id == IdOf(lpMenuName))
      return Build(table.menus[i].items, table.menus[i].count);
  return platform::Fail(DWORD{1814} /* ERROR_RESOURCE_NAME_NOT_FOUND */, HMENU{});
}

extern "C" HMENU WINAPI GetMenu(HWND hWnd) {
  Window* window = FindWindowOf(hWnd);
  return window != nullptr && window->parent == nullptr ? window->menu : nullptr;
}

extern "C" HMENU WINAPI GetSubMenu(HMENU hMenu, int nPos) {
  Menu* menu = FindMenu(hMenu);
  if (menu == nullptr || nPos < 0 || static_cast<std::size_t>(nPos) >= menu->items.size())
    return nullptr;
  return menu->items[static_cast<std::size_t>(nPos)].submenu;
}

extern "C" BOOL WINAPI GetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPosition,
                                        LPMENUITEMINFOA lpmii) {
  if (lpmii == nullptr || lpmii->cbSize != sizeof(MENUITEMINFOA))
    return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  MenuItem* found = ItemOf(hmenu, item, fByPosition);
  if (found == nullptr) return platform::Fail(DWORD{1456} /* ERROR_MENU_ITEM_NOT_FOUND */, FALSE);
  if (lpmii->fMask & MIIM_STATE)
    lpmii->fState = (found->flags & MF_CHECKED ? MFS_CHECKED : 0) |
                    (found->flags & (MF_GRAYED | MF_DISABLED) ? MFS_GRAYED : 0);
  if (lpmii->fMask & MIIM_ID) lpmii->wID = found->id;
  if (lpmii->fMask & MIIM_SUBMENU) lpmii->hSubMenu = found->submenu;
  if (lpmii->fMask & MIIM_TYPE) lpmii->fType = found->flags & MF_SEPARATOR;
  return TRUE;
}

extern "C" BOOL WINAPI SetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPositon,
                                        LPCMENUITEMINFOA lpmii) {
  if (lpmii == nullptr || lpmii->cbSize != sizeof(MENUITEMINFOA))
    return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  MenuItem* found = ItemOf(hmenu, item, fByPositon);
  if (found == nullptr) return platform::Fail(DWORD{1456}, FALSE);
  // MIIM_STATE replaces the whole state word.
  if (lpmii->fMask & MIIM_STATE)
    found->flags = (found->flags & ~(MF_CHECKED | MF_GRAYED | MF_DISABLED)) |
                   (lpmii->fState & MFS_CHECKED ? MF_CHECKED : 0) |
                   (lpmii->fState & MFS_GRAYED ? MF_GRAYED : 0);
  if (lpmii->fMask & MIIM_ID) found->id = lpmii->wID;
  return TRUE;
}

extern "C" BOOL WINAPI DestroyMenu(HMENU hMenu) {
  Menu* menu = FindMenu(hMenu);
  if (menu == nullptr) return platform::Fail(DWORD{1401} /* ERROR_INVALID_MENU_HANDLE */, FALSE);
  for (const MenuItem& item : std::vector<MenuItem>(menu->items))
    if (item.submenu != nullptr) DestroyMenu(item.submenu);
  State().menus.Remove(reinterpret_cast<std::uintptr_t>(hMenu));
  return TRUE;
}

extern "C" HACCEL WINAPI LoadAcceleratorsA(HINSTANCE, LPCSTR lpTableName) {
  const auto& table = platform::resources::ProgramResources();
  for (unsigned i = 0; i < table.acceleratorCount; ++i) {
    const auto& source = table.accelerators[i];
    if (source.id != IdOf(lpTableName)) continue;
    Accelerators accelerators;
    for (unsigned j = 0; j < source.count; ++j)
      accelerators.entries.push_back(
          {source.entries[j].flags, source.entries[j].key, source.entries[j].command});
    return reinterpret_cast<HACCEL>(State().accelerators.Add(std::move(accelerators)));
  }
  return platform::Fail(DWORD{1814}, HACCEL{});
}

extern "C" int WINAPI TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
  UserState& state = State();
  Accelerators* table = state.accelerators.Find(reinterpret_cast<std::uintptr_t>(hAccTable));
  if (table == nullptr || lpMsg == nullptr || FindWindowOf(hWnd) == nullptr) return 0;
  const UINT message = lpMsg->message;
  const bool keyMessage = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  if (!keyMessage && message != WM_CHAR && message != WM_SYSCHAR) return 0;
  const bool alt =
      message == WM_SYSKEYDOWN || message == WM_SYSCHAR || (state.keyState[VK_MENU] & 0x80);
  const bool shift = (state.keyState[VK_SHIFT] & 0x80) != 0;
  const bool control = (state.keyState[VK_CONTROL] & 0x80) != 0;
  for (const ACCEL& entry : table->entries) {
    const bool virtualKey = (entry.fVirt & FVIRTKEY) != 0;
    if (virtualKey != keyMessage || entry.key != lpMsg->wParam) continue;
    // A virtual-key entry wants exactly its modifiers; a character entry only its Alt.
    if (virtualKey &&
        (shift != ((entry.fVirt & FSHIFT) != 0) || control != ((entry.fVirt & FCONTROL) != 0)))
      continue;
    if (alt != ((entry.fVirt & FALT) != 0)) continue;
    // The key is taken either way; the command goes out only when it could be chosen.
    Window* window = FindWindowOf(hWnd);
    const MenuItem* item = window->menu != nullptr && window->parent == nullptr
                               ? FindCommand(window->menu, entry.cmd)
                               : nullptr;
    const bool grayed = item != nullptr && (item->flags & (MF_GRAYED | MF_DISABLED));
    if (!grayed && IsWindowEnabled(hWnd) && !window->minimized)
      SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
    return 1;
  }
  return 0;
}

extern "C" int WINAPI LoadStringA(HINSTANCE, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
  if (lpBuffer == nullptr || cchBufferMax <= 0) return platform::Fail(ERROR_INVALID_PARAMETER, 0);
  const auto& table = platform::resources::ProgramResources();
  for (unsigned i = 0; i < table.stringCount; ++i) {
    if (table.strings[i].id != uID) continue;
    const std::size_t n = std::min<std::size_t>(std::strlen(table.strings[i].text),
                                                static_cast<std::size_t>(cchBufferMax - 1));
    std::memcpy(lpBuffer, table.strings[i].text, n);
    lpBuffer[n] = '\0';
    return static_cast<int>(n);
  }
  lpBuffer[0] = '\0';
  return platform::Fail(DWORD{1814}, 0);
}
