#include "machine/wineprefix/registry_view.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdint>

#include "machine/wineprefix/windows_path.h"

namespace tpl {
namespace {

constexpr char kWowNode[] = "wow6432node";
constexpr char kWarningHead[] = "tplsetup: warning: ";
constexpr char kNotRegistryWarning[] = "not a registry file; its keys are read as missing";

// An open key: shares the parsed file, so it outlives nothing it needs.
class FileRegistryKey : public RegistryKey {
 public:
  FileRegistryKey(std::shared_ptr<const RegistryFile> file, const RegKeyData* data)
      : file_(std::move(file)), data_(data) {}

  ErrorCode QueryValue(const std::string& name, size_t bufferSize, uint32_t* type,
                       std::string* data) override {
    data->clear();
    if (data_ == nullptr) return kErrorFileNotFound;
    auto found = data_->values.find(AsciiLower(name));
    if (found == data_->values.end()) return kErrorFileNotFound;
    *type = found->second.type;
    if (found->second.data.size() > bufferSize) return kErrorMoreData;
    *data = found->second.data;
    return kErrorSuccess;
  }

 private:
  std::shared_ptr<const RegistryFile> file_;
  const RegKeyData* data_;  // nullptr: a key without values (a hive's root)
};

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char buffer[64 * 1024];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes->append(buffer, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

std::string TrimSeparators(const std::string& path) {
  size_t begin = 0, end = path.size();
  while (end > begin && path[end - 1] == '\\') --end;
  while (begin < end && path[begin] == '\\') ++begin;
  return path.substr(begin, end - begin);
}

}  // namespace

RegistryView::RegistryView(std::string prefix) : prefix_(std::move(prefix)) {}

RegistryView::Hive& RegistryView::Load(RegRoot root) {
  Hive& hive = hives_[root == RegRoot::kLocalMachine ? 0 : 1];
  if (hive.loaded) return hive;
  hive.loaded = true;
  const std::string path =
      prefix_ + (root == RegRoot::kLocalMachine ? "/system.reg" : "/user.reg");
  std::string bytes;
  if (!ReadWholeFile(path, &bytes)) {
    // A hive that is not there has no keys; one that cannot be read is
    // refused, as Windows refuses a key it may not open.
    struct stat info;
    hive.error = stat(path.c_str(), &info) != 0 && errno == ENOENT ? kErrorFileNotFound
                                                                    : kErrorAccessDenied;
    return hive;
  }
  std::string warning;
  hive.file = std::make_shared<RegistryFile>(RegistryFile::Parse(bytes, root, &warning));
  if (!warning.empty() || hive.file->format() == RegFileFormat::kUnknown) {
    std::fprintf(stderr, "%s%s: %s\n", kWarningHead, path.c_str(),
                 warning.empty() ? kNotRegistryWarning : warning.c_str());
  }
  return hive;
}

bool RegistryView::Win64() {
  const Hive& hive = Load(RegRoot::kLocalMachine);
  return hive.file && hive.file->win64();
}

std::string RegistryView::StoredPath(RegRoot root, const std::string& subKey) {
  const std::string path = TrimSeparators(subKey);
  if (root != RegRoot::kLocalMachine || !Win64()) return path;
  const std::string folded = AsciiLower(path);
  if (folded != "software" && folded.rfind("software\\", 0) != 0) return path;
  const std::string rest = path.size() > 9 ? path.substr(9) : "";
  // A path that already names the 32-bit node is not redirected twice.
  if (AsciiLower(rest.substr(0, sizeof kWowNode - 1)) == kWowNode &&
      (rest.size() == sizeof kWowNode - 1 || rest[sizeof kWowNode - 1] == '\\')) {
    return path;
  }
  return rest.empty() ? path.substr(0, 8) + "\\Wow6432Node"
                      : path.substr(0, 8) + "\\Wow6432Node\\" + rest;
}

ErrorCode RegistryView::Open(RegRoot root, const std::string& subKey,
                             std::unique_ptr<RegistryKey>* key) {
  Hive& hive = Load(root);
  if (hive.error != kErrorSuccess) return hive.error;
  const std::string path = StoredPath(root, subKey);
  const RegKeyData* data = path.empty() ? nullptr : hive.file->Find(root, path);
  if (data == nullptr && !path.empty()) return kErrorFileNotFound;
  *key = std::make_unique<FileRegistryKey>(hive.file, data);
  return kErrorSuccess;
}

std::vector<RegValueData> RegistryView::Values(RegRoot root, const std::string& subKey) {
  std::vector<RegValueData> values;
  Hive& hive = Load(root);
  if (hive.error != kErrorSuccess) return values;
  const RegKeyData* data = hive.file->Find(root, StoredPath(root, subKey));
  if (data == nullptr) return values;
  for (const auto& entry : data->values) values.push_back(entry.second);
  return values;
}

bool RegistryView::ReadString(RegRoot root, const std::string& subKey, const std::string& name,
                              std::string* value, uint32_t* type) {
  std::unique_ptr<RegistryKey> key;
  if (Open(root, subKey, &key) != kErrorSuccess) return false;
  uint32_t valueType = kRegNone;
  std::string data;
  if (key->QueryValue(name, SIZE_MAX, &valueType, &data) != kErrorSuccess) return false;
  if (valueType != kRegSz && valueType != kRegExpandSz) return false;
  const size_t end = data.find('\0');
  *value = end == std::string::npos ? data : data.substr(0, end);
  if (type) *type = valueType;
  return true;
}

bool RegistryView::ReadDword(RegRoot root, const std::string& subKey, const std::string& name,
                             uint32_t* value) {
  std::unique_ptr<RegistryKey> key;
  if (Open(root, subKey, &key) != kErrorSuccess) return false;
  uint32_t type = kRegNone;
  std::string data;
  if (key->QueryValue(name, SIZE_MAX, &type, &data) != kErrorSuccess) return false;
  if (type != kRegDword || data.size() != 4) return false;
  *value = 0;
  for (int i = 3; i >= 0; --i) *value = (*value << 8) | static_cast<unsigned char>(data[i]);
  return true;
}

}  // namespace tpl
