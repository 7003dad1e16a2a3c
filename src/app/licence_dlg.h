// The licence agreement (template 135): "Accept" ends with IDOK,
// "Don't Accept" and Esc with IDCANCEL.
#pragma once

#include <string>

#include "ui/dialog.h"

namespace tpl {

class CLicenceDlg : public CDialog {
 public:
  explicit CLicenceDlg(FrontEnd& frontEnd);

  CEdit m_editLicence;
  std::string m_strLicence;

  // The text takes the focus without being selected as a whole, as the
  // dialog manager would select it.
  bool OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

}  // namespace tpl
