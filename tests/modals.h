#pragma once

// Answers the main window's modal boxes and file dialogs as a user would, keeping each box's text.

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
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
    bool holdQuestion = false; // leaves the failed-request question open while set

    Modals()
    {
        connect(&timer, &QTimer::timeout, this, &Modals::poll);
        timer.start(10);
    }

private:
    // Answers through queued calls: an answer may open another modal box.
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
            // Active again after its own question (replace the file?).
            if (dialogs.contains(dialog))
                return;
            dialogs << dialog;
            ++fileDialogs;
            // selectFile() leaves a focused name field as it is.
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
