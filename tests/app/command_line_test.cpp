// Parsing the command line: every option, and the mistakes a user makes.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace tpl {
namespace {

CommandLine Parse(const std::vector<std::string>& args) {
  CommandLine options;
  std::string error;
  EXPECT_TRUE(ParseCommandLine(args, &options, &error)) << error;
  return options;
}

TEST(CommandLine, EveryOptionTakesItsValue) {
  const CommandLine options =
      Parse({"--kit", "/kits/blue", "--prefix=/home/me/.wine", "--silent", "--versions",
             "2003,2000", "--language", "1031", "--accept-licence", "--no-log", "--dry-run"});
  EXPECT_EQ(options.kitDir, "/kits/blue");
  EXPECT_EQ(options.prefixDir, "/home/me/.wine");
  EXPECT_TRUE(options.silent && options.versionsGiven && options.languageGiven);
  EXPECT_EQ(options.versions, (std::vector<int>{1, 3}));  // always in the order 98 .. 2003
  EXPECT_EQ(options.language, 1031);
  EXPECT_TRUE(options.acceptLicence && options.noLog && options.dryRun);
  EXPECT_TRUE(Parse({"--dry-run"}).dryRun);  // a dry run may be interactive
  EXPECT_EQ(Parse({"--silent", "--versions", "2002,2002,98"}).versions, (std::vector<int>{0, 2}));
  EXPECT_EQ(Parse({"--silent", "--language=1033"}).language, 1033);
}

TEST(CommandLine, MistakesAreRejectedWithAReason) {
  // Each bad command line, and a piece its message must hold ("" when any will do).
  const struct { std::vector<std::string> args; const char* names; } mistakes[] = {
      {{"--silent", "--versions", "2001"}, "\"2001\""}, {{"--silent", "--versions", ""}, ""},
      {{"--silent", "--versions", "2000,"}, ""}, {{"--silent", "--versions", "2000 2003"}, ""},
      {{"--silent", "--versions", "FP2000"}, ""}, {{"--frobnicate"}, "--frobnicate"},
      {{"-s"}, ""}, {{"kitfolder"}, "kitfolder"}, {{"--kit"}, "needs a value"}, {{"--kit="}, ""},
      {{"--silent", "--silent"}, ""}, {{"--kit", "a", "--kit", "b"}, ""}, {{"--silent=yes"}, ""},
      {{"--versions", "2000"}, "--silent"}, {{"--language", "1033"}, "--silent"},
      {{"--accept-licence"}, "--silent"}, {{"--no-log", "--dry-run"}, "--silent"}};
  const auto rejected = [](const std::vector<std::string>& args, const char* names) {
    SCOPED_TRACE(::testing::PrintToString(args));
    CommandLine options;
    std::string error;
    EXPECT_FALSE(ParseCommandLine(args, &options, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find(names), std::string::npos) << error;
  };
  for (const auto& mistake : mistakes) rejected(mistake.args, mistake.names);
  for (const char* bad : {"", "english", "-1033", "+1033", "0", "1033x", " 1033", "0x409",
                          "65536", "99999999999"}) {
    rejected({"--silent", "--language", bad}, "");
  }
}

}  // namespace
}  // namespace tpl
