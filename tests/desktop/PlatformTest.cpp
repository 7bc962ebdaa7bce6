// The Qt platform's services: settings with the path rule, files and folders, the command line
// the system reads, and quitting.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include "desktop/LaunchCommandLine.h"
#include "desktop/QtPlatform.h"
#include "support/TempDir.h"

namespace varp::qt {
namespace {

using test::TempDir;

QtPlatform MakePlatform() {
    return QtPlatform({"/usr/bin/varp"}, "/home/user");
}

TEST(QtPlatformSettings, ArePathsStoredWithSlashesAndReadWithBackslashesOrTheFallback) {
    QtPlatform platform = MakePlatform();
    platform.WriteProfileString("Project", "BaseDir", "D:\\quake2\\baseq2");
    platform.WriteProfileString("Project", "CurFile", "/home/user/q2/models/x/tris.md2");

    QSettings settings("Ombrick", "Zozuz05");
    EXPECT_EQ(settings.value("Project/BaseDir").toString(), "D:/quake2/baseq2");
    EXPECT_EQ(settings.value("Project/CurFile").toString(), "/home/user/q2/models/x/tris.md2");
    EXPECT_EQ(platform.GetProfileString("Project", "BaseDir", "Unknown"), "D:\\quake2\\baseq2");
    EXPECT_EQ(platform.GetProfileString("Project", "CurFile", "Unknown"),
              "\\home\\user\\q2\\models\\x\\tris.md2");
    // A missing value gives the fallback unchanged.
    EXPECT_EQ(platform.GetProfileString("Project", "NoSuchValue", "Unknown"), "Unknown");
    EXPECT_EQ(platform.GetProfileString("Elsewhere", "BaseDir", "a/b"), "a/b");
}

TEST(QtPlatformSettings, FileLivesUnderTheConfigFolderAndReadsTheDemoPreset) {
    const QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    const QString file = config + "/Ombrick/Zozuz05.conf";
    EXPECT_EQ(QSettings("Ombrick", "Zozuz05").fileName(), file);

    // The form the demo run writes: a quoted value, which may hold commas.
    QSettings("Ombrick", "Zozuz05").clear();
    QDir().mkpath(config + "/Ombrick");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write("[Project]\nBaseDir=\"/tmp/demo, copy/base\"\nCurFile=/tmp/a,b.md2\n");
    out.close();

    QtPlatform platform = MakePlatform();
    EXPECT_EQ(platform.GetProfileString("Project", "BaseDir", "Unknown"),
              "\\tmp\\demo, copy\\base");
    // An unquoted comma, as someone may write by hand.
    EXPECT_EQ(platform.GetProfileString("Project", "CurFile", "Unknown"), "\\tmp\\a,b.md2");
}

TEST(QtPlatformFiles, TakeEitherSeparatorAndHandBackTheSystemForm) {
    TempDir dir;
    dir.Write("models/x/Tris.MD2", {1, 2, 3});
    dir.Write("models/x/skin.PCX", {0});
    dir.Write("models/x/b.pcx", {0});
    dir.Write("models/x/notes.txt", {0});
    QtPlatform platform = MakePlatform();

    const std::string systemDir = dir.SystemPath();
    int cause = -1;
    auto file = platform.OpenFile(systemDir + "\\models\\x\\Tris.MD2", FileMode::Read, &cause);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(cause, CauseNone);
    EXPECT_EQ(file->FullPath(), systemDir + "\\models\\x\\Tris.MD2");
    EXPECT_EQ(file->Length(), 3);
    EXPECT_EQ(platform.OpenFile(systemDir + "\\models\\none.md2", FileMode::Read, &cause), nullptr);
    EXPECT_EQ(cause, CauseFileNotFound);

    const QString before = QDir::currentPath();
    EXPECT_EQ(platform.ChangeDirectory(systemDir + "\\models\\x"), 0);
    EXPECT_EQ(platform.ListPcxFiles(), (std::vector<std::string>{"b.pcx", "skin.PCX"}));
    EXPECT_EQ(platform.ChangeDirectory(systemDir + "\\models\\missing"), -1);
    EXPECT_EQ(platform.ChangeDirectory(""), -1);
    QDir::setCurrent(before);
}

TEST(LaunchCommandLine, QuotesArgumentsWithSpacesAndMakesPathsAbsolute) {
    EXPECT_EQ(BuildCommandLine({"/usr/bin/varp"}, "/home/user"), "/usr/bin/varp");
    EXPECT_EQ(BuildCommandLine({"/usr/bin/varp", "-md2", "/q2/models/x/tris.md2"}, "/home/user"),
              "/usr/bin/varp -md2 \\q2\\models\\x\\tris.md2");
    // The platform hands the same line to the system.
    EXPECT_EQ(QtPlatform({"/usr/bin/varp", "-md2", "models/a b/tris.md2"}, "/q2").CommandLine(),
              "/usr/bin/varp -md2 \"\\q2\\models\\a b\\tris.md2\"");
    EXPECT_EQ(BuildCommandLine({"./varp", "-md2", "my model/tris.md2", "skin.pcx"}, "/home/u"),
              "./varp -md2 \"\\home\\u\\my model\\tris.md2\" \\home\\u\\skin.pcx");
    // A launch folder with a trailing slash (the root) gives no doubled separator.
    EXPECT_EQ(BuildCommandLine({"varp", "-md2", "a.md2"}, "/"), "varp -md2 \\a.md2");
    // Arguments before "-md2" are not paths of the system's and stay as they are.
    EXPECT_EQ(BuildCommandLine({"/opt/my tools/varp", "x y", "-md2"}, "/home/u"),
              "\"/opt/my tools/varp\" \"x y\" -md2");
}

TEST(QtPlatformQuit, QuitAskedBeforeTheLoopEndsItOnceItRuns) {
    QtPlatform platform = MakePlatform();
    EXPECT_FALSE(platform.QuitRequested());
    platform.Quit();
    EXPECT_TRUE(platform.QuitRequested());
    // A guard in case the queued quit is lost: the loop would then end with 7.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    guard.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    guard.stop();
}

}  // namespace
}  // namespace varp::qt
