// GetIntroText: the welcome text of the first screen.
#include "app/wizard_dlg.h"
#include "kit/kit_text.h"
#include "res/strings.h"

namespace tpl {
namespace {

const char kIntroFile[] = "intro.txt";
constexpr int kIntroLines = 5;

}  // namespace

std::string CWizardDlg::GetIntroText() {
  std::string text;
  std::unique_ptr<TextReader> reader;
  if (machine().OpenTextFile(kIntroFile, &reader) == kErrorSuccess && reader) {
    bool readError = false;
    std::string line;
    for (int lines = 0; lines < kIntroLines; ++lines) {
      const ErrorCode code = reader->ReadLine(&line);
      if (code == kErrorHandleEof) break;
      if (code != kErrorSuccess) {
        readError = true;
        break;
      }
      text += LineText(line) + "\n";
    }
    reader.reset();
    if (readError) text = LoadResString(kIdsIntroError);
  }
  return text + "\n" + LoadResString(kIdsIntro);
}

}  // namespace tpl
