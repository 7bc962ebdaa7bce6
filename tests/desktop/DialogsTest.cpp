// The real dialogs: filter texts, file dialog forms, folder chooser, message boxes, About box.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <tuple>

#include "commands/FileCommands.h"
#include "commands/Startup.h"
#include "desktop/DialogFactory.h"
#include "desktop/Dialogs.h"
#include "support/TempDir.h"

namespace varp::qt {
namespace {

TEST(FileFilter, SeveralPatternsAndOddEndings) {
    EXPECT_EQ(ToQtFilter("Images|*.pcx;*.PCX|").toStdString(), "Images (*.pcx *.PCX)");
    // No final empty field, and a text without its pattern, are taken as far as they go.
    EXPECT_EQ(ToQtFilter("Skins (*.pcx)|*.pcx").toStdString(), "Skins (*.pcx) (*.pcx)");
    EXPECT_EQ(ToQtFilter("A|*.a||B|*.b|").toStdString(), "A (*.a)");
    EXPECT_EQ(ToQtFilter("Lonely").toStdString(), "");
    EXPECT_EQ(ToQtFilter("").toStdString(), "");
}

TEST(FileFilter, DefaultExtensionBecomesABareSuffix) {
    EXPECT_EQ(ToDefaultSuffix("*.md2").toStdString(), "md2");
    EXPECT_EQ(ToDefaultSuffix(".pcx").toStdString(), "pcx");
    EXPECT_EQ(ToDefaultSuffix("pcx").toStdString(), "pcx");
    EXPECT_EQ(ToDefaultSuffix("").toStdString(), "");
}

TEST(FileDialogForm, OpenAndSaveFormsAsTheRequestAsks) {
    test::TempDir dir;
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.Path()));

    auto open = MakeFileDialog(nullptr, ModelOpenDialog());
    EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open->fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(open->nameFilters(),
              (QStringList{"Quake2 Model (*.md2) (*.md2)", "All Files (*.*) (*)"}));
    EXPECT_TRUE(open->testOption(QFileDialog::HideNameFilterDetails));
    EXPECT_EQ(open->defaultSuffix(), "md2");
    EXPECT_EQ(open->directory().absolutePath().toStdString(), dir.Path());

    FileDialogRequest request = ModelSaveDialog();
    request.InitialName = "tris.md2";
    auto save = MakeFileDialog(nullptr, request);
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(save->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(save->nameFilters(),
              (QStringList{"Quake2 MD2 (*.md2) (*.md2)", "All Files (*.*) (*)"}));
    EXPECT_EQ(save->selectedFiles().value(0).toStdString(), dir.Path() + "/tris.md2");
    QDir::setCurrent(before);
}

TEST(FolderChooserForm, ShowsFoldersOnlyUnderItsTitle) {
    auto chooser = MakeFolderChooser(nullptr, BaseFolderTitle);
    EXPECT_EQ(chooser->windowTitle(), "Please locate the 'baseq2' folder under Quake2");
    EXPECT_EQ(chooser->fileMode(), QFileDialog::Directory);
    EXPECT_TRUE(chooser->testOption(QFileDialog::ShowDirsOnly));
}

TEST(MessageBoxes, CarryTheCaptionPlainTextButtonsAndIcon) {
    auto box =
        MakeMessageBox(nullptr, "<b>1 < 2</b>\nAre you sure?", Buttons::YesNo, Icon::Question);
    EXPECT_EQ(box->windowTitle(), "Zozuz05");
    EXPECT_EQ(box->text(), "<b>1 < 2</b>\nAre you sure?");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
    box = MakeMessageBox(nullptr, "?", Buttons::YesNoCancel, Icon::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
    EXPECT_EQ(MakeMessageBox(nullptr, "!", Buttons::Ok, Icon::None)->standardButtons(),
              QMessageBox::Ok);
    // A box that names no icon takes the one its kind of box has.
    const std::tuple<Buttons, Icon, QMessageBox::Icon> icons[] = {
        {Buttons::Ok, Icon::Information, QMessageBox::Information},
        {Buttons::Ok, Icon::Exclamation, QMessageBox::Warning},
        {Buttons::YesNo, Icon::Question, QMessageBox::Question},
        {Buttons::Ok, Icon::None, QMessageBox::Warning},
        {Buttons::YesNo, Icon::None, QMessageBox::Question}};
    for (const auto& [buttons, icon, shown] : icons) {
        EXPECT_EQ(MakeMessageBox(nullptr, "", buttons, icon)->icon(), shown);
    }
}

// Shows a box and presses `press` on it once it is up.
Answer Press(QMessageBox::StandardButton press, Buttons buttons) {
    QTimer::singleShot(0, [press] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->button(press)->click();
        }
    });
    return ShowMessageBox(nullptr, "?", buttons, Icon::Question);
}

TEST(MessageBoxes, ReturnTheButtonPressed) {
    EXPECT_EQ(Press(QMessageBox::No, Buttons::YesNo), Answer::No);
    EXPECT_EQ(Press(QMessageBox::Yes, Buttons::YesNoCancel), Answer::Yes);
    EXPECT_EQ(Press(QMessageBox::Cancel, Buttons::YesNoCancel), Answer::Cancel);
    EXPECT_EQ(Press(QMessageBox::Ok, Buttons::Ok), Answer::Ok);
}

TEST(AboutBox, IsTitledAboutVarpAndShowsTheRevision) {
    auto about = MakeAboutBox(nullptr);
    EXPECT_EQ(about->windowTitle(), "About Varp");
    const QList<QLabel*> labels = about->findChildren<QLabel*>();
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_EQ(labels.first()->text(), "Reviz0.60");
    auto* buttons = about->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->standardButtons(), QDialogButtonBox::Ok);
    QTimer::singleShot(0, [&] { buttons->button(QDialogButtonBox::Ok)->click(); });
    EXPECT_EQ(about->exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace varp::qt
