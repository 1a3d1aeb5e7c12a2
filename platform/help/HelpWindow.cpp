#include "HelpWindow.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace help {

namespace {

QToolButton *button(QWidget *parent, const QString &text, const QString &tip, const QKeySequence &keys)
{
    auto *b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(tip + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    b->setAccessibleName(tip);
    b->setShortcut(keys);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

} // namespace

HelpWindow::HelpWindow()
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Ajuda"));

    contents_ = button(this, QStringLiteral("&Conteúdo"), QStringLiteral("Volta ao conteúdo do manual"),
                       QKeySequence(Qt::ALT | Qt::Key_Home));
    back_ = button(this, QStringLiteral("&Voltar"), QStringLiteral("Volta à página anterior"),
                   QKeySequence::Back);
    forward_ = button(this, QStringLiteral("&Avançar"), QStringLiteral("Avança para a página seguinte"),
                      QKeySequence::Forward);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("browser"));
    // Links outside the manual belong to the desktop's browser.
    browser_->setOpenExternalLinks(true);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 0);
    bar->addWidget(contents_);
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);

    connect(contents_, &QToolButton::clicked, browser_, &QTextBrowser::home);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Ajuda") : title);
    });
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(std::min(760, screen.width()), std::min(screen.height() * 4 / 5, 900));
}

void HelpWindow::showContents(const QString &file)
{
    // Every request starts afresh at the top of the manual, with no history behind it.
    browser_->setSource(QUrl::fromLocalFile(file));
    browser_->clearHistory();
    browser_->verticalScrollBar()->setValue(0);
    show();
    raise();
    activateWindow();
}

} // namespace help
