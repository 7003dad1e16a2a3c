#include "machine/wineprefix/registry_file.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

#include "machine/wineprefix/cp1252.h"
#include "machine/wineprefix/registry_lines.h"
#include "machine/wineprefix/registry_strings.h"
#include "machine/wineprefix/registry_values.h"

namespace tpl {
namespace {

constexpr std::string_view kWineHeader = "WINE REGISTRY Version 2";
constexpr std::string_view kRegedit4Header = "REGEDIT4";
constexpr std::string_view kRegedit5Header = "Windows Registry Editor Version 5.00";
constexpr char kNoHeaderWarning[] =
    "The file does not start with \"WINE REGISTRY Version 2\", \"REGEDIT4\" or "
    "\"Windows Registry Editor Version 5.00\", so it was read as an empty registry.";

size_t RootIndex(RegRoot root) { return root == RegRoot::kLocalMachine ? 0 : 1; }

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// The hive an export names; false for hives this index does not hold.
bool HiveRoot(std::string_view hive, RegRoot* root) {
  if (EqualsIgnoringAsciiCase(hive, "HKEY_LOCAL_MACHINE") || EqualsIgnoringAsciiCase(hive, "HKLM")) {
    *root = RegRoot::kLocalMachine;
    return true;
  }
  if (EqualsIgnoringAsciiCase(hive, "HKEY_CURRENT_USER") || EqualsIgnoringAsciiCase(hive, "HKCU")) {
    *root = RegRoot::kCurrentUser;
    return true;
  }
  return false;
}

std::string_view FirstLine(std::string_view text) { return text.substr(0, text.find('\n')); }

std::string_view TrimTrailingBlanks(std::string_view text) {
  while (!text.empty() && IsRegistryBlank(text.back())) text.remove_suffix(1);
  return text;
}

// UTF-16LE without its BOM to CP1252 text, one byte per unit; the line
// structure survives since every unit that matters to it is ASCII.
std::string Cp1252FromUtf16LeFile(std::string_view bytes) {
  std::string text;
  AppendCp1252FromUtf16Le(bytes, &text);
  return text;
}

}  // namespace

// Builds the index line by line; the text it reads is always CP1252 except
// in Wine's files, whose strings are decoded as they are read.
class RegistryFileBuilder {
 public:
  explicit RegistryFileBuilder(RegistryFile* file) : file_(file) {}

  void ReadWine(std::string_view text, RegRoot root) {
    RegistryLines lines(text);
    std::string_view line;
    lines.Next(&line);  // the header
    RegKeyData* key = nullptr;
    while (lines.Next(&line)) {
      line = SkipRegistryBlanks(line);
      if (line.empty()) continue;
      switch (line[0]) {
        case '[': {
          std::string path;
          size_t pos = 1;
          key = ReadWineString(line, &pos, ']', &path) ? &Key(root, std::move(path)) : nullptr;
          break;
        }
        case '@':
        case '"':
          if (key) ReadValue(line, RegDialect::kWine, &lines, key);
          break;
        case '#':
          if (TrimTrailingBlanks(line) == "#arch=win64") file_->win64_ = true;
          if (TrimTrailingBlanks(line) == "#arch=win32") file_->win64_ = false;
          break;
        default:
          break;  // comments and unreadable lines
      }
    }
  }

  void ReadExport(std::string_view text, RegDialect dialect) {
    RegistryLines lines(text);
    std::string_view line;
    lines.Next(&line);  // the header
    RegKeyData* key = nullptr;
    while (lines.Next(&line)) {
      line = SkipRegistryBlanks(line);
      if (line.empty()) continue;
      if (line[0] == '[') {
        key = ReadExportKeyLine(line);
      } else if ((line[0] == '@' || line[0] == '"') && key) {
        ReadValue(line, dialect, &lines, key);
      }
    }
  }

 private:
  using KeyMap = std::map<std::string, RegKeyData>;

  // `[HIVE\path]` opens (or creates) a key; `[-HIVE\path]` deletes one with
  // everything below it. Gives the key values now go to, if any.
  RegKeyData* ReadExportKeyLine(std::string_view line) {
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos) return nullptr;
    std::string_view body = line.substr(1, close - 1);
    const bool deletion = !body.empty() && body[0] == '-';
    if (deletion) body.remove_prefix(1);
    const size_t slash = body.find('\\');
    RegRoot root;
    if (!HiveRoot(body.substr(0, slash), &root)) return nullptr;
    std::string_view path = slash == std::string_view::npos ? std::string_view() : body.substr(slash + 1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    if (deletion) {
      DeleteTree(root, path);
      return nullptr;
    }
    return &Key(root, std::string(path));
  }

  void ReadValue(std::string_view line, RegDialect dialect, RegistryLines* lines, RegKeyData* key) {
    RegValueData value;
    switch (ReadValueLine(line, dialect, lines, &value)) {
      case ValueLine::kSet: {
        std::string folded = FoldRegistryCase(value.name);
        key->values.insert_or_assign(std::move(folded), std::move(value));
        break;
      }
      case ValueLine::kDelete:
        key->values.erase(FoldRegistryCase(value.name));
        break;
      case ValueLine::kUnreadable:
        break;
    }
  }

  // The key at `path`, created with its missing parents (Wine writes no
  // line for a key that only has subkeys, yet it exists).
  RegKeyData& Key(RegRoot root, std::string path) {
    KeyMap& keys = file_->keys_[RootIndex(root)];
    std::string folded = FoldRegistryCase(path);
    // Files list keys nearly in order: the place after the last key is
    // usually right, which spares comparing long shared prefixes.
    const bool follows = hasLast_ && lastRoot_ == root;
    const auto hint = follows ? std::next(last_) : keys.end();
    const size_t known = follows ? SharedAncestorLength(folded, last_->first) : 0;
    const size_t count = keys.size();
    const auto it = keys.try_emplace(hint, std::move(folded));
    const bool created = keys.size() != count;
    last_ = it;
    lastRoot_ = root;
    hasLast_ = true;
    if (!created) return it->second;
    it->second.path = std::move(path);

    const std::string& key = it->first;
    auto below = it;
    for (size_t cut = key.rfind('\\'); cut != std::string::npos && cut > known;
         cut = key.rfind('\\', cut - 1)) {
      const size_t before = keys.size();
      const auto parent = keys.try_emplace(below, key.substr(0, cut));
      if (keys.size() == before) break;  // it was there, and so are its parents
      parent->second.path = it->second.path.substr(0, cut);
      below = parent;
    }
    return it->second;
  }

  // The length of the longest ancestor of `key` that `other` is or lies below.
  static size_t SharedAncestorLength(const std::string& key, const std::string& other) {
    size_t shared = 0;
    const size_t n = std::min(key.size(), other.size());
    for (size_t i = 0; i <= n; ++i) {
      const bool keyBoundary = i == key.size() || key[i] == '\\';
      const bool otherBoundary = i == other.size() || other[i] == '\\';
      if (keyBoundary && otherBoundary && i < key.size()) shared = i;
      if (i == n || key[i] != other[i]) break;
    }
    return shared;
  }

  void DeleteTree(RegRoot root, std::string_view path) {
    if (path.empty()) return;  // a whole hive is never deleted
    KeyMap& keys = file_->keys_[RootIndex(root)];
    const std::string folded = FoldRegistryCase(path);
    hasLast_ = false;
    keys.erase(folded);
    // Keys below it share the prefix, so they sit together in the map.
    const std::string below = folded + '\\';
    auto it = keys.lower_bound(below);
    while (it != keys.end() && it->first.compare(0, below.size(), below) == 0) it = keys.erase(it);
  }

  RegistryFile* file_;
  // The key made or opened last, where the next one probably goes.
  KeyMap::iterator last_;
  RegRoot lastRoot_ = RegRoot::kLocalMachine;
  bool hasLast_ = false;
};

RegistryFile RegistryFile::Parse(const std::string& bytes, RegRoot defaultRoot,
                                 std::string* warning) {
  RegistryFile file;
  RegistryFileBuilder builder(&file);
  std::string_view view(bytes);
  std::string converted;
  RegFileFormat format = RegFileFormat::kUnknown;

  const bool utf16Bom = view.size() >= 2 && view[0] == '\xFF' && view[1] == '\xFE';
  const bool utf16Bare = !utf16Bom && view.size() >= 2 && view[0] != '\0' && view[1] == '\0';
  if (utf16Bom || utf16Bare) {
    converted = Cp1252FromUtf16LeFile(view.substr(utf16Bom ? 2 : 0));
    const std::string_view header = TrimTrailingBlanks(FirstLine(converted));
    if (header == kRegedit5Header) format = RegFileFormat::kRegedit5;
    if (header == kRegedit4Header) format = RegFileFormat::kRegedit4;
    if (format != RegFileFormat::kUnknown) {
      builder.ReadExport(converted, format == RegFileFormat::kRegedit5 ? RegDialect::kUnicodeExport
                                                                       : RegDialect::kAnsiExport);
    }
  } else {
    std::string_view header = FirstLine(view);
    if (!header.empty() && header.back() == '\r') header.remove_suffix(1);
    if (header == kWineHeader) {
      format = RegFileFormat::kWine;
      builder.ReadWine(view, defaultRoot);
    } else {
      if (view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);  // a UTF-8 BOM
      header = TrimTrailingBlanks(FirstLine(view));
      if (header == kRegedit4Header) {
        format = RegFileFormat::kRegedit4;
        builder.ReadExport(view, RegDialect::kAnsiExport);
      } else if (header == kRegedit5Header) {
        format = RegFileFormat::kRegedit5;
        converted = Cp1252FromUtf8(view);
        builder.ReadExport(converted, RegDialect::kUnicodeExport);
      }
    }
  }

  file.format_ = format;
  if (warning) {
    if (format == RegFileFormat::kUnknown) {
      *warning = kNoHeaderWarning;
    } else {
      warning->clear();
    }
  }
  return file;
}

const RegKeyData* RegistryFile::Find(RegRoot root, const std::string& path) const {
  const auto& keys = keys_[RootIndex(root)];
  const auto it = keys.find(FoldRegistryCase(path));
  return it == keys.end() ? nullptr : &it->second;
}

const RegValueData* RegKeyData::FindValue(const std::string& name) const {
  const auto it = values.find(FoldRegistryCase(name));
  return it == values.end() ? nullptr : &it->second;
}

}  // namespace tpl
