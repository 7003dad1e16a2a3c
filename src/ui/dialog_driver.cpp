#include "ui/dialog_driver.h"

#include <cstdlib>
#include <iostream>

namespace tpl {
namespace {

bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::kStaticLeft && kind != ControlKind::kStaticCenter &&
         kind != ControlKind::kGroupBox && kind != ControlKind::kIcon;
}

}  // namespace

void StartModalRun(CDialog& dialog, MemoryDialog& peers) {
  peers.Attach(dialog);
  if (!dialog.OnInitDialog()) return;
  for (const ControlTemplate& c : peers.dialogTemplate().controls) {
    MemoryPeer* peer = peers.Peer(c.id);
    if (peer != nullptr && peer->IsVisible() && peer->IsEnabled() && TakesFocus(c.kind)) {
      peer->Focus();
      return;
    }
  }
}

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

int DialogDriver::DefaultButton() {
  for (const ControlTemplate& c : peers_.dialogTemplate().controls) {
    MemoryPeer* peer = peers_.Peer(c.id);
    if (peer != nullptr && (peer->ButtonStyle() & kBsDefPushButton) &&
        (c.kind == ControlKind::kPushButton || c.kind == ControlKind::kDefPushButton)) {
      return c.id;
    }
  }
  return 0;
}

bool DialogDriver::PressEnter() {
  const int id = DefaultButton();
  return id != 0 && Click(id);
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

}  // namespace tpl
