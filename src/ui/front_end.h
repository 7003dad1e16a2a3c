// A front end shows dialogs and message boxes and delivers the user's
// actions: win32 (real dialogs), console (a terminal) or scripted (answers
// given in advance, for silent mode and tests).
#pragma once

#include <string>

namespace tpl {

class CDialog;

// Message box types (the MB_ values).
constexpr unsigned kMbOk = 0x00;
constexpr unsigned kMbIconStop = 0x10;
constexpr unsigned kMbIconExclamation = 0x30;

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // Runs `dialog` modally: gives it its controls' peers, calls OnInitDialog,
  // delivers the user's actions until it ends, and returns its result.
  virtual int RunModal(CDialog& dialog) = 0;

  // AfxMessageBox: a box with the application title (string 57344) and the
  // single button OK. Returns the button pressed (IDOK).
  virtual int ShowMessageBox(const std::string& text, unsigned type) = 0;

  // The wait cursor while files are copied; front ends without one ignore it.
  virtual void BeginWaitCursor() {}
  virtual void EndWaitCursor() {}

  // Shows a text file of the current folder to the user (Notepad on Windows:
  // ShellExecuteA(owner, "open", "notepad", file, NULL, SW_SHOWNORMAL)).
  virtual void OpenTextFile(const std::string& file) = 0;
};

}  // namespace tpl
