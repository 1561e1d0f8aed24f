#pragma once

#include "editors/w_qwidget.h"

#include <QAbstractButton>
#include <QStringList>
#include <QtTest>

#include <utility>

// Records an editor's reports in order as "name=value" and "name:text".
// Reports with an empty name (controls inside a reset timer) are left out:
// nobody routes them.
class ReportLog : public QObject
{
public:
    explicit ReportLog(W_QWidget *editor)
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
    QStringList named(const QString &name) const { return entries.filter(name + "="); }

    QStringList entries;
};

// Clicks a radio button or check box on its indicator, where a user aims: the
// middle of a button widened by its layout lies outside its text.
inline void clickIndicator(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

inline bool showAndWait(QWidget *widget)
{
    widget->show();
    return QTest::qWaitForWindowExposed(widget);
}
