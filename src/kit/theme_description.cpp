#include "kit/theme_description.h"

#include "kit/c_numbers.h"
#include "kit/kit_text.h"

namespace tpl {
namespace {

const char kTitleKey[] = "title=";
const char kVersionKey[] = "version=";
constexpr size_t kTitleKeyLength = sizeof kTitleKey - 1;
constexpr size_t kVersionKeyLength = sizeof kVersionKey - 1;

// CString::Right(length - skip): what follows the first `skip` characters.
std::string After(const std::string& line, size_t skip) {
  return line.size() > skip ? line.substr(skip) : std::string();
}

}  // namespace

void ApplyDescriptionLine(const std::string& line, ThemeDescription* description) {
  // The key is looked for anywhere, but the value always starts at a fixed
  // place: files write the key at the start of the line.
  const std::string lower = AsciiLower(line);
  if (lower.find(kTitleKey) != std::string::npos) {
    description->title = After(line, kTitleKeyLength);
  } else if (lower.find(kVersionKey) != std::string::npos) {
    description->version = Atof(After(line, kVersionKeyLength));
  }
}

bool ReadThemeDescription(Machine& machine, const std::string& path,
                          ThemeDescription* description) {
  std::unique_ptr<TextReader> reader;
  if (machine.OpenTextFile(path, &reader) != kErrorSuccess || !reader) return true;
  std::string line;
  for (;;) {
    const ErrorCode code = reader->ReadLine(&line);
    if (code == kErrorHandleEof) return true;
    if (code != kErrorSuccess) return false;
    ApplyDescriptionLine(LineText(line), description);
  }
}

}  // namespace tpl
