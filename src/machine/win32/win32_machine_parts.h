// The win32 machine's calls, grouped by the Windows service they use; each
// group lives in its own file (registry, files, system).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "machine/machine.h"

namespace tpl {
namespace win32 {

// win32_registry.cpp
ErrorCode OpenRegistryKey(RegRoot root, const std::string& subKey,
                          std::unique_ptr<RegistryKey>* key);
uint32_t ExpandEnvironment(const std::string& source, size_t bufferSize,
                           std::string* expanded);

// win32_files.cpp
ErrorCode FindFiles(const std::string& pattern, std::vector<FindData>* entries);
ErrorCode MakeDirectory(const std::string& path);
ErrorCode FolderIdentity(const std::string& path, std::string* identity);
ErrorCode CheckInsideCurrentFolder(const std::string& path);

// win32_replace.cpp
ErrorCode CopyFileOver(const std::string& source, const std::string& destination);

// win32_lock.cpp
ErrorCode LockInstallation(std::unique_ptr<MachineLock>* lock);

// win32_text_files.cpp
ErrorCode OpenTextFile(const std::string& path, std::unique_ptr<TextReader>* reader);
ErrorCode CreateLogFile(const std::string& path, std::unique_ptr<LogWriter>* writer);

// A LogWriter over an open file handle, which it owns (win32_text_files.cpp).
std::unique_ptr<LogWriter> MakeHandleWriter(void* file);

// win32_undo.cpp
ErrorCode QueryFile(const std::string& path, FileInfo* info);
ErrorCode DigestFile(const std::string& path, FileContent* content);
ErrorCode CopyNewFile(const std::string& source, const std::string& destination,
                      FileContent* copied);
ErrorCode ReplaceKeepingBackup(const std::string& source, const std::string& destination,
                               const std::string& backupPath);
ErrorCode MoveFileOver(const std::string& from, const std::string& to);
ErrorCode RemoveFile(const std::string& path);
ErrorCode RemoveFolder(const std::string& path);
ErrorCode OpenAppendFile(const std::string& path, std::unique_ptr<LogWriter>* writer);

// win32_system.cpp
std::string SystemMessage(ErrorCode code);
ErrorCode OsVersion(OsVersionInfo* info);
ErrorCode UserName(std::string* name);
ErrorCode WindowsFolder(std::string* path);
ErrorCode TempPath(std::string* path);
LocalTime Now();
void Pause(uint32_t milliseconds);

}  // namespace win32
}  // namespace tpl
