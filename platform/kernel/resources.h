// The program's resources as the subset serves them: tables made at build time from the
// program's resource script by tools/rc. A program without a script has an empty table.
#pragma once

#include <cstdint>

namespace platform::resources {

struct StringEntry {
  unsigned id;
  const char* text;
};

struct AcceleratorEntry {
  unsigned char flags;  // FVIRTKEY, FSHIFT, FCONTROL, FALT, FNOINVERT
  unsigned short key;
  unsigned short command;
};

struct AcceleratorTable {
  unsigned id;
  const AcceleratorEntry* entries;
  unsigned count;
};

struct MenuEntry {
  unsigned flags;  // MF_POPUP, MF_SEPARATOR, MF_CHECKED, MF_GRAYED
  unsigned id;
  const char* text;
  const MenuEntry* children;  // a popup's items
  unsigned childCount;
};

struct MenuTemplate {
  unsigned id;
  const MenuEntry* items;
  unsigned count;
};

struct DialogControl {
  const char* windowClass;  // "BUTTON", "STATIC", "EDIT"
  const char* text;
  unsigned iconId;  // SS_ICON statics
  int id;
  std::uint32_t style;
  std::uint32_t exStyle;
  short x, y, cx, cy;  // dialog units
};

struct DialogTemplate {
  unsigned id;
  std::uint32_t style;
  std::uint32_t exStyle;
  short x, y, cx, cy;
  const char* caption;
  const char* font;
  unsigned short pointSize;
  const DialogControl* controls;
  unsigned count;
};

struct IconFile {
  unsigned id;
  bool cursor;
  const unsigned char* bytes;  // the .ico or .cur file
  unsigned size;
};

struct ResourceTable {
  const StringEntry* strings;
  unsigned stringCount;
  const AcceleratorTable* accelerators;
  unsigned acceleratorCount;
  const MenuTemplate* menus;
  unsigned menuCount;
  const DialogTemplate* dialogs;
  unsigned dialogCount;
  const IconFile* icons;
  unsigned iconCount;
};

// Defined by the generated resource file; a weak empty table stands in when there is none.
const ResourceTable& ProgramResources();

}  // namespace platform::resources
