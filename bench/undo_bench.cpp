// The undo's costs, timed against the shell doing the same to the same
// files. "vs_cp": a reinstall over a kit already in place (every file
// replaced, each old one kept as a backup, all of it recorded) against
// `cp -r` over the same files. "vs_rm": uninstalling a fresh installation
// (every file's digest read, then removed) against `rm -r` of the same
// folders (target: at most 2.5).
//
// The kit: 5,000 files of 1 to 16 KiB for FrontPage 2002, in /dev/shm when
// there is one (and TMPDIR is not set).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "install/copy_plan.h"
#include "record/uninstall.h"
#include "bench_destinations.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 5000;
constexpr int kFilesPerItem = 25;

void MakeKit(const std::string& kitDir) {
  for (const char* kind : {"themes", "pages", "webs", "frames"}) {
    fs::create_directories(kitDir + "/fp2000/" + kind);
    fs::create_directories(kitDir + "/common/" + kind);
  }
  unsigned state = 12345;
  for (int n = 0; n < kFiles; ++n) {
    const int item = n / kFilesPerItem;
    const std::string folder =
        kitDir + (item % 2 ? "/common/themes/t" : "/fp2000/pages/p") + std::to_string(item);
    if (n % kFilesPerItem == 0) fs::create_directories(folder);
    state = state * 1103515245u + 12345u;
    std::string bytes(1024 + state % (15 * 1024), static_cast<char>('a' + n % 26));
    std::ofstream(folder + "/f" + std::to_string(n) + ".htm", std::ios::binary) << bytes;
  }
}



double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double TimeShell(const std::string& command, benchmark::State& state) {
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) state.SkipWithError("shell command failed");
  return Seconds(start);
}

struct Machine2002 {
  Machine2002() {
    if (fs::is_directory("/dev/shm")) setenv("TMPDIR", "/dev/shm", /*overwrite=*/0);
    MakeKit(f.kitDir);
    f.prefix.AddFrontPage(kFP2002, "C:\\dest\\Office\\Office10");
    f.prefix.SetString(RegRoot::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                       "CommonFilesDir", "C:\\dest\\Common Files");
    f.prefix.AddFolder("C:\\dest\\Common Files");
  }
  // A fresh machine whose destinations hold nothing of the kit (and no record).
  void Reset() {
    fs::remove_all(f.HostPath("C:\\dest\\Common Files\\Microsoft Shared"));
    fs::remove_all(f.HostPath("C:\\dest\\Common Files\\tplsetup"));
    fs::remove_all(f.HostPath("C:\\dest\\Office\\templates"));
    f.Start();
    PointAtDestinations(f.wizard());
    f.wizard().m_strKitKey = "kit";
  }
  std::string Destinations() {
    return "'" + f.HostPath("C:\\dest\\Common Files\\Microsoft Shared") + "' '" +
           f.HostPath("C:\\dest\\Office\\templates") + "'";
  }
  WizardFixture f;
};

void BM_ReinstallVersusCp(benchmark::State& state) {
  Machine2002 m;
  double bestInstall = 1e9, bestCp = 1e9;
  for (auto _ : state) {
    m.Reset();
    const std::string cp = CpCommand(m.f);
    TimeShell(cp, state);  // the kit in place, put there by someone else
    const auto start = std::chrono::steady_clock::now();
    if (!m.f.wizard().InstallFiles()) state.SkipWithError("install failed");
    const double install = Seconds(start);
    m.f.wizard().CloseLog();
    bestInstall = std::min(bestInstall, install);
    bestCp = std::min(bestCp, TimeShell(cp, state));  // cp over the same files
    state.SetIterationTime(install);
  }
  state.counters["reinstall_s"] = bestInstall;
  state.counters["cp_s"] = bestCp;
  state.counters["vs_cp"] = bestInstall / bestCp;
}

void BM_UninstallVersusRm(benchmark::State& state) {
  Machine2002 m;
  double bestUninstall = 1e9, bestRm = 1e9;
  for (auto _ : state) {
    m.Reset();
    if (!m.f.wizard().InstallFiles()) state.SkipWithError("install failed");
    m.f.wizard().CloseLog();
    UninstallRequest request;
    request.key = "kit";
    std::ostringstream out, err;
    const auto start = std::chrono::steady_clock::now();
    if (Uninstall(m.f.machine(), m.f.ui, request, out, err) != 0) {
      state.SkipWithError(("uninstall failed: " + err.str()).c_str());
    }
    const double uninstall = Seconds(start);
    bestUninstall = std::min(bestUninstall, uninstall);
    state.SetIterationTime(uninstall);

    m.Reset();
    TimeShell(CpCommand(m.f), state);
    m.f.wizard().CloseLog();
    bestRm = std::min(bestRm, TimeShell("rm -r " + m.Destinations(), state));
  }
  state.counters["uninstall_s"] = bestUninstall;
  state.counters["rm_s"] = bestRm;
  state.counters["vs_rm"] = bestUninstall / bestRm;
}

BENCHMARK(BM_ReinstallVersusCp)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UninstallVersusRm)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tpl::test
