#include "clipped_text.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocument>

#include <algorithm>

namespace tarnwell::testing {
namespace {

// What a caption shows: a single & marks its mnemonic and is not drawn.
QString shown(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

int widestLine(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.boundingRect(line).right() + 1);  // the ink, not the advance
    return widest;
}

QString fault(const QWidget* control, const QString& text, int need, int room) {
    return QStringLiteral("%1 \"%2\": needs %3 px, has %4").arg(control->objectName(), text).arg(need).arg(room);
}

}  // namespace

QStringList clippedTexts(QWidget* window) {
    QStringList faults;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        const QString text = label->text();
        if (text.isEmpty() || !label->isVisibleTo(window) || Qt::mightBeRichText(text)) continue;
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                                          -label->margin());
        const QString drawn = label->buddy() ? shown(text) : text;
        if (label->wordWrap()) {
            const int need = label->fontMetrics().boundingRect(room, Qt::TextWordWrap | int(label->alignment()), drawn)
                                 .height();
            if (need > room.height()) faults << fault(label, drawn, need, room.height()) + QStringLiteral(" (height)");
        } else {
            const int need = widestLine(label->fontMetrics(), drawn);
            if (need > room.width()) faults << fault(label, drawn, need, room.width());
        }
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || !button->isVisibleTo(window)) continue;
        // A wrapped caption is drawn by its own label, checked above.
        if (button->findChild<QLabel*>(button->objectName() + QStringLiteral("_caption"))) continue;
        const QString text = shown(button->text());
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = text;
        const bool box = qobject_cast<QCheckBox*>(button) != nullptr;
        const int room =
            button->style()->subElementRect(box ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option,
                                            button).width();
        const int need = widestLine(button->fontMetrics(), text);
        if (need > room) faults << fault(button, text, need, room);
    }
    return faults;
}

}  // namespace tarnwell::testing
