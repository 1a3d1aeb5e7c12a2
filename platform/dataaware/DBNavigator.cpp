#include "DBNavigator.h"

#include "ErrorReport.h"
#include "Table.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace dataaware {

namespace {

// A glyph in a 16-unit square: a bar at the far end for first and last, one or two triangles.
void drawGlyph(QPainter &p, DBNavigator::Button which, const QColor &color)
{
    const bool back = which == DBNavigator::First || which == DBNavigator::Prior;
    const bool bar = which == DBNavigator::First || which == DBNavigator::Last;
    p.save();
    if (back) {
        p.translate(16, 0);
        p.scale(-1, 1); // first and prior are next and last mirrored
    }
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    QPainterPath triangle;
    const qreal left = bar ? 3.5 : 5;
    triangle.moveTo(left, 3);
    triangle.lineTo(left + 7, 8);
    triangle.lineTo(left, 13);
    triangle.closeSubpath();
    p.drawPath(triangle);
    if (bar)
        p.drawRect(QRectF(11.5, 3, 2, 10));
    p.restore();
}

QIcon navigatorIcon(DBNavigator::Button which, const QPalette &palette)
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        for (auto mode : {QIcon::Normal, QIcon::Disabled}) {
            QPixmap pm(size, size);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size / 16.0, size / 16.0);
            drawGlyph(p, which,
                      mode == QIcon::Normal ? palette.color(QPalette::Active, QPalette::ButtonText)
                                            : palette.color(QPalette::Disabled, QPalette::ButtonText));
            p.end();
            icon.addPixmap(pm, mode);
        }
    }
    return icon;
}

} // namespace

DBNavigator::DBNavigator(QWidget *parent) : QWidget(parent)
{
    static const char *const hints[] = {"Primeiro registro", "Registro anterior", "Próximo registro",
                                        "Último registro"};
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(0);
    for (int b = First; b <= Last; ++b) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringList{"First", "Prior", "Next", "Last"}[b]);
        button->setIcon(navigatorIcon(Button(b), palette()));
        button->setIconSize(QSize(16, 16));
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(QString::fromUtf8(hints[b]));
        button->setAccessibleName(QString::fromUtf8(hints[b]));
        button->setMinimumSize(28, 24);
        connect(button, &QToolButton::clicked, this, melvora::reportingErrors([this, b] { press(Button(b)); }));
        row->addWidget(button);
        buttons_[b] = button;
    }
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QStringLiteral("Navegador de registros"));
    updateButtons();
}

void DBNavigator::setDataSource(DataSource *source)
{
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source) {
        connect(source, &DataSource::recordChanged, this, &DBNavigator::updateButtons);
        connect(source, &DataSource::stateChanged, this, &DBNavigator::updateButtons);
        connect(source, &DataSource::dataChanged, this, &DBNavigator::updateButtons);
    }
    updateButtons();
}

void DBNavigator::press(Button which)
{
    tables::Table *t = source_ ? source_->dataSet() : nullptr;
    if (!t || !t->isOpen() || !buttons_[which]->isEnabled())
        return;
    switch (which) {
    case First: t->first(); break;
    case Prior: t->prior(); break;
    case Next: t->next(); break;
    case Last: t->last(); break;
    }
    updateButtons(); // a step onto the end of the table moves no record, so no signal tells it
}

void DBNavigator::updateButtons()
{
    const tables::Table *t = source_ ? source_->dataSet() : nullptr;
    const bool records = t && t->isOpen() && !t->isEmpty();
    buttons_[First]->setEnabled(records && !t->bof());
    buttons_[Prior]->setEnabled(records && !t->bof());
    buttons_[Next]->setEnabled(records && !t->eof());
    buttons_[Last]->setEnabled(records && !t->eof());
}

void DBNavigator::keyPressEvent(QKeyEvent *event)
{
    Button button;
    switch (event->key()) {
    case Qt::Key_Home: button = First; break;
    case Qt::Key_Left: case Qt::Key_Up: case Qt::Key_PageUp: button = Prior; break;
    case Qt::Key_Right: case Qt::Key_Down: case Qt::Key_PageDown: button = Next; break;
    case Qt::Key_End: button = Last; break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
    melvora::runReportingErrors([&] { press(button); });
}

void DBNavigator::paintEvent(QPaintEvent *)
{
    if (!hasFocus())
        return;
    QStylePainter p(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(0, 0, -1, -1);
    p.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void DBNavigator::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void DBNavigator::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace dataaware
