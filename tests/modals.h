#pragma once

// Answers the modal boxes and file dialogs the main window opens, as a user
// would, and remembers the text and title of every message box it saw.

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

class Modals : public QObject
{
public:
    QStringList texts, titles;
    QMessageBox::StandardButton question = QMessageBox::Yes; // the failed-request question
    QString fileName; // chosen in the next file dialog; empty cancels it
    int fileDialogs = 0;
    // Each file dialog's folder and the file name it proposed, as it opened.
    QStringList dialogFolders, proposedNames;
    bool holdQuestion = false; // leaves the failed-request question open while set

    Modals()
    {
        connect(&timer, &QTimer::timeout, this, &Modals::poll);
        timer.start(10);
    }

private:
    // Answers through queued calls: an answer may open another modal box,
    // and this timer cannot fire again while its own slot runs.
    void poll()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || w == handled)
            return;
        auto box = qobject_cast<QMessageBox *>(w);
        if (box && !seen.contains(box)) {
            seen << box;
            texts << box->text();
            titles << box->windowTitle();
        }
        if (box && holdQuestion && box->text().startsWith(QStringLiteral("Ошибка")))
            return;
        handled = w;
        if (box) {
            QAbstractButton *button = box->button(question);
            QMetaObject::invokeMethod(button ? button : box->buttons().value(0), "click",
                                      Qt::QueuedConnection);
        } else if (auto dialog = qobject_cast<QFileDialog *>(w)) {
            // A dialog whose own question (replace the file?) was just
            // answered is active again until its answer is taken.
            if (dialogs.contains(dialog))
                return;
            dialogs << dialog;
            ++fileDialogs;
            dialogFolders << dialog->directory().absolutePath();
            proposedNames << QFileInfo(dialog->selectedFiles().value(0)).fileName();
            // Once the dialog is the active window its name field has the
            // focus, and selectFile() then leaves the field as it is: accept()
            // would find nothing chosen and keep the dialog open.
            if (QWidget *focus = dialog->focusWidget())
                focus->clearFocus();
            if (!fileName.isEmpty())
                dialog->selectFile(fileName);
            QMetaObject::invokeMethod(dialog, fileName.isEmpty() ? "reject" : "accept",
                                      Qt::QueuedConnection);
        }
    }
    QPointer<QWidget> handled;
    QList<QPointer<QMessageBox>> seen;
    QList<QPointer<QFileDialog>> dialogs;
    QTimer timer;
};
