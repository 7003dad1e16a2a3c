// The win32 front end on real windows (under Wine, with a display): what the
// core sets through the peers is what the window shows, dialogs nest over
// the wizard, and every way of ending a run ends it once with its result.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <thread>

#include "app/licence_dlg.h"
#include "checks.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/dialog.h"
#include "ui/win32/hwnd_peers.h"
#include "ui/win32/win32_front_end.h"

namespace checks {
namespace {

using tpl::CDialog;
using tpl::ControlPeer;
using tpl::Win32FrontEnd;

HWND WindowOf(const CDialog& dialog) {
  auto* window = static_cast<tpl::HwndWindowPeer*>(dialog.Window());
  return window ? window->hwnd() : nullptr;
}

HWND ControlOf(ControlPeer* peer) {
  return peer ? static_cast<tpl::HwndControlPeer*>(peer)->hwnd() : nullptr;
}

std::string MenuText(HMENU menu, int position) {
  char text[128] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

// A dialog whose reactions the checks choose: what it does once it is on the
// screen (the dialog manager shows a dialog when its queue first runs dry,
// so the command comes from a thread that watches for the window to show),
// and whether it takes a system command itself.
class ProbeDialog : public CDialog {
 public:
  ProbeDialog(int templateId, Win32FrontEnd& ui) : CDialog(templateId, ui) {
    OnClicked(kProbeCommand, [this] {
      if (whenShown) whenShown(*this);
    });
  }

  bool OnInitDialog() override {
    ++initCount;
    owner = GetWindow(WindowOf(*this), GW_OWNER);
    if (whenInit) whenInit(*this);
    HWND hwnd = WindowOf(*this);
    std::thread([hwnd] {
      // At most 10 s; a dialog ended before it showed gets no command.
      for (int polls = 0; polls < 200 && IsWindow(hwnd) && !IsWindowVisible(hwnd); ++polls) {
        Sleep(50);
      }
      if (IsWindowVisible(hwnd)) {
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(kProbeCommand, BN_CLICKED), 0);
      }
    }).detach();
    return true;
  }
  bool OnSysCommand(unsigned command, intptr_t param) override {
    if ((command & 0xFFF0) != sysCommandTaken) return CDialog::OnSysCommand(command, param);
    ++sysCommands;
    End(41);
    return true;
  }
  void End(int result) { EndDialog(result); }
  int ShowBox(const std::string& text) { return AfxMessageBox(text, 0); }

  static constexpr int kProbeCommand = 0x7001;
  std::function<void(ProbeDialog&)> whenInit;
  std::function<void(ProbeDialog&)> whenShown;
  unsigned sysCommandTaken = 0xFFFF;
  int initCount = 0;
  int sysCommands = 0;
  HWND owner = nullptr;
};

void TextAndStateChecks(ProbeDialog& wizard) {
  ControlPeer* text = wizard.PeerOf(tpl::kIdcStatusText);
  Check(text != nullptr && wizard.PeerOf(4242) == nullptr, "peers exist for the template's ids only");
  if (!text) return;
  text->SetText("Welcome to Harbour & Meadow.\nSecond line");
  CheckText(text->Text(), "Welcome to Harbour & Meadow.\nSecond line", "a text reads back");
  char shown[128] = {};
  GetWindowTextA(ControlOf(text), shown, sizeof shown);
  CheckText(shown, "Welcome to Harbour & Meadow.\nSecond line", "the window holds the text");

  ControlPeer* about = wizard.PeerOf(tpl::kIdcAbout);
  about->Show(false);
  about->Enable(false);
  Check(!about->IsVisible() && !IsWindowVisible(ControlOf(about)), "a hidden control is hidden");
  Check(!about->IsEnabled() && !IsWindowEnabled(ControlOf(about)), "a disabled control");
  about->Show(true);
  about->Enable(true);
  Check(about->IsVisible() && about->IsEnabled(), "shown and enabled again");

  ControlPeer* log = wizard.PeerOf(tpl::kIdcCreateLog);
  log->SetCheck(tpl::kBstChecked);
  CheckEqual(SendMessageA(ControlOf(log), BM_GETCHECK, 0, 0), BST_CHECKED, "the box shows its tick");
  log->SetCheck(tpl::kBstUnchecked);
  CheckEqual(log->Check(), tpl::kBstUnchecked, "a check box is cleared");

  ControlPeer* next = wizard.PeerOf(tpl::kIdcNext);
  ControlPeer* finish = wizard.PeerOf(tpl::kIdOk);
  next->SetButtonStyle(BS_PUSHBUTTON, true);
  finish->SetButtonStyle(BS_DEFPUSHBUTTON, true);
  CheckEqual(next->ButtonStyle(), BS_PUSHBUTTON, "Next > made a plain button");
  CheckEqual(finish->ButtonStyle(), BS_DEFPUSHBUTTON, "Finish made the default button");
  finish->Focus();
  Check(finish->HasFocus() && !next->HasFocus(), "the focus moves to Finish");
  Check(GetFocus() == ControlOf(finish), "the window has the focus");
}

void ComboChecks(ProbeDialog& wizard) {
  ControlPeer* combo = wizard.PeerOf(tpl::kIdcLanguage);
  combo->ResetContent();
  combo->AddString("English (1033)");
  combo->AddString("German (1031)");
  CheckEqual(combo->AddString("Arabic (1025)"), 2, "the list keeps its order, unsorted");
  combo->SetItemData(1, 1031);
  combo->SetCurSel(1);
  CheckEqual(combo->ItemData(combo->CurSel()), 1031, "the selection's data reads back");
  CheckText(combo->ItemText(2), "Arabic (1025)", "an item's text");
  CheckText(combo->ItemText(7), "", "no text past the end");
  combo->ResetContent();
  Check(combo->Count() == 0 && combo->CurSel() == tpl::kCbErr, "emptied: no selection");
}

void ProgressChecks(ProbeDialog& wizard) {
  ControlPeer* progress = wizard.PeerOf(tpl::kIdcProgress);
  progress->SetRange(0, 300);
  progress->SetStep(1);
  progress->SetPos(0);
  for (int i = 0; i < 3; ++i) progress->StepIt();
  CheckEqual(SendMessageA(ControlOf(progress), PBM_GETPOS, 0, 0), 3, "the bar shows three steps");
  progress->SetRange(0, 60000);
  CheckEqual(progress->RangeUpper(), 60000, "a bound above 32767 survives its 16 bits");
}

void WindowChecks(ProbeDialog& wizard, Win32FrontEnd& ui) {
  tpl::WindowPeer* window = wizard.Window();
  HWND hwnd = WindowOf(wizard);
  Check(window->HasSystemMenu(), "the wizard has a system menu");
  HMENU menu = GetSystemMenu(hwnd, FALSE);
  const int before = GetMenuItemCount(menu);
  window->AppendSystemMenuSeparator();
  window->AppendSystemMenuItem(tpl::kScAbout, tpl::LoadResString(tpl::kIdsAboutMenu));
  CheckEqual(GetMenuItemCount(menu), before + 2, "two system menu entries added");
  CheckEqual(GetMenuItemID(menu, before), 0, "a separator first");
  CheckEqual(GetMenuItemID(menu, before + 1), tpl::kScAbout, "then the about command");
  CheckText(MenuText(menu, before + 1), "&About Install...", "with its text");

  window->SetIcon(tpl::kIdiApplication, true);
  window->SetIcon(tpl::kIdiApplication, false);
  HICON big = ui.Icon(tpl::kIdiApplication, true);
  Check(big != nullptr, "icon 128 is in the resources");
  Check(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0)) == big &&
            reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0)) ==
                ui.Icon(tpl::kIdiApplication, false),
        "the big and small icons are set");
  Check(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_QUERYDRAGICON, 0, 0)) == big,
        "the minimised wizard is dragged as its icon");
  char caption[128] = {};
  GetWindowTextA(hwnd, caption, sizeof caption);
  CheckText(caption, "FrontPage Theme Installation", "the wizard's caption");
}

// A window of the thread that is neither of the two dialogs: the message box.
struct BoxSearch {
  HWND wizard, dialog, box;
};
BOOL CALLBACK FindMessageBox(HWND w, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  char name[16] = {};
  GetClassNameA(w, name, sizeof name);
  if (w == search->wizard || w == search->dialog || std::string(name) != "#32770") return TRUE;
  search->box = w;
  return FALSE;
}

// Dialogs run over the wizard: owned by it, each way of ending one.
void NestedChecks(ProbeDialog& wizard, Win32FrontEnd& ui) {
  HWND hwnd = WindowOf(wizard);

  ProbeDialog ok(tpl::kIddAbout, ui);
  ok.whenShown = [](ProbeDialog& d) {
    PostMessageA(WindowOf(d), WM_COMMAND, MAKEWPARAM(tpl::kIdOk, BN_CLICKED), 0);
  };
  CheckEqual(ok.DoModal(), tpl::kIdOk, "OK ends a dialog with IDOK");
  Check(ok.owner == hwnd, "a dialog over the wizard is owned by it");
  Check(IsWindowEnabled(hwnd) != FALSE, "the wizard is enabled again afterwards");

  ProbeDialog escape(tpl::kIddLicence, ui);
  escape.whenShown = [](ProbeDialog& d) {
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : WindowOf(d), WM_KEYDOWN, VK_ESCAPE, 0);
  };
  CheckEqual(escape.DoModal(), tpl::kIdCancel, "Esc ends a dialog with IDCANCEL");

  ProbeDialog closed(tpl::kIddVersions, ui);
  closed.whenShown = [](ProbeDialog& d) {
    PostMessageA(WindowOf(d), WM_SYSCOMMAND, SC_CLOSE, 0);
  };
  CheckEqual(closed.DoModal(), tpl::kIdCancel, "the close box ends a dialog with IDCANCEL");

  // A message box over the version dialog belongs to it: while the box is
  // up and after it closes, the wizard below stays disabled.
  ProbeDialog versions(tpl::kIddVersions, ui);
  HWND boxOwner = nullptr;
  bool wizardEnabledUnderBox = true;
  versions.whenShown = [&](ProbeDialog& d) {
    HWND dialogHwnd = WindowOf(d);
    const DWORD thread = GetCurrentThreadId();
    std::thread([&, dialogHwnd, thread] {
      BoxSearch search{hwnd, dialogHwnd, nullptr};
      for (int tries = 0; tries < 50 && search.box == nullptr; ++tries) {
        Sleep(100);
        EnumThreadWindows(thread, FindMessageBox, reinterpret_cast<LPARAM>(&search));
      }
      if (search.box == nullptr) return;
      boxOwner = GetWindow(search.box, GW_OWNER);
      wizardEnabledUnderBox = IsWindowEnabled(hwnd) != FALSE;
      PostMessageA(search.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }).detach();
    d.ShowBox("My Templates note");
    Check(boxOwner == dialogHwnd, "a message box over a dialog is owned by that dialog");
    Check(!wizardEnabledUnderBox, "the wizard stays disabled while the box is up");
    Check(IsWindowEnabled(hwnd) == FALSE, "and after it closes, the dialog still running");
    d.End(tpl::kIdOk);
  };
  CheckEqual(versions.DoModal(), tpl::kIdOk, "the dialog under the box ends as it chose");
  Check(IsWindowEnabled(hwnd) != FALSE, "the wizard is enabled once the dialog ends");

  ProbeDialog taken(tpl::kIddAbout, ui);
  taken.sysCommandTaken = tpl::kScAbout;
  taken.whenShown = [](ProbeDialog& d) {
    PostMessageA(WindowOf(d), WM_SYSCOMMAND, tpl::kScAbout | 0x3, 0);
  };
  CheckEqual(taken.DoModal(), 41, "a system command the dialog takes reaches it");
  CheckEqual(taken.sysCommands, 1, "once");

  ProbeDialog atOnce(tpl::kIddAbout, ui);
  atOnce.whenInit = [](ProbeDialog& d) { d.End(7); };
  CheckEqual(atOnce.DoModal(), 7, "a dialog ended while it starts ends");
  CheckEqual(atOnce.initCount, 1, "its start ran once");

  ControlPeer* stale = ok.PeerOf(tpl::kIdcAboutVersion);
  if (stale) {
    stale->SetText("after the end");
    CheckText(stale->Text(), "", "a finished dialog's peer is inert");
  }
}

// The licence dialog opens with its text focused but nothing selected.
class LicenceProbe : public tpl::CLicenceDlg {
 public:
  explicit LicenceProbe(Win32FrontEnd& ui) : CLicenceDlg(ui) {
    OnClicked(ProbeDialog::kProbeCommand, [this] {
      HWND edit = GetDlgItem(WindowOf(*this), tpl::kIdcLicenceText);
      DWORD start = 1, end = 0;
      SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      Check(start == end, "the licence text opens with no selection",
            Num(start) + ".." + Num(end));
      Check(GetFocus() == edit, "the licence text has the focus");
      EndDialog(tpl::kIdOk);
    });
  }
  bool OnInitDialog() override {
    const bool result = CLicenceDlg::OnInitDialog();
    HWND hwnd = WindowOf(*this);
    std::thread([hwnd] {
      Sleep(300);
      PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(ProbeDialog::kProbeCommand, BN_CLICKED), 0);
    }).detach();
    return result;
  }
};

void LicenceChecks(Win32FrontEnd& ui) {
  LicenceProbe licence(ui);
  licence.m_strLicence = "Use it well.\r\nSecond line of the terms.\r\n";
  CheckEqual(licence.DoModal(), tpl::kIdOk, "the licence dialog ran");
}

void WaitCursorChecks(Win32FrontEnd& ui) {
  HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
  ui.BeginWaitCursor();
  ui.BeginWaitCursor();
  Check(GetCursor() == wait, "the wait cursor shows");
  ui.EndWaitCursor();
  Check(GetCursor() == wait, "it stays while a wait is still open");
  ui.EndWaitCursor();
  Check(GetCursor() != wait, "it goes with the last one");
}

}  // namespace

void RunFrontEndChecks() {
  Win32FrontEnd ui(GetModuleHandleA(nullptr));
  ProbeDialog wizard(tpl::kIddWizard, ui);
  wizard.whenShown = [&ui](ProbeDialog& d) {
    Check(IsWindowVisible(WindowOf(d)) != FALSE, "the wizard is shown");
    TextAndStateChecks(d);
    ComboChecks(d);
    ProgressChecks(d);
    WindowChecks(d, ui);
    NestedChecks(d, ui);
    LicenceChecks(ui);
    WaitCursorChecks(ui);
    d.End(77);
  };
  CheckEqual(wizard.DoModal(), 77, "the wizard's run returns its result");
  CheckEqual(wizard.initCount, 1, "the wizard started once");
  Check(wizard.owner == nullptr, "the wizard has no owner");
}

}  // namespace checks
