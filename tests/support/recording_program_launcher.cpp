#include "support/recording_program_launcher.h"

#include <algorithm>

namespace serialix {

bool RecordingProgramLauncher::start(const QString& program) {
  started.push_back(program);
  return std::find(startable.begin(), startable.end(), program) != startable.end();
}

QString RecordingProgramLauncher::findFile(const QString& pattern) {
  searched.push_back(pattern);
  return std::find(files.begin(), files.end(), pattern) != files.end() ? pattern : QString();
}

QString RecordingProgramLauncher::findExecutable(const QString& name) {
  looked.push_back(name);
  for (const QString& path : executables) {
    if (path.endsWith(u'/' + name)) return path;
  }
  return {};
}

}  // namespace serialix
