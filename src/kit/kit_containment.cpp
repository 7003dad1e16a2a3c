// Before the first copy: every entry of the kit folders that the copy will
// walk must be a plain file or folder that, links followed, lies inside the
// kit. A downloaded kit must not copy the user's other files (a link to
// ~/.ssh), nor hang or fill the disk (a FIFO, a link to /dev/zero).
#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "app/wizard_dlg.h"
#include "install/copy_plan.h"
#include "install/install_session.h"

namespace tpl {
namespace {

const char kLinksOutside[] = "Kit entry links outside the kit";
const char kNotRegularFile[] = "Kit entry is not a regular file";

class KitContainmentWalk {
 public:
  KitContainmentWalk(CWizardDlg& wizard, Machine& searches)
      : wizard_(wizard), searches_(searches) {}

  // Checks each part of the kit folder `path`, then every entry below it.
  // false once an entry was refused (and reported).
  bool CheckFolder(const std::string& path) {
    std::string shown;  // `path` as the kit spells it, for the report
    size_t begin = 0;
    while (begin <= path.size()) {
      const size_t end = std::min(path.find('\\', begin), path.size());
      std::vector<FindData> found;
      // A missing folder has nothing to copy; the copy finds it empty too.
      if (searches_.FindFiles(path.substr(0, end), &found) != kErrorSuccess || found.empty()) {
        return true;
      }
      shown += (shown.empty() ? "" : "\\") + found.front().name;
      if (!CheckEntry(shown, found.front())) return false;
      begin = end + 1;
    }
    return CheckTree(path, shown);
  }

 private:
  bool CheckEntry(const std::string& shown, const FindData& entry) {
    ErrorCode refusal = kErrorSuccess;
    if (entry.reparsePoint) {
      refusal = wizard_.machine().CheckInsideCurrentFolder(shown);
    } else if (entry.special) {
      refusal = kErrorCantAccessFile;
    }
    // Other failures (a dangling link) are the copy's to report.
    if (refusal == kErrorAccessDenied) {
      wizard_.ReportSystemError(kLinksOutside, shown, refusal);
      return false;
    }
    if (refusal == kErrorCantAccessFile) {
      wizard_.ReportSystemError(kNotRegularFile, shown, refusal);
      return false;
    }
    return true;
  }

  // `folder` is spelled as the copy walk spells it, so that it finds these
  // listings again; `shown` as the kit spells it.
  bool CheckTree(const std::string& folder, const std::string& shown) {
    std::vector<FindData> entries;
    if (searches_.FindFiles(folder + "\\*.*", &entries) != kErrorSuccess) return true;
    for (const FindData& entry : entries) {
      if (entry.name == "." || entry.name == "..") continue;
      // A plain file has nothing to check.
      if (!entry.directory && !entry.reparsePoint && !entry.special) continue;
      const std::string child = folder + "\\" + entry.name;
      const std::string shownChild = shown + "\\" + entry.name;
      if (!CheckEntry(shownChild, entry)) return false;
      if (!entry.directory) continue;
      // A linked folder inside the kit is checked once: a link back up the
      // tree would otherwise be walked forever.
      std::string identity;
      if (entry.reparsePoint &&
          wizard_.machine().FolderIdentity(child, &identity) == kErrorSuccess &&
          !linkedFolders_.insert(identity).second) {
        continue;
      }
      if (!CheckTree(child, shownChild)) return false;
    }
    return true;
  }

  CWizardDlg& wizard_;
  Machine& searches_;
  std::set<std::string> linkedFolders_;
};

}  // namespace

void CWizardDlg::NoteKitFoldersToCopy() {
  for (const CopyPlanRow& row : CopyPlanFor(*this)) m_kitFoldersToCopy.insert(row.source);
}

bool CWizardDlg::CheckKitContainment() {
  m_pKitSearches = std::make_shared<SearchMemo>(machine());
  KitContainmentWalk walk(*this, *m_pKitSearches);
  for (const std::string& folder : m_kitFoldersToCopy) {
    if (!walk.CheckFolder(folder)) return false;
  }
  return true;
}

}  // namespace tpl
