#include <windows.h>

#include "machine/text_mode_reader.h"
#include "machine/win32/win32_handle.h"
#include "machine/win32/win32_machine_parts.h"

namespace tpl {
namespace win32 {
namespace {

ErrorCode LastError() { return static_cast<ErrorCode>(GetLastError()); }

// The bytes of an open file, for the shared text-mode line splitter.
class HandleByteSource : public ByteSource {
 public:
  explicit HandleByteSource(HANDLE file) : file_(file) {}

  ErrorCode Read(char* buffer, size_t capacity, size_t* got) override {
    DWORD read = 0;
    const DWORD wanted = capacity > 0x10000000 ? 0x10000000 : static_cast<DWORD>(capacity);
    if (!ReadFile(file_.get(), buffer, wanted, &read, nullptr)) {
      *got = 0;
      return LastError();
    }
    *got = read;
    return kErrorSuccess;
  }

 private:
  ScopedHandle file_;
};

class HandleLogWriter : public LogWriter {
 public:
  explicit HandleLogWriter(HANDLE file) : file_(file) {}

  // Held without sharing: nobody can remove it meanwhile.
  ErrorCode StillPresent() override { return kErrorSuccess; }

  ErrorCode Write(const std::string& bytes) override {
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(bytes.size() - done);
      if (!WriteFile(file_.get(), bytes.data() + done, chunk, &written, nullptr)) {
        return LastError();
      }
      if (written == 0) return kErrorDiskFull;
      done += written;
    }
    return kErrorSuccess;
  }

  ErrorCode Flush() override {
    return FlushFileBuffers(file_.get()) ? kErrorSuccess : LastError();
  }

 private:
  ScopedHandle file_;
};

}  // namespace

std::unique_ptr<LogWriter> MakeHandleWriter(void* file) {
  return std::make_unique<HandleLogWriter>(static_cast<HANDLE>(file));
}

ErrorCode OpenTextFile(const std::string& path, std::unique_ptr<TextReader>* reader) {
  // The kit's own texts (named relative to it) are never read through a link.
  const bool inKit = !path.empty() && path[0] != '\\' && path[0] != '/' &&
                     (path.size() < 2 || path[1] != ':');
  if (inKit && CheckInsideCurrentFolder(path) == kErrorAccessDenied) return kErrorAccessDenied;
  // Shared for reading and writing, as the C runtime opens a file with "r".
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastError();
  *reader = std::make_unique<TextModeReader>(std::make_unique<HandleByteSource>(file));
  return kErrorSuccess;
}

ErrorCode CreateLogFile(const std::string& path, std::unique_ptr<LogWriter>* writer) {
  // A link standing where the log goes could point anywhere: refuse it.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return kErrorAccessDenied;
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastError();
  *writer = std::make_unique<HandleLogWriter>(file);
  return kErrorSuccess;
}

}  // namespace win32
}  // namespace tpl
