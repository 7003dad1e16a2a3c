#include "ui/scripted/scripted_front_end.h"

namespace tpl {

void ScriptedFrontEnd::Queue(int templateId, DialogScript script) {
  queued_[templateId].push_back(std::move(script));
}

void ScriptedFrontEnd::SetDefault(int templateId, DialogScript script) {
  defaults_[templateId] = std::move(script);
}

int ScriptedFrontEnd::runs(int templateId) const {
  auto found = runCounts_.find(templateId);
  return found == runCounts_.end() ? 0 : found->second;
}

MemoryDialog* ScriptedFrontEnd::LastRun(int templateId) {
  auto found = lastRuns_.find(templateId);
  return found == lastRuns_.end() ? nullptr : found->second.get();
}

int ScriptedFrontEnd::RunModal(CDialog& dialog) {
  const int id = dialog.TemplateId();
  ++runCounts_[id];
  auto peers = std::make_unique<MemoryDialog>(dialog.Template());
  MemoryDialog& run = *peers;
  lastRuns_[id] = std::move(peers);
  StartModalRun(dialog, run);

  DialogScript script;
  auto queue = queued_.find(id);
  if (queue != queued_.end() && !queue->second.empty()) {
    script = std::move(queue->second.front());
    queue->second.pop_front();
  } else if (defaults_.count(id)) {
    script = defaults_[id];
  }
  DialogDriver driver(dialog, run);
  if (script) script(driver);
  if (!dialog.IsEnded()) driver.Cancel();
  // A dialog whose cancel handler keeps it open (the wizard) ends its run here.
  return dialog.IsEnded() ? dialog.Result() : kIdCancel;
}

int ScriptedFrontEnd::ShowMessageBox(const std::string& text, unsigned type) {
  boxes_.push_back({text, type});
  if (echo_ != nullptr) *echo_ << text << "\n";
  return kIdOk;
}

}  // namespace tpl
