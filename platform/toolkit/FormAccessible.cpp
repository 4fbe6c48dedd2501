#include "platform/toolkit/FormAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "platform/toolkit/Forms.h"

namespace toolkit {

namespace {

// Qt asks with each class name of the object, most derived first.
QAccessibleInterface* interfaceFor(const QString& className, QObject* object) {
    if (className == QLatin1String("TForm"))
        if (auto* form = qobject_cast<TForm*>(object))
            return new QAccessibleWidget(form, QAccessible::Window);
    return nullptr;
}

}  // namespace

void InstallFormAccessibility() { QAccessible::installFactory(interfaceFor); }

}  // namespace toolkit
