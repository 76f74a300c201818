#include "ui/layout.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace tarnwell::ui {

namespace {
double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}
}  // namespace

int px(double points) { return static_cast<int>(std::lround(points * logicalDpi() / 72.0)); }

QRect ptRect(double left, double top, double width, double height) {
    return QRect(px(left), px(top), px(width), px(height));
}

QSize ptSize(double width, double height) { return QSize(px(width), px(height)); }

void setFixedClientSize(QWidget* window, double widthPt, double heightPt) {
    window->setWindowFlags((window->windowFlags() | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                            Qt::WindowTitleHint | Qt::CustomizeWindowHint) &
                           ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                             Qt::WindowContextHelpButtonHint));
    window->setFixedSize(ptSize(widthPt, heightPt));
}

void centreOn(QWidget* window, const QWidget* over) {
    QRect area;
    if (over && over->isVisible()) {
        area = over->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

QFont makeFont(const QString& family, double pointSize, bool bold, bool italic) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QLabel* addLabel(QWidget* parent, const QString& objectName, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setGeometry(geometry);
    return label;
}

QPushButton* addButton(QWidget* parent, const QString& objectName, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* addReadOnlyField(QWidget* parent, const QString& objectName, QRect geometry) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setGeometry(geometry);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

}  // namespace tarnwell::ui
