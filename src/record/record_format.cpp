#include "record/record_format.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <utility>
#include <vector>

#include "machine/content_digest.h"

namespace tpl {
namespace {

const char* const kVersionNames[] = {"98", "2000", "2002", "2003"};
const char kQuote = '"';

std::string Quoted(const std::string& text) { return kQuote + text + kQuote; }

// Splits at single blanks; a quoted last field keeps its blanks and must end
// the line (a line cut short loses its closing quote).
bool SplitFields(const std::string& line, std::vector<std::string>* fields) {
  fields->clear();
  size_t start = 0;
  while (start < line.size()) {
    if (line[start] == kQuote) {
      if (line.size() - start < 2 || line.back() != kQuote) return false;
      std::string inner = line.substr(start + 1, line.size() - start - 2);
      if (inner.find(kQuote) != std::string::npos) return false;
      fields->push_back(std::move(inner));
      return true;
    }
    const size_t blank = line.find(' ', start);
    const size_t end = blank == std::string::npos ? line.size() : blank;
    if (end == start) return false;  // two blanks, or a blank at either end
    fields->emplace_back(line, start, end - start);
    if (blank == std::string::npos) return true;
    start = blank + 1;
    if (start == line.size()) return false;
  }
  return !fields->empty();
}

bool ParseCount(const std::string& text, unsigned long long* value) {
  if (text.empty() || text.size() > 19 || (text.size() > 1 && text[0] == '0')) return false;
  unsigned long long result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + static_cast<unsigned>(c - '0');
  }
  *value = result;
  return true;
}

bool HasShape(const std::string& text, const char* shape) {
  // '9' stands for a digit; every other character for itself.
  size_t i = 0;
  for (; shape[i] != '\0'; ++i) {
    if (i >= text.size()) return false;
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (shape[i] == '9' ? !digit : text[i] != shape[i]) return false;
  }
  return i == text.size();
}

bool IsKitKey(const std::string& key) {
  if (key.empty() || key == "." || key == "..") return false;
  for (unsigned char c : key) {
    if (c < 32 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos) {
      return false;
    }
    if (c >= 'A' && c <= 'Z') return false;  // keys are lower case
  }
  return true;
}

}  // namespace

const char* VersionName(int version) {
  return version >= 0 && version < 4 ? kVersionNames[version] : "";
}

int VersionFromName(const std::string& name) {
  for (int version = 0; version < 4; ++version) {
    if (name == kVersionNames[version]) return version;
  }
  return -1;
}

bool IsPlainWindowsPath(const std::string& path) {
  if (path.size() < 4 || path[1] != ':' || path[2] != '\\') return false;
  const char drive = path[0];
  if (!((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z'))) return false;
  // Part by part, each ended by a backslash or the end (a record holds a
  // path for every file, all of them checked).
  size_t start = 3;
  for (size_t i = start; i <= path.size(); ++i) {
    const unsigned char c = i < path.size() ? static_cast<unsigned char>(path[i]) : '\\';
    if (c == '\\') {
      const size_t size = i - start;
      if (size == 0) return false;  // also a trailing backslash
      if (path[start] == '.' && (size == 1 || (size == 2 && path[start + 1] == '.'))) return false;
      start = i + 1;
    } else if (c < 32 || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
               c == '>' || c == '|') {
      return false;
    }
  }
  return true;
}

std::string RunLine(const RecordedRun& run) {
  return "run " + run.date + " " + run.time + " " + VersionName(run.version) + " " +
         run.language + " " + run.listDigest + " " + Quoted(run.kitKey);
}

std::string FolderLine(const std::string& path) { return "folder " + Quoted(path); }

void WriteFileLine(const RecordedFile& file, std::string* line) {
  // Everything before the path is put together in place: a line is written
  // for every file copied.
  char head[128];
  char* const end = head + sizeof head;
  auto put = [&](char* at, const char* text, size_t size) { return std::copy_n(text, size, at); };
  char* at = put(head, "file ", 5);
  switch (file.was) {
    case RecordedFile::Was::kNew: at = put(at, "new", 3); break;
    case RecordedFile::Was::kOwnCopy: at = put(at, "own", 3); break;
    case RecordedFile::Was::kBackedUp:
      at = put(at, "backup:", 7);
      at = std::to_chars(at, end, file.backup).ptr;
      break;
  }
  *at++ = ' ';
  at = std::to_chars(at, end, file.size).ptr;
  *at++ = ' ';
  line->assign(head, static_cast<size_t>(at - head));
  line->append(file.digest).append(" \"", 2).append(file.path).push_back(kQuote);
}

std::string FileLine(const RecordedFile& file) {
  std::string line;
  WriteFileLine(file, &line);
  return line;
}

RecordLine ParseRecordLine(const std::string& line) {
  RecordLine parsed;
  std::vector<std::string> fields;
  if (!SplitFields(line, &fields)) return parsed;
  const std::string& kind = fields[0];
  if (kind == "run" && fields.size() == 7) {
    RecordedRun& run = parsed.run;
    run.date = std::move(fields[1]);
    run.time = std::move(fields[2]);
    run.version = VersionFromName(fields[3]);
    run.language = std::move(fields[4]);
    run.listDigest = std::move(fields[5]);
    run.kitKey = std::move(fields[6]);
    unsigned long long lcid = 0;
    const bool languageOk = run.language == "-" || (ParseCount(run.language, &lcid) && lcid > 0 &&
                                                     lcid <= 0xFFFF);
    if (HasShape(run.date, "9999-99-99") && HasShape(run.time, "99:99:99") && run.version >= 0 &&
        languageOk && IsDigestText(run.listDigest) && IsKitKey(run.kitKey)) {
      parsed.kind = RecordLine::Kind::kRun;
    }
  } else if (kind == "folder" && fields.size() == 2) {
    parsed.folder = std::move(fields[1]);
    if (IsPlainWindowsPath(parsed.folder)) parsed.kind = RecordLine::Kind::kFolder;
  } else if (kind == "file" && fields.size() == 5) {
    RecordedFile& file = parsed.file;
    const std::string& was = fields[1];
    bool wasOk = true;
    if (was == "new") {
      file.was = RecordedFile::Was::kNew;
    } else if (was == "own") {
      file.was = RecordedFile::Was::kOwnCopy;
    } else if (was.rfind("backup:", 0) == 0) {
      unsigned long long number = 0;
      wasOk = ParseCount(was.substr(7), &number) && number > 0 && number < 1000000000;
      file.was = RecordedFile::Was::kBackedUp;
      file.backup = static_cast<int>(number);
    } else {
      wasOk = false;
    }
    file.digest = std::move(fields[3]);
    file.path = std::move(fields[4]);
    if (wasOk && ParseCount(fields[2], &file.size) && IsDigestText(file.digest) &&
        IsPlainWindowsPath(file.path)) {
      parsed.kind = RecordLine::Kind::kFile;
    }
  }
  return parsed;
}

}  // namespace tpl
