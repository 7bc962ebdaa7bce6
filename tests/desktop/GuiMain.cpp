// Runs the Qt layer's tests inside one QApplication on the offscreen platform, with settings
// kept in a private folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QDir>
#include <string>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    char configTemplate[] = "/tmp/varp-gui-config-XXXXXX";
    const char* config = mkdtemp(configTemplate);
    if (config == nullptr) return 2;
    // QSettings keeps its files under XDG_CONFIG_HOME: never the user's own.
    qputenv("XDG_CONFIG_HOME", config);
    qputenv("XDG_RUNTIME_DIR", config);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    QDir(QString::fromLocal8Bit(config)).removeRecursively();
    return result;
}
