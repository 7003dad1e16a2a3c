// A machine for the terminal front end's tests: the kit's text files in
// memory (found and read by name, ignoring case), plausible system facts,
// no registry, and nothing that can be written.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "machine/machine.h"

namespace tpl::test {

class KitTextMachine : public Machine {
 public:
  void AddTextFile(const std::string& name, const std::string& content);

  ErrorCode OpenRegistryKey(RegRoot, const std::string&, std::unique_ptr<RegistryKey>*) override {
    return kErrorFileNotFound;
  }
  uint32_t ExpandEnvironment(const std::string& source, size_t bufferSize,
                             std::string* expanded) override;
  ErrorCode FindFiles(const std::string& pattern, std::vector<FindData>* entries) override;
  ErrorCode CopyFileOver(const std::string&, const std::string&) override {
    return kErrorAccessDenied;
  }
  ErrorCode MakeDirectory(const std::string&) override { return kErrorAccessDenied; }
  ErrorCode FolderIdentity(const std::string& path, std::string* identity) override {
    *identity = path;
    return kErrorSuccess;
  }
  ErrorCode OpenTextFile(const std::string& path, std::unique_ptr<TextReader>* reader) override;
  ErrorCode CreateLogFile(const std::string&, std::unique_ptr<LogWriter>*) override {
    return kErrorAccessDenied;
  }
  std::string SystemMessage(ErrorCode code) override;
  ErrorCode OsVersion(OsVersionInfo* info) override;
  ErrorCode UserName(std::string* name) override;
  ErrorCode WindowsFolder(std::string* path) override;
  ErrorCode TempPath(std::string* path) override;
  LocalTime Now() override { return {2024, 5, 17, 10, 30, 0}; }
  void Pause(uint32_t milliseconds) override { pauses.push_back(milliseconds); }

  std::vector<uint32_t> pauses;

 private:
  const std::string* Find(const std::string& name) const;
  std::map<std::string, std::string> files_;  // lower-case name -> content
};

}  // namespace tpl::test
