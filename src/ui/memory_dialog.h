// Control state kept in memory: the peers of the terminal and scripted front
// ends. Tests read the very state a user would see through them.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "res/dialogs.h"
#include "ui/control_peer.h"
#include "ui/dialog.h"

namespace tpl {

class MemoryPeer : public ControlPeer {
 public:
  MemoryPeer(const ControlTemplate& control, int* focusedId);

  const ControlTemplate& control() const { return control_; }

  void SetText(const std::string& text) override { text_ = text; }
  std::string Text() const override { return text_; }
  void Show(bool visible) override { visible_ = visible; }
  bool IsVisible() const override { return visible_; }
  void Enable(bool enabled) override { enabled_ = enabled; }
  bool IsEnabled() const override { return enabled_; }
  void Focus() override { *focusedId_ = control_.id; }
  bool HasFocus() const override { return *focusedId_ == control_.id; }
  void Repaint() override { ++repaints_; }
  int repaints() const { return repaints_; }

  void SetCheck(int state) override { check_ = state; }
  int Check() const override { return check_; }
  void SetButtonStyle(uint32_t style, bool) override { style_ = style & 0xFF; }
  uint32_t ButtonStyle() const override { return style_; }

  void ResetContent() override;
  int AddString(const std::string& text) override;
  void SetItemData(int index, uint32_t data) override;
  uint32_t ItemData(int index) const override;
  void SetCurSel(int index) override;
  int CurSel() const override { return curSel_; }
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string ItemText(int index) const override;

  void SetRange(uint16_t lower, uint16_t upper) override;
  void SetStep(int step) override { step_ = step; }
  void SetPos(int position) override;
  void StepIt() override;
  int Pos() const override { return pos_; }
  int RangeUpper() const override { return upper_; }
  int RangeLower() const { return lower_; }
  int steps() const { return steps_; }  // StepIt calls so far

 private:
  ControlTemplate control_;
  int* focusedId_;
  std::string text_;
  bool visible_ = true;
  bool enabled_ = true;
  int check_ = kBstUnchecked;
  uint32_t style_ = 0;
  int repaints_ = 0;
  std::vector<std::pair<std::string, uint32_t>> items_;
  int curSel_ = kCbErr;
  int lower_ = 0, upper_ = 100, step_ = 10, pos_ = 0, steps_ = 0;
};

class MemoryWindow : public WindowPeer {
 public:
  bool HasSystemMenu() const override { return true; }
  void AppendSystemMenuSeparator() override { menu_.push_back({0, ""}); }
  void AppendSystemMenuItem(unsigned command, const std::string& text) override {
    menu_.push_back({command, text});
  }
  void SetIcon(int iconId, bool big) override { (big ? bigIcon_ : smallIcon_) = iconId; }

  // The entries appended to the system menu; a separator has command 0.
  const std::vector<std::pair<unsigned, std::string>>& menu() const { return menu_; }
  int bigIcon() const { return bigIcon_; }
  int smallIcon() const { return smallIcon_; }

 private:
  std::vector<std::pair<unsigned, std::string>> menu_;
  int bigIcon_ = 0, smallIcon_ = 0;
};

// Makes the peer of one control; a front end that must hear of changes
// (to repaint while a handler runs) supplies a subclass of MemoryPeer.
using MemoryPeerFactory =
    std::function<std::unique_ptr<MemoryPeer>(const ControlTemplate& control, int* focusedId)>;

// The window and control peers of one run of a template.
class MemoryDialog {
 public:
  explicit MemoryDialog(const DialogTemplate& dialogTemplate,
                        const MemoryPeerFactory& makePeer = nullptr);

  const DialogTemplate& dialogTemplate() const { return template_; }
  MemoryPeer* Peer(int id);  // nullptr for an unknown id
  MemoryWindow& window() { return window_; }
  int focusedId() const { return focusedId_; }
  // Binds `dialog` to these peers.
  void Attach(CDialog& dialog);

 private:
  const DialogTemplate& template_;
  int focusedId_ = 0;
  MemoryWindow window_;
  std::map<int, std::unique_ptr<MemoryPeer>> peers_;
};

}  // namespace tpl
