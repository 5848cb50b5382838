// The first window as a user meets it: from the start of a fresh process to the first paint of
// its window, for Serialix and for a bare Qt window of the same size, run alternately in the
// same run, and Serialix's start on the offscreen platform against its own target. The ratio is
// the median of each Serialix start over the bare start just before it: a machine that slows
// down for a while slows both of a pair, where the medians of each program taken apart can come
// from different moments. The X11 figures need a display (scripts/bench provides Xvfb).
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kRuns = 31;  // per program; odd, so the median is one of them

long long monotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Milliseconds from spawning the program to the first paint it reports, or nothing when it failed.
std::optional<double> firstPaintMs(const std::filesystem::path& program, const std::string& platform) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    if (std::string(*e).rfind("QT_QPA_PLATFORM=", 0) != 0) env.emplace_back(*e);
  }
  env.push_back("QT_QPA_PLATFORM=" + platform);
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  int out[2];
  if (pipe(out) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string path = program.string();
  char* argv[] = {path.data(), nullptr};
  pid_t pid = 0;
  const long long begin = monotonicNs();
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string reported;
  char buffer[256];
  for (ssize_t n; spawned == 0 && (n = read(out[0], buffer, sizeof buffer)) > 0;) reported.append(buffer, n);
  close(out[0]);
  int status = 0;
  if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
      reported.empty())
    return std::nullopt;
  return static_cast<double>(std::stoll(reported) - begin) / 1e6;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

bool ok = true;

// Ratios get a third decimal: a ratio at its target reads as the target at two.
void row(const char* what, double measured, const char* unit, const char* target, bool pass, int decimals = 2) {
  ok = ok && pass;
  std::printf("%-58s %9.*f %-3s %-10s %s\n", what, decimals, measured, unit, target, pass ? "pass" : "FAIL");
}

}  // namespace

int main() {
  const std::filesystem::path folder = std::filesystem::canonical("/proc/self/exe").parent_path();
  const auto serialix = folder / "serialix_window";
  const auto bare = folder / "bare_window";

  std::vector<double> offscreen, serialixX, bareX;
  bool failed = false;
  auto measure = [&failed](const std::filesystem::path& program, const std::string& platform,
                           std::vector<double>* into) {
    const auto ms = firstPaintMs(program, platform);
    if (!ms) {
      std::fprintf(stderr, "%s on %s did not report a first paint\n", program.c_str(), platform.c_str());
      failed = true;
    } else if (into) {
      into->push_back(*ms);
    }
  };

  // One start of each first, uncounted: the libraries come from the page cache as for a user
  // who has started any Qt program since booting.
  measure(serialix, "offscreen", nullptr);
  for (int i = 0; i < kRuns && !failed; ++i) measure(serialix, "offscreen", &offscreen);

  const bool display = std::getenv("DISPLAY") != nullptr;
  if (display) {
    measure(bare, "xcb", nullptr);
    measure(serialix, "xcb", nullptr);
    for (int i = 0; i < kRuns && !failed; ++i) {
      measure(bare, "xcb", &bareX);
      measure(serialix, "xcb", &serialixX);
    }
  }
  if (failed) return 1;

  std::printf("first window of a fresh process, median of %d processes each\n", kRuns);
  std::printf("%-58s %13s %-10s\n", "figure", "measured", "target");
  row("window start to first paint (offscreen)", median(offscreen), "ms", "< 200 ms", median(offscreen) < 200);
  if (!display) {
    std::printf("%-58s %13s %-10s FAIL\n", "first paint against a bare Qt window (X11)", "no display", "<= 1.3");
    return 1;
  }
  std::vector<double> ratios;
  for (std::size_t i = 0; i < serialixX.size() && i < bareX.size(); ++i) ratios.push_back(serialixX[i] / bareX[i]);
  const double ratio = median(ratios);
  row("Serialix, process start to first paint (X11)", median(serialixX), "ms", "peer", true);
  row("bare Qt window of the same size (X11, same run)", median(bareX), "ms", "peer", true);
  row("Serialix over the bare window (median of pairs)", ratio, "x", "<= 1.3", ratio <= 1.3, 3);
  std::printf("%-58s %9.3f %-3s %s\n", "  ratio of the two medians above", median(serialixX) / median(bareX), "x",
              "(for comparison)");
  return ok ? 0 : 1;
}
