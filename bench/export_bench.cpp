// Export throughput: the result list written through the export writer (atomic replace,
// progress checks) to a file on tmpfs, so the figure is the writer's, not a disk's. Each kind of
// file is measured next to dd writing as many bytes to the same folder in the same run: on a
// shared machine absolute rates swing between runs, the ratios much less. Each write of ours runs in a fresh process
// (one write each, so no page or allocator warmed by an earlier round helps) and is timed from within, from the
// export's start to its end; dd's time is the one dd reports, from its first read to its last write, so neither
// side counts a process start. In each round dd writes just before and just after the export, and each of the two
// is a share of its own: a stretch in which the machine writes slowly slows both sides of a share, and one slow
// write moves one share. (A share of the mean of the two dd writes would favour the export: writes here now and
// then take twice as long or more, and when one write of a round's three is slow, it is a dd write two times in
// three.) The rates are the medians of the rounds; the share is the median of the shares.
#include <sys/vfs.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/result_list.h"
#include "export/list_export.h"
#include "worked_example.h"

namespace {

using namespace serialix;

constexpr double kTargetBytesPerSecond = 1e9;
constexpr double kTargetShareOfDd = 0.95;
constexpr int kRounds = 31;
constexpr long kTmpfsMagic = 0x01021994;

// "http://pics/a/01/01~<L>.mpg" with L 0..39999999: 4*10^7 lines, about 1.3 GB.
ResultList BenchList() {
  const AddressTemplate t = bench::WorkedExample(39'999'999);
  ResultList list;
  list.append(AddressRun(t));
  return list;
}

QString TmpfsFolder() {
  for (const char* folder : {"/dev/shm", "/tmp"}) {
    struct statfs info {};
    if (statfs(folder, &info) == 0 && static_cast<long>(info.f_type) == kTmpfsMagic) return folder;
  }
  return {};
}

// The seconds `write` reports for one write, or negative when it failed or left a file of another
// size than `bytes`. The file is removed afterwards.
double CheckedWrite(const QString& path, std::uint64_t bytes, const std::function<double()>& write) {
  const double seconds = write();
  const qint64 written = QFileInfo(path).size();
  QFile::remove(path);
  if (seconds < 0 || static_cast<std::uint64_t>(written) != bytes) {
    std::fprintf(stderr, "%s: %lld bytes written, %" PRIu64 " expected\n", path.toLocal8Bit().constData(),
                 static_cast<long long>(written), bytes);
    return -1;
  }
  return seconds;
}

// Seconds of one call of `write`, or negative when it failed.
double Timed(const std::function<bool()>& write) {
  const auto start = std::chrono::steady_clock::now();
  const bool ok = write();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return ok ? seconds : -1;
}

// The export as the program runs it, with the same per-chunk progress check.
bool Export(const ResultList& list, const QString& path, ExportFormat format) {
  DialogExportProgress progress(nullptr);
  const ExportResult result = WriteResultList(list, path, format, &progress);
  if (result.outcome == WriteOutcome::Written) return true;
  std::fprintf(stderr, "export failed: %s\n", result.error.message().c_str());
  return false;
}

// dd if=/dev/zero bs=1M writing exactly `bytes` to path: the seconds it reports for the copy
// ("... bytes copied, 0.25 s, ..."), or negative when it failed.
double Dd(std::uint64_t bytes, const QString& path) {
  const std::string command = "LC_ALL=C dd if=/dev/zero of='" + QFile::encodeName(path).toStdString() +
                              "' bs=1M iflag=count_bytes count=" + std::to_string(bytes) + " 2>&1";
  FILE* dd = ::popen(command.c_str(), "r");
  if (dd == nullptr) return -1;
  double seconds = -1;
  char line[256];
  while (std::fgets(line, sizeof line, dd) != nullptr) {
    if (const char* copied = std::strstr(line, " copied, ")) std::sscanf(copied, " copied, %lf s", &seconds);
  }
  return ::pclose(dd) == 0 ? seconds : -1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Figures {
  std::vector<double> exported, dd, shares;
};

// One export in a fresh process of this program: seconds, or negative when it failed.
double ExportInChild(int kind, const QString& path) {
  const std::string command = "'/proc/" + std::to_string(::getpid()) + "/exe' --write " + std::to_string(kind) + " '" +
                              QFile::encodeName(path).toStdString() + "'";
  FILE* child = ::popen(command.c_str(), "r");
  if (child == nullptr) return -1;
  double seconds = -1;
  if (std::fscanf(child, "%lf", &seconds) != 1) seconds = -1;
  if (::pclose(child) != 0) seconds = -1;
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  constexpr ExportFormat kFormats[] = {ExportFormat::Cp932CrLf, ExportFormat::Utf8Lf};
  constexpr LineEnd kLineEnds[] = {LineEnd::CrLf, LineEnd::Lf};
  if (argc == 4 && std::string(argv[1]) == "--write") {
    const int kind = std::atoi(argv[2]);
    const ResultList list = BenchList();
    const QString path = QFile::decodeName(argv[3]);
    const std::uint64_t bytes = list.textBytes(kLineEnds[kind]);
    const double seconds =
        CheckedWrite(path, bytes, [&] { return Timed([&] { return Export(list, path, kFormats[kind]); }); });
    std::printf("%.6f\n", seconds);
    return seconds < 0 ? 1 : 0;
  }
  const QString folder = TmpfsFolder();
  if (folder.isEmpty()) {
    std::printf("no tmpfs at /dev/shm or /tmp: export figures not measured\n");
    return 0;
  }
  const ResultList list = BenchList();
  QTemporaryDir dir(folder + "/serialix-export-XXXXXX");
  const QString path = dir.filePath("List.txt");

  struct Kind {
    const char* name;
    std::uint64_t bytes;
    Figures figures;
  } kinds[] = {
      {"code page 932 CR LF (checked)", list.textBytes(kLineEnds[0]), {}},
      {"UTF-8 LF", list.textBytes(kLineEnds[1]), {}},
  };
  for (int round = 0; round < kRounds; ++round) {
    for (int k = 0; k < 2; ++k) {
      Kind& kind = kinds[k];
      const auto ddWrite = [&] { return CheckedWrite(path, kind.bytes, [&] { return Dd(kind.bytes, path); }); };
      const double ddBefore = ddWrite();
      const double exported = ExportInChild(k, path);
      const double ddAfter = ddWrite();
      if (exported < 0 || ddBefore < 0 || ddAfter < 0) return 1;
      kind.figures.exported.push_back(exported);
      kind.figures.dd.push_back(ddBefore);
      kind.figures.dd.push_back(ddAfter);
      kind.figures.shares.push_back(ddBefore / exported);
      kind.figures.shares.push_back(ddAfter / exported);
    }
  }

  std::printf("Export of %" PRIu64 " lines to %s, %d rounds, one write per process\n", list.size(),
              folder.toLocal8Bit().constData(), kRounds);
  std::printf("%-46s %-22s %-16s %s\n", "figure", "measured", "target", "result");
  bool ok = true;
  char text[64];
  auto row = [&](const std::string& what, const char* measured, const char* target, int pass) {
    std::printf("%-46s %-22s %-16s %s\n", what.c_str(), measured, target, pass < 0 ? "" : pass ? "pass" : "FAIL");
    if (pass == 0) ok = false;
  };
  for (const Kind& kind : kinds) {
    const double exported = Median(kind.figures.exported);
    const double dd = Median(kind.figures.dd);
    const double rate = static_cast<double>(kind.bytes) / exported;
    std::snprintf(text, sizeof text, "%.2f GB/s (%.3f s)", rate / 1e9, exported);
    row(std::string("export, ") + kind.name, text, ">= 1 GB/s", rate >= kTargetBytesPerSecond);
    std::snprintf(text, sizeof text, "%.2f GB/s (%.3f s)", static_cast<double>(kind.bytes) / dd / 1e9, dd);
    row("  dd if=/dev/zero bs=1M, same bytes", text, "(peer)", -1);
    const double share = Median(kind.figures.shares);
    const auto [lowest, highest] = std::minmax_element(kind.figures.shares.begin(), kind.figures.shares.end());
    std::snprintf(text, sizeof text, "%.1f %% (%.0f-%.0f)", share * 100, *lowest * 100, *highest * 100);
    row("  export / dd, median of 2 shares a round", text, ">= 95 %", share >= kTargetShareOfDd);
  }
  return ok ? 0 : 1;
}
