// Listing a large kit: 2,000 themes and 2,000 page templates in "common".
// FindKitItems runs twice per round, as the wizard does when a folder is
// searched again: the second search must recognise every item already
// listed, which is where a list compared item by item grows quadratic.
#include <benchmark/benchmark.h>

#include <string>

#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

constexpr int kItems = 2000;

void BM_FindKitItemsTwice(benchmark::State& state) {
  WizardFixture f;
  for (int i = 0; i < kItems; ++i) {
    f.KitFolder("common/Themes/T" + std::to_string(i));
    f.KitFolder("common/Pages/P" + std::to_string(i));
  }
  f.Start();
  for (auto _ : state) {
    f.wizard().EmptyKitLists();
    if (!f.wizard().FindKitItems("common") || !f.wizard().FindKitItems("common")) {
      state.SkipWithError("FindKitItems failed");
    }
  }
  // A benchmark of a wrong result measures nothing.
  if (f.wizard().m_arrThemes.size() != kItems || f.wizard().m_arrPages.size() != kItems) {
    state.SkipWithError("the kit's items were not each listed once");
  }
  state.counters["items"] = 2 * kItems;
}

BENCHMARK(BM_FindKitItemsTwice)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tpl::test
