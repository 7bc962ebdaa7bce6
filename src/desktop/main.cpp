// The program: the Qt application, the platform services, the application object and its window.
#include <QApplication>
#include <QDir>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "desktop/MainWindow.h"
#include "desktop/QtPlatform.h"

int main(int argc, char** argv) {
    // QApplication takes its own options (-platform, -style ...) out of argv.
    QApplication application(argc, argv);
    std::vector<std::string> args(argv, argv + argc);
    varp::qt::QtPlatform platform(args, QDir::currentPath().toStdString());
    auto app = std::make_unique<varp::App>(platform);

    varp::qt::MainWindow window(*app, &platform);
    window.Start();
    // Start-up without a model asks to quit: the window never appears.
    if (platform.QuitRequested()) return 0;
    window.show();
    return QApplication::exec();
}
