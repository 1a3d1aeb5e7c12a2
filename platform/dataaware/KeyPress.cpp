#include "KeyPress.h"

#include <QEvent>
#include <QKeyEvent>

namespace dataaware {

namespace {

class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QObject *parent, KeyPressHandler handler)
        : QObject(parent), handler_(std::move(handler))
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        QChar c;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            c = QChar(13);
        else if (!key->text().isEmpty())
            c = key->text().at(0);
        else
            return false; // not a character key: arrows, function keys
        handler_(c);
        return c.isNull();
    }

private:
    KeyPressHandler handler_;
};

bool takesTabFocus(const QWidget *w, const QWidget *container)
{
    return w != container && container->isAncestorOf(w) && w->isEnabled() && w->isVisible()
           && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
}

} // namespace

void onKeyPress(QWidget *control, KeyPressHandler handler)
{
    control->installEventFilter(new KeyPressFilter(control, std::move(handler)));
}

void focusNextControl(QWidget *from, QWidget *container)
{
    for (QWidget *w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (takesTabFocus(w, container)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace dataaware
