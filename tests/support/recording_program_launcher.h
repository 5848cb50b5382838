#pragma once

#include <QString>
#include <vector>

#include "platform/services/program_launcher.h"

namespace serialix {

// Starts nothing, records what it was asked.
class RecordingProgramLauncher : public ProgramLauncher {
 public:
  std::vector<QString> startable;    // start() succeeds only for these paths
  std::vector<QString> files;        // findFile() finds exactly these paths
  std::vector<QString> executables;  // findExecutable() finds paths ending in "/" + name
  std::vector<QString> started, searched, looked;

  bool start(const QString& program) override;
  QString findFile(const QString& pattern) override;
  QString findExecutable(const QString& name) override;
};

}  // namespace serialix
