#pragma once
// The first screen: what the program is, its terms of use, and the button
// by which the user accepts them.

#include <QWidget>

class QPushButton;

namespace tarnwell {
namespace ui { class Platform; }

class FrmSolverStartup : public QWidget {
    Q_OBJECT
public:
    explicit FrmSolverStartup(ui::Platform& platform, QWidget* parent = nullptr);

signals:
    // The user accepted the terms.
    void accepted();

private slots:
    void cmdContinue_Click();
    void cmdPrint_Click();
    void cmdExit_Click();

private:
    ui::Platform& platform_;
};

// The texts of the screen, also used by the help pages' printouts and tests.
QString startupIntroduction();
QString startupTerms();
QString startupCredit();

}  // namespace tarnwell
