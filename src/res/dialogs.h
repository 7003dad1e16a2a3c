// Dialog templates 100, 102, 135 and 136 as data: ids, kinds, texts and
// positions in dialog units. Every front end builds its dialogs from these.
#pragma once

#include <string>
#include <vector>

namespace tpl {

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdStatic = -1;  // a control without an id of its own

constexpr int kIddAbout = 100;
constexpr int kIddWizard = 102;
constexpr int kIddLicence = 135;
constexpr int kIddVersions = 136;
constexpr int kIdiApplication = 128;  // the application icon

// Controls of template 102.
constexpr int kIdcStatusText = 1000;
constexpr int kIdcNext = 1001;
constexpr int kIdcViewReadme = 1013;
constexpr int kIdcCreateLog = 1014;
constexpr int kIdcProgress = 1015;
constexpr int kIdcAbout = 1016;
constexpr int kIdcLanguage = 1020;
constexpr int kIdcProgressText = 1023;
// Controls of template 136.
constexpr int kIdcFP98 = 1008;
constexpr int kIdcFP2000 = 1009;
constexpr int kIdcFP2002 = 1016;
constexpr int kIdcFP2003 = 1017;
// Control of template 135.
constexpr int kIdcLicenceText = 1017;
// Control of template 100.
constexpr int kIdcAboutVersion = 1005;

constexpr unsigned kScAbout = 0x0010;  // the system-menu command of the about box

enum class ControlKind {
  kGroupBox,
  kStaticLeft,
  kStaticCenter,
  kIcon,            // a static showing the application icon
  kDropDownList,    // combo box, drop-down list with vertical scroll bar, unsorted
  kPushButton,
  kDefPushButton,
  kAutoCheckBox,
  kAutoRadioGroup,  // automatic radio button that starts its own group
  kProgressSmooth,  // smooth progress bar with border
  kEditReadOnlyMultiline,  // multi-line, read-only, border, vertical scroll, tab stop
};

struct ControlTemplate {
  int id;
  ControlKind kind;
  std::string text;
  int x, y, width, height;  // dialog units
};

struct DialogTemplate {
  int id;
  std::string caption;
  int width, height;  // dialog units
  bool appWindow;     // shown in the task bar
  std::vector<ControlTemplate> controls;  // in tab order
};

// The template of `id`, or nullptr.
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace tpl
