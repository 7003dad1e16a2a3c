// Copying, creating folders, text files and the log file, on every machine.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "machine_contract.h"

namespace tpl::test {
namespace {

using Strings = std::vector<std::string>;

class FileContract : public MachineContract {
 protected:
  mode_t Mode(const std::string& windowsPath) {
    struct stat info {};
    stat(Host(windowsPath).c_str(), &info);
    return info.st_mode & 0777;
  }
};
TPL_INSTANTIATE_MACHINE_CONTRACT(FileContract);

TEST_P(FileContract, CopyCreatesAndOverwrites) {
  prefix().AddFile("C:\\src\\a.txt", "new contents").AddFile("C:\\dst\\A.TXT", "old");
  ASSERT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\DST\\a.txt"), kErrorSuccess);
  EXPECT_EQ(ReadHostFile(Host("C:\\dst\\A.TXT")), "new contents");  // the existing name
  EXPECT_FALSE(HostPathExists(Host("C:\\dst\\a.txt")));
  // A new file keeps the caller's spelling inside the case-matched folder.
  ASSERT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "c:\\DST\\Fresh.Txt"), kErrorSuccess);
  EXPECT_EQ(ReadHostFile(Host("C:\\dst\\Fresh.Txt")), "new contents");
}

TEST_P(FileContract, CopyFailures) {
  prefix().AddFile("C:\\src\\a.txt", "x").AddFolder("C:\\dst\\folder");
  EXPECT_EQ(machine().CopyFileOver("C:\\src\\missing.txt", "C:\\dst\\a.txt"), kErrorFileNotFound);
  EXPECT_EQ(machine().CopyFileOver("C:\\nosrc\\a.txt", "C:\\dst\\a.txt"), kErrorPathNotFound);
  EXPECT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\nodst\\a.txt"), kErrorPathNotFound);
  EXPECT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\dst\\FOLDER"), kErrorAccessDenied);
  EXPECT_EQ(machine().CopyFileOver("C:\\src", "C:\\dst\\b.txt"), kErrorAccessDenied);
  EXPECT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\SRC\\A.txt"), kErrorSharingViolation);
  EXPECT_EQ(ReadHostFile(Host("C:\\src\\a.txt")), "x");
}

TEST_P(FileContract, ReadOnlyDestinationIsRefusedEvenForRoot) {
  prefix().AddFile("C:\\src\\a.txt", "new").AddFile("C:\\dst\\a.txt", "kept");
  chmod(Host("C:\\dst\\a.txt").c_str(), 0444);
  EXPECT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\dst\\a.txt"), kErrorAccessDenied);
  EXPECT_EQ(ReadHostFile(Host("C:\\dst\\a.txt")), "kept");
}

TEST_P(FileContract, CopyKeepsReadOnlyAttribute) {
  prefix().AddFile("C:\\src\\ro.txt", "r").AddFile("C:\\src\\rw.txt", "w");
  chmod(Host("C:\\src\\ro.txt").c_str(), 0444);
  ASSERT_EQ(machine().CopyFileOver("C:\\src\\ro.txt", "C:\\ro.txt"), kErrorSuccess);
  ASSERT_EQ(machine().CopyFileOver("C:\\src\\rw.txt", "C:\\rw.txt"), kErrorSuccess);
  EXPECT_EQ(Mode("C:\\ro.txt") & 0222, 0u);
  EXPECT_NE(Mode("C:\\rw.txt") & 0200, 0u);
  EXPECT_EQ(ReadHostFile(Host("C:\\ro.txt")), "r");
}

TEST_P(FileContract, CopyKeepsWriteTime) {
  prefix().AddFile("C:\\src\\old.txt", "o");
  const auto then = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  std::filesystem::last_write_time(Host("C:\\src\\old.txt"), then);
  ASSERT_EQ(machine().CopyFileOver("C:\\src\\old.txt", "C:\\old.txt"), kErrorSuccess);
  EXPECT_EQ(std::filesystem::last_write_time(Host("C:\\old.txt")), then);
}

TEST_P(FileContract, CopyOfLargeFileIsExact) {
  std::string big(3 * 1024 * 1024 + 17, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 131 % 251);
  prefix().AddFile("C:\\src\\big.bin", big).AddFile("C:\\dst\\big.bin", std::string(5000000, 'x'));
  ASSERT_EQ(machine().CopyFileOver("C:\\src\\big.bin", "C:\\dst\\big.bin"), kErrorSuccess);
  EXPECT_TRUE(ReadHostFile(Host("C:\\dst\\big.bin")) == big);
}

TEST_P(FileContract, FullDiskFailsTheCopyWithDiskFull) {
  prefix().AddFile("C:\\src\\a.txt", std::string(100000, 'a')).AddFolder("C:\\dst");
  // /dev/full answers every write with ENOSPC.
  ASSERT_EQ(symlink("/dev/full", Host("C:\\dst\\full.txt").c_str()), 0);
  EXPECT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\dst\\full.txt"), kErrorDiskFull);
}

TEST_P(FileContract, MakeDirectoryResults) {
  prefix().AddFolder("C:\\Parent\\Existing").AddFile("C:\\Parent\\file.txt");
  EXPECT_EQ(machine().MakeDirectory("C:\\parent\\NewOne"), kErrorSuccess);
  EXPECT_TRUE(HostPathExists(Host("C:\\Parent\\NewOne")));
  EXPECT_EQ(machine().MakeDirectory("C:\\PARENT\\existing"), kErrorAlreadyExists);
  EXPECT_EQ(machine().MakeDirectory("C:\\Parent\\FILE.TXT"), kErrorAlreadyExists);
  EXPECT_EQ(machine().MakeDirectory("C:\\parent\\newone\\"), kErrorAlreadyExists);
  EXPECT_EQ(machine().MakeDirectory("C:\\Parent\\missing\\child"), kErrorPathNotFound);
}

TEST_P(FileContract, TextModeReading) {
  prefix()
      .AddFile("C:\\t\\crlf.txt", "one\r\ntwo\rstill two\n\nlast")
      .AddFile("C:\\t\\ctrlz.txt", "kept\n\x1A" "dropped\n")
      .AddFile("C:\\t\\empty.txt", "")
      .AddFile("C:\\t\\lf.txt", "only\n")
      .AddFile("C:\\t\\nul.txt", std::string("ab\0cd\nef", 8));
  EXPECT_EQ(Lines("C:\\t\\crlf.txt"), "one|two\rstill two||last");
  EXPECT_EQ(Lines("C:\\t\\ctrlz.txt"), "kept");
  EXPECT_EQ(Lines("C:\\t\\empty.txt"), "");
  EXPECT_EQ(Lines("C:\\t\\lf.txt"), "only");
  EXPECT_EQ(Lines("C:\\t\\nul.txt"), "ab|ef");
  EXPECT_EQ(Lines("C:\\t"), "error 5");
}

TEST_P(FileContract, EmptyFileHasNoLines) {
  prefix().AddFile("C:\\t\\empty.txt", "");
  std::unique_ptr<TextReader> reader;
  ASSERT_EQ(machine().OpenTextFile("C:\\t\\empty.txt", &reader), kErrorSuccess);
  std::string line = "stale";
  EXPECT_EQ(reader->ReadLine(&line), kErrorHandleEof);
  EXPECT_EQ(reader->ReadLine(&line), kErrorHandleEof);
}

TEST_P(FileContract, LogFileIsHeldWithoutSharing) {
  prefix().AddFile("C:\\logs\\setup.log", "previous run").AddFile("C:\\src.txt", "s");
  std::unique_ptr<LogWriter> log;
  ASSERT_EQ(machine().CreateLogFile("C:\\LOGS\\Setup.log", &log), kErrorSuccess);
  EXPECT_EQ(ReadHostFile(Host("C:\\logs\\setup.log")), "");  // truncated
  ASSERT_EQ(log->Write("line\r\n"), kErrorSuccess);
  ASSERT_EQ(log->Flush(), kErrorSuccess);
  EXPECT_EQ(ReadHostFile(Host("C:\\logs\\setup.log")), "line\r\n");

  std::unique_ptr<LogWriter> second;
  EXPECT_EQ(machine().CreateLogFile("c:\\logs\\setup.log", &second), kErrorSharingViolation);
  EXPECT_EQ(Lines("C:\\logs\\setup.log"), "error 32");
  EXPECT_EQ(machine().CopyFileOver("C:\\src.txt", "C:\\logs\\setup.log"), kErrorSharingViolation);
  EXPECT_EQ(ReadHostFile(Host("C:\\logs\\setup.log")), "line\r\n");  // the failures changed nothing

  log.reset();
  EXPECT_EQ(Lines("C:\\logs\\setup.log"), "line");
  EXPECT_EQ(machine().CreateLogFile("C:\\logs\\setup.log", &second), kErrorSuccess);
}

TEST_P(FileContract, LogFileIsNeverWrittenThroughALink) {
  prefix().AddFile("C:\\precious.txt", "keep me").AddFolder("C:\\logs");
  symlink(Host("C:\\precious.txt").c_str(), Host("C:\\logs\\setup.log").c_str());
  std::unique_ptr<LogWriter> log;
  EXPECT_EQ(machine().CreateLogFile("C:\\logs\\setup.log", &log), kErrorAccessDenied);
  EXPECT_EQ(ReadHostFile(Host("C:\\precious.txt")), "keep me");
  EXPECT_EQ(machine().CreateLogFile("C:\\logs", &log), kErrorAccessDenied);
  EXPECT_EQ(machine().CreateLogFile("C:\\nowhere\\setup.log", &log), kErrorPathNotFound);
}

TEST_P(FileContract, NewLogFileTakesTheCallersSpelling) {
  prefix().AddFolder("C:\\Logs");
  std::unique_ptr<LogWriter> log;
  ASSERT_EQ(machine().CreateLogFile("C:\\LOGS\\TplSetup.log", &log), kErrorSuccess);
  EXPECT_TRUE(HostPathExists(Host("C:\\Logs\\TplSetup.log")));
}

TEST_P(FileContract, SearchSeesWhatTheMachineCreated) {
  prefix().AddFile("C:\\src\\a.txt", "a").AddFolder("C:\\dst");
  EXPECT_EQ(Names("C:\\dst\\*.*"), (Strings{".", ".."}));   // listed and cached
  EXPECT_EQ(Lines("C:\\dst\\later.txt"), "error 2");        // a lookup that misses
  ASSERT_EQ(machine().MakeDirectory("C:\\dst\\Sub"), kErrorSuccess);
  ASSERT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\dst\\Later.txt"), kErrorSuccess);
  std::unique_ptr<LogWriter> log;
  ASSERT_EQ(machine().CreateLogFile("C:\\dst\\x.log", &log), kErrorSuccess);
  EXPECT_EQ(Names("C:\\dst\\*.*"), (Strings{".", "..", "Later.txt", "Sub", "x.log"}));
  EXPECT_EQ(Lines("C:\\DST\\LATER.TXT"), "a");
  ASSERT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\dst\\sub\\deep.txt"), kErrorSuccess);
  EXPECT_EQ(Names("C:\\dst\\SUB\\*.txt"), Strings{"deep.txt"});
}

TEST_P(FileContract, ChangesMadeOutsideAreSeen) {
  prefix().AddFolder("C:\\dst");
  EXPECT_EQ(Lines("C:\\dst\\outside.txt"), "error 2");
  WriteHostFile(Host("C:\\dst\\Outside.txt"), "o");
  // Another spelling than the one looked for: the folder must be listed again.
  EXPECT_EQ(Lines("C:\\dst\\OUTSIDE.TXT"), "o");
  EXPECT_EQ(Names("C:\\dst\\*.txt"), Strings{"Outside.txt"});
}

TEST_P(FileContract, RemovalsMadeOutsideAreSeen) {
  prefix().AddFolder("C:\\dst\\gone").AddFile("C:\\dst\\file.txt");
  EXPECT_EQ(machine().MakeDirectory("C:\\dst\\gone"), kErrorAlreadyExists);  // now cached
  std::filesystem::remove(Host("C:\\dst\\gone"));
  std::filesystem::remove(Host("C:\\dst\\file.txt"));
  EXPECT_EQ(Names("C:\\dst\\file.txt"), Strings{"error 2"});
  EXPECT_EQ(machine().MakeDirectory("C:\\DST\\Gone"), kErrorSuccess);
  EXPECT_TRUE(HostPathExists(Host("C:\\dst\\Gone")));
}

}  // namespace
}  // namespace tpl::test
