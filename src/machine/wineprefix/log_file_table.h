// The files this process holds open for writing without sharing (the log),
// known by device and inode so that every path leading to one finds it.
#pragma once

#include <sys/types.h>

namespace tpl {

class LogFileTable {
 public:
  // false when the file is already held.
  static bool Claim(dev_t device, ino_t inode);
  static void Release(dev_t device, ino_t inode);
  static bool Held(dev_t device, ino_t inode);
};

}  // namespace tpl
