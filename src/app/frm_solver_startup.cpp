#include "app/frm_solver_startup.h"

#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/platform.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tarnwell {

using ui::ptRect;

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

    const QFont buttonFont = ui::makeFont(QStringLiteral("Arial"), 12, true);
    auto* cmdContinue = ui::addButton(
        this, QStringLiteral("cmdContinue"),
        QStringLiteral("         By clicking on this box          I accept these terms of use"),
        ptRect(18, 376, 186.75, 42.75));
    // The caption wraps onto two lines inside the large button.
    auto* caption = new QLabel(cmdContinue->text(), cmdContinue);
    caption->setObjectName(QStringLiteral("cmdContinue_caption"));
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignCenter);
    caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    caption->setFont(buttonFont);
    caption->setGeometry(cmdContinue->rect().adjusted(4, 2, -4, -2));
    auto* lblTitle = ui::addLabel(this, QStringLiteral("lblTitle"), QStringLiteral("Tarnwell:"), ptRect(18, 8, 110, 28));
    lblTitle->setFont(ui::makeFont(QStringLiteral("Arial"), 18, true, true));
    auto* label1 = ui::addLabel(this, QStringLiteral("Label1"),
                                QStringLiteral("A Calculator for Working with Teas Fractional Solubility Parameters"),
                                ptRect(120, 12, 440, 22));
    label1->setFont(ui::makeFont(QStringLiteral("Arial"), 12, true));

    auto* text1 = new QPlainTextEdit(startupIntroduction(), this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setReadOnly(true);
    text1->setGeometry(ptRect(39, 42, 486.75, 126.75));
    text1->setFont(ui::makeFont(QStringLiteral("Arial"), 9.75));
    text1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* text2 = new QPlainTextEdit(startupTerms(), this);
    text2->setObjectName(QStringLiteral("Text2"));
    text2->setReadOnly(true);
    text2->setGeometry(ptRect(39, 176, 486.75, 126.75));
    text2->setFont(ui::makeFont(QStringLiteral("Arial"), 9.75, true));
    text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* cmdPrint = ui::addButton(this, QStringLiteral("cmdPrint"), QStringLiteral("Print"), ptRect(240, 314, 84, 26));
    auto* cmdExit = ui::addButton(this, QStringLiteral("cmdExit"), QStringLiteral("Exit"), ptRect(240, 346, 84, 26));

    auto* text3 = new QPlainTextEdit(startupCredit(), this);
    text3->setObjectName(QStringLiteral("Text3"));
    text3->setReadOnly(true);
    text3->setGeometry(ptRect(350, 330, 200, 78));
    text3->setFont(ui::makeFont(QStringLiteral("Arial"), 8.25));
    text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    for (QPushButton* b : {cmdContinue, cmdPrint, cmdExit}) {
        b->setFont(buttonFont);
        ui::colours::setBackground(b, ui::colours::lightRedFace());
    }
    cmdContinue->setStyleSheet(QStringLiteral("QPushButton { color: transparent; background-color: rgb(255,192,192); }"));
    for (QPushButton* b : {cmdPrint, cmdExit})
        b->setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(255,192,192); }"));

    // Tab order: the acceptance button first, so it has the focus.
    for (QWidget* w : std::initializer_list<QWidget*>{text1, text2, text3}) w->setFocusPolicy(Qt::ClickFocus);
    setTabOrder(cmdContinue, cmdPrint);
    setTabOrder(cmdPrint, cmdExit);
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

void FrmSolverStartup::closeEvent(QCloseEvent* event) {
    event->accept();
    platform_.endProgram(0);
}

}  // namespace tarnwell
