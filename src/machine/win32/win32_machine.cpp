#include "machine/win32/win32_machine.h"

#include "machine/win32/win32_machine_parts.h"

namespace tpl {
namespace {

class Win32Machine : public Machine {
 public:
  ErrorCode OpenRegistryKey(RegRoot root, const std::string& subKey,
                            std::unique_ptr<RegistryKey>* key) override {
    return win32::OpenRegistryKey(root, subKey, key);
  }
  uint32_t ExpandEnvironment(const std::string& source, size_t bufferSize,
                             std::string* expanded) override {
    return win32::ExpandEnvironment(source, bufferSize, expanded);
  }
  ErrorCode FindFiles(const std::string& pattern, std::vector<FindData>* entries) override {
    return win32::FindFiles(pattern, entries);
  }
  ErrorCode CopyFileOver(const std::string& source, const std::string& destination) override {
    return win32::CopyFileOver(source, destination);
  }
  ErrorCode MakeDirectory(const std::string& path) override { return win32::MakeDirectory(path); }
  ErrorCode FolderIdentity(const std::string& path, std::string* identity) override {
    return win32::FolderIdentity(path, identity);
  }
  ErrorCode CheckInsideCurrentFolder(const std::string& path) override {
    return win32::CheckInsideCurrentFolder(path);
  }
  ErrorCode OpenTextFile(const std::string& path, std::unique_ptr<TextReader>* reader) override {
    return win32::OpenTextFile(path, reader);
  }
  ErrorCode CreateLogFile(const std::string& path, std::unique_ptr<LogWriter>* writer) override {
    return win32::CreateLogFile(path, writer);
  }
  ErrorCode LockInstallation(std::unique_ptr<MachineLock>* lock) override {
    return win32::LockInstallation(lock);
  }
  ErrorCode QueryFile(const std::string& path, FileInfo* info) override {
    return win32::QueryFile(path, info);
  }
  ErrorCode DigestFile(const std::string& path, FileContent* content) override {
    return win32::DigestFile(path, content);
  }
  ErrorCode CopyNewFile(const std::string& source, const std::string& destination,
                        FileContent* copied) override {
    return win32::CopyNewFile(source, destination, copied);
  }
  ErrorCode ReplaceKeepingBackup(const std::string& source, const std::string& destination,
                                 const std::string& backupPath) override {
    return win32::ReplaceKeepingBackup(source, destination, backupPath);
  }
  ErrorCode MoveFileOver(const std::string& from, const std::string& to) override {
    return win32::MoveFileOver(from, to);
  }
  ErrorCode RemoveFile(const std::string& path) override { return win32::RemoveFile(path); }
  ErrorCode RemoveFolder(const std::string& path) override { return win32::RemoveFolder(path); }
  ErrorCode OpenAppendFile(const std::string& path, std::unique_ptr<LogWriter>* writer) override {
    return win32::OpenAppendFile(path, writer);
  }
  std::string SystemMessage(ErrorCode code) override { return win32::SystemMessage(code); }
  ErrorCode OsVersion(OsVersionInfo* info) override { return win32::OsVersion(info); }
  ErrorCode UserName(std::string* name) override { return win32::UserName(name); }
  ErrorCode WindowsFolder(std::string* path) override { return win32::WindowsFolder(path); }
  ErrorCode TempPath(std::string* path) override { return win32::TempPath(path); }
  LocalTime Now() override { return win32::Now(); }
  void Pause(uint32_t milliseconds) override { win32::Pause(milliseconds); }
};

}  // namespace

std::unique_ptr<Machine> MakeWin32Machine() { return std::make_unique<Win32Machine>(); }

}  // namespace tpl
