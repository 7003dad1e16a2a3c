#include "machine/wineprefix/wine_prefix_machine.h"

#include <ctime>
#include <optional>
#include <thread>

#include "machine/wineprefix/directory_cache.h"
#include "machine/wineprefix/environment.h"
#include "machine/wineprefix/host_files.h"
#include "machine/wineprefix/path_resolver.h"
#include "machine/wineprefix/prefix_lock.h"
#include "machine/wineprefix/registry_view.h"
#include "machine/wineprefix/system_facts.h"

namespace tpl {
namespace {

class WinePrefixMachine : public Machine {
 public:
  explicit WinePrefixMachine(const WinePrefixOptions& options)
      : options_(options),
        registry_(options.prefix),
        resolver_(options.prefix, options.currentFolder, cache_),
        files_(resolver_) {}

  ErrorCode OpenRegistryKey(RegRoot root, const std::string& subKey,
                            std::unique_ptr<RegistryKey>* key) override {
    return registry_.Open(root, subKey, key);
  }

  uint32_t ExpandEnvironment(const std::string& source, size_t bufferSize,
                             std::string* expanded) override {
    const std::string result = environment().Expand(source);
    const size_t needed = result.size() + 1;  // the terminator counts
    if (needed <= bufferSize) *expanded = result;
    return static_cast<uint32_t>(needed);
  }

  ErrorCode FindFiles(const std::string& pattern, std::vector<FindData>* entries) override {
    return files_.FindFiles(pattern, entries);
  }
  ErrorCode FindFileKinds(const std::string& pattern, std::vector<FindData>* entries) override {
    return files_.FindFiles(pattern, entries, /*kindsOnly=*/true);
  }
  ErrorCode CopyFileOver(const std::string& source, const std::string& destination) override {
    return files_.CopyFileOver(source, destination);
  }
  ErrorCode MakeDirectory(const std::string& path) override {
    return files_.MakeDirectory(path);
  }
  ErrorCode FolderIdentity(const std::string& path, std::string* identity) override {
    return files_.FolderIdentity(path, identity);
  }
  ErrorCode CheckInsideCurrentFolder(const std::string& path) override {
    return files_.CheckInsideCurrentFolder(path);
  }
  ErrorCode OpenTextFile(const std::string& path, std::unique_ptr<TextReader>* reader) override {
    return files_.OpenTextFile(path, reader);
  }
  ErrorCode CreateLogFile(const std::string& path, std::unique_ptr<LogWriter>* writer) override {
    return files_.CreateLogFile(path, writer);
  }
  ErrorCode LockInstallation(std::unique_ptr<MachineLock>* lock) override {
    return LockPrefix(options_.prefix, lock);
  }
  ErrorCode QueryFile(const std::string& path, FileInfo* info) override {
    return files_.QueryFile(path, info);
  }
  ErrorCode DigestFile(const std::string& path, FileContent* content) override {
    return files_.DigestFile(path, content);
  }
  ErrorCode CopyNewFile(const std::string& source, const std::string& destination,
                        FileContent* copied) override {
    return files_.CopyNewFile(source, destination, copied);
  }
  ErrorCode ReplaceKeepingBackup(const std::string& source, const std::string& destination,
                                 const std::string& backupPath) override {
    return files_.ReplaceKeepingBackup(source, destination, backupPath);
  }
  ErrorCode MoveFileOver(const std::string& from, const std::string& to) override {
    return files_.MoveFileOver(from, to);
  }
  ErrorCode RemoveFile(const std::string& path) override { return files_.RemoveFile(path); }
  ErrorCode RemoveFolder(const std::string& path) override { return files_.RemoveFolder(path); }
  ErrorCode OpenAppendFile(const std::string& path, std::unique_ptr<LogWriter>* writer) override {
    return files_.OpenAppendFile(path, writer);
  }
  std::string SystemMessage(ErrorCode code) override { return WindowsSystemMessage(code); }

  ErrorCode OsVersion(OsVersionInfo* info) override {
    *info = ReadOsVersion(registry_);
    return kErrorSuccess;
  }
  ErrorCode UserName(std::string* name) override {
    return FindUserName(options_.userName, name);
  }
  ErrorCode WindowsFolder(std::string* path) override {
    *path = ReadWindowsFolder(registry_);
    return kErrorSuccess;
  }
  ErrorCode TempPath(std::string* path) override {
    *path = ChooseTempPath(environment(), ReadWindowsFolder(registry_));
    return kErrorSuccess;
  }

  LocalTime Now() override {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    LocalTime time;
    time.year = parts.tm_year + 1900;
    time.month = parts.tm_mon + 1;
    time.day = parts.tm_mday;
    time.hour = parts.tm_hour;
    time.minute = parts.tm_min;
    time.second = parts.tm_sec;
    return time;
  }

  void Pause(uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }

 private:
  const Environment& environment() {
    if (!environment_) {
      environment_ = Environment::FromRegistry(registry_, ReadWindowsFolder(registry_));
    }
    return *environment_;
  }

  WinePrefixOptions options_;
  RegistryView registry_;
  DirectoryCache cache_;
  PathResolver resolver_;
  HostFiles files_;
  std::optional<Environment> environment_;
};

}  // namespace

std::unique_ptr<Machine> MakeWinePrefixMachine(const WinePrefixOptions& options) {
  return std::make_unique<WinePrefixMachine>(options);
}

}  // namespace tpl
