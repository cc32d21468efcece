// The whole calculation, and the number writer alone, against the C library's
// "%.15g" on the same values.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/estimate.h"
#include "core/number_text.h"

namespace {

using namespace std::literals;

const std::array TEMPERATURE_TEXTS = {"20"sv, "15"sv,    "10"sv,  "25"sv,
                                      "30"sv, "12.75"sv, "5.5"sv, "-3"sv};

std::vector<double> EstimatesOfTheTexts() {
  std::vector<double> values;
  for (std::string_view text : TEMPERATURE_TEXTS) {
    values.push_back(EggPeriodEstimate(ReadNumber(text)));
  }
  return values;
}

void BM_OnCalculate(benchmark::State& state) {
  for (auto _ : state) {
    for (std::string_view text : TEMPERATURE_TEXTS) {
      benchmark::DoNotOptimize(OnCalculate(text));
    }
  }
  state.SetItemsProcessed(state.iterations() * TEMPERATURE_TEXTS.size());
}
BENCHMARK(BM_OnCalculate);

void BM_WriteNumber(benchmark::State& state) {
  const std::vector<double> values = EstimatesOfTheTexts();
  for (auto _ : state) {
    for (double value : values) {
      benchmark::DoNotOptimize(WriteNumber(value));
    }
  }
  state.SetItemsProcessed(state.iterations() * values.size());
}
BENCHMARK(BM_WriteNumber);

void BM_SnprintfG15(benchmark::State& state) {
  const std::vector<double> values = EstimatesOfTheTexts();
  std::array<char, 32> text;
  for (auto _ : state) {
    for (double value : values) {
      benchmark::DoNotOptimize(std::snprintf(text.data(), text.size(), "%.15g", value));
      benchmark::ClobberMemory();
    }
  }
  state.SetItemsProcessed(state.iterations() * values.size());
}
BENCHMARK(BM_SnprintfG15);

}  // namespace
