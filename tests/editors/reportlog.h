#pragma once

#include "editors/w_qwidget.h"
#include "editors/w_rb.h"
#include "editors/w_reset.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QPalette>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QtTest>

#include <functional>
#include <utility>

// Clicks near a button's left edge: there a check box or radio button has its indicator (the
// middle of a widened one lies outside its text), and a push button is pressed as anywhere.
inline void clickIndicator(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

inline bool showAndWait(QWidget *widget)
{
    widget->show();
    return QTest::qWaitForWindowExposed(widget);
}

// A solid colour, the same whether the window is active or not.
inline QString colour(const QWidget *w)
{
    const QColor c = w->palette().color(w->backgroundRole());
    return w->palette().color(QPalette::Inactive, w->backgroundRole()) != c ? "mixed"
           : c == Qt::lightGray                                             ? "grey"
           : c == Qt::gray                                                  ? "."
           : c == Qt::yellow                                                ? "Y"
           : c == Qt::green                                                 ? "green"
           : c == Qt::red                                                   ? "red"
                                                                            : c.name();
}

// A stability check row's n newest squares, a letter each: G green, R red, Y a poll on its
// way, . grey, L light grey.
inline QString squares(const QWidget *row, int n = 10)
{
    QString letters;
    for (QWidget *w : row->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (w->autoFillBackground() && letters.size() < n)
            letters += colour(w) == "grey" ? 'L' : colour(w).at(0).toUpper();
    return letters;
}

// Records an editor's reports as "name=value" and "name:text", leaving out the unrouted
// ones without a name. step() acts as the user or main window would on a control found
// by object name or group title (a reset timer stands for its check box and spin box):
//   "Name=7" sets by name    "Name!" clicks ("Group#3!": the button of value 3)
//   "Name^Up" presses a key  "Name?" records "Name?<state>"
class ReportLog : public QObject
{
public:
    explicit ReportLog(W_QWidget *editor) : editor(editor)
    {
        connect(editor, &W_QWidget::sgValueChange, this, [this](const QString &name, int val) {
            if (!name.isEmpty())
                entries << QString("%1=%2").arg(name).arg(val);
        });
        connect(editor, &W_QWidget::sgTextChange, this,
                [this](const QString &name, const QString &val) {
                    if (!name.isEmpty())
                        entries << QString("%1:%2").arg(name, val);
                });
    }
    QStringList take() { return std::exchange(entries, {}); }

    void step(const QString &step)
    {
        const int at = step.indexOf(QRegularExpression("[=!^?]"));
        const QString name = step.left(at), arg = step.mid(at + 1);
        if (step.at(at) == '=')
            return editor->setValue(name, arg.toInt());
        QWidget *w = find(name);
        QVERIFY2(w, qPrintable(step));
        if (step.at(at) == '?')
            return void(entries << name + '?' + state(w));
        w->setFocus();
        if (step.at(at) == '^')
            QTest::keySequence(w, QKeySequence(arg));
        else if (auto reset = qobject_cast<w_Reset *>(w->parent()))
            clickIndicator(reset->findChild<QCheckBox *>());
        else
            clickIndicator(qobject_cast<QAbstractButton *>(w));
    }
    // Runs '|'-separated steps (those starting with ':' through `call`), returns the log.
    QString run(const QString &steps)
    {
        for (const QString &s : steps.split('|'))
            s.startsWith(':') ? call(s) : step(s);
        return take().join('|');
    }

    QWidget *find(const QString &name) const
    {
        const QString base = name.section('#', 0, 0);
        for (QWidget *w : editor->findChildren<QWidget *>()) {
            auto box = qobject_cast<QGroupBox *>(w);
            if (w->objectName() != base && !(box && box->title() == base))
                continue;
            for (W_Rb *rb : w->findChildren<W_Rb *>())
                if (name.contains('#') && rb->value() == name.section('#', 1).toInt())
                    return rb;
            auto reset = qobject_cast<w_Reset *>(w);
            return reset ? reset->findChild<QSpinBox *>() : w;
        }
        return nullptr;
    }
    // A spin box's value ("off" if disabled), a combo's index, a group's checked value, or
    // whether it shows.
    static QString state(QWidget *w)
    {
        if (auto spin = qobject_cast<QSpinBox *>(w))
            return QString::number(spin->value()) + (spin->isEnabled() ? "" : " off");
        if (auto combo = qobject_cast<QComboBox *>(w))
            return QString::number(combo->currentIndex());
        for (W_Rb *rb : w->findChildren<W_Rb *>())
            if (rb->isChecked())
                return QString::number(rb->value());
        return w->isVisible() ? "shown" : "hidden";
    }

    W_QWidget *editor;
    QStringList entries;
    std::function<void(const QString &)> call;
};
