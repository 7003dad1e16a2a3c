// A failed system call: one text, logged first, then shown with a warning icon.
#include <gtest/gtest.h>

#include "support/wizard_fixture.h"

namespace tpl {
namespace {

using test::WizardFixture;

// A machine whose system text for one code is longer than any small buffer.
class LongTextMachine : public test::TestMachine {
 public:
  using TestMachine::TestMachine;
  std::string SystemMessage(ErrorCode code) override {
    if (code == 0xE0000001u) return std::string(300, 'x') + "\r\n";
    if (code == 9999) return "";
    return TestMachine::SystemMessage(code);
  }
};

TEST(ReportSystemError, ShowsTheWholeTextSignedCodesAndNoTextAtAll) {
  WizardFixture f;
  f.prefix.Write();
  auto real = MakeWinePrefixMachine({f.prefix.root(), f.kitDir, "tester"});
  ASSERT_NE(real, nullptr);
  LongTextMachine machine(*real);
  CWizardDlg wizard(machine, f.ui);
  MemoryDialog controls(*FindDialogTemplate(kIddWizard));
  controls.Attach(wizard);
  wizard.OnInitDialog();

  wizard.ReportSystemError("File copy failed:", "C:\\a.txt", 0xE0000001u);
  wizard.ReportSystemError("File copy failed:", "C:\\b.txt", 9999);
  ASSERT_EQ(f.ui.messageBoxes().size(), 2u);
  EXPECT_EQ(f.ui.messageBoxes()[0].text, "File copy failed:: C:\\a.txt\nReason: (-536870911) " +
                                             std::string(300, 'x') + "\r\n");
  EXPECT_EQ(f.ui.messageBoxes()[1].text, "File copy failed:: C:\\b.txt\nReason: (9999) ");
}

}  // namespace
}  // namespace tpl
