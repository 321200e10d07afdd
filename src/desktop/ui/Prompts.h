#pragma once
// Every modal interaction of the program goes through here: message boxes, the Open and Save As
// file dialogs, the print dialog and the modal run of the program's own dialogs. In the running
// program these show real Qt dialogs; a test installs a PromptHandler that answers each prompt
// from a script, so no handler ever calls QMessageBox, QFileDialog or QDialog::exec itself.

#include <QString>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace ui {

// Answers carry the numbers the design stores (a print question keeps 6, 7 or 2).
enum Answer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
enum class Buttons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class Icon { None, Critical, Question, Exclamation, Information };

struct MessageRequest {
    QString text;
    QString title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int defaultButton = 1; // 1 = first button of the set, 2 = second, 3 = third
};

struct FileRequest {
    enum class Mode { Open, SaveAs };
    Mode mode = Mode::Open;
    QString title;
    // Filter in the design's form: "txt files (*.txt)|*.txt" (description|pattern pairs).
    QString filter;
    QString initialName;
};

// Answer of a message box; Escape or the close box gives Cancel where the set has one.
Answer MsgBox(const MessageRequest& request);
Answer MsgBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
              int defaultButton = 1);

// The chosen file name, or nothing when the dialog was cancelled.
std::optional<QString> FileDialog(const FileRequest& request);

// Shows the print dialog for printer; false when it was cancelled. Selection and page ranges
// are off; printing to a PDF file stays available.
bool PrintDialog(QPrinter& printer, const QString& title);

// Shows one of the program's own dialogs modally; returns once the dialog has been hidden.
void RunModal(QDialog& dialog);

// The system beep.
void Beep();

// Shows a folder in the desktop's file manager; false when none could be started.
bool OpenFolder(const QString& path);

// The main window, used as the parent of the platform dialogs.
void SetDialogParent(QWidget* parent);

class PromptHandler {
public:
    virtual ~PromptHandler() = default;
    virtual Answer message(const MessageRequest& request) = 0;
    virtual std::optional<QString> file(const FileRequest& request) = 0;
    virtual bool print(QPrinter& printer, const QString& title) = 0;
    // Called while the dialog is shown modally; it must leave the dialog hidden.
    virtual void modal(QDialog& dialog) = 0;
    virtual void beep() {}
};

// Installs a handler in place of the real dialogs (nullptr restores them).
void InstallPromptHandler(PromptHandler* handler);
PromptHandler* InstalledPromptHandler();

// Qt's filter string for a design filter ("txt files (*.txt)|*.txt" -> "txt files (*.txt)").
QString QtFilter(const QString& designFilter);

} // namespace ui
