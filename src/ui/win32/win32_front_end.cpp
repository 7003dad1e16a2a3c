#include "ui/win32/win32_front_end.h"

#include <commctrl.h>
#include <shellapi.h>

#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/dialog.h"
#include "ui/win32/dialog_template_builder.h"

namespace tpl {

struct Win32FrontEnd::Run {
  Run(Win32FrontEnd& owner, CDialog& runDialog) : frontEnd(owner), dialog(runDialog) {}

  ControlPeer* PeerOf(int id) {
    auto found = peers.find(id);
    if (found != peers.end()) return found->second.get();
    HWND control = hwnd ? GetDlgItem(hwnd, id) : nullptr;
    if (control == nullptr) return nullptr;
    return (peers[id] = std::make_unique<HwndControlPeer>(control)).get();
  }

  void Detach() {
    for (auto& peer : peers) peer.second->Detach();
    if (window) window->Detach();
    hwnd = nullptr;
  }

  Win32FrontEnd& frontEnd;
  CDialog& dialog;
  HWND hwnd = nullptr;
  // EndDialog is called once: it sends messages of its own (activation),
  // and ending again from each of them would never let the run finish.
  bool endCalled = false;
  std::unique_ptr<HwndWindowPeer> window;
  std::map<int, std::unique_ptr<HwndControlPeer>> peers;
};

namespace {

using Run = Win32FrontEnd::Run;

// The wizard paints its own icon while minimised, as an MFC dialog
// application does.
bool PaintsIconWhenMinimised(const CDialog& dialog) { return dialog.TemplateId() == kIddWizard; }

void PaintMinimisedIcon(HWND hwnd, HICON icon) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  SendMessageA(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const int iconWidth = GetSystemMetrics(SM_CXICON);
  const int iconHeight = GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(hwnd, &client);
  const int x = (client.right - client.left - iconWidth + 1) / 2;
  const int y = (client.bottom - client.top - iconHeight + 1) / 2;
  DrawIcon(dc, x, y, icon);
  EndPaint(hwnd, &paint);
}

INT_PTR Dispatch(Run& run, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog& dialog = run.dialog;
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        dialog.OnCommand(LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    case WM_SYSCOMMAND:
      return dialog.OnSysCommand(static_cast<unsigned>(wParam), lParam) ? TRUE : FALSE;
    case WM_PAINT:
      if (PaintsIconWhenMinimised(dialog) && IsIconic(hwnd)) {
        PaintMinimisedIcon(hwnd, run.frontEnd.Icon(kIdiApplication, true));
        return TRUE;
      }
      return FALSE;
    case WM_QUERYDRAGICON:
      // One of the messages whose result a dialog procedure returns itself.
      if (PaintsIconWhenMinimised(dialog)) {
        return reinterpret_cast<INT_PTR>(run.frontEnd.Icon(kIdiApplication, true));
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Run* run = nullptr;
  INT_PTR result = FALSE;
  if (message == WM_INITDIALOG) {
    run = reinterpret_cast<Run*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    run->hwnd = hwnd;
    run->window = std::make_unique<HwndWindowPeer>(hwnd, run->frontEnd);
    run->dialog.AttachPeers(run->window.get(), [run](int id) { return run->PeerOf(id); });
    result = run->dialog.OnInitDialog() ? TRUE : FALSE;
  } else {
    run = reinterpret_cast<Run*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (run == nullptr || run->hwnd != hwnd) return FALSE;
    result = Dispatch(*run, hwnd, message, wParam, lParam);
  }
  if (run->dialog.IsEnded() && !run->endCalled) {
    run->endCalled = true;
    EndDialog(hwnd, run->dialog.Result());
  }
  return result;
}

}  // namespace

Win32FrontEnd::Win32FrontEnd(HINSTANCE instance) : instance_(instance) {
  INITCOMMONCONTROLSEX controls;
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
}

Win32FrontEnd::~Win32FrontEnd() {
  for (auto& icon : icons_) {
    if (icon.second) DestroyIcon(icon.second);
  }
}

HWND Win32FrontEnd::MainWindow() const {
  return running_.empty() ? nullptr : running_.front()->hwnd;
}

int Win32FrontEnd::RunModal(CDialog& dialog) {
  const std::vector<uint16_t> blob = dlgtemplate::Build(dialog.Template(), kIdiApplication);
  auto run = std::make_unique<Run>(*this, dialog);
  running_.push_back(run.get());
  const INT_PTR result = DialogBoxIndirectParamA(
      instance_, reinterpret_cast<LPCDLGTEMPLATEA>(blob.data()), MainWindow(), DialogProc,
      reinterpret_cast<LPARAM>(run.get()));
  running_.pop_back();
  // The dialog keeps its peers: they are inert now that the window is gone.
  run->Detach();
  finished_.push_back(std::move(run));
  if (result == -1) return dialog.IsEnded() ? dialog.Result() : kIdCancel;
  return static_cast<int>(result);
}

HWND Win32FrontEnd::InnermostWindow() const {
  return running_.empty() ? nullptr : running_.back()->hwnd;
}

int Win32FrontEnd::ShowMessageBox(const std::string& text, unsigned type) {
  // Owned by the wizard, a box over the version dialog would re-enable the
  // wizard when it closes, while the version dialog is still modal.
  return MessageBoxA(InnermostWindow(), text.c_str(), LoadResString(kIdsAppTitle).c_str(),
                     MB_OK | type);
}

void Win32FrontEnd::BeginWaitCursor() {
  HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
  HCURSOR previous = SetCursor(wait);
  if (waitDepth_++ == 0) cursorBeforeWait_ = previous;
}

void Win32FrontEnd::EndWaitCursor() {
  if (waitDepth_ == 0) return;
  if (--waitDepth_ == 0) {
    SetCursor(cursorBeforeWait_ ? cursorBeforeWait_ : LoadCursor(nullptr, IDC_ARROW));
  }
}

void Win32FrontEnd::OpenTextFile(const std::string& file) {
  ShellExecuteA(MainWindow(), "open", "notepad", file.c_str(), nullptr, SW_SHOWNORMAL);
}

HICON Win32FrontEnd::Icon(int iconId, bool big) {
  auto key = std::make_pair(iconId, big);
  auto found = icons_.find(key);
  if (found != icons_.end()) return found->second;
  const int width = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
  const int height = GetSystemMetrics(big ? SM_CYICON : SM_CYSMICON);
  HICON icon = static_cast<HICON>(
      LoadImageA(instance_, MAKEINTRESOURCEA(iconId), IMAGE_ICON, width, height, 0));
  return icons_[key] = icon;
}

}  // namespace tpl
