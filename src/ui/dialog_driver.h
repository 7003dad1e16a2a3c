// What a user can do to a dialog running on in-memory peers: the clicks,
// keys and choices every front end without real windows delivers (the
// terminal and the scripted front end share these, so a click means the
// same in both).
#pragma once

#include "ui/dialog.h"
#include "ui/memory_dialog.h"

namespace tpl {

// Binds `dialog` to `peers` and runs OnInitDialog; when it asks for it, the
// focus goes to the first control that takes it, as the dialog manager does.
void StartModalRun(CDialog& dialog, MemoryDialog& peers);

// Actions on a hidden or disabled control are ignored, as a user could not
// make them.
class DialogDriver {
 public:
  DialogDriver(CDialog& dialog, MemoryDialog& peers);

  CDialog& dialog() { return dialog_; }
  MemoryPeer& control(int id);  // the control's state; fails the run for an unknown id
  MemoryWindow& window() { return peers_.window(); }
  bool ended() const { return dialog_.IsEnded(); }

  // A click: an automatic check box flips and an automatic radio button
  // checks itself before the dialog hears of it. Returns whether it happened.
  bool Click(int id);
  // Enter: a click on the default push button.
  bool PressEnter();
  // The id of the push button Enter would click, or 0.
  int DefaultButton();
  // Esc or the close box.
  void Cancel();
  // Picks combo item `index` (CB_SETCURSEL, as the user's choice).
  bool Select(int comboId, int index);
  // A system-menu command, as chosen from the window's menu.
  void SystemCommand(unsigned command);

 private:
  CDialog& dialog_;
  MemoryDialog& peers_;
};

}  // namespace tpl
