#pragma once

// Drives and reads a dialog's controls by their object names.

#include "dialogs/ip_address_edit.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// Operates a box as a screen reader does: its toggle action changes the box and emits no click.
inline void toggleAsScreenReader(QObject* box)
{
    QAccessible::queryAccessibleInterface(box)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

using Fields = std::vector<std::pair<const char*, const char*>>;
using Texts = std::vector<std::string>;

// Sets named controls as a user does: a line edit's or address's text, a
// combo's item (or its edit text where no item matches), a box "on" or "off"
// through its accessible toggle.
inline void fill(const QObject& dialog, const Fields& values)
{
    for (const auto& [name, value] : values) {
        auto* control = dialog.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        const QString text = QString::fromUtf8(value);
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            const int index = combo->findText(text);
            ASSERT_TRUE(index >= 0 || combo->isEditable()) << name << " " << value;
            index >= 0 ? combo->setCurrentIndex(index) : combo->setEditText(text);
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            if (box->isChecked() != (text == "on"))
                toggleAsScreenReader(box);
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(text);
        } else {
            ASSERT_NE(qobject_cast<dialogs::CIpAddressEdit*>(control), nullptr) << name;
            qobject_cast<dialogs::CIpAddressEdit*>(control)->setText(text);
        }
    }
}

// What the named controls show, in fill's terms (a label its text).
inline Texts shown(const QObject& dialog, std::initializer_list<const char*> names)
{
    Texts texts;
    for (const char* name : names) {
        auto* control = dialog.findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* combo = qobject_cast<QComboBox*>(control))
            texts.push_back(combo->currentText().toStdString());
        else if (auto* box = qobject_cast<QCheckBox*>(control))
            texts.push_back(box->isChecked() ? "on" : "off");
        else if (auto* edit = qobject_cast<QLineEdit*>(control))
            texts.push_back(edit->text().toStdString());
        else
            texts.push_back(qobject_cast<QLabel*>(control) ? qobject_cast<QLabel*>(control)->text().toStdString() : "?");
    }
    return texts;
}

// The named controls that are enabled.
inline Texts enabledOf(const QObject& dialog, const Texts& names)
{
    Texts enabled;
    for (const std::string& name : names)
        if (auto* control = dialog.findChild<QWidget*>(QString::fromStdString(name)); control && control->isEnabled())
            enabled.push_back(name);
    return enabled;
}

// A combo's item texts.
inline Texts items(const QComboBox& combo)
{
    Texts texts;
    for (int i = 0; i < combo.count(); ++i)
        texts.push_back(combo.itemText(i).toStdString());
    return texts;
}
