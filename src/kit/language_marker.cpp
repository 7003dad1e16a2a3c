#include "kit/language_marker.h"

#include "kit/c_numbers.h"
#include "machine/file_find.h"

namespace tpl {
namespace {

const char kMarkerPattern[] = "*.lang";
const char kLogInvalidMarker[] = "Invalid language file ";

}  // namespace

void ReadLanguageMarker(CWizardDlg& wizard) {
  CFileFind finder(wizard.machine());
  bool more = finder.FindFile(kMarkerPattern);
  while (more) {
    more = finder.FindNextFile();
    if (finder.IsDots() || finder.IsDirectory()) continue;
    // Only the number is looked up; the title is stored as the file spells
    // it, leading zeros and trailing letters included.
    const std::string title = finder.GetFileTitle();
    if (wizard.m_tblLanguages.GetLanguageName(Atoi(title)).empty()) {
      wizard.LogLine(kLogInvalidMarker + finder.GetFileName());
    } else {
      wizard.m_strLanguage = title;
    }
    break;  // only the first marker file counts
  }
  finder.Close();
}

}  // namespace tpl
