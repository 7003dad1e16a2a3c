// The one registry reader of the installer.
#include "app/wizard_dlg.h"

namespace tpl {
namespace {

const char kNoPrivilege[] =
    "You do not have sufficient privilege.\nPlease log on as an Administrator.";
const char kFatal[] = "fatal";

// A string value's text: the bytes up to the first terminator.
std::string StringData(const std::string& data) { return std::string(data.c_str()); }

}  // namespace

bool CWizardDlg::ReadRegistryValue(std::string strKey, std::string strValueName,
                                   std::string& strOut, int nHive) {
  strOut.clear();
  const std::string path = g_strRegSoftwareMicrosoft + strKey;
  const RegRoot root = nHive == kHiveCurrentUser ? RegRoot::kCurrentUser : RegRoot::kLocalMachine;

  std::unique_ptr<RegistryKey> key;
  ErrorCode status = machine().OpenRegistryKey(root, path, &key);
  if (status == kErrorAccessDenied) {
    AfxMessageBox(kNoPrivilege, kMbIconStop);
    strOut = kFatal;
  }
  if (status == kErrorSuccess) {
    uint32_t type = kRegNone;
    std::string data;
    status = key->QueryValue(strValueName, kMaxPath, &type, &data);
    if (status == kErrorSuccess) {
      if (type == kRegSz) {
        strOut = StringData(data);
      } else if (type == kRegExpandSz) {
        std::string expanded;
        const uint32_t needed = machine().ExpandEnvironment(StringData(data), kMaxPath, &expanded);
        if (needed == 0 || needed > kMaxPath) {
          status = kErrorInvalidData;
        } else {
          strOut = expanded;
        }
      } else {
        status = kErrorInvalidData;
      }
    }
    key.reset();  // RegCloseKey
  }

  if (status != kErrorSuccess || strOut.empty()) return false;
  if (strOut.back() == '\\') strOut.pop_back();
  // A value of only "\" names no folder: folders formed from it would hang
  // off the root of whatever drive is current.
  return !strOut.empty();
}

}  // namespace tpl
