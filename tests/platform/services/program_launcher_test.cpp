#include "platform/services/program_launcher.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace serialix {
namespace {

TEST(SystemProgramLauncher, FindsOnlyNormalFilesCaseInsensitivelyAndReportsAFailedStart) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("folder.exe");
  for (const char* name : {"msinfo32.exe", ".hidden.exe"}) QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
  SystemProgramLauncher launcher;
  const QString folder = QDir::toNativeSeparators(dir.path());
  EXPECT_EQ(launcher.findFile(folder + "\\MSINFO32.EXE"), dir.filePath("msinfo32.exe"));
  for (const char* absent : {"/.hidden.exe", "/folder.exe", "/missing.exe", "/"}) {
    EXPECT_EQ(launcher.findFile(folder + absent), "") << absent;
  }
  EXPECT_FALSE(launcher.start(""));
  EXPECT_FALSE(launcher.start(dir.filePath("msinfo32.exe")));  // not executable
  EXPECT_TRUE(launcher.start("/bin/true"));
}

}  // namespace
}  // namespace serialix
