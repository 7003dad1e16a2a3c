#include "record/destination_preview.h"

#include <map>
#include <set>

#include "app/wizard_dlg.h"
#include "log/log_time.h"
#include "machine/ascii_case.h"
#include "machine/file_find.h"
#include "record/record_store.h"

namespace tpl {
namespace {

const char kHeading[] = "\n\nFiles that would be written:";
const char kNewFormat[] = "\n  new       %s  (%llu bytes)";
const char kOwnFormat[] = "\n  replaced  %s  (%llu bytes; this kit's own copy)";
const char kBackedUpFormat[] = "\n  replaced  %s  (%llu bytes; the old file kept as a backup)";
const char kTotalsFormat[] =
    "\n%d new (%llu bytes), %d replaced (%llu bytes), %d of them backed up";
constexpr int kDeepest = 64;  // a linked folder leading back ends here

class Preview {
 public:
  explicit Preview(CWizardDlg& wizard) : wizard_(wizard) {
    RecordPlace place;
    Record record;
    int badLine = 0;
    std::string badText;
    ErrorCode error = kErrorSuccess;
    if (!wizard.m_strKitKey.empty() && FindRecordPlace(wizard, wizard.m_strKitKey, &place)) {
      ReadRecord(wizard.machine(), place.record, wizard.m_strKitKey, &record, &badLine, &badText,
                 &error);
    }
    for (const RecordedFile& file : record.files) installed_[AsciiLower(file.path)] = file.digest;
  }

  void Walk(const std::string& source, const std::string& dest, int depth) {
    if (depth > kDeepest) return;
    CFileFind finder(wizard_.machine());
    bool more = finder.FindFile(source + "\\*.*");
    while (more) {
      more = finder.FindNextFile();
      if (finder.IsDots()) continue;
      const std::string name = finder.GetFileName();
      if (finder.IsDirectory()) {
        Walk(source + "\\" + name, dest + "\\" + name, depth + 1);
      } else {
        File(source + "\\" + name, dest + "\\" + name);
      }
    }
  }

  std::string Text() const {
    return kHeading + lines_ +
           FormatText(kTotalsFormat, newCount_, newBytes_, replacedCount_, replacedBytes_,
                      backedUp_);
  }

 private:
  void File(const std::string& source, const std::string& dest) {
    if (!seen_.insert(AsciiLower(dest)).second) return;  // a later row copies over it again
    Machine& machine = wizard_.machine();
    FileInfo from;
    if (machine.QueryFile(source, &from) != kErrorSuccess) from.size = 0;
    const unsigned long long size = from.size;
    FileInfo existing;
    if (machine.QueryFile(dest, &existing) != kErrorSuccess) {
      lines_ += FormatText(kNewFormat, dest.c_str(), size);
      ++newCount_;
      newBytes_ += size;
      return;
    }
    ++replacedCount_;
    replacedBytes_ += size;
    const auto installed = installed_.find(AsciiLower(dest));
    FileContent now;
    if (installed != installed_.end() && machine.DigestFile(dest, &now) == kErrorSuccess &&
        now.digest == installed->second) {
      lines_ += FormatText(kOwnFormat, dest.c_str(), size);
      return;
    }
    lines_ += FormatText(kBackedUpFormat, dest.c_str(), size);
    ++backedUp_;
  }

  CWizardDlg& wizard_;
  std::map<std::string, std::string> installed_;
  std::set<std::string> seen_;
  std::string lines_;
  int newCount_ = 0, replacedCount_ = 0, backedUp_ = 0;
  unsigned long long newBytes_ = 0, replacedBytes_ = 0;
};

}  // namespace

std::string DestinationPreview(CWizardDlg& wizard, const std::vector<CopyPlanRow>& rows) {
  Preview preview(wizard);
  for (const CopyPlanRow& row : rows) preview.Walk(row.source, row.destination, 0);
  return preview.Text();
}

}  // namespace tpl
