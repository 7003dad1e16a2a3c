// Contract checks of the win32 machine against the real Win32 API, run under
// Wine by tests/wine/run in a throwaway prefix (so its scratch files stay).
// Each check names the behaviour the core relies on.
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "checks.h"
#include "machine/win32/win32_machine.h"

namespace checks {
namespace {

using tpl::ErrorCode;
using tpl::Machine;

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string Joined(const std::vector<std::string>& names) {
  std::string all;
  for (const std::string& name : names) all += "[" + name + "]";
  return all;
}

std::string Listed(Machine& machine, const std::string& pattern, ErrorCode* status) {
  std::vector<tpl::FindData> entries;
  *status = machine.FindFiles(pattern, &entries);
  std::vector<std::string> names;
  for (const tpl::FindData& entry : entries) {
    names.push_back(entry.name + (entry.directory ? "/" : "") + (entry.readOnly ? " ro" : ""));
  }
  std::sort(names.begin(), names.end());  // the order is the file system's
  return Joined(names);
}

void RegistryChecks(Machine& machine) {
  // Values of every shape the core meets, written under HKCU for the checks.
  const char kScratch[] = "Software\\tplsetup-machine-checks";
  HKEY scratch;
  RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch,
                  nullptr);
  const std::string fits(259, 'f'), tooLong(260, 'l'), expand = "%SystemRoot%\\temp";
  const DWORD number = 42;
  auto set = [&](const char* name, DWORD type, const void* data, size_t size) {
    RegSetValueExA(scratch, name, 0, type, static_cast<const BYTE*>(data), DWORD(size));
  };
  set("fits", REG_SZ, fits.c_str(), 260);
  set("long", REG_SZ, tooLong.c_str(), 261);
  set("expand", REG_EXPAND_SZ, expand.c_str(), expand.size() + 1);
  set("number", REG_DWORD, &number, 4);
  RegCloseKey(scratch);

  std::unique_ptr<tpl::RegistryKey> key;
  CheckEqual(machine.OpenRegistryKey(tpl::RegRoot::kLocalMachine,
                                     "Software\\Microsoft\\Windows\\CurrentVersion", &key),
             0, "an existing HKLM key opens");
  key.reset();
  CheckEqual(machine.OpenRegistryKey(tpl::RegRoot::kLocalMachine, "Software\\No\\Such\\Key", &key),
             2, "a missing key is 2");
  Check(key == nullptr, "a missing key leaves no key");
  CheckEqual(machine.OpenRegistryKey(tpl::RegRoot::kCurrentUser, kScratch, &key), 0,
             "an HKCU key opens");
  if (!key) return;
  struct Read {
    const char* name;
    uint32_t size;
    ErrorCode status;
    uint32_t type;
    std::string data;
  };
  const Read reads[] = {
      {"fits", 260, 0, tpl::kRegSz, fits + '\0'},          // the terminator fits
      {"long", 260, 234, tpl::kRegSz, ""},                 // 234 still tells the type
      {"expand", 260, 0, tpl::kRegExpandSz, expand + '\0'},  // unexpanded
      {"number", 260, 0, tpl::kRegDword, std::string("\x2a\0\0\0", 4)},
      {"no such value", 260, 2, 0, ""},
  };
  for (const Read& read : reads) {
    uint32_t type = 0;
    std::string data = "stale";
    CheckEqual(key->QueryValue(read.name, read.size, &type, &data), read.status, read.name);
    if (read.status == 2) continue;
    CheckEqual(type, read.type, std::string(read.name) + ": type");
    Check(data == read.data, std::string(read.name) + ": data", Num(data.size()) + " bytes");
  }
  key.reset();
  RegDeleteKeyA(HKEY_CURRENT_USER, kScratch);
}

void EnvironmentChecks(Machine& machine) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::string expanded;
  const uint32_t needed = machine.ExpandEnvironment("%SystemRoot%\\temp", 260, &expanded);
  CheckText(expanded, std::string(windows) + "\\temp", "%SystemRoot% expands");
  CheckEqual(needed, expanded.size() + 1, "the size counts the terminator");
  machine.ExpandEnvironment("%TPL_NO_SUCH_VARIABLE%\\x", 260, &expanded);
  CheckText(expanded, "%TPL_NO_SUCH_VARIABLE%\\x", "an unknown variable stays");
  expanded = "untouched";
  Check(machine.ExpandEnvironment("%SystemRoot%\\temp", 4, &expanded) > 4 && expanded == "untouched",
        "too small a buffer leaves the result alone");
}

void FileChecks(Machine& machine, const std::string& root) {
  CreateDirectoryA((root + "\\empty").c_str(), nullptr);
  CreateDirectoryA((root + "\\full").c_str(), nullptr);
  CreateDirectoryA((root + "\\full\\Sub").c_str(), nullptr);
  WriteBytes(root + "\\full\\b.txt", "b");
  WriteBytes(root + "\\full\\A.inf", "a");
  SetFileAttributesA((root + "\\full\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  struct Search {
    const char* pattern;
    ErrorCode status;
    const char* listed;
  };
  const Search searches[] = {
      {"\\empty\\*.*", 0, "[../][./]"},
      {"\\missing\\*.*", 3, ""},
      {"\\empty\\*.txt", 2, ""},
      {"\\full\\*.*", 0, "[../][./][A.inf][Sub/][b.txt ro]"},
      {"\\full\\Sub", 0, "[Sub/]"},  // a path without a pattern finds the entry itself
  };
  for (const Search& search : searches) {
    ErrorCode status;
    const std::string listed = Listed(machine, root + search.pattern, &status);
    CheckEqual(status, search.status, search.pattern);
    CheckText(listed, search.listed, search.pattern);
  }

  const std::string made = root + "\\made";
  CheckEqual(machine.MakeDirectory(made), 0, "a new folder is made");
  CheckEqual(machine.MakeDirectory(made), 183, "an existing folder is 183");
  CheckEqual(machine.MakeDirectory(root + "\\full\\A.inf"), 183, "a file in the way is 183");
  CheckEqual(machine.MakeDirectory(root + "\\nowhere\\deeper"), 3, "a missing parent is 3");

  std::string first, again, other, none;
  machine.FolderIdentity(made, &first);
  machine.FolderIdentity(root + "\\full\\..\\MADE", &again);
  machine.FolderIdentity(root + "\\empty", &other);
  Check(!first.empty() && first == again, "two paths to one folder agree", first + " " + again);
  Check(first != other, "two folders differ", first + " " + other);
  const ErrorCode missing = machine.FolderIdentity(root + "\\missing", &none);
  Check(missing == 2 || missing == 3, "a missing folder has no identity", Num(missing));
}

void CopyChecks(Machine& machine, const std::string& root) {
  const std::string source = root + "\\source.htm", copy = root + "\\copy.htm";
  WriteBytes(source, "<html>one</html>\r\n");
  CheckEqual(machine.CopyFileOver(root + "\\absent.htm", copy), 2, "a missing source is 2");
  CheckEqual(machine.CopyFileOver(source, root + "\\nowhere\\copy.htm"), 3,
             "a missing destination folder is 3");
  CheckEqual(machine.CopyFileOver(source, copy), 0, "a copy is made");
  CheckText(ReadBytes(copy), "<html>one</html>\r\n", "the copy has the bytes");
  WriteBytes(source, "<html>two</html>");
  CheckEqual(machine.CopyFileOver(source, copy), 0, "a copy overwrites");
  CheckText(ReadBytes(copy), "<html>two</html>", "the overwrite has the new bytes");
  CheckEqual(machine.CopyFileOver(source, root + "\\empty"), 5, "copying onto a folder is 5");
  HANDLE held = CreateFileA(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  CheckEqual(machine.CopyFileOver(source, copy), 32, "a destination held without sharing is 32");
  CloseHandle(held);
}

void TextAndLogChecks(Machine& machine, const std::string& root) {
  const std::string text = root + "\\license.txt";
  WriteBytes(text, std::string("one\r\ntwo\rthree\n\nlast\x1a" "after the end"));
  std::unique_ptr<tpl::TextReader> reader;
  CheckEqual(machine.OpenTextFile(text, &reader), 0, "a text file opens");
  std::vector<std::string> lines;
  std::string line;
  ErrorCode status = 0;
  while (reader && (status = reader->ReadLine(&line)) == 0) lines.push_back(line);
  CheckText(Joined(lines), "[one][two\rthree][][last]", "text mode splits the lines");
  CheckEqual(status, 38, "the end is 38");
  CheckEqual(machine.OpenTextFile(root + "\\absent.txt", &reader), 2, "a missing text file is 2");

  const std::string log = root + "\\tplsetup.log";
  WriteBytes(log, "an older and longer log that must go away");
  std::unique_ptr<tpl::LogWriter> writer, second;
  CheckEqual(machine.CreateLogFile(log, &writer), 0, "the log is created");
  if (!writer) return;
  CheckEqual(writer->Write("first\r\n"), 0, "the log is written");
  CheckEqual(writer->Flush(), 0, "the log is flushed");
  CheckText(ReadBytes(log), "<missing>", "nobody else may open the log while it is held");
  CheckEqual(machine.CreateLogFile(log, &second), 32, "a second writer is refused with 32");
  writer.reset();
  CheckText(ReadBytes(log), "first\r\n", "the log holds exactly what was written");
}

void SystemChecks(Machine& machine) {
  const std::string text = machine.SystemMessage(2);
  Check(text.size() > 2 && text.compare(text.size() - 2, 2, "\r\n") == 0,
        "a system text ends in CR LF", text);
  Check(machine.SystemMessage(0x2000FFFF).empty(), "an unknown code has no text");
  tpl::OsVersionInfo version;
  machine.OsVersion(&version);
  Check(version.platformId == 2 && version.majorVersion >= 5, "an NT system");
  std::string windows, temp, user;
  Check(machine.UserName(&user) == 0 && !user.empty(), "the user has a name");
  machine.WindowsFolder(&windows);
  Check(windows.size() > 3 && windows.back() != '\\', "the Windows folder has no final backslash",
        windows);
  machine.TempPath(&temp);
  Check(!temp.empty() && temp.back() == '\\', "the temp path ends in a backslash", temp);
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

}  // namespace

void RunMachineChecks() {
  std::unique_ptr<Machine> machine = tpl::MakeWin32Machine();
  char temp[MAX_PATH + 1];
  GetTempPathA(MAX_PATH + 1, temp);
  const std::string root = std::string(temp) + "tplsetup-checks-" + Num(GetTickCount());
  CreateDirectoryA(root.c_str(), nullptr);
  RegistryChecks(*machine);
  EnvironmentChecks(*machine);
  FileChecks(*machine, root);
  CopyChecks(*machine, root);
  TextAndLogChecks(*machine, root);
  SystemChecks(*machine);
}

}  // namespace checks
