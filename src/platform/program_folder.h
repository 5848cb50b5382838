#pragma once

#include <QString>

namespace serialix {

// The folder the running program was started from.
QString ProgramFolder();

// True when a new file can be created in the folder (checked by creating and removing one).
bool FolderIsWritable(const QString& folder);

}  // namespace serialix
