// Export throughput: the result list written through the export writer (atomic replace,
// progress checks) to a file on tmpfs, so the figure is the writer's, not a disk's. Both kinds
// of file are measured next to dd writing as many bytes to the same folder in the same run:
// on a shared machine absolute rates swing between runs, the ratio does not.
#include <sys/vfs.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/result_list.h"
#include "export/list_export.h"
#include "worked_example.h"

namespace {

using namespace serialix;

constexpr double kTargetBytesPerSecond = 1e9;
constexpr double kTargetShareOfDd = 0.70;
constexpr int kRounds = 3;
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

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Wall-clock seconds of one export, the code page 932 one with its character check (negative
// on failure).
double ExportSeconds(const ResultList& list, const QString& path, ExportFormat format) {
  DialogExportProgress progress(nullptr);  // the same per-chunk check the program makes
  const auto start = std::chrono::steady_clock::now();
  QString error;
  const WriteOutcome outcome = WriteResultList(list, path, format, &progress, &error);
  const double seconds = SecondsSince(start);
  QFile::remove(path);
  if (outcome != WriteOutcome::Written) {
    std::fprintf(stderr, "export failed: %s\n", error.toLocal8Bit().constData());
    return -1;
  }
  return seconds;
}

// dd if=/dev/zero bs=1M writing exactly `bytes` to path (negative on failure).
double DdSeconds(std::uint64_t bytes, const QString& path) {
  const std::string command = "dd if=/dev/zero of='" + QFile::encodeName(path).toStdString() +
                              "' bs=1M iflag=count_bytes count=" + std::to_string(bytes) + " status=none";
  const auto start = std::chrono::steady_clock::now();
  const int status = std::system(command.c_str());
  const double seconds = SecondsSince(start);
  const qint64 written = QFileInfo(path).size();
  QFile::remove(path);
  if (status != 0 || static_cast<std::uint64_t>(written) != bytes) {
    std::fprintf(stderr, "dd failed (status %d, %lld bytes)\n", status, static_cast<long long>(written));
    return -1;
  }
  return seconds;
}

struct Best {
  double seconds = -1;
  void take(double s) {
    if (seconds < 0 || s < seconds) seconds = s;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString folder = TmpfsFolder();
  if (folder.isEmpty()) {
    std::printf("no tmpfs at /dev/shm or /tmp: export figures not measured\n");
    return 0;
  }
  const ResultList list = BenchList();
  const std::uint64_t cp932Bytes = list.textBytes(LineEnd::CrLf);
  const std::uint64_t utf8Bytes = list.textBytes(LineEnd::Lf);
  QTemporaryDir dir(folder + "/serialix-export-XXXXXX");
  const QString path = dir.filePath("List.txt");

  // Rounds interleave the writers, so a burst of load elsewhere hits each of them alike.
  Best cp932, utf8, ddCp932, ddUtf8;
  for (int round = 0; round < kRounds; ++round) {
    const double a = ExportSeconds(list, path, ExportFormat::Cp932CrLf);
    const double b = DdSeconds(cp932Bytes, path);
    const double c = ExportSeconds(list, path, ExportFormat::Utf8Lf);
    const double d = DdSeconds(utf8Bytes, path);
    if (a < 0 || b < 0 || c < 0 || d < 0) return 1;
    cp932.take(a), ddCp932.take(b), utf8.take(c), ddUtf8.take(d);
  }

  std::printf("Export of %" PRIu64 " lines to %s, best of %d: code page 932 %" PRIu64 " bytes, UTF-8 %" PRIu64
              " bytes\n",
              list.size(), folder.toLocal8Bit().constData(), kRounds, cp932Bytes, utf8Bytes);
  std::printf("%-44s %-22s %-16s %s\n", "figure", "measured", "target", "result");
  bool ok = true;
  char text[64];
  auto rate = [&](const char* what, std::uint64_t bytes, double seconds, bool withTarget) {
    const double r = static_cast<double>(bytes) / seconds;
    std::snprintf(text, sizeof text, "%.2f GB/s (%.2f s)", r / 1e9, seconds);
    const bool pass = r >= kTargetBytesPerSecond;
    if (withTarget) ok = ok && pass;
    std::printf("%-44s %-22s %-16s %s\n", what, text, withTarget ? ">= 1 GB/s" : "(peer)",
                withTarget ? (pass ? "pass" : "FAIL") : "");
    return r;
  };
  auto share = [&](const char* what, double ours, double dd) {
    const double ratio = ours / dd;
    const bool pass = ratio >= kTargetShareOfDd;
    ok = ok && pass;
    std::snprintf(text, sizeof text, "%.0f %%", ratio * 100);
    std::printf("%-44s %-22s %-16s %s\n", what, text, ">= 70 %", pass ? "pass" : "FAIL");
  };
  const double cp932Rate = rate("export, code page 932 CR LF (checked)", cp932Bytes, cp932.seconds, true);
  const double ddCp932Rate = rate("  dd if=/dev/zero bs=1M, same bytes", cp932Bytes, ddCp932.seconds, false);
  share("  code page 932 export / dd", cp932Rate, ddCp932Rate);
  const double utf8Rate = rate("export, UTF-8 LF", utf8Bytes, utf8.seconds, true);
  const double ddUtf8Rate = rate("  dd if=/dev/zero bs=1M, same bytes", utf8Bytes, ddUtf8.seconds, false);
  share("  UTF-8 export / dd", utf8Rate, ddUtf8Rate);
  return ok ? 0 : 1;
}
