// Parses a 1000-pigeon basketing, checking and archive printout and writes its file, as pressing
// "Cancelar" and then "Grabar Archivo" does on a full clock. Run: build/bin/bench_listings
#include <benchmark/benchmark.h>

#include <cstdio>

#include "archive_list_parser.h"
#include "contest_file.h"
#include "contest_list_parser.h"
#include "pigeon_file.h"
#include "printouts.h"
#include "temp_folder.h"

namespace kvt {
namespace {

// The demo printout's head and its first pigeon line repeated for 1000 pigeons.
CaptureText fullClock(const std::string& name) {
  const std::vector<std::string> demo = testing::printedLines(name);
  const std::size_t head = name == "archive" ? 14 : 21;
  const std::string pigeon = demo[head].substr(4);
  std::vector<std::string> lines(demo.begin(), demo.begin() + head);
  for (int i = 0; i < 1000; ++i) {
    char order[8];
    std::snprintf(order, sizeof order, " %-3d", i % 999 + 1);
    lines.push_back(order + pigeon);
  }
  return CaptureText(std::move(lines));
}

void ContestList(benchmark::State& state, ListKind kind, const char* name) {
  const CaptureText capture = fullClock(name);
  const testing::TempFolder root;
  for (auto _ : state) {
    ContestListing listing = parseContestList(capture, kind);
    const WrittenFile file = GrabaConcurso({std::move(listing.header),
                                            std::move(listing.rows),
                                            "12",
                                            "345",
                                            root.path().string(),
                                            {2009, 5, 14}});
    if (!file.ok || file.pigeonLines != 1000) state.SkipWithError(file.error.c_str());
  }
}

void ArchiveList(benchmark::State& state) {
  const CaptureText capture = fullClock("archive");
  const testing::TempFolder root;
  for (auto _ : state) {
    ArchiveListing listing = parseArchiveList(capture);
    const WrittenFile file = GrabaPalomas(
        {std::move(listing.header), std::move(listing.rows), root.path().string(), {2009, 5, 14}});
    if (!file.ok || file.pigeonLines != 1000) state.SkipWithError(file.error.c_str());
  }
}

void ParseOnly(benchmark::State& state, ListKind kind, const char* name) {
  const CaptureText capture = fullClock(name);
  for (auto _ : state) {
    if (kind == ListKind::Archive) {
      benchmark::DoNotOptimize(parseArchiveList(capture));
    } else {
      benchmark::DoNotOptimize(parseContestList(capture, kind));
    }
  }
}

BENCHMARK_CAPTURE(ContestList, basketing, ListKind::Basketing, "basketing")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ContestList, checking, ListKind::Checking, "checking")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ArchiveList)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseOnly, basketing, ListKind::Basketing, "basketing")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseOnly, checking, ListKind::Checking, "checking")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseOnly, archive, ListKind::Archive, "archive")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvt

BENCHMARK_MAIN();
