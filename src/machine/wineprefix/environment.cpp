#include "machine/wineprefix/environment.h"

#include <vector>

#include "machine/wineprefix/registry_view.h"
#include "machine/wineprefix/windows_path.h"

namespace tpl {
namespace {

const char* const kSystemEnvironmentKey =
    "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
const char* const kUserEnvironmentKey = "Environment";
const char* const kVolatileEnvironmentKey = "Volatile Environment";
const char* const kCurrentVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion";

// Adds one key's values: plain strings first, then the expandable ones
// against everything known by then, as Windows does.
void AddKey(Environment* environment, RegistryView& registry, RegRoot root,
            const std::string& key);

}  // namespace

Environment Environment::FromRegistry(RegistryView& registry, const std::string& windowsFolder) {
  Environment environment;
  environment.Set("SystemRoot", windowsFolder);
  environment.Set("windir", windowsFolder);
  // In the process environment though in no environment key.
  std::string folder;
  if (registry.ReadString(RegRoot::kLocalMachine, kCurrentVersionKey, "ProgramFilesDir", &folder)) {
    environment.Set("ProgramFiles", folder);
  }
  if (registry.ReadString(RegRoot::kLocalMachine, kCurrentVersionKey, "CommonFilesDir", &folder)) {
    environment.Set("CommonProgramFiles", folder);
  }
  AddKey(&environment, registry, RegRoot::kLocalMachine, kSystemEnvironmentKey);
  AddKey(&environment, registry, RegRoot::kCurrentUser, kUserEnvironmentKey);
  AddKey(&environment, registry, RegRoot::kCurrentUser, kVolatileEnvironmentKey);
  return environment;
}

namespace {

void AddKey(Environment* environment, RegistryView& registry, RegRoot root,
            const std::string& key) {
  std::vector<std::pair<std::string, std::string>> expandable;
  for (const RegValueData& value : registry.Values(root, key)) {
    if (value.type != kRegSz && value.type != kRegExpandSz) continue;
    const size_t end = value.data.find('\0');
    const std::string text = end == std::string::npos ? value.data : value.data.substr(0, end);
    if (value.type == kRegExpandSz) {
      expandable.emplace_back(value.name, text);
    } else {
      environment->Set(value.name, text);
    }
  }
  const Environment before = *environment;
  for (const auto& [name, text] : expandable) environment->Set(name, before.Expand(text));
}

}  // namespace

void Environment::Set(const std::string& name, const std::string& value) {
  variables_[AsciiLower(name)] = Variable{name, value};
}

bool Environment::Get(const std::string& name, std::string* value) const {
  auto found = variables_.find(AsciiLower(name));
  if (found == variables_.end()) return false;
  *value = found->second.value;
  return true;
}

std::string Environment::Expand(const std::string& source) const {
  std::string out;
  size_t pos = 0;
  while (pos < source.size()) {
    const size_t open = source.find('%', pos);
    if (open == std::string::npos) {
      out.append(source, pos, std::string::npos);
      break;
    }
    out.append(source, pos, open - pos);
    const size_t close = source.find('%', open + 1);
    if (close == std::string::npos) {
      out.append(source, open, std::string::npos);  // a lone %
      break;
    }
    std::string value;
    if (close > open + 1 && Get(source.substr(open + 1, close - open - 1), &value)) {
      out += value;
    } else {
      out.append(source, open, close - open + 1);  // unknown: stays as written
    }
    pos = close + 1;
  }
  return out;
}

}  // namespace tpl
