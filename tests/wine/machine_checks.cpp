// The win32 machine against the real Win32 API, run under Wine by
// tests/wine/run in a throwaway prefix (so its scratch files stay). The
// silent scenarios there compare whole runs with the native program's;
// these rows hold the edge cases the core relies on. Each answer starts
// with the call's status.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "checks.h"
#include "machine/win32/win32_machine.h"

namespace checks {
namespace {

const char kScratchKey[] = "Software\\tplsetup-machine-checks";

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<missing>";
}

// Registry values of the shapes the core meets, and files and folders.
void WriteScratch(const std::string& root) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  auto set = [key](const char* name, DWORD type, const char* text) {
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::strlen(text) + 1));
  };
  set("sz", REG_SZ, "1234567");  // 8 bytes with its terminator
  set("long", REG_SZ, "12345678");
  set("expand", REG_EXPAND_SZ, "%TEMP%");
  RegCloseKey(key);
  for (const char* folder : {"", "\\empty", "\\made", "\\full", "\\full\\Sub"}) {
    CreateDirectoryA((root + folder).c_str(), nullptr);
  }
  WriteBytes(root + "\\full\\b.txt", "b");
  WriteBytes(root + "\\full\\A.inf", "a");
  SetFileAttributesA((root + "\\full\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteBytes(root + "\\one.htm", "<html>one</html>\r\n");
  WriteBytes(root + "\\two.htm", "<html>two</html>");
  WriteBytes(root + "\\copy.htm", "an older copy");
  WriteBytes(root + "\\tplsetup.log", "an older and longer log that must go away");
}

}  // namespace

void RunMachineChecks() {
  std::unique_ptr<tpl::Machine> owned = tpl::MakeWin32Machine();
  tpl::Machine& m = *owned;
  char temp[MAX_PATH + 1];
  GetTempPathA(MAX_PATH + 1, temp);
  const std::string root = std::string(temp) + "tplsetup-checks-" + Num(GetTickCount());
  WriteScratch(root);
  auto at = [&root](const char* name) { return root + name; };
  const std::string log = at("\\tplsetup.log");

  std::unique_ptr<tpl::RegistryKey> key;
  auto openKey = [&](tpl::RegRoot where, const char* subKey) {
    return Join({Num(m.OpenRegistryKey(where, subKey, &key)), key ? "key" : "none"});
  };
  auto query = [&](const char* name) {  // into a buffer of 8 bytes
    uint32_t type = 0;
    std::string data = "stale";
    return Join({key ? Num(key->QueryValue(name, 8, &type, &data)) : "no key", Num(type), data});
  };
  auto expand = [&](const char* source, size_t bufferSize) {
    std::string expanded = "untouched";
    return Join({Num(m.ExpandEnvironment(source, bufferSize, &expanded)), expanded});
  };
  auto identity = [&](const char* folder) {
    std::string id;
    const tpl::ErrorCode status = m.FolderIdentity(at(folder), &id);
    return status == 0 && !id.empty() ? id : "error " + Num(status);
  };
  auto copy = [&](const char* from, const char* to) {
    const tpl::ErrorCode status = m.CopyFileOver(at(from), at(to));
    return Join({Num(status), status == 0 ? ReadBytes(at(to)) : ""});
  };
  std::unique_ptr<tpl::LogWriter> writer, second;
  std::string user;

  Print({
      {"a missing key", [&] { return openKey(tpl::RegRoot::kLocalMachine, "Software\\No\\Such"); }},
      {"an HKCU key", [&] { return openKey(tpl::RegRoot::kCurrentUser, kScratchKey); }},
      {"a value that fits with its terminator", [&] { return query("sz"); }},
      {"too long a value, its type still told", [&] { return query("long"); }},
      {"an expandable value, unexpanded", [&] { return query("expand"); }},
      {"%SystemRoot% expanded", [&] { return expand("%SystemRoot%\\temp", 260); }},
      {"too small a buffer", [&] { return expand("%SystemRoot%\\temp", 4); }},
      {"folders and read-only files, sorted",  // the order is the file system's
       [&] {
         std::vector<tpl::FindData> found;
         std::vector<std::string> names{Num(m.FindFiles(at("\\full\\*.*"), &found))};
         for (const tpl::FindData& e : found) {
           names.push_back(e.name + (e.directory ? "/" : "") + (e.readOnly ? " (read-only)" : ""));
         }
         std::sort(names.begin() + 1, names.end());
         std::string all;
         for (const std::string& name : names) all += name + "|";
         return all;
       }},
      {"a folder with a missing parent", [&] { return Num(m.MakeDirectory(at("\\no\\deeper"))); }},
      {"two paths to one folder; two folders",
       [&] {
         const std::string made = identity("\\made");
         return Bits({identity("\\full\\..\\MADE") == made, identity("\\empty") == made});
       }},
      {"the identity of a missing folder", [&] { return identity("\\missing"); }},
      {"a copy of a missing source", [&] { return copy("\\absent.htm", "\\copy.htm"); }},
      {"a copy into a missing folder", [&] { return copy("\\one.htm", "\\no\\copy.htm"); }},
      {"a copy over it", [&] { return copy("\\two.htm", "\\copy.htm"); }},
      {"a copy onto a folder", [&] { return copy("\\one.htm", "\\empty"); }},
      {"a copy onto a file held without sharing",
       [&] {
         const std::string path = at("\\copy.htm");
         HANDLE held =
             CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         const std::string result = copy("\\one.htm", "\\copy.htm");
         return CloseHandle(held), result;
       }},
      {"the log created, written, flushed; read by another meanwhile",
       [&] {
         const std::string created = Num(m.CreateLogFile(log, &writer));
         if (!writer) return created;
         const std::string written = Num(writer->Write("first\r\n"));
         return Join({created, written, Num(writer->Flush()), ReadBytes(log)});
       }},
      {"a second log writer", [&] { return Num(m.CreateLogFile(log, &second)); }},
      {"the log, once closed", [&] { return writer.reset(), ReadBytes(log); }},
      {"the text of an unknown code", [&] { return m.SystemMessage(0x2000FFFF); }},
      {"the user's name; empty",
       [&] { return Join({Num(m.UserName(&user)), Bits({user.empty()})}); }},
  });
  key.reset();
  RegDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
}

}  // namespace checks
