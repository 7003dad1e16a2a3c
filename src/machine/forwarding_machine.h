// A machine that forwards every call to another one. Subclass it and
// override the calls to change (leveldb's EnvWrapper): tests inject faults
// this way, and the command line uses it to skip pauses.
#pragma once

#include "machine/machine.h"

namespace tpl {

class ForwardingMachine : public Machine {
 public:
  explicit ForwardingMachine(Machine& target) : target_(target) {}

  Machine& target() { return target_; }

  ErrorCode OpenRegistryKey(RegRoot root, const std::string& subKey,
                            std::unique_ptr<RegistryKey>* key) override {
    return target_.OpenRegistryKey(root, subKey, key);
  }
  uint32_t ExpandEnvironment(const std::string& source, size_t bufferSize,
                             std::string* expanded) override {
    return target_.ExpandEnvironment(source, bufferSize, expanded);
  }
  ErrorCode FindFiles(const std::string& pattern,
                      std::vector<FindData>* entries) override {
    return target_.FindFiles(pattern, entries);
  }
  ErrorCode FindFileKinds(const std::string& pattern, std::vector<FindData>* entries) override {
    return target_.FindFileKinds(pattern, entries);
  }
  ErrorCode CopyFileOver(const std::string& source,
                         const std::string& destination) override {
    return target_.CopyFileOver(source, destination);
  }
  ErrorCode MakeDirectory(const std::string& path) override {
    return target_.MakeDirectory(path);
  }
  ErrorCode FolderIdentity(const std::string& path,
                           std::string* identity) override {
    return target_.FolderIdentity(path, identity);
  }
  ErrorCode CheckInsideCurrentFolder(const std::string& path) override {
    return target_.CheckInsideCurrentFolder(path);
  }
  ErrorCode OpenTextFile(const std::string& path,
                         std::unique_ptr<TextReader>* reader) override {
    return target_.OpenTextFile(path, reader);
  }
  ErrorCode CreateLogFile(const std::string& path,
                          std::unique_ptr<LogWriter>* writer) override {
    return target_.CreateLogFile(path, writer);
  }
  ErrorCode LockInstallation(std::unique_ptr<MachineLock>* lock) override {
    return target_.LockInstallation(lock);
  }
  ErrorCode QueryFile(const std::string& path, FileInfo* info) override {
    return target_.QueryFile(path, info);
  }
  ErrorCode DigestFile(const std::string& path, FileContent* content) override {
    return target_.DigestFile(path, content);
  }
  ErrorCode CopyNewFile(const std::string& source, const std::string& destination,
                        FileContent* copied) override {
    return target_.CopyNewFile(source, destination, copied);
  }
  ErrorCode ReplaceKeepingBackup(const std::string& source, const std::string& destination,
                                 const std::string& backupPath) override {
    return target_.ReplaceKeepingBackup(source, destination, backupPath);
  }
  ErrorCode MoveFileOver(const std::string& from, const std::string& to) override {
    return target_.MoveFileOver(from, to);
  }
  ErrorCode RemoveFile(const std::string& path) override { return target_.RemoveFile(path); }
  ErrorCode RemoveFolder(const std::string& path) override {
    return target_.RemoveFolder(path);
  }
  ErrorCode OpenAppendFile(const std::string& path,
                           std::unique_ptr<LogWriter>* writer) override {
    return target_.OpenAppendFile(path, writer);
  }
  std::string SystemMessage(ErrorCode code) override {
    return target_.SystemMessage(code);
  }
  ErrorCode OsVersion(OsVersionInfo* info) override {
    return target_.OsVersion(info);
  }
  ErrorCode UserName(std::string* name) override {
    return target_.UserName(name);
  }
  ErrorCode WindowsFolder(std::string* path) override {
    return target_.WindowsFolder(path);
  }
  ErrorCode TempPath(std::string* path) override {
    return target_.TempPath(path);
  }
  LocalTime Now() override { return target_.Now(); }
  void Pause(uint32_t milliseconds) override { target_.Pause(milliseconds); }

 private:
  Machine& target_;
};

}  // namespace tpl
