#include "mixcalc/frm_calculate_params_from_mix.h"

#include "core/messages.h"
#include "core/numbers.h"
#include "custom/custom_solvent.h"
#include "mixcalc/frm_print_results.h"
#include "ui/accessible.h"
#include "ui/colours.h"
#include "ui/events.h"
#include "ui/keyboard.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarnwell {

using ui::qs;
using ui::ptRect;

namespace {
QFont tahoma(double points, bool bold = false) { return ui::makeFont(QStringLiteral("Tahoma"), points, bold); }
}  // namespace

FrmCalculateParamsfromMix::FrmCalculateParamsfromMix(AppState& state, ui::Platform& platform,
                                                     ui::Navigator& navigator, CustomSolventService& custom,
                                                     QAbstractItemModel* solventLabels, QWidget* parent)
    : QWidget(parent, Qt::Window), SlotScreen(this, state, platform, navigator, custom, solventLabels) {
    setObjectName(QStringLiteral("frmCalculateParamsfromMix"));
    setWindowTitle(QStringLiteral("Tarnwell - Concentration Form"));
    ui::setFixedClientSize(this, 594, 429.75);
    setFont(tahoma(8.25));
    ui::colours::setBackground(this, ui::colours::activeBorder());
    ui::endProgramOnClose(this, platform_);

    for (int k = 0; k < 3; ++k) buildSlotColumn(k, 6 + 196 * k);

    ui::addLabel(this, QStringLiteral("lblTotalCaption"), QStringLiteral("       Total of Concentrations  "),
                 ptRect(40, 272, 150, 14))
        ->setFont(tahoma(8.25, true));
    ui::addLabel(this, QStringLiteral("lblTotalEquals"), QStringLiteral(" =  "), ptRect(190, 272, 20, 14))
        ->setFont(tahoma(8.25, true));
    lblTotalInputCon_ = ui::addLabel(this, QStringLiteral("lblTotalInputCon"), QString(), ptRect(212, 270, 50, 16));
    lblTotalInputCon_->setFont(tahoma(9.75, true));
    ui::describeValue(lblTotalInputCon_, QStringLiteral("Total of concentrations"));

    chkUse2Solvents_ = ui::addCheckBox(this, QStringLiteral("chkUse2Solvents"), QStringLiteral(" Use only 2 solvents"),
                                       ptRect(412, 270, 130, 14), [this] { chkUse2Solvents_Click(); });

    auto button = [this](const char* name, const QString& caption, QRect place, std::function<void()> onClick) {
        QPushButton* b = ui::addButton(this, qs(name), caption, place, std::move(onClick));
        b->setFont(tahoma(8.25, true));
        return b;
    };
    cmdCalculate_ = button("cmdCalculate", QStringLiteral("Calculate Solubility Parameters for the Mixture"),
                           ptRect(10, 298, 182, 44), [this] { cmdCalculate_Click(); });
    QPushButton* cmdHelpConcentrationForm = button("cmdHelpConcentrationForm", QStringLiteral("Help"),
                                                   ptRect(472, 298, 114, 24),
                                                   [this] { cmdHelpConcentrationForm_Click(); });
    cmdGoToSolvermain_ = button("cmdGoToSolvermain", QStringLiteral("Go to Tarnwell main form"),
                                ptRect(472, 326, 114, 34), [this] { cmdGoToSolvermain_Click(); });
    QPushButton* cmdReferences = button("cmdReferences", QStringLiteral("References"), ptRect(472, 364, 114, 24),
                                        [this] { cmdReferences_Click(); });
    QPushButton* cmdTeasChart = button("cmdTeasChart", QStringLiteral("Teas Chart"), ptRect(10, 348, 182, 24),
                                       [this] { navigator_.showTeasChart(*this); });
    // Under the Teas chart, above the warning; Alt+E.
    QPushButton* cmdEvaporation = button("cmdEvaporation", QStringLiteral("&Evaporation\u2026"),
                                         ptRect(10, 376, 182, 20), [this] { cmdEvaporation_Click(); });
    cmdEvaporation->setAccessibleDescription(
        QStringLiteral("How the mixture calculated last changes as it evaporates, and how readily it burns"));
    ui::wrapCaption(cmdCalculate_);
    ui::wrapCaption(cmdGoToSolvermain_);

    buildResultBox();

    lblWarning_ = ui::addLabel(this, QStringLiteral("lblWarning"),
                               QStringLiteral("Warning:  The solubility parameters for the solvents you chose are taken "
                                              "from different references--see Help."),
                               ptRect(10, 398, 576, 26));
    lblWarning_->setFont(tahoma(8.25, true));
    lblWarning_->setWordWrap(true);
    ui::colours::setTextColour(lblWarning_, ui::colours::red());

    // Tab order: the lists, the concentrations, then the buttons; the Teas
    // chart and the evaporation, which the design does not have, last.
    QList<QWidget*> order;
    for (int k = 0; k < 3; ++k) order << slotColumn(k).list;
    for (QLineEdit* c : concentrations_) order << c;
    order << cmdCalculate_ << chkUse2Solvents_ << cmdHelpConcentrationForm << cmdGoToSolvermain_ << cmdReferences
          << cmdTeasChart << cmdEvaporation;
    for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);

    UserForm_Initialize();
}

FrmCalculateParamsfromMix::~FrmCalculateParamsfromMix() = default;

void FrmCalculateParamsfromMix::buildSlotColumn(int k, double left) {
    static const char* headings[] = {"Solvent #1  ", "Solvent #2", "Solvent #3"};
    static const char* headingNames[] = {"Label13", "Label14", "Label15"};
    static const char* refNames[] = {"Label52", "Label51", "Label50"};
    static const char* concentrationNames[] = {"Label26", "Label27", "Label28"};

    ui::addCaption(this, qs(headingNames[k]), qs(headings[k]), ptRect(left + 50, 2, 90, 12))
        ->setFont(tahoma(8.25, true));
    ui::addLabel(this, qs(refNames[k]), QStringLiteral("  Ref"), ptRect(left, 10, 30, 10))->setFont(tahoma(6.75));

    const SlotColumn& s = addSlotColumn(
        k, left,
        {{QStringLiteral(" N        "), QStringLiteral(" D "), QStringLiteral("   W  ")}, QStringLiteral("TWA"),
         QStringLiteral("VHR  "), 6});
    s.twa->setToolTip(QStringLiteral("Threshold Limit Value"));
    s.vhr->setToolTip(QStringLiteral("Vapor Hazard Ratio"));
    s.effects->setToolTip(QStringLiteral("Critical effects"));

    ui::addCaption(this, qs(concentrationNames[k]), QStringLiteral("Concentration  (%V)"),
                   ptRect(left + 35, 230, 120, 12))
        ->setFont(tahoma(8.25, true));
    QLineEdit* concentration = new QLineEdit(this);
    concentration->setObjectName(QStringLiteral("txtInputCon%1").arg(k + 1));
    concentration->setGeometry(ptRect(left + 60, 244, 70, 18));
    concentration->setAlignment(Qt::AlignCenter);
    ui::setSpokenName(concentration, QStringLiteral("Solvent %1 concentration").arg(k + 1),
                      QStringLiteral("Volume fraction from 0.00 to 1.00"));
    concentrations_[static_cast<std::size_t>(k)] = concentration;
}

void FrmCalculateParamsfromMix::buildResultBox() {
    frameResults2_ = new QFrame(this);
    frameResults2_->setObjectName(QStringLiteral("frameResults2"));
    frameResults2_->setFrameShape(QFrame::Box);
    frameResults2_->setGeometry(ptRect(202, 292, 262, 84));

    ui::addLabel(frameResults2_, QStringLiteral("lblResultsTitle"), QStringLiteral("  Solubility Parameters for the Mixture"),
                 ptRect(4, 4, 254, 12))
        ->setFont(tahoma(8.25, true));

    static const char* names[] = {"txtNinframe2", "txtDinframe2", "txtWinframe2"};
    static const char* captions[] = {" N        ", " D ", "  W  "};
    for (int i = 0; i < 3; ++i) {
        const double x = 10 + 44 * i;
        QLineEdit* box = ui::addReadOnlyField(frameResults2_, QLatin1String(names[i]), ptRect(x, 22, 36, 18));
        box->setAlignment(Qt::AlignCenter);
        box->setFont(tahoma(9.75, true));
        ui::setSpokenName(box, QStringLiteral("Mixture ") + QLatin1Char("NDW"[i]), ui::meaningOf(ui::kNdwFigures[i]));
        ndwResult_[static_cast<std::size_t>(i)] = box;
        ui::addCaption(frameResults2_, QStringLiteral("lbl") + QLatin1String(names[i]), QLatin1String(captions[i]),
                       ptRect(x - 6, 42, 48, 10));
    }
    txtTLVMixture_ = ui::addReadOnlyField(frameResults2_, QStringLiteral("txtTLVMixture"), ptRect(146, 22, 46, 18));
    txtVHRMixture_ = ui::addReadOnlyField(frameResults2_, QStringLiteral("txtVHRMixture"), ptRect(204, 22, 46, 18));
    for (QLineEdit* box : {txtTLVMixture_, txtVHRMixture_}) {
        box->setAlignment(Qt::AlignCenter);
        box->setFont(tahoma(9.75, true));
    }
    ui::setSpokenName(txtTLVMixture_, QStringLiteral("Mixture TWA"), ui::meaningOf(ui::Figure::Twa));
    ui::setSpokenName(txtVHRMixture_, QStringLiteral("Mixture VHR"), ui::meaningOf(ui::Figure::Vhr));
    ui::addCaption(frameResults2_, QStringLiteral("lblTLVMixture"), QStringLiteral(" TWA "), ptRect(146, 42, 46, 10));
    ui::addCaption(frameResults2_, QStringLiteral("lblVHRMixture"), QStringLiteral("  VHR  "), ptRect(204, 42, 46, 10));
    QLabel* star1 = ui::addLabel(frameResults2_, QStringLiteral("lblTLVStar"), QStringLiteral("*"), ptRect(193, 20, 9, 12));
    QLabel* star2 = ui::addLabel(frameResults2_, QStringLiteral("lblVHRStar"), QStringLiteral("*"), ptRect(251, 20, 9, 12));
    QLabel* note = ui::addLabel(frameResults2_, QStringLiteral("lblResultsNote"),
                                QStringLiteral("*  See note on calculations in Help"), ptRect(10, 62, 244, 12));
    for (QLabel* l : {star1, star2, note}) {
        l->setFont(tahoma(8.25, true));
        ui::colours::setTextColour(l, ui::colours::red());
    }
}

void FrmCalculateParamsfromMix::UserForm_Initialize() {
    calc_.total = 0.0f;
    lblTotalInputCon_->setText(qs(formatShortestSingle(calc_.total)));
    connectSlotColumns();
    for (int k = 0; k < 3; ++k) {
        ui::onAfterUpdate(concentrations_[static_cast<std::size_t>(k)], [this, k] { txtInputCon_AfterUpdate(k); });
        slotColumn(k).effects->clear();
    }
    clearMixtureFigures();
    frameResults2_->hide();
    lblWarning_->hide();
    state_.custom.customAccepted = 0;
    slotColumn(0).list->setFocus();
}

void FrmCalculateParamsfromMix::lstSolvent_DblClick(int k) {
    const SlotColumn& s = slotColumn(k);
    MixSlot& slot = mixSlots_[static_cast<std::size_t>(k)];
    const int row = ui::selectedRow(s.list);
    if (row < 0) return;  // nothing selected: nothing to load

    if (row == state_.table.lastIndex) {
        const std::optional<CustomEntry> entry = enterCustomSolvent(k, DescriptionStyle::Calculator);
        slot.label = entry ? kUserEnteredLabel : "";
        if (entry) {
            slot.n = entry->n;
            slot.d = entry->d;
            slot.w = entry->w;
            slot.molarVolume = entry->molarVolume;
            slot.reference = 0;
        }
    } else {
        if (row >= static_cast<int>(state_.table.records.size())) return;
        const SolventRecord& record = state_.table.records[static_cast<std::size_t>(row)];
        if (!loadMixSlot(record, slot)) {
            platform_.messageBox(this, qs(messages::kErrorTitle), qs(messages::kUnusableSolventRecord));
            ui::selectRow(s.list, -1);
            return;
        }
        s.twa->setText(qs(record.twaText));
        s.vhr->setText(qs(record.vhrText));
        s.effects->setText(qs(record.effects));
        s.effects->setCursorPosition(0);
    }

    if (ui::selectedRow(s.list) >= 0) {
        s.n->setText(QString::number(slot.n));
        s.d->setText(QString::number(slot.d));
        s.w->setText(QString::number(slot.w));
    } else {
        for (QLineEdit* f : {s.n, s.d, s.w}) f->clear();
    }
}

void FrmCalculateParamsfromMix::chkUse2Solvents_Click() {
    const SlotColumn& s = slotColumn(2);
    QLineEdit* concentration = concentrations_[2];
    ui::selectRow(s.list, -1);
    for (QLineEdit* f : s.fields()) f->clear();
    concentration->clear();
    mixSlots_[2].volumeFraction = 0.0f;
    calc_.total = concentrationTotal(mixSlots_[0].volumeFraction, mixSlots_[1].volumeFraction, 0.0f);
    // The total on display follows at once, so it never shows a sum that no
    // longer counts.
    showTotal();

    const bool two = chkUse2Solvents_->isChecked();
    s.list->setEnabled(!two);
    concentration->setEnabled(!two);
    const QColor colour = two ? ui::colours::inactiveBorder() : ui::colours::windowBackground();
    ui::colours::setBackground(s.list, colour);
    ui::colours::setBackground(s.list->viewport(), colour);
    for (QLineEdit* f : s.fields()) ui::colours::setBackground(f, colour);
    ui::colours::setBackground(concentration, colour);
}

void FrmCalculateParamsfromMix::showTotal() {
    lblTotalInputCon_->setText(qs(formatTwoDecimals(calc_.total)));
    ui::showTotalState(lblTotalInputCon_, totalIsOne(calc_.total), QStringLiteral("adds up to 1.00"),
                       QStringLiteral("does not add up to 1.00"));
}

void FrmCalculateParamsfromMix::txtInputCon_AfterUpdate(int k) {
    QLineEdit* field = concentrations_[static_cast<std::size_t>(k)];
    const ConcentrationEntry entry = readConcentration(field->text().toStdString());
    if (entry.kind != ConcentrationKind::Accepted) {
        platform_.messageBox(this, qs(messages::kErrorTitle), qs(messages::kConcentrationEntry));
        field->clear();
        // A wrong number goes back to its field; so does any entry in fields 1 and 2.
        if (entry.kind == ConcentrationKind::OutOfRange || k < 2) field->setFocus();
        return;
    }
    mixSlots_[static_cast<std::size_t>(k)].volumeFraction = entry.value;
    field->setText(qs(entry.text));
    calc_.total = concentrationTotal(mixSlots_[0].volumeFraction, mixSlots_[1].volumeFraction,
                                     mixSlots_[2].volumeFraction);
    showTotal();
}

void FrmCalculateParamsfromMix::cmdCalculate_Click() {
    MixtureInputs inputs;
    for (std::size_t k = 0; k < 3; ++k) {
        const SlotColumn& s = slotColumn(static_cast<int>(k));
        inputs.selectedRow[k] = ui::selectedRow(s.list);
        inputs.loaded[k] = !s.n->text().isEmpty();
        inputs.concentrationEntered[k] = !concentrations_[k]->text().isEmpty();
        inputs.twaText[k] = s.twa->text().toStdString();
        inputs.vhrText[k] = s.vhr->text().toStdString();
    }
    inputs.twoSolventMode = chkUse2Solvents_->isChecked();

    const MixtureOutcome outcome = calculateMixture(mixSlots_, calc_, inputs);
    if (outcome.check != MixCheck::Passed) {
        platform_.messageBox(this, qs(messages::kErrorTitle), qs(mixCheckText(outcome.check)));
        const int focus = mixCheckFocus(outcome.check);
        if (focus >= 0) concentrations_[static_cast<std::size_t>(focus)]->setFocus();
        return;
    }
    mixtureMark_.reset();
    if (outcome.ndwAvailable) mixtureMark_ = ui::ChartMark{calc_.mixN, calc_.mixD, calc_.mixW};
    lastMixture_ = evaporationFromMixture(mixSlots_, inputs);
    tellChart();

    // After the question the keyboard comes back to this screen, where
    // resetAfterQuestion gives Calculate the focus.
    const ui::KeyboardReturn keyboardBack(this);
    showResult(outcome);
    if (!printResults_) printResults_ = std::make_unique<FrmPrintResults>(platform_, this);
    printResults_->ask(spokenResult());
    resetAfterQuestion();
}

QString FrmCalculateParamsfromMix::spokenResult() const {
    // The result box sits under the modal question, out of a screen reader's
    // reach; the question says what it shows.
    auto figure = [](const QLineEdit* box) {
        return box->text().isEmpty() ? QStringLiteral("not available") : box->text();
    };
    QString said = QStringLiteral("Mixture N %1, D %2, W %3, TWA %4, VHR %5.")
                       .arg(figure(ndwResult_[0]), figure(ndwResult_[1]), figure(ndwResult_[2]),
                            figure(txtTLVMixture_), figure(txtVHRMixture_));
    if (!lblWarning_->isHidden()) said += QLatin1Char(' ') + lblWarning_->text();
    return said;
}

void FrmCalculateParamsfromMix::showResult(const MixtureOutcome& outcome) {
    // A box greyed for a figure that cannot be worked out also says so.
    auto sayAvailable = [](QLineEdit* box, ui::Figure figure, bool available) {
        box->setAccessibleDescription(ui::meaningOf(figure) + (available ? QString() : QStringLiteral("; not available")));
    };
    for (std::size_t i = 0; i < 3; ++i) {
        ndwResult_[i]->setText(qs(outcome.ndwText[i]));
        ui::colours::setBackground(ndwResult_[i], outcome.ndwAvailable ? ui::colours::windowBackground()
                                                                       : ui::colours::buttonFace());
        sayAvailable(ndwResult_[i], ui::kNdwFigures[i], outcome.ndwAvailable);
    }
    auto figure = [&](QLineEdit* box, ui::Figure what, const MixtureFigure& f) {
        box->setText(qs(f.text));
        if (!f.available) ui::colours::setBackground(box, ui::colours::buttonFace());
        sayAvailable(box, what, f.available);
    };
    figure(txtTLVMixture_, ui::Figure::Twa, outcome.twa);
    figure(txtVHRMixture_, ui::Figure::Vhr, outcome.vhr);

    // Hiding Calculate would pass its focus on to the two-solvent box, whose
    // focus frame would then come and go in the print, and where a Space after
    // the question would clear slot 3. The screen itself keeps the focus meanwhile.
    setFocus(Qt::OtherFocusReason);
    frameResults2_->show();
    cmdCalculate_->hide();
    lblWarning_->hide();
    cmdGoToSolvermain_->hide();
    lblWarning_->setVisible(outcome.warning);
}

// Shading marks a mixture figure that could not be computed, so both boxes
// start every calculation, the first included, empty in the normal field colour.
void FrmCalculateParamsfromMix::clearMixtureFigures() {
    for (QLineEdit* box : {txtTLVMixture_, txtVHRMixture_}) {
        ui::colours::setBackground(box, ui::colours::windowBackground());
        box->clear();
    }
}

void FrmCalculateParamsfromMix::resetAfterQuestion() {
    clearMixtureFigures();
    frameResults2_->hide();
    lblWarning_->hide();
    cmdCalculate_->show();
    cmdGoToSolvermain_->show();
    cmdCalculate_->setFocus(Qt::OtherFocusReason);
}

void FrmCalculateParamsfromMix::cmdHelpConcentrationForm_Click() {
    navigator_.showHelp(ui::HelpEntry::ConcentrationHelp, this);
}

void FrmCalculateParamsfromMix::cmdEvaporation_Click() {
    // The result box is cleared after the print question, and the columns may
    // have changed since: the window shows the mixture last calculated and says so.
    if (!lastMixture_) {
        platform_.messageBox(this, qs(messages::kErrorTitle), qs(messages::kEvaporationCalculateFirst));
        return;
    }
    navigator_.showEvaporation(*lastMixture_, ui::EvaporationOf::LastMixture, this);
}

void FrmCalculateParamsfromMix::cmdReferences_Click() { navigator_.showHelp(ui::HelpEntry::References, this); }

void FrmCalculateParamsfromMix::cmdGoToSolvermain_Click() {
    hide();
    navigator_.showMainScreen();
}

ui::ChartMarks FrmCalculateParamsfromMix::chartMarks() const {
    ui::ChartMarks marks = slotMarks(mixSlots_);
    marks.blend = mixtureMark_;
    if (mixtureMark_) marks.evaporation = lastMixture_;
    return marks;
}

}  // namespace tarnwell
