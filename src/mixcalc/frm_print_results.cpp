#include "mixcalc/frm_print_results.h"

#include "ui/layout.h"
#include "ui/platform.h"

#include <QLabel>
#include <QPushButton>

namespace tarnwell {

using ui::ptRect;

FrmPrintResults::FrmPrintResults(ui::Platform& platform, QWidget* printed)
    : QDialog(nullptr), platform_(platform), printed_(printed) {
    setObjectName(QStringLiteral("frmPrintResults"));
    setWindowTitle(QStringLiteral("Print"));
    ui::setFixedClientSize(this, 205.5, 71.25);
    setModal(true);
    setFont(ui::makeFont(QStringLiteral("Arial"), 9.75, true));

    label1_ = ui::addLabel(this, QStringLiteral("Label1"), QStringLiteral("Print the results?"),
                           ptRect(60, 12, 114.75, 24.75));
    cmdPrint_ = ui::addButton(this, QStringLiteral("cmdPrint"), QStringLiteral("Yes"), ptRect(12, 36, 72.75, 30.75));
    cmdNoPrint_ = ui::addButton(this, QStringLiteral("cmdNoPrint"), QStringLiteral("No"),
                                ptRect(114, 36, 72.75, 30.75));
    // Return presses the button that has the focus, as on a message box.
    for (QPushButton* b : {cmdPrint_, cmdNoPrint_}) {
        b->setAutoDefault(true);
        b->setFont(font());
    }
    label1_->setFont(font());
    setTabOrder(cmdNoPrint_, cmdPrint_);

    connect(cmdPrint_, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdNoPrint_, &QPushButton::clicked, this, [this] { cmdNoPrint_Click(); });
}

void FrmPrintResults::ask(const QString& result) {
    for (QWidget* w : std::initializer_list<QWidget*>{this, cmdNoPrint_, cmdPrint_}) w->setAccessibleDescription(result);
    ui::centreOn(this, printed_);
    cmdNoPrint_->setDefault(true);
    exec();
}

void FrmPrintResults::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Every showing starts on "No", so Return or Space at once prints nothing.
    cmdNoPrint_->setFocus(Qt::OtherFocusReason);
    activateWindow();
}

void FrmPrintResults::cmdPrint_Click() {
    // The question is still up, but the print is of the calculator window.
    platform_.printWindow(printed_);
    hide();
}

void FrmPrintResults::cmdNoPrint_Click() { hide(); }

void FrmPrintResults::reject() { cmdNoPrint_Click(); }

}  // namespace tarnwell
