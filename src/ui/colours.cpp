#include "ui/colours.h"

#include <QPalette>
#include <QWidget>

namespace tarnwell::ui::colours {

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    p.setColor(QPalette::ButtonText, colour);
    widget->setPalette(p);
}

QColor textColour(const QWidget* widget) { return widget->palette().color(widget->foregroundRole()); }

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Button, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QColor background(const QWidget* widget) {
    return widget->palette().color(widget->backgroundRole() == QPalette::Window ? QPalette::Window
                                                                                : widget->backgroundRole());
}

}  // namespace tarnwell::ui::colours
