#include "chartwin/ImgView32.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

ImgView32::ImgView32(QWidget* parent) : QAbstractScrollArea(parent) {
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
}

host::Bitmap32& ImgView32::Bitmap() {
    narysujOdlozone();
    return bitmap_;
}

const host::Bitmap32& ImgView32::Bitmap() const {
    narysujOdlozone();
    return bitmap_;
}

void ImgView32::Odloz(std::function<void(host::Bitmap32&)> rysunek) {
    odlozone_.push_back(std::move(rysunek));
    if (isVisible()) narysujOdlozone();
}

void ImgView32::narysujOdlozone() const {
    // Taken out first: a drawing may ask for the bitmap again.
    std::vector<std::function<void(host::Bitmap32&)>> rysunki;
    rysunki.swap(odlozone_);
    for (const auto& r : rysunki)
        r(bitmap_);
}

void ImgView32::Changed() {
    updateRange();
    viewport()->update();
}

void ImgView32::SetScale(double scale) {
    if (!(scale > 0.0)) scale = 1.0;
    scale_ = std::clamp(scale, 1.0 / 64.0, 64.0);
    Changed();
}

double ImgView32::DopasujSkale(int rozmiar_widoku, int rozmiar_bitmapy) {
    return double(rozmiar_widoku) / double(rozmiar_bitmapy == 0 ? 1 : rozmiar_bitmapy);
}

QPointF ImgView32::offset() const {
    // A bitmap smaller than the viewport is centred, a larger one follows the scroll bars.
    const double w = bitmap_.width() * scale_, h = bitmap_.height() * scale_;
    const QSize vp = viewport()->size();
    const double x = w < vp.width() ? (vp.width() - w) / 2.0 : -horizontalScrollBar()->value();
    const double y = h < vp.height() ? (vp.height() - h) / 2.0 : -verticalScrollBar()->value();
    return {x, y};
}

QPointF ImgView32::ControlToBitmap(const QPoint& p) const {
    const QPointF o = offset();
    return {(p.x() - o.x()) / scale_, (p.y() - o.y()) / scale_};
}

QPoint ImgView32::BitmapToControl(const QPointF& p) const {
    const QPointF o = offset();
    return QPoint(int(std::floor(p.x() * scale_ + o.x())), int(std::floor(p.y() * scale_ + o.y())));
}

void ImgView32::Scroll(int dx, int dy) {
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
}

void ImgView32::ScrollToCenter(const QPointF& bitmapPoint) {
    const QSize vp = viewport()->size();
    horizontalScrollBar()->setValue(int(bitmapPoint.x() * scale_ - vp.width() / 2.0));
    verticalScrollBar()->setValue(int(bitmapPoint.y() * scale_ - vp.height() / 2.0));
}

void ImgView32::SetScrollBars(bool on) {
    scrollBars_ = on;
    const auto policy = on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
}

void ImgView32::updateRange() {
    const QSize vp = viewport()->size();
    const int w = int(std::ceil(bitmap_.width() * scale_));
    const int h = int(std::ceil(bitmap_.height() * scale_));
    horizontalScrollBar()->setRange(0, std::max(0, w - vp.width()));
    verticalScrollBar()->setRange(0, std::max(0, h - vp.height()));
    horizontalScrollBar()->setPageStep(vp.width());
    verticalScrollBar()->setPageStep(vp.height());
}

void ImgView32::paintEvent(QPaintEvent*) {
    narysujOdlozone(); // a view rendered without being shown
    if (bitmap_.empty()) return;
    QPainter p(viewport());
    p.setRenderHint(QPainter::SmoothPixmapTransform, scale_ < 1.0);
    const QPointF o = offset();
    p.translate(o);
    p.scale(scale_, scale_);
    // Drawn opaque, as a Graphics32 view draws its bitmap by default: the alpha byte is not
    // a transparency here. Read as RGB32 (the same rows, not copied) the painter copies the
    // rows instead of blending every pixel.
    const QImage& obraz = bitmap_.image();
    p.drawImage(QPointF(0, 0), QImage(obraz.constBits(), obraz.width(), obraz.height(),
                                      obraz.bytesPerLine(), QImage::Format_RGB32));
}

void ImgView32::showEvent(QShowEvent* e) {
    QAbstractScrollArea::showEvent(e);
    if (!odlozone_.empty()) {
        narysujOdlozone();
        viewport()->update();
    }
}

void ImgView32::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateRange();
}

void ImgView32::scrollContentsBy(int, int) {
    viewport()->update();
}

void ImgView32::mousePressEvent(QMouseEvent* e) {
    emit mouseDown(e, ControlToBitmap(e->position().toPoint()));
}

void ImgView32::mouseMoveEvent(QMouseEvent* e) {
    emit mouseMove(e, ControlToBitmap(e->position().toPoint()));
}

void ImgView32::mouseReleaseEvent(QMouseEvent* e) {
    emit mouseUp(e, ControlToBitmap(e->position().toPoint()));
}

void ImgView32::leaveEvent(QEvent* e) {
    QAbstractScrollArea::leaveEvent(e);
    emit mouseLeave();
}
