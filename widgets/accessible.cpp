#include "widgets/accessible.h"

#include <QAccessibleWidget>
#include <QFocusFrame>
#include <QVariant>

#include "widgets/imagebox.h"
#include "widgets/window.h"

namespace {
const char decorative[] = "zm_decorative";
const char hasDecorative[] = "zm_hasDecorative";

// A window or panel that leaves its decorative children out.
class FilteredAccessible : public QAccessibleWidget {
public:
    FilteredAccessible(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> c = children();
        return index >= 0 && index < c.size() ? QAccessible::queryAccessibleInterface(c[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(children().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }

private:
    QList<QWidget*> children() const
    {
        QList<QWidget*> c;
        for (QObject* o : widget()->children())
            if (auto* w = qobject_cast<QWidget*>(o);
                w && !w->isWindow() && !w->property(decorative).toBool() && !qobject_cast<QFocusFrame*>(w))
                c.append(w);
        return c;
    }
};

QAccessibleInterface* factory(const QString&, QObject* o)
{
    if (auto* w = qobject_cast<ToolWindow*>(o))
        return new FilteredAccessible(w, QAccessible::Dialog);
    // A picture is read as one, with its name, not as an empty panel.
    if (auto* w = qobject_cast<ImageBox*>(o))
        return new QAccessibleWidget(w, QAccessible::Graphic);
    if (auto* w = qobject_cast<QWidget*>(o); w && w->property(hasDecorative).toBool())
        return new FilteredAccessible(w, QAccessible::Client);
    return nullptr;
}
} // namespace

void installAccessibility()
{
    static bool done = false;
    if (!done)
        QAccessible::installFactory(factory);
    done = true;
}

void hideFromAccessibility(QWidget* w)
{
    installAccessibility();
    w->setProperty(decorative, true);
    if (w->parentWidget())
        w->parentWidget()->setProperty(hasDecorative, true);
}

void announceFocusAgain(QWidget* w)
{
    if (!w->hasFocus())
        return;
    if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(a));
    QAccessibleEvent e(w, QAccessible::Focus);
    QAccessible::updateAccessibility(&e);
}
