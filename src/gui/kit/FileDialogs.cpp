#include "FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tkd::gui {

namespace {

FileDialogs::SaveHandler& saveHandler()
{
    static FileDialogs::SaveHandler h;
    return h;
}

QString showSaveDialog(const SaveFileRequest& r)
{
    QFileDialog dialog(r.parent, r.caption, r.suggestedPath, r.filter);
    dialog.setObjectName(QStringLiteral("saveFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(r.defaultSuffix);
    dialog.selectFile(r.suggestedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void FileDialogs::setSaveHandler(SaveHandler handler)
{
    saveHandler() = std::move(handler);
}

void FileDialogs::resetSaveHandler()
{
    saveHandler() = nullptr;
}

QString FileDialogs::saveFileName(const SaveFileRequest& request)
{
    QString path = saveHandler() ? saveHandler()(request) : showSaveDialog(request);
    if (!path.isEmpty() && !request.defaultSuffix.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + request.defaultSuffix;
    return path;
}

} // namespace tkd::gui
