// The version choice: toggling buttons, the 'My Templates' note, OK and Esc.
#include <gtest/gtest.h>

#include "app/version_dlg.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

const char kNote[] =
    "This option will install the template under the 'My Templates' tab in FrontPage 2003";

std::vector<int> Radios(const CVersionDlg& d) {
  return {d.m_nRadioFP98, d.m_nRadioFP2000, d.m_nRadioFP2002, d.m_nRadioFP2003};
}

CVersionDlg& AllFound(CVersionDlg& dialog, int defaultVersion) {
  for (bool& enabled : dialog.m_abEnabled) enabled = true;
  dialog.m_nDefaultVersion = defaultVersion;
  return dialog;
}

TEST(VersionDialog, ButtonsToggleAndOnlyAClickThatChecks2003ShowsTheNote) {
  ScriptedFrontEnd ui;
  ui.Queue(kIddVersions, [&ui](DialogDriver& d) {
    EXPECT_EQ(d.control(kIdcFP2003).Check(), kBstChecked);  // the default: no note
    d.Click(kIdcFP2003);
    EXPECT_EQ(d.control(kIdcFP2003).Check(), kBstUnchecked);
    EXPECT_TRUE(ui.messageBoxes().empty());
    d.Click(kIdcFP2003);
    EXPECT_EQ(ui.messageBoxes().size(), 1u);
    d.Click(kIdcFP2000);
    d.Click(kIdcFP98);
    d.Click(kIdcFP98);
    EXPECT_EQ(d.control(kIdcFP98).Check(), kBstUnchecked);
    d.PressEnter();
  });
  CVersionDlg dialog(ui);
  EXPECT_EQ(AllFound(dialog, kFP2003).DoModal(), kIdOk);
  EXPECT_EQ(Radios(dialog), (std::vector<int>{-1, 0, -1, 0}));
  ASSERT_EQ(ui.messageBoxes().size(), 1u);
  EXPECT_EQ(ui.messageBoxes()[0].text, kNote);
  EXPECT_EQ(ui.messageBoxes()[0].type, kMbOk);
  EXPECT_EQ(ui.LastRun(kIddVersions)->Peer(kIdCancel), nullptr);  // no Cancel button
}

TEST(VersionDialog, EscKeepsTheDefaultVersionWhateverWasClicked) {
  ScriptedFrontEnd ui;
  ui.Queue(kIddVersions, [](DialogDriver& d) {
    d.Click(kIdcFP2002);  // clears the default
    d.Click(kIdcFP2000);
    d.Cancel();
  });
  CVersionDlg dialog(ui);
  EXPECT_EQ(AllFound(dialog, kFP2002).DoModal(), kIdCancel);
  EXPECT_EQ(Radios(dialog), (std::vector<int>{-1, -1, 0, -1}));

  CVersionDlg none(ui);  // no current version: Esc chooses nothing
  AllFound(none, kNoVersion).DoModal();
  EXPECT_EQ(Radios(none), (std::vector<int>{-1, -1, -1, -1}));
}

}  // namespace
}  // namespace tpl::test
