// The install driver: the copy plan per version, the counting pass, the
// progress display and the copying pass that stops at the first failure.
#include <gtest/gtest.h>

#include "install_fixture.h"
#include "res/strings.h"

namespace tpl::test {
namespace {

using Lines = std::vector<std::string>;

// One file in every kind folder of a version folder and of the common one
// (its content names the folder), and one DWT.
void KitWithOneFileEach(InstallFixture& f, const std::string& versionFolder) {
  for (const char* kind : {"themes", "pages", "webs", "frames"}) {
    f.Kit(versionFolder + "/" + kind + "/v/" + kind + ".v", versionFolder);
    f.Kit(std::string("common/") + kind + "/c/" + kind + ".c", "common");
  }
  f.Kit("common/dwts/page.dwt", "dwt");
}

// The rows of a version's own folders: per kind, version-specific then common.
const Lines kOwnFolderRows = {
    "Copying version-specific themes to C:\\dest\\themes",
    "Copying common themes to C:\\dest\\themes",
    "Copying version-specific page templates to C:\\dest\\pages",
    "Copying common page templates to C:\\dest\\pages",
    "Copying version-specific web templates to C:\\dest\\webs",
    "Copying common web templates to C:\\dest\\webs",
    "Copying version-specific frame templates to C:\\dest\\frames",
    "Copying common frame templates to C:\\dest\\frames"};

TEST(InstallFiles, FP98AndFP2002Without2003RunOnlyTheEightRowsOfTheirOwnFolders) {
  for (const int version : {kFP98, kFP2002}) {
    const std::string folder = version == kFP98 ? "fp98" : "fp2000";
    InstallFixture f;
    KitWithOneFileEach(f, "fp98");
    KitWithOneFileEach(f, "fp2000");
    f.StartFor(version, /*found2003=*/version == kFP98);
    ASSERT_TRUE(f.wizard().InstallFiles());
    EXPECT_EQ(f.NewLogLinesStarting("Copying "), kOwnFolderRows) << folder;
    EXPECT_EQ(f.NewLogLinesStarting("Total files = "), (Lines{"Total files = 8"}));
    EXPECT_EQ(f.Read("C:\\dest\\webs\\v\\webs.v"), folder);
    EXPECT_FALSE(f.Exists("C:\\dest\\themes11"));
    EXPECT_FALSE(f.Exists(std::string(kAppData) + "\\Microsoft"));
  }
}

TEST(InstallFiles, FP2003CopiesTheDwtsTwiceAndNeverTheExtensionRows) {
  InstallFixture f;
  KitWithOneFileEach(f, "fp2000");
  f.Kit("common/dwts/second.dwt", "dwt2");
  f.StartFor(kFP2003, /*found2003=*/true);
  ASSERT_TRUE(f.wizard().InstallFiles());
  const std::string dwtProfile = std::string(kAppData) + "\\Microsoft\\FrontPage\\DWTs";
  Lines rows = kOwnFolderRows;
  rows.push_back(std::string("Copying version-specific profile dwt templates to ") + kDwtDir);
  rows.push_back("Copying common profile dwt templates to " + dwtProfile);
  EXPECT_EQ(f.NewLogLinesStarting("Copying "), rows);
  EXPECT_EQ(f.NewLogLinesStarting("Total files = "), (Lines{"Total files = 12"}));
  EXPECT_EQ(f.Read(std::string(kDwtDir) + "\\page.dwt"), "dwt");
  EXPECT_EQ(f.Read(dwtProfile + "\\second.dwt"), "dwt2");
}

TEST(InstallFiles, SetsUpTheProgressDisplayAndFillsTheBarExactly) {
  InstallFixture f;
  f.Kit("fp2000/themes/blue/a.css");
  f.Kit("fp2000/themes/blue/sub/b.css");
  f.Kit("common/pages/p.htm");
  f.StartFor(kFP2002);
  f.bar().SetPos(50);
  ASSERT_TRUE(f.wizard().InstallFiles());
  EXPECT_EQ(f.StatusText(), LoadResString(kIdsCopying));
  EXPECT_EQ(f.bar().RangeUpper(), 3);
  EXPECT_EQ(f.bar().steps(), 3);
  EXPECT_EQ(f.bar().Pos(), 3);
  EXPECT_TRUE(f.bar().IsVisible());
  EXPECT_TRUE(f.caption().IsVisible());
  EXPECT_EQ(f.caption().Text(), "Installing FrontPage 2002 files");
  EXPECT_GE(f.caption().repaints(), 1);
  EXPECT_EQ(f.ui.waitCursorDepth(), 0);

  // The next version restarts the bar.
  f.wizard().m_nHostVersion = kFP2003;
  f.wizard().m_strDwtDir = kDwtDir;
  ASSERT_TRUE(f.wizard().InstallFiles());
  EXPECT_EQ(f.bar().steps(), 6);
  EXPECT_EQ(f.bar().Pos(), 3);
  EXPECT_EQ(f.caption().Text(), "Installing FrontPage 2003 files");
  EXPECT_EQ(f.machine().pauses(), (std::vector<uint32_t>{500, 500}));
}

TEST(InstallFiles, FailureInTheCommonThemesStopsEverythingAfterIt) {
  InstallFixture f;
  KitWithOneFileEach(f, "fp2000");
  f.StartFor(kFP2002);
  f.machine().FailCopy("C:\\dest\\themes\\c\\themes.c", kErrorDiskFull);
  EXPECT_FALSE(f.wizard().InstallFiles());

  EXPECT_EQ(f.NewLogLinesStarting("Copying "), (Lines{kOwnFolderRows[0], kOwnFolderRows[1]}));
  EXPECT_EQ(f.NewLogLinesStarting("Total files = "), (Lines{"Total files = 8"}));
  EXPECT_TRUE(f.Exists("C:\\dest\\themes\\v\\themes.v"));  // no rollback
  EXPECT_FALSE(f.Exists("C:\\dest\\pages"));
  EXPECT_EQ(f.machine().copies(), 2);
  const std::string reason = f.LineAfter("File copy failed:: C:\\dest\\themes\\c\\themes.c");
  EXPECT_EQ(reason.compare(0, 14, "Reason: (112) "), 0) << reason;
  EXPECT_EQ(f.ui.messageBoxes().size(), 1u);
  EXPECT_EQ(f.bar().Pos(), 2);  // stepped for the failed file too
  EXPECT_EQ(f.machine().pauses(), (std::vector<uint32_t>{500}));
  EXPECT_EQ(f.ui.waitCursorDepth(), 0);
}

TEST(InstallFiles, CommonCopyWinsOverTheVersionSpecificOne) {
  InstallFixture f;
  f.Kit("fp2000/themes/blue/blue.css", "version");
  f.Kit("common/themes/blue/blue.css", "common");
  f.StartFor(kFP2000);
  ASSERT_TRUE(f.wizard().InstallFiles());
  EXPECT_EQ(f.Read("C:\\dest\\themes\\blue\\blue.css"), "common");
}

}  // namespace
}  // namespace tpl::test
