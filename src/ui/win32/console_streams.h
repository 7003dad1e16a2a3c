// Standard output and error of the Windows program. It is a GUI program, so
// a console it was started from is not its own: it writes to the handles it
// inherited (a pipe, a file, or the Unix terminal under Wine), else attaches
// to its parent's console.
#pragma once

#include <windows.h>

#include <ostream>
#include <streambuf>

namespace tpl {

// An unbuffered stream buffer writing through WriteFile to one standard
// handle, found when the first byte is written. Bytes go out as given.
class StdHandleBuffer : public std::streambuf {
 public:
  explicit StdHandleBuffer(DWORD which) : which_(which) {}

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* data, std::streamsize count) override;

 private:
  HANDLE Target();
  DWORD which_;
  HANDLE handle_ = nullptr;
  bool looked_ = false;
};

// The handle for `which` (STD_OUTPUT_HANDLE or STD_ERROR_HANDLE): the
// inherited one when there is one, else the parent's console, else none.
HANDLE OpenStdHandle(DWORD which);

}  // namespace tpl
