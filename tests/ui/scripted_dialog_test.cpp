// The dialog layer as the scripted front end runs it: data exchange, the
// message map, clicks on automatic buttons, and how runs end.
#include <gtest/gtest.h>

#include "ui/dialog.h"
#include "ui/scripted/scripted_front_end.h"

namespace tpl {
namespace {

// A dialog on template 136 that counts clicks and exchanges one radio value.
class ProbeDialog : public CDialog {
 public:
  explicit ProbeDialog(FrontEnd& ui) : CDialog(kIddVersions, ui) {
    OnClicked(kIdcFP2000, [this] { ++clicks; });
  }
  int radio = 0;  // starts checked
  int clicks = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Radio(pDX, kIdcFP2000, radio); }
};

TEST(ScriptedDialog, OkExchangesControlsIntoMembersAndEscDoesNot) {
  ScriptedFrontEnd ui;
  ui.Queue(kIddVersions, [](DialogDriver& d) {
    EXPECT_EQ(d.control(kIdcFP2000).Check(), kBstChecked);  // loaded from radio == 0
    d.control(kIdcFP2000).SetCheck(kBstUnchecked);
    d.PressEnter();
  });
  ProbeDialog accepted(ui);
  EXPECT_EQ(accepted.DoModal(), kIdOk);
  EXPECT_EQ(accepted.radio, -1);

  ui.Queue(kIddVersions, [](DialogDriver& d) {
    d.control(kIdcFP2000).SetCheck(kBstUnchecked);
    d.Cancel();
  });
  ProbeDialog cancelled(ui);
  EXPECT_EQ(cancelled.DoModal(), kIdCancel);
  EXPECT_EQ(cancelled.radio, 0);
}

TEST(ScriptedDialog, ClicksReachTheMessageMapOnlyOnUsableControls) {
  ScriptedFrontEnd ui;
  ui.Queue(kIddVersions, [](DialogDriver& d) {
    EXPECT_TRUE(d.Click(kIdcFP2000));
    d.control(kIdcFP2000).Enable(false);
    EXPECT_FALSE(d.Click(kIdcFP2000));
    d.control(kIdcFP2000).Enable(true);
    d.control(kIdcFP2000).Show(false);
    EXPECT_FALSE(d.Click(kIdcFP2000));
  });
  ProbeDialog dialog(ui);
  EXPECT_EQ(dialog.DoModal(), kIdCancel);  // a script that leaves the dialog open cancels it
  EXPECT_EQ(dialog.clicks, 1);
  EXPECT_EQ(ui.runs(kIddVersions), 1);
}

TEST(ScriptedDialog, UnscriptedRunsCancelAndMessageBoxesAreRecorded) {
  ScriptedFrontEnd ui;
  ProbeDialog dialog(ui);
  EXPECT_EQ(dialog.DoModal(), kIdCancel);
  EXPECT_EQ(ui.ShowMessageBox("text", kMbIconStop), kIdOk);
  ASSERT_EQ(ui.messageBoxes().size(), 1u);
  EXPECT_EQ(ui.messageBoxes()[0].text, "text");
  EXPECT_EQ(ui.messageBoxes()[0].type, kMbIconStop);
}

TEST(MemoryPeers, ComboAndProgressBehaveLikeTheirControls) {
  MemoryDialog run(*FindDialogTemplate(kIddWizard));
  MemoryPeer& combo = *run.Peer(kIdcLanguage);
  EXPECT_EQ(combo.CurSel(), kCbErr);
  EXPECT_EQ(combo.AddString("English (1033)"), 0);
  EXPECT_EQ(combo.AddString("German (1031)"), 1);
  combo.SetItemData(1, 1031);
  combo.SetCurSel(1);
  EXPECT_EQ(combo.ItemData(combo.CurSel()), 1031u);
  combo.SetCurSel(5);
  EXPECT_EQ(combo.CurSel(), kCbErr);
  combo.ResetContent();
  EXPECT_EQ(combo.Count(), 0);

  MemoryPeer& bar = *run.Peer(kIdcProgress);
  bar.SetRange(0, 3);
  bar.SetStep(1);
  bar.SetPos(0);
  for (int i = 0; i < 3; ++i) bar.StepIt();
  EXPECT_EQ(bar.Pos(), 3);
  EXPECT_EQ(run.Peer(kIdcNext)->ButtonStyle() & kBsDefPushButton, kBsDefPushButton);
  EXPECT_EQ(run.Peer(kIdOk)->ButtonStyle() & kBsDefPushButton, 0u);
}

}  // namespace
}  // namespace tpl
