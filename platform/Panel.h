#pragma once
// The platform's panel control (TPanel): a plain container with a one-pixel bevel, raised by
// default, in the button face colour.
#include <QFrame>

namespace platform {

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class Panel : public QFrame {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent = nullptr);

    TBevelCut BevelOuter() const { return bevel_; }
    void SetBevelOuter(TBevelCut bevel);

    // Geometry as the platform's controls name it (client coordinates of the parent).
    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int left) { move(left, y()); }
    void SetTop(int top) { move(x(), top); }
    void SetWidth(int width) { resize(width, height()); }
    void SetHeight(int height) { resize(width(), height); }
    void SetBounds(int left, int top, int width, int height)
    {
        setGeometry(left, top, width, height);
    }

protected:
    // Called after every change of the panel's size.
    virtual void Resize() {}

    void resizeEvent(QResizeEvent* event) override;

private:
    TBevelCut bevel_ = TBevelCut::bvRaised;
};

}  // namespace platform
