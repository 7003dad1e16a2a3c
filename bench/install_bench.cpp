// Installing a large kit, timed against `cp -r` of the same source trees to
// the same destinations. The figure that matters is the counter "vs_cp": the
// install's time over cp's (target: at most 1.3).
//
// The kit: 20,000 files of 1 to 64 KiB in item folders (some with an images
// sub-folder) spread over the eight kind folders FrontPage 2002 installs from,
// plus three files of 10 MiB. The install runs with its full log.
//
// Kit and prefix live in /dev/shm when there is one (and TMPDIR is not set),
// so the figure measures the two copiers rather than a shared disk's mood.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "install/copy_plan.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;

constexpr int kSmallFiles = 20000;
constexpr int kFilesPerItem = 50;
constexpr int kImagesPerItem = 10;  // of an item's files, in its images sub-folder
constexpr int kBigFiles = 3;
constexpr size_t kBigFileSize = 10u << 20;
const char* const kKindFolders[] = {"fp2000/themes", "common/themes", "fp2000/pages",
                                    "common/pages",  "fp2000/webs",   "common/webs",
                                    "fp2000/frames", "common/frames"};

// xorshift: the same kit on every run.
uint64_t NextRandom(uint64_t& state) {
  state ^= state << 13;
  state ^= state >> 7;
  state ^= state << 17;
  return state;
}

void WriteBytes(const std::string& path, size_t size, uint64_t& random) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i + 8 <= size; i += 8) {
    const uint64_t value = NextRandom(random);
    for (int b = 0; b < 8; ++b) bytes[i + b] = static_cast<char>(value >> (8 * b));
  }
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
}

void GenerateKit(const std::string& kitDir) {
  uint64_t random = 0x9E3779B97F4A7C15ull;
  const int kinds = static_cast<int>(std::size(kKindFolders));
  for (int n = 0; n < kSmallFiles; ++n) {
    const int item = n / kFilesPerItem;
    const int inItem = n % kFilesPerItem;
    std::string folder = kitDir + "/" + kKindFolders[item % kinds] + "/item" + std::to_string(item);
    if (inItem >= kFilesPerItem - kImagesPerItem) folder += "/images";
    if (inItem == 0 || inItem == kFilesPerItem - kImagesPerItem) fs::create_directories(folder);
    const size_t size = 1024 + NextRandom(random) % (63 * 1024 + 1);
    WriteBytes(folder + "/file" + std::to_string(inItem) + ".htm", size, random);
  }
  const std::string big = kitDir + "/common/themes/big";
  fs::create_directories(big);
  for (int n = 0; n < kBigFiles; ++n) {
    WriteBytes(big + "/backdrop" + std::to_string(n) + ".jpg", kBigFileSize, random);
  }
}

void PointAtDestinations(CWizardDlg& wizard) {
  wizard.m_nHostVersion = kFP2002;
  wizard.m_bFoundFP2003 = false;
  wizard.m_strKitVersionFolder = "fp2000";
  wizard.m_strThemesDir = "C:\\dest\\Common Files\\Microsoft Shared\\themes";
  wizard.m_strPagesDir = "C:\\dest\\Office\\templates\\1033\\pages";
  wizard.m_strWebsDir = "C:\\dest\\Office\\templates\\1033\\webs";
  wizard.m_strFramesDir = "C:\\dest\\Office\\templates\\1033\\frames";
  wizard.m_bLogEnabled = true;
  wizard.OpenLog();
}

// One shell command that copies every row's source tree like the install
// does: missing destination folders made, existing files overwritten.
std::string CpCommand(WizardFixture& f) {
  std::string script;
  for (const CopyPlanRow& row : CopyPlanFor(f.wizard())) {
    std::string source = row.source;
    for (char& c : source)
      if (c == '\\') c = '/';
    const std::string dest = f.HostPath(row.destination);
    script +=
        "mkdir -p '" + dest + "' && cp -r '" + f.kitDir + "/" + source + "/.' '" + dest + "' && ";
  }
  return script + "true";
}

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Empties `folder`, keeping it (the destinations' parent must exist, as
// "C:\Program Files" would).
void EmptyFolder(const std::string& folder) {
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) fs::remove_all(entry);
}

void BM_InstallVersusCp(benchmark::State& state) {
  if (fs::is_directory("/dev/shm")) setenv("TMPDIR", "/dev/shm", /*overwrite=*/0);
  WizardFixture f;
  GenerateKit(f.kitDir);
  f.prefix.AddFolder("C:\\dest");
  const std::string destRoot = f.HostPath("C:\\dest");
  double installTotal = 0, cpTotal = 0;
  int round = 0;

  for (auto _ : state) {
    // A fresh machine each round: its folder listings must not remember the
    // destinations removed behind its back.
    EmptyFolder(destRoot);
    f.Start();
    PointAtDestinations(f.wizard());
    const std::string cp = CpCommand(f);

    double install = 0, copy = 0;
    // Alternate which goes first, so neither always meets a busier disk.
    for (int turn = 0; turn < 2; ++turn) {
      EmptyFolder(destRoot);
      const auto start = std::chrono::steady_clock::now();
      if ((turn + round) % 2 == 0) {
        if (!f.wizard().InstallFiles()) state.SkipWithError("install failed");
        install = Seconds(std::chrono::steady_clock::now() - start);
      } else {
        if (std::system(cp.c_str()) != 0) state.SkipWithError("cp failed");
        copy = Seconds(std::chrono::steady_clock::now() - start);
      }
    }
    f.wizard().CloseLog();
    ++round;
    installTotal += install;
    cpTotal += copy;
    state.SetIterationTime(install);
  }
  EmptyFolder(destRoot);
  state.counters["cp_s"] = cpTotal / round;
  state.counters["install_s"] = installTotal / round;
  state.counters["vs_cp"] = cpTotal > 0 ? installTotal / cpTotal : 0;
  state.counters["files"] = kSmallFiles + kBigFiles;
}

BENCHMARK(BM_InstallVersusCp)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tpl::test
