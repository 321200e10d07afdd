#include "ui/Prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QUrl>

namespace ui {
namespace {

PromptHandler* installedHandler = nullptr;
QPointer<QWidget> dialogParent;

struct ButtonSet {
    QList<QMessageBox::StandardButton> buttons;
    QList<Answer> answers;
};

ButtonSet buttonSet(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok: return {{QMessageBox::Ok}, {Ok}};
    case Buttons::OkCancel: return {{QMessageBox::Ok, QMessageBox::Cancel}, {Ok, Cancel}};
    case Buttons::AbortRetryIgnore:
        return {{QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore},
                {Abort, Retry, Ignore}};
    case Buttons::YesNoCancel:
        return {{QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}, {Yes, No, Cancel}};
    case Buttons::YesNo: return {{QMessageBox::Yes, QMessageBox::No}, {Yes, No}};
    case Buttons::RetryCancel:
        return {{QMessageBox::Retry, QMessageBox::Cancel}, {Retry, Cancel}};
    }
    return {{QMessageBox::Ok}, {Ok}};
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Answer MsgBox(const MessageRequest& request) {
    if (installedHandler) return installedHandler->message(request);

    const ButtonSet set = buttonSet(request.buttons);
    QMessageBox box(qtIcon(request.icon), request.title, request.text, QMessageBox::NoButton,
                    dialogParent);
    for (QMessageBox::StandardButton button : set.buttons) box.addButton(button);
    const int defaultIndex = std::clamp(request.defaultButton, 1, int(set.buttons.size())) - 1;
    box.setDefaultButton(set.buttons.at(defaultIndex));
    // Escape (and the close box) answer Cancel, or No, or the only button there is.
    if (set.answers.contains(Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    else if (set.answers.contains(No))
        box.setEscapeButton(QMessageBox::No);
    else if (set.buttons.size() == 1)
        box.setEscapeButton(set.buttons.first());
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    const qsizetype index = set.buttons.indexOf(clicked);
    if (index < 0) return set.answers.contains(Cancel) ? Cancel : set.answers.last();
    return set.answers.at(index);
}

Answer MsgBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
              int defaultButton) {
    return MsgBox(MessageRequest{text, title, buttons, icon, defaultButton});
}

QString QtFilter(const QString& designFilter) {
    const QStringList parts = designFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // "txt files (*.txt)" already names its patterns; Qt reads them from the parentheses.
        filters << (description.contains(QLatin1Char('('))
                        ? description
                        : QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    if (filters.isEmpty() && !designFilter.isEmpty()) filters << designFilter;
    return filters.join(QStringLiteral(";;"));
}

std::optional<QString> FileDialog(const FileRequest& request) {
    if (installedHandler) return installedHandler->file(request);

    QFileDialog dialog(dialogParent, request.title, QString(), QtFilter(request.filter));
    dialog.setAcceptMode(request.mode == FileRequest::Mode::SaveAs ? QFileDialog::AcceptSave
                                                                   : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mode == FileRequest::Mode::SaveAs ? QFileDialog::AnyFile
                                                                 : QFileDialog::ExistingFile);
    // The program asks its own question before it replaces a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool PrintDialog(QPrinter& printer, const QString& title) {
    if (installedHandler) return installedHandler->print(printer, title);

    QPrintDialog dialog(&printer, dialogParent);
    dialog.setWindowTitle(title);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // On many desktops printing to a PDF file is the only printer there is.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

void RunModal(QDialog& dialog) {
    dialog.setModal(true);
    if (installedHandler) {
        PromptHandler* handler = installedHandler;
        QPointer<QDialog> guard(&dialog);
        QTimer::singleShot(0, &dialog, [handler, guard] {
            if (guard) handler->modal(*guard);
            // A script that forgot to close the dialog must not hang the run.
            if (guard && guard->isVisible()) guard->hide();
        });
    }
    dialog.exec();
}

void Beep() {
    if (installedHandler) {
        installedHandler->beep();
        return;
    }
    QApplication::beep();
}

bool OpenFolder(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void SetDialogParent(QWidget* parent) {
    dialogParent = parent;
}

void InstallPromptHandler(PromptHandler* handler) {
    installedHandler = handler;
}

PromptHandler* InstalledPromptHandler() {
    return installedHandler;
}

} // namespace ui
