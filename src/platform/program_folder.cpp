#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace serialix {

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }

bool FolderIsWritable(const QString& folder) {
  const QFileInfo info(folder);
  if (folder.isEmpty() || !info.isDir()) return false;
  // Permission bits do not tell about read-only mounts or ACLs; a real file does.
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".serialix-probe-XXXXXX")));
  return probe.open();
}

}  // namespace serialix
