#include "ui/layout.h"

#include "ui/keyboard.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocument>
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

namespace {

// Where the text's last ink falls, from its start: a glyph's advance can
// run past its ink, and only the ink shows whether text is cut.
int inkWidth(const QFontMetrics& metrics, const QString& text) { return metrics.boundingRect(text).right() + 1; }

void shrinkUntil(QWidget* widget, double smallest, const std::function<bool(const QFontMetrics&)>& fits) {
    QFont font = widget->font();
    while (font.pointSizeF() - 0.25 >= smallest && !fits(QFontMetrics(font))) font.setPointSizeF(font.pointSizeF() - 0.25);
    if (font != widget->font()) widget->setFont(font);
}

}  // namespace

void fitText(QLabel* label, double smallest) {
    const QString text = label->text();
    if (text.isEmpty() || Qt::mightBeRichText(text)) return;  // figures come later; markup is not measured here
    const int margin = label->margin();
    const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    shrinkUntil(label, smallest, [&](const QFontMetrics& metrics) {
        if (!label->wordWrap()) return inkWidth(metrics, text) <= room.width();
        return metrics.boundingRect(room, Qt::TextWordWrap | int(label->alignment()), text).height() <= room.height();
    });
}

void fitText(QPushButton* button, double smallest) {
    QStyleOptionButton option;
    option.initFrom(button);
    const int room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    const QString text = button->text();
    shrinkUntil(button, smallest, [&](const QFontMetrics& metrics) { return inkWidth(metrics, text) <= room; });
}

QLabel* addLabel(QWidget* parent, const QString& objectName, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setGeometry(geometry);
    return label;
}

QLabel* addCaption(QWidget* parent, const QString& objectName, const QString& text, QRect geometry) {
    QLabel* label = addLabel(parent, objectName, text, geometry);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

QPushButton* addButton(QWidget* parent, const QString& objectName, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    // A caption broken over lines is said as one line.
    if (text.contains(QLatin1Char('\n'))) button->setAccessibleName(text.simplified());
    pressOnReturn(button);
    return button;
}

QPushButton* addButton(QWidget* parent, const QString& objectName, const QString& text, QRect geometry,
                       std::function<void()> onClick) {
    QPushButton* button = addButton(parent, objectName, text, geometry);
    QObject::connect(button, &QPushButton::clicked, button, [onClick = std::move(onClick)] { onClick(); });
    return button;
}

QCheckBox* addCheckBox(QWidget* parent, const QString& objectName, const QString& text, QRect geometry,
                       std::function<void()> onClick) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(objectName);
    box->setGeometry(geometry);
    if (onClick) QObject::connect(box, &QCheckBox::toggled, box, [onClick = std::move(onClick)] { onClick(); });
    return box;
}

QLineEdit* addReadOnlyField(QWidget* parent, const QString& objectName, QRect geometry) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setGeometry(geometry);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

QDoubleSpinBox* makeZoneMarginBox(QWidget* parent, const QString& objectName, double margin) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(objectName);
    box->setRange(0.0, 20.0);
    box->setSingleStep(0.5);
    box->setDecimals(1);
    box->setValue(margin);
    box->setToolTip(QStringLiteral("How far inside the zone's boundary a blend's mixture must lie"));
    box->setAccessibleName(QStringLiteral("Margin inside the zone, in Teas points"));
    return box;
}

void wrapCaption(QPushButton* button) {
    auto* wrap = new QLabel(button->text(), button);
    wrap->setObjectName(button->objectName() + QStringLiteral("_caption"));
    wrap->setWordWrap(true);
    wrap->setAlignment(Qt::AlignCenter);
    wrap->setAttribute(Qt::WA_TransparentForMouseEvents);
    wrap->setGeometry(button->rect().adjusted(4, 2, -4, -2));
    wrap->setFont(button->font());
    button->setStyleSheet(button->styleSheet() + QStringLiteral("QPushButton { color: transparent; }"));
}

}  // namespace tarnwell::ui
