#include "Demopre.h"

#include "ErrorReport.h"
#include "PreviewGlyphs.h"
#include "ReportPdf.h"
#include "RpPreview.h"
#include "RpPrinter.h"
#include "UpDown.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

TPrevForm *PrevForm = nullptr;

namespace {

// The page box holds a 16-bit signed number.
constexpr int MaxPageBox = 32767;

QPushButton *glyphButton(QWidget *parent, const char *name, PreviewGlyph glyph, const QString &hint)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(previewGlyph(glyph));
    b->setIconSize(QSize(16, 16));
    b->setFixedSize(25, 25);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setAutoDefault(false);
    return b;
}

// Enter on the button it watches clicks it, as Space does.
class EnterClicks : public QObject {
public:
    explicit EnterClicks(QPushButton *button) : QObject(button), button_(button) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        button_->click();
        return true;
    }

private:
    QPushButton *button_;
};

} // namespace

TPrevForm::TPrevForm(TRpPrinter &store, QWidget *parent) : QDialog(parent), store_(store)
{
    setObjectName(QStringLiteral("PrevForm"));
    setWindowTitle(QStringLiteral("Relatório"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(41);
    Label1 = new QLabel(QStringLiteral("Página"), Panel1);
    Edit1 = new QLineEdit(QStringLiteral("1"), Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFixedWidth(40);
    Label1->setBuddy(Edit1);
    UpDown1 = new TUpDown(Edit1, Panel1);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    Label2 = new QLabel(QStringLiteral("Zoom"), Panel1);
    SpinEdit2 = new QSpinBox(Panel1);
    SpinEdit2->setObjectName(QStringLiteral("SpinEdit2"));
    SpinEdit2->setRange(10, 300);
    SpinEdit2->setSingleStep(10);
    SpinEdit2->setValue(100);
    SpinEdit2->setFixedWidth(60);
    // The zoom changes through the arrows only.
    SpinEdit2->findChild<QLineEdit *>()->setReadOnly(true);
    Label2->setBuddy(SpinEdit2);
    BitBtn4 = glyphButton(Panel1, "BitBtn4", PreviewGlyph::Page,
                          QStringLiteral("Altera o relatório para a largura da tela"));
    BitBtn3 = glyphButton(Panel1, "BitBtn3", PreviewGlyph::FramedPage,
                          QStringLiteral("Altera o relatório para o tamanho da tela"));
    BitBtn1 = glyphButton(Panel1, "BitBtn1", PreviewGlyph::Printer, QStringLiteral("Imprime"));
    BitBtn2 = glyphButton(Panel1, "BitBtn2", PreviewGlyph::Door, QStringLiteral("Termina"));
    // Enter on the focused print button prints, as the window opens. It is no auto-default
    // button: a dialog keeps the first of those that had the focus as its default, and Enter in
    // the page box or the zoom box would print.
    BitBtn1->installEventFilter(new EnterClicks(BitBtn1));

    auto *bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(8, 0, 8, 0);
    bar->setSpacing(4);
    bar->addWidget(Label1);
    bar->addWidget(Edit1);
    bar->addWidget(UpDown1);
    bar->addSpacing(12);
    bar->addWidget(Label2);
    bar->addWidget(SpinEdit2);
    bar->addSpacing(12);
    for (QPushButton *b : {BitBtn4, BitBtn3, BitBtn1, BitBtn2})
        bar->addWidget(b);
    bar->addStretch();

    RpPreview1 = new TRpPreview(store_, this);
    RpPreview1->setObjectName(QStringLiteral("RpPreview1"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(RpPreview1, 1);

    connect(SpinEdit2, &QSpinBox::valueChanged, this, melvora::reportingErrors(this, &TPrevForm::SpinEdit2Change));
    connect(UpDown1, &TUpDown::Click, this, melvora::reportingErrors(this, &TPrevForm::UpDown1Click));
    connect(BitBtn4, &QPushButton::clicked, this, melvora::reportingErrors(this, &TPrevForm::BitBtn4Click));
    connect(BitBtn3, &QPushButton::clicked, this, melvora::reportingErrors(this, &TPrevForm::BitBtn3Click));
    connect(BitBtn1, &QPushButton::clicked, this, melvora::reportingErrors(this, &TPrevForm::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, melvora::reportingErrors(this, &TPrevForm::BitBtn2Click));
}

void TPrevForm::ShowModal()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    exec();
}

void TPrevForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        melvora::runReportingErrors([this] { FormShow(); });
}

void TPrevForm::FormShow()
{
    RpPreview1->SetZoom(100);
    UpDown1->Increment = 1;
    UpDown1->SetRange(1, std::min(store_.PageCount, MaxPageBox));
    UpDown1->SetPosition(1);
    RpPreview1->SetPageNumber(1);
    SpinEdit2->setValue(100);
    BitBtn1->setFocus();
}

void TPrevForm::SpinEdit2Change()
{
    RpPreview1->SetZoom(SpinEdit2->value());
}

void TPrevForm::UpDown1Click()
{
    RpPreview1->SetPageNumber(UpDown1->Position());
}

void TPrevForm::BitBtn4Click()
{
    RpPreview1->ZoomToPageWidth();
    showFittedZoom();
}

void TPrevForm::BitBtn3Click()
{
    RpPreview1->ZoomToFitPage();
    showFittedZoom();
}

void TPrevForm::showFittedZoom()
{
    // The box limits the fitted zoom to 10..300; a change of the box applies its value as an
    // explicit zoom. A fit beyond the limits with the box already at that limit changes
    // nothing in the box, so the limit is applied here, lest the box and the page disagree.
    SpinEdit2->setValue(RpPreview1->Zoom());
    if (RpPreview1->Zoom() != SpinEdit2->value())
        SpinEdit2Change();
}

void TPrevForm::BitBtn1Click()
{
    // Without a printer the pages can still leave the program: as a PDF file.
    if (!store_.PrinterAvailable) {
        SavePagesAsPdfDialog(this, store_);
        return;
    }
    store_.Print();
}

void TPrevForm::BitBtn2Click()
{
    close();
}
