#pragma once

#include <QMetaProperty>
#include <QRect>
#include <QWidget>

// A control in the design's look made in code: a new control of the design's own control's class
// beside it, with every stored property of that control, its font, a name and a place of its own.
template <typename T>
T* CloneControl(T* source, const char* name, QRect place)
{
    auto* control = new T(source->parentWidget());
    const QMetaObject* meta = source->metaObject();
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isWritable() || !property.isStored())
            continue;
        // A value the new control already holds is not written again: some setters rebuild a part of
        // the control even for an unchanged value (a drop-down list's icon size makes its whole list).
        const QVariant value = property.read(source);
        if (property.read(control) != value)
            property.write(control, value);
    }
    control->setFont(source->font());
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(place);
    control->show();
    return control;
}
