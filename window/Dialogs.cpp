#include "window/Dialogs.h"

#include "platform/Fonts.h"
#include "window/FontDialog.h"
#include "window/SettingsFile.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QMessageBox>
#include <algorithm>

namespace tf {
namespace {

// "folder/*.wsz" opens in folder with "*.wsz" in the name box.
void PresetFileName(QFileDialog& dialog, const QString& initialName)
{
    const QString folder = FolderPart(initialName);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        dialog.setDirectory(folder);
    dialog.selectFile(initialName.mid(folder.size()));
}

std::optional<QString> RunFileDialog(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

} // namespace

std::optional<QString> QtDialogs::chooseFolder(QWidget* owner, const QString& title,
                                               const QString& root)
{
    QFileDialog dialog(owner, title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!root.isEmpty() && QFileInfo(root).isDir())
        dialog.setDirectory(root);
    return RunFileDialog(dialog);
}

std::optional<QString> QtDialogs::chooseOpenFile(QWidget* owner, const QString& title,
                                                 const QString& initialName,
                                                 const QStringList& filters)
{
    QFileDialog dialog(owner, title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    PresetFileName(dialog, initialName);
    return RunFileDialog(dialog);
}

std::optional<QString> QtDialogs::chooseSaveFile(QWidget* owner, const QString& initialName,
                                                 const QString& defaultSuffix, const QStringList& filters)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    dialog.setSizeGripEnabled(true);
    PresetFileName(dialog, initialName);
    return RunFileDialog(dialog);
}

std::optional<FontChoice> QtDialogs::chooseFont(QWidget* owner, const FontChoice& preset)
{
    FontPicker dialog(preset, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<QColor> QtDialogs::chooseColor(QWidget* owner, const QColor& preset)
{
    const QColor chosen = QColorDialog::getColor(preset, owner);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

bool QtDialogs::askOkCancel(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

QString KeepWindowsFace(const QString& presetFace, const QString& chosenFace)
{
    const QString standIn = ResolveFace(presetFace);
    if (standIn.compare(presetFace, Qt::CaseInsensitive) != 0 && standIn.compare(chosenFace, Qt::CaseInsensitive) == 0)
        return presetFace;
    return chosenFace;
}

} // namespace tf
