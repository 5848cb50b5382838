#include "platform/services/program_folder.h"

#include <QCoreApplication>
#include <QFile>

#include "platform/files/folder_writable.h"

namespace serialix {

QString ProgramFolder() {
  return QCoreApplication::applicationDirPath();
}

bool FolderIsWritable(const QString& folder) {
  return FolderIsWritable(std::filesystem::path(QFile::encodeName(folder).toStdString()));
}

}  // namespace serialix
