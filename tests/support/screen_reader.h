#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

// Operates a box as a screen reader does: its toggle action changes the box and emits no click.
inline void toggleAsScreenReader(QAbstractButton* box)
{
    QAccessible::queryAccessibleInterface(box)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

// The texts of the labels a control is labelled by, joined by "|"; a group box around it is no label.
inline QString labelsOf(QWidget* control)
{
    QStringList texts;
    for (const auto& [label, relation] : QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label))
        if (qobject_cast<QLabel*>(label->object()))
            texts << label->text(QAccessible::Name);
    return texts.join(QLatin1Char('|'));
}

// The input controls of `window` a screen reader reads without a name. On Linux a
// combo box is named by its current text, so only a label names it there.
inline QStringList unnamedControls(const QWidget& window)
{
    QStringList unnamed;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const bool combo = qobject_cast<QComboBox*>(control) != nullptr;
        if ((combo || qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractButton*>(control)) &&
            !qobject_cast<QComboBox*>(control->parentWidget()) && labelsOf(control).isEmpty() &&
            (combo || QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty()))
            unnamed << control->objectName();
    }
    return unnamed;
}
