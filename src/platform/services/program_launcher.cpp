#include "platform/services/program_launcher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

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

}  // namespace serialix
