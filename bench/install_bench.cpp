// Installing a large kit, timed against `cp -r` of the same source trees to
// the same destinations. The figure that matters is the counter "vs_cp": the
// install's time over cp's, best round against best round (target: at most
// 1.3). "cpu_vs_cp" compares the CPU time both used, which a busy machine
// disturbs less than the wall-clock time.
//
// The kit: 20,000 files of 1 to 64 KiB in item folders (some with an images
// sub-folder) spread over the eight kind folders FrontPage 2002 installs from,
// plus three files of 10 MiB. The install runs with its full log.
//
// Kit and prefix live in /dev/shm when there is one (and TMPDIR is not set),
// so the figure measures the two copiers rather than a shared disk's mood.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "install/copy_plan.h"
#include "bench_destinations.h"
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



double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Empties `folder`, keeping it (the destinations' parent must exist, as
// "C:\Program Files" would).
void EmptyFolder(const std::string& folder) {
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) fs::remove_all(entry);
}

// CPU seconds (user + system) used so far by this process or by its
// finished children.
double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Timing {
  double wall = 0;
  double cpu = 0;
};

Timing TimeInstall(WizardFixture& f, benchmark::State& state) {
  const double cpu = CpuSeconds(RUSAGE_SELF);
  const auto start = std::chrono::steady_clock::now();
  if (!f.wizard().InstallFiles()) state.SkipWithError("install failed");
  return {Seconds(std::chrono::steady_clock::now() - start), CpuSeconds(RUSAGE_SELF) - cpu};
}

Timing TimeCp(const std::string& command, benchmark::State& state) {
  const double cpu = CpuSeconds(RUSAGE_CHILDREN);
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
  return {Seconds(std::chrono::steady_clock::now() - start), CpuSeconds(RUSAGE_CHILDREN) - cpu};
}

// The machine is shared: the best of several rounds is the figure least
// disturbed by other work, so the ratios compare best with best.
void BM_InstallVersusCp(benchmark::State& state) {
  if (fs::is_directory("/dev/shm")) setenv("TMPDIR", "/dev/shm", /*overwrite=*/0);
  WizardFixture f;
  GenerateKit(f.kitDir);
  f.prefix.AddFolder("C:\\dest");
  const std::string destRoot = f.HostPath("C:\\dest");
  Timing bestInstall{1e9, 1e9}, bestCp{1e9, 1e9};
  int round = 0;

  for (auto _ : state) {
    // A fresh machine each round: its folder listings must not remember the
    // destinations removed behind its back.
    EmptyFolder(destRoot);
    f.Start();
    PointAtDestinations(f.wizard());
    const std::string cp = CpCommand(f);

    Timing install, copy;
    // Alternate which goes first, so neither always meets a busier system.
    for (int turn = 0; turn < 2; ++turn) {
      EmptyFolder(destRoot);
      if ((turn + round) % 2 == 0) {
        install = TimeInstall(f, state);
      } else {
        copy = TimeCp(cp, state);
      }
    }
    f.wizard().CloseLog();
    ++round;
    bestInstall = {std::min(bestInstall.wall, install.wall),
                   std::min(bestInstall.cpu, install.cpu)};
    bestCp = {std::min(bestCp.wall, copy.wall), std::min(bestCp.cpu, copy.cpu)};
    state.SetIterationTime(install.wall);
  }
  EmptyFolder(destRoot);
  state.counters["install_s"] = bestInstall.wall;
  state.counters["cp_s"] = bestCp.wall;
  state.counters["vs_cp"] = bestInstall.wall / bestCp.wall;
  state.counters["cpu_vs_cp"] = bestInstall.cpu / bestCp.cpu;
  state.counters["files"] = kSmallFiles + kBigFiles;
}

BENCHMARK(BM_InstallVersusCp)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tpl::test
