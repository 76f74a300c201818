#pragma once
// The print question asked after a mixture has been calculated: "Yes" prints
// the calculator screen as it is displayed, "No" (also Escape and the close
// box) prints nothing. Created once and kept hidden between questions.

#include <QDialog>

class QLabel;
class QPushButton;

namespace tarnwell {
namespace ui { class Platform; }

class FrmPrintResults : public QDialog {
    Q_OBJECT
public:
    // `printed` is the window that "Yes" prints. The question is a window of
    // its own (no parent) so that it stays usable whatever happens to it.
    FrmPrintResults(ui::Platform& platform, QWidget* printed);

    // Shows the question modally over the printed window; returns when it is
    // hidden. `result` is what is asked about, in words for a screen reader.
    void ask(const QString& result = QString());

protected:
    void showEvent(QShowEvent* event) override;

public slots:
    void reject() override;  // Escape and the close box act as "No"

private slots:
    void cmdPrint_Click();
    void cmdNoPrint_Click();

private:
    ui::Platform& platform_;
    QWidget* printed_;
    QLabel* label1_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdNoPrint_ = nullptr;
};

}  // namespace tarnwell
