// The engine's standard preview window, shown modally by the page store's Preview when no
// OnPreview hook is installed: a tool panel (zoom, page navigation, print, save, load, exit)
// above a TRpPreview. Which controls exist follows the store's ZoomButtons and Allow* flags.
//
// Navigation state: first and previous are disabled on page 1, next and last on the last page;
// print is enabled only when a printer is available.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class TRpPreview;
class TRpPrinter;

class TRpStandardPreview : public QDialog {
    Q_OBJECT
public:
    explicit TRpStandardPreview(TRpPrinter &store, QWidget *parent = nullptr);

    // Controls that are not offered are null.
    QToolButton *BFitPage = nullptr, *B100 = nullptr, *BPageWidth = nullptr;
    QComboBox *EZoom = nullptr;
    QToolButton *BFirst, *BPrevious, *BNext, *BLast;
    QLabel *EPage;
    QToolButton *BPrint = nullptr, *BSave = nullptr, *BLoad = nullptr;
    QPushButton *BExit;
    TRpPreview *Preview;

    void FirstClick();
    void PreviousClick();
    void NextClick();
    void LastClick();
    void PrintClick();
    void SaveClick();
    void LoadClick();
    void ZoomListChange(int index);
    // The page label and the navigation buttons (after every page change).
    void UpdatePage();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    TRpPrinter &store_;
};
