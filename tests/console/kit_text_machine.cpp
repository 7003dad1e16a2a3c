#include "kit_text_machine.h"

namespace tpl::test {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

class StringReader : public TextReader {
 public:
  explicit StringReader(std::string text) : text_(std::move(text)) {}
  ErrorCode ReadLine(std::string* line) override {
    if (at_ >= text_.size()) return kErrorHandleEof;
    size_t end = text_.find('\n', at_);
    if (end == std::string::npos) end = text_.size();
    *line = text_.substr(at_, end - at_);
    if (!line->empty() && line->back() == '\r') line->pop_back();
    at_ = end + 1;
    return kErrorSuccess;
  }

 private:
  std::string text_;
  size_t at_ = 0;
};

}  // namespace

void KitTextMachine::AddTextFile(const std::string& name, const std::string& content) {
  files_[Lower(name)] = content;
}

const std::string* KitTextMachine::Find(const std::string& name) const {
  auto found = files_.find(Lower(name));
  return found == files_.end() ? nullptr : &found->second;
}

uint32_t KitTextMachine::ExpandEnvironment(const std::string& source, size_t bufferSize,
                                           std::string* expanded) {
  if (source.size() + 1 <= bufferSize) *expanded = source;
  return static_cast<uint32_t>(source.size() + 1);
}

ErrorCode KitTextMachine::FindFiles(const std::string& pattern, std::vector<FindData>* entries) {
  entries->clear();
  if (Find(pattern) == nullptr) return kErrorFileNotFound;
  FindData entry;
  entry.name = pattern;
  entries->push_back(entry);
  return kErrorSuccess;
}

ErrorCode KitTextMachine::OpenTextFile(const std::string& path,
                                       std::unique_ptr<TextReader>* reader) {
  const std::string* content = Find(path);
  if (content == nullptr) return kErrorFileNotFound;
  *reader = std::make_unique<StringReader>(*content);
  return kErrorSuccess;
}

std::string KitTextMachine::SystemMessage(ErrorCode code) {
  return code == kErrorFileNotFound ? "The system cannot find the file specified.\r\n" : "";
}

ErrorCode KitTextMachine::OsVersion(OsVersionInfo* info) {
  info->platformId = 2;
  info->majorVersion = 6;
  info->minorVersion = 1;
  info->buildNumber = 7601;
  info->csdVersion = "Service Pack 1";
  return kErrorSuccess;
}

ErrorCode KitTextMachine::UserName(std::string* name) {
  *name = "tester";
  return kErrorSuccess;
}

ErrorCode KitTextMachine::WindowsFolder(std::string* path) {
  *path = "C:\\windows";
  return kErrorSuccess;
}

ErrorCode KitTextMachine::TempPath(std::string* path) {
  *path = "C:\\temp\\";
  return kErrorSuccess;
}

}  // namespace tpl::test
