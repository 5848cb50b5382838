// Generation core figures: sequential rate against GNU seq -f on identical output, random
// access, and the cost of holding a thousand-million-address run.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/address_run.h"
#include "core/address_template.h"
#include "core/result_list.h"
#include "worked_example.h"

namespace {

using namespace serialix;
using namespace std::string_literals;

constexpr std::uint64_t kSequentialCount = 100000000;

// The worked example ("pics", letter a, G two-digit with the link, K "~", extension mpg)
// with L widened to 0..99999999 in plain style: 10^8 addresses.
AddressTemplate SequentialTemplate() {
  return bench::WorkedExample(static_cast<std::int32_t>(kSequentialCount - 1));
}

const char kSequentialDescription[] = "http://pics/a/01/01~<L>.mpg, L 0..99999999 plain (G 1..1 two-digit, link on)";

// Three counters over 0..999: a thousand million addresses.
AddressTemplate BillionTemplate() {
  AddressTemplate t = SequentialTemplate();
  t.counterLink = false;
  t.G = Counter{true, 0, 999, FillStyle::ThreeDigit};
  t.J = Counter{true, 0, 999, FillStyle::TwoDigit};
  t.L = Counter{true, 0, 999, FillStyle::Plain};
  return t;
}

// A chunking-independent 64-bit digest and byte count, to show that two streams are identical.
class StreamDigest {
 public:
  void update(const char* data, std::size_t size) {
    bytes_ += size;
    while (size > 0 && pendingSize_ != 0) {
      pending_[pendingSize_++] = *data++;
      --size;
      if (pendingSize_ == 8) {
        mix(load(pending_));
        pendingSize_ = 0;
      }
    }
    for (; size >= 8; size -= 8, data += 8) {
      mix(load(data));
    }
    while (size > 0) {
      pending_[pendingSize_++] = *data++;
      --size;
    }
  }
  std::uint64_t bytes() const { return bytes_; }
  std::uint64_t value() const {
    std::uint64_t h = hash_;
    for (std::size_t i = 0; i < pendingSize_; ++i) {
      h = (h ^ static_cast<unsigned char>(pending_[i])) * 0x100000001b3ULL;
    }
    return h ^ bytes_;
  }

 private:
  static std::uint64_t load(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
  }
  void mix(std::uint64_t w) {
    hash_ ^= w;
    hash_ = (hash_ << 23 | hash_ >> 41) * 0x9E3779B97F4A7C15ULL;
  }
  std::uint64_t hash_ = 0xcbf29ce484222325ULL;
  std::uint64_t bytes_ = 0;
  char pending_[8] = {};
  std::size_t pendingSize_ = 0;
};

struct Figures {
  double ourRate = 0;  // addresses per second
  double ourSeconds = 0;
  double seqSeconds = 0;
  bool seqRan = false;
  bool identical = false;
  double randomNs = 0;
  double listOutNs = 0;
  long rssGrowthBytes = -1;
  std::uint64_t ourBytes = 0, seqBytes = 0;
};
Figures figures;

void BM_Sequential(benchmark::State& state) {
  const AddressRun run(SequentialTemplate());
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    run.writeLines(0, run.size(), [&](std::string_view chunk) {
      benchmark::DoNotOptimize(chunk.data());
      bytes += chunk.size();
      return true;
    });
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * run.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  figures.ourBytes = bytes;
}

// GNU seq -f writing the very same lines (a literal CR before its newline), read here through a pipe.
void BM_SeqF(benchmark::State& state) {
  const std::string command =
      "LC_ALL=C seq -f 'http://pics/a/01/01~%.0f.mpg\r' 0 " + std::to_string(kSequentialCount - 1);
  std::vector<char> buffer(1 << 20);
  for (auto _ : state) {
    StreamDigest digest;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
      state.SkipWithError("cannot start seq");
      return;
    }
    std::size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
      digest.update(buffer.data(), got);
    }
    if (pclose(pipe) != 0) {
      state.SkipWithError("seq failed");
      return;
    }
    state.PauseTiming();
    // Our own stream for the same addresses, digested the same way (not timed).
    StreamDigest ours;
    AddressRun(SequentialTemplate()).writeLines(0, kSequentialCount, [&](std::string_view chunk) {
      ours.update(chunk.data(), chunk.size());
      return true;
    });
    figures.identical = ours.bytes() == digest.bytes() && ours.value() == digest.value();
    figures.seqBytes = digest.bytes();
    figures.seqRan = true;
    state.ResumeTiming();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kSequentialCount));
}

void BM_RandomAccess(benchmark::State& state) {
  const AddressRun run(BillionTemplate());
  std::uint64_t x = 0x2545F4914F6CDD1DULL;
  for (auto _ : state) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    benchmark::DoNotOptimize(run.at(x % run.size()));
  }
}

// The core side of one run command: read the texts, freeze the template, append the run.
void BM_ListOutCore(benchmark::State& state) {
  TemplateInput input;
  input.B = "pics"s;
  input.C = "/"s;
  input.G = CounterInput{true, "0", "999", FillStyle::Plain};
  input.J = CounterInput{true, "0", "999", FillStyle::Plain};
  input.L = CounterInput{true, "0", "999", FillStyle::Plain};
  ResultList list;
  for (auto _ : state) {
    auto tmpl = std::get<AddressTemplate>(ReadTemplate(input));
    if (!list.append(AddressRun(std::move(tmpl)))) {
      list.clear();
    }
  }
}

long ResidentBytes() {
  long size = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &size, &resident) != 2) {
      resident = 0;
    }
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

class Capture : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
      const std::string name = run.benchmark_name();
      if (name.rfind("BM_Sequential", 0) == 0) {
        figures.ourSeconds = seconds;
        figures.ourRate = static_cast<double>(kSequentialCount) / seconds;
      } else if (name.rfind("BM_SeqF", 0) == 0) {
        figures.seqSeconds = seconds;
      } else if (name.rfind("BM_RandomAccess", 0) == 0) {
        figures.randomNs = seconds * 1e9;
      } else if (name.rfind("BM_ListOutCore", 0) == 0) {
        figures.listOutNs = seconds * 1e9;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

const char* Verdict(bool pass) {
  return pass ? "pass" : "FAIL";
}

}  // namespace

int main(int argc, char** argv) {
  // Memory first, before the benchmarks' buffers come and go; one run made and dropped before
  // measuring, so first-use costs (heap set-up, code pages) do not count.
  {
    {
      ResultList warm;
      warm.append(AddressRun(BillionTemplate()));
      benchmark::DoNotOptimize(warm.at(0));
      benchmark::DoNotOptimize(ResidentBytes());
    }
    const long before = ResidentBytes();
    ResultList list;
    list.append(AddressRun(BillionTemplate()));
    const long after = ResidentBytes();
    benchmark::DoNotOptimize(list.size());
    figures.rssGrowthBytes = after - before;
  }

  benchmark::RegisterBenchmark("BM_Sequential", BM_Sequential)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_SeqF", BM_SeqF)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
  benchmark::RegisterBenchmark("BM_RandomAccess", BM_RandomAccess)->UseRealTime();
  benchmark::RegisterBenchmark("BM_ListOutCore", BM_ListOutCore)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  Capture reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\nSequential template: %s\n", kSequentialDescription);
  std::printf("Output: %" PRIu64 " bytes; seq -f output %" PRIu64 " bytes, %s\n\n", figures.ourBytes, figures.seqBytes,
              figures.seqRan ? (figures.identical ? "byte-identical (digest and length)" : "DIFFERENT") : "not run");
  std::printf("%-44s %-22s %-16s %s\n", "figure", "measured", "target", "result");
  bool ok = true;
  auto row = [&ok](const char* what, const std::string& measured, const char* target, bool pass) {
    ok = ok && pass;
    std::printf("%-44s %-22s %-16s %s\n", what, measured.c_str(), target, Verdict(pass));
  };
  char text[64];
  if (figures.ourRate > 0) {
    std::snprintf(text, sizeof text, "%.0f M/s", figures.ourRate / 1e6);
    row("sequential generation, 10^8 addresses", text, ">= 100 M/s", figures.ourRate >= 100e6);
  }
  if (figures.seqRan && figures.ourSeconds > 0) {
    const double ratio = figures.seqSeconds / figures.ourSeconds;
    std::snprintf(text, sizeof text, "%.1fx (seq %.2f s)", ratio, figures.seqSeconds);
    row("same lines vs GNU seq -f (through a pipe)", text, ">= 20x", ratio >= 20 && figures.identical);
  }
  if (figures.randomNs > 0) {
    std::snprintf(text, sizeof text, "%.0f ns", figures.randomNs);
    row("address at a random position (10^9 run)", text, "< 1 us", figures.randomNs < 1000);
  }
  if (figures.listOutNs > 0) {
    std::snprintf(text, sizeof text, "%.2f us", figures.listOutNs / 1e3);
    row("read + append a 10^9-address run", text, "< 10 ms", figures.listOutNs < 10e6);
  }
  std::snprintf(text, sizeof text, "%ld bytes", figures.rssGrowthBytes);
  row("RSS growth holding a 10^9-address run", text, "< 1 MiB", figures.rssGrowthBytes < (1 << 20));
  return ok ? 0 : 1;
}
