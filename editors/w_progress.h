#pragma once

#include <QWidget>

class QProgressBar;

// Relative radio range indicator: the slower the radio data rate, the
// farther the link reaches.
class W_Progress : public QWidget
{
    Q_OBJECT
public:
    explicit W_Progress(QWidget *parent = nullptr);

    void setValue(int value);

private:
    QProgressBar *bar;
};
