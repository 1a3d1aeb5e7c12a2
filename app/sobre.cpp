#include "sobre.h"

#include "FormPrincipal.h"
#include "Icons.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

TSobreForm::TSobreForm(TFormPrincipal *owner)
    : TChildForm(owner, QStringLiteral("Sobre"), Box::Minimise)
{
    setObjectName(QStringLiteral("SobreForm"));
    auto *contents = new QWidget;
    contents->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    // A raised panel sunk into the window: the two bevels of the panel.
    Panel1 = new QFrame;
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(0);
    auto *outer = new QFrame;
    outer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *outerLayout = new QVBoxLayout(outer);
    outerLayout->setContentsMargins(1, 1, 1, 1);
    outerLayout->addWidget(Panel1);

    Image1 = new QLabel;
    Image1->setPixmap(melvora::icon(QStringLiteral("melvora")).pixmap(48, 48));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFixedSize(64, 64);
    Image1->setAccessibleName(QStringLiteral("Melvora"));

    QFont bold = contents->font();
    bold.setBold(true);
    ProductName = new QLabel(QStringLiteral("Melvora"));
    ProductName->setFont(bold);
    Version = new QLabel(QStringLiteral("Versão 2.7"));
    Version->setFont(bold);
    YearsLabel = new QLabel(QStringLiteral("1996/1999"));

    auto *layout = new QGridLayout(Panel1);
    layout->setContentsMargins(10, 10, 24, 10);
    layout->setHorizontalSpacing(14);
    layout->addWidget(Image1, 0, 0, 3, 1, Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(ProductName, 0, 1);
    layout->addWidget(Version, 1, 1);
    layout->setRowMinimumHeight(2, 24);
    layout->addWidget(YearsLabel, 3, 1);

    auto *windowLayout = new QVBoxLayout(contents);
    windowLayout->setContentsMargins(8, 8, 8, 8);
    windowLayout->addWidget(outer);
    showInFrame(contents);
}

void TSobreForm::FormClose()
{
    owner()->commandDone(Command::Sobre);
}
