// The contract suite's fixture: each test runs against every machine that
// can run here, on a prefix written by PrefixBuilder and a kit folder that
// is the machine's current folder.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "machine/machine.h"
#include "machine/wineprefix/wine_prefix_machine.h"
#include "support/prefix_builder.h"
#include "support/temp_dir.h"

namespace tpl::test {

class MachineContract : public ::testing::Test {
 protected:
  MachineContract() { UsePrefix(PrefixOptions()); }

  // Starts again with a prefix of other options (before machine() is used).
  void UsePrefix(const PrefixOptions& options) {
    machine_.reset();
    prefix_ = std::make_unique<PrefixBuilder>(tmp.path() + "/prefix", options);
    kit = tmp.path() + "/kit";
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

  // Every line of a text file joined by '|', or "error N".
  std::string Lines(const std::string& path) {
    std::unique_ptr<TextReader> reader;
    ErrorCode error = machine().OpenTextFile(path, &reader);
    if (error != kErrorSuccess) return "error " + std::to_string(error);
    std::string joined, line;
    bool first = true;
    while ((error = reader->ReadLine(&line)) == kErrorSuccess) {
      joined += (first ? "" : "|") + line;
      first = false;
    }
    if (error != kErrorHandleEof) joined += "|error " + std::to_string(error);
    return joined;
  }

  // The names FindFiles gives, or "error N".
  std::vector<std::string> Names(const std::string& pattern) {
    std::vector<FindData> entries;
    const ErrorCode error = machine().FindFiles(pattern, &entries);
    if (error != kErrorSuccess) return {"error " + std::to_string(error)};
    std::vector<std::string> names;
    for (const FindData& entry : entries) names.push_back(entry.name);
    return names;
  }

  TempDir tmp;
  std::string kit;

 private:
  std::unique_ptr<PrefixBuilder> prefix_;
  std::unique_ptr<Machine> machine_;
};

}  // namespace tpl::test
