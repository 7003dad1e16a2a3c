// The in-memory DLGTEMPLATE the win32 front end hands to the dialog manager,
// read back the way Windows reads it: a wrong offset or alignment here makes
// DialogBoxIndirectParamA fail or show garbage.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "res/dialogs.h"
#include "ui/win32/dialog_template_builder.h"

namespace tpl {
namespace {

using namespace dlgtemplate;

std::u16string Ordinal(int value) { return {0xFFFF, static_cast<char16_t>(value)}; }
std::u16string Wide(const std::string& text) {
  std::u16string wide;
  for (unsigned char c : text) wide.push_back(c);
  return wide;
}

class Reader {
 public:
  explicit Reader(const std::vector<uint16_t>& words) : words_(words) {}
  uint16_t Word() { return at_ < words_.size() ? words_[at_++] : (overrun_ = true, 0); }
  uint32_t Dword() {
    const uint32_t low = Word();
    return low | (static_cast<uint32_t>(Word()) << 16);
  }
  int Short() { return static_cast<int16_t>(Word()); }
  std::u16string Text() {
    std::u16string text;
    for (uint16_t c = Word(); c != 0 && !overrun_; c = Word()) text.push_back(c);
    return text;
  }
  // A string or ordinal field: an ordinal reads as {0xFFFF, value}.
  std::u16string Name() {
    const uint16_t first = Word();
    if (first == 0xFFFF) return Ordinal(Word());
    return first == 0 ? u"" : char16_t(first) + Text();
  }
  void AlignToDword() { at_ += at_ % 2; }
  size_t at() const { return at_; }
  bool overrun() const { return overrun_; }

 private:
  const std::vector<uint16_t>& words_;
  size_t at_ = 0;
  bool overrun_ = false;
};


// What Windows needs of each kind, written down apart from the builder: the
// window class (0: the progress bar's class name), the control type in the
// low style bits, and style bits it must have (SS_NOPREFIX 0x80: a kit's "&"
// is no mnemonic; ES_READONLY 0x800).
struct WindowsControl {
  uint16_t atom;
  uint32_t type, mustHave;
};
WindowsControl Expected(ControlKind kind) {
  switch (kind) {
    case ControlKind::kGroupBox: return {kAtomButton, 0x7, 0};
    case ControlKind::kStaticLeft: return {kAtomStatic, 0x0, 0x80};
    case ControlKind::kStaticCenter: return {kAtomStatic, 0x1, 0x80};
    case ControlKind::kIcon: return {kAtomStatic, 0x3, 0};
    case ControlKind::kDropDownList: return {kAtomComboBox, 0x3, kWsVScroll};
    case ControlKind::kPushButton: return {kAtomButton, 0x0, kWsTabStop};
    case ControlKind::kDefPushButton: return {kAtomButton, 0x1, kWsTabStop};
    case ControlKind::kAutoCheckBox: return {kAtomButton, 0x3, kWsTabStop};
    case ControlKind::kAutoRadioGroup: return {kAtomButton, 0x9, kWsGroup | kWsTabStop};
    case ControlKind::kProgressSmooth: return {0, 0x1, kWsBorder};
    case ControlKind::kEditReadOnlyMultiline:
      return {kAtomEdit, 0x4, 0x800 | kWsBorder | kWsVScroll | kWsTabStop};
  }
  return {};
}

class EveryTemplate : public ::testing::TestWithParam<int> {};

TEST_P(EveryTemplate, ReadsBackAsTheTemplateDataWithNothingLeftOver) {
  const DialogTemplate& source = *FindDialogTemplate(GetParam());
  const std::vector<uint16_t> words = Build(source, kIdiApplication);
  Reader in(words);
  const uint32_t frame = kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame | kDsSetFont;
  EXPECT_EQ(in.Dword() & frame, frame);
  EXPECT_EQ(in.Dword(), source.appWindow ? kWsExAppWindow : 0u);
  ASSERT_EQ(in.Word(), source.controls.size());
  in.Dword();  // x and y: centred
  EXPECT_EQ(in.Short(), source.width);
  EXPECT_EQ(in.Short(), source.height);
  EXPECT_EQ(in.Name(), u"") << "no menu";
  EXPECT_EQ(in.Name(), u"") << "the dialog class";
  EXPECT_EQ(in.Text(), Wide(source.caption));
  EXPECT_EQ(in.Word(), 8);
  EXPECT_EQ(in.Text(), u"MS Sans Serif");

  for (const ControlTemplate& control : source.controls) {
    SCOPED_TRACE("control id " + std::to_string(control.id));
    in.AlignToDword();
    const WindowsControl windows = Expected(control.kind);
    const uint32_t style = in.Dword();
    EXPECT_EQ(style & 0xF, windows.type);
    EXPECT_EQ(style & (windows.mustHave | kWsChild | kWsVisible),
              windows.mustHave | kWsChild | kWsVisible);
    EXPECT_EQ(in.Dword(), 0u) << "extended style";
    EXPECT_EQ(in.Short(), control.x);
    EXPECT_EQ(in.Short(), control.y);
    EXPECT_EQ(in.Short(), control.width);
    EXPECT_EQ(in.Short(), control.height);
    EXPECT_EQ(in.Word(), static_cast<uint16_t>(control.id));
    const std::u16string cls = windows.atom ? Ordinal(windows.atom) : u"msctls_progress32";
    EXPECT_EQ(in.Name(), cls);
    const bool icon = control.kind == ControlKind::kIcon;
    EXPECT_EQ(in.Name(), icon ? Ordinal(kIdiApplication) : Wide(control.text));
    EXPECT_EQ(in.Word(), 0) << "no creation data";
  }
  EXPECT_FALSE(in.overrun());
  EXPECT_EQ(in.at(), words.size());
}

INSTANTIATE_TEST_SUITE_P(Templates, EveryTemplate,
                         ::testing::Values(kIddAbout, kIddWizard, kIddLicence, kIddVersions));

}  // namespace
}  // namespace tpl
