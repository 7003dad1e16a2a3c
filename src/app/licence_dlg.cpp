#include "app/licence_dlg.h"

#include "app/wizard_dlg.h"

namespace tpl {
namespace {
const char kLicenceFile[] = "license.txt";
const char kLogNoLicence[] = "No licence file supplied";
const char kLogAccepted[] = "User accepted licence";
const char kLogRejected[] = "User rejected licence";
}  // namespace

CLicenceDlg::CLicenceDlg(FrontEnd& frontEnd) : CDialog(kIddLicence, frontEnd) {}

bool CLicenceDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_editLicence.SetFocus();
  return false;  // the focus is set
}

void CLicenceDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kIdcLicenceText, m_editLicence);
  DDX_Text(pDX, kIdcLicenceText, m_strLicence);
}

bool CWizardDlg::ShowLicenceAgreement() {
  bool result = true;
  bool show = false;
  CLicenceDlg dialog(frontEnd());

  std::unique_ptr<TextReader> file;
  if (machine().OpenTextFile(kLicenceFile, &file) == kErrorSuccess) {
    std::string line;
    ErrorCode status;
    while ((status = file->ReadLine(&line)) == kErrorSuccess) {
      dialog.m_strLicence += line + "\r\n";
    }
    if (status == kErrorHandleEof) {
      show = true;
    } else {
      result = false;  // a read failure: no dialog, the wizard ends cancelled
    }
    file.reset();
  } else {
    LogLine(kLogNoLicence);
  }

  if (show) {
    if (dialog.DoModal() == kIdOk) {
      LogLine(kLogAccepted);
    } else {
      result = false;
      LogLine(kLogRejected);
    }
  }
  return result;
}

}  // namespace tpl
