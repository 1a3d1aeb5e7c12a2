#include "ImagePrinter.h"

#include <QPainter>

namespace {

// A new page moves the painter one sheet down.
class ImageJob : public TRpPrintJob {
public:
    ImageJob(Printout &printout, int sheetsKept) : printout_(printout)
    {
        const QStringList titles = printout_.titles;
        printout_ = Printout();
        printout_.titles = titles;
        printout_.image = QImage(ImagePrinter::SheetWidth, ImagePrinter::SheetHeight * sheetsKept, QImage::Format_RGB32);
        printout_.image.fill(Qt::white);
        painter_.begin(&printout_.image);
        printout_.sheets = 1;
    }
    TRpPrinterMetrics metrics() const override
    {
        return {ImagePrinter::SheetWidth, ImagePrinter::SheetHeight, 96, 96, false, 0, 0, 0, 0};
    }
    QPainter &painter() override { return painter_; }
    void newPage() override
    {
        painter_.translate(0, ImagePrinter::SheetHeight);
        ++printout_.sheets;
    }
    void end() override
    {
        painter_.end();
        printout_.ended = true;
    }
    void abort() override
    {
        painter_.end();
        printout_.aborted = true;
    }

private:
    Printout &printout_;
    QPainter painter_;
};

} // namespace

std::unique_ptr<TRpPrintJob> ImagePrinter::beginJob(const QString &title)
{
    printout_.titles.append(title);
    return std::make_unique<ImageJob>(printout_, kept_);
}
