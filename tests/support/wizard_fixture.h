// A whole wizard on a test machine: a Wine prefix and a kit folder in a temp
// folder, the wineprefix machine (without pauses, faults injectable), the
// scripted front end, and the wizard dialog bound to in-memory controls.
//
//   WizardFixture f;
//   f.prefix.AddFrontPage(kFP2002, "C:\\Program Files\\Microsoft Office\\Office10");
//   f.Kit("common/Themes/blue/blue.inf", "title=Blue\nversion=1\n");
//   f.Start();            // writes the registry, builds the wizard, OnInitDialog
//   f.wizard().OnNext();
//   EXPECT_EQ(f.LogLines()[6], "Checking FrontPage installation...");
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/wizard_dlg.h"
#include "machine/forwarding_machine.h"
#include "machine/wineprefix/wine_prefix_machine.h"
#include "support/prefix_builder.h"
#include "support/temp_dir.h"
#include "ui/memory_dialog.h"
#include "ui/scripted/scripted_front_end.h"

namespace tpl::test {

// Forwards to the real machine but skips pauses, records them, and fails the
// calls a test names.
class TestMachine : public ForwardingMachine {
 public:
  using ForwardingMachine::ForwardingMachine;

  // A failure `code` for every call of that kind whose path (or key) equals
  // `path` ignoring case; an empty path fails every such call.
  void FailCopy(const std::string& path, ErrorCode code) { copyFaults_.push_back({path, code}); }
  void FailOpenKey(const std::string& key, ErrorCode code) { keyFaults_.push_back({key, code}); }
  void FailOsVersion(ErrorCode code) { osVersionError_ = code; }
  void FailUserName(ErrorCode code) { userNameError_ = code; }
  // The next creation of the log file fails with `code`; later ones do not.
  void FailNextLogOpen(ErrorCode code) { logOpenError_ = code; }
  // Text files opened at `path` (ignoring case) read `goodLines` lines, then
  // every further read fails with `code`.
  void FailTextRead(const std::string& path, int goodLines, ErrorCode code) {
    readFaults_.push_back({path, code, goodLines});
  }
  // The log file takes `goodWrites` writes, then every write fails with `code`.
  void FailLogWrite(int goodWrites, ErrorCode code) {
    logWritesLeft_ = goodWrites;
    logWriteError_ = code;
  }
  void SetNow(LocalTime now) { now_ = now; fixedNow_ = true; }
  // Another program at work beside the installer: it changes the kit once,
  // just before the first file is copied; it makes each folder the
  // installer is about to make (which then fails with 183).
  std::function<void()> beforeFirstCopy;
  bool foldersMadeMeanwhile = false;

  const std::vector<uint32_t>& pauses() const { return pauses_; }
  int copies() const { return copies_; }

  ErrorCode OpenRegistryKey(RegRoot root, const std::string& subKey,
                            std::unique_ptr<RegistryKey>* key) override;
  ErrorCode CopyFileOver(const std::string& source, const std::string& destination) override;
  ErrorCode MakeDirectory(const std::string& path) override;
  ErrorCode OsVersion(OsVersionInfo* info) override;
  ErrorCode UserName(std::string* name) override;
  ErrorCode OpenTextFile(const std::string& path, std::unique_ptr<TextReader>* reader) override;
  ErrorCode CreateLogFile(const std::string& path, std::unique_ptr<LogWriter>* writer) override;
  LocalTime Now() override { return fixedNow_ ? now_ : ForwardingMachine::Now(); }
  void Pause(uint32_t milliseconds) override { pauses_.push_back(milliseconds); }

 private:
  struct Fault {
    std::string path;
    ErrorCode code;
    int goodLines = 0;
  };
  static const Fault* Match(const std::vector<Fault>& faults, const std::string& path);
  std::vector<Fault> copyFaults_, keyFaults_, readFaults_;
  ErrorCode osVersionError_ = 0, userNameError_ = 0, logOpenError_ = 0, logWriteError_ = 0;
  int logWritesLeft_ = 0;
  LocalTime now_;
  bool fixedNow_ = false;
  std::vector<uint32_t> pauses_;
  int copies_ = 0;
};

class WizardFixture {
 public:
  explicit WizardFixture(PrefixOptions options = {});

  TempDir tmp;
  PrefixBuilder prefix;
  std::string kitDir;  // Unix path of the kit's top folder
  ScriptedFrontEnd ui;

  // Writes a kit file, path relative to the kit with '/' separators.
  void Kit(const std::string& relativePath, const std::string& content = "");
  void KitFolder(const std::string& relativePath);

  // Writes the registry and builds the machine, for a test that brings its
  // own wizard or front end.
  TestMachine& StartMachine();
  // StartMachine, then the wizard bound to in-memory controls, and
  // OnInitDialog (as DoModal would).
  void Start();
  // Start, then the log opened as step 0 opens it; NewLogLines() is what
  // follows the log's head.
  CWizardDlg& StartLogged();
  std::vector<std::string> NewLogLines() const;
  bool Logged(const std::string& line) const;
  // Presses "Next >" `times` times.
  void Next(int times = 1);

  CWizardDlg& wizard() { return *wizard_; }
  TestMachine& machine() { return *machine_; }
  MemoryDialog& controls() { return *controls_; }
  MemoryPeer& control(int id) { return *controls_->Peer(id); }
  std::string StatusText() { return control(kIdcStatusText).Text(); }

  // The log file's bytes (at the wizard's log path, else `windowsPath`), and
  // its lines as MaskedLogLines gives them.
  std::string LogBytes(const std::string& windowsPath = "") const;
  std::vector<std::string> LogLines(const std::string& windowsPath = "") const;
  // The Unix path of a Windows path in the prefix, spelled as given.
  std::string HostPath(const std::string& windowsPath) const { return prefix.HostPath(windowsPath); }

 private:
  std::unique_ptr<Machine> real_;
  std::unique_ptr<TestMachine> machine_;
  std::unique_ptr<MemoryDialog> controls_;
  std::unique_ptr<CWizardDlg> wizard_;
  size_t headLines_ = 0;
};

// Splits a log into lines at CR LF, the dates and times of the opening and
// closing lines replaced by DD-Mon-YYYY / HH:MM:SS.
std::vector<std::string> MaskedLogLines(const std::string& bytes);

// Compares `actual` with the file tests/<name>. TPL_UPDATE_LOGS=1 in the
// environment rewrites the file instead (read the diff before committing it).
void ExpectDataFile(const std::string& actual, const std::string& name);
// ExpectDataFile of the whole log and tests/<name>.log, and every line of the
// log ends in CR LF.
void ExpectLogFile(const WizardFixture& f, const std::string& name);

}  // namespace tpl::test
