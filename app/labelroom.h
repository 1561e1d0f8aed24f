#pragma once

class QWidget;

// A label is laid out as wide as its text's outline, but the last letter's
// ink may reach a pixel or more past that (more so on a scaled screen, where
// letters are drawn at the screen's own pixels): "period" showed as
// "periot". Every text label gets a little room on its right, in proportion
// to its font, so that the last letter shows whole.
class LabelRoom
{
public:
    static void give(QWidget *root);
};
