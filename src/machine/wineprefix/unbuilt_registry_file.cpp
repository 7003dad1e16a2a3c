// Placeholder until the registry file parser lands: reads Wine's own files
// well enough for the machine (quoted strings, str(N), dword, hex). Delete
// this file when the real parser arrives.
#include <cctype>
#include <cstdlib>
#include <vector>

#include "machine/wineprefix/registry_file.h"
#include "machine/wineprefix/windows_path.h"

namespace tpl {
namespace {

std::string Unescape(const std::string& text, size_t* pos) {
  // *pos is just after the opening quote; leaves it after the closing one.
  std::string out;
  while (*pos < text.size() && text[*pos] != '"') {
    char c = text[(*pos)++];
    if (c == '\\' && *pos < text.size()) {
      c = text[(*pos)++];
      switch (c) {
        case 'n': c = '\n'; break;
        case 'r': c = '\r'; break;
        case 't': c = '\t'; break;
        case '0': c = '\0'; break;
        case 'x': {
          size_t end = *pos;
          while (end < text.size() && end - *pos < 4 && std::isxdigit(static_cast<unsigned char>(text[end]))) ++end;
          const long unit = std::strtol(text.substr(*pos, end - *pos).c_str(), nullptr, 16);
          *pos = end;
          c = unit < 256 ? static_cast<char>(unit) : '?';
          break;
        }
        default: break;
      }
    }
    out.push_back(c);
  }
  if (*pos < text.size()) ++*pos;
  return out;
}

std::string HexBytes(const std::string& text) {
  std::string out;
  size_t i = 0;
  while (i + 1 < text.size() + 1 && i < text.size()) {
    if (std::isxdigit(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
        std::isxdigit(static_cast<unsigned char>(text[i + 1]))) {
      out.push_back(static_cast<char>(std::strtol(text.substr(i, 2).c_str(), nullptr, 16)));
      i += 2;
    } else {
      ++i;
    }
  }
  return out;
}

}  // namespace

RegistryFile RegistryFile::Parse(const std::string& bytes, RegRoot defaultRoot,
                                 std::string* warning) {
  RegistryFile file;
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < bytes.size()) {
    size_t end = bytes.find('\n', begin);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(begin, end - begin);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    begin = end + 1;
  }
  if (lines.empty() || lines[0] != "WINE REGISTRY Version 2") {
    if (warning) *warning = "not a registry file; its keys are read as missing";
    return file;
  }
  file.format_ = RegFileFormat::kWine;
  auto& keys = file.keys_[defaultRoot == RegRoot::kLocalMachine ? 0 : 1];
  RegKeyData* current = nullptr;
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string line = lines[i];
    if (line == "#arch=win64") file.win64_ = true;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      std::string path;
      size_t pos = 1;
      while (pos < line.size() && line[pos] != ']') {
        if (line[pos] == '\\' && pos + 1 < line.size()) ++pos;
        path.push_back(line[pos++]);
      }
      // Keys with only subkeys are not written: make their parents.
      for (size_t slash = path.find('\\'); slash != std::string::npos;
           slash = path.find('\\', slash + 1)) {
        const std::string parent = path.substr(0, slash);
        keys.emplace(FoldCase(parent), RegKeyData{parent, {}});
      }
      current = &keys.emplace(FoldCase(path), RegKeyData{path, {}}).first->second;
      continue;
    }
    if (current == nullptr) continue;
    size_t pos = 0;
    std::string name;
    if (line[0] == '@') {
      pos = 1;
    } else if (line[0] == '"') {
      pos = 1;
      name = Unescape(line, &pos);
    } else {
      continue;
    }
    while (pos < line.size() && line[pos] == ' ') ++pos;
    if (pos >= line.size() || line[pos] != '=') continue;
    ++pos;
    while (pos < line.size() && line[pos] == ' ') ++pos;
    std::string rest = line.substr(pos);
    RegValueData value;
    value.name = name;
    if (rest.rfind("\"", 0) == 0 || rest.rfind("str:\"", 0) == 0 ||
        rest.rfind("str(", 0) == 0) {
      value.type = kRegSz;
      size_t quote = rest.find('"');
      if (rest.rfind("str(", 0) == 0) value.type = std::strtoul(rest.c_str() + 4, nullptr, 16);
      size_t at = quote + 1;
      value.data = Unescape(rest, &at);
      value.data.push_back('\0');
    } else if (rest.rfind("dword:", 0) == 0) {
      const unsigned long number = std::strtoul(rest.c_str() + 6, nullptr, 16);
      value.type = kRegDword;
      for (int b = 0; b < 4; ++b) value.data.push_back(static_cast<char>((number >> (8 * b)) & 0xff));
    } else if (rest.rfind("hex", 0) == 0) {
      value.type = kRegBinary;
      if (rest.rfind("hex(", 0) == 0) value.type = std::strtoul(rest.c_str() + 4, nullptr, 16);
      std::string hex = rest.substr(rest.find(':') + 1);
      while (!hex.empty() && hex.back() == '\\' && i + 1 < lines.size()) {
        hex.pop_back();
        hex += lines[++i];
      }
      value.data = HexBytes(hex);
    } else {
      continue;
    }
    current->values[FoldCase(name)] = value;
  }
  return file;
}

const RegKeyData* RegistryFile::Find(RegRoot root, const std::string& path) const {
  const auto& keys = keys_[root == RegRoot::kLocalMachine ? 0 : 1];
  auto found = keys.find(FoldCase(path));
  return found == keys.end() ? nullptr : &found->second;
}

}  // namespace tpl
