// The real dialogs: message boxes, the model file dialogs, the folder chooser, the About box.
#include "desktop/Dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QStringList>
#include <QVBoxLayout>

#include "app/BaseFolder.h"
#include "desktop/DialogFactory.h"
#include "desktop/QtText.h"
#include "resources/MenuTable.h"

namespace varp::qt {

QString ToQtFilter(const std::string& filter) {
    // The fields alternate text, pattern; an empty field ends the list.
    QStringList fields = ToQString(filter).split(u'|');
    QStringList parts;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        const QString& text = fields[i];
        if (text.isEmpty()) break;
        QStringList patterns = fields[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        }
        parts << text + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return parts.join(QStringLiteral(";;"));
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const std::string& text,
                                            Buttons buttons, Icon icon) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(QString::fromLatin1(resources::MessageCaption));
    box->setTextFormat(Qt::PlainText);
    box->setText(ToQString(text));
    // A box that names no icon gets the one the Windows frameworks give it: a warning for
    // a notice, a question mark for a question.
    if (icon == Icon::None) icon = buttons == Buttons::Ok ? Icon::Exclamation : Icon::Question;
    switch (icon) {
        case Icon::Information:
            box->setIcon(QMessageBox::Information);
            break;
        case Icon::Question:
            box->setIcon(QMessageBox::Question);
            break;
        case Icon::Exclamation:
            box->setIcon(QMessageBox::Warning);
            break;
        case Icon::None:
            box->setIcon(QMessageBox::NoIcon);
            break;
    }
    switch (buttons) {
        case Buttons::Ok:
            box->setStandardButtons(QMessageBox::Ok);
            box->setDefaultButton(QMessageBox::Ok);
            box->setEscapeButton(QMessageBox::Ok);
            break;
        case Buttons::YesNo:
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box->setDefaultButton(QMessageBox::Yes);
            box->setEscapeButton(QMessageBox::No);
            break;
        case Buttons::YesNoCancel:
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box->setDefaultButton(QMessageBox::Yes);
            box->setEscapeButton(QMessageBox::Cancel);
            break;
        case Buttons::SaveDiscardCancel:
            box->setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
            box->setDefaultButton(QMessageBox::Save);
            box->setEscapeButton(QMessageBox::Cancel);
            break;
    }
    return box;
}

Answer ShowMessageBox(QWidget* parent, const std::string& text, Buttons buttons, Icon icon) {
    auto box = MakeMessageBox(parent, text, buttons, icon);
    const int result = box->exec();
    switch (result) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Save:
            return Answer::Save;
        case QMessageBox::Discard:
            return Answer::Discard;
        default:
            break;
    }
    // Closed some other way: the box's way out.
    if (buttons == Buttons::YesNo) return Answer::No;
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileDialogRequest& request) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    // Qt's own dialog on every desktop: it keeps the filter texts exactly and never asks
    // before overwriting, as the system expects.
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setOption(QFileDialog::HideNameFilterDetails, true);
    // The open form accepts a name that does not exist: the caller reports it.
    dialog->setFileMode(QFileDialog::AnyFile);
    if (request.Save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
    }
    const QString filter = ToQtFilter(request.Filter);
    if (!filter.isEmpty()) dialog->setNameFilters(filter.split(QStringLiteral(";;")));
    // No default suffix: the caller's own rule decides (a name with a "." gets none), so the
    // dialog must not add one first.
    // The caller has made the folder to start in the current directory.
    dialog->setDirectory(QDir::currentPath());
    // A pattern ("*.pcx") is what the filter already shows, never a name to pre-fill.
    if (!request.InitialName.empty() && !IsPattern(request.InitialName)) {
        dialog->selectFile(ToOsPath(request.InitialName));
    }
    // Qt's dialogs have no read-only box, so HideReadOnly needs nothing.
    return dialog;
}

int RunFileDialog(QWidget* parent, const FileDialogRequest& request, std::string* chosen) {
    auto dialog = MakeFileDialog(parent, request);
    for (;;) {
        if (dialog->exec() != QDialog::Accepted) return 0;
        const QStringList files = dialog->selectedFiles();
        if (files.isEmpty()) return 0;
        const QFileInfo info(files.first());
        // A pattern typed or left in the name box filters the list, as in other dialogs.
        if (IsPattern(ToSystemPath(info.fileName()))) {
            dialog->setNameFilter(info.fileName());
            continue;
        }
        if ((request.Flags & PathMustExist) != 0 && !info.absoluteDir().exists()) {
            QMessageBox::warning(dialog.get(), dialog->windowTitle(),
                                 QStringLiteral("%1\nPath does not exist.\nCheck the path and "
                                                "try again.")
                                     .arg(info.absoluteFilePath()));
            continue;
        }
        if (chosen != nullptr) *chosen = ToSystemPath(info.absoluteFilePath());
        return 1;
    }
}

std::unique_ptr<QFileDialog> MakeFolderChooser(QWidget* parent, const std::string& title) {
    auto dialog = std::make_unique<QFileDialog>(parent, ToQString(title), QDir::currentPath());
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    return dialog;
}

int RunFolderChooser(QWidget* parent, const std::string& title, std::string* chosen) {
    auto dialog = MakeFolderChooser(parent, title);
    if (dialog->exec() != QDialog::Accepted) return 0;
    const QStringList folders = dialog->selectedFiles();
    if (folders.isEmpty() || folders.first().isEmpty()) return 0;
    if (chosen != nullptr) *chosen = ToSystemPath(QFileInfo(folders.first()).absoluteFilePath());
    return 1;
}

std::unique_ptr<QDialog> MakeListChooser(QWidget* parent, const std::string& title,
                                         const std::vector<std::string>& items) {
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setWindowTitle(ToQString(title));
    dialog->resize(480, 520);
    auto* layout = new QVBoxLayout(dialog.get());
    auto* filter = new QLineEdit(dialog.get());
    filter->setObjectName(QStringLiteral("Filter"));
    filter->setPlaceholderText(QStringLiteral("Type part of a name to narrow the list"));
    auto* list = new QListWidget(dialog.get());
    list->setObjectName(QStringLiteral("Items"));
    for (size_t i = 0; i < items.size(); ++i) {
        auto* item = new QListWidgetItem(ToQString(items[i]), list);
        item->setData(Qt::UserRole, static_cast<qulonglong>(i));
    }
    list->setCurrentRow(0);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog.get());
    layout->addWidget(filter);
    layout->addWidget(list);
    layout->addWidget(buttons);
    // The filter hides what does not contain its text and keeps a shown item current.
    QObject::connect(filter, &QLineEdit::textChanged, list, [list](const QString& text) {
        QListWidgetItem* first = nullptr;
        for (int i = 0; i < list->count(); ++i) {
            QListWidgetItem* item = list->item(i);
            item->setHidden(!item->text().contains(text, Qt::CaseInsensitive));
            if (first == nullptr && !item->isHidden()) first = item;
        }
        if (list->currentItem() == nullptr || list->currentItem()->isHidden()) {
            list->setCurrentItem(first);
        }
    });
    QObject::connect(filter, &QLineEdit::returnPressed, dialog.get(), &QDialog::accept);
    QObject::connect(list, &QListWidget::itemActivated, dialog.get(), &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    filter->setFocus();
    return dialog;
}

int RunListChooser(QWidget* parent, const std::string& title, const std::vector<std::string>& items,
                   std::string* chosen) {
    auto dialog = MakeListChooser(parent, title, items);
    if (dialog->exec() != QDialog::Accepted) return 0;
    const auto* list = dialog->findChild<QListWidget*>(QStringLiteral("Items"));
    const QListWidgetItem* item = list->currentItem();
    if (item == nullptr || item->isHidden()) return 0;
    const auto index = static_cast<size_t>(item->data(Qt::UserRole).toULongLong());
    if (index >= items.size()) return 0;
    *chosen = items[index];
    return 1;
}

std::unique_ptr<QDialog> MakeAboutBox(QWidget* parent) {
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setWindowTitle(QString::fromLatin1(resources::AboutTitle));
    auto* layout = new QVBoxLayout(dialog.get());
    for (const char* line : resources::AboutLines) {
        layout->addWidget(new QLabel(QString::fromLatin1(line), dialog.get()));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog.get());
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
    layout->addWidget(buttons);
    return dialog;
}

void RunAboutBox(QWidget* parent) {
    MakeAboutBox(parent)->exec();
}

int RunItemChooser(QWidget* parent, const std::string& title, const std::string& prompt,
                   const std::vector<std::string>& items, int initial) {
    QStringList texts;
    for (const std::string& item : items) texts << ToQString(item);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, ToQString(title), ToQString(prompt), texts,
                                                 initial, false, &ok);
    return ok ? static_cast<int>(texts.indexOf(chosen)) : -1;
}

}  // namespace varp::qt
