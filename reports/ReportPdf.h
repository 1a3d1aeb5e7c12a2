// Reports as PDF files. Each stored page of the page store becomes one PDF page the size of the
// sheet, with the page's recorded drawing replayed onto it where the preview places it at
// 100 percent, so the file shows page for page what the preview window shows. The command line
// writes reports this way, and so does the preview's print button when there is no printer.
#pragma once

#include <QString>

class QWidget;
class TRpPrinter;

// Writes every page of a ready store to fileName, titled title. An existing file of that name
// is replaced only once the new one is complete. The store keeps its current page. Throws
// TRpError when the store holds no pages or the file cannot be written.
void SavePagesAsPdf(TRpPrinter &store, const QString &fileName, const QString &title = QString());

// Asks for a file name with a save dialog (PDF files, confirming before it replaces a file)
// and writes the pages there. Returns false when the dialog was cancelled.
bool SavePagesAsPdfDialog(QWidget *parent, TRpPrinter &store);

// The save dialog's caption and file filter.
extern const char *const PdfDialogCaption;
extern const char *const PdfFilter;
