#pragma once

// Answers the modal boxes and file dialogs the main window opens, as a user
// would, and remembers the text and title of every message box it saw.

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

class Modals : public QObject
{
public:
    QStringList texts;
    QStringList titles;
    QMessageBox::StandardButton question = QMessageBox::Yes; // the failed-request question
    QString fileName; // chosen in the next file dialog; empty cancels it
    int fileDialogs = 0;
    // While set, the failed-request question stays open; every other box is
    // still answered.
    bool holdQuestion = false;

    Modals()
    {
        connect(&timer, &QTimer::timeout, this, &Modals::poll);
        timer.start(10);
    }

private:
    // Acts through queued calls: a dialog's answer may open another modal
    // box (the file dialog's overwrite question), and this timer cannot fire
    // again while its own slot runs.
    void poll()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || w == handled)
            return;
        auto box = qobject_cast<QMessageBox *>(w);
        if (box && holdQuestion && box->text().startsWith(QStringLiteral("Ошибка"))) {
            if (!held.contains(box)) {
                held << box;
                texts << box->text();
                titles << box->windowTitle();
            }
            return;
        }
        handled = w;
        if (box) {
            if (held.contains(box))
                held.removeAll(box);
            else {
                texts << box->text();
                titles << box->windowTitle();
            }
            QAbstractButton *button = box->button(question);
            if (!button)
                button = box->buttons().value(0);
            QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
        } else if (auto dialog = qobject_cast<QFileDialog *>(w)) {
            ++fileDialogs;
            if (fileName.isEmpty()) {
                QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
            } else {
                dialog->selectFile(fileName);
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            }
        }
    }
    QPointer<QWidget> handled;
    QList<QPointer<QMessageBox>> held;
    QTimer timer;
};
