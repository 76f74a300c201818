#include "help/help_pages.h"

#include "help/help_text.h"
#include "ui/accessible.h"
#include "ui/colours.h"
#include "ui/keyboard.h"
#include "ui/layout.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <algorithm>
#include <functional>
#include <vector>

namespace tarnwell {

using ui::qs;

namespace {

enum class Action { Move, Print, Exit, Nothing };

struct ButtonSpec {
    const char* name;
    const char* caption;
    Action action;
    const char* target = nullptr;  // for a move
};

enum class Arrangement {
    Row,      // one row near the bottom
    Middle,   // one row between the page's two sections, ruled above and below
    Stacked,  // a column at the right
};

struct PageSpec {
    const char* name;
    const char* title;
    const char* pageLabel;  // null: none
    double width, height;   // client size in points
    bool lightPink;         // buttons light pink instead of salmon
    Arrangement arrangement;
    std::vector<ButtonSpec> buttons;  // left to right (top to bottom when stacked)
};

const std::vector<PageSpec>& pageSpecs() {
    static const std::vector<PageSpec> specs = {
        {"frmHelp1", "Help - Main", "Help - Main - Page 1", 576, 429.75, true, Arrangement::Row,
         {{"cmdHelp1toHelp2", "Next Help Page", Action::Move, "frmHelp1A"},
          {"cmdPrint", "Print", Action::Print},
          {"cmdExitHelp1", "Exit Help", Action::Exit}}},
        {"frmHelp1A", "Help - Main - Page 2", "Help - Main - Page 2", 568.5, 375.75, false, Arrangement::Row,
         {{"cmdHelp1Ato2", "Next", Action::Move, "frmHelp2"},
          {"cmdHelp1Ato1", "Back", Action::Move, "frmHelp1"},
          {"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit Help", Action::Exit}}},
        {"frmHelp2", "Help - Main - Page 3", "   Help  Main - 3", 595.5, 429, false, Arrangement::Row,
         {{"cmdHelp2to3", "Next", Action::Move, "frmHelp2added"},
          {"cmdHelp2to1", "Back", Action::Move, "frmHelp1A"},
          {"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit Help", Action::Exit}}},
        {"frmHelp2added", "Help - Main - Page 4", "Help - Main - Page 4", 572.25, 431.25, false, Arrangement::Row,
         {{"cmdHelp2addedto4", "Next", Action::Move, "frmHelp2addedMore"},
          {"cmdHelp2addedto2", "Back", Action::Move, "frmHelp2"},
          {"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit Help", Action::Exit}}},
        {"frmHelp2addedMore", "Help - Main page 5", "Help - Main - Page 5", 581.25, 429.75, false, Arrangement::Row,
         {{"cmdHelp2addedto4", "Next", Action::Move, "frmHelp4"},
          {"cmdHelp2addedto2", "Back", Action::Move, "frmHelp2added"},
          {"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit Help", Action::Exit}}},
        {"frmHelp4", "Help - Main - Page 6", "Help - Main - Page 6", 565.5, 407.25, false, Arrangement::Row,
         {{"Command1", "Next", Action::Move, "frmHelp4a"},
          {"cmd5to4", "Back", Action::Move, "frmHelp2addedMore"},
          {"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit Help", Action::Exit}}},
        {"frmHelp4a", "Help - Main - Page 7", "Help - Main - Page 7", 567, 409.5, false, Arrangement::Row,
         {{"Command1", "Next", Action::Move, "frmHelp5"},
          {"cmd5to4", "Back", Action::Move, "frmHelp4"},
          {"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit Help", Action::Exit}}},
        {"frmHelp5", "Help - Main - Page 8", "Help - Main - Page 8", 568.5, 381, false, Arrangement::Row,
         {{"Command1", "Next", Action::Move, "frmHelp5a"},
          {"cmd5to4", "Back", Action::Move, "frmHelp4a"},
          {"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit Help", Action::Exit}}},
        {"frmHelp5a", "Help - Main - Page 9", "Help - Main - Page 9  ", 578.25, 396.75, false, Arrangement::Row,
         {{"Command1", "Next", Action::Move, "frmHelp6"},
          {"cmd5to4", "Back", Action::Move, "frmHelp5"},
          {"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit Help", Action::Exit}}},
        {"frmHelp6", "Help - Main - Page 10", "Help - Main - Page 10", 575.25, 431.25, false, Arrangement::Middle,
         {{"Command2", "Back", Action::Move, "frmHelp5a"},
          {"cmdPrint", "Print", Action::Print},
          {"Command3", "Exit Help", Action::Exit}}},
        {"frmHelpConcentration", "Help - Concentration Form", "Help - Concentration - Page 1", 594, 431.25, true,
         Arrangement::Stacked,
         {{"cmdConHelp1to2", "Next", Action::Move, "frmHelpConcentration2"},
          {"cmdPrint", "Print", Action::Print},
          {"CommandButton1", "Exit", Action::Exit}}},
        {"frmHelpConcentration2", "Help - Concentration Form - Page 2", "Help - Concentration - Page 2", 576.75, 366,
         true, Arrangement::Row,
         {{"cmdBack", "Back", Action::Move, "frmHelpConcentration"},
          {"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit Help", Action::Exit}}},
        {"frmReferences1", "References - Page 1", nullptr, 576, 388.5, false, Arrangement::Row,
         {{"cmdNext", "Next", Action::Move, "frmReferences2"},
          {"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit", Action::Exit}}},
        {"frmReferences2", "Additional References ", nullptr, 579.75, 431.25, false, Arrangement::Row,
         {{"cmdBack", "Back", Action::Move, "frmReferences1"},
          {"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit", Action::Exit}}},
        // The solubility test's page stands alone: no chain leads to it or from it.
        {"frmHelpSolubilityTest", "Help - Solubility Test", "Help - Solubility Test", 576, 431.25, false,
         Arrangement::Row,
         {{"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit Help", Action::Exit}}},
        // So does the Evaporation window's.
        {"frmHelpEvaporation", "Help - Evaporation", "Help - Evaporation", 576, 431.25, false, Arrangement::Row,
         {{"cmdPrint", "Print", Action::Print},
          {"cmdExit", "Exit Help", Action::Exit}}},
    };
    return specs;
}

const PageSpec* specFor(const QString& name) {
    for (const PageSpec& spec : pageSpecs())
        if (name == QLatin1String(spec.name)) return &spec;
    return nullptr;
}

// The three chains; an entry showing hides any other page of its chain, so
// that one chain never has two pages on the screen.
const std::vector<std::vector<QString>>& chains() {
    static const std::vector<std::vector<QString>> c = {
        {"frmHelp1", "frmHelp1A", "frmHelp2", "frmHelp2added", "frmHelp2addedMore", "frmHelp4", "frmHelp4a",
         "frmHelp5", "frmHelp5a", "frmHelp6"},
        {"frmHelpConcentration", "frmHelpConcentration2"},
        {"frmReferences1", "frmReferences2"},
    };
    return c;
}

constexpr double kMargin = 9;
constexpr double kButtonHeight = 27;
constexpr double kButtonGap = 9;

double buttonWidth(const QFont& font, const QString& caption) {
    const double textPt = QFontMetrics(font).horizontalAdvance(caption) * 72.0 / 96.0;
    return std::max(72.0, textPt + 24);
}

QTextBrowser* addText(QWidget* page, const QString& objectName, const QString& spokenName, const QString& source,
                      QRect geometry) {
    auto* text = new QTextBrowser(page);
    text->setObjectName(objectName);
    ui::setSpokenName(text, spokenName);
    text->setGeometry(geometry);
    text->setOpenLinks(false);
    text->setFrameShape(QFrame::NoFrame);
    text->setFont(ui::makeFont(QStringLiteral("Arial"), 10));
    ui::colours::setBackground(text, ui::colours::windowBackground());
    text->document()->setDocumentMargin(6);
    const int pictureWidth = geometry.width() - 2 * 6 - text->verticalScrollBar()->sizeHint().width() - 4;
    text->setHtml(help::toHtml(source, pictureWidth));
    return text;
}

QFrame* addRule(QWidget* page, const QString& objectName, QRect geometry) {
    auto* rule = new QFrame(page);
    rule->setObjectName(objectName);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(geometry);
    return rule;
}

// Puts a page's button (by its spec) at a place in points.
using ButtonMaker = std::function<void(const ButtonSpec&, double left, double top, double width)>;

constexpr double kLabelHeight = 13;

// The page's buttons in one row from the left, at `top`.
void makeRow(const PageSpec& spec, const QFont& font, const ButtonMaker& makeButton, double top) {
    double left = kMargin + 3;
    for (const ButtonSpec& b : spec.buttons) {
        const double width = buttonWidth(font, qs(b.caption));
        makeButton(b, left, top, width);
        left += width + kButtonGap;
    }
}

// The text above one row of buttons near the bottom.
void layOutRow(HelpPage* page, const PageSpec& spec, const QStringList& parts, const QFont& font,
               const ButtonMaker& makeButton) {
    const double w = spec.width, h = spec.height;
    const double rowTop = h - kLabelHeight - kButtonHeight - 6;
    addText(page, QStringLiteral("txtHelp"), qs(spec.title).trimmed(), parts.value(0),
            ui::ptRect(kMargin, kMargin, w - 2 * kMargin, rowTop - kMargin - 6));
    makeRow(spec, font, makeButton, rowTop);
}

// The text beside a column of buttons at the right.
void layOutStacked(HelpPage* page, const PageSpec& spec, const QStringList& parts, const ButtonMaker& makeButton) {
    const double w = spec.width, h = spec.height;
    const double columnWidth = 96;
    addText(page, QStringLiteral("txtHelp"), qs(spec.title).trimmed(), parts.value(0),
            ui::ptRect(kMargin, kMargin, w - 3 * kMargin - columnWidth, h - kMargin - kLabelHeight - 6));
    double top = h - kLabelHeight - 12 - spec.buttons.size() * (kButtonHeight + kButtonGap);
    for (const ButtonSpec& b : spec.buttons) {
        makeButton(b, w - kMargin - columnWidth, top, columnWidth);
        top += kButtonHeight + kButtonGap;
    }
}

// How to reach the calculator, the picture of its button, then the buttons
// between two rules, then the section about the program.
void layOutMiddle(HelpPage* page, const PageSpec& spec, const QStringList& parts, const QFont& font,
                  const ButtonMaker& makeButton) {
    const double w = spec.width, h = spec.height;
    const double topHeight = 84;
    addText(page, QStringLiteral("txtHelp"), qs(spec.title).trimmed(), parts.value(0),
            ui::ptRect(kMargin, kMargin, w - 2 * kMargin, topHeight));
    // A likeness of the main screen's button; it does nothing when pressed.
    QPushButton* command4 = ui::addButton(
        page, QStringLiteral("Command4"), QStringLiteral("Go to form to calculate solubility parameters from concentrations"),
        ui::ptRect(kMargin + 60, kMargin + topHeight + 6, w - 2 * kMargin - 120, 30));
    command4->setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25, true));
    ui::colours::setBackground(command4, ui::colours::buttonFace());
    command4->setAccessibleDescription(QStringLiteral("A picture of the main screen's button; it does nothing here"));
    const double rule1 = kMargin + topHeight + 42;
    addRule(page, QStringLiteral("Line1"), ui::ptRect(kMargin, rule1, w - 2 * kMargin, 3));
    makeRow(spec, font, makeButton, rule1 + 8);
    const double rule2 = rule1 + 8 + kButtonHeight + 8;
    addRule(page, QStringLiteral("Line2"), ui::ptRect(kMargin, rule2, w - 2 * kMargin, 3));
    addText(page, QStringLiteral("txtAbout"), QStringLiteral("About the program"), parts.value(1),
            ui::ptRect(kMargin, rule2 + 6, w - 2 * kMargin, h - rule2 - 6 - kLabelHeight - 4));
}

// The page's own label at the lower right.
void addPageLabel(HelpPage* page, const PageSpec& spec) {
    const double w = spec.width, h = spec.height;
    QLabel* label = ui::addLabel(page, QStringLiteral("lblPage"), qs(spec.pageLabel),
                                 ui::ptRect(w - 190, h - kLabelHeight - 2, 184, kLabelHeight));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFont(ui::makeFont(QStringLiteral("Arial"), 8));
}

}  // namespace

HelpPage::HelpPage(const QString& name) {
    setObjectName(name);
    setModal(false);
}

void HelpPage::closeEvent(QCloseEvent* event) {
    // The close box discards the page; Exit only hides it.
    QDialog::closeEvent(event);
    if (event->isAccepted()) {
        emit discarded();
        deleteLater();
    }
}

HelpPages::HelpPages(ui::Platform& platform, QObject* parent) : QObject(parent), platform_(platform) {}

HelpPages::~HelpPages() {
    for (auto& [name, page] : pages_) delete page.data();
}

HelpPage* HelpPages::page(const QString& name) const {
    const auto it = pages_.find(name);
    return it == pages_.end() ? nullptr : it->second.data();
}

HelpPage* HelpPages::pageFor(const QString& name, QWidget* from) {
    QPointer<HelpPage>& slot = pages_[name];
    if (!slot) {
        slot = build(name);
        ui::centreOn(slot, from);
    }
    return slot;
}

HelpPage* HelpPages::build(const QString& name) {
    const PageSpec& spec = *specFor(name);
    auto* page = new HelpPage(name);
    page->setWindowTitle(qs(spec.title));
    ui::setFixedClientSize(page, spec.width, spec.height);
    ui::colours::setBackground(page, ui::colours::windowBackground());
    // A discarded page leaves its place empty, so the next showing builds it afresh.
    connect(page, &HelpPage::discarded, this, [this, name] { pages_.erase(name); });

    const QFont buttonFont = ui::makeFont(QStringLiteral("Arial"), 12, true);
    const QStringList parts = help::sections(help::pageSource(name));

    const ButtonMaker makeButton = [&](const ButtonSpec& b, double left, double top, double width) {
        QPushButton* button = ui::addButton(page, qs(b.name), qs(b.caption),
                                            ui::ptRect(left, top, width, kButtonHeight));
        button->setFont(buttonFont);
        ui::colours::setBackground(button, spec.lightPink ? ui::colours::lightPink() : ui::colours::salmon());
        switch (b.action) {
        case Action::Move: {
            const QString target = qs(b.target);
            connect(button, &QPushButton::clicked, this, [this, page, target] { move(page, target); });
            break;
        }
        case Action::Print:
            connect(button, &QPushButton::clicked, this, [this, page] { platform_.printWindow(page); });
            break;
        case Action::Exit:
            connect(button, &QPushButton::clicked, page, &QWidget::hide);
            break;
        case Action::Nothing:
            break;
        }
    };
    switch (spec.arrangement) {
    case Arrangement::Row: layOutRow(page, spec, parts, buttonFont, makeButton); break;
    case Arrangement::Stacked: layOutStacked(page, spec, parts, makeButton); break;
    case Arrangement::Middle: layOutMiddle(page, spec, parts, buttonFont, makeButton); break;
    }
    if (spec.pageLabel) addPageLabel(page, spec);
    return page;
}

void HelpPages::move(HelpPage* from, const QString& to) {
    from->hide();
    showModeless(to, from);
}

void HelpPages::showModeless(const QString& name, QWidget* from) {
    HelpPage* target = pageFor(name, from);
    target->show();
    target->raise();
    target->activateWindow();
}

namespace {
QString entryPage(ui::HelpEntry entry) {
    switch (entry) {
    case ui::HelpEntry::MainHelp: return QStringLiteral("frmHelp1");
    case ui::HelpEntry::References: return QStringLiteral("frmReferences1");
    case ui::HelpEntry::ConcentrationHelp: return QStringLiteral("frmHelpConcentration");
    case ui::HelpEntry::SolubilityTest: return QStringLiteral("frmHelpSolubilityTest");
    case ui::HelpEntry::Evaporation: return QStringLiteral("frmHelpEvaporation");
    }
    return QStringLiteral("frmHelp1");
}
}  // namespace

void HelpPages::show(ui::HelpEntry entry, QWidget* from) {
    const QString name = entryPage(entry);
    for (const std::vector<QString>& chain : chains()) {
        if (std::find(chain.begin(), chain.end(), name) == chain.end()) continue;
        for (const QString& other : chain)
            if (HelpPage* p = page(other); p && other != name) p->hide();
    }
    showModeless(name, from);
}

void HelpPages::showNoteOnMixturesModal(QWidget* from) {
    const ui::KeyboardReturn keyboardBack(from);
    for (const QString& other : chains().front())
        if (HelpPage* p = page(other)) p->hide();
    execPage(QStringLiteral("frmHelp4"), from);
}

void HelpPages::showModal(ui::HelpEntry entry, QWidget* from) {
    const ui::KeyboardReturn keyboardBack(from);
    execPage(entryPage(entry), from);
}

void HelpPages::execPage(const QString& name, QWidget* from) {
    QPointer<HelpPage> page = pageFor(name, from);
    page->hide();  // a page already up modeless would not become modal
    ui::centreOn(page, from);
    // exec() ends when the page is hidden: by Exit, by a move, or by the close box.
    page->exec();
}

}  // namespace tarnwell
