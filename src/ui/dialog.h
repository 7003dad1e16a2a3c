// CDialog: a modal dialog built from a template of src/res, with data
// exchange, a message map of click handlers, and DoModal through a front end.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "res/dialogs.h"
#include "ui/controls.h"
#include "ui/front_end.h"

namespace tpl {

// The dialog window itself, as a front end shows it.
class WindowPeer {
 public:
  virtual ~WindowPeer() = default;
  virtual bool HasSystemMenu() const = 0;
  virtual void AppendSystemMenuSeparator() = 0;
  virtual void AppendSystemMenuItem(unsigned command, const std::string& text) = 0;
  virtual void SetIcon(int iconId, bool big) = 0;
};

class CDialog;

struct CDataExchange {
  CDialog* m_pDlgWnd;
  bool m_bSaveAndValidate;  // true: controls -> members
};

void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Check state of a check box <-> value (BST_ values).
void DDX_Check(CDataExchange* pDX, int id, int& value);
// A radio button that is a group of its own: checked <-> 0, not checked <-> -1.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, std::string& value);

class CDialog {
 public:
  CDialog(int templateId, FrontEnd& frontEnd);
  virtual ~CDialog() = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Runs the dialog through the front end; returns the EndDialog result.
  int DoModal();

  // --- What a front end calls while it runs the dialog ---------------------
  int TemplateId() const { return templateId_; }
  const DialogTemplate& Template() const;
  // Binds the running window; `peers` finds a control's peer by id.
  void AttachPeers(WindowPeer* window, std::function<ControlPeer*(int)> peers);
  ControlPeer* PeerOf(int id) const;
  WindowPeer* Window() const { return window_; }
  virtual bool OnInitDialog();  // true: the front end sets the focus
  // BN_CLICKED of control `id` (IDOK -> OnOK, IDCANCEL -> OnCancel).
  void OnCommand(int id);
  // WM_SYSCOMMAND; false: not handled, the front end does the default.
  virtual bool OnSysCommand(unsigned command, intptr_t param);
  bool IsEnded() const { return ended_; }
  int Result() const { return result_; }

  // MFC's virtual OnOK/OnCancel; public so tests can press them directly.
  virtual void OnOK();      // UpdateData(true), then EndDialog(IDOK)
  virtual void OnCancel();  // EndDialog(IDCANCEL)

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  bool UpdateData(bool saveAndValidate = true);
  void EndDialog(int result);
  // A message-map entry: BN_CLICKED of control `id` runs `handler`.
  void OnClicked(int id, std::function<void()> handler);
  FrontEnd& frontEnd() const { return frontEnd_; }
  int AfxMessageBox(const std::string& text, unsigned type = kMbOk);

 private:
  int templateId_;
  FrontEnd& frontEnd_;
  WindowPeer* window_ = nullptr;
  std::function<ControlPeer*(int)> peers_;
  std::map<int, std::function<void()>> clickHandlers_;
  bool ended_ = false;
  int result_ = 0;
};

}  // namespace tpl
