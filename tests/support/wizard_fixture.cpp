#include "support/wizard_fixture.h"

#include <strings.h>

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>
#include <stdexcept>
#include <utility>

#include "machine/wineprefix/wine_prefix_machine.h"

namespace tpl::test {
namespace {

// Reads `goodLines` lines through, then fails every read with `code`.
class FailingTextReader : public TextReader {
 public:
  FailingTextReader(std::unique_ptr<TextReader> real, int goodLines, ErrorCode code)
      : real_(std::move(real)), left_(goodLines), code_(code) {}
  ErrorCode ReadLine(std::string* line) override {
    return left_-- > 0 ? real_->ReadLine(line) : code_;
  }

 private:
  std::unique_ptr<TextReader> real_;
  int left_;
  ErrorCode code_;
};

// Takes `*left` writes, then fails every write with `code`.
class FailingLogWriter : public LogWriter {
 public:
  FailingLogWriter(std::unique_ptr<LogWriter> real, int* left, ErrorCode code)
      : real_(std::move(real)), left_(left), code_(code) {}
  ErrorCode Write(const std::string& bytes) override {
    return (*left_)-- > 0 ? real_->Write(bytes) : code_;
  }
  ErrorCode Flush() override { return real_->Flush(); }
  ErrorCode StillPresent() override { return real_->StillPresent(); }

 private:
  std::unique_ptr<LogWriter> real_;
  int* left_;
  ErrorCode code_;
};

}  // namespace

const TestMachine::Fault* TestMachine::Match(const std::vector<Fault>& faults,
                                             const std::string& path) {
  for (const Fault& fault : faults) {
    if (fault.path.empty() || strcasecmp(fault.path.c_str(), path.c_str()) == 0) return &fault;
  }
  return nullptr;
}

ErrorCode TestMachine::OpenRegistryKey(RegRoot root, const std::string& subKey,
                                       std::unique_ptr<RegistryKey>* key) {
  const Fault* fault = Match(keyFaults_, subKey);
  return fault ? fault->code : ForwardingMachine::OpenRegistryKey(root, subKey, key);
}

ErrorCode TestMachine::CopyFileOver(const std::string& source, const std::string& destination) {
  ++copies_;
  if (beforeFirstCopy) std::exchange(beforeFirstCopy, nullptr)();
  const Fault* fault = Match(copyFaults_, destination);
  return fault ? fault->code : ForwardingMachine::CopyFileOver(source, destination);
}

ErrorCode TestMachine::MakeDirectory(const std::string& path) {
  const ErrorCode made = ForwardingMachine::MakeDirectory(path);
  return foldersMadeMeanwhile && made == kErrorSuccess ? kErrorAlreadyExists : made;
}

ErrorCode TestMachine::OsVersion(OsVersionInfo* info) {
  return osVersionError_ ? osVersionError_ : ForwardingMachine::OsVersion(info);
}

ErrorCode TestMachine::UserName(std::string* name) {
  return userNameError_ ? userNameError_ : ForwardingMachine::UserName(name);
}

ErrorCode TestMachine::OpenTextFile(const std::string& path,
                                    std::unique_ptr<TextReader>* reader) {
  const ErrorCode status = ForwardingMachine::OpenTextFile(path, reader);
  const Fault* fault = Match(readFaults_, path);
  if (status == kErrorSuccess && fault) {
    *reader = std::make_unique<FailingTextReader>(std::move(*reader), fault->goodLines,
                                                  fault->code);
  }
  return status;
}

ErrorCode TestMachine::CreateLogFile(const std::string& path,
                                     std::unique_ptr<LogWriter>* writer) {
  const ErrorCode openError = std::exchange(logOpenError_, 0);
  if (openError) return openError;
  const ErrorCode status = ForwardingMachine::CreateLogFile(path, writer);
  if (status == kErrorSuccess && logWriteError_ != 0) {
    *writer =
        std::make_unique<FailingLogWriter>(std::move(*writer), &logWritesLeft_, logWriteError_);
  }
  return status;
}

WizardFixture::WizardFixture(PrefixOptions options)
    : prefix(tmp.path() + "/prefix", std::move(options)), kitDir(tmp.path() + "/kit") {
  MakeHostFolders(kitDir);
}

void WizardFixture::Kit(const std::string& relativePath, const std::string& content) {
  WriteHostFile(kitDir + "/" + relativePath, content);
}

void WizardFixture::KitFolder(const std::string& relativePath) {
  MakeHostFolders(kitDir + "/" + relativePath);
}

TestMachine& WizardFixture::StartMachine() {
  prefix.Write();
  real_ = MakeWinePrefixMachine({prefix.root(), kitDir, prefix.options().user});
  if (!real_) throw std::runtime_error("no wineprefix machine");
  machine_ = std::make_unique<TestMachine>(*real_);
  return *machine_;
}

void WizardFixture::Start() {
  wizard_ = std::make_unique<CWizardDlg>(StartMachine(), ui);
  controls_ = std::make_unique<MemoryDialog>(*FindDialogTemplate(kIddWizard));
  controls_->Attach(*wizard_);
  wizard_->OnInitDialog();
}

CWizardDlg& WizardFixture::StartLogged() {
  Start();
  wizard_->m_bLogEnabled = true;
  wizard_->OpenLog();
  headLines_ = LogLines().size();
  return *wizard_;
}

std::vector<std::string> WizardFixture::NewLogLines() const {
  const std::vector<std::string> lines = LogLines();
  return {lines.begin() + static_cast<long>(std::min(headLines_, lines.size())), lines.end()};
}

bool WizardFixture::Logged(const std::string& line) const {
  const std::vector<std::string> lines = LogLines();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

void WizardFixture::Next(int times) {
  for (int i = 0; i < times; ++i) wizard_->OnNext();
}

std::string WizardFixture::LogBytes(const std::string& windowsPath) const {
  const std::string path = windowsPath.empty() && wizard_ ? wizard_->m_strLogPath : windowsPath;
  if (path.size() < 2 || path[1] != ':') return "";
  return ReadHostFile(HostPath(path));
}

std::vector<std::string> WizardFixture::LogLines(const std::string& windowsPath) const {
  return MaskedLogLines(LogBytes(windowsPath));
}

std::vector<std::string> MaskedLogLines(const std::string& bytes) {
  static const std::regex stamp(
      R"(^(Log file (opened|closed) on )\d\d-[A-Z][a-z][a-z]-\d{4} at \d\d:\d\d:\d\d$)");
  std::vector<std::string> lines;
  for (size_t start = 0, end = 0; start < bytes.size(); start = end + 2) {
    end = std::min(bytes.find("\r\n", start), bytes.size());
    lines.push_back(std::regex_replace(bytes.substr(start, end - start), stamp,
                                       "$1DD-Mon-YYYY at HH:MM:SS"));
  }
  return lines;
}

void ExpectDataFile(const std::string& actual, const std::string& name) {
  const std::string path = std::string(TPL_TEST_DATA_DIR) + "/" + name;
  if (std::getenv("TPL_UPDATE_LOGS") != nullptr) WriteHostFile(path, actual);
  EXPECT_EQ(actual, ReadHostFile(path)) << "the output differs from " << path;
}

void ExpectLogFile(const WizardFixture& f, const std::string& name) {
  std::string actual;
  for (const std::string& line : f.LogLines()) actual += line + "\n";
  ExpectDataFile(actual, name + ".log");
  const std::string bytes = f.LogBytes();
  for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
    ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "a line end without CR at byte " << at;
  }
}

}  // namespace tpl::test
