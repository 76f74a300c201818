#include "custom/frm_custom_params.h"

#include "core/messages.h"
#include "core/numbers.h"
#include "ui/accessible.h"
#include "ui/events.h"
#include "ui/layout.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cmath>

namespace tarnwell {

using ui::qs;

namespace {
constexpr int kStartRow = 50;  // the value 50 in a 100..0 list

}  // namespace

FrmCustomParams::FrmCustomParams(CustomSolventResult& result, ui::Platform& platform)
    : QDialog(nullptr), result_(result), platform_(platform) {
    setObjectName(QStringLiteral("frmCustomParams"));
    setWindowTitle(QStringLiteral("Enter a set of solubility parameters"));
    setModal(true);
    ui::setFixedClientSize(this, 297, 256.5);
    setFont(ui::makeFont(QStringLiteral("Arial"), 11, true));
    buildControls();
    UserForm_Initialize();
}

void FrmCustomParams::buildControls() {
    const QFont font11 = ui::makeFont(QStringLiteral("Arial"), 11, true);
    const QFont font10 = ui::makeFont(QStringLiteral("Arial"), 10, true);
    const QFont font12 = ui::makeFont(QStringLiteral("Arial"), 12, true);

    auto label = [&](const char* name, const QString& text, QRect place, const QFont& font) {
        QLabel* l = ui::addLabel(this, qs(name), text, place);
        l->setFont(font);
        return l;
    };
    label("Label2", QStringLiteral("N"), ui::ptRect(48, 6, 12, 12), font11);
    label("Label3", QStringLiteral("D"), ui::ptRect(94.2, 6, 12, 12), font11);
    label("Label4", QStringLiteral(" W "), ui::ptRect(136.2, 6, 24, 12), font11);

    auto list = [&](const char* name, QRect place) {
        QListWidget* l = ui::makePercentList(this, qs(name));
        l->setGeometry(place);
        l->setFont(font11);
        return l;
    };
    lists_ = {list("lstCustomN", ui::ptRect(30, 22.8, 50.7, 153.2)),
              list("lstCustomD", ui::ptRect(76.2, 22.8, 50.8, 153.2)),
              list("lstCustomW", ui::ptRect(121.8, 22.8, 50.8, 153.2))};
    for (std::size_t i = 0; i < 3; ++i)
        ui::setSpokenName(lists_[i], QString(QLatin1Char("NDW"[i])),
                          ui::meaningOf(ui::kNdwFigures[i]) + QStringLiteral("; N + D + W must add up to 100"));

    label("Label5", QStringLiteral("N + D + W ="), ui::ptRect(49.5, 192, 69.8, 12), font11);
    lblCustomTotal_ = label("lblCustomTotal", QStringLiteral("100"), ui::ptRect(122.2, 192.8, 27, 12), font11);
    ui::describeValue(lblCustomTotal_, QStringLiteral("N + D + W"));
    label("Label6", QStringLiteral(" Molecular Weight"), ui::ptRect(186, 30, 102, 18), font11);
    label("Label8", QStringLiteral(" (grams/mole)"), ui::ptRect(207, 44, 72, 14), font10);

    txtMolWeight_ = new QLineEdit(this);
    txtMolWeight_->setObjectName(QStringLiteral("txtMolWeight"));
    txtMolWeight_->setGeometry(ui::ptRect(198, 60, 78, 24));
    txtMolWeight_->setFont(font11);
    txtMolWeight_->setAlignment(Qt::AlignCenter);
    ui::setSpokenName(txtMolWeight_, QStringLiteral("Molecular Weight (grams/mole)"));

    label("Label7", QStringLiteral("Specific Gravity \n   @20 C (68F)"), ui::ptRect(198, 102, 90, 30), font11);

    txtSpecGravity_ = new QLineEdit(this);
    txtSpecGravity_->setObjectName(QStringLiteral("txtSpecGravity"));
    txtSpecGravity_->setGeometry(ui::ptRect(198, 138, 78, 24));
    txtSpecGravity_->setFont(font11);
    ui::setSpokenName(txtSpecGravity_, QStringLiteral("Specific Gravity @20 C (68F)"),
                      QStringLiteral("Measured at 20 C (68 F) against water at 4 C (39.2 F)"));

    QPushButton* cmdCustomParamOk = ui::addButton(this, QStringLiteral("cmdCustomParamOk"), QStringLiteral("OK"),
                                                  ui::ptRect(60, 228, 78, 21.8), [this] { cmdCustomParamOk_Click(); });
    QPushButton* cmdCustomHelp = ui::addButton(this, QStringLiteral("cmdCustomHelp"), QStringLiteral("Help"),
                                               ui::ptRect(168, 228, 78, 21.8), [this] { cmdCustomHelp_Click(); });
    for (QPushButton* b : {cmdCustomParamOk, cmdCustomHelp}) b->setFont(font12);
    // Return anywhere on the screen is OK (its checks run as for a click);
    // Escape, like the close box, cancels the entry.
    cmdCustomParamOk->setDefault(true);

    QWidget* order[] = {lists_[0], lists_[1], lists_[2], txtMolWeight_, txtSpecGravity_, cmdCustomParamOk,
                        cmdCustomHelp};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) QWidget::setTabOrder(order[i], order[i + 1]);

    ui::onClick(lists_[0], [this] { lstCustomN_Click(); });
    ui::onClick(lists_[1], [this] { lstCustomD_Click(); });
    ui::onClick(lists_[2], [this] { lstCustomW_Click(); });
}

void FrmCustomParams::UserForm_Initialize() {
    for (int counter = 0; counter <= 100; ++counter)
        percentValues_[static_cast<std::size_t>(counter)] = static_cast<std::int16_t>(100 - counter);
    // The lists already hold these values (makePercentList); select the middle.
    for (QListWidget* list : lists_) {
        ui::selectRow(list, kStartRow);
        list->scrollToItem(list->item(kStartRow), QAbstractItemView::PositionAtCenter);
    }
    result_.customN = static_cast<std::int16_t>(100 - ui::selectedRow(lists_[0]));
    result_.customD = static_cast<std::int16_t>(100 - ui::selectedRow(lists_[1]));
    result_.customW = static_cast<std::int16_t>(100 - ui::selectedRow(lists_[2]));
    showTotal();
    result_.customAccepted = -1;
}

void FrmCustomParams::readList(QListWidget* list, std::int16_t& value) {
    if (ui::readPercentList(list, value)) showTotal();
}

void FrmCustomParams::lstCustomN_Click() { readList(lists_[0], result_.customN); }
void FrmCustomParams::lstCustomD_Click() { readList(lists_[1], result_.customD); }
void FrmCustomParams::lstCustomW_Click() { readList(lists_[2], result_.customW); }

void FrmCustomParams::showTotal() {
    const int total = result_.customN + result_.customD + result_.customW;
    lblCustomTotal_->setText(qs(formatPlain(total)));
}

void FrmCustomParams::fail(const char* text) { platform_.messageBox(this, qs(messages::kErrorTitle), qs(text)); }

void FrmCustomParams::cmdCustomParamOk_Click() {
    if (!result_.customPoint().addsTo100()) return fail(messages::kCustomSum);

    const std::string mwText = txtMolWeight_->text().toStdString();
    const std::string sgText = txtSpecGravity_->text().toStdString();
    if (!isNumericText(mwText)) return fail(messages::kCustomMW);
    if (!isNumericText(sgText)) return fail(messages::kCustomSG);

    // Numeric texts beyond the float range are refused here rather than
    // carried on as infinities.
    const std::optional<float> mw = parseSingle(mwText);
    if (!mw) return fail(messages::kCustomMWTooLarge);
    result_.customMW = static_cast<double>(*mw);
    const std::optional<float> sg = parseSingle(sgText);
    if (!sg) return fail(messages::kCustomSGTooLarge);
    result_.customSG = static_cast<double>(*sg);

    if (*sg == 0.0f) return fail(messages::kCustomSGZero);

    const float molarVolume = *mw / *sg;
    // An infinite quotient, or 0 from a non-zero weight, is no molar volume.
    if (!std::isfinite(molarVolume) || (molarVolume == 0.0f && *mw != 0.0f))
        return fail(messages::kCustomMolarVolume);
    result_.customMolarVolume = molarVolume;

    if (!(*mw > 0.0f && *sg > 0.0f)) return fail(messages::kCustomPositive);

    result_.customAccepted = 1;
    txtMolWeight_->setText(QString());
    txtSpecGravity_->setText(QString());
    hide();
}

void FrmCustomParams::cmdCustomHelp_Click() {
    platform_.messageBox(this, qs(messages::kCustomHelpTitle), qs(messages::kCustomHelp));
}

void FrmCustomParams::reject() {
    discarded_ = true;
    QDialog::reject();
}

}  // namespace tarnwell
