#include "ui/win32/console_streams.h"

namespace tpl {
namespace {

bool Usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

}  // namespace

HANDLE OpenStdHandle(DWORD which) {
  HANDLE inherited = GetStdHandle(which);
  if (Usable(inherited)) return inherited;
  // Attaching fails harmlessly when this process already has a console or
  // its parent has none. Looked up at run time: systems before XP lack it.
  static const bool attached = [] {
    using AttachConsoleCall = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto attach = kernel ? reinterpret_cast<AttachConsoleCall>(
                               reinterpret_cast<void*>(GetProcAddress(kernel, "AttachConsole")))
                         : nullptr;
    return attach != nullptr && attach(ATTACH_PARENT_PROCESS) != FALSE;
  }();
  (void)attached;
  HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                               nullptr);
  return Usable(console) ? console : nullptr;
}

HANDLE StdHandleBuffer::Target() {
  if (!looked_) {
    handle_ = OpenStdHandle(which_);
    looked_ = true;
  }
  return handle_;
}

StdHandleBuffer::int_type StdHandleBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char byte = traits_type::to_char_type(c);
  return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize StdHandleBuffer::xsputn(const char* data, std::streamsize count) {
  HANDLE target = Target();
  if (target == nullptr) return count;  // nowhere to write: drop it, as a GUI program does
  std::streamsize done = 0;
  while (done < count) {
    DWORD written = 0;
    if (!WriteFile(target, data + done, static_cast<DWORD>(count - done), &written, nullptr) ||
        written == 0) {
      break;
    }
    done += written;
  }
  return done;
}

}  // namespace tpl
