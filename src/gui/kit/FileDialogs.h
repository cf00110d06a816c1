#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tkd::gui {

struct SaveFileRequest {
    QWidget* parent = nullptr;
    QString caption;
    // Folder and file name the dialog opens with.
    QString suggestedPath;
    // As QFileDialog takes it: "Excel 工作簿 (*.xlsx)".
    QString filter;
    // Added when the name typed has no suffix of its own ("xlsx").
    QString defaultSuffix;
};

// The file dialogs of the program go through here, so tests can answer them without showing one.
class FileDialogs {
public:
    // Returns the chosen path, empty for a cancelled dialog. Installed by tests; the default
    // shows a real modal dialog.
    using SaveHandler = std::function<QString(const SaveFileRequest&)>;
    static void setSaveHandler(SaveHandler handler);
    static void resetSaveHandler();

    // The path to write to, with the default suffix added when none was typed; empty when cancelled.
    static QString saveFileName(const SaveFileRequest& request);
};

} // namespace tkd::gui
