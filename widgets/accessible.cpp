#include "widgets/accessible.h"

#include <QAccessibleWidget>
#include <QVariant>

#include "widgets/window.h"

namespace {
const char decorative[] = "zm_decorative";

class ToolWindowAccessible : public QAccessibleWidget {
public:
    explicit ToolWindowAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Dialog) {}

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
            if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow() && !w->property(decorative).toBool())
                c.append(w);
        return c;
    }
};

QAccessibleInterface* factory(const QString&, QObject* o)
{
    auto* w = qobject_cast<ToolWindow*>(o);
    return w ? new ToolWindowAccessible(w) : nullptr;
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
    w->setProperty(decorative, true);
}
