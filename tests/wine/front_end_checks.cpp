// The win32 front end on real windows (under Wine, with a display): what the
// core sets through the peers is what the window shows, dialogs nest over
// the wizard, and every way of ending a run ends it once with its result.
// The real wizard's run under Xvfb (tests/wine/gui.sh) shows the rest.
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <utility>

#include "app/licence_dlg.h"
#include "checks.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/dialog.h"
#include "ui/win32/hwnd_peers.h"
#include "ui/win32/win32_front_end.h"

namespace checks {
namespace {

using tpl::ControlPeer;
using tpl::Win32FrontEnd;

constexpr int kProbeCommand = 0x7001;

HWND WindowOf(const tpl::CDialog& dialog) {
  auto* window = static_cast<tpl::HwndWindowPeer*>(dialog.Window());
  return window ? window->hwnd() : nullptr;
}

HWND ControlOf(ControlPeer* peer) { return static_cast<tpl::HwndControlPeer*>(peer)->hwnd(); }

// A dialog whose reactions the checks choose: what it does as it starts and
// once it is on the screen, and which system command it takes itself. The
// dialog manager shows a dialog when its queue first runs dry, so a thread
// watches for the window to show (at most 10 s) and then posts the probe
// command.
template <typename Dialog>
class Probe : public Dialog {
 public:
  template <typename... Args>
  explicit Probe(Args&&... args) : Dialog(std::forward<Args>(args)...) {
    this->OnClicked(kProbeCommand, [this] { whenShown(*this); });
  }
  bool OnInitDialog() override {
    const bool result = Dialog::OnInitDialog();
    ++starts;
    owner = GetWindow(WindowOf(*this), GW_OWNER);
    if (whenStarting) whenStarting(*this);
    std::thread([hwnd = WindowOf(*this)] {
      for (int poll = 0; poll < 200 && IsWindow(hwnd) && !IsWindowVisible(hwnd); ++poll) Sleep(50);
      if (IsWindowVisible(hwnd)) PostMessageA(hwnd, WM_COMMAND, kProbeCommand, 0);
    }).detach();
    return result;
  }
  bool OnSysCommand(unsigned command, intptr_t param) override {
    if ((command & 0xFFF0) != sysCommandTaken) return Dialog::OnSysCommand(command, param);
    ++sysCommands;
    End(41);
    return true;
  }
  void End(int result) { this->EndDialog(result); }
  int ShowBox(const std::string& text) { return this->AfxMessageBox(text, 0); }

  std::function<void(Probe&)> whenStarting;
  std::function<void(Probe&)> whenShown = [](Probe& d) { d.End(tpl::kIdOk); };
  unsigned sysCommandTaken = 0xFFFF;
  int starts = 0, sysCommands = 0;
  HWND owner = nullptr;
};
using ProbeDialog = Probe<tpl::CDialog>;

// Ends `dialog` once shown with `message` (a key goes to the focused control).
void EndWith(ProbeDialog& dialog, UINT message, WPARAM wParam) {
  dialog.whenShown = [message, wParam](ProbeDialog& d) {
    HWND focus = GetFocus();
    PostMessageA(message == WM_KEYDOWN && focus ? focus : WindowOf(d), message, wParam, 0);
  };
}

void PeerChecks(ProbeDialog& wizard, Win32FrontEnd& ui) {
  auto peer = [&wizard](int id) { return wizard.PeerOf(id); };
  ControlPeer *combo = peer(tpl::kIdcLanguage), *about = peer(tpl::kIdcAbout);
  Print({
      {"a list item's text and the data of the selection; past the end; emptied",
       [&] {
         for (const char* item : {"English (1033)", "German (1031)"}) combo->AddString(item);
         combo->SetItemData(1, 1031);
         combo->SetCurSel(1);
         const std::string selected = combo->ItemText(1) + Num(combo->ItemData(combo->CurSel()));
         const std::string past = combo->ItemText(7);
         combo->ResetContent();
         return Join({selected, past, Num(combo->Count()), Num(combo->CurSel())});
       }},
      {"a button hidden and disabled, then shown and enabled: as the core and the window see it",
       [&] {
         std::string states;
         for (bool on : {false, true}) {
           about->Show(on);
           about->Enable(on);
           HWND button = ControlOf(about);
           states += Bits({about->IsVisible(), IsWindowVisible(button) != FALSE, about->IsEnabled(),
                           IsWindowEnabled(button) != FALSE});
         }
         return states;
       }},
      {"a text as the core reads it back",
       [&] { return about->SetText("Harbour & Meadow"), about->Text(); }},
      {"the minimised wizard dragged as its big icon",
       [&] {
         const LRESULT dragged = SendMessageA(WindowOf(wizard), WM_QUERYDRAGICON, 0, 0);
         return Bits({dragged == reinterpret_cast<LRESULT>(ui.Icon(tpl::kIdiApplication, true))});
       }},
      {"the system menu's new entries: a separator, then the about command",
       [&] {
         HMENU menu = GetSystemMenu(WindowOf(wizard), FALSE);
         const int before = GetMenuItemCount(menu);
         wizard.Window()->AppendSystemMenuSeparator();
         wizard.Window()->AppendSystemMenuItem(tpl::kScAbout, "&About Install...");
         char text[32] = {};
         GetMenuStringA(menu, static_cast<UINT>(before + 1), text, sizeof text, MF_BYPOSITION);
         return Join({Num(GetMenuItemCount(menu) - before), Num(GetMenuItemID(menu, before)),
                      Num(GetMenuItemID(menu, before + 1)), text});
       }},
  });
}

// Dialogs run over the wizard: owned by it, each way of ending one.
void NestedChecks(HWND wizard, Win32FrontEnd& ui) {
  ProbeDialog ok(tpl::kIddAbout, ui), escape(tpl::kIddLicence, ui), closed(tpl::kIddVersions, ui);
  ProbeDialog taken(tpl::kIddAbout, ui), atOnce(tpl::kIddAbout, ui);
  ProbeDialog versions(tpl::kIddVersions, ui);
  EndWith(ok, WM_COMMAND, tpl::kIdOk);
  EndWith(escape, WM_KEYDOWN, VK_ESCAPE);
  EndWith(closed, WM_SYSCOMMAND, SC_CLOSE);
  taken.sysCommandTaken = tpl::kScAbout;
  EndWith(taken, WM_SYSCOMMAND, tpl::kScAbout | 0x3);
  atOnce.whenStarting = [](ProbeDialog& d) { d.End(7); };
  // A message box over the version dialog belongs to it: while the box is
  // up and after it closes, the wizard below stays disabled.
  std::string underBox;
  auto enabled = [wizard] { return IsWindowEnabled(wizard) != FALSE; };
  versions.whenShown = [&](ProbeDialog& d) {
    // The box is the thread's active window once it shows (at most 5 s).
    std::thread([&, dialog = WindowOf(d), thread = GetCurrentThreadId()] {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      for (int poll = 0; poll < 50 && (!info.hwndActive || info.hwndActive == dialog ||
                                       info.hwndActive == wizard);
           ++poll) {
        Sleep(100);
        GetGUIThreadInfo(thread, &info);
      }
      underBox = Bits({GetWindow(info.hwndActive, GW_OWNER) == dialog, enabled()});
      PostMessageA(info.hwndActive, WM_COMMAND, IDOK, 0);
    }).detach();
    d.ShowBox("My Templates note");
    underBox += Bits({enabled()});
    d.End(5);
  };

  Print({
      {"OK over the wizard: the result; owned by the wizard, which is enabled again",
       [&] { return Join({Num(ok.DoModal()), Bits({ok.owner == wizard, enabled()})}); }},
      {"Esc; the close box", [&] { return Join({Num(escape.DoModal()), Num(closed.DoModal())}); }},
      {"a system command the dialog takes; how often",
       [&] { return Join({Num(taken.DoModal()), Num(taken.sysCommands)}); }},
      {"a dialog ended as it starts; its starts",
       [&] { return Join({Num(atOnce.DoModal()), Num(atOnce.starts)}); }},
      {"a message box over a dialog: the result; the box owned by the dialog, the wizard enabled "
       "under it and after it; the wizard enabled after the dialog",
       [&] { return Join({Num(versions.DoModal()), underBox, Bits({enabled()})}); }},
  });
}

void LicenceAndCursorChecks(Win32FrontEnd& ui) {
  // The licence dialog opens with its text focused but nothing selected.
  Probe<tpl::CLicenceDlg> licence(ui);
  licence.m_strLicence = "Use it well.\r\nSecond line of the terms.\r\n";
  DWORD start = 1, end = 0;
  bool focused = false;
  licence.whenShown = [&](Probe<tpl::CLicenceDlg>& d) {
    HWND edit = GetDlgItem(WindowOf(d), tpl::kIdcLicenceText);
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    focused = GetFocus() == edit;
    d.End(tpl::kIdOk);
  };
  HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
  Print({
      {"the licence: the result; the selection; focused",
       [&] { return Join({Num(licence.DoModal()), Num(start), Num(end), Bits({focused})}); }},
      {"the wait cursor while the installation copies; after",
       [&] {
         ui.BeginWaitCursor();
         const bool shown = GetCursor() == wait;
         ui.EndWaitCursor();
         return Bits({shown, GetCursor() == wait});
       }},
  });
}

}  // namespace

void RunFrontEndChecks() {
  Win32FrontEnd ui(GetModuleHandleA(nullptr));
  ProbeDialog wizard(tpl::kIddWizard, ui);
  std::string hidden;  // a control's own visibility, as the core sees it while the wizard starts
  wizard.whenStarting = [&hidden](ProbeDialog& d) {
    hidden = Bits({d.PeerOf(tpl::kIdcNext)->IsVisible(), IsWindowVisible(WindowOf(d)) != FALSE});
  };
  wizard.whenShown = [&ui](ProbeDialog& d) {
    PeerChecks(d, ui);
    NestedChecks(WindowOf(d), ui);
    LicenceAndCursorChecks(ui);
    d.End(77);
  };
  Print({{"the wizard: the result; its starts; owned by none; a control visible while the "
          "wizard starts hidden",
          [&] {
            return Join({Num(wizard.DoModal()), Num(wizard.starts), Bits({!wizard.owner}), hidden});
          }}});
}

}  // namespace checks
