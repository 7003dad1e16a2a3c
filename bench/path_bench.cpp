// Path resolution in a Wine prefix: 10,000 mixed-case paths resolved with a
// cold directory cache (a new machine) and a warm one; and copying a whole
// tree through the machine against `cp -r`.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "machine/wineprefix/directory_cache.h"
#include "machine/wineprefix/path_resolver.h"
#include "machine/wineprefix/wine_prefix_machine.h"
#include "support/prefix_builder.h"
#include "support/temp_dir.h"

namespace tpl {
namespace {

constexpr int kFolders = 20, kSubfolders = 10, kFiles = 50;  // 10,000 files

struct Tree {
  test::TempDir tmp;
  std::string prefix;
  std::vector<std::string> exactPaths;  // Windows paths as on disk
  std::vector<std::string> mixedPaths;  // the same, in random case

  Tree() : prefix(tmp.path() + "/prefix") {
    test::PrefixBuilder builder(prefix, test::PrefixOptions{false, "bench", false});
    std::mt19937 random(42);
    const std::string content(2048, 'x');
    for (int f = 0; f < kFolders; ++f) {
      for (int s = 0; s < kSubfolders; ++s) {
        for (int n = 0; n < kFiles; ++n) {
          const std::string path = "C:\\Kit\\Folder" + std::to_string(f) + "\\Sub" +
                                   std::to_string(s) + "\\File" + std::to_string(n) + ".txt";
          builder.AddFile(path, content);
          exactPaths.push_back(path);
          std::string mixed = path;
          for (char& c : mixed) {
            if (std::isalpha(static_cast<unsigned char>(c)) && random() % 2) {
              c = static_cast<char>(std::isupper(static_cast<unsigned char>(c))
                                        ? std::tolower(static_cast<unsigned char>(c))
                                        : std::toupper(static_cast<unsigned char>(c)));
            }
          }
          mixedPaths.push_back(mixed);
        }
      }
    }
    builder.Write();
  }
};

Tree& SharedTree() {
  static Tree tree;
  return tree;
}

void ResolveAll(PathResolver& resolver, const std::vector<std::string>& paths,
                benchmark::State& state) {
  ResolvedPath resolved;
  for (const std::string& path : paths) {
    if (resolver.Resolve(path, PathResolver::Purpose::kLookUp, &resolved) != kErrorSuccess || !resolved.exists) {
      state.SkipWithError("a path did not resolve");
      return;
    }
    benchmark::DoNotOptimize(resolved.unixPath.data());
  }
}

void BM_ResolveMixedCaseCold(benchmark::State& state) {
  Tree& tree = SharedTree();
  for (auto _ : state) {
    DirectoryCache cache;
    PathResolver resolver(tree.prefix, "/", cache);
    ResolveAll(resolver, tree.mixedPaths, state);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(tree.mixedPaths.size()));
}
BENCHMARK(BM_ResolveMixedCaseCold)->Unit(benchmark::kMillisecond);

void BM_ResolveMixedCaseWarm(benchmark::State& state) {
  Tree& tree = SharedTree();
  DirectoryCache cache;
  PathResolver resolver(tree.prefix, "/", cache);
  ResolveAll(resolver, tree.mixedPaths, state);
  for (auto _ : state) ResolveAll(resolver, tree.mixedPaths, state);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(tree.mixedPaths.size()));
}
BENCHMARK(BM_ResolveMixedCaseWarm)->Unit(benchmark::kMillisecond);

void BM_ResolveExactSpellingWarm(benchmark::State& state) {
  Tree& tree = SharedTree();
  DirectoryCache cache;
  PathResolver resolver(tree.prefix, "/", cache);
  ResolveAll(resolver, tree.exactPaths, state);
  for (auto _ : state) ResolveAll(resolver, tree.exactPaths, state);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(tree.exactPaths.size()));
}
BENCHMARK(BM_ResolveExactSpellingWarm)->Unit(benchmark::kMillisecond);

void RemoveCopy(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

// The whole tree through the machine, as the install walks it: one search
// per folder, one MakeDirectory per folder, one copy per file.
void CopyTree(Machine& machine, const std::string& from, const std::string& to,
              benchmark::State& state) {
  std::vector<FindData> entries;
  if (machine.MakeDirectory(to) != kErrorSuccess) state.SkipWithError("MakeDirectory failed");
  if (machine.FindFiles(from + "\\*.*", &entries) != kErrorSuccess) return;
  for (const FindData& entry : entries) {
    if (entry.name == "." || entry.name == "..") continue;
    if (entry.directory) {
      CopyTree(machine, from + "\\" + entry.name, to + "\\" + entry.name, state);
    } else if (machine.CopyFileOver(from + "\\" + entry.name, to + "\\" + entry.name) !=
               kErrorSuccess) {
      state.SkipWithError("CopyFileOver failed");
    }
  }
}

void BM_CopyTreeThroughMachine(benchmark::State& state) {
  Tree& tree = SharedTree();
  const std::string target = tree.prefix + "/drive_c/Copy";
  for (auto _ : state) {
    state.PauseTiming();
    RemoveCopy(target);
    auto machine = MakeWinePrefixMachine({tree.prefix, "/", "bench"});
    state.ResumeTiming();
    CopyTree(*machine, "C:\\Kit", "C:\\Copy", state);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(tree.exactPaths.size()));
  RemoveCopy(target);
}
BENCHMARK(BM_CopyTreeThroughMachine)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CopyTreeWithCpR(benchmark::State& state) {
  Tree& tree = SharedTree();
  const std::string target = tree.prefix + "/drive_c/Copy";
  const std::string command = "cp -r '" + tree.prefix + "/drive_c/Kit' '" + target + "'";
  for (auto _ : state) {
    state.PauseTiming();
    RemoveCopy(target);
    state.ResumeTiming();
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp -r failed");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(tree.exactPaths.size()));
  RemoveCopy(target);
}
BENCHMARK(BM_CopyTreeWithCpR)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tpl
