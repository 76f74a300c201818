#include "help/help_pages.h"

namespace tarnwell {

HelpPages::HelpPages(ui::Platform& platform, QObject* parent) : QObject(parent), platform_(platform) {}
HelpPages::~HelpPages() = default;

void HelpPages::show(ui::HelpEntry, QWidget*) {}
void HelpPages::showNoteOnMixturesModal(QWidget*) {}

}  // namespace tarnwell
