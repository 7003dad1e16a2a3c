// Copying, creating folders, text files and the log file, on the wineprefix machine.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "machine_contract.h"

namespace tpl::test {
namespace {

TEST_F(MachineContract, CopyResultsAndFailures) {
  prefix().AddFile("C:\\src\\a.txt", "new contents").AddFile("C:\\dst\\A.TXT", "old");
  prefix().AddFolder("C:\\dst\\folder");  // a read-only file: see the remembered folders test
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\DST\\a.txt"), kErrorSuccess);
  EXPECT_EQ(HostText("C:\\dst\\A.TXT"), "new contents");  // the existing name
  EXPECT_FALSE(HostPathExists(Host("C:\\dst\\a.txt")));
  // A new file keeps the caller's spelling inside the case-matched folder.
  ASSERT_EQ(Copy("C:\\src\\a.txt", "c:\\DST\\Fresh.Txt"), kErrorSuccess);
  EXPECT_EQ(HostText("C:\\dst\\Fresh.Txt"), "new contents");
  const struct { const char* from; const char* to; ErrorCode error; } failures[] = {
      {"C:\\src\\missing.txt", "C:\\dst\\b.txt", kErrorFileNotFound},
      {"C:\\nosrc\\a.txt", "C:\\dst\\b.txt", kErrorPathNotFound},
      {"C:\\src\\a.txt", "C:\\nodst\\a.txt", kErrorPathNotFound},
      {"C:\\src\\a.txt", "C:\\dst\\FOLDER", kErrorAccessDenied},
      {"C:\\src", "C:\\dst\\b.txt", kErrorAccessDenied},
      {"C:\\src\\a.txt", "C:\\SRC\\A.txt", kErrorSharingViolation},
  };
  for (const auto& f : failures) EXPECT_EQ(Copy(f.from, f.to), f.error) << f.from << " " << f.to;
  EXPECT_EQ(HostText("C:\\src\\a.txt"), "new contents");
}

TEST_F(MachineContract, CopyKeepsBytesReadOnlyAndWriteTime) {
  std::string big(3 * 1024 * 1024 + 17, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 131 % 251);
  prefix().AddFile("C:\\src\\big.bin", big).AddFile("C:\\dst\\big.bin", std::string(5000000, 'x'));
  prefix().AddFile("C:\\src\\ro.txt", "r").AddFile("C:\\src\\rw.txt", "w");
  chmod(Host("C:\\src\\ro.txt").c_str(), 0444);
  const auto then = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  std::filesystem::last_write_time(Host("C:\\src\\rw.txt"), then);
  ASSERT_EQ(Copy("C:\\src\\big.bin", "C:\\dst\\big.bin"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\ro.txt", "C:\\ro.txt"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\rw.txt", "C:\\rw.txt"), kErrorSuccess);
  EXPECT_TRUE(HostText("C:\\dst\\big.bin") == big);  // the longer old file is cut
  EXPECT_EQ(HostText("C:\\ro.txt"), "r");
  struct stat ro {}, rw {};
  stat(Host("C:\\ro.txt").c_str(), &ro);
  stat(Host("C:\\rw.txt").c_str(), &rw);
  EXPECT_EQ(ro.st_mode & 0222, 0u);
  EXPECT_NE(rw.st_mode & 0200, 0u);
  EXPECT_EQ(std::filesystem::last_write_time(Host("C:\\rw.txt")), then);
}

TEST_F(MachineContract, MakeDirectoryAndTextFiles) {
  prefix().AddFolder("C:\\Parent\\Existing").AddFile("C:\\Parent\\file.txt");
  EXPECT_EQ(machine().MakeDirectory("C:\\parent\\NewOne"), kErrorSuccess);
  EXPECT_TRUE(HostPathExists(Host("C:\\Parent\\NewOne")));
  EXPECT_EQ(machine().MakeDirectory("C:\\PARENT\\existing"), kErrorAlreadyExists);
  EXPECT_EQ(machine().MakeDirectory("C:\\Parent\\FILE.TXT"), kErrorAlreadyExists);
  EXPECT_EQ(machine().MakeDirectory("C:\\parent\\newone\\"), kErrorAlreadyExists);
  EXPECT_EQ(machine().MakeDirectory("C:\\Parent\\missing\\child"), kErrorPathNotFound);
  // The line rules are the text-mode reader's tests; here the file source under it.
  prefix().AddFile("C:\\t\\crlf.txt", "one\r\ntwo\rstill two\n\x1A" "x");
  EXPECT_EQ(Lines("C:\\t\\crlf.txt"), "one|two\rstill two");
  EXPECT_EQ(Lines("C:\\t"), "error 5");
}

TEST_F(MachineContract, LogFileIsHeldWithoutSharingAndNeverWrittenThroughALink) {
  prefix().AddFile("C:\\logs\\setup.log", "previous run").AddFile("C:\\src.txt", "s");
  prefix().AddFile("C:\\precious.txt", "keep me");
  symlink(Host("C:\\precious.txt").c_str(), Host("C:\\logs\\link.log").c_str());
  std::unique_ptr<LogWriter> log, second;
  ASSERT_EQ(machine().CreateLogFile("C:\\LOGS\\Setup.log", &log), kErrorSuccess);
  EXPECT_EQ(HostText("C:\\logs\\setup.log"), "");  // truncated
  ASSERT_EQ(log->Write("line\r\n"), kErrorSuccess);
  ASSERT_EQ(log->Flush(), kErrorSuccess);
  EXPECT_EQ(HostText("C:\\logs\\setup.log"), "line\r\n");
  EXPECT_EQ(machine().CreateLogFile("c:\\logs\\setup.log", &second), kErrorSharingViolation);
  EXPECT_EQ(Lines("C:\\logs\\setup.log"), "error 32");
  EXPECT_EQ(Copy("C:\\src.txt", "C:\\logs\\setup.log"), kErrorSharingViolation);
  EXPECT_EQ(HostText("C:\\logs\\setup.log"), "line\r\n");  // the failures changed nothing
  log.reset();
  EXPECT_EQ(Lines("C:\\logs\\setup.log"), "line");
  EXPECT_EQ(machine().CreateLogFile("C:\\logs\\setup.log", &second), kErrorSuccess);
  EXPECT_EQ(machine().CreateLogFile("C:\\logs\\LINK.log", &log), kErrorAccessDenied);
  EXPECT_EQ(HostText("C:\\precious.txt"), "keep me");
  EXPECT_EQ(machine().CreateLogFile("C:\\logs", &log), kErrorAccessDenied);
  EXPECT_EQ(machine().CreateLogFile("C:\\nowhere\\setup.log", &log), kErrorPathNotFound);
}

}  // namespace
}  // namespace tpl::test
