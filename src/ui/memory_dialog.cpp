#include "ui/memory_dialog.h"

#include <algorithm>

namespace tpl {

MemoryPeer::MemoryPeer(const ControlTemplate& control, int* focusedId)
    : control_(control), focusedId_(focusedId), text_(control.text) {
  if (control.kind == ControlKind::kDefPushButton) style_ = kBsDefPushButton;
}

void MemoryPeer::ResetContent() {
  items_.clear();
  curSel_ = kCbErr;
}

int MemoryPeer::AddString(const std::string& text) {
  items_.emplace_back(text, 0);
  return static_cast<int>(items_.size()) - 1;
}

void MemoryPeer::SetItemData(int index, uint32_t data) {
  if (index >= 0 && index < Count()) items_[index].second = data;
}

uint32_t MemoryPeer::ItemData(int index) const {
  if (index < 0 || index >= Count()) return static_cast<uint32_t>(kCbErr);
  return items_[index].second;
}

void MemoryPeer::SetCurSel(int index) {
  curSel_ = (index >= 0 && index < Count()) ? index : kCbErr;
}

std::string MemoryPeer::ItemText(int index) const {
  if (index < 0 || index >= Count()) return "";
  return items_[index].first;
}

void MemoryPeer::SetRange(uint16_t lower, uint16_t upper) {
  lower_ = lower;
  upper_ = upper;
  pos_ = std::clamp(pos_, lower_, std::max(lower_, upper_));
}

void MemoryPeer::SetPos(int position) {
  pos_ = std::clamp(position, lower_, std::max(lower_, upper_));
}

void MemoryPeer::StepIt() {
  ++steps_;
  // A Windows progress bar wraps to the lower bound when a step passes the end.
  pos_ += step_;
  if (pos_ > upper_) pos_ = lower_ + (pos_ - upper_);
}

MemoryDialog::MemoryDialog(const DialogTemplate& dialogTemplate,
                           const MemoryPeerFactory& makePeer)
    : template_(dialogTemplate) {
  for (const ControlTemplate& control : template_.controls) {
    if (control.id == kIdStatic) continue;
    peers_[control.id] = makePeer ? makePeer(control, &focusedId_)
                                  : std::make_unique<MemoryPeer>(control, &focusedId_);
  }
}

MemoryPeer* MemoryDialog::Peer(int id) {
  auto found = peers_.find(id);
  return found == peers_.end() ? nullptr : found->second.get();
}

void MemoryDialog::Attach(CDialog& dialog) {
  dialog.AttachPeers(&window_, [this](int id) -> ControlPeer* { return Peer(id); });
}

}  // namespace tpl
