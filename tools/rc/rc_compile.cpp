// tavrelo-rc SCRIPT.rc OUT.cpp: turns the part of the resource-script language that Tavrelo's
// script uses into the C++ tables the Win32 subset serves (platform/kernel/resources.h).
//
// Understood: #include of a header of #defines (and of <windows.h>, whose names it knows),
// #ifdef, #ifndef, #else and #endif on those names (which leaves out Windows' own resources,
// under _WIN32), LANGUAGE, ICON and CURSOR files, MENU with POPUP, MENUITEM and SEPARATOR (CHECKED, GRAYED),
// ACCELERATORS with VIRTKEY entries, DIALOG/DIALOGEX with STYLE, EXSTYLE, CAPTION, FONT and the
// controls DEFPUSHBUTTON, PUSHBUTTON, LTEXT, ICON and EDITTEXT, and STRINGTABLE.
// Anything else is an error with its line number.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Token {
  enum Kind { Word, Number, String, Punct, End } kind;
  std::string text;
  long value = 0;
  int line = 0;
};

struct Error : std::runtime_error {
  using std::runtime_error::runtime_error;
};

#define NAME(x) \
  { #x, static_cast < long>(x) }
const std::map<std::string, long> kKnown = {
    NAME(WS_POPUP),
    NAME(WS_CHILD),
    NAME(WS_VISIBLE),
    NAME(WS_CAPTION),
    NAME(WS_SYSMENU),
    NAME(WS_BORDER),
    NAME(WS_TABSTOP),
    NAME(WS_VSCROLL),
    NAME(WS_HSCROLL),
    NAME(WS_GROUP),
    NAME(WS_DISABLED),
    NAME(DS_SETFONT),
    NAME(DS_MODALFRAME),
    NAME(DS_CENTER),
    NAME(ES_LEFT),
    NAME(ES_MULTILINE),
    NAME(ES_AUTOVSCROLL),
    NAME(ES_AUTOHSCROLL),
    NAME(ES_READONLY),
    NAME(SS_LEFT),
    NAME(SS_ICON),
    NAME(SS_LEFTNOWORDWRAP),
    NAME(BS_PUSHBUTTON),
    NAME(BS_DEFPUSHBUTTON),
    NAME(IDOK),
    NAME(IDCANCEL),
    NAME(IDYES),
    NAME(IDNO),
    NAME(VK_ESCAPE),
    NAME(VK_F1),
    NAME(VK_F2),
    NAME(VK_F3),
    NAME(VK_F4),
    NAME(VK_F10),
    NAME(VK_RETURN),
    NAME(VK_TAB),
    NAME(VK_SPACE),
    NAME(LANG_ENGLISH),
    NAME(SUBLANG_ENGLISH_US),
    NAME(LANG_NEUTRAL),
    NAME(SUBLANG_NEUTRAL),
    {"IDC_STATIC", -1},
};
#undef NAME

class Script {
 public:
  explicit Script(const fs::path& path) : folder_(path.parent_path()) {
    Tokenise(Read(path), path);
    if (!conditions_.empty()) throw Error(path.string() + ": an #ifdef without its #endif");
  }

  bool AtEnd() const { return at_ >= tokens_.size(); }
  const Token& Peek() const {
    static const Token end{Token::End, "", 0, 0};
    return AtEnd() ? end : tokens_[at_];
  }
  Token Next() {
    if (AtEnd()) throw Error("unexpected end of the script");
    return tokens_[at_++];
  }
  bool Accept(const std::string& word) {
    if (!AtEnd() && Peek().kind != Token::String && Peek().text == word) return ++at_, true;
    return false;
  }
  void Expect(const std::string& word) {
    const Token t = Next();
    if (t.text != word)
      throw Error("line " + std::to_string(t.line) + ": '" + word + "' expected, not '" + t.text +
                  "'");
  }
  std::string String() {
    const Token t = Next();
    if (t.kind != Token::String)
      throw Error("line " + std::to_string(t.line) + ": a string expected");
    return t.text;
  }
  // A number, a known name, or names and numbers joined by |.
  long Value() {
    long value = Term();
    while (Accept("|")) value |= Term();
    return value;
  }
  void Begin() {
    if (!Accept("BEGIN") && !Accept("{"))
      throw Error("line " + std::to_string(Peek().line) + ": BEGIN expected");
  }
  bool AtBlockEnd() { return Accept("END") || Accept("}"); }
  const fs::path& folder() const { return folder_; }
  int line() const { return Peek().line; }

 private:
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error(path.string() + ": cannot be read");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  long Term() {
    const Token t = Next();
    if (t.kind == Token::Number) return t.value;
    if (t.kind == Token::Word) {
      if (auto it = defines_.find(t.text); it != defines_.end()) return it->second;
      if (auto it = kKnown.find(t.text); it != kKnown.end()) return it->second;
    }
    throw Error("line " + std::to_string(t.line) + ": unknown value '" + t.text + "'");
  }

  void Tokenise(const std::string& text, const fs::path& path) {
    int line = 1;
    for (std::size_t i = 0; i < text.size();) {
      const char c = text[i];
      if (c == '\n') {
        ++line, ++i;
      } else if (std::isspace(static_cast<unsigned char>(c))) {
        ++i;
      } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
        while (i < text.size() && text[i] != '\n') ++i;
      } else if (c != '#' && Skipping()) {
        while (i < text.size() && text[i] != '\n') ++i;
      } else if (c == '#') {
        const std::size_t end = text.find('\n', i);
        Directive(text.substr(i, end == std::string::npos ? std::string::npos : end - i), path,
                  line);
        i = end == std::string::npos ? text.size() : end;
      } else if (c == '"') {
        std::string value;
        for (++i; i < text.size(); ++i) {
          if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            value += '"', ++i;
          } else if (text[i] == '"') {
            ++i;
            break;
          } else if (text[i] == '\\' && i + 1 < text.size()) {
            const char e = text[++i];
            value += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e == '0' ? '\0' : e;
          } else {
            value += text[i];
          }
        }
        tokens_.push_back({Token::String, value, 0, line});
      } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                 (c == '-' && i + 1 < text.size() &&
                  std::isdigit(static_cast<unsigned char>(text[i + 1])))) {
        std::size_t used = 0;
        const long value = std::stol(text.substr(i), &used, 0);
        tokens_.push_back({Token::Number, text.substr(i, used), value, line});
        i += used;
        while (i < text.size() && (text[i] == 'L' || text[i] == 'l')) ++i;
      } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
        std::size_t end = i;
        while (end < text.size() &&
               (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_'))
          ++end;
        tokens_.push_back({Token::Word, text.substr(i, end - i), 0, line});
        i = end;
      } else {
        tokens_.push_back({Token::Punct, std::string(1, c), 0, line});
        ++i;
      }
    }
  }

  bool Skipping() const {
    return std::find(conditions_.begin(), conditions_.end(), false) != conditions_.end();
  }

  void Directive(const std::string& line, const fs::path& path, int number) {
    std::istringstream in(line);
    std::string word, name;
    in >> word >> name;
    const auto where = [&] { return path.string() + ":" + std::to_string(number) + ": "; };
    if (word == "#ifdef" || word == "#ifndef") {
      conditions_.push_back((defines_.count(name) != 0) == (word == "#ifdef"));
      return;
    }
    if (word == "#else" || word == "#endif") {
      if (conditions_.empty()) throw Error(where() + word + " without #ifdef");
      if (word == "#else")
        conditions_.back() = !conditions_.back();
      else
        conditions_.pop_back();
      return;
    }
    if (Skipping()) return;
    in.clear();
    in.str(line);
    in >> word;
    if (word == "#include") {
      std::string name;
      in >> name;
      if (name.size() > 2 && name.front() == '"')
        ReadDefines(path.parent_path() / name.substr(1, name.size() - 2));
      return;  // <windows.h>: its names are known
    }
    if (word == "#pragma") return;
    throw Error(where() + "unsupported directive " + word);
  }

  void ReadDefines(const fs::path& header) {
    std::istringstream in(Read(header));
    for (std::string line; std::getline(in, line);) {
      std::istringstream words(line);
      std::string directive, name, value;
      words >> directive >> name >> value;
      if (directive == "#define" && !value.empty()) defines_[name] = std::stol(value, nullptr, 0);
    }
  }

  fs::path folder_;
  std::vector<Token> tokens_;
  std::size_t at_ = 0;
  std::map<std::string, long> defines_;
  std::vector<bool> conditions_;  // of the #ifdefs around the line: whether each holds
};

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\%03o", c);
      out += escape;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

class Generator {
 public:
  void Menu(Script& script, long id) {
    const std::string items = MenuItems(script);
    menus_ += "    {" + std::to_string(id) + ", " + items + "},\n";
  }

  void Accelerators(Script& script, long id) {
    const std::string name = "kAccelerators" + std::to_string(id);
    std::string entries;
    int count = 0;
    script.Begin();
    while (!script.AtBlockEnd()) {
      const long key = script.Value();
      script.Expect(",");
      const long command = script.Value();
      unsigned flags = 0;
      while (script.Accept(",")) {
        const Token option = script.Next();
        if (option.text == "VIRTKEY")
          flags |= FVIRTKEY;
        else if (option.text == "NOINVERT")
          flags |= FNOINVERT;
        else if (option.text == "SHIFT")
          flags |= FSHIFT;
        else if (option.text == "CONTROL")
          flags |= FCONTROL;
        else if (option.text == "ALT")
          flags |= FALT;
        else
          throw Error("line " + std::to_string(option.line) + ": unknown accelerator option " +
                      option.text);
      }
      entries += "    {" + std::to_string(flags) + ", " + std::to_string(key) + ", " +
                 std::to_string(command) + "},\n";
      ++count;
    }
    out_ += "const AcceleratorEntry " + name + "[] = {\n" + entries + "};\n";
    accelerators_ +=
        "    {" + std::to_string(id) + ", " + name + ", " + std::to_string(count) + "},\n";
  }

  void Dialog(Script& script, long id) {
    short box[4];
    for (int i = 0; i < 4; ++i) {
      if (i > 0) script.Expect(",");
      box[i] = static_cast<short>(script.Value());
    }
    long style = 0, exStyle = 0, pointSize = 0;
    std::string caption, font;
    for (;;) {
      if (script.Accept("STYLE"))
        style = script.Value();
      else if (script.Accept("EXSTYLE"))
        exStyle = script.Value();
      else if (script.Accept("CAPTION"))
        caption = script.String();
      else if (script.Accept("FONT")) {
        pointSize = script.Value();
        script.Expect(",");
        font = script.String();
      } else
        break;
    }
    const std::string name = "kDialog" + std::to_string(id);
    std::string controls;
    int count = 0;
    script.Begin();
    while (!script.AtBlockEnd()) {
      controls += Control(script);
      ++count;
    }
    if (count > 0) out_ += "const DialogControl " + name + "[] = {\n" + controls + "};\n";
    dialogs_ +=
        "    {" + std::to_string(id) + ", " + std::to_string(static_cast<std::uint32_t>(style)) +
        "u, " + std::to_string(exStyle) + ", " + std::to_string(box[0]) + ", " +
        std::to_string(box[1]) + ", " + std::to_string(box[2]) + ", " + std::to_string(box[3]) +
        ", " + Quote(caption) + ", " + Quote(font) + ", " + std::to_string(pointSize) + ", " +
        (count > 0 ? name : "nullptr") + ", " + std::to_string(count) + "},\n";
  }

  void StringTable(Script& script) {
    script.Begin();
    while (!script.AtBlockEnd()) {
      const long id = script.Value();
      script.Accept(",");
      strings_ += "    {" + std::to_string(id) + ", " + Quote(script.String()) + "},\n";
    }
  }

  void IconFile(Script& script, long id, bool cursor) {
    const std::string file = script.String();
    std::ifstream in(script.folder() / file, std::ios::binary);
    if (!in) throw Error(file + ": cannot be read");
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string name = "kIconBytes" + std::to_string(id) + (cursor ? "c" : "i");
    out_ += "const unsigned char " + name + "[] = {";
    for (std::size_t i = 0; i < bytes.size(); ++i)
      out_ += (i % 20 == 0 ? "\n    " : "") + std::to_string(static_cast<unsigned char>(bytes[i])) +
              ",";
    out_ += "\n};\n";
    icons_ += "    {" + std::to_string(id) + ", " + (cursor ? "true" : "false") + ", " + name +
              ", " + std::to_string(bytes.size()) + "},\n";
  }

  std::string Finish() const {
    const auto table = [](const std::string& type, const std::string& name,
                          const std::string& rows) {
      return rows.empty() ? std::string()
                          : "const " + type + " " + name + "[] = {\n" + rows + "};\n";
    };
    const auto ref = [](const std::string& name, const std::string& rows) {
      return rows.empty() ? std::string("nullptr, 0")
                          : name + ", sizeof " + name + " / sizeof " + name + "[0]";
    };
    return "// Made by tools/rc from the program's resource script. Do not edit.\n"
           "#include \"kernel/resources.h\"\n\nnamespace platform::resources {\nnamespace {\n\n" +
           out_ + table("StringEntry", "kStrings", strings_) +
           table("AcceleratorTable", "kAccelerators", accelerators_) +
           table("MenuTemplate", "kMenus", menus_) + table("DialogTemplate", "kDialogs", dialogs_) +
           table("IconFile", "kIcons", icons_) +
           "\n}  // namespace\n\nconst ResourceTable& ProgramResources() {\n  static const "
           "ResourceTable table = {\n      " +
           ref("kStrings", strings_) + ",\n      " + ref("kAccelerators", accelerators_) +
           ",\n      " + ref("kMenus", menus_) + ",\n      " + ref("kDialogs", dialogs_) +
           ",\n      " + ref("kIcons", icons_) +
           "};\n  return table;\n}\n\n}  // namespace platform::resources\n";
  }

 private:
  // The items of a menu block, written out as an array; yields "name, count".
  std::string MenuItems(Script& script) {
    const std::string name = "kMenuItems" + std::to_string(next_++);
    std::vector<std::string> rows;
    script.Begin();
    while (!script.AtBlockEnd()) {
      if (script.Accept("POPUP")) {
        const std::string text = script.String();
        const std::string children = MenuItems(script);
        rows.push_back("{" + std::to_string(MF_POPUP) + ", 0, " + Quote(text) + ", " + children +
                       "}");
      } else {
        script.Expect("MENUITEM");
        if (script.Accept("SEPARATOR")) {
          rows.push_back("{" + std::to_string(MF_SEPARATOR) + ", 0, nullptr, nullptr, 0}");
          continue;
        }
        const std::string text = script.String();
        script.Expect(",");
        const long id = script.Value();
        unsigned flags = 0;
        while (script.Accept(",")) {
          const Token option = script.Next();
          if (option.text == "CHECKED")
            flags |= MF_CHECKED;
          else if (option.text == "GRAYED")
            flags |= MF_GRAYED;
          else
            throw Error("line " + std::to_string(option.line) + ": unknown menu option " +
                        option.text);
        }
        rows.push_back("{" + std::to_string(flags) + ", " + std::to_string(id) + ", " +
                       Quote(text) + ", nullptr, 0}");
      }
    }
    std::string array = "const MenuEntry " + name + "[] = {\n";
    for (const std::string& row : rows) array += "    " + row + ",\n";
    out_ += array + "};\n";
    return name + ", " + std::to_string(rows.size());
  }

  std::string Control(Script& script) {
    const Token kind = script.Next();
    std::string windowClass, text;
    long style = WS_CHILD | WS_VISIBLE, id = -1, iconId = 0;
    const auto box = [&] {
      short b[4];
      for (int i = 0; i < 4; ++i) {
        script.Expect(",");
        b[i] = static_cast<short>(script.Value());
      }
      return std::to_string(b[0]) + ", " + std::to_string(b[1]) + ", " + std::to_string(b[2]) +
             ", " + std::to_string(b[3]);
    };
    std::string place;
    if (kind.text == "DEFPUSHBUTTON" || kind.text == "PUSHBUTTON" || kind.text == "LTEXT") {
      text = script.String();
      script.Expect(",");
      id = script.Value();
      place = box();
      windowClass = kind.text == "LTEXT" ? "STATIC" : "BUTTON";
      style |= kind.text == "DEFPUSHBUTTON" ? BS_DEFPUSHBUTTON
               : kind.text == "PUSHBUTTON"  ? BS_PUSHBUTTON
                                            : SS_LEFT;
      if (kind.text != "LTEXT") style |= WS_TABSTOP;
    } else if (kind.text == "ICON") {
      iconId = script.Value();
      script.Expect(",");
      id = script.Value();
      place = box();
      windowClass = "STATIC";
      style |= SS_ICON;
    } else if (kind.text == "EDITTEXT") {
      id = script.Value();
      place = box();
      windowClass = "EDIT";
      style |= WS_TABSTOP | WS_BORDER;
    } else {
      throw Error("line " + std::to_string(kind.line) + ": unknown control " + kind.text);
    }
    long extra = 0;
    if (script.Accept(",")) extra = script.Value();
    style |= extra;
    return "    {" + Quote(windowClass) + ", " + Quote(text) + ", " + std::to_string(iconId) +
           ", " + std::to_string(id) + ", " + std::to_string(static_cast<std::uint32_t>(style)) +
           "u, 0, " + place + "},\n";
  }

  std::string out_, strings_, accelerators_, menus_, dialogs_, icons_;
  int next_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: tavrelo-rc SCRIPT.rc OUT.cpp\n", stderr);
    return 2;
  }
  try {
    Script script{fs::path(argv[1])};
    Generator generator;
    while (!script.AtEnd()) {
      if (script.Accept("LANGUAGE")) {
        script.Value();
        script.Expect(",");
        script.Value();
        continue;
      }
      if (script.Accept("STRINGTABLE")) {
        generator.StringTable(script);
        continue;
      }
      const long id = script.Value();
      const Token kind = script.Next();
      if (kind.text == "MENU")
        generator.Menu(script, id);
      else if (kind.text == "ACCELERATORS")
        generator.Accelerators(script, id);
      else if (kind.text == "DIALOG" || kind.text == "DIALOGEX")
        generator.Dialog(script, id);
      else if (kind.text == "ICON")
        generator.IconFile(script, id, false);
      else if (kind.text == "CURSOR")
        generator.IconFile(script, id, true);
      else
        throw Error("line " + std::to_string(kind.line) + ": unknown resource type " + kind.text);
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << generator.Finish();
    if (!out) throw Error(std::string(argv[2]) + ": cannot be written");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
    return 1;
  }
  return 0;
}
