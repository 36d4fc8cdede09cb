#pragma once
// A progress bar over the range its layout gives it. Visible is the bar's own
// setting: a bar stays visible in this sense while its window is hidden.

class ProgressBar {
public:
    virtual ~ProgressBar() = default;
    virtual int value() const = 0;
    virtual void setValue(int value) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
};
