// Parsing the command line: every option, and the mistakes a user makes.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/program.h"
#include "res/strings.h"

namespace tpl {
namespace {

CommandLine Parse(const std::vector<std::string>& args) {
  CommandLine options;
  std::string error;
  EXPECT_TRUE(ParseCommandLine(args, &options, &error)) << error;
  return options;
}

std::string Rejection(const std::vector<std::string>& args) {
  CommandLine options;
  std::string error;
  EXPECT_FALSE(ParseCommandLine(args, &options, &error));
  EXPECT_FALSE(error.empty());
  return error;
}

TEST(CommandLine, NoOptionsIsTheWizardAsAlways) {
  const CommandLine options = Parse({});
  EXPECT_FALSE(options.silent);
  EXPECT_FALSE(options.dryRun);
  EXPECT_TRUE(options.kitDir.empty());
  EXPECT_TRUE(options.prefixDir.empty());
  EXPECT_FALSE(options.versionsGiven || options.languageGiven || options.acceptLicence ||
               options.noLog || options.help || options.showVersion);
}

TEST(CommandLine, EveryOptionTakesItsValue) {
  const CommandLine options =
      Parse({"--kit", "/kits/blue", "--prefix=/home/me/.wine", "--silent", "--versions",
             "2003,2000", "--language", "1031", "--accept-licence", "--no-log", "--dry-run"});
  EXPECT_EQ(options.kitDir, "/kits/blue");
  EXPECT_EQ(options.prefixDir, "/home/me/.wine");
  EXPECT_TRUE(options.silent);
  EXPECT_TRUE(options.versionsGiven);
  EXPECT_EQ(options.versions, (std::vector<int>{1, 3}));  // always in the order 98 .. 2003
  EXPECT_TRUE(options.languageGiven);
  EXPECT_EQ(options.language, 1031);
  EXPECT_TRUE(options.acceptLicence);
  EXPECT_TRUE(options.noLog);
  EXPECT_TRUE(options.dryRun);
  EXPECT_TRUE(Parse({"--help"}).help);
  EXPECT_TRUE(Parse({"--version"}).showVersion);
  EXPECT_TRUE(Parse({"--dry-run"}).dryRun);  // a dry run may be interactive
}

TEST(CommandLine, VersionListsNameEachVersionOnce) {
  EXPECT_EQ(Parse({"--silent", "--versions", "98"}).versions, std::vector<int>{0});
  EXPECT_EQ(Parse({"--silent", "--versions", "2002,2002,98"}).versions,
            (std::vector<int>{0, 2}));
  EXPECT_NE(Rejection({"--silent", "--versions", "2001"}).find("\"2001\""), std::string::npos);
  Rejection({"--silent", "--versions", ""});
  Rejection({"--silent", "--versions", "2000,"});
  Rejection({"--silent", "--versions", "2000 2003"});
  Rejection({"--silent", "--versions", "FP2000"});
}

TEST(CommandLine, LanguageIsADecimalLcid) {
  EXPECT_EQ(Parse({"--silent", "--language=1033"}).language, 1033);
  for (const char* bad : {"", "english", "-1033", "+1033", "0", "1033x", " 1033", "0x409",
                          "65536", "99999999999"}) {
    Rejection({"--silent", "--language", bad});
  }
}

TEST(CommandLine, MistakesAreRejected) {
  EXPECT_NE(Rejection({"--frobnicate"}).find("--frobnicate"), std::string::npos);
  Rejection({"-s"});
  EXPECT_NE(Rejection({"kitfolder"}).find("kitfolder"), std::string::npos);
  EXPECT_NE(Rejection({"--kit"}).find("needs a value"), std::string::npos);
  Rejection({"--kit="});
  Rejection({"--silent", "--silent"});
  Rejection({"--kit", "a", "--kit", "b"});
  Rejection({"--silent=yes"});
}

TEST(CommandLine, AnswersNeedSilentMode) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--versions", "2000"},
                                             {"--language", "1033"},
                                             {"--accept-licence"},
                                             {"--no-log", "--dry-run"}}) {
    EXPECT_NE(Rejection(args).find("--silent"), std::string::npos);
  }
}

TEST(CommandLine, UsageNamesEveryOptionAndTheExitStatuses) {
  const std::string usage = UsageText();
  for (const char* option : {"--kit DIR", "--prefix DIR", "--silent", "--versions LIST",
                             "--language LCID", "--accept-licence", "--no-log", "--dry-run",
                             "--help", "--version", "64"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
}

TEST(CommandLine, EndScreensMapToExitStatuses) {
  EXPECT_EQ(ExitStatusForEndScreen(kIdsSucceeded), kExitInstalled);
  EXPECT_EQ(ExitStatusForEndScreen(kIdsFailed), kExitFailed);
  EXPECT_EQ(ExitStatusForEndScreen(kIdsCancelled), kExitCancelled);
  EXPECT_EQ(ExitStatusForEndScreen(0), kExitCancelled);
}

}  // namespace
}  // namespace tpl
