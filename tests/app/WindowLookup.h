#pragma once

// Finding and clicking the main window's widgets by name, as the player would click them.

#include <QCheckBox>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

namespace selektor::test {

template <class T = QWidget> T* child(const QObject* root, const QString& name) {
    T* found = root->findChild<T*>(name);
    if (!found)
        qFatal("No widget named %s", qPrintable(name));
    return found;
}

// Radio buttons and check boxes take clicks on their mark and text only, so they are clicked on the mark.
inline void click(QWidget* widget) {
    const bool marked = qobject_cast<QRadioButton*>(widget) || qobject_cast<QCheckBox*>(widget);
    const QPoint at = marked ? QPoint(6, widget->height() / 2) : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

inline void click(const QObject* root, const QString& name) {
    click(child(root, name));
}

} // namespace selektor::test
