#include "ui/win32/dialog_template_builder.h"

namespace tpl {
namespace dlgtemplate {
namespace {

// Control styles (BS_, SS_, CBS_, ES_, PBS_).
constexpr uint32_t kBsPushButton = 0x0000;
constexpr uint32_t kBsDefPushButton = 0x0001;
constexpr uint32_t kBsAutoCheckBox = 0x0003;
constexpr uint32_t kBsGroupBox = 0x0007;
constexpr uint32_t kBsAutoRadioButton = 0x0009;
constexpr uint32_t kSsLeft = 0x0000;
constexpr uint32_t kSsCenter = 0x0001;
constexpr uint32_t kSsIcon = 0x0003;
constexpr uint32_t kSsNoPrefix = 0x0080;
constexpr uint32_t kCbsDropDownList = 0x0003;
constexpr uint32_t kEsMultiline = 0x0004;
constexpr uint32_t kEsReadOnly = 0x0800;
constexpr uint32_t kPbsSmooth = 0x0001;

constexpr uint16_t kOrdinalMarker = 0xFFFF;

class Writer {
 public:
  void Word(uint16_t value) { words_.push_back(value); }
  void Dword(uint32_t value) {
    Word(static_cast<uint16_t>(value & 0xFFFF));
    Word(static_cast<uint16_t>(value >> 16));
  }
  void Short(int value) { Word(static_cast<uint16_t>(static_cast<int16_t>(value))); }
  void Text(const std::string& text) {
    for (unsigned char c : text) Word(c);
    Word(0);
  }
  void Ordinal(uint16_t value) {
    Word(kOrdinalMarker);
    Word(value);
  }
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  std::vector<uint16_t> Take() { return std::move(words_); }

 private:
  std::vector<uint16_t> words_;
};

}  // namespace

ControlClass ClassOf(ControlKind kind) {
  const uint32_t child = kWsChild | kWsVisible;
  // Static texts show kit texts and paths: an "&" in them is a character,
  // not a mnemonic.
  const uint32_t text = child | kWsGroup | kSsNoPrefix;
  switch (kind) {
    case ControlKind::kGroupBox: return {kAtomButton, nullptr, child | kBsGroupBox};
    case ControlKind::kStaticLeft: return {kAtomStatic, nullptr, text | kSsLeft};
    case ControlKind::kStaticCenter: return {kAtomStatic, nullptr, text | kSsCenter};
    case ControlKind::kIcon: return {kAtomStatic, nullptr, child | kSsIcon};
    case ControlKind::kDropDownList:
      return {kAtomComboBox, nullptr, child | kWsVScroll | kWsTabStop | kCbsDropDownList};
    case ControlKind::kPushButton: return {kAtomButton, nullptr, child | kWsTabStop | kBsPushButton};
    case ControlKind::kDefPushButton:
      return {kAtomButton, nullptr, child | kWsTabStop | kBsDefPushButton};
    case ControlKind::kAutoCheckBox:
      return {kAtomButton, nullptr, child | kWsTabStop | kBsAutoCheckBox};
    case ControlKind::kAutoRadioGroup:
      return {kAtomButton, nullptr, child | kWsGroup | kWsTabStop | kBsAutoRadioButton};
    case ControlKind::kProgressSmooth: return {0, kProgressClass, child | kWsBorder | kPbsSmooth};
    case ControlKind::kEditReadOnlyMultiline:
      return {kAtomEdit, nullptr,
              child | kWsBorder | kWsVScroll | kWsTabStop | kEsMultiline | kEsReadOnly};
  }
  return {kAtomStatic, nullptr, child};
}

uint32_t DialogStyle(const DialogTemplate&) {
  return kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame | kDsSetFont | kDsCenter;
}

uint32_t DialogExStyle(const DialogTemplate& dialog) {
  return dialog.appWindow ? kWsExAppWindow : 0;
}

std::vector<uint16_t> Build(const DialogTemplate& dialog, int iconId) {
  Writer out;
  out.Dword(DialogStyle(dialog));
  out.Dword(DialogExStyle(dialog));
  out.Word(static_cast<uint16_t>(dialog.controls.size()));
  out.Short(0);
  out.Short(0);
  out.Short(dialog.width);
  out.Short(dialog.height);
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(dialog.caption);
  out.Word(kFontPoints);
  out.Text(kFontName);

  for (const ControlTemplate& control : dialog.controls) {
    const ControlClass cls = ClassOf(control.kind);
    out.AlignToDword();
    out.Dword(cls.style);
    out.Dword(0);
    out.Short(control.x);
    out.Short(control.y);
    out.Short(control.width);
    out.Short(control.height);
    out.Word(static_cast<uint16_t>(control.id));
    if (cls.atom != 0) {
      out.Ordinal(cls.atom);
    } else {
      out.Text(cls.name);
    }
    if (control.kind == ControlKind::kIcon) {
      out.Ordinal(static_cast<uint16_t>(iconId));
    } else {
      out.Text(control.text);
    }
    out.Word(0);  // no creation data
  }
  return out.Take();
}

}  // namespace dlgtemplate
}  // namespace tpl
