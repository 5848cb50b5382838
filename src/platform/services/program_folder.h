#pragma once

#include <QString>

namespace serialix {

// The folder the running program was started from.
QString ProgramFolder();

// The folder form of the one writability rule (platform/files/folder_writable.h), which the
// settings location uses too.
bool FolderIsWritable(const QString& folder);

}  // namespace serialix
