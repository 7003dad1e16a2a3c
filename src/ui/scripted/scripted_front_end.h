// The scripted front end: every dialog is answered by a script given in
// advance (silent mode and tests). Message boxes are recorded (and echoed to
// a stream when one is set), and answered with OK.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/dialog_driver.h"
#include "ui/front_end.h"
#include "ui/memory_dialog.h"

namespace tpl {

using DialogScript = std::function<void(DialogDriver&)>;

class ScriptedFrontEnd : public FrontEnd {
 public:
  struct MessageBoxRecord {
    std::string text;
    unsigned type;
  };

  // The next run of template `templateId` plays `script`. Runs with no queued
  // script play the template's default script; with none, they are cancelled.
  // A script that returns with its dialog still open cancels it (Esc).
  void Queue(int templateId, DialogScript script);
  void SetDefault(int templateId, DialogScript script);
  void SetMessageBoxEcho(std::ostream* out) { echo_ = out; }

  const std::vector<MessageBoxRecord>& messageBoxes() const { return boxes_; }
  const std::vector<std::string>& openedFiles() const { return opened_; }
  int runs(int templateId) const;
  // The peers of the last run of a template stay for inspection (and keep
  // the dialog's controls valid after DoModal returns).
  MemoryDialog* LastRun(int templateId);
  int waitCursorDepth() const { return waitCursor_; }

  int RunModal(CDialog& dialog) override;
  int ShowMessageBox(const std::string& text, unsigned type) override;
  void BeginWaitCursor() override { ++waitCursor_; }
  void EndWaitCursor() override { --waitCursor_; }
  void OpenTextFile(const std::string& file) override { opened_.push_back(file); }

 private:
  std::map<int, std::deque<DialogScript>> queued_;
  std::map<int, DialogScript> defaults_;
  std::map<int, std::unique_ptr<MemoryDialog>> lastRuns_;
  std::map<int, int> runCounts_;
  std::vector<MessageBoxRecord> boxes_;
  std::vector<std::string> opened_;
  std::ostream* echo_ = nullptr;
  int waitCursor_ = 0;
};

}  // namespace tpl
