#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/files/codepage932.h"
#include "support/files.h"

extern char** environ;

namespace serialix::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// True once the process has its handler for `signal` (its SigCgt mask in /proc has the bit).
bool Catches(pid_t pid, int signal) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("SigCgt:")) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
  }
  return false;
}

// The program, copied into a folder of its own (its set.ini lives beside it), ended by a signal
// while it shows its window: the histories are saved as at a normal close, and the process ends
// by that signal.
TEST(Termination, SignalSavesTheSettingsAsACloseDoes) {
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
    SCOPED_TRACE(strsignal(signal));
    TemporaryFolder folder;
    const fs::path program = folder.path() / "serialix";
    fs::copy_file(SERIALIX_PROGRAM, program);
    const fs::path ini = folder.path() / "set.ini";
    PutFileBytes(ini, Utf8ToCp932("[URL]\r\ncmbB.List0=ホスト\r\ncmbB.List2=stray\r\n"));

    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    pid_t pid = 0;
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ), 0);
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!Catches(pid, signal) && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(Catches(pid, signal));
    ::kill(pid, signal);

    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(10ms);
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      FAIL() << "the program did not end";
    }
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    const std::string saved = Cp932ToUtf8(FileBytes(ini));
    EXPECT_TRUE(saved.starts_with("[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=")) << saved;
    EXPECT_TRUE(saved.ends_with("\r\n[URL]\r\ncmbB.List0=ホスト\r\n")) << saved;
    EXPECT_EQ(saved.find("stray"), std::string::npos) << saved;
  }
}

}  // namespace
}  // namespace serialix::testing
