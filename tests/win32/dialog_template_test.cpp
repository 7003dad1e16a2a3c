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

const ParsedItem* ItemWithId(const ParsedDialog& dialog, int id) {
  for (const ParsedItem& item : dialog.items) {
    if (item.id == static_cast<uint16_t>(id)) return &item;
  }
  return nullptr;
}

class EveryTemplate : public ::testing::TestWithParam<int> {};

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

TEST(DialogTemplate, OnlyTheWizardIsShownInTheTaskBar) {
  EXPECT_EQ(Parse(Build(Template(kIddWizard), kIdiApplication)).exStyle, kWsExAppWindow);
  for (int id : {kIddAbout, kIddLicence, kIddVersions}) {
    EXPECT_EQ(Parse(Build(Template(id), kIdiApplication)).exStyle, 0u) << id;
  }
}

TEST(DialogTemplate, WizardControlsGetTheirWindowsClassesAndStyles) {
  const ParsedDialog wizard = Parse(Build(Template(kIddWizard), kIdiApplication));

  const ParsedItem* combo = ItemWithId(wizard, kIdcLanguage);
  ASSERT_NE(combo, nullptr);
  EXPECT_TRUE(combo->cls.ordinal);
  EXPECT_EQ(combo->cls.value, kAtomComboBox);
  EXPECT_EQ(combo->style & 0x3u, 0x3u) << "CBS_DROPDOWNLIST";
  EXPECT_EQ(combo->style & 0x100u, 0u) << "unsorted: items keep the order they are added in";
  EXPECT_TRUE(combo->style & kWsVScroll);

  const ParsedItem* progress = ItemWithId(wizard, kIdcProgress);
  ASSERT_NE(progress, nullptr);
  EXPECT_FALSE(progress->cls.ordinal);
  EXPECT_EQ(progress->cls.text, u"msctls_progress32");
  EXPECT_EQ(progress->style & 0x1u, 0x1u) << "PBS_SMOOTH";
  EXPECT_TRUE(progress->style & kWsBorder);

  const ParsedItem* next = ItemWithId(wizard, kIdcNext);
  const ParsedItem* finish = ItemWithId(wizard, kIdOk);
  const ParsedItem* log = ItemWithId(wizard, kIdcCreateLog);
  ASSERT_TRUE(next && finish && log);
  EXPECT_EQ(next->cls.value, kAtomButton);
  EXPECT_EQ(next->style & 0xFu, 0x1u) << "the default push button";
  EXPECT_EQ(finish->style & 0xFu, 0x0u) << "a plain push button";
  EXPECT_EQ(log->style & 0xFu, 0x3u) << "an automatic check box";

  EXPECT_EQ(wizard.items.front().id, 0xFFFF) << "the group box has no id of its own";
  EXPECT_EQ(wizard.items.front().style & 0xFu, 0x7u) << "BS_GROUPBOX";
  const ParsedItem* text = ItemWithId(wizard, kIdcStatusText);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->cls.value, kAtomStatic);
  EXPECT_EQ(text->style & 0xFu, 0x0u) << "SS_LEFT";
  EXPECT_TRUE(text->style & 0x80u) << "SS_NOPREFIX: the kit's \"&\" is shown as it is";
}

TEST(DialogTemplate, VersionButtonsEachStartTheirOwnGroup) {
  const ParsedDialog versions = Parse(Build(Template(kIddVersions), kIdiApplication));
  for (int id : {kIdcFP98, kIdcFP2000, kIdcFP2002, kIdcFP2003}) {
    const ParsedItem* button = ItemWithId(versions, id);
    ASSERT_NE(button, nullptr) << id;
    EXPECT_EQ(button->style & 0xFu, 0x9u) << "BS_AUTORADIOBUTTON " << id;
    EXPECT_TRUE(button->style & kWsGroup) << id;
    EXPECT_TRUE(button->style & kWsTabStop) << id;
  }
}

TEST(DialogTemplate, LicenceTextIsAReadOnlyScrollingEdit) {
  const ParsedDialog licence = Parse(Build(Template(kIddLicence), kIdiApplication));
  const ParsedItem* edit = ItemWithId(licence, kIdcLicenceText);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->cls.value, kAtomEdit);
  const uint32_t wanted = 0x0004u /*ES_MULTILINE*/ | 0x0800u /*ES_READONLY*/ | kWsBorder |
                          kWsVScroll | kWsTabStop;
  EXPECT_EQ(edit->style & wanted, wanted);
  EXPECT_EQ(ItemWithId(licence, kIdCancel)->title.text, u"Don't Accept");
}

TEST(DialogTemplate, OddAndEvenTextLengthsKeepEveryItemAligned) {
  // Texts of every length 0..5 shift the following items by one word each
  // time: each must still start on a DWORD boundary and read back intact.
  DialogTemplate probe{900, "x", 50, 40, false, {}};
  for (int length = 0; length <= 5; ++length) {
    probe.controls.push_back({1100 + length, ControlKind::kPushButton,
                              std::string(static_cast<size_t>(length), 'a'), length, 2, 3, 4});
  }
  probe.controls.push_back({1200, ControlKind::kProgressSmooth, "", 1, 2, 3, 4});
  probe.controls.push_back({1201, ControlKind::kIcon, "", 5, 6, 0, 0});
  const ParsedDialog dialog = Parse(Build(probe, 128));
  ASSERT_FALSE(dialog.overrun);
  ASSERT_EQ(dialog.items.size(), probe.controls.size());
  for (size_t i = 0; i < dialog.items.size(); ++i) {
    EXPECT_EQ(dialog.items[i].byteOffset % 4, 0u) << i;
    EXPECT_EQ(dialog.items[i].id, probe.controls[i].id) << i;
  }
  EXPECT_EQ(dialog.items[5].title.text, u"aaaaa");
  EXPECT_EQ(dialog.items.back().title.value, 128);
}

TEST(DialogTemplate, AnsiBytesWidenToTheirLatinCodePoints) {
  DialogTemplate probe{901, "Caf\xe9", 50, 40, false,
                       {{7, ControlKind::kStaticLeft, "\xa9 2026", 0, 0, 10, 10}}};
  const ParsedDialog dialog = Parse(Build(probe, 128));
  EXPECT_EQ(dialog.caption, u"Caf\u00e9");
  EXPECT_EQ(dialog.items.at(0).title.text, u"\u00a9 2026");
}

}  // namespace
}  // namespace tpl
