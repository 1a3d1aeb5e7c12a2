// The preview control: one page of the page store shown as a sheet of paper with its shadow,
// at a zoom in percent, inside a scroll area. The zoom either follows the control's size (fit
// page, page width) or stays where it was set (explicit); a resize re-fits.
//
// TRpCustomPreview is the page painter, the scroll area's only child: the zoomed sheet plus
// 4 pixels for the shadow. It replays the page's vector drawing at every paint, so the page is
// as sharp as the screen (at any device pixel ratio) and at any zoom.
#pragma once

#include <QScrollArea>

class TRpPrinter;

class TRpCustomPreview : public QWidget {
    Q_OBJECT
public:
    TRpCustomPreview(TRpPrinter &store, QWidget *parent = nullptr);

    int zoom() const { return zoom_; }
    void setZoom(int zoom) { zoom_ = zoom; update(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TRpPrinter &store_;
    int zoom_ = 100;
};

class TRpPreview : public QScrollArea {
    Q_OBJECT
    Q_PROPERTY(int PageNumber READ PageNumber WRITE SetPageNumber)
    Q_PROPERTY(int Zoom READ Zoom WRITE SetZoom)
public:
    enum TRpZoomMode { zmFitPage, zmPageWidth, zmExplicit };

    // Shows the pages of that store.
    explicit TRpPreview(TRpPrinter &store, QWidget *parent = nullptr);

    int PageNumber() const { return pageNumber_; }
    // Ignored for the page already shown and outside 1..PageCount; otherwise selects the page,
    // scrolls to the top left and repaints.
    void SetPageNumber(int n);
    // After the store's pages were replaced (a loaded file): page 1, scrolled to the top left.
    void ShowFirstPage();

    int Zoom() const { return zoom_; }
    // An explicit zoom: kept when the control is resized.
    void SetZoom(int z);
    void ZoomToFitPage();
    void ZoomToPageWidth();
    TRpZoomMode ZoomMode() const { return mode_; }

    // Sizes and centres the painter for the zoom and scrolls to the top left.
    void UpdateSize();
    // After a resize: fit again in the fit modes; an explicit zoom does not change.
    void ReFit();

    TRpCustomPreview *PagePainter() const { return painter_; }
    TRpPrinter &store() const { return store_; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    TRpPrinter &store_;
    TRpCustomPreview *painter_;
    int pageNumber_ = 1;
    int zoom_ = 100;
    TRpZoomMode mode_ = zmFitPage;
};
