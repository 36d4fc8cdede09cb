#pragma once
// A box that shows a picture at its natural size from its top-left corner, never
// scaled: a larger picture is cut off at the box's edges, a smaller one leaves
// the background around it. It has no border and reports clicks.

#include <QPixmap>
#include <QWidget>

class QtPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit QtPictureBox(QWidget* parent = nullptr);

    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    bool pressed_ = false;
};
