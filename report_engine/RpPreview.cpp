#include "RpPreview.h"
#include "ErrorReport.h"
#include "Rounding.h"
#include "RpPrinter.h"

#include <QPainter>
#include <QScrollBar>

using rp::roundHalfEven;

TRpCustomPreview::TRpCustomPreview(TRpPrinter &store, QWidget *parent)
    : QWidget(parent), store_(store)
{
    resize(50, 50);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TRpCustomPreview::paintEvent(QPaintEvent *)
{
    if (store_.Status() != TRpPrinter::psReady)
        return;
    const int w = width(), h = height();
    const double z = zoom_ * 0.01;
    QPainter p(this);
    // The paper, its outline, and the shadow on the right and at the bottom.
    p.fillRect(QRect(QPoint(0, 0), QPoint(w - 4, h - 4)), Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.drawPolyline(
        QPolygon({QPoint(0, 0), QPoint(0, h - 3), QPoint(w - 3, h - 3), QPoint(w - 3, 0), QPoint(0, 0)}));
    p.fillRect(QRect(QPoint(w - 2, 2), QPoint(w - 1, h - 1)), Qt::black);
    p.fillRect(QRect(QPoint(2, h - 2), QPoint(w - 1, h - 1)), Qt::black);
    const int left = roundHalfEven(store_.OffsetX * z) + 1;
    const int top = roundHalfEven(store_.OffsetY * z) + 1;
    const int right = roundHalfEven(store_.PageWidth * z);
    const int bottom = roundHalfEven(store_.PageHeight * z);
    p.setRenderHint(QPainter::TextAntialiasing);
    // A page that cannot be drawn stays blank; its error is shown once the painter is done.
    QString error;
    try {
        store_.StretchCurrentPage(p, QRect(left, top, right - left, bottom - top));
    } catch (const melvora::UserError &e) {
        error = e.message();
    }
    p.end();
    if (!error.isEmpty())
        melvora::showError(error);
}

TRpPreview::TRpPreview(TRpPrinter &store, QWidget *parent)
    : QScrollArea(parent), store_(store), painter_(new TRpCustomPreview(store))
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter); // a painter smaller than the control is centred
    setWidget(painter_);
    setBackgroundRole(QPalette::Dark);
    horizontalScrollBar()->setTracking(true);
    verticalScrollBar()->setTracking(true);
    store_.SetCurrentPage(1);
}

void TRpPreview::SetPageNumber(int n)
{
    if (n == pageNumber_ || n <= 0 || n > store_.PageCount)
        return;
    store_.SetCurrentPage(n);
    pageNumber_ = n;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    painter_->update();
}

void TRpPreview::ShowFirstPage()
{
    store_.SetCurrentPage(1);
    pageNumber_ = 1;
    UpdateSize();
    painter_->update();
}

void TRpPreview::SetZoom(int z)
{
    mode_ = zmExplicit;
    zoom_ = z;
    UpdateSize();
}

void TRpPreview::ZoomToFitPage()
{
    if (store_.PhysicalWidth <= 0 || store_.PhysicalHeight <= 0)
        return; // nothing measured yet
    const int zx = roundHalfEven(double(width()) / store_.PhysicalWidth * 98);
    const int zy = roundHalfEven(double(height()) / store_.PhysicalHeight * 98);
    SetZoom(std::min(zx, zy));
    mode_ = zmFitPage;
}

void TRpPreview::ZoomToPageWidth()
{
    if (store_.PhysicalWidth <= 0)
        return;
    SetZoom(roundHalfEven(double(width()) / store_.PhysicalWidth * 98));
    mode_ = zmPageWidth;
}

void TRpPreview::UpdateSize()
{
    const double z = zoom_ * 0.01;
    // A zoom of 0 or less leaves the shadow's 4 pixels at most.
    const int w = std::max(0, roundHalfEven(store_.PhysicalWidth * z) + 4);
    const int h = std::max(0, roundHalfEven(store_.PhysicalHeight * z) + 4);
    painter_->resize(w, h);
    // Centred when smaller than the control (the scroll area keeps it so while scrolling).
    painter_->move(w < width() ? (width() - w) / 2 : 0, h < height() ? (height() - h) / 2 : 0);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    painter_->setZoom(zoom_);
}

void TRpPreview::ReFit()
{
    if (mode_ == zmFitPage)
        ZoomToFitPage();
    else if (mode_ == zmPageWidth)
        ZoomToPageWidth();
    UpdateSize();
}

void TRpPreview::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    melvora::runReportingErrors([this] { ReFit(); });
}
