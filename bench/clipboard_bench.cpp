// "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ" on 10^7 rows as a user meets it: the click, then another program pasting the
// list. Under X11 (xcb) the paste is `xclip -o` in a child process; on other platforms the
// clipboard's bytes are read in this process. Peak and kept memory are compared with the text.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "mainwindow/frm_main.h"
#include "platform/services/message_box.h"
#include "platform/widgets/virtual_list_box.h"
#include "support/scripted_message_box.h"
#include "worked_example.h"

namespace {

using serialix::frmMain;

constexpr std::int32_t kRows = 10'000'000;
constexpr int kRounds = 3;

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM").
std::uint64_t statusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stoull(line.substr(field.size() + 1)) * 1024;
  }
  return 0;
}

// Starts a new peak: VmHWM falls back to the present resident size.
void resetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

// The longest stretch during which the event loop did not run, while it is watched.
class BlockWatch : public QObject {
 public:
  BlockWatch() {
    timer_.setInterval(1);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
  }
  void start() {
    longest_ = 0;
    clock_.start();
    timer_.start();
  }
  // Counts the stretch up to now as well: a synchronous call before the loop runs again.
  double stop() {
    tick();
    timer_.stop();
    return static_cast<double>(longest_) / 1e6;
  }

 private:
  void tick() {
    longest_ = std::max(longest_, clock_.nsecsElapsed());
    clock_.restart();
  }
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 longest_ = 0;
};

// Bytes another program receives when it pastes.
std::uint64_t paste() {
  const QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
  if (QGuiApplication::platformName() != QLatin1String("xcb") || xclip.isEmpty()) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data ? static_cast<std::uint64_t>(data->data(QStringLiteral("text/plain")).size()) : 0;
  }
  // The bytes are counted by wc, so none of them are kept here; this process only serves them.
  QProcess shell;
  QEventLoop loop;
  QObject::connect(&shell, &QProcess::finished, &loop, &QEventLoop::quit);
  shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("xclip -o -selection clipboard | wc -c")});
  loop.exec();
  return shell.readAllStandardOutput().trimmed().toULongLong();
}

struct Round {
  double copyMs;   // the click
  double pasteMs;  // longest stretch without events while the other program pastes
  double wholeMs;  // the whole paste, from its start to the last byte counted
  double peak;     // highest resident size above the start, over the text size
  double kept;     // resident size above the start while the list is on the clipboard
  std::uint64_t pasted;
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  serialix::ScriptedMessageBox messages;
  serialix::frmMainServices services;
  services.messages = &messages;
  services.settingsFile = std::filesystem::path(dir.path().toStdString()) / "set.ini";
  services.exportDir = dir.path();
  frmMain window(services);
  window.show();
  auto* list = window.findChild<serialix::VirtualListBox*>(QStringLiteral("List1"));
  list->appendRun(serialix::AddressRun(serialix::bench::WorkedExample(kRows - 1)));
  auto* cmdCrip = window.findChild<QPushButton*>(QStringLiteral("cmdCrip"));
  const std::uint64_t textBytes = list->rows().textBytes(serialix::LineEnd::CrLf);
  const double text = static_cast<double>(textBytes);

  std::vector<Round> rounds;
  BlockWatch watch;
  for (int i = 0; i < kRounds; ++i) {
    QGuiApplication::clipboard()->clear();
    QCoreApplication::processEvents();
    const double before = static_cast<double>(statusBytes("VmRSS"));
    resetPeak();
    Round r{};
    watch.start();
    cmdCrip->click();
    r.copyMs = watch.stop();
    QCoreApplication::processEvents();
    r.kept = (static_cast<double>(statusBytes("VmRSS")) - before) / text;
    watch.start();
    QElapsedTimer whole;
    whole.start();
    r.pasted = paste();
    r.wholeMs = static_cast<double>(whole.nsecsElapsed()) / 1e6;
    r.pasteMs = watch.stop();
    r.peak = (static_cast<double>(statusBytes("VmHWM")) - before) / text;
    rounds.push_back(r);
  }

  std::vector<double> copy, pasteBlock, wholePaste, peak, kept;
  bool whole = true;
  for (const Round& r : rounds) {
    copy.push_back(r.copyMs), pasteBlock.push_back(r.pasteMs), peak.push_back(r.peak), kept.push_back(r.kept);
    wholePaste.push_back(r.wholeMs);
    whole = whole && r.pasted == textBytes;
  }
  const double worstPeak = *std::max_element(peak.begin(), peak.end());
  const double worstKept = *std::max_element(kept.begin(), kept.end());
  bool ok = true;
  auto row = [&ok](const char* what, const std::string& measured, const char* target, bool pass) {
    ok = ok && pass;
    std::printf("%-56s %-16s %-12s %s\n", what, measured.c_str(), target, pass ? "pass" : "FAIL");
  };
  auto fmt = [](const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return std::string(buffer);
  };
  std::printf("clipboard copy of %d rows, %.1f MB of text (CR LF), %s, median of %d rounds\n", kRows, text / 1e6,
              qPrintable(QGuiApplication::platformName()), kRounds);
  std::printf("%-56s %-16s %-12s %s\n", "figure", "measured", "target", "");
  row("click on \"ｸﾘｯﾌﾟﾎﾞｰﾄﾞ\" (window blocked)", fmt("%.1f ms", median(copy)), "< 150 ms", median(copy) < 150);
  row("longest block while another program pastes", fmt("%.1f ms", median(pasteBlock)), "< 150 ms",
      median(pasteBlock) < 150);
  std::printf("%-56s %-16s %-12s\n", "the whole paste (for reference)", fmt("%.0f ms", median(wholePaste)).c_str(), "");
  row("peak memory above the start, over the text (worst)", fmt("%.2f x", worstPeak), "<= 1.3 x", worstPeak <= 1.3);
  row("memory kept while on the clipboard, over the text", fmt("%.2f x", worstKept), "<= 1.0 x", worstKept <= 1.0);
  row("bytes pasted equal the text", fmt("%.0f", static_cast<double>(rounds.back().pasted)), "= text", whole);
  return ok ? 0 : 1;
}
