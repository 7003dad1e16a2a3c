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

// A string or ordinal field as a template holds it.
struct NameField {
  bool ordinal = false;
  uint16_t value = 0;
  std::u16string text;
};

struct ParsedItem {
  size_t byteOffset = 0;
  uint32_t style = 0, exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  uint16_t id = 0;
  NameField cls, title;
  uint16_t extra = 0xBEEF;
};

struct ParsedDialog {
  uint32_t style = 0, exStyle = 0;
  uint16_t count = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  NameField menu, cls;
  std::u16string caption;
  uint16_t points = 0;
  std::u16string font;
  std::vector<ParsedItem> items;
  size_t words = 0;     // words the parse consumed
  bool overrun = false;  // the parse ran off the end
};

class Reader {
 public:
  explicit Reader(const std::vector<uint16_t>& words) : words_(words) {}
  uint16_t Word() {
    if (at_ >= words_.size()) {
      overrun_ = true;
      return 0;
    }
    return words_[at_++];
  }
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
  NameField Name() {
    NameField field;
    const uint16_t first = Word();
    if (first == 0xFFFF) {
      field.ordinal = true;
      field.value = Word();
    } else if (first != 0) {
      field.text.push_back(first);
      field.text += Text();
    }
    return field;
  }
  void AlignToDword() {
    if (at_ % 2 != 0) ++at_;
  }
  size_t at() const { return at_; }
  bool overrun() const { return overrun_; }

 private:
  const std::vector<uint16_t>& words_;
  size_t at_ = 0;
  bool overrun_ = false;
};

ParsedDialog Parse(const std::vector<uint16_t>& words) {
  Reader in(words);
  ParsedDialog dialog;
  dialog.style = in.Dword();
  dialog.exStyle = in.Dword();
  dialog.count = in.Word();
  dialog.x = in.Short();
  dialog.y = in.Short();
  dialog.cx = in.Short();
  dialog.cy = in.Short();
  dialog.menu = in.Name();
  dialog.cls = in.Name();
  dialog.caption = in.Text();
  if (dialog.style & kDsSetFont) {
    dialog.points = in.Word();
    dialog.font = in.Text();
  }
  for (int i = 0; i < dialog.count && !in.overrun(); ++i) {
    in.AlignToDword();
    ParsedItem item;
    item.byteOffset = in.at() * 2;
    item.style = in.Dword();
    item.exStyle = in.Dword();
    item.x = in.Short();
    item.y = in.Short();
    item.cx = in.Short();
    item.cy = in.Short();
    item.id = in.Word();
    item.cls = in.Name();
    item.title = in.Name();
    item.extra = in.Word();
    dialog.items.push_back(item);
  }
  dialog.words = in.at();
  dialog.overrun = in.overrun();
  return dialog;
}

std::u16string Wide(const std::string& text) {
  std::u16string wide;
  for (unsigned char c : text) wide.push_back(c);
  return wide;
}

const DialogTemplate& Template(int id) { return *FindDialogTemplate(id); }

class EveryTemplate : public ::testing::TestWithParam<int> {};

// The window class and the low style bits (the control's type) Windows needs
// for each kind, and style bits each must have.
struct WindowsControl {
  uint16_t atom;  // 0: the progress bar's class name
  uint32_t type, mustHave;
};
WindowsControl Expected(ControlKind kind) {
  switch (kind) {
    case ControlKind::kGroupBox: return {kAtomButton, 0x7, 0};
    case ControlKind::kStaticLeft: return {kAtomStatic, 0x0, 0x80 /*SS_NOPREFIX*/};
    case ControlKind::kStaticCenter: return {kAtomStatic, 0x1, 0x80};
    case ControlKind::kIcon: return {kAtomStatic, 0x3, 0};
    case ControlKind::kDropDownList: return {kAtomComboBox, 0x3, kWsVScroll};
    case ControlKind::kPushButton: return {kAtomButton, 0x0, kWsTabStop};
    case ControlKind::kDefPushButton: return {kAtomButton, 0x1, kWsTabStop};
    case ControlKind::kAutoCheckBox: return {kAtomButton, 0x3, kWsTabStop};
    case ControlKind::kAutoRadioGroup: return {kAtomButton, 0x9, kWsGroup | kWsTabStop};
    case ControlKind::kProgressSmooth: return {0, 0x1, kWsBorder};
    case ControlKind::kEditReadOnlyMultiline:
      return {kAtomEdit, 0x4, 0x0800 /*ES_READONLY*/ | kWsBorder | kWsVScroll | kWsTabStop};
  }
  return {};
}

TEST_P(EveryTemplate, ReadsBackAsTheTemplateDataWithNothingLeftOver) {
  const DialogTemplate& source = Template(GetParam());
  const std::vector<uint16_t> words = Build(source, kIdiApplication);
  const ParsedDialog dialog = Parse(words);

  ASSERT_FALSE(dialog.overrun);
  EXPECT_EQ(dialog.words, words.size());
  EXPECT_EQ(dialog.cx, source.width);
  EXPECT_EQ(dialog.cy, source.height);
  EXPECT_EQ(dialog.caption, Wide(source.caption));
  EXPECT_FALSE(dialog.menu.ordinal || !dialog.menu.text.empty());
  EXPECT_FALSE(dialog.cls.ordinal || !dialog.cls.text.empty());
  EXPECT_EQ(dialog.points, 8);
  EXPECT_EQ(dialog.font, u"MS Sans Serif");
  const uint32_t frame = kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame | kDsSetFont;
  EXPECT_EQ(dialog.style & frame, frame);
  EXPECT_EQ(dialog.exStyle, source.appWindow ? kWsExAppWindow : 0u);

  ASSERT_EQ(dialog.items.size(), source.controls.size());
  for (size_t i = 0; i < source.controls.size(); ++i) {
    const ControlTemplate& control = source.controls[i];
    const ParsedItem& item = dialog.items[i];
    SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(control.id));
    EXPECT_EQ(item.byteOffset % 4, 0u) << "items start on a DWORD boundary";
    EXPECT_EQ(item.id, static_cast<uint16_t>(control.id));
    EXPECT_EQ(item.x, control.x);
    EXPECT_EQ(item.y, control.y);
    EXPECT_EQ(item.cx, control.width);
    EXPECT_EQ(item.cy, control.height);
    EXPECT_EQ(item.style & (kWsChild | kWsVisible), kWsChild | kWsVisible);
    const WindowsControl windows = Expected(control.kind);
    EXPECT_EQ(item.cls.ordinal ? item.cls.value : 0, windows.atom);
    if (!item.cls.ordinal) {
      EXPECT_EQ(item.cls.text, u"msctls_progress32");
    }
    EXPECT_EQ(item.style & 0xFu, windows.type);
    EXPECT_EQ(item.style & windows.mustHave, windows.mustHave);
    EXPECT_EQ(item.exStyle, 0u);
    EXPECT_EQ(item.extra, 0) << "no creation data";
    if (control.kind == ControlKind::kIcon) {
      EXPECT_TRUE(item.title.ordinal);
      EXPECT_EQ(item.title.value, kIdiApplication);
    } else {
      EXPECT_FALSE(item.title.ordinal);
      EXPECT_EQ(item.title.text, Wide(control.text));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Templates, EveryTemplate,
                         ::testing::Values(kIddAbout, kIddWizard, kIddLicence, kIddVersions));

}  // namespace
}  // namespace tpl
