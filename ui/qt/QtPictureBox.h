#pragma once
// A box that shows a picture at its natural size from its top-left corner, never
// scaled: a larger picture is cut off at the box's edges, a smaller one leaves
// the background around it. It has no border and reports clicks. A box that
// takes the keyboard focus (by Tab only, so that a click changes nothing)
// shows a focus ring around itself and is pressed by Space or Enter as a
// button is.

#include <QCursor>
#include <QPixmap>
#include <QWidget>

#include <functional>

class QtPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit QtPictureBox(QWidget* parent = nullptr);

    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

    // The pointer over the box, made when the pointer first enters it: a
    // window that starts under no pointer does not wait for its cursor.
    void setCursorOnEnter(std::function<QCursor()> make);

    // The focus ring lies outside the box, a gap away from it, so that it
    // never covers the picture, which fills the box from its corner; the
    // widget the box is in draws it over its own background, since a widget
    // cannot draw outside itself. Its rectangle in the parent's coordinates:
    QRect focusFrame() const;

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchParent();

    QPixmap picture_;
    bool pressed_ = false;
    bool spaceDown_ = false;
    std::function<QCursor()> makeCursor_;
};
