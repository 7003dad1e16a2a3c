// Contract checks of the win32 machine against the real Win32 API, run under
// Wine by tests/wine/run. Each check names the behaviour the core relies on.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "checks.h"
#include "machine/win32/win32_machine.h"

namespace checks {
namespace {

using tpl::ErrorCode;
using tpl::FindData;
using tpl::Machine;

void CheckCode(ErrorCode got, ErrorCode want, const std::string& what) {
  CheckEqual(got, want, what);
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return true;
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return "<missing>";
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
  std::fclose(file);
  return bytes;
}

std::vector<std::string> Names(const std::vector<FindData>& entries) {
  std::vector<std::string> names;
  for (const FindData& entry : entries) names.push_back(entry.name);
  return names;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string all;
  for (const std::string& name : names) all += "[" + name + "]";
  return all;
}

const char kScratchKey[] = "Software\\tplsetup-machine-checks";

void RegistryChecks(Machine& machine) {
  std::unique_ptr<tpl::RegistryKey> key;
  CheckCode(machine.OpenRegistryKey(tpl::RegRoot::kLocalMachine,
                                    "Software\\Microsoft\\Windows\\CurrentVersion", &key),
            0, "an existing HKLM key opens");
  if (key) {
    uint32_t type = 0;
    std::string data;
    CheckCode(key->QueryValue("CommonFilesDir", 260, &type, &data), 0, "CommonFilesDir is read");
    Check(type == tpl::kRegSz, "CommonFilesDir is REG_SZ", Num(type));
    Check(data.size() > 3 && data.back() == '\0' && data.compare(0, 3, "C:\\") == 0,
          "a string value comes with its terminator", data);
    data = "stale";
    CheckCode(key->QueryValue("CommonFilesDir", 4, &type, &data), 234,
              "too small a buffer gives 234");
    Check(type == tpl::kRegSz && data.empty(), "234 still tells the type, and no data");
    CheckCode(key->QueryValue("no such value here", 260, &type, &data), 2, "a missing value is 2");
  }
  std::unique_ptr<tpl::RegistryKey> missing;
  CheckCode(machine.OpenRegistryKey(tpl::RegRoot::kLocalMachine, "Software\\No\\Such\\Key", &missing),
            2, "a missing key is 2");
  Check(missing == nullptr, "a missing key leaves no key");

  // Values of every shape the core meets, written under HKCU for the checks.
  HKEY scratch;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &scratch, nullptr) != ERROR_SUCCESS) {
    Check(false, "scratch key created");
    return;
  }
  const std::string fits(259, 'f');
  const std::string tooLong(260, 'l');
  const std::string expand = "%SystemRoot%\\temp";
  const DWORD number = 42;
  RegSetValueExA(scratch, "fits", 0, REG_SZ, reinterpret_cast<const BYTE*>(fits.c_str()), 260);
  RegSetValueExA(scratch, "long", 0, REG_SZ, reinterpret_cast<const BYTE*>(tooLong.c_str()), 261);
  RegSetValueExA(scratch, "expand", 0, REG_EXPAND_SZ,
                 reinterpret_cast<const BYTE*>(expand.c_str()),
                 static_cast<DWORD>(expand.size() + 1));
  RegSetValueExA(scratch, "number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
  RegCloseKey(scratch);

  std::unique_ptr<tpl::RegistryKey> key2;
  CheckCode(machine.OpenRegistryKey(tpl::RegRoot::kCurrentUser, kScratchKey, &key2), 0,
            "an HKCU key opens");
  if (key2) {
    uint32_t type = 0;
    std::string data;
    CheckCode(key2->QueryValue("fits", 260, &type, &data), 0, "259 characters fit in 260 bytes");
    Check(data.size() == 260, "the fitting value is 260 bytes", Num(data.size()));
    CheckCode(key2->QueryValue("long", 260, &type, &data), 234, "260 characters do not fit");
    CheckCode(key2->QueryValue("expand", 260, &type, &data), 0, "REG_EXPAND_SZ is read");
    Check(type == tpl::kRegExpandSz && data == expand + std::string(1, '\0'),
          "REG_EXPAND_SZ comes back unexpanded", data);
    CheckCode(key2->QueryValue("number", 260, &type, &data), 0, "REG_DWORD is read");
    Check(type == tpl::kRegDword && data == std::string("\x2a\0\0\0", 4), "REG_DWORD bytes");
  }
  key2.reset();
  RegDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
}

void EnvironmentChecks(Machine& machine) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::string expanded;
  const uint32_t needed = machine.ExpandEnvironment("%SystemRoot%\\temp", 260, &expanded);
  Check(expanded == std::string(windows) + "\\temp", "%SystemRoot% expands", expanded);
  Check(needed == expanded.size() + 1, "the size counts the terminator", Num(needed));
  machine.ExpandEnvironment("%TPL_NO_SUCH_VARIABLE%\\x", 260, &expanded);
  Check(expanded == "%TPL_NO_SUCH_VARIABLE%\\x", "an unknown variable stays", expanded);
  expanded = "untouched";
  const uint32_t small = machine.ExpandEnvironment("%SystemRoot%\\temp", 4, &expanded);
  Check(small > 4 && expanded == "untouched", "too small a buffer leaves the result alone",
        Num(small));
}

void FindChecks(Machine& machine, const std::string& root) {
  CreateDirectoryA((root + "\\empty").c_str(), nullptr);
  CreateDirectoryA((root + "\\full").c_str(), nullptr);
  CreateDirectoryA((root + "\\full\\Sub").c_str(), nullptr);
  WriteBytes(root + "\\full\\b.txt", "b");
  WriteBytes(root + "\\full\\A.inf", "a");
  SetFileAttributesA((root + "\\full\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY);

  std::vector<FindData> entries;
  CheckCode(machine.FindFiles(root + "\\empty\\*.*", &entries), 0, "an empty folder is found");
  Check(Joined(Names(entries)) == "[.][..]", "an empty folder lists . and ..",
        Joined(Names(entries)));
  CheckCode(machine.FindFiles(root + "\\missing\\*.*", &entries), 3, "a missing folder is 3");
  Check(entries.empty(), "a failed search lists nothing");
  CheckCode(machine.FindFiles(root + "\\empty\\*.txt", &entries), 2, "no match is 2");
  CheckCode(machine.FindFiles(root + "\\full\\*.*", &entries), 0, "a full folder is found");
  Check(entries.size() == 5, "every entry is listed", Joined(Names(entries)));
  for (const FindData& entry : entries) {
    if (entry.name == "Sub") Check(entry.directory && !entry.readOnly, "a folder is a folder");
    if (entry.name == "b.txt") Check(!entry.directory && entry.readOnly, "read-only is seen");
    if (entry.name == "A.inf") Check(!entry.directory && !entry.readOnly, "a plain file");
  }
  CheckCode(machine.FindFiles(root + "\\full\\Sub", &entries), 0, "a path without a pattern");
  Check(entries.size() == 1 && entries[0].name == "Sub" && entries[0].directory,
        "a path without a pattern finds the entry itself", Joined(Names(entries)));
  SetFileAttributesA((root + "\\full\\b.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

void FolderChecks(Machine& machine, const std::string& root) {
  const std::string made = root + "\\made";
  CheckCode(machine.MakeDirectory(made), 0, "a new folder is made");
  CheckCode(machine.MakeDirectory(made), 183, "an existing folder is 183");
  WriteBytes(root + "\\standing", "x");
  CheckCode(machine.MakeDirectory(root + "\\standing"), 183, "a file in the way is 183");
  CheckCode(machine.MakeDirectory(root + "\\nowhere\\deeper"), 3, "a missing parent is 3");

  std::string first, again, other;
  CheckCode(machine.FolderIdentity(made, &first), 0, "a folder has an identity");
  CheckCode(machine.FolderIdentity(root + "\\full\\..\\MADE", &again), 0,
            "another path to it has one");
  machine.FolderIdentity(root + "\\empty", &other);
  Check(!first.empty() && first == again, "two paths to one folder agree", first + " " + again);
  Check(first != other, "two folders differ", first + " " + other);
  std::string none;
  const ErrorCode missing = machine.FolderIdentity(root + "\\missing", &none);
  Check(missing == 2 || missing == 3, "a missing folder has no identity", Num(missing));
}

void CopyChecks(Machine& machine, const std::string& root) {
  const std::string source = root + "\\source.htm";
  WriteBytes(source, "<html>one</html>\r\n");
  CheckCode(machine.CopyFileOver(root + "\\absent.htm", root + "\\copy.htm"), 2,
            "a missing source is 2");
  CheckCode(machine.CopyFileOver(source, root + "\\nowhere\\copy.htm"), 3,
            "a missing destination folder is 3");
  CheckCode(machine.CopyFileOver(source, root + "\\copy.htm"), 0, "a copy is made");
  Check(ReadBytes(root + "\\copy.htm") == "<html>one</html>\r\n", "the copy has the bytes");
  WriteBytes(source, "<html>two</html>");
  CheckCode(machine.CopyFileOver(source, root + "\\copy.htm"), 0, "a copy overwrites");
  Check(ReadBytes(root + "\\copy.htm") == "<html>two</html>", "the overwrite has the new bytes");
  CheckCode(machine.CopyFileOver(source, root + "\\empty"), 5, "copying onto a folder is 5");

  HANDLE held = CreateFileA((root + "\\copy.htm").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  CheckCode(machine.CopyFileOver(source, root + "\\copy.htm"), 32,
            "a destination held without sharing is 32");
  CloseHandle(held);
}

void TextFileChecks(Machine& machine, const std::string& root) {
  const std::string path = root + "\\license.txt";
  WriteBytes(path, std::string("one\r\ntwo\rthree\n\nlast\x1a" "after the end"));
  std::unique_ptr<tpl::TextReader> reader;
  CheckCode(machine.OpenTextFile(path, &reader), 0, "a text file opens");
  std::vector<std::string> lines;
  std::string line;
  ErrorCode status;
  while (reader && (status = reader->ReadLine(&line)) == 0) lines.push_back(line);
  Check(Joined(lines) == "[one][two\rthree][][last]", "text mode splits the lines",
        Joined(lines));
  if (reader) CheckCode(status, 38, "the end is 38");
  reader.reset();
  CheckCode(machine.OpenTextFile(root + "\\absent.txt", &reader), 2, "a missing text file is 2");
  const ErrorCode inFolder = machine.OpenTextFile(root + "\\nowhere\\intro.txt", &reader);
  Check(inFolder == 2 || inFolder == 3, "a text file in a missing folder", Num(inFolder));
}

void LogChecks(Machine& machine, const std::string& root) {
  const std::string path = root + "\\tplsetup.log";
  WriteBytes(path, "an older and longer log that must go away");
  std::unique_ptr<tpl::LogWriter> writer;
  CheckCode(machine.CreateLogFile(path, &writer), 0, "the log is created");
  if (!writer) return;
  CheckCode(writer->Write("first\r\n"), 0, "the log is written");
  CheckCode(writer->Flush(), 0, "the log is flushed");
  Check(ReadBytes(path) == "<missing>", "nobody else may open the log while it is held");
  std::unique_ptr<tpl::LogWriter> second;
  CheckCode(machine.CreateLogFile(path, &second), 32, "a second writer is refused with 32");
  writer.reset();
  Check(ReadBytes(path) == "first\r\n", "the log holds exactly what was written",
        ReadBytes(path));
}

void SystemChecks(Machine& machine) {
  const std::string text = machine.SystemMessage(2);
  Check(text.size() > 2 && text.compare(text.size() - 2, 2, "\r\n") == 0,
        "a system text ends in CR LF", text);
  Check(machine.SystemMessage(0x2000FFFF).empty(), "an unknown code has no text");

  tpl::OsVersionInfo version;
  CheckCode(machine.OsVersion(&version), 0, "the version is read");
  Check(version.platformId == 2 && version.majorVersion >= 5, "an NT system",
        Num(version.platformId) + " " + Num(version.majorVersion));
  std::string name;
  CheckCode(machine.UserName(&name), 0, "the user name is read");
  Check(!name.empty(), "the user has a name");
  std::string windows;
  CheckCode(machine.WindowsFolder(&windows), 0, "the Windows folder is read");
  Check(windows.size() > 3 && windows.back() != '\\', "the Windows folder has no final backslash",
        windows);
  std::string temp;
  CheckCode(machine.TempPath(&temp), 0, "the temp path is read");
  Check(!temp.empty() && temp.back() == '\\', "the temp path ends in a backslash", temp);
  const tpl::LocalTime now = machine.Now();
  Check(now.year >= 2020 && now.month >= 1 && now.month <= 12 && now.day >= 1 && now.day <= 31,
        "the local time is a date", Num(now.year) + "-" + Num(now.month) + "-" + Num(now.day));
  // The performance counter, not the tick count: Wine updates the tick
  // count only every few milliseconds.
  LARGE_INTEGER frequency, before, after;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&before);
  machine.Pause(50);
  QueryPerformanceCounter(&after);
  const long long waited = (after.QuadPart - before.QuadPart) * 1000 / frequency.QuadPart;
  Check(waited >= 45, "a pause waits", Num(waited) + " ms");
}

std::string MakeScratchFolder() {
  char temp[MAX_PATH + 1];
  GetTempPathA(MAX_PATH + 1, temp);
  std::string root = std::string(temp) + "tplsetup-checks-" +
                     std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  CreateDirectoryA(root.c_str(), nullptr);
  return root;
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

void RunMachineChecks() {
  std::unique_ptr<Machine> machine = tpl::MakeWin32Machine();
  const std::string root = MakeScratchFolder();
  RegistryChecks(*machine);
  EnvironmentChecks(*machine);
  FindChecks(*machine, root);
  FolderChecks(*machine, root);
  CopyChecks(*machine, root);
  TextFileChecks(*machine, root);
  LogChecks(*machine, root);
  SystemChecks(*machine);
  RemoveTree(root);
}

}  // namespace checks
