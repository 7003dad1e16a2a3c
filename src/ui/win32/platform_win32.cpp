// The Windows program's machine, front end and standard streams.
#include <windows.h>

#include "app/platform.h"
#include "machine/win32/win32_machine.h"
#include "ui/win32/console_streams.h"
#include "ui/win32/win32_front_end.h"

namespace tpl {
namespace {

const char kPrefixMeaningless[] =
    "--prefix names a Wine prefix for the Linux program; on Windows the machine is the one "
    "the program runs on";
const char kKitFolderUnusable[] = "cannot use the kit folder ";

std::string SystemText(DWORD code) {
  std::string text = MakeWin32Machine()->SystemMessage(code);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

}  // namespace

std::unique_ptr<Machine> MakeProgramMachine(const CommandLine& options, std::string* error,
                                            int* exitStatus) {
  if (!options.prefixDir.empty()) {
    *error = kPrefixMeaningless;
    *exitStatus = kExitUsage;
    return nullptr;
  }
  // The kit's files are named relative to the current folder, so the kit
  // folder simply becomes it.
  if (!options.kitDir.empty() && !SetCurrentDirectoryA(options.kitDir.c_str())) {
    const DWORD code = GetLastError();
    *error = kKitFolderUnusable + options.kitDir + ": " + SystemText(code);
    *exitStatus = kExitUsage;
    return nullptr;
  }
  return MakeWin32Machine();
}

std::unique_ptr<FrontEnd> MakeInteractiveFrontEnd(Machine&) {
  return std::make_unique<Win32FrontEnd>(GetModuleHandleA(nullptr));
}

void CatchInterruptions() {}

void ShowStartError(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), "tplsetup", MB_OK | MB_ICONEXCLAMATION);
}

std::ostream& ProgramOut() {
  static StdHandleBuffer buffer(STD_OUTPUT_HANDLE);
  static std::ostream stream(&buffer);
  return stream;
}

std::ostream& ProgramErr() {
  static StdHandleBuffer buffer(STD_ERROR_HANDLE);
  static std::ostream stream(&buffer);
  return stream;
}

int EndProgram(int status) { return status; }

}  // namespace tpl
