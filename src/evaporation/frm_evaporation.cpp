#include "evaporation/frm_evaporation.h"

#include "core/messages.h"
#include "ui/colours.h"
#include "ui/keyboard.h"
#include "ui/layout.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <string>
#include <vector>

namespace tarnwell {

using ui::qs;

namespace {

QFont tahoma(double points, bool bold = false, bool italic = false) {
    return ui::makeFont(QStringLiteral("Tahoma"), points, bold, italic);
}

QLabel* textLine(QWidget* parent, const char* name, bool bold = false) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    l->setFont(tahoma(8.25, bold));
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    return l;
}

// A line that says something only now and then: out of sight (and out of a
// screen reader's way) while it has nothing to say. The core ends lines with
// a carriage return.
void say(QLabel* label, const std::string& text) {
    label->setText(qs(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    label->setVisible(!text.empty());
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setFont(tahoma(8.25, true));
    ui::pressOnReturn(b);
    return b;
}

// A solvent's name over its column, broken into short lines so that a long
// name makes a tall heading rather than a wide table.
QString columnHeading(const std::string& name) {
    constexpr qsizetype kLine = 18;
    QString out, line;
    for (const QString& word : qs(name).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > kLine) {
            out += line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return out + line;
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

FrmEvaporation::FrmEvaporation(const EvaporationResult& result, ui::EvaporationOf what, ui::Platform& platform,
                               ui::Navigator& navigator)
    : QDialog(nullptr), result_(result), platform_(platform), navigator_(navigator) {
    setObjectName(QStringLiteral("frmEvaporation"));
    setWindowTitle(QStringLiteral("Tarnwell - Evaporation"));
    setModal(true);
    setFont(tahoma(8.25));

    lblEvaporationOf_ = textLine(this, "lblEvaporationOf", true);
    lblPropertiesFile_ = textLine(this, "lblPropertiesFile");
    ui::colours::setTextColour(lblPropertiesFile_, ui::colours::red());

    tblEvaporation_ = new QTableWidget(static_cast<int>(kTableMarks), 0, this);
    tblEvaporation_->setObjectName(QStringLiteral("tblEvaporation"));
    tblEvaporation_->setAccessibleName(QStringLiteral("The remaining liquid as the blend evaporates"));
    tblEvaporation_->setAccessibleDescription(
        QStringLiteral("Rows: 0, 25, 50, 75 and 90 % of the liquid evaporated. Columns: the volume fraction of each "
                       "solvent in the remaining liquid, then its N, D, W, TWA in ppm and VHR."));
    tblEvaporation_->setTabKeyNavigation(false);  // Tab leaves the table for the buttons
    tblEvaporation_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblEvaporation_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblEvaporation_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblEvaporation_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tblEvaporation_->setWordWrap(false);
    auto* tableCaption = new QLabel(QStringLiteral("The &remaining liquid, by the share of the blend evaporated:"), this);
    tableCaption->setObjectName(QStringLiteral("lblEvaporationTable"));
    tableCaption->setFont(tahoma(8.25, true));
    tableCaption->setBuddy(tblEvaporation_);

    lblLastSolvent_ = textLine(this, "lblLastSolvent", true);
    lblRunOut_ = textLine(this, "lblRunOut");

    auto* flammability = new QGroupBox(QStringLiteral("How readily it burns"), this);
    flammability->setObjectName(QStringLiteral("fraFlammability"));
    flammability->setFont(tahoma(8.25, true));
    auto* flammabilityRows = new QVBoxLayout(flammability);
    lblFlammability_ = textLine(flammability, "lblFlammability", true);
    flammabilityRows->addWidget(lblFlammability_);
    static const char* flashNames[] = {"lblFlashPoint1", "lblFlashPoint2", "lblFlashPoint3"};
    for (std::size_t k = 0; k < 3; ++k) {
        lblFlashPoint_[k] = textLine(flammability, flashNames[k]);
        flammabilityRows->addWidget(lblFlashPoint_[k]);
    }

    lblModel_ = textLine(this, "lblModel");
    lblModel_->setFont(tahoma(7.5, false, true));

    QPushButton* print = button(this, "cmdPrint", QStringLiteral("Print"));
    QPushButton* help = button(this, "cmdHelp", QStringLiteral("Help"));
    QPushButton* close = button(this, "cmdClose", QStringLiteral("Close"));
    close->setDefault(true);
    connect(print, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(help, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {print, help, close}) {
        b->setMinimumWidth(ui::px(66));
        buttons->addWidget(b);
    }

    auto* root = new QVBoxLayout(this);
    root->addWidget(lblEvaporationOf_);
    root->addWidget(lblPropertiesFile_);
    root->addSpacing(ui::px(4));
    root->addWidget(tableCaption);
    root->addWidget(tblEvaporation_);
    root->addWidget(lblLastSolvent_);
    root->addWidget(lblRunOut_);
    root->addWidget(flammability);
    root->addWidget(lblModel_);
    root->addStretch(1);
    root->addLayout(buttons);

    fillTable();
    fillTexts(what);
    setTabOrder(tblEvaporation_, print);
    setTabOrder(print, help);
    setTabOrder(help, close);
    resize(qMax(sizeHint().width(), ui::px(540)), sizeHint().height());
    close->setFocus();
}

void FrmEvaporation::fillTable() {
    const std::size_t solvents = result_.count;
    const int figureStart = static_cast<int>(solvents);
    tblEvaporation_->setColumnCount(figureStart + FigureCount);
    QStringList headings;
    for (std::size_t k = 0; k < solvents; ++k) headings << columnHeading(result_.solvents[k].name);
    headings << QStringLiteral("N") << QStringLiteral("D") << QStringLiteral("W") << QStringLiteral("TWA\n(ppm)")
             << QStringLiteral("VHR");
    tblEvaporation_->setHorizontalHeaderLabels(headings);
    QStringList rows;
    for (std::size_t r = 0; r < kTableMarks; ++r) rows << QStringLiteral("%1 %").arg(result_.marks[r].percent);
    tblEvaporation_->setVerticalHeaderLabels(rows);

    for (std::size_t r = 0; r < kTableMarks; ++r) {
        const int row = static_cast<int>(r);
        const EvaporationMark& mark = result_.marks[r];
        if (mark.state != MarkState::Reached) {
            // No figures: one cell across the row says why.
            const char* why = mark.state == MarkState::NotReached ? messages::kMarkNotReached : messages::kMarkUnknown;
            tblEvaporation_->setItem(row, 0, cell(qs(why)));
            tblEvaporation_->setSpan(row, 0, 1, tblEvaporation_->columnCount());
            continue;
        }
        for (std::size_t k = 0; k < solvents; ++k)
            tblEvaporation_->setItem(row, static_cast<int>(k), cell(qs(mark.volumeText[k])));
        for (int i = 0; i < 3; ++i)
            tblEvaporation_->setItem(row, figureStart + N + i, cell(qs(mark.ndwText[static_cast<std::size_t>(i)])));
        tblEvaporation_->setItem(row, figureStart + Twa, cell(qs(mark.twaText)));
        tblEvaporation_->setItem(row, figureStart + Vhr, cell(qs(mark.vhrText)));
    }

    QHeaderView* top = tblEvaporation_->horizontalHeader();
    top->setSectionResizeMode(QHeaderView::ResizeToContents);
    top->setMinimumSectionSize(ui::px(34));
    for (int c = 0; c < figureStart; ++c) top->setSectionResizeMode(c, QHeaderView::Stretch);
    tblEvaporation_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblEvaporation_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tblEvaporation_->resizeColumnsToContents();
    // Tall enough for every row: the table never scrolls.
    const int height = top->sizeHint().height() + static_cast<int>(kTableMarks) * tblEvaporation_->rowHeight(0) +
                       2 * tblEvaporation_->frameWidth() + 2;
    tblEvaporation_->setFixedHeight(height);
}

void FrmEvaporation::fillTexts(ui::EvaporationOf what) {
    // Each solvent of the blend with its volume fraction: "A .500, B .300 and C .200".
    std::vector<std::string> parts;
    for (std::size_t k = 0; k < result_.count; ++k) {
        const SolventEvaporation& s = result_.solvents[k];
        if (!result_.mixtureKnown) parts.push_back(s.name);
        else if (s.takesPart) parts.push_back(s.name + " " + result_.marks[0].volumeText[k]);
    }
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i)
        joined += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    say(lblEvaporationOf_, what == ui::EvaporationOf::ReportBlend ? messages::evaporationOfReportBlend(joined)
                                                                  : messages::evaporationOfLastMixture(joined));
    say(lblPropertiesFile_, result_.propertiesFileText);

    say(lblLastSolvent_, result_.lastSolventText);
    // Without a path the line says why, and names the solvents it lacks.
    ui::colours::setTextColour(lblLastSolvent_, result_.pathKnown ? ui::colours::windowText() : ui::colours::red());
    std::string runOut = result_.runOutText;
    for (std::size_t k = 0; k < result_.count; ++k) {
        const std::string& line = result_.solvents[k].runOutText;
        if (!line.empty()) runOut += (runOut.empty() ? "" : "\r") + line;
    }
    say(lblRunOut_, runOut);

    say(lblFlammability_, result_.flammabilityText);
    for (std::size_t k = 0; k < 3; ++k)
        say(lblFlashPoint_[k], k < result_.count ? result_.solvents[k].flashPointText : std::string());
    say(lblModel_, messages::kEvaporationModelNote);
}

void FrmEvaporation::cmdPrint_Click() { platform_.printWindow(this); }

void FrmEvaporation::cmdHelp_Click() { navigator_.showHelpModal(ui::HelpEntry::Evaporation, this); }

}  // namespace tarnwell
