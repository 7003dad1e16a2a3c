// What an uninstall will do to each path a record names, decided from the
// record and the files as they are now.
#pragma once

#include <string>
#include <vector>

#include "machine/machine.h"
#include "record/record_store.h"

namespace tpl {

struct UndoAction {
  enum class Kind {
    kRemove,   // installed and unchanged, nothing was replaced: remove it
    kRestore,  // put the backup back in its place
    kNothing,  // absent, or already what it was before
    kKeep,     // changed since it was installed: left alone and reported
  };
  Kind kind = Kind::kNothing;
  std::string path;
  int backup = 0;          // the first backup of the path (the user's original), or 0
  std::vector<int> lines;  // the record's lines about the path
  std::string reason;      // kKeep: why
};

// One action per path the record names, in the order of their first line.
std::vector<UndoAction> PlanUndo(Machine& machine, const Record& record,
                                 const RecordPlace& place);

}  // namespace tpl
