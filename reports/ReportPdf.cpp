#include "ReportPdf.h"

#include "Rounding.h"
#include "RpPrinter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardPaths>

const char *const PdfDialogCaption = "Não há impressora instalada: gravar o relatório em PDF";
const char *const PdfFilter = "Arquivos PDF (*.pdf)";

namespace {

// PDF device pixels per inch: the painter works in page units scaled by this over 96.
constexpr int PdfResolution = 1200;

QPageLayout sheetLayout(const TRpPrinter &store)
{
    const double inch = rp::PageUnitsPerInch;
    const double w = store.PhysicalWidth / inch, h = store.PhysicalHeight / inch;
    // A page size is portrait by definition; a wide sheet is its transpose, turned.
    const bool wide = w > h;
    const QPageSize size(wide ? QSizeF(h, w) : QSizeF(w, h), QPageSize::Inch, QString(),
                         QPageSize::ExactMatch);
    return QPageLayout(size, wide ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

// The page drawing's place on the sheet as the preview paints it at zoom 100: from the
// printing offset (one pixel in, past the sheet's outline) to the printable area's size.
QRect drawingOnSheet(const TRpPrinter &store)
{
    const int left = store.OffsetX + 1, top = store.OffsetY + 1;
    return QRect(left, top, store.PageWidth - left, store.PageHeight - top);
}

} // namespace

void SavePagesAsPdf(TRpPrinter &store, const QString &fileName, const QString &title)
{
    if (store.Status() != TRpPrinter::psReady || store.Pages().isEmpty())
        throw TRpError(QStringLiteral("Não há páginas de relatório para gravar em %1").arg(fileName));
    if (store.PhysicalWidth <= 0 || store.PhysicalHeight <= 0)
        throw TRpError(QStringLiteral("O tamanho da folha do relatório é desconhecido"));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw TRpError(
            QStringLiteral("Não foi possível criar o arquivo %1: %2").arg(fileName, file.errorString()));
    const int remembered = store.CurrentPage;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(PdfResolution);
        pdf.setPageLayout(sheetLayout(store));
        pdf.setTitle(title.isEmpty() ? store.Title : title);
        pdf.setCreator(QStringLiteral("Melvora"));
        QPainter painter;
        if (!painter.begin(&pdf))
            throw TRpError(QStringLiteral("Não foi possível gravar o arquivo %1").arg(fileName));
        const double scale = double(PdfResolution) / rp::PageUnitsPerInch;
        painter.scale(scale, scale);
        const QRect target = drawingOnSheet(store);
        const int count = int(store.Pages().size());
        for (int i = 1; i <= count; ++i) {
            if (i > 1)
                pdf.newPage();
            store.SetCurrentPage(i);
            painter.save();
            store.StretchCurrentPage(painter, target);
            painter.restore();
        }
        store.SetCurrentPage(remembered);
        if (!painter.end())
            throw TRpError(QStringLiteral("Não foi possível gravar o arquivo %1").arg(fileName));
    }
    if (!file.commit())
        throw TRpError(
            QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(fileName, file.errorString()));
}

bool SavePagesAsPdfDialog(QWidget *parent, TRpPrinter &store)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    QFileDialog dialog(parent, QString::fromUtf8(PdfDialogCaption), folder, QString::fromUtf8(PdfFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.selectFile(QStringLiteral("relatorio.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        SavePagesAsPdf(store, dialog.selectedFiles().constFirst());
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
    return true;
}
