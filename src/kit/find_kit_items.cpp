// FindKitItems: the themes and templates of one kit folder.
#include <unordered_set>

#include "app/wizard_dlg.h"
#include "kit/kit_layout.h"
#include "kit/kit_text.h"
#include "kit/theme_description.h"
#include "machine/file_find.h"

namespace tpl {
namespace {

const char kLogSearching[] = "Searching ";
const char kDescriptionExtension[] = ".inf";

using NameSet = std::unordered_set<std::string>;

// The names a list already holds, lower-cased: an item found again, in
// another kit folder or by a later search, is listed only once.
NameSet ListedNames(const std::vector<std::string>& list) {
  NameSet names;
  for (const std::string& name : list) names.insert(AsciiLower(name));
  return names;
}

NameSet ListedThemes(const std::vector<std::unique_ptr<CThemeInfo>>& themes) {
  NameSet names;
  for (const auto& theme : themes) names.insert(AsciiLower(theme->GetName()));
  return names;
}

// Appends the lower-cased names of the item folders matched by `pattern`;
// false when the search matched nothing (the kind folder is missing).
bool ListItemFolders(Machine& machine, const std::string& pattern,
                     std::vector<std::string>* list) {
  CFileFind finder(machine);
  bool more = finder.FindFile(pattern);
  if (!more) return false;
  NameSet listed = ListedNames(*list);
  while (more) {
    more = finder.FindNextFile();
    if (finder.IsDots() || !finder.IsDirectory()) continue;
    std::string name = AsciiLower(finder.GetFileName());
    if (listed.insert(name).second) list->push_back(std::move(name));
  }
  finder.Close();
  return true;
}

}  // namespace

bool CWizardDlg::FindKitItems(std::string strKitFolder) {
  bool found = false;

  const std::string themesPattern = strKitFolder + kKindThemes + kAllEntries;
  CFileFind finder(machine());
  bool more = finder.FindFile(themesPattern);
  LogLine(kLogSearching + themesPattern);
  NameSet listedThemes = ListedThemes(m_arrThemes);
  while (more) {
    // Any entry, even "." of an empty folder, means the kind folder exists.
    found = true;
    more = finder.FindNextFile();
    if (finder.IsDots() || !finder.IsDirectory()) continue;

    std::string name = AsciiLower(finder.GetFileName());
    const std::string descriptionPath =
        JoinPath(AsciiLower(finder.GetFilePath()), name + kDescriptionExtension);
    ThemeDescription description;
    if (!ReadThemeDescription(machine(), descriptionPath, &description)) {
      found = false;  // a later entry or kind folder sets it again
      continue;
    }
    if (!listedThemes.insert(name).second) continue;
    m_arrThemes.push_back(std::make_unique<CThemeInfo>(std::move(name), description.title,
                                                       description.version));
  }
  finder.Close();

  if (ListItemFolders(machine(), strKitFolder + kKindPages + kAllEntries, &m_arrPages)) {
    found = true;
  }
  if (ListItemFolders(machine(), strKitFolder + kKindWebs + kAllEntries, &m_arrWebs)) {
    found = true;
  }
  if (ListItemFolders(machine(), strKitFolder + kKindFrames + kAllEntries, &m_arrFrames)) {
    found = true;
  }
  return found;
}

}  // namespace tpl
