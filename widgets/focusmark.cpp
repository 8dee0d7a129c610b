#include "widgets/focusmark.h"

#include <QApplication>
#include <QFocusFrame>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QSlider>
#include <QStyleOptionSlider>

#include "widgets/bitmapbutton.h"

namespace {
// Black outside, white inside, as on the tiles: one of the two stands out
// against any colour round it, and against any control it surrounds.
constexpr int blackWidth = 2;
constexpr int ringWidth = blackWidth + 1;

QRegion band(QRect outer, int width)
{
    return QRegion(outer).subtracted(outer.adjusted(width, width, -width, -width));
}

// A focus frame: Qt leaves it out of what assistive technology is told.
class Ring : public QFocusFrame {
public:
    explicit Ring(QWidget* window) : QFocusFrame(window) { setAttribute(Qt::WA_TransparentForMouseEvents); }

    void place(QRect r)
    {
        if (geometry() != r) {
            setGeometry(r);
            setMask(band(rect(), ringWidth));
        }
        raise();
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        for (const QRect& r : band(rect(), blackWidth))
            p.fillRect(r, Qt::black);
        for (const QRect& r : band(rect().adjusted(blackWidth, blackWidth, -blackWidth, -blackWidth), 1))
            p.fillRect(r, Qt::white);
    }
};

// Where the ring goes round `w`, in the coordinates of its window; empty
// when `w` gets none.
QRect markedRect(QWidget* w)
{
    QWidget* window = w->window();
    if (auto* bar = qobject_cast<QMenuBar*>(w)) {
        // After Alt the menu bar has the focus and draws its chosen item
        // like any other: the ring lies inside that item.
        QAction* a = bar->activeAction();
        if (!a)
            return {};
        const QRect r = bar->actionGeometry(a);
        return {bar->mapTo(window, r.topLeft()), r.size()};
    }
    // The tiles draw their own; what the keyboard never reaches (the board's
    // background) gets none.
    if (qobject_cast<BitmapButton*>(w) || !(w->focusPolicy() & Qt::TabFocus))
        return {};
    QRect r = w->rect();
    if (auto* s = qobject_cast<QSlider*>(w)) {
        // Round the groove and the handle, not the slider's empty margins,
        // which reach up to the label above it.
        QStyleOptionSlider o;
        o.initFrom(s);
        o.orientation = s->orientation();
        o.minimum = s->minimum();
        o.maximum = s->maximum();
        o.sliderPosition = s->sliderPosition();
        o.sliderValue = s->value();
        o.upsideDown = s->invertedAppearance();
        o.tickPosition = s->tickPosition();
        o.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
        const QRect groove = s->style()->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderGroove, s);
        const QRect handle = s->style()->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderHandle, s);
        const QRect inner = groove.united(handle);
        if (s->orientation() == Qt::Horizontal)
            r = QRect(r.left(), inner.top(), r.width(), inner.height());
        else
            r = QRect(inner.left(), r.top(), inner.width(), r.height());
    }
    r.adjust(-ringWidth, -ringWidth, ringWidth, ringWidth);
    return r.translated(w->mapTo(window, QPoint(0, 0)));
}

class FocusMarks : public QObject {
public:
    FocusMarks()
    {
        qApp->installEventFilter(this);
        connect(qApp, &QApplication::focusChanged, this, &FocusMarks::update);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress:
            keyboard = true;
            update();
            // What the key changes (the menu bar's chosen item) is known
            // only once the key has been handled.
            if (!pending_) {
                pending_ = true;
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        pending_ = false;
                        update();
                    },
                    Qt::QueuedConnection);
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::TouchBegin:
        case QEvent::TabletPress:
            if (keyboard) {
                keyboard = false;
                update();
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            if (o == target_)
                update();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void update()
    {
        QWidget* w = QApplication::focusWidget();
        const QRect r = keyboard && w && w->isVisible() ? markedRect(w) : QRect();
        target_ = r.isEmpty() ? nullptr : w;
        if (r.isEmpty()) {
            if (ring_)
                ring_->hide();
            return;
        }
        if (!ring_ || ring_->parentWidget() != w->window()) {
            delete ring_;
            ring_ = new Ring(w->window());
        }
        ring_->place(r);
    }

    bool keyboard = false; // the last input was a key
    QPointer<QWidget> target_;
    QPointer<Ring> ring_;
    bool pending_ = false;
};

QPointer<FocusMarks> marks;
} // namespace

void installFocusMarks()
{
    if (!marks)
        marks = new FocusMarks;
    marks->setParent(qApp); // gone with the application
}
