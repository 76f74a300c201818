#include "ui/colours.h"

#include <QPalette>
#include <QPushButton>
#include <QWidget>
#include <initializer_list>

namespace tarnwell::ui::colours {

namespace {
void setRoles(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles, const QColor& colour) {
    QPalette p = widget->palette();
    for (QPalette::ColorRole role : roles) p.setColor(role, colour);
    widget->setPalette(p);
}
}  // namespace

void setTextColour(QWidget* widget, const QColor& colour) {
    setRoles(widget, {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}, colour);
}

QColor textColour(const QWidget* widget) { return widget->palette().color(widget->foregroundRole()); }

void setBackground(QWidget* widget, const QColor& colour) {
    setRoles(widget, {QPalette::Base, QPalette::Window, QPalette::Button}, colour);
    widget->setAutoFillBackground(true);
}

void setButtonFace(QPushButton* button, const QColor& colour) {
    setBackground(button, colour);
    // Styles that draw their own button faces ignore the palette; a style
    // sheet they follow.
    button->setStyleSheet(button->styleSheet() +
                          QStringLiteral("QPushButton { background-color: %1; }").arg(colour.name()));
}

QColor background(const QWidget* widget) {
    return widget->palette().color(widget->backgroundRole() == QPalette::Window ? QPalette::Window
                                                                                : widget->backgroundRole());
}

}  // namespace tarnwell::ui::colours
