#include "mixcalc/frm_calculate_params_from_mix.h"

#include "core/messages.h"
#include "core/numbers.h"
#include "custom/custom_solvent.h"
#include "mixcalc/frm_print_results.h"
#include "ui/colours.h"
#include "ui/events.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarnwell {

using ui::qs;
using ui::ptRect;

namespace {
QLabel* caption(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    QLabel* label = ui::addLabel(parent, name, text, geometry);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

QFont tahoma(double points, bool bold = false) { return ui::makeFont(QStringLiteral("Tahoma"), points, bold); }

// Long button captions wrap inside their buttons; the button keeps the
// caption as its text, only a wrapped copy is drawn.
void wrapCaption(QPushButton* button) {
    auto* wrap = new QLabel(button->text(), button);
    wrap->setObjectName(button->objectName() + QStringLiteral("_caption"));
    wrap->setWordWrap(true);
    wrap->setAlignment(Qt::AlignCenter);
    wrap->setAttribute(Qt::WA_TransparentForMouseEvents);
    wrap->setGeometry(button->rect().adjusted(4, 2, -4, -2));
    wrap->setFont(button->font());
    button->setStyleSheet(QStringLiteral("QPushButton { color: transparent; }"));
}
}  // namespace

FrmCalculateParamsfromMix::FrmCalculateParamsfromMix(AppState& state, ui::Platform& platform,
                                                     ui::Navigator& navigator, CustomSolventService& custom,
                                                     QAbstractItemModel* solventLabels, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      platform_(platform),
      navigator_(navigator),
      custom_(custom),
      solventLabels_(solventLabels) {
    setObjectName(QStringLiteral("frmCalculateParamsfromMix"));
    setWindowTitle(QStringLiteral("Tarnwell - Concentration Form"));
    ui::setFixedClientSize(this, 594, 429.75);
    setFont(tahoma(8.25));
    ui::colours::setBackground(this, ui::colours::activeBorder());

    for (int k = 0; k < 3; ++k) buildSlotColumn(k, 6 + 196 * k);

    ui::addLabel(this, QStringLiteral("lblTotalCaption"), QStringLiteral("       Total of Concentrations  "),
                 ptRect(40, 272, 150, 14))
        ->setFont(tahoma(8.25, true));
    ui::addLabel(this, QStringLiteral("lblTotalEquals"), QStringLiteral(" =  "), ptRect(190, 272, 20, 14))
        ->setFont(tahoma(8.25, true));
    lblTotalInputCon_ = ui::addLabel(this, QStringLiteral("lblTotalInputCon"), QString(), ptRect(212, 270, 50, 16));
    lblTotalInputCon_->setFont(tahoma(9.75, true));

    chkUse2Solvents_ = new QCheckBox(QStringLiteral(" Use only 2 solvents"), this);
    chkUse2Solvents_->setObjectName(QStringLiteral("chkUse2Solvents"));
    chkUse2Solvents_->setGeometry(ptRect(412, 270, 130, 14));

    cmdCalculate_ = ui::addButton(this, QStringLiteral("cmdCalculate"),
                                  QStringLiteral("Calculate Solubility Parameters for the Mixture"),
                                  ptRect(10, 298, 182, 44));
    cmdHelpConcentrationForm_ =
        ui::addButton(this, QStringLiteral("cmdHelpConcentrationForm"), QStringLiteral("Help"), ptRect(472, 298, 114, 24));
    cmdGoToSolvermain_ = ui::addButton(this, QStringLiteral("cmdGoToSolvermain"),
                                       QStringLiteral("Go to Tarnwell main form"), ptRect(472, 326, 114, 34));
    cmdReferences_ =
        ui::addButton(this, QStringLiteral("cmdReferences"), QStringLiteral("References"), ptRect(472, 364, 114, 24));
    cmdTeasChart_ = ui::addButton(this, QStringLiteral("cmdTeasChart"), QStringLiteral("Teas Chart"),
                                  ptRect(10, 348, 182, 24));
    for (QPushButton* b : {cmdCalculate_, cmdHelpConcentrationForm_, cmdGoToSolvermain_, cmdReferences_, cmdTeasChart_})
        b->setFont(tahoma(8.25, true));
    wrapCaption(cmdCalculate_);
    wrapCaption(cmdGoToSolvermain_);

    buildResultBox();

    lblWarning_ = ui::addLabel(this, QStringLiteral("lblWarning"),
                               QStringLiteral("Warning:  The solubility parameters for the solvents you chose are taken "
                                              "from different references--see Help."),
                               ptRect(10, 398, 576, 26));
    lblWarning_->setFont(tahoma(8.25, true));
    lblWarning_->setWordWrap(true);
    ui::colours::setTextColour(lblWarning_, ui::colours::red());

    // Tab order: the lists, the concentrations, then the buttons.
    QList<QWidget*> order;
    for (const SlotControls& s : slots_) order << s.list;
    for (const SlotControls& s : slots_) order << s.concentration;
    order << cmdCalculate_ << chkUse2Solvents_ << cmdHelpConcentrationForm_ << cmdGoToSolvermain_ << cmdReferences_;
    for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);

    connect(chkUse2Solvents_, &QCheckBox::toggled, this, [this] { chkUse2Solvents_Click(); });
    connect(cmdCalculate_, &QPushButton::clicked, this, [this] { cmdCalculate_Click(); });
    connect(cmdHelpConcentrationForm_, &QPushButton::clicked, this, [this] { cmdHelpConcentrationForm_Click(); });
    connect(cmdGoToSolvermain_, &QPushButton::clicked, this, [this] { cmdGoToSolvermain_Click(); });
    connect(cmdTeasChart_, &QPushButton::clicked, this, [this] { navigator_.showTeasChart(this); });
    connect(cmdReferences_, &QPushButton::clicked, this, [this] { cmdReferences_Click(); });

    UserForm_Initialize();
}

FrmCalculateParamsfromMix::~FrmCalculateParamsfromMix() = default;

void FrmCalculateParamsfromMix::buildSlotColumn(int k, double left) {
    const QString number = QString::number(k + 1);
    static const char* headings[] = {"Solvent #1  ", "Solvent #2", "Solvent #3"};
    static const char* headingNames[] = {"Label13", "Label14", "Label15"};
    static const char* refNames[] = {"Label52", "Label51", "Label50"};
    static const char* concentrationNames[] = {"Label26", "Label27", "Label28"};

    caption(this, QLatin1String(headingNames[k]), QLatin1String(headings[k]), ptRect(left + 50, 2, 90, 12))
        ->setFont(tahoma(8.25, true));
    ui::addLabel(this, QLatin1String(refNames[k]), QStringLiteral("  Ref"), ptRect(left, 10, 30, 10))
        ->setFont(tahoma(6.75));

    SlotControls& s = slots_[static_cast<std::size_t>(k)];
    s.list = new ui::SolventListView(this);
    s.list->setObjectName(QStringLiteral("lstSolvent") + number);
    s.list->setGeometry(ptRect(left, 20, 190, 129));

    const QString prefix = QStringLiteral("txtSolvent") + number;
    static const char* letters[] = {"N", "D", "W"};
    static const char* letterCaptions[] = {" N        ", " D ", "   W  "};
    QLineEdit** fields[] = {&s.n, &s.d, &s.w};
    for (int i = 0; i < 3; ++i) {
        const double x = left + 22 + 54 * i;
        *fields[i] = ui::addReadOnlyField(this, prefix + QStringLiteral("_") + QLatin1String(letters[i]),
                                          ptRect(x, 152, 36, 15));
        (*fields[i])->setAlignment(Qt::AlignCenter);
        caption(this, QStringLiteral("lbl") + prefix + QLatin1String(letters[i]), QLatin1String(letterCaptions[i]),
                ptRect(x - 6, 168, 48, 10));
    }
    s.twa = ui::addReadOnlyField(this, QStringLiteral("txtTLV_") + number, ptRect(left + 22, 180, 66, 15));
    s.vhr = ui::addReadOnlyField(this, QStringLiteral("txtVHR_") + number, ptRect(left + 102, 180, 66, 15));
    s.twa->setAlignment(Qt::AlignCenter);
    s.vhr->setAlignment(Qt::AlignCenter);
    s.twa->setToolTip(QStringLiteral("Threshold Limit Value"));
    s.vhr->setToolTip(QStringLiteral("Vapor Hazard Ratio"));
    caption(this, QStringLiteral("lblTWA") + number, QStringLiteral("TWA"), ptRect(left + 22, 196, 66, 10));
    caption(this, QStringLiteral("lblVHR") + number, QStringLiteral("VHR  "), ptRect(left + 102, 196, 66, 10));
    s.effects = ui::addReadOnlyField(this, QStringLiteral("txtEffects") + number, ptRect(left, 208, 190, 15));
    s.effects->setToolTip(QStringLiteral("Threshold Limit Value"));

    caption(this, QLatin1String(concentrationNames[k]), QStringLiteral("Concentration  (%V)"),
            ptRect(left + 35, 230, 120, 12))
        ->setFont(tahoma(8.25, true));
    s.concentration = new QLineEdit(this);
    s.concentration->setObjectName(QStringLiteral("txtInputCon") + number);
    s.concentration->setGeometry(ptRect(left + 60, 244, 70, 18));
    s.concentration->setAlignment(Qt::AlignCenter);
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
        ndwResult_[static_cast<std::size_t>(i)] = box;
        caption(frameResults2_, QStringLiteral("lbl") + QLatin1String(names[i]), QLatin1String(captions[i]),
                ptRect(x - 6, 42, 48, 10));
    }
    txtTLVMixture_ = ui::addReadOnlyField(frameResults2_, QStringLiteral("txtTLVMixture"), ptRect(146, 22, 46, 18));
    txtVHRMixture_ = ui::addReadOnlyField(frameResults2_, QStringLiteral("txtVHRMixture"), ptRect(204, 22, 46, 18));
    for (QLineEdit* box : {txtTLVMixture_, txtVHRMixture_}) {
        box->setAlignment(Qt::AlignCenter);
        box->setFont(tahoma(9.75, true));
    }
    caption(frameResults2_, QStringLiteral("lblTLVMixture"), QStringLiteral(" TWA "), ptRect(146, 42, 46, 10));
    caption(frameResults2_, QStringLiteral("lblVHRMixture"), QStringLiteral("  VHR  "), ptRect(204, 42, 46, 10));
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
    for (int k = 0; k < 3; ++k) {
        SlotControls& s = slots_[static_cast<std::size_t>(k)];
        s.list->setModel(solventLabels_);
        ui::onClick(s.list, [this, k] { lstSolvent_Click(k); });
        ui::onDblClick(s.list, [this, k] { lstSolvent_DblClick(k); });
        ui::onAfterUpdate(s.concentration, [this, k] { txtInputCon_AfterUpdate(k); });
        s.effects->clear();
    }
    frameResults2_->hide();
    lblWarning_->hide();
    state_.custom.customAccepted = 0;
    slots_[0].list->setFocus();
}

void FrmCalculateParamsfromMix::lstSolvent_Click(int k) {
    SlotControls& s = slots_[static_cast<std::size_t>(k)];
    for (QLineEdit* f : {s.n, s.d, s.w, s.vhr, s.twa, s.effects}) f->clear();
}

void FrmCalculateParamsfromMix::lstSolvent_DblClick(int k) {
    SlotControls& s = slots_[static_cast<std::size_t>(k)];
    MixSlot& slot = mixSlots_[static_cast<std::size_t>(k)];
    const int row = ui::selectedRow(s.list);
    if (row < 0) return;  // nothing selected: nothing to load

    if (row == state_.table.lastIndex) {
        std::optional<CustomEntry> entry = custom_.RequestCustomSolvent(this, s.list, DescriptionStyle::Calculator);
        if (entry) {
            slot.n = entry->n;
            slot.d = entry->d;
            slot.w = entry->w;
            slot.molarVolume = entry->molarVolume;
        }
        if (ui::selectedRow(s.list) < 0) {
            slot.label.clear();
        } else {
            slot.label = kUserEnteredLabel;
            s.twa->clear();
            s.vhr->clear();
            s.effects->setText(entry ? qs(entry->description) : QString());
            slot.reference = 0;
        }
    } else {
        if (row >= static_cast<int>(state_.table.records.size())) return;
        const SolventRecord& record = state_.table.records[static_cast<std::size_t>(row)];
        if (!loadMixSlot(record, slot)) {
            platform_.messageBox(this, QString::fromLatin1(messages::kErrorTitle),
                                 QString::fromLatin1(messages::kUnusableSolventRecord));
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
    SlotControls& s = slots_[2];
    ui::selectRow(s.list, -1);
    for (QLineEdit* f : {s.n, s.d, s.w, s.concentration, s.effects, s.twa, s.vhr}) f->clear();
    mixSlots_[2].volumeFraction = 0.0f;
    calc_.total = concentrationTotal(mixSlots_[0].volumeFraction, mixSlots_[1].volumeFraction, 0.0f);
    // The total on display follows at once, so it never shows a sum that no
    // longer counts.
    showTotal();

    const bool two = chkUse2Solvents_->isChecked();
    s.list->setEnabled(!two);
    s.concentration->setEnabled(!two);
    const QColor colour = two ? ui::colours::inactiveBorder() : ui::colours::windowBackground();
    ui::colours::setBackground(s.list, colour);
    ui::colours::setBackground(s.list->viewport(), colour);
    for (QLineEdit* f : {s.n, s.d, s.w, s.concentration, s.twa, s.vhr, s.effects}) ui::colours::setBackground(f, colour);
}

void FrmCalculateParamsfromMix::showTotal() {
    lblTotalInputCon_->setText(qs(formatTwoDecimals(calc_.total)));
    ui::colours::setTextColour(lblTotalInputCon_,
                               totalIsOne(calc_.total) ? ui::colours::green() : ui::colours::red());
}

void FrmCalculateParamsfromMix::txtInputCon_AfterUpdate(int k) {
    QLineEdit* field = slots_[static_cast<std::size_t>(k)].concentration;
    const ConcentrationEntry entry = readConcentration(field->text().toStdString());
    if (entry.kind != ConcentrationKind::Accepted) {
        platform_.messageBox(this, QString::fromLatin1(messages::kErrorTitle),
                             QString::fromLatin1(messages::kConcentrationEntry));
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
        const SlotControls& s = slots_[k];
        inputs.selectedRow[k] = ui::selectedRow(s.list);
        inputs.loaded[k] = !s.n->text().isEmpty();
        inputs.concentrationEntered[k] = !s.concentration->text().isEmpty();
        inputs.twaText[k] = s.twa->text().toStdString();
        inputs.vhrText[k] = s.vhr->text().toStdString();
    }
    inputs.twoSolventMode = chkUse2Solvents_->isChecked();

    const MixtureOutcome outcome = calculateMixture(mixSlots_, calc_, inputs);
    if (outcome.check != MixCheck::Passed) {
        platform_.messageBox(this, QString::fromLatin1(messages::kErrorTitle),
                             QString::fromLatin1(mixCheckText(outcome.check)));
        const int focus = mixCheckFocus(outcome.check);
        if (focus >= 0) slots_[static_cast<std::size_t>(focus)].concentration->setFocus();
        return;
    }

    showResult(outcome);
    if (!printResults_) printResults_ = std::make_unique<FrmPrintResults>(platform_, this);
    printResults_->ask();
    resetAfterQuestion();
}

void FrmCalculateParamsfromMix::showResult(const MixtureOutcome& outcome) {
    for (std::size_t i = 0; i < 3; ++i) {
        ndwResult_[i]->setText(qs(outcome.ndwText[i]));
        ui::colours::setBackground(ndwResult_[i], outcome.ndwAvailable ? ui::colours::windowBackground()
                                                                       : ui::colours::buttonFace());
    }
    auto figure = [](QLineEdit* box, const MixtureFigure& f) {
        box->setText(qs(f.text));
        if (!f.available) ui::colours::setBackground(box, ui::colours::buttonFace());
    };
    figure(txtTLVMixture_, outcome.twa);
    figure(txtVHRMixture_, outcome.vhr);

    frameResults2_->show();
    cmdCalculate_->hide();
    lblWarning_->hide();
    cmdGoToSolvermain_->hide();
    lblWarning_->setVisible(outcome.warning);
}

void FrmCalculateParamsfromMix::resetAfterQuestion() {
    for (QLineEdit* box : {txtTLVMixture_, txtVHRMixture_}) {
        ui::colours::setBackground(box, ui::colours::windowBackground());
        box->clear();
    }
    frameResults2_->hide();
    lblWarning_->hide();
    cmdCalculate_->show();
    cmdGoToSolvermain_->show();
}

void FrmCalculateParamsfromMix::cmdHelpConcentrationForm_Click() {
    navigator_.showHelp(ui::HelpEntry::ConcentrationHelp, this);
}

void FrmCalculateParamsfromMix::cmdReferences_Click() { navigator_.showHelp(ui::HelpEntry::References, this); }

void FrmCalculateParamsfromMix::cmdGoToSolvermain_Click() {
    hide();
    navigator_.showMainScreen();
}

void FrmCalculateParamsfromMix::closeEvent(QCloseEvent* event) {
    // Closing the calculator ends the program without a question.
    event->accept();
    platform_.endProgram(0);
}

}  // namespace tarnwell
