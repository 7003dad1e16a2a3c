// The walk over a kit folder tree that counts its files or copies them.
#include <vector>

#include "app/wizard_dlg.h"
#include "install/copy_texts.h"
#include "install/install_session.h"
#include "machine/file_find.h"
#include "record/install_recorder.h"

namespace tpl {
namespace {

const char kEveryEntry[] = "\\*.*";

// One walk of CopyFolder. It remembers the folders on the way down from the
// walk's top, so that a linked folder that leads back to one of them is
// noticed instead of walked forever.
class FolderWalk {
 public:
  FolderWalk(CWizardDlg& wizard, bool copy)
      : wizard_(wizard),
        searches_(wizard.m_pInstallSession != nullptr ? wizard.m_pInstallSession->kitSearches
                                                      : wizard.machine()),
        copy_(copy) {}

  // The files counted or copied below `source`, or -1 after a failure.
  // `destReady`: the destination folder is known to exist. `identity`: the
  // source folder's identity when already known (a linked folder), else "".
  int Walk(const std::string& source, const std::string& dest, bool destReady,
           std::string identity);

 private:
  struct Level {
    std::string source;
    std::string identity;  // "" until asked for (or when the machine has none)
    bool asked = false;
  };

  int WalkFolder(CFileFind& finder, const std::string& source, const std::string& dest,
                 bool destReady);
  // CreateFolderPath of a sub-folder's destination. When its parent is known
  // to exist, a fresh folder is made at once; anything else (the folder is
  // there already, or cannot be made) takes the full way, which tells why.
  bool CreateSubFolder(const std::string& path, bool parentExists);
  // Steps the progress bar and copies one file over any file of that name.
  bool CopyOneFile(const std::string& source, const std::string& dest);
  void StepProgress();
  // Whether the linked folder `source` is one of the folders on the way down;
  // *identity receives the linked folder's identity.
  bool LeadsBack(const std::string& source, std::string* identity);

  CWizardDlg& wizard_;
  Machine& searches_;  // answers the searches of the kit's folders
  const bool copy_;
  std::vector<Level> path_;
  // The paths and log line of the file being copied, kept with their room
  // from file to file (a file is no folder the walk goes down into).
  std::string fileSource_;
  std::string fileDest_;
  std::string logLine_;
};

int FolderWalk::Walk(const std::string& source, const std::string& dest, bool destReady,
                     std::string identity) {
  CFileFind finder(searches_);
  if (!finder.FindFile(source + kEveryEntry)) return 0;

  const bool asked = !identity.empty();
  path_.push_back({source, std::move(identity), asked});
  const int count = WalkFolder(finder, source, dest, destReady);
  path_.pop_back();
  return count;
}

int FolderWalk::WalkFolder(CFileFind& finder, const std::string& source, const std::string& dest,
                           bool destReady) {
  int count = 0;
  bool more = true;
  while (count >= 0 && more) {
    more = finder.FindNextFile();
    if (finder.IsDots()) continue;
    if (!finder.IsDirectory()) {
      ++count;
      if (!copy_) continue;
      // A file lying directly in a folder whose destination is still missing
      // needs that folder first: no sub-folder may have brought it into being.
      if (!destReady && !wizard_.CreateFolderPath(dest)) {
        count = -1;
        continue;
      }
      destReady = true;
      const std::string name = finder.GetFileName();
      fileSource_.assign(source).append(1, '\\').append(name);
      fileDest_.assign(dest).append(1, '\\').append(name);
      if (!CopyOneFile(fileSource_, fileDest_)) count = -1;
      continue;
    }

    const std::string name = finder.GetFileName();
    const std::string childSource = JoinPath(source, name);
    const std::string childDest = JoinPath(dest, name);

    std::string identity;
    if (finder.IsReparsePoint() && LeadsBack(childSource, &identity)) {
      // Counting skips the loop quietly; copying reports it where it is.
      if (copy_) {
        wizard_.ReportSystemError(kCreateFolderFailed, childDest, kErrorCantResolveFilename);
        count = -1;
      }
      continue;
    }
    if (copy_) {
      if (!CreateSubFolder(childDest, destReady)) {
        count = -1;
        continue;
      }
      destReady = true;  // created with every missing folder above it
    }
    const int inner = Walk(childSource, childDest, true, std::move(identity));
    count = inner < 0 ? -1 : count + inner;
  }
  return count;
}

bool FolderWalk::CreateSubFolder(const std::string& path, bool parentExists) {
  if (parentExists && wizard_.machine().MakeDirectory(path) == kErrorSuccess) {
    wizard_.LogLine(kCreatedFolderLine + path);
    if (wizard_.m_pRecorder) wizard_.m_pRecorder->FolderCreated(path);
    return true;
  }
  return wizard_.CreateFolderPath(path);
}

bool FolderWalk::CopyOneFile(const std::string& source, const std::string& dest) {
  StepProgress();
  const ErrorCode error = wizard_.m_pRecorder ? wizard_.m_pRecorder->CopyFile(source, dest)
                                              : wizard_.machine().CopyFileOver(source, dest);
  if (error != kErrorSuccess) {
    wizard_.ReportSystemError(kFileCopyFailed, dest, error);
    return false;
  }
  logLine_.assign(kCopiedFileLine).append(dest);
  wizard_.LogLine(logLine_);
  return true;
}

void FolderWalk::StepProgress() {
  if (wizard_.m_pInstallSession != nullptr) {
    wizard_.m_pInstallSession->ticker.Tick();
  } else if (wizard_.m_progress.IsAttached()) {
    wizard_.m_progress.StepIt();
  }
}

bool FolderWalk::LeadsBack(const std::string& source, std::string* identity) {
  Machine& machine = wizard_.machine();
  if (machine.FolderIdentity(source, identity) != kErrorSuccess || identity->empty()) {
    // A link whose target cannot be told apart leads nowhere the walk has
    // been: its search simply finds what it finds.
    identity->clear();
    return false;
  }
  for (Level& level : path_) {
    if (!level.asked) {
      level.asked = true;
      if (machine.FolderIdentity(level.source, &level.identity) != kErrorSuccess) {
        level.identity.clear();
      }
    }
    if (!level.identity.empty() && level.identity == *identity) return true;
  }
  return false;
}

}  // namespace

int CWizardDlg::CopyFolder(std::string strSource, std::string strDest, bool bCopy) {
  FolderWalk walk(*this, bCopy);
  return walk.Walk(strSource, strDest, false, std::string());
}

bool CWizardDlg::CopyTree(std::string strSource, std::string strDest) {
  return CopyFolder(strSource, strDest, true) >= 0;
}

}  // namespace tpl
