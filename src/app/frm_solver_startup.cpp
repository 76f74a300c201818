#include "app/frm_solver_startup.h"

#include "ui/accessible.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/platform.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tarnwell {

using ui::ptRect;

namespace {
// A read-only block of text in Arial that never scrolls sideways.
QPlainTextEdit* addTextBlock(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                             double points, bool bold, Qt::ScrollBarPolicy vertical) {
    auto* block = new QPlainTextEdit(text, parent);
    block->setObjectName(name);
    block->setReadOnly(true);
    block->setGeometry(geometry);
    block->setFont(ui::makeFont(QStringLiteral("Arial"), points, bold));
    block->setVerticalScrollBarPolicy(vertical);
    block->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Read-only: Tab leaves the block, so the keyboard reaches and scrolls every one.
    block->setTabChangesFocus(true);
    return block;
}
}  // namespace

QString startupIntroduction() {
    return QStringLiteral(
        "Tarnwell is a tool for using the Teas fractional solubility parameter system in conservation. "
        "It finds blends of two or three solvents that match the solubility of a solvent you want to "
        "replace, and it works out the solubility parameters of a mixture you already use.\n\n"
        "Its calculations rest on Teas' model, with the model's assumptions and simplifications. The "
        "parameters it uses and computes are approximations, not physical constants, and different "
        "references list different values for some solvents.\n\n"
        "The model does not consider acid/base reactions and treats hydrogen bonding in a simplified "
        "way. It may not describe mixtures containing water adequately, although water is in the list.\n\n"
        "The articles in the References section say more about the model. The Help button on the next "
        "page gives instructions for using the program.");
}

QString startupTerms() {
    return QStringLiteral(
        "TERMS OF USE:\n\n"
        "The mixture calculations of this program are based only on Teas' fractional solubility "
        "parameters. The program gives TWA and VHR information that may help you judge some of the "
        "health risks of solvents and solvent mixtures. It does not consider the incompatibility of "
        "solvents, reactions of solvents with objects, flammability, or any other safety matter outside "
        "these models. "
        "USERS SHOULD CONSULT AN INDUSTRIAL HYGIENIST, MATERIAL SAFETY DATA SHEETS AND OTHER SOURCES OF "
        "SAFETY INFORMATION BEFORE WORKING WITH THE SOLVENTS OR THE CALCULATED MIXTURES, AND SHOULD "
        "FOLLOW ESTABLISHED PRACTICE ON PROTECTIVE CLOTHING, FUME HOODS AND EXHAUST SYSTEMS. "
        "BY USING THIS PROGRAM YOU ACKNOWLEDGE THAT WORKING WITH SOLVENTS CARRIES A RISK OF DEATH OR "
        "SERIOUS BODILY HARM, YOU AGREE TO INDEMNIFY AND HOLD HARMLESS THE PUBLISHER OF THIS PROGRAM, AND "
        "YOU ASSUME ALL RISK, INCLUDING RISKS TO THE OBJECTS YOU TREAT. "
        "THIS PROGRAM IS DISTRIBUTED \"AS IS\", FREE OF CHARGE AND WITHOUT WARRANTY OF ANY KIND. NEITHER "
        "ITS AUTHOR NOR ITS PUBLISHER IS LIABLE FOR ANY DAMAGES ARISING FROM THE USE OF THIS PROGRAM OR "
        "FROM THE INABILITY TO USE IT.");
}

QString startupCredit() {
    return QStringLiteral("Tarnwell 1.0\nA free calculator for conservators.\nSolvent data: NIOSH Pocket Guide "
                          "and published Hansen parameter tables (see References).");
}

FrmSolverStartup::FrmSolverStartup(ui::Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform) {
    setObjectName(QStringLiteral("frmSolverStartup"));
    setWindowTitle(QStringLiteral("Tarnwell"));
    ui::setFixedClientSize(this, 565.5, 431.25);
    ui::colours::setBackground(this, ui::colours::scrollBar());
    ui::endProgramOnClose(this, platform_);

    const QFont buttonFont = ui::makeFont(QStringLiteral("Arial"), 12, true);
    auto* cmdContinue = ui::addButton(
        this, QStringLiteral("cmdContinue"),
        QStringLiteral("         By clicking on this box          I accept these terms of use"),
        ptRect(18, 376, 186.75, 42.75));
    auto* lblTitle = ui::addLabel(this, QStringLiteral("lblTitle"), QStringLiteral("Tarnwell:"), ptRect(18, 8, 110, 28));
    lblTitle->setFont(ui::makeFont(QStringLiteral("Arial"), 18, true, true));
    auto* label1 = ui::addLabel(this, QStringLiteral("Label1"),
                                QStringLiteral("A Calculator for Working with Teas Fractional Solubility Parameters"),
                                ptRect(120, 12, 440, 22));
    label1->setFont(ui::makeFont(QStringLiteral("Arial"), 12, true));

    QPlainTextEdit* text1 = addTextBlock(this, QStringLiteral("Text1"), startupIntroduction(),
                                         ptRect(39, 42, 486.75, 126.75), 9.75, false, Qt::ScrollBarAsNeeded);
    QPlainTextEdit* text2 = addTextBlock(this, QStringLiteral("Text2"), startupTerms(),
                                         ptRect(39, 176, 486.75, 126.75), 9.75, true, Qt::ScrollBarAlwaysOn);

    auto* cmdPrint = ui::addButton(this, QStringLiteral("cmdPrint"), QStringLiteral("Print"), ptRect(240, 314, 84, 26));
    auto* cmdExit = ui::addButton(this, QStringLiteral("cmdExit"), QStringLiteral("Exit"), ptRect(240, 346, 84, 26));

    QPlainTextEdit* text3 = addTextBlock(this, QStringLiteral("Text3"), startupCredit(), ptRect(350, 330, 200, 78),
                                         8.25, false, Qt::ScrollBarAlwaysOff);

    for (QPushButton* b : {cmdContinue, cmdPrint, cmdExit}) {
        b->setFont(buttonFont);
        ui::colours::setButtonFace(b, ui::colours::lightPink());
    }
    // The caption wraps onto two lines inside the large button.
    ui::wrapCaption(cmdContinue);

    ui::setSpokenName(text1, QStringLiteral("Introduction"));
    ui::setSpokenName(text2, QStringLiteral("Terms of use"));
    ui::setSpokenName(text3, QStringLiteral("Credit"));

    // Tab order: the acceptance button first, so it has the focus; the text
    // blocks take their turns so that the terms can be scrolled by keyboard.
    QWidget* const order[] = {cmdContinue, text1, cmdPrint, cmdExit, text2, text3};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    cmdContinue->setFocus();

    connect(cmdContinue, &QPushButton::clicked, this, [this] { cmdContinue_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void FrmSolverStartup::cmdContinue_Click() {
    hide();
    emit accepted();
}

void FrmSolverStartup::cmdPrint_Click() { platform_.printWindow(this); }

void FrmSolverStartup::cmdExit_Click() {
    hide();
    close();
}

}  // namespace tarnwell
