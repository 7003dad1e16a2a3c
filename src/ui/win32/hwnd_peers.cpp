#include "ui/win32/hwnd_peers.h"

#include <commctrl.h>

#include <vector>

namespace tpl {

LRESULT HwndControlPeer::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return hwnd_ ? SendMessageA(hwnd_, message, wParam, lParam) : 0;
}

void HwndControlPeer::SetText(const std::string& text) {
  if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}

std::string HwndControlPeer::Text() const {
  if (!hwnd_) return "";
  const int length = GetWindowTextLengthA(hwnd_);
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(hwnd_, buffer.data(), length + 1);
  return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void HwndControlPeer::Show(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

// The window's own visibility, whatever its parent's (the dialog is still
// hidden while it initialises).
bool HwndControlPeer::IsVisible() const {
  return hwnd_ && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void HwndControlPeer::Enable(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

bool HwndControlPeer::IsEnabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

void HwndControlPeer::Focus() {
  if (hwnd_) SetFocus(hwnd_);
}

bool HwndControlPeer::HasFocus() const { return hwnd_ && GetFocus() == hwnd_; }

void HwndControlPeer::Repaint() {
  if (hwnd_) UpdateWindow(hwnd_);
}

void HwndControlPeer::SetCheck(int state) { Send(BM_SETCHECK, static_cast<WPARAM>(state)); }

int HwndControlPeer::Check() const { return static_cast<int>(Send(BM_GETCHECK)); }

void HwndControlPeer::SetButtonStyle(uint32_t style, bool redraw) {
  Send(BM_SETSTYLE, style & 0xFF, redraw ? TRUE : FALSE);
}

uint32_t HwndControlPeer::ButtonStyle() const {
  return hwnd_ ? static_cast<uint32_t>(GetWindowLongA(hwnd_, GWL_STYLE)) & 0xFF : 0;
}

void HwndControlPeer::ResetContent() { Send(CB_RESETCONTENT); }

int HwndControlPeer::AddString(const std::string& text) {
  return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void HwndControlPeer::SetItemData(int index, uint32_t data) {
  Send(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
}

uint32_t HwndControlPeer::ItemData(int index) const {
  return static_cast<uint32_t>(Send(CB_GETITEMDATA, static_cast<WPARAM>(index)));
}

void HwndControlPeer::SetCurSel(int index) { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }

int HwndControlPeer::CurSel() const {
  return hwnd_ ? static_cast<int>(Send(CB_GETCURSEL)) : kCbErr;
}

int HwndControlPeer::Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }

std::string HwndControlPeer::ItemText(int index) const {
  const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length == CB_ERR || length < 0) return "";
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  const LRESULT got =
      Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  return got == CB_ERR ? "" : std::string(buffer.data());
}

void HwndControlPeer::SetRange(uint16_t lower, uint16_t upper) {
  Send(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
}

void HwndControlPeer::SetStep(int step) { Send(PBM_SETSTEP, static_cast<WPARAM>(step)); }

void HwndControlPeer::SetPos(int position) { Send(PBM_SETPOS, static_cast<WPARAM>(position)); }

void HwndControlPeer::StepIt() { Send(PBM_STEPIT); }

int HwndControlPeer::Pos() const { return static_cast<int>(Send(PBM_GETPOS)); }

int HwndControlPeer::RangeUpper() const {
  return static_cast<int>(Send(PBM_GETRANGE, FALSE, 0));  // FALSE: the upper bound
}

bool HwndWindowPeer::HasSystemMenu() const {
  return hwnd_ && GetSystemMenu(hwnd_, FALSE) != nullptr;
}

void HwndWindowPeer::AppendSystemMenuSeparator() {
  if (HMENU menu = hwnd_ ? GetSystemMenu(hwnd_, FALSE) : nullptr) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  }
}

void HwndWindowPeer::AppendSystemMenuItem(unsigned command, const std::string& text) {
  if (HMENU menu = hwnd_ ? GetSystemMenu(hwnd_, FALSE) : nullptr) {
    AppendMenuA(menu, MF_STRING, command, text.c_str());
  }
}

void HwndWindowPeer::SetIcon(int iconId, bool big) {
  if (!hwnd_) return;
  SendMessageA(hwnd_, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
               reinterpret_cast<LPARAM>(icons_.Icon(iconId, big)));
}

}  // namespace tpl
