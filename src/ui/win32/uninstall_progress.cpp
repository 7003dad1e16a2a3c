// The Windows program's progress while an uninstall undoes files: a small
// window with a caption and a progress bar, painted between files (the undo
// runs on the one thread, so the window's messages are pumped at each step).
#include <windows.h>
#include <commctrl.h>

#include "app/uninstall_platform.h"
#include "res/strings.h"
#include "ui/win32/dialog_template_builder.h"

namespace tpl {
namespace {

const char kWindowClass[] = "tplsetupUninstallProgress";
constexpr int kWidth = 360, kHeight = 110, kMargin = 12, kBarHeight = 18, kTextHeight = 16;
// Windows 95's progress bar takes 16-bit ranges: the position is kept in
// thousandths instead.
constexpr int kBarRange = 1000;

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

class WindowUninstallProgress : public UninstallProgress {
 public:
  explicit WindowUninstallProgress(const std::string& caption) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_WAIT);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered

    const std::string title = LoadResString(kIdsAppTitle);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    frame_ = CreateWindowExA(WS_EX_DLGMODALFRAME, kWindowClass, title.c_str(),
                             WS_POPUP | WS_CAPTION | WS_VISIBLE, left, top, kWidth, kHeight,
                             nullptr, nullptr, instance, nullptr);
    if (frame_ == nullptr) return;  // no window: the uninstall goes on without one
    RECT client;
    GetClientRect(frame_, &client);
    const int width = client.right - 2 * kMargin;
    const std::string text = caption + "...";
    HWND label = CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT,
                                kMargin, kMargin, width, kTextHeight, frame_, nullptr, instance,
                                nullptr);
    if (label != nullptr) {
      SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
    }
    bar_ = CreateWindowExA(0, dlgtemplate::kProgressClass, "", WS_CHILD | WS_VISIBLE, kMargin,
                           2 * kMargin + kTextHeight, width, kBarHeight, frame_, nullptr,
                           instance, nullptr);
    if (bar_ != nullptr) SendMessageA(bar_, PBM_SETRANGE, 0, MAKELPARAM(0, kBarRange));
    UpdateWindow(frame_);
    PumpMessages();
  }

  ~WindowUninstallProgress() override {
    if (frame_ != nullptr) DestroyWindow(frame_);
    PumpMessages();
  }

  void Update(int done, int total) override {
    if (bar_ != nullptr && total > 0) {
      const int position = static_cast<int>(static_cast<long long>(done) * kBarRange / total);
      SendMessageA(bar_, PBM_SETPOS, position, 0);
    }
    PumpMessages();
  }

 private:
  HWND frame_ = nullptr;
  HWND bar_ = nullptr;
};

}  // namespace

std::unique_ptr<UninstallProgress> ShowUninstallProgress(const std::string& caption) {
  return std::make_unique<WindowUninstallProgress>(caption);
}

}  // namespace tpl
