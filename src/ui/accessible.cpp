#include "ui/accessible.h"

#include "ui/colours.h"

#include <QLabel>
#include <QVariant>

namespace tarnwell::ui {

namespace {
constexpr const char* kCaptionProperty = "tarnwellValueCaption";

// A value label's description becomes its caption and, after a comma,
// `remark` (just the caption when the remark is empty).
void setValueRemark(QLabel* label, const QString& remark) {
    const QString caption = label->property(kCaptionProperty).toString();
    label->setAccessibleDescription(remark.isEmpty() ? caption : caption + QStringLiteral(", ") + remark);
}
}  // namespace

QString meaningOf(Figure figure) {
    switch (figure) {
    case Figure::N: return QStringLiteral("Dispersion forces, percent");
    case Figure::D: return QStringLiteral("Polar forces, percent");
    case Figure::W: return QStringLiteral("Hydrogen bonding forces, percent");
    case Figure::Twa: return QStringLiteral("Exposure limit, time-weighted average in ppm; a higher limit is safer");
    case Figure::Vhr: return QStringLiteral("Vapor hazard ratio; a lower ratio is safer");
    }
    return QString();
}

void setSpokenName(QWidget* control, const QString& name, const QString& description) {
    control->setAccessibleName(name);
    if (!description.isEmpty()) control->setAccessibleDescription(description);
}

void describeValue(QLabel* label, const QString& caption) {
    label->setProperty(kCaptionProperty, caption);
    label->setAccessibleDescription(caption);
}

void showTotalState(QLabel* total, bool right, const QString& rightRemark, const QString& wrongRemark) {
    colours::setTextColour(total, right ? colours::green() : colours::red());
    setValueRemark(total, right ? rightRemark : wrongRemark);
}

void showSafety(QLabel* figure, Safety safety, const QString& other) {
    switch (safety) {
    case Safety::Unrated:
        setValueRemark(figure, QString());
        return;
    case Safety::Safer:
        colours::setTextColour(figure, colours::green());
        setValueRemark(figure, QStringLiteral("safer than ") + other);
        return;
    case Safety::LessSafe:
        colours::setTextColour(figure, colours::red());
        setValueRemark(figure, QStringLiteral("less safe than ") + other);
        return;
    case Safety::Same:
        colours::setTextColour(figure, colours::windowFrame());
        setValueRemark(figure, QStringLiteral("as safe as ") + other);
        return;
    }
}

}  // namespace tarnwell::ui
