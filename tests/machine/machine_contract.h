// The wineprefix machine's contract: each test runs on a prefix written by
// PrefixBuilder, with a kit folder as the machine's current folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "machine/machine.h"
#include "machine/wineprefix/wine_prefix_machine.h"
#include "support/prefix_builder.h"
#include "support/temp_dir.h"

namespace tpl::test {

using Strings = std::vector<std::string>;

class MachineContract : public ::testing::Test {
 protected:
  MachineContract() { UsePrefix(PrefixOptions()); }

  // Starts again with a prefix of other options (before machine() is used).
  void UsePrefix(const PrefixOptions& options) {
    machine_.reset();
    prefix_ = std::make_unique<PrefixBuilder>(tmp.path() + "/prefix", options);
    MakeHostFolders(kit);
  }

  PrefixBuilder& prefix() { return *prefix_; }

  // The machine, built on first use (the registry is written then).
  Machine& machine() {
    if (!machine_) {
      prefix_->Write();
      machine_ = MakeWinePrefixMachine({prefix_->root(), kit, "tester"});
    }
    return *machine_;
  }

  std::string Host(const std::string& windowsPath) { return prefix_->HostPath(windowsPath); }
  std::string HostText(const std::string& windowsPath) { return ReadHostFile(Host(windowsPath)); }
  ErrorCode Copy(const std::string& from, const std::string& to) {
    return machine().CopyFileOver(from, to);
  }

  // Every line of a text file joined by '|', or "error N".
  std::string Lines(const std::string& path) {
    std::unique_ptr<TextReader> reader;
    ErrorCode error = machine().OpenTextFile(path, &reader);
    if (error != kErrorSuccess) return "error " + std::to_string(error);
    std::string joined, line;
    for (bool first = true; (error = reader->ReadLine(&line)) == kErrorSuccess; first = false) {
      joined += (first ? "" : "|") + line;
    }
    return error == kErrorHandleEof ? joined : joined + "|error " + std::to_string(error);
  }

  // The names FindFiles gives, or "error N".
  Strings Names(const std::string& pattern) {
    std::vector<FindData> entries;
    const ErrorCode error = machine().FindFiles(pattern, &entries);
    if (error != kErrorSuccess) return {"error " + std::to_string(error)};
    Strings names;
    for (const FindData& entry : entries) names.push_back(entry.name);
    return names;
  }

  TempDir tmp;
  const std::string kit = tmp.path() + "/kit";

 private:
  std::unique_ptr<PrefixBuilder> prefix_;
  std::unique_ptr<Machine> machine_;
};

}  // namespace tpl::test
