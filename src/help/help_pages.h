#pragma once
// The fourteen help and reference pages and the moves between them.

#include "ui/navigator.h"

#include <QObject>

class QWidget;

namespace tarnwell {
namespace ui { class Platform; }

class HelpPages : public QObject {
    Q_OBJECT
public:
    explicit HelpPages(ui::Platform& platform, QObject* parent = nullptr);
    ~HelpPages() override;

    // Shows the entry page modeless (created on first use, kept afterwards).
    void show(ui::HelpEntry entry, QWidget* from);
    // Help page 6 shown modally; returns when the user leaves it.
    void showNoteOnMixturesModal(QWidget* from);

private:
    ui::Platform& platform_;
};

}  // namespace tarnwell
