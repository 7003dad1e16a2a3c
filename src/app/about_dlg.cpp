#include "app/about_dlg.h"

#include "res/strings.h"

namespace tpl {

CAboutDlg::CAboutDlg(FrontEnd& frontEnd) : CDialog(kIddAbout, frontEnd) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kIdcAboutVersion, m_staticVersion);
}

bool CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_staticVersion.SetText(LoadResString(kIdsTitleLine));
  return true;
}

}  // namespace tpl
