// The environment a program started in the prefix gets, built the way
// Windows builds it from the registry, and ExpandEnvironmentStringsA over it.
#pragma once

#include <map>
#include <string>

namespace tpl {

class RegistryView;

class Environment {
 public:
  // SystemRoot and windir from the Windows folder, then HKLM's Session
  // Manager\Environment, HKCU Environment and HKCU Volatile Environment,
  // each overriding the one before. REG_EXPAND_SZ values are expanded
  // against the variables set before them.
  static Environment FromRegistry(RegistryView& registry, const std::string& windowsFolder);

  // Names are matched ignoring ASCII case.
  void Set(const std::string& name, const std::string& value);
  bool Get(const std::string& name, std::string* value) const;

  // %NAME% replaced by its value; an unknown %NAME% and a lone % stay.
  std::string Expand(const std::string& source) const;

 private:
  struct Variable {
    std::string name;
    std::string value;
  };
  std::map<std::string, Variable> variables_;  // keyed by folded name
};

}  // namespace tpl
