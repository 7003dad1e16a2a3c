#include "machine/wineprefix/windows_path.h"

namespace tpl {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool ValidName(const std::string& name, bool wildcardsAllowed) {
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || c == '<' || c == '>' || c == '|' || c == '"' || c == ':') return false;
    if ((c == '*' || c == '?') && !wildcardsAllowed) return false;
  }
  return true;
}

}  // namespace

bool HasWildcards(const std::string& name) {
  return name.find_first_of("*?") != std::string::npos;
}

ErrorCode ParseWindowsPath(const std::string& text, bool wildcardsInLast, WindowsPath* path) {
  *path = WindowsPath();
  if (text.empty()) return kErrorPathNotFound;
  if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {
    return kErrorPathNotFound;  // network paths are not served here
  }
  size_t start = 0;
  if (text.size() >= 2 && text[1] == ':' && IsLetter(text[0])) {
    path->base = WindowsPath::Base::kDrive;
    path->drive = AsciiLower(text[0]);
    start = 2;
  } else if (IsSeparator(text[0])) {
    // The root of the current drive: a Unix current folder is on Z:, as
    // Wine maps it.
    path->base = WindowsPath::Base::kDrive;
    path->drive = 'z';
  }
  path->trailingSeparator = IsSeparator(text.back()) && text.size() > start;

  std::vector<std::string> raw;
  size_t begin = start;
  for (size_t i = start; i <= text.size(); ++i) {
    if (i == text.size() || IsSeparator(text[i])) {
      if (i > begin) raw.push_back(text.substr(begin, i - begin));
      begin = i + 1;
    }
  }
  for (size_t i = 0; i < raw.size(); ++i) {
    const bool last = i + 1 == raw.size() && !path->trailingSeparator;
    if (!ValidName(raw[i], wildcardsInLast && last)) return kErrorInvalidName;
  }
  for (const std::string& part : raw) {
    if (part == ".") continue;
    if (part == "..") {
      if (!path->parts.empty()) {
        path->parts.pop_back();
      } else if (path->base == WindowsPath::Base::kCurrentFolder) {
        ++path->upLevels;
      }
      continue;
    }
    path->parts.push_back(part);
  }
  if (!path->trailingSeparator && !path->parts.empty()) {
    std::string& lastPart = path->parts.back();
    size_t end = lastPart.size();
    while (end > 0 && (lastPart[end - 1] == '.' || lastPart[end - 1] == ' ')) --end;
    lastPart.resize(end);
    if (lastPart.empty()) path->parts.pop_back();
  }
  return kErrorSuccess;
}

}  // namespace tpl
