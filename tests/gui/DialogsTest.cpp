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
#include <functional>

#include "app/FileCommands.h"
#include "app/Startup.h"
#include "platform/qt/DialogFactory.h"
#include "platform/qt/Dialogs.h"
#include "support/TempDir.h"

namespace varp::qt {
namespace {

TEST(FileFilter, ModelFiltersKeepTheirTextsAndMatchEveryFileForAllFiles) {
    EXPECT_EQ(ToQtFilter(ModelOpenDialog().Filter).toStdString(),
              "Quake2 Model (*.md2) (*.md2);;All Files (*.*) (*)");
    EXPECT_EQ(ToQtFilter(ModelSaveDialog().Filter).toStdString(),
              "Quake2 MD2 (*.md2) (*.md2);;All Files (*.*) (*)");
}

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

// Runs `show` while a timer clicks the button of the modal box that appears; returns what
// the box looked like.
struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

SeenBox AnswerBox(QMessageBox::StandardButton press, const std::function<void()>& show) {
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                box->standardButton(box->defaultButton())};
        box->button(press)->click();
    });
    show();
    return seen;
}

TEST(MessageBoxes, CarryTheCaptionTextAndButtonsAndReturnTheAnswer) {
    Answer answer = Answer::Ok;
    SeenBox seen = AnswerBox(QMessageBox::No, [&] {
        answer = ShowMessageBox(nullptr, "All Unsaved data will be lost...\nAre you sure?",
                                Buttons::YesNo, Icon::Question);
    });
    EXPECT_EQ(answer, Answer::No);
    EXPECT_EQ(seen.title, "Zozuz05");
    EXPECT_EQ(seen.text, "All Unsaved data will be lost...\nAre you sure?");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);

    seen = AnswerBox(QMessageBox::Cancel, [&] {
        answer = ShowMessageBox(nullptr, "Save changes to the current Mesh?", Buttons::YesNoCancel,
                                Icon::Question);
    });
    EXPECT_EQ(answer, Answer::Cancel);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    seen = AnswerBox(QMessageBox::Yes, [&] {
        answer = ShowMessageBox(nullptr, "q", Buttons::YesNoCancel, Icon::Question);
    });
    EXPECT_EQ(answer, Answer::Yes);

    seen = AnswerBox(QMessageBox::Ok, [&] {
        answer =
            ShowMessageBox(nullptr, "That folder is not valid", Buttons::Ok, Icon::Information);
    });
    EXPECT_EQ(answer, Answer::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
}

TEST(MessageBoxes, TextIsPlainAndUnnamedIconsFollowTheKindOfBox) {
    auto notice = MakeMessageBox(nullptr, "<b>1 < 2</b>", Buttons::Ok, Icon::None);
    EXPECT_EQ(notice->textFormat(), Qt::PlainText);
    EXPECT_EQ(notice->icon(), QMessageBox::Warning);
    auto question = MakeMessageBox(nullptr, "?", Buttons::YesNo, Icon::None);
    EXPECT_EQ(question->icon(), QMessageBox::Question);
    auto warning = MakeMessageBox(nullptr, "!", Buttons::Ok, Icon::Exclamation);
    EXPECT_EQ(warning->icon(), QMessageBox::Warning);
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
