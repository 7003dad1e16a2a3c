#include "machine/wineprefix/log_file_table.h"

#include <mutex>
#include <set>
#include <utility>

namespace tpl {
namespace {

std::mutex& TableLock() {
  static std::mutex lock;
  return lock;
}

std::set<std::pair<dev_t, ino_t>>& Table() {
  static std::set<std::pair<dev_t, ino_t>> table;
  return table;
}

}  // namespace

bool LogFileTable::Claim(dev_t device, ino_t inode) {
  std::lock_guard<std::mutex> guard(TableLock());
  return Table().emplace(device, inode).second;
}

void LogFileTable::Release(dev_t device, ino_t inode) {
  std::lock_guard<std::mutex> guard(TableLock());
  Table().erase({device, inode});
}

bool LogFileTable::Held(dev_t device, ino_t inode) {
  std::lock_guard<std::mutex> guard(TableLock());
  return Table().count({device, inode}) != 0;
}

}  // namespace tpl
