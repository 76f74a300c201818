#include "solver/frm_results.h"

#include "core/evaporation.h"
#include "ui/accessible.h"
#include "ui/colours.h"
#include "ui/keyboard.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarnwell {

using ui::qs;
using ui::ptRect;
namespace colours = ui::colours;

namespace {

const QString kFace = QStringLiteral("Tahoma");

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect geometry, double points, bool bold,
              const QColor& colour) {
    QLabel* l = ui::addLabel(parent, QLatin1String(name), text, geometry);
    l->setFont(ui::makeFont(kFace, points, bold));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    colours::setTextColour(l, colour);
    return l;
}

QLabel* heading(QWidget* parent, const char* name, const char* text, QRect geometry, double points = 9.75) {
    return label(parent, name, qs(text), geometry, points, true, colours::blue());
}

// A value field: bold 11 points in the system text colour until coloured;
// `caption` says what it shows.
QLabel* value(QWidget* parent, const QString& name, const QString& caption, QRect geometry, bool bold = true) {
    QLabel* l = ui::addLabel(parent, name, QString(), geometry);
    l->setFont(ui::makeFont(kFace, 11, bold));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    colours::setTextColour(l, colours::windowText());
    ui::describeValue(l, caption);
    return l;
}

// A smaller value: 9 points, black.
QLabel* detail(QWidget* parent, const QString& name, const QString& caption, QRect geometry) {
    QLabel* l = label(parent, "", QString(), geometry, 9, false, colours::windowText());
    l->setObjectName(name);
    ui::describeValue(l, caption);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const char* text, QRect geometry, double points, bool bold) {
    QPushButton* b = ui::addButton(parent, QLatin1String(name), qs(text), geometry);
    b->setFont(ui::makeFont(kFace, points, bold));
    return b;
}

// Green marks the safer of the two figures, red the less safe; the window
// frame colour, two equal figures.
ui::Safety safety(ReportColour colour) {
    switch (colour) {
    case ReportColour::None: break;
    case ReportColour::Green: return ui::Safety::Safer;
    case ReportColour::Red: return ui::Safety::LessSafe;
    case ReportColour::WindowFrame: return ui::Safety::Same;
    }
    return ui::Safety::Unrated;
}

}  // namespace

FrmResults::FrmResults(const AppState& state, ui::Platform& platform, ui::Navigator& navigator, QWidget* mainScreen)
    : QDialog(nullptr),
      state_(state),
      platform_(platform),
      navigator_(navigator),
      mainScreen_(mainScreen) {
    setObjectName(QStringLiteral("frmResults"));
    setModal(true);
    ui::setFixedClientSize(this, 564, 408);
    setFont(ui::makeFont(kFace, 8.25));
    buildLayout();
    connect(cmdOk_, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdPrint_, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdNoteOnMixtures_, &QPushButton::clicked, this, [this] { cmdNoteOnMixtures_Click(); });
    connect(cmdEvaporation_, &QPushButton::clicked, this, [this] { cmdEvaporation_Click(); });
    UserForm_Initialize();
    ui::centreOn(this, mainScreen_);
}

void FrmResults::buildLayout() {
    buildColumnHeadings();
    buildSolventRows();
    buildWarning();
    buildComparison();
    buildNotes();
    // The captions' texts are all set by now; the figures come later.
    for (QLabel* caption : findChildren<QLabel*>()) ui::fitText(caption);
    ui::fitText(cmdNoteOnMixtures_);
}

void FrmResults::buildColumnHeadings() {
    heading(this, "Label1", "Solvents and Critical Effect(s)", ptRect(18, 12, 204, 12));
    heading(this, "Label4", "Concentration", ptRect(228, 12, 96, 12));
    heading(this, "Label20", "Exposure Limit", ptRect(330, 12, 120, 12));
    heading(this, "Label24", "Vapor Hazard Ratio (VHR)", ptRect(456, 12, 106, 12), 8.25);
    lblRef_ = label(this, "lblRef", QStringLiteral("Reference:  Solvent Name"), ptRect(18, 24, 190, 12), 9, false,
                    colours::buttonText());
    label(this, "Label22", QStringLiteral("  vol solvent / vol mixture"), ptRect(216, 24, 108, 24), 9, true,
          colours::windowText())
        ->setWordWrap(true);
    // The shipped limits are NIOSH REL / OSHA PEL values, so the heading says so.
    heading(this, "Label21", "REL/PEL TWA (ppm)", ptRect(324, 24, 120, 12), 9);
    label(this, "Label30", QStringLiteral("(Higher Value Desirable)"), ptRect(318, 36, 126, 14), 10, true,
          colours::windowFrame());
    label(this, "Label31", QStringLiteral("(Lower Value Desirable)"), ptRect(444, 36, 118, 14), 10, true,
          colours::windowFrame());
}

// Each solvent: name, concentration, TWA and VHR, then its N, D, W and its effects.
void FrmResults::buildSolventRows() {
    static const char* solventNames[] = {"lblSolvent1", "lblsolvent2", "lblsolvent3"};
    static const char* effectsNames[] = {"lblEffects1", "lblEffects2", "lbleffects3"};
    for (std::size_t k = 0; k < 3; ++k) {
        const double top = 60 + 60 * static_cast<double>(k);
        const QString n = QString::number(k + 1);
        const QString solvent = QStringLiteral("Solvent ") + n;
        lblSolvent_[k] = value(this, QLatin1String(solventNames[k]), solvent + QStringLiteral(" name"),
                               ptRect(18, top, 222, 18));
        lblVolume_[k] = value(this, QStringLiteral("lblVolume") + n,
                              solvent + QStringLiteral(" concentration, volume of solvent per volume of mixture"),
                              ptRect(249, top, 36, 18));
        lblTLV_[k] = value(this, QStringLiteral("lblTLV") + n, solvent + QStringLiteral(" TWA, ppm"),
                           ptRect(318, top, 114, 18));
        lblVHR_[k] = value(this, QStringLiteral("lblVHR_") + n, solvent + QStringLiteral(" VHR"),
                           ptRect(456, top, 84, 18));
        lblNDWtext_[k] = label(this, k == 2 ? "lblNDWtextfor3" : k == 1 ? "lblNDWtextfor2" : "lblNDWtextfor1",
                               QStringLiteral("N, D, W ="), ptRect(30, top + 18, 54, 14), 9, false,
                               colours::windowText());
        lblSolventNDW_[k] = detail(this, QStringLiteral("lblSolvent") + n + QStringLiteral("NDW"),
                                   solvent + QStringLiteral(" N, D, W"), ptRect(84, top + 18, 150, 14));
        lblEffects_[k] = detail(this, QLatin1String(effectsNames[k]), solvent + QStringLiteral(" critical effects"),
                                ptRect(30, top + 36, 285, 24));
        lblEffects_[k]->setWordWrap(true);
    }
}

// The references warning, and the bar under it.
void FrmResults::buildWarning() {
    lblWarning_ = label(this, "lblWarning",
                        QStringLiteral("Warning:  The solubility parameters for the solvents/target you selected are "
                                       "taken from different references-see Help."),
                        ptRect(18, 234, 510, 17), 10, false, colours::red());
    lblWarning_->setWordWrap(true);
    colours::setBackground(lblWarning_, colours::lightPink());

    auto* bar = button(this, "CommandButton1", "", ptRect(6, 252, 546, 3), 8.25, false);
    bar->setFocusPolicy(Qt::NoFocus);
    ui::setSpokenName(bar, QStringLiteral("Separator"), QStringLiteral("Below: the target and the mixture compared"));
}

// The target and the mixture compared, with Ok, Print and the note on mixtures.
void FrmResults::buildComparison() {
    heading(this, "Label32", " *", ptRect(396, 258, 14, 18), 14);
    heading(this, "Label33", " *", ptRect(450, 258, 14, 18), 14);
    heading(this, "Label5", "N", ptRect(270, 264, 18, 14));
    heading(this, "Label7", "D", ptRect(294, 264, 18, 14));
    heading(this, "Label6", " W", ptRect(318, 264, 24, 14));
    heading(this, "Label29", "TWA", ptRect(348, 264, 48, 14));
    heading(this, "Label28", "VHR", ptRect(426, 264, 30, 14));
    cmdOk_ = button(this, "cmdOk", "Ok", ptRect(498, 264, 54, 36), 12, true);

    heading(this, "Label15", "Target: ", ptRect(6, 282, 48, 14));
    lblTargetName_ = value(this, QStringLiteral("lblTargetName"), QStringLiteral("Target name"),
                           ptRect(54, 282, 204, 18));
    lblTargetN_ = value(this, QStringLiteral("lblTargetN"), QStringLiteral("Target N"), ptRect(264, 282, 24, 18), false);
    lblTargetD_ = value(this, QStringLiteral("lblTargetD"), QStringLiteral("Target D"), ptRect(288, 282, 24, 18), false);
    lblTargetW_ = value(this, QStringLiteral("lblTargetW"), QStringLiteral("Target W"), ptRect(312, 282, 30, 18), false);
    lblTLVTarget_ = value(this, QStringLiteral("lblTLVTarget"), QStringLiteral("Target TWA"), ptRect(348, 282, 66, 18));
    lblVHRTarget_ = value(this, QStringLiteral("lblVHRTarget"), QStringLiteral("Target VHR"), ptRect(414, 282, 78, 18));
    lblTargetEffects_ = detail(this, QStringLiteral("lblTargetEffects"), QStringLiteral("Target critical effects"),
                               ptRect(48, 300, 204, 14));
    cmdPrint_ = button(this, "cmdPrint", "Print", ptRect(498, 312, 54, 36), 12, true);

    heading(this, "Label16", "Mixture:", ptRect(6, 330, 54, 14));
    lblMixtureN_ = value(this, QStringLiteral("lblMixtureN"), QStringLiteral("Mixture N"), ptRect(264, 330, 24, 18),
                         false);
    lblMixtureD_ = value(this, QStringLiteral("lblMixtureD"), QStringLiteral("Mixture D"), ptRect(288, 330, 24, 18),
                         false);
    lblMixtureW_ = value(this, QStringLiteral("lblMixtureW"), QStringLiteral("Mixture W"), ptRect(312, 330, 30, 18),
                         false);
    lblTLVMixPPM_ = value(this, QStringLiteral("lblTLVMixPPM"), QStringLiteral("Mixture TWA"), ptRect(348, 330, 66, 18));
    lblVHRMixture_ = value(this, QStringLiteral("lblVHRMixture"), QStringLiteral("Mixture VHR"),
                           ptRect(414, 330, 78, 18));

    // In the free room left of the note, under the mixture's name, and before
    // it in the tab order; Alt+E.
    cmdEvaporation_ = button(this, "cmdEvaporation", "&Evaporation\u2026", ptRect(48, 354, 150, 20), 9, false);
    cmdEvaporation_->setAccessibleDescription(
        QStringLiteral("How this blend changes as it evaporates, and how readily it burns"));
    heading(this, "Label47", " *", ptRect(216, 348, 14, 18), 14);
    cmdNoteOnMixtures_ = button(this, "cmdNoteOnMixtures",
                                "TWA and VHR calculations assume critcal effects are additive ...",
                                ptRect(228, 354, 270, 20), 9, false);
}

void FrmResults::buildNotes() {
    heading(this, "Label27", "Notes:", ptRect(6, 378, 48, 14));
    textBox1_ = new QLineEdit(this);
    textBox1_->setObjectName(QStringLiteral("TextBox1"));
    textBox1_->setGeometry(ptRect(54, 378, 498, 18));
    textBox1_->setToolTip(QStringLiteral("Use this box to enter notes about this combination of solvents"));
    ui::setSpokenName(textBox1_, QStringLiteral("Notes"), textBox1_->toolTip());
    // Return would press Ok and take the notes with the report.
    ui::keepReturn(textBox1_);
}

void FrmResults::UserForm_Initialize() {
    figures_ = computeReportFigures(state_);
    const ReportFigures& f = figures_;

    setWindowTitle(QStringLiteral("Tarnwell Solution"));
    for (std::size_t k = 0; k < 3; ++k) {
        lblSolvent_[k]->setText(qs(f.solventLabel[k]));
        lblEffects_[k]->setText(qs(f.effects[k]));
        lblVolume_[k]->setText(qs(f.volumeText[k]));
        lblSolventNDW_[k]->setText(qs(f.ndwText[k]));
        lblTLV_[k]->setText(qs(f.twaText[k]));
        lblVHR_[k]->setText(qs(f.vhrText[k]));
    }
    lblNDWtext_[2]->setText(qs(f.ndwCaption3));
    lblTargetN_->setText(qs(f.targetN));
    lblTargetD_->setText(qs(f.targetD));
    lblTargetW_->setText(qs(f.targetW));
    lblMixtureN_->setText(qs(f.mixtureN));
    lblMixtureD_->setText(qs(f.mixtureD));
    lblMixtureW_->setText(qs(f.mixtureW));

    lblWarning_->setVisible(f.showReferenceWarning);
    colours::setTextColour(lblRef_, f.showReferenceWarning ? colours::red() : colours::buttonText());

    lblTLVTarget_->setText(qs(f.targetTwa));
    lblVHRTarget_->setText(qs(f.targetVhr));
    lblTargetName_->setText(qs(f.targetName));
    lblTargetName_->setFont(ui::makeFont(kFace, f.targetNamePoints, true));

    const int savedEffectsWidth = lblTargetEffects_->width();
    lblTargetEffects_->setText(qs(f.targetEffects));
    if (f.widenTargetEffects) {
        // A long text gets 50 points more and wraps onto a second line.
        lblTargetEffects_->resize(savedEffectsWidth + ui::px(50), ui::px(28));
        lblTargetEffects_->setWordWrap(true);
    }

    const QString target = QStringLiteral("the target"), mixture = QStringLiteral("the mixture");
    lblTLVMixPPM_->setText(qs(f.mixtureTwaText));
    ui::showSafety(lblTLVTarget_, safety(f.targetTwaColour), mixture);
    ui::showSafety(lblTLVMixPPM_, safety(f.mixtureTwaColour), target);
    lblVHRMixture_->setText(qs(f.mixtureVhrText));
    ui::showSafety(lblVHRTarget_, safety(f.targetVhrColour), mixture);
    ui::showSafety(lblVHRMixture_, safety(f.mixtureVhrColour), target);

    cmdOk_->setDefault(true);
    cmdOk_->setFocus();
}

void FrmResults::cmdOk_Click() { hide(); }

void FrmResults::cmdPrint_Click() { platform_.printWindow(this); }

void FrmResults::cmdEvaporation_Click() {
    // Over the report, which stays as it is underneath.
    navigator_.showEvaporation(evaporationFromBlend(state_), ui::EvaporationOf::ReportBlend, this);
}

void FrmResults::cmdNoteOnMixtures_Click() {
    hide();
    navigator_.showNoteOnMixturesModal(mainScreen_);
}

}  // namespace tarnwell
