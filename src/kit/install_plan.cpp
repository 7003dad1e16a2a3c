#include "kit/install_plan.h"

#include "kit/c_numbers.h"
#include "res/strings.h"

namespace tpl {
namespace {

const char kItemSeparator[] = ", ";
const char kVersionWord[] = " Version ";  // "%s Version %g"
const char kLogNoTheme[] = "No theme to install";
const char kLogTheme[] = "Will install theme ";
const char kLogNoPage[] = "No page template to install";
const char kLogPage[] = "Will install page template ";
const char kLogNoWeb[] = "No web template to install";
const char kLogWeb[] = "Will install web template ";
const char kLogNoFrame[] = "No frame template to install";
const char kLogFrame[] = "Will install frame template ";

void AppendThemes(CWizardDlg& wizard, std::string* text) {
  if (wizard.m_arrThemes.empty()) {
    *text += LoadResString(kIdsPlanNone);
    wizard.LogLine(kLogNoTheme);
    return;
  }
  bool first = true;
  for (const auto& theme : wizard.m_arrThemes) {
    const std::string item = theme->GetTitle() + kVersionWord + FormatG(theme->GetVersion());
    if (!first) *text += kItemSeparator;
    first = false;
    *text += item;
    wizard.LogLine(kLogTheme + item);
  }
  // The themes line has no line end of its own: string 152 begins with one.
}

void AppendNames(CWizardDlg& wizard, const std::vector<std::string>& names,
                 const char* noneLine, const char* itemLine, std::string* text) {
  if (names.empty()) {
    *text += LoadResString(kIdsPlanNone);
    wizard.LogLine(noneLine);
    return;
  }
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) *text += kItemSeparator;
    *text += names[i];
    wizard.LogLine(itemLine + names[i]);
  }
  *text += "\n";
}

}  // namespace

std::string BuildInstallPlan(CWizardDlg& wizard) {
  std::string text = LoadResString(kIdsPlanHeading);
  AppendThemes(wizard, &text);
  text += LoadResString(kIdsPlanPages);
  AppendNames(wizard, wizard.m_arrPages, kLogNoPage, kLogPage, &text);
  text += LoadResString(kIdsPlanWebs);
  AppendNames(wizard, wizard.m_arrWebs, kLogNoWeb, kLogWeb, &text);
  text += LoadResString(kIdsPlanFrames);
  AppendNames(wizard, wizard.m_arrFrames, kLogNoFrame, kLogFrame, &text);
  return text;
}

}  // namespace tpl
