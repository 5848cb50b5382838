#include "platform/services/program_launcher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

namespace serialix {

bool SystemProgramLauncher::start(const QString& program) {
  if (program.isEmpty()) return false;
  return QProcess::startDetached(program, {});
}

QString SystemProgramLauncher::findFile(const QString& pattern) {
  QString path = pattern;
  path.replace(u'\\', u'/');
  const qsizetype slash = path.lastIndexOf(u'/');
  const QString folder = slash < 0 ? QStringLiteral(".") : path.left(slash + 1);
  const QString name = path.mid(slash + 1);
  if (name.isEmpty()) return {};
  // Without QDir::CaseSensitive the name filter matches case-insensitively, as the search
  // on the systems this lookup comes from does; hidden and system files are not "normal".
  const QFileInfoList found = QDir(folder).entryInfoList({name}, QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
  return found.isEmpty() ? QString() : found.front().absoluteFilePath();
}

QString SystemProgramLauncher::findExecutable(const QString& name) {
  return QStandardPaths::findExecutable(name);
}

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
