// The real program, run as a user runs it: every option, the exit statuses,
// what goes to standard output and standard error, and the example kit
// installed into a throwaway copy of the example machine.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>

#include "support/child_run.h"
#include "support/prefix_builder.h"
#include "support/temp_dir.h"

extern char** environ;

namespace tpl::test {
namespace {

namespace fs = std::filesystem;

using Result = ChildRun;

// Environment changes for one run: a value sets the variable, nullopt unsets it.
using EnvChanges = std::map<std::string, std::optional<std::string>>;

class ProgramTest : public ::testing::Test {
 protected:
  // Runs the program with `args`, standard input closed, in `cwd` (the
  // test's folder when empty).
  Result Launch(const std::vector<std::string>& args, const EnvChanges& env = {},
             const std::string& cwd = "") {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string text = *entry;
      if (env.count(text.substr(0, text.find('='))) == 0) environment.push_back(text);
    }
    for (const auto& [name, value] : env) {
      if (value) environment.push_back(name + "=" + *value);
    }
    return RunInChild(tmp.path(), cwd.empty() ? tmp.path() : cwd, [&] {
      std::vector<char*> argv{const_cast<char*>(TPLSETUP_BIN)};
      for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      std::vector<char*> envp;
      for (std::string& entry : environment) envp.push_back(entry.data());
      envp.push_back(nullptr);
      execve(TPLSETUP_BIN, argv.data(), envp.data());
      return 127;
    });
  }

  // A throwaway copy of examples/machine, its drive link kept.
  std::string CopyOfExampleMachine() {
    const std::string copy = tmp.path() + "/machine";
    fs::copy(std::string(TPL_SOURCE_DIR) + "/examples/machine", copy,
             fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    return copy;
  }

  static std::string ExampleKit() { return std::string(TPL_SOURCE_DIR) + "/examples/kit"; }

  TempDir tmp;
};

TEST_F(ProgramTest, HelpVersionAndBadCommandLines) {
  const Result help = Launch({"--help"}), version = Launch({"--version"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: tplsetup [options]\n", 0), 0u) << help.out;
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "tplsetup 1.0\n");
  EXPECT_EQ(help.err + version.err, "");

  // Bad command lines exit with 64, the reason and the usage on standard error.
  const Result bad = Launch({"--silent", "--versions", "97"});
  EXPECT_EQ(bad.status, 64);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err.rfind("tplsetup: ", 0), 0u) << bad.err;
  EXPECT_NE(bad.err.find("\nUsage: tplsetup [options]\n"), std::string::npos) << bad.err;
}

TEST_F(ProgramTest, FolderThatIsNoPrefixOrNoKitIsAClearError) {
  MakeHostFolders(tmp.path() + "/empty");
  const Result named = Launch({"--silent", "--prefix", tmp.path() + "/empty"});
  EXPECT_EQ(named.status, 64);
  EXPECT_NE(named.err.find("\"" + tmp.path() + "/empty\" is not a Wine prefix"),
            std::string::npos)
      << named.err;
  EXPECT_NE(named.err.find("system.reg"), std::string::npos);

  // The default prefix: $WINEPREFIX, else ~/.wine.
  const Result fromEnv = Launch({"--silent"}, {{"WINEPREFIX", tmp.path() + "/empty"}});
  EXPECT_EQ(fromEnv.status, 64);
  EXPECT_NE(fromEnv.err.find(tmp.path() + "/empty"), std::string::npos) << fromEnv.err;
  const Result fromHome =
      Launch({"--silent"}, {{"WINEPREFIX", std::nullopt}, {"HOME", tmp.path() + "/home"}});
  EXPECT_EQ(fromHome.status, 64);
  EXPECT_NE(fromHome.err.find(tmp.path() + "/home/.wine"), std::string::npos) << fromHome.err;

  // A kit folder that does not exist.
  const Result noKit =
      Launch({"--silent", "--prefix", CopyOfExampleMachine(), "--kit", tmp.path() + "/nokit"});
  EXPECT_EQ(noKit.status, 64);
  EXPECT_NE(noKit.err.find("nokit"), std::string::npos) << noKit.err;
}

TEST_F(ProgramTest, InstallsTheExampleKitIntoTheExampleMachine) {
  const std::string machine = CopyOfExampleMachine();
  const Result run = Launch({"--silent", "--accept-licence", "--versions", "2002,2003", "--kit",
                          ExampleKit(), "--prefix", machine});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "The installation was successfully completed.\n"
            "Log file written to C:\\users\\demo\\Temp\\tplsetup.log\n\n"
            "Create a new starter web site using the web template:\n"
            "FP 2002: Go to File > New > Page or Web. Click on \"Web Site Templates\" in the "
            "right column.\n"
            "FP 2003: Go to File > New. Click on \"More Web Site Templates\" in the right column.  "
            "This template is listed under the \"My Templates\" tab\n");

  const std::string c = machine + "/drive_c/";
  const std::string kit = ExampleKit() + "/";
  const std::map<std::string, std::string> installed = {
      {"Program Files/Common Files/Microsoft Shared/themes/harbour/harbour.inf",
       "common/Themes/harbour/harbour.inf"},
      {"Program Files/Common Files/Microsoft Shared/themes11/meadow/mbanner.gif",
       "common/Themes/meadow/mbanner.gif"},
      {"Program Files/Microsoft Office/templates/1033/pages/gallery.tem/gallery.htm",
       "fp2000/Pages/gallery.tem/gallery.htm"},
      {"Program Files/Microsoft Office/templates/1033/webs11/smallbiz.tem/products.htm",
       "common/Webs/smallbiz.tem/products.htm"},
      {"Program Files/Microsoft Office/templates/1033/DWTs/harbour/harbour.dwt",
       "common/dwts/harbour/harbour.dwt"},
      {"users/demo/AppData/Roaming/Microsoft/FrontPage/Frames/sidebar.tem/sidebar.htm",
       "fp2000/Frames/sidebar.tem/sidebar.htm"},
      {"users/demo/AppData/Roaming/Microsoft/FrontPage/DWTs/meadow/meadow.dwt",
       "common/dwts/meadow/meadow.dwt"},
  };
  for (const auto& [destination, source] : installed) {
    EXPECT_EQ(ReadHostFile(c + destination), ReadHostFile(kit + source)) << destination;
  }
  const std::string log = ReadHostFile(c + "users/demo/Temp/tplsetup.log");
  EXPECT_NE(log.find("\r\nOperating system: Windows NT/2000/XP V5.1 Service Pack 3\r\n"),
            std::string::npos);
}

TEST_F(ProgramTest, DefaultsAreTheCurrentFolderAndWinePrefix) {
  const std::string machine = CopyOfExampleMachine();
  const Result run = Launch({"--silent", "--accept-licence", "--no-log"},
                         {{"WINEPREFIX", machine}}, ExampleKit());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find("Log file written to"), std::string::npos);
  EXPECT_FALSE(HostPathExists(machine + "/drive_c/users/demo/Temp/tplsetup.log"));
  // Without --versions the preselected current version, FrontPage 2003, alone.
  EXPECT_TRUE(HostPathExists(machine +
                             "/drive_c/users/demo/AppData/Roaming/Microsoft/Themes/harbour"));
  EXPECT_FALSE(HostPathExists(machine +
                              "/drive_c/Program Files/Common Files/Microsoft Shared/themes"));
}

// Without --silent the wizard runs on the terminal; input that ends is Esc.
TEST_F(ProgramTest, InteractiveRunEndsCancelledWhenTheInputEnds) {
  const Result run = Launch({"--kit", ExampleKit(), "--prefix", CopyOfExampleMachine()},
                            {{"LANG", "C.UTF-8"}, {"COLUMNS", "60"}});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.out.find("[end of input]"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  Installation cancelled.\n"), std::string::npos) << run.out;
}

TEST_F(ProgramTest, RefusedLicenceExitsWith2AndNoFrontPageWith1) {
  const std::string machine = CopyOfExampleMachine();
  const std::vector<std::string> before = ListHostTree(machine + "/drive_c/Program Files");
  const Result refused = Launch({"--silent", "--kit", ExampleKit(), "--prefix", machine});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.out.rfind("Installation cancelled.\n", 0), 0u) << refused.out;
  EXPECT_EQ(ListHostTree(machine + "/drive_c/Program Files"), before);

  PrefixBuilder prefix(tmp.path() + "/bare");
  prefix.Write();
  const Result bare =
      Launch({"--silent", "--accept-licence", "--kit", ExampleKit(), "--prefix", prefix.root()});
  EXPECT_EQ(bare.status, 1);
  EXPECT_EQ(bare.err, "Installation Error.  FrontPage not found.\n");
  EXPECT_EQ(bare.out.rfind("Installation failed. Please check the log file.\n", 0), 0u);
}

}  // namespace
}  // namespace tpl::test
