// What a front end supplies for one control of a running dialog: the state a
// user sees. The win32 peer is an HWND; the terminal and scripted front ends
// keep the state in memory (MemoryPeer). Combo and progress calls are only
// made on controls of those kinds.
#pragma once

#include <cstdint>
#include <string>

namespace tpl {

constexpr int kBstUnchecked = 0;
constexpr int kBstChecked = 1;
constexpr uint32_t kBsDefPushButton = 0x0001;  // bit 0 of a push button's style
constexpr int kCbErr = -1;

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;

  // Any control.
  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;
  virtual void Show(bool visible) = 0;
  virtual bool IsVisible() const = 0;
  virtual void Enable(bool enabled) = 0;
  virtual bool IsEnabled() const = 0;
  virtual void Focus() = 0;
  virtual bool HasFocus() const = 0;
  virtual void Repaint() = 0;  // UpdateWindow: paint now, while no messages run

  // Buttons (BM_SETCHECK / BM_GETCHECK / BM_SETSTYLE).
  virtual void SetCheck(int state) = 0;
  virtual int Check() const = 0;
  virtual void SetButtonStyle(uint32_t style, bool redraw) = 0;
  virtual uint32_t ButtonStyle() const = 0;  // the low eight bits of the window style

  // Combo boxes (CB_ messages). Indexes are 0-based; kCbErr when none.
  virtual void ResetContent() = 0;
  virtual int AddString(const std::string& text) = 0;
  virtual void SetItemData(int index, uint32_t data) = 0;
  virtual uint32_t ItemData(int index) const = 0;
  virtual void SetCurSel(int index) = 0;
  virtual int CurSel() const = 0;
  virtual int Count() const = 0;
  virtual std::string ItemText(int index) const = 0;

  // Progress bars (PBM_ messages). The range's bounds travel as 16 bits.
  virtual void SetRange(uint16_t lower, uint16_t upper) = 0;
  virtual void SetStep(int step) = 0;
  virtual void SetPos(int position) = 0;
  virtual void StepIt() = 0;
  virtual int Pos() const = 0;
  virtual int RangeUpper() const = 0;
};

}  // namespace tpl
