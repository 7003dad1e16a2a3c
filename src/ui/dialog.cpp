#include "ui/dialog.h"

namespace tpl {

CDialog::CDialog(int templateId, FrontEnd& frontEnd)
    : templateId_(templateId), frontEnd_(frontEnd) {}

int CDialog::DoModal() {
  ended_ = false;
  result_ = 0;
  return frontEnd_.RunModal(*this);
}

const DialogTemplate& CDialog::Template() const {
  return *FindDialogTemplate(templateId_);
}

void CDialog::AttachPeers(WindowPeer* window,
                          std::function<ControlPeer*(int)> peers) {
  window_ = window;
  peers_ = std::move(peers);
}

ControlPeer* CDialog::PeerOf(int id) const {
  return peers_ ? peers_(id) : nullptr;
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::OnCommand(int id) {
  auto handler = clickHandlers_.find(id);
  if (handler != clickHandlers_.end()) {
    handler->second();
  } else if (id == kIdOk) {
    OnOK();
  } else if (id == kIdCancel) {
    OnCancel();
  }
}

bool CDialog::OnSysCommand(unsigned, intptr_t) { return false; }

void CDialog::OnOK() {
  if (UpdateData(true)) EndDialog(kIdOk);
}

void CDialog::OnCancel() { EndDialog(kIdCancel); }

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::UpdateData(bool saveAndValidate) {
  CDataExchange dx{this, saveAndValidate};
  DoDataExchange(&dx);
  return true;
}

void CDialog::EndDialog(int result) {
  ended_ = true;
  result_ = result;
}

void CDialog::OnClicked(int id, std::function<void()> handler) {
  clickHandlers_[id] = std::move(handler);
}

int CDialog::AfxMessageBox(const std::string& text, unsigned type) {
  return frontEnd_.ShowMessageBox(text, type);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (!control.IsAttached() || control.peer() != pDX->m_pDlgWnd->PeerOf(id)) {
    control.Attach(pDX->m_pDlgWnd->PeerOf(id), id);
  }
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
  ControlPeer* peer = pDX->m_pDlgWnd->PeerOf(id);
  if (pDX->m_bSaveAndValidate) {
    value = peer->Check();
  } else {
    peer->SetCheck(value);
  }
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
  ControlPeer* peer = pDX->m_pDlgWnd->PeerOf(id);
  if (pDX->m_bSaveAndValidate) {
    value = peer->Check() == kBstChecked ? 0 : -1;
  } else {
    peer->SetCheck(value == 0 ? kBstChecked : kBstUnchecked);
  }
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
  ControlPeer* peer = pDX->m_pDlgWnd->PeerOf(id);
  if (pDX->m_bSaveAndValidate) {
    value = peer->Text();
  } else {
    peer->SetText(value);
  }
}

}  // namespace tpl
