// The version choice (template 136): asked when detection verified more than
// one FrontPage. Every version button is a radio button in a group of its
// own, made to toggle like a check box, so any combination can be chosen.
#pragma once

#include "ui/dialog.h"

namespace tpl {

class CVersionDlg : public CDialog {
 public:
  // The parent window: none, so the wizard (the main window) owns the dialog.
  explicit CVersionDlg(FrontEnd& frontEnd);

  bool OnInitDialog() override;

  CButton m_btnFP98;
  CButton m_btnFP2000;
  CButton m_btnFP2002;
  CButton m_btnFP2003;
  // Exchanged with the buttons: 0 checked, -1 not checked.
  int m_nRadioFP98 = -1;
  int m_nRadioFP2000 = -1;
  int m_nRadioFP2002 = -1;
  int m_nRadioFP2003 = -1;
  // What the buttons show: +1 checked, -1 not checked.
  int m_nToggleFP98 = -1;
  int m_nToggleFP2000 = -1;
  int m_nToggleFP2002 = -1;
  int m_nToggleFP2003 = -1;
  bool m_abEnabled[4] = {false, false, false, false};  // by HostVersion
  int m_nDefaultVersion = 0;  // checked at the start; any other value checks none

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  void OnFP98();
  void OnFP2000();
  void OnFP2002();
  void OnFP2003();
  // Flips a button; returns true when the click checked it.
  static bool Toggle(CButton& button, int& toggle);
};

}  // namespace tpl
