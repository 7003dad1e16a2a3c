// The about box (template 100).
#pragma once

#include "ui/dialog.h"

namespace tpl {

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(FrontEnd& frontEnd);
  bool OnInitDialog() override;

  CStatic m_staticVersion;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

}  // namespace tpl
