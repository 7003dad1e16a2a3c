// The front end of the Windows program: every dialog is built in memory from
// its template and run by the real dialog manager; message boxes, the wait
// cursor and Notepad are the system's own.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/front_end.h"
#include "ui/win32/hwnd_peers.h"

namespace tpl {

class Win32FrontEnd : public FrontEnd, public IconSource {
 public:
  explicit Win32FrontEnd(HINSTANCE instance);
  ~Win32FrontEnd() override;

  int RunModal(CDialog& dialog) override;
  int ShowMessageBox(const std::string& text, unsigned type) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void OpenTextFile(const std::string& file) override;

  HICON Icon(int iconId, bool big) override;

  // One modal run: the dialog, its window and the peers handed to it.
  struct Run;

 private:
  // The application's main window: the outermost dialog running, which owns
  // every dialog opened over it.
  HWND MainWindow() const;
  // The innermost dialog running: the owner of a message box, which must
  // leave every dialog below it disabled.
  HWND InnermostWindow() const;

  HINSTANCE instance_;
  std::vector<Run*> running_;
  // Peers of finished runs stay alive (inert) as long as their dialog
  // objects may still point at them.
  std::vector<std::unique_ptr<Run>> finished_;
  std::map<std::pair<int, bool>, HICON> icons_;
  int waitDepth_ = 0;
  HCURSOR cursorBeforeWait_ = nullptr;
};

}  // namespace tpl
