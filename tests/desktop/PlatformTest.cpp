// The Qt platform's services: settings with the path rule, the command line the system reads,
// and the real dialogs: filter texts, the file dialog's forms, message boxes and their answers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <tuple>

#include "commands/FileCommands.h"
#include "desktop/DialogFactory.h"
#include "desktop/Dialogs.h"
#include "desktop/LaunchCommandLine.h"
#include "desktop/QtPlatform.h"
#include "support/TempDir.h"

namespace varp::qt {
namespace {

TEST(QtPlatformSettings, StorePathsWithSlashesAndReadThemWithBackslashesOrTheFallback) {
    // The file as the demo run writes it: a quoted value, which may hold commas; and an
    // unquoted comma, as someone may write by hand, which Qt reads as a list.
    const QString folder = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/Ombrick";
    QDir().mkpath(folder);
    QFile file(folder + "/Zozuz05.conf");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Project]\nBaseDir=\"/tmp/demo, copy/base\"\nCurFile=/tmp/a,b.md2\n");
    file.close();

    QtPlatform platform({"varp"}, "/home/user");
    EXPECT_EQ(platform.GetProfileString("Project", "BaseDir", "Unknown"),
              "\\tmp\\demo, copy\\base");
    EXPECT_EQ(platform.GetProfileString("Project", "CurFile", "Unknown"), "\\tmp\\a,b.md2");
    EXPECT_EQ(platform.GetProfileString("Project", "NoSuchValue", "Unknown"), "Unknown");
    EXPECT_EQ(platform.GetProfileString("Elsewhere", "BaseDir", "a/b"), "a/b");

    platform.WriteProfileString("Project", "BaseDir", "D:\\quake2\\baseq2");
    EXPECT_EQ(QSettings("Ombrick", "Zozuz05").value("Project/BaseDir").toString(),
              "D:/quake2/baseq2");
    EXPECT_EQ(platform.GetProfileString("Project", "BaseDir", "Unknown"), "D:\\quake2\\baseq2");
}

TEST(LaunchCommandLine, QuotesArgumentsWithSpacesAndGivesPathsAfterMd2InFullSystemForm) {
    const struct {
        std::vector<std::string> Args;
        const char* Line;
    } cases[] = {
        {{"/usr/bin/varp"}, "/usr/bin/varp"},
        {{"/usr/bin/varp", "-md2", "/q2/models/x/tris.md2"},
         "/usr/bin/varp -md2 \\q2\\models\\x\\tris.md2"},
        // Relative paths stay relative: start-up looks under the base folder first.
        {{"./varp", "-md2", "my model/tris.md2", "skin.pcx"},
         "./varp -md2 \"my model\\tris.md2\" skin.pcx"},
        // Arguments before "-md2" are not paths of the system's and stay as they are.
        {{"/opt/my tools/varp", "x y", "-md2"}, "\"/opt/my tools/varp\" \"x y\" -md2"},
    };
    for (const auto& c : cases) EXPECT_EQ(BuildCommandLine(c.Args), c.Line);
    QtPlatform platform({"varp", "-md2", "a b.md2"}, "/q2");
    EXPECT_EQ(platform.CommandLine(), "varp -md2 \"a b.md2\"");
    EXPECT_EQ(platform.LaunchFolder(), "\\q2");
}

TEST(FileFilter, FieldsBecomeQtFiltersAndTheDefaultExtensionABareSuffix) {
    const std::pair<const char*, const char*> filters[] = {
        {"Images|*.pcx;*.PCX|", "Images (*.pcx *.PCX)"},
        // No final empty field, and a text without its pattern, are taken as far as they go.
        {"Skins (*.pcx)|*.pcx", "Skins (*.pcx) (*.pcx)"},
        {"A|*.a||B|*.b|", "A (*.a)"},
        {"All|*.*|", "All (*)"},
        {"Lonely", ""},
    };
    for (const auto& [filter, qt] : filters) EXPECT_EQ(ToQtFilter(filter).toStdString(), qt);
}

TEST(FileDialogForm, OpensInTheCurrentFolderAndSavesWithoutAskingToOverwrite) {
    test::TempDir dir;
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.Path()));
    auto open = MakeFileDialog(nullptr, ModelOpenDialog());
    EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
    // A name that does not exist is the caller's to report.
    EXPECT_EQ(open->fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(open->nameFilters(),
              (QStringList{"Quake2 Model (*.md2) (*.md2)", "All Files (*.*) (*)"}));
    EXPECT_EQ(open->directory().absolutePath().toStdString(), dir.Path());

    FileDialogRequest request = ModelSaveDialog();
    request.InitialName = "tris.md2";
    auto save = MakeFileDialog(nullptr, request);
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(save->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(save->selectedFiles().value(0).toStdString(), dir.Path() + "/tris.md2");
    QDir::setCurrent(before);
}

TEST(MessageBoxes, CarryTheCaptionPlainTextButtonsAndIconAndAnswerWithTheButtonPressed) {
    auto box = MakeMessageBox(nullptr, "<b>1 < 2</b>\nSure?", Buttons::YesNo, Icon::Question);
    EXPECT_EQ(box->windowTitle(), "Zozuz05");
    EXPECT_EQ(box->text(), "<b>1 < 2</b>\nSure?");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    // A box that names no icon gets its kind's: a warning for a notice, else a question.
    const std::tuple<Buttons, Icon, QMessageBox::Icon> icons[] = {
        {Buttons::Ok, Icon::Information, QMessageBox::Information},
        {Buttons::YesNoCancel, Icon::Exclamation, QMessageBox::Warning},
        {Buttons::Ok, Icon::None, QMessageBox::Warning},
        {Buttons::YesNo, Icon::None, QMessageBox::Question}};
    for (const auto& [buttons, icon, shown] : icons) {
        EXPECT_EQ(MakeMessageBox(nullptr, "?", buttons, icon)->icon(), shown);
    }

    // The button pressed once the box is up, or NoButton for Escape; the answer it gives.
    const std::tuple<Buttons, QMessageBox::StandardButton, Answer> answers[] = {
        {Buttons::YesNo, QMessageBox::NoButton, Answer::No},
        {Buttons::YesNo, QMessageBox::Yes, Answer::Yes},
        {Buttons::YesNoCancel, QMessageBox::No, Answer::No},
        {Buttons::YesNoCancel, QMessageBox::NoButton, Answer::Cancel},
        {Buttons::Ok, QMessageBox::NoButton, Answer::Ok},
    };
    for (const auto& [buttons, press, answer] : answers) {
        QTimer::singleShot(0, [press] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            if (press == QMessageBox::NoButton)
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->button(press)->click();
        });
        EXPECT_EQ(ShowMessageBox(nullptr, "?", buttons, Icon::None), answer);
    }
}

}  // namespace
}  // namespace varp::qt
