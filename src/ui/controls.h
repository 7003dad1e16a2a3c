// Controls bound to a dialog's template by id (DDX_Control). Core code sets
// and reads controls only through these, so what it does is what the user
// sees, whatever the front end.
#pragma once

#include <cstdint>
#include <string>

#include "ui/control_peer.h"

namespace tpl {

class CWnd {
 public:
  void Attach(ControlPeer* peer, int id) { peer_ = peer; id_ = id; }
  bool IsAttached() const { return peer_ != nullptr; }
  int GetDlgCtrlID() const { return id_; }
  ControlPeer* peer() const { return peer_; }

  void SetText(const std::string& text) { peer_->SetText(text); }
  std::string GetText() const { return peer_->Text(); }
  void ShowWindow(bool visible) { peer_->Show(visible); }
  bool IsWindowVisible() const { return peer_->IsVisible(); }
  void EnableWindow(bool enabled) { peer_->Enable(enabled); }
  bool IsWindowEnabled() const { return peer_->IsEnabled(); }
  void SetFocus() { peer_->Focus(); }
  void UpdateWindow() { peer_->Repaint(); }

 protected:
  ControlPeer* peer_ = nullptr;
  int id_ = 0;
};

class CStatic : public CWnd {};
class CEdit : public CWnd {};

class CButton : public CWnd {
 public:
  void SetCheck(int state) { peer_->SetCheck(state); }
  int GetCheck() const { return peer_->Check(); }
  void SetButtonStyle(uint32_t style, bool redraw = true) { peer_->SetButtonStyle(style, redraw); }
  uint32_t GetButtonStyle() const { return peer_->ButtonStyle(); }
};

class CComboBox : public CWnd {
 public:
  void ResetContent() { peer_->ResetContent(); }
  int AddString(const std::string& text) { return peer_->AddString(text); }
  void SetItemData(int index, uint32_t data) { peer_->SetItemData(index, data); }
  uint32_t GetItemData(int index) const { return peer_->ItemData(index); }
  void SetCurSel(int index) { peer_->SetCurSel(index); }
  int GetCurSel() const { return peer_->CurSel(); }
  int GetCount() const { return peer_->Count(); }
  std::string GetLBText(int index) const { return peer_->ItemText(index); }
};

class CProgressCtrl : public CWnd {
 public:
  void SetRange(uint16_t lower, uint16_t upper) { peer_->SetRange(lower, upper); }
  void SetStep(int step) { peer_->SetStep(step); }
  void SetPos(int position) { peer_->SetPos(position); }
  void StepIt() { peer_->StepIt(); }
  int GetPos() const { return peer_->Pos(); }
};

}  // namespace tpl
