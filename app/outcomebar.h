#pragma once

#include <QStatusBar>

// The window's status bar. An outcome too long for it loses its middle, not
// its end: the end says what to do next or which requests were not
// answered. The whole text stays the bar's message (and its tooltip).
class OutcomeBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit OutcomeBar(QWidget *parent = nullptr);

    // The message as the bar draws it at its present width.
    QString shownMessage() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Where the message goes: left of the widgets kept on the bar.
    QRect messageRect() const;
};
