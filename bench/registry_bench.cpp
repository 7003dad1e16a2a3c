// Loading a large system.reg: a 5 MB file in Wine's own format, laid out as
// Wine writes it (key blocks with #time lines, wrapped hex data, escapes).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "machine/wineprefix/registry_file.h"

namespace {

constexpr size_t kTargetSize = 5u << 20;

std::string Hex2(unsigned value) {
  char text[4];
  std::snprintf(text, sizeof text, "%02x", value & 0xFF);
  return text;
}

// Binary data the way Wine wraps it: about 25 bytes a line, ",\" at the end.
std::string WrappedHex(const std::string& head, unsigned seed, int count) {
  std::string line = head;
  std::string out;
  for (int i = 0; i < count; ++i) {
    line += Hex2(seed * 31 + static_cast<unsigned>(i) * 7);
    if (i + 1 == count) break;
    line += ',';
    if (line.size() > 76) {
      out += line + "\\\n";
      line = "  ";
    }
  }
  return out + line + "\n";
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return text;
}

constexpr size_t kBlockFrame = sizeof "\n[] 1796587031\n#time=1dd85bbfb83a7f4\n" - 1;

std::string MakeSystemReg() {
  // Key blocks first, then written in the sorted order Wine saves them in.
  std::vector<std::pair<std::string, std::string>> blocks;
  size_t size = 0;
  for (unsigned n = 0; size < kTargetSize; ++n) {
    char guid[64];
    std::snprintf(guid, sizeof guid, "{%08X-%04X-11D0-9A4B-00AA00%06X}", n * 2654435761u,
                  n & 0xFFFF, n);
    std::string key = "Software\\\\Classes\\\\CLSID\\\\" + std::string(guid) + "\\\\InprocServer32";
    std::string body = "@=\"C:\\\\windows\\\\system32\\\\component" + std::to_string(n) +
                       ".dll\"\n\"ThreadingModel\"=\"Both\"\n";
    size += key.size() + body.size() + kBlockFrame;
    blocks.emplace_back(std::move(key), std::move(body));
    if (n % 3 == 0) {
      key = "Software\\\\Vendor\\\\Product " + std::to_string(n) + "\\\\Caf\\xe9";
      body = "\"InstallPath\"=str(2):\"%ProgramFiles%\\\\Vendor\\\\\\x20ac " + std::to_string(n) +
             "\"\n\"Version\"=dword:" + Hex2(n) + "0000" + Hex2(n >> 8) +
             "\n\"Names\"=str(7):\"first\\0second\\0\"\n" + WrappedHex("\"Settings\"=hex:", n, 60);
      size += key.size() + body.size() + kBlockFrame;
      blocks.emplace_back(std::move(key), std::move(body));
    }
  }
  std::sort(blocks.begin(), blocks.end(),
            [](const auto& a, const auto& b) { return Lower(a.first) < Lower(b.first); });
  std::string text =
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n";
  text.reserve(size + 4096);
  for (const auto& [key, body] : blocks) {
    text += "\n[" + key + "] 1796587031\n#time=1dd85bbfb83a7f4\n" + body;
  }
  return text;
}

// The generated file, written to a temp folder and read back once.
const std::string& SystemRegBytes() {
  static const std::string bytes = [] {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "tplsetup_registry_bench";
    fs::create_directories(folder);
    const fs::path file = folder / "system.reg";
    std::ofstream(file, std::ios::binary) << MakeSystemReg();
    std::ifstream in(file, std::ios::binary);
    std::string read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return read;
  }();
  return bytes;
}

void BM_ParseWineSystemReg5MB(benchmark::State& state) {
  const std::string& bytes = SystemRegBytes();
  size_t keys = 0;
  for (auto _ : state) {
    std::string warning;
    auto file = std::make_unique<tpl::RegistryFile>(
        tpl::RegistryFile::Parse(bytes, tpl::RegRoot::kLocalMachine, &warning));
    keys = file->keyCount();
    benchmark::DoNotOptimize(keys);
    // The index lives as long as the machine: its teardown is no part of loading.
    state.PauseTiming();
    file.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
  state.counters["keys"] = static_cast<double>(keys);
  state.counters["MB"] = static_cast<double>(bytes.size()) / (1 << 20);
}
BENCHMARK(BM_ParseWineSystemReg5MB)->Unit(benchmark::kMillisecond);

}  // namespace
