// The in-memory combo box behaves like Windows' own where the wizard relies
// on it: a selection outside the list is no selection (CB_ERR).
#include <gtest/gtest.h>

#include "ui/memory_dialog.h"

namespace tpl {
namespace {

TEST(MemoryPeers, ComboSelectionOutsideTheListIsNone) {
  MemoryDialog run(*FindDialogTemplate(kIddWizard));
  MemoryPeer& combo = *run.Peer(kIdcLanguage);
  EXPECT_EQ(combo.CurSel(), kCbErr);
  combo.SetItemData(combo.AddString("German (1031)"), 1031);
  combo.SetCurSel(0);
  EXPECT_EQ(combo.ItemData(combo.CurSel()), 1031u);
  for (int outside : {1, 5, -2}) {
    combo.SetCurSel(outside);
    EXPECT_EQ(combo.CurSel(), kCbErr) << outside;
  }
}

}  // namespace
}  // namespace tpl
