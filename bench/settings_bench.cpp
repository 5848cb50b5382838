// set.ini at its largest, measured as a user meets it: each figure is the median of several fresh
// processes that start the window once (construction to its first paint) and, for the close
// figure, close it once. One process per sample, so no cache, allocator or page warmed by an
// earlier round helps. Exits non-zero when a figure misses its target.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "mainwindow/frm_main.h"
#include "support/scripted_message_box.h"

namespace {

constexpr int kSamples = 5;

// Notes the first paint of the window.
class FirstPaint : public QObject {
 public:
  bool seen = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) seen = true;
    return false;
  }
};

// Processor time of this process so far (user and system), in ms.
double cpuMs() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
  };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The child: starts the window on `ini` and prints the wall and processor time of the start and
// of the close, in ms (-1 for a close not asked for).
int measureOnce(int argc, char** argv, const char* ini, bool close) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  serialix::ScriptedMessageBox messages;
  serialix::frmMainServices services;
  services.messages = &messages;
  services.settingsFile = ini;
  services.exportDir = QDir::tempPath();

  QElapsedTimer clock;
  clock.start();
  const double cpuBegin = cpuMs();
  serialix::frmMain window(services);
  FirstPaint paint;
  window.installEventFilter(&paint);
  window.show();
  while (!paint.seen) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  const double startMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  const double startCpu = cpuMs() - cpuBegin;
  double closeMs = -1, closeCpu = -1;
  if (close) {
    clock.restart();
    const double closeBegin = cpuMs();
    window.close();
    closeMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    closeCpu = cpuMs() - closeBegin;
  }
  std::printf("%.3f %.3f %.3f %.3f\n", startMs, startCpu, closeMs, closeCpu);
  return messages.shown.empty() ? 0 : 2;  // a message would mean the file was not read or written
}

struct Sample {
  double start = -1, startCpu = -1, close = -1, closeCpu = -1;
};

// One fresh process of this program measuring one start (and close).
Sample runChild(const std::string& ini, bool close) {
  const std::string command =
      "'/proc/" + std::to_string(::getpid()) + "/exe' " + (close ? "--start-close '" : "--start '") + ini + "'";
  Sample sample;
  FILE* child = ::popen(command.c_str(), "r");
  if (child == nullptr) return sample;
  if (std::fscanf(child, "%lf %lf %lf %lf", &sample.start, &sample.startCpu, &sample.close, &sample.closeCpu) != 4)
    sample = {};
  if (::pclose(child) != 0) sample = {};
  return sample;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

// A million history entries, about 36 MB: hosts, symbols and extensions, some Japanese.
void writeManyEntries(const std::filesystem::path& ini) {
  std::ofstream out(ini, std::ios::binary);
  const char* sections[] = {"[URL]", "[\x8B\x4C\x8D\x86]", "[\x8A\x67\x92\xA3\x8E\x71]"};  // 記号, 拡張子
  const char* prefixes[] = {"cmbB.List", "cmbk.List", "cmbN.List"};
  const int counts[] = {800000, 100000, 100000};
  for (int list = 0; list < 3; ++list) {
    out << sections[list] << "\r\n";
    for (int i = 0; i < counts[list]; ++i) {
      out << prefixes[list] << i << '=';
      if (i % 10 == 0)
        out << "\x93\xFA\x96\x7B" << i << ".example.jp";  // 日本
      else
        out << "www" << i << ".example.com";
      out << "\r\n";
    }
  }
}

void writeHugeValue(const std::filesystem::path& ini) {
  std::ofstream out(ini, std::ios::binary);
  out << "[URL]\r\ncmbB.List0=" << std::string(100u << 20, 'h') << "\r\ncmbB.List1=www.example.jp\r\n";
}

// The wall time decides; the processor time tells how much of it was waiting on a busy machine.
bool report(const char* figure, const std::vector<Sample>& samples, double Sample::*wall, double Sample::*cpu,
            double targetMs) {
  std::vector<double> walls, cpus;
  for (const Sample& s : samples) {
    if (s.*wall < 0) continue;
    walls.push_back(s.*wall);
    cpus.push_back(s.*cpu);
  }
  const double ms = median(walls);
  const bool pass = ms >= 0 && ms < targetMs && walls.size() == kSamples;
  std::printf("%-52s %9.1f ms < %5.0f ms %s  processor %7.1f ms  (wall:", figure, ms, targetMs, pass ? "pass" : "FAIL",
              median(cpus));
  for (double s : walls) std::printf(" %.0f", s);
  std::printf(")\n");
  return pass;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && (std::string(argv[1]) == "--start" || std::string(argv[1]) == "--start-close"))
    return measureOnce(argc, argv, argv[2], std::string(argv[1]) == "--start-close");

  QTemporaryDir dir;
  const std::filesystem::path many = std::filesystem::path(dir.path().toStdString()) / "many.ini";
  const std::filesystem::path huge = std::filesystem::path(dir.path().toStdString()) / "huge.ini";
  writeManyEntries(many);
  writeHugeValue(huge);

  std::vector<Sample> manySamples, hugeSamples;
  for (int i = 0; i < kSamples; ++i) {
    manySamples.push_back(runChild(many.string(), true));
    hugeSamples.push_back(runChild(huge.string(), false));
  }
  std::printf("median of %d fresh processes, one start (and close) each\n", kSamples);
  bool pass =
      report("window start, 10^6 history entries in set.ini", manySamples, &Sample::start, &Sample::startCpu, 2000);
  pass &=
      report("window close (saving them), 10^6 history entries", manySamples, &Sample::close, &Sample::closeCpu, 2000);
  pass &=
      report("window start, one 100 MB history value in set.ini", hugeSamples, &Sample::start, &Sample::startCpu, 1000);
  return pass ? 0 : 1;
}
