#include "RpStandardPreview.h"
#include "ErrorReport.h"
#include "RpPreview.h"
#include "RpPrinter.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString ReportFilter = QStringLiteral("Report files (*.RPP)");

enum class Glyph { FitPage, Zoom100, PageWidth, First, Previous, Next, Last, Print, Save, Load };

// The glyph drawn in one colour scheme: ink and fill, on a transparent square of size side.
QPixmap drawGlyph(Glyph glyph, int side, bool enabled)
{
    const qreal dpr = qApp->devicePixelRatio();
    QPixmap pm(QSize(side, side) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = enabled ? QColor(0, 0, 0) : QColor(128, 128, 128);
    const QColor fill = enabled ? QColor(0, 0, 128) : QColor(160, 160, 160);
    const QColor paper = enabled ? QColor(255, 255, 255) : QColor(224, 224, 224);
    p.scale(side / 16.0, side / 16.0); // every glyph is drawn on a 16 × 16 grid
    p.setPen(QPen(ink, 1));
    auto sheet = [&](QRectF r) {
        p.setBrush(paper);
        p.drawRect(r);
    };
    auto triangle = [&](qreal tipX, qreal baseX) {
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPolygon(QPolygonF({QPointF(tipX, 8), QPointF(baseX, 3), QPointF(baseX, 13)}));
    };
    auto bar = [&](qreal x) {
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRect(QRectF(x, 3, 2, 10));
    };
    switch (glyph) {
    case Glyph::FitPage: // a whole sheet inside the window's corners
        sheet(QRectF(5.5, 3.5, 5, 9));
        p.setPen(QPen(fill, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(1, 4), QPointF(1, 1), QPointF(4, 1)}));
        p.drawPolyline(QPolygonF({QPointF(12, 1), QPointF(15, 1), QPointF(15, 4)}));
        p.drawPolyline(QPolygonF({QPointF(15, 12), QPointF(15, 15), QPointF(12, 15)}));
        p.drawPolyline(QPolygonF({QPointF(4, 15), QPointF(1, 15), QPointF(1, 12)}));
        break;
    case Glyph::Zoom100: {
        QFont f = p.font();
        f.setPixelSize(8);
        f.setBold(true);
        p.setFont(f);
        p.setPen(fill);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("1:1"));
        break;
    }
    case Glyph::PageWidth:
        sheet(QRectF(1.5, 3.5, 13, 9));
        p.setPen(QPen(fill, 1.2));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        p.drawLine(QPointF(3, 8), QPointF(5, 6));
        p.drawLine(QPointF(3, 8), QPointF(5, 10));
        p.drawLine(QPointF(13, 8), QPointF(11, 6));
        p.drawLine(QPointF(13, 8), QPointF(11, 10));
        break;
    case Glyph::First:
        bar(3);
        triangle(5, 12);
        break;
    case Glyph::Previous:
        triangle(4, 11);
        break;
    case Glyph::Next:
        triangle(12, 5);
        break;
    case Glyph::Last:
        triangle(11, 4);
        bar(11);
        break;
    case Glyph::Print:
        sheet(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(enabled ? QColor(192, 192, 192) : QColor(208, 208, 208));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
        sheet(QRectF(4.5, 10.5, 7, 4));
        break;
    case Glyph::Save:
        p.setBrush(fill);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        sheet(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(paper);
        p.drawRect(QRectF(4.5, 9.5, 7, 5));
        break;
    case Glyph::Load: {
        p.setBrush(enabled ? QColor(240, 200, 80) : QColor(208, 208, 208));
        QPainterPath folder;
        folder.moveTo(1.5, 13.5);
        folder.lineTo(1.5, 3.5);
        folder.lineTo(6, 3.5);
        folder.lineTo(7.5, 5);
        folder.lineTo(14.5, 5);
        folder.lineTo(14.5, 13.5);
        folder.closeSubpath();
        p.drawPath(folder);
        p.setPen(QPen(fill, 1.2));
        p.drawLine(QPointF(8, 12), QPointF(8, 7));
        p.drawLine(QPointF(8, 7), QPointF(6, 9));
        p.drawLine(QPointF(8, 7), QPointF(10, 9));
        break;
    }
    }
    return pm;
}

QIcon glyphIcon(Glyph glyph, int side)
{
    QIcon icon;
    icon.addPixmap(drawGlyph(glyph, side, true), QIcon::Normal);
    icon.addPixmap(drawGlyph(glyph, side, false), QIcon::Disabled);
    return icon;
}

} // namespace

TRpStandardPreview::TRpStandardPreview(TRpPrinter &store, QWidget *parent)
    : QDialog(parent, Qt::Window), store_(store)
{
    setWindowTitle(store.PreviewCaption);
    resize(500, 400);
    setWindowState(Qt::WindowMaximized);
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ToolPanel"));
    panel->setFixedHeight(28);
    auto *tools = new QHBoxLayout(panel);
    tools->setContentsMargins(2, 1, 2, 1);
    tools->setSpacing(2);
    auto button = [&](const char *name, Glyph glyph, int side, const QString &hint) {
        auto *b = new QToolButton(panel);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(glyphIcon(glyph, side));
        b->setIconSize(QSize(side, side));
        b->setAutoRaise(true);
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setFocusPolicy(Qt::TabFocus);
        tools->addWidget(b);
        return b;
    };
    Preview = new TRpPreview(store, this);
    Preview->setObjectName(QStringLiteral("Preview"));
    if (store.ZoomButtons) {
        BFitPage = button("BFitPage", Glyph::FitPage, 24, QStringLiteral("Fit in Window"));
        B100 = button("B100", Glyph::Zoom100, 24, QStringLiteral("100%"));
        BPageWidth = button("BPageWidth", Glyph::PageWidth, 24, QStringLiteral("Page Width"));
        connect(BFitPage, &QToolButton::clicked, Preview, melvora::reportingErrors(Preview, &TRpPreview::ZoomToFitPage));
        connect(B100, &QToolButton::clicked, this, melvora::reportingErrors([this] { Preview->SetZoom(100); }));
        connect(BPageWidth, &QToolButton::clicked, Preview, melvora::reportingErrors(Preview, &TRpPreview::ZoomToPageWidth));
    } else {
        EZoom = new QComboBox(panel);
        EZoom->setObjectName(QStringLiteral("EZoom"));
        EZoom->addItems({QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                         QStringLiteral("150%"), QStringLiteral("Page Width"),
                         QStringLiteral("Fit in Window")});
        EZoom->setCurrentIndex(2);
        EZoom->setAccessibleName(QStringLiteral("Zoom"));
        tools->addWidget(EZoom);
        connect(EZoom, &QComboBox::activated, this, melvora::reportingErrors(this, &TRpStandardPreview::ZoomListChange));
    }
    BFirst = button("BFirst", Glyph::First, 16, QStringLiteral("First page"));
    BPrevious = button("BPrevious", Glyph::Previous, 16, QStringLiteral("Previous page"));
    EPage = new QLabel(panel);
    EPage->setObjectName(QStringLiteral("EPage"));
    EPage->setFixedWidth(110);
    EPage->setAlignment(Qt::AlignCenter);
    EPage->setFrameShape(QFrame::Panel);
    EPage->setFrameShadow(QFrame::Sunken);
    tools->addWidget(EPage);
    BNext = button("BNext", Glyph::Next, 16, QStringLiteral("Next page"));
    BLast = button("BLast", Glyph::Last, 16, QStringLiteral("Last page"));
    connect(BFirst, &QToolButton::clicked, this, melvora::reportingErrors(this, &TRpStandardPreview::FirstClick));
    connect(BPrevious, &QToolButton::clicked, this, melvora::reportingErrors(this, &TRpStandardPreview::PreviousClick));
    connect(BNext, &QToolButton::clicked, this, melvora::reportingErrors(this, &TRpStandardPreview::NextClick));
    connect(BLast, &QToolButton::clicked, this, melvora::reportingErrors(this, &TRpStandardPreview::LastClick));
    if (store.AllowPrint) {
        BPrint = button("BPrint", Glyph::Print, 16, QStringLiteral("Print report"));
        BPrint->setEnabled(store.PrinterAvailable);
        connect(BPrint, &QToolButton::clicked, this, melvora::reportingErrors(this, &TRpStandardPreview::PrintClick));
    }
    if (store.AllowSave) {
        BSave = button("BSave", Glyph::Save, 16, QStringLiteral("Save report"));
        connect(BSave, &QToolButton::clicked, this, melvora::reportingErrors(this, &TRpStandardPreview::SaveClick));
    }
    if (store.AllowLoad) {
        BLoad = button("BLoad", Glyph::Load, 16, QStringLiteral("Load report"));
        connect(BLoad, &QToolButton::clicked, this, melvora::reportingErrors(this, &TRpStandardPreview::LoadClick));
    }
    BExit = new QPushButton(QStringLiteral("&Exit"), panel);
    BExit->setObjectName(QStringLiteral("BExit"));
    BExit->setFixedWidth(60);
    BExit->setAutoDefault(false);
    tools->addWidget(BExit);
    tools->addStretch();
    connect(BExit, &QPushButton::clicked, this, melvora::reportingErrors(this, &QDialog::reject)); // Escape presses it too

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(Preview, 1);
    UpdatePage();
}

void TRpStandardPreview::UpdatePage()
{
    const int page = store_.CurrentPage, count = store_.PageCount;
    EPage->setText(QStringLiteral("Page %1 of %2").arg(page).arg(count));
    // Without pages (a file of none) there is nowhere to go: every button is disabled.
    BFirst->setEnabled(page > 1);
    BPrevious->setEnabled(page > 1);
    BNext->setEnabled(page < count);
    BLast->setEnabled(page < count);
}

void TRpStandardPreview::FirstClick()
{
    Preview->SetPageNumber(1);
    UpdatePage();
}

void TRpStandardPreview::PreviousClick()
{
    if (Preview->PageNumber() >= 2)
        Preview->SetPageNumber(Preview->PageNumber() - 1);
    UpdatePage();
}

void TRpStandardPreview::NextClick()
{
    if (Preview->PageNumber() < store_.PageCount)
        Preview->SetPageNumber(Preview->PageNumber() + 1);
    UpdatePage();
}

void TRpStandardPreview::LastClick()
{
    Preview->SetPageNumber(store_.PageCount);
    UpdatePage();
}

void TRpStandardPreview::PrintClick()
{
    BPrint->setEnabled(false);
    try {
        store_.Print();
    } catch (...) {
        BPrint->setEnabled(true);
        throw;
    }
    BPrint->setEnabled(true);
}

void TRpStandardPreview::SaveClick()
{
    QFileDialog dialog(this, QString(), QString(), ReportFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("RPP"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        store_.SaveToFile(dialog.selectedFiles().constFirst());
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
}

void TRpStandardPreview::LoadClick()
{
    QFileDialog dialog(this, QString(), QString(), ReportFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    try {
        store_.LoadFromFile(dialog.selectedFiles().constFirst());
    } catch (...) {
        Preview->PagePainter()->update();
        UpdatePage();
        throw;
    }
    Preview->ShowFirstPage();
    UpdatePage();
}

void TRpStandardPreview::ZoomListChange(int index)
{
    switch (index) {
    case 0: Preview->SetZoom(50); break;
    case 1: Preview->SetZoom(75); break;
    case 2: Preview->SetZoom(100); break;
    case 3: Preview->SetZoom(150); break;
    case 4: Preview->ZoomToPageWidth(); break;
    case 5: Preview->ZoomToFitPage(); break;
    default: break;
    }
}

void TRpStandardPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    melvora::runReportingErrors([this] { Preview->UpdateSize(); });
}
