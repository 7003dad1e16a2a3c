#include "ui/scripted/scripted_front_end.h"

#include <cstdlib>
#include <iostream>

namespace tpl {

DialogDriver::DialogDriver(CDialog& dialog, MemoryDialog& peers)
    : dialog_(dialog), peers_(peers) {}

MemoryPeer& DialogDriver::control(int id) {
  MemoryPeer* peer = peers_.Peer(id);
  if (peer == nullptr) {
    std::cerr << "script error: dialog " << dialog_.TemplateId()
              << " has no control " << id << "\n";
    std::abort();
  }
  return *peer;
}

bool DialogDriver::Click(int id) {
  if (dialog_.IsEnded()) return false;
  MemoryPeer& peer = control(id);
  if (!peer.IsVisible() || !peer.IsEnabled()) return false;
  switch (peer.control().kind) {
    case ControlKind::kAutoCheckBox:
      peer.SetCheck(peer.Check() == kBstChecked ? kBstUnchecked : kBstChecked);
      break;
    case ControlKind::kAutoRadioGroup:
      peer.SetCheck(kBstChecked);
      break;
    default:
      break;
  }
  peer.Focus();
  dialog_.OnCommand(id);
  return true;
}

bool DialogDriver::PressEnter() {
  for (const ControlTemplate& c : peers_.dialogTemplate().controls) {
    MemoryPeer* peer = peers_.Peer(c.id);
    if (peer != nullptr && (peer->ButtonStyle() & kBsDefPushButton) &&
        (c.kind == ControlKind::kPushButton || c.kind == ControlKind::kDefPushButton)) {
      return Click(c.id);
    }
  }
  return false;
}

void DialogDriver::Cancel() {
  if (!dialog_.IsEnded()) dialog_.OnCommand(kIdCancel);
}

bool DialogDriver::Select(int comboId, int index) {
  MemoryPeer& peer = control(comboId);
  if (dialog_.IsEnded() || !peer.IsVisible() || !peer.IsEnabled()) return false;
  if (index < 0 || index >= peer.Count()) return false;
  peer.SetCurSel(index);
  return true;
}

void DialogDriver::SystemCommand(unsigned command) {
  if (!dialog_.IsEnded()) dialog_.OnSysCommand(command, 0);
}

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
  run.Attach(dialog);
  if (dialog.OnInitDialog()) {
    // The dialog manager focuses the first control that takes the focus.
    for (const ControlTemplate& c : run.dialogTemplate().controls) {
      MemoryPeer* peer = run.Peer(c.id);
      if (peer != nullptr && peer->IsVisible() && peer->IsEnabled() &&
          c.kind != ControlKind::kStaticLeft && c.kind != ControlKind::kStaticCenter) {
        peer->Focus();
        break;
      }
    }
  }

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
