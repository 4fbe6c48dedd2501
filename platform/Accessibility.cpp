#include "platform/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "platform/Chart.h"
#include "platform/ChartAccessible.h"
#include "platform/Forms.h"

namespace {

// Qt asks with each class name of the object, most derived first.
QAccessibleInterface* interfaceFor(const QString& className, QObject* object) {
    if (className == QLatin1String("TChart"))
        if (auto* chart = qobject_cast<TChart*>(object)) return new ChartAccessible(chart);
    if (className == QLatin1String("TForm"))
        if (auto* form = qobject_cast<TForm*>(object))
            return new QAccessibleWidget(form, QAccessible::Window);
    return nullptr;
}

}  // namespace

void InstallAccessibility() { QAccessible::installFactory(interfaceFor); }
