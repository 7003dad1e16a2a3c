// Turns a dialog template of src/res into the in-memory DLGTEMPLATE that
// DialogBoxIndirectParamA runs. Needs no <windows.h>: the style values are
// Windows' own, spelled out here, so the layout is checked on every build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "res/dialogs.h"

namespace tpl {
namespace dlgtemplate {

// Window styles (WS_, DS_) and extended styles (WS_EX_) used by the templates.
constexpr uint32_t kWsPopup = 0x80000000;
constexpr uint32_t kWsChild = 0x40000000;
constexpr uint32_t kWsVisible = 0x10000000;
constexpr uint32_t kWsCaption = 0x00C00000;
constexpr uint32_t kWsBorder = 0x00800000;
constexpr uint32_t kWsVScroll = 0x00200000;
constexpr uint32_t kWsSysMenu = 0x00080000;
constexpr uint32_t kWsGroup = 0x00020000;
constexpr uint32_t kWsTabStop = 0x00010000;
constexpr uint32_t kDsSetFont = 0x0040;
constexpr uint32_t kDsModalFrame = 0x0080;
constexpr uint32_t kDsCenter = 0x0800;
constexpr uint32_t kWsExAppWindow = 0x00040000;

// Predefined window classes, as the ordinals a template names them by.
constexpr uint16_t kAtomButton = 0x0080;
constexpr uint16_t kAtomEdit = 0x0081;
constexpr uint16_t kAtomStatic = 0x0082;
constexpr uint16_t kAtomComboBox = 0x0085;
constexpr char kProgressClass[] = "msctls_progress32";

constexpr char kFontName[] = "MS Sans Serif";
constexpr uint16_t kFontPoints = 8;

// How one kind of control is made: its class (an atom, or a name when the
// atom is 0) and its window style, WS_CHILD | WS_VISIBLE included.
struct ControlClass {
  uint16_t atom;
  const char* name;
  uint32_t style;
};
ControlClass ClassOf(ControlKind kind);

// The dialog's own style and extended style.
uint32_t DialogStyle(const DialogTemplate& dialog);
uint32_t DialogExStyle(const DialogTemplate& dialog);

// The whole DLGTEMPLATE: header, font, then one DWORD-aligned item per
// control in tab order. An icon control shows resource `iconId`. Texts are
// ANSI (the templates are plain ASCII) widened to UTF-16.
std::vector<uint16_t> Build(const DialogTemplate& dialog, int iconId);

}  // namespace dlgtemplate
}  // namespace tpl
