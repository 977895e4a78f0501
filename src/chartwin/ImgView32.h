#pragma once
// Zoomable, scrollable view of a Bitmap32: the disc view, the correction view and the
// off-screen chart holder of the chart window. The bitmap is painted at Scale from the
// scroll position; ControlToBitmap maps a viewport point to bitmap pixels.

#include "host/Bitmap32.h"

#include <QAbstractScrollArea>
#include <QPointF>

#include <functional>
#include <vector>

class ImgView32 : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ImgView32(QWidget* parent = nullptr);

    // The bitmap with every drawing handed to Odloz done on it.
    host::Bitmap32& Bitmap();
    const host::Bitmap32& Bitmap() const;
    // Call after drawing on Bitmap(): resizes the scroll range and repaints.
    void Changed();
    // Draws on the bitmap now when the view is shown, otherwise when the bitmap is next asked
    // for or the view shows: a view on a hidden page does not copy a picture it shares only
    // to mark it before anyone looks. The drawing must hold what it needs, not refer to state
    // that may change meanwhile.
    void Odloz(std::function<void(host::Bitmap32&)> rysunek);

    double Scale() const { return scale_; }
    // Scales below 1/64 or above 64 are clamped; a non-positive scale counts as 1.
    void SetScale(double scale);
    // Scale that fits the whole bitmap into the given extent along one side; a bitmap side
    // of 0 counts as 1.
    static double DopasujSkale(int rozmiar_widoku, int rozmiar_bitmapy);

    QPointF ControlToBitmap(const QPoint& p) const;
    QPoint BitmapToControl(const QPointF& p) const;
    // Moves the visible part by (dx, dy) viewport pixels.
    void Scroll(int dx, int dy);
    void ScrollToCenter(const QPointF& bitmapPoint);
    void SetScrollBars(bool on);
    bool ScrollBars() const { return scrollBars_; }

signals:
    void mouseDown(QMouseEvent* e, QPointF bitmapPos);
    void mouseMove(QMouseEvent* e, QPointF bitmapPos);
    void mouseUp(QMouseEvent* e, QPointF bitmapPos);
    void mouseLeave();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    QSize sizeHint() const override { return {200, 200}; }
    QSize minimumSizeHint() const override { return {60, 60}; }

private:
    void updateRange();
    void narysujOdlozone() const;
    QPointF offset() const; // viewport position of the bitmap's top-left corner

    // The drawings still to do are part of the bitmap's value: a reader gets them done.
    mutable host::Bitmap32 bitmap_;
    mutable std::vector<std::function<void(host::Bitmap32&)>> odlozone_;
    double scale_ = 1.0;
    bool scrollBars_ = true;
};
