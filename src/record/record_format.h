// The installation record: what installations of one kit did on this
// machine, one line per event (docs/record-format.md). This file holds the
// lines as data and their exact text; reading and checking a whole record is
// record_reader.h's.
#pragma once

#include <string>

namespace tpl {

inline constexpr char kRecordFirstLine[] = "tplsetup record 1";

// One installation of one FrontPage version.
struct RecordedRun {
  std::string date;        // "2026-12-07"
  std::string time;        // "04:10:59"
  int version = 0;         // HostVersion
  std::string language;    // "1033", or "-" when no language folder was used
  std::string kitKey;
  std::string listDigest;  // digest of the kit's file list for this version
};

// How a written file came to be there.
struct RecordedFile {
  enum class Was { kNew, kOwnCopy, kBackedUp };
  Was was = Was::kNew;
  int backup = 0;  // kBackedUp: the number of its backup
  unsigned long long size = 0;
  std::string digest;  // of the content written
  std::string path;
};

std::string RunLine(const RecordedRun& run);
std::string FolderLine(const std::string& path);
std::string FileLine(const RecordedFile& file);
// FileLine into *line, which keeps its room (the install writes one a file).
void WriteFileLine(const RecordedFile& file, std::string* line);

// One line of a record, parsed. kBad: a line that cannot be vouched for.
struct RecordLine {
  enum class Kind { kRun, kFolder, kFile, kBad };
  Kind kind = Kind::kBad;
  RecordedRun run;
  RecordedFile file;
  std::string folder;
};

RecordLine ParseRecordLine(const std::string& line);

// A full Windows path "X:\a\b" without ".", ".." or empty parts, with no
// character a file name cannot hold.
bool IsPlainWindowsPath(const std::string& path);

// "98", "2000", "2002", "2003" <-> HostVersion; -1 for another name.
const char* VersionName(int version);
int VersionFromName(const std::string& name);

}  // namespace tpl
