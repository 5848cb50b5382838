#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/files.h"

namespace serialix::testing {

struct ProgramResult {
  int status = -1;
  std::string out, err;
};

// Runs a bash script with the given standard input; collects the status and both outputs.
inline ProgramResult RunShell(const std::string& script, const std::string& input = "") {
  // A folder of its own (mkdtemp): a test's TemporaryFolder may hold the files under test.
  std::string folder = (std::filesystem::temp_directory_path() / "serialix-run-XXXXXX").string();
  if (::mkdtemp(folder.data()) == nullptr) return {};
  const auto path = [&folder](const char* name) { return folder + "/" + name; };
  PutFileBytes(path("script"), script);
  PutFileBytes(path("in"), input);
  const std::string line = "bash " + path("script") + " <" + path("in") + " >" + path("out") + " 2>" + path("err");
  const int status = std::system(line.c_str());
  ProgramResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, FileBytes(path("out")), FileBytes(path("err"))};
  std::filesystem::remove_all(folder);
  return result;
}

// A text as one single-quoted shell word.
inline std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace serialix::testing
