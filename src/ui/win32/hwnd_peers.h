// Peers over real windows: a control of a running dialog, and the dialog
// window itself. A peer whose window is gone does nothing and reads as
// empty, as a destroyed MFC control would.
#pragma once

#include <windows.h>

#include <string>

#include "ui/control_peer.h"
#include "ui/dialog.h"

namespace tpl {

class HwndControlPeer : public ControlPeer {
 public:
  explicit HwndControlPeer(HWND hwnd) : hwnd_(hwnd) {}
  void Detach() { hwnd_ = nullptr; }
  HWND hwnd() const { return hwnd_; }

  void SetText(const std::string& text) override;
  std::string Text() const override;
  void Show(bool visible) override;
  bool IsVisible() const override;
  void Enable(bool enabled) override;
  bool IsEnabled() const override;
  void Focus() override;
  bool HasFocus() const override;
  void Repaint() override;

  void SetCheck(int state) override;
  int Check() const override;
  void SetButtonStyle(uint32_t style, bool redraw) override;
  uint32_t ButtonStyle() const override;

  void ResetContent() override;
  int AddString(const std::string& text) override;
  void SetItemData(int index, uint32_t data) override;
  uint32_t ItemData(int index) const override;
  void SetCurSel(int index) override;
  int CurSel() const override;
  int Count() const override;
  std::string ItemText(int index) const override;

  void SetRange(uint16_t lower, uint16_t upper) override;
  void SetStep(int step) override;
  void SetPos(int position) override;
  void StepIt() override;
  int Pos() const override;
  int RangeUpper() const override;

 private:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  HWND hwnd_;
};

// Supplies the icons a window peer sets (resource id -> icon of that size).
class IconSource {
 public:
  virtual ~IconSource() = default;
  virtual HICON Icon(int iconId, bool big) = 0;
};

class HwndWindowPeer : public WindowPeer {
 public:
  HwndWindowPeer(HWND hwnd, IconSource& icons) : hwnd_(hwnd), icons_(icons) {}
  void Detach() { hwnd_ = nullptr; }
  HWND hwnd() const { return hwnd_; }

  bool HasSystemMenu() const override;
  void AppendSystemMenuSeparator() override;
  void AppendSystemMenuItem(unsigned command, const std::string& text) override;
  void SetIcon(int iconId, bool big) override;

 private:
  HWND hwnd_;
  IconSource& icons_;
};

}  // namespace tpl
