#pragma once

#include <QString>

namespace serialix {

// Starting another program and finding files, behind an interface so tests see what would start.
class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // Starts the program as a separate process and returns at once; false when it cannot start.
  virtual bool start(const QString& program) = 0;
  // The first regular, non-hidden file matching a path whose last part may hold * and ?
  // (case-insensitively, "\" read as a folder separator); empty when there is none.
  virtual QString findFile(const QString& pattern) = 0;
  // The full path of an executable of that name on the PATH; empty when there is none.
  virtual QString findExecutable(const QString& name) = 0;
};

// QProcess::startDetached and the file system.
class SystemProgramLauncher : public ProgramLauncher {
 public:
  bool start(const QString& program) override;
  QString findFile(const QString& pattern) override;
  QString findExecutable(const QString& name) override;
};

}  // namespace serialix
