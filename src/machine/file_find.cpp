#include "machine/file_find.h"

namespace tpl {

bool CFileFind::FindFile(const std::string& pattern) {
  Close();
  const size_t slash = pattern.find_last_of("\\/");
  root_ = slash == std::string::npos ? "" : pattern.substr(0, slash + 1);
  error_ = machine_.FindFiles(pattern, &entries_);
  if (error_ != kErrorSuccess || entries_.empty()) {
    if (error_ == kErrorSuccess) error_ = kErrorFileNotFound;
    entries_.clear();
    return false;
  }
  return true;
}

bool CFileFind::FindNextFile() {
  if (next_ < entries_.size()) ++next_;
  return next_ < entries_.size();
}

void CFileFind::Close() {
  entries_.clear();
  next_ = 0;
  error_ = kErrorSuccess;
}

bool CFileFind::IsDots() const {
  if (next_ == 0) return false;
  // Asked of every entry of every walk: compared in place, where a
  // comparison with a C string measures it first, out of line.
  const std::string& name = entries_[next_ - 1].name;
  const size_t size = name.size();
  return (size == 1 || size == 2) && name[0] == '.' && name[size - 1] == '.';
}

bool CFileFind::IsDirectory() const {
  return next_ > 0 && entries_[next_ - 1].directory;
}

bool CFileFind::IsReadOnly() const {
  return next_ > 0 && entries_[next_ - 1].readOnly;
}

bool CFileFind::IsReparsePoint() const {
  return next_ > 0 && entries_[next_ - 1].reparsePoint;
}

std::string CFileFind::GetFileName() const {
  return next_ > 0 ? entries_[next_ - 1].name : std::string();
}

std::string CFileFind::GetFileTitle() const {
  const std::string name = GetFileName();
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string CFileFind::GetFilePath() const { return root_ + GetFileName(); }

}  // namespace tpl
