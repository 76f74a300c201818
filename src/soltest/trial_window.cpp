#include "soltest/trial_window.h"

#include "chart/teas_chart_widget.h"
#include "core/blend_solver.h"
#include "core/messages.h"
#include "core/trial_file.h"
#include "core/zone_finder.h"
#include "soltest/trial_liquids.h"
#include "soltest/zone_marks.h"
#include "ui/colours.h"
#include "ui/events.h"
#include "ui/keyboard.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <variant>

namespace tarnwell {

using ui::qs;

namespace {

const QString kFileFilter = QStringLiteral("Solubility tests (*.txt);;All files (*)");

// A solvent chooser over the shared list of labels. Its list is a solvent
// list, so typing a letter goes to the next solvent whose name (after the
// reference) starts with it, open or closed.
QComboBox* solventCombo(QWidget* parent, const QString& name, const QString& spokenName, QAbstractItemModel* labels) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    auto* view = new ui::SolventListView(box);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    box->setView(view);
    box->setModel(labels);
    box->setCurrentIndex(-1);
    box->setMaxVisibleItems(20);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(14);
    box->setAccessibleName(spokenName);
    return box;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, std::function<void()> onClick) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    ui::pressOnReturn(b);
    QObject::connect(b, &QPushButton::clicked, b, [onClick = std::move(onClick)] { onClick(); });
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, QWidget* buddy = nullptr) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    if (buddy) l->setBuddy(buddy);
    return l;
}

// A label that says something only now and then: out of sight (and out of a
// screen reader's way) while it has nothing to say.
void say(QLabel* label, const QString& text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

int dissolvingCount(const SolubilityTest& test) {
    return static_cast<int>(std::count_if(test.liquids.begin(), test.liquids.end(), [](const TestLiquid& l) {
        return l.result == TestResult::Dissolves && liquidPoint(l).has_value();
    }));
}

bool sameLiquid(const TestLiquid& a, const TestLiquid& b) {
    return a.name == b.name && a.components == b.components;
}

// A file name from the material's name: the characters no system allows in
// a name become blanks.
QString suggestedFileName(const QString& material) {
    QString name = material.trimmed();
    for (QChar& c : name)
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 0x20) c = QLatin1Char(' ');
    name = name.simplified();
    return (name.isEmpty() ? QStringLiteral("solubility test") : name) + QStringLiteral(".txt");
}

}  // namespace

FrmSolubilityTest::FrmSolubilityTest(AppState& state, ui::Platform& platform, ui::Navigator& navigator,
                                     QAbstractItemModel* solventLabels, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      platform_(platform),
      navigator_(navigator),
      solventLabels_(solventLabels) {
    setObjectName(QStringLiteral("frmSolubilityTest"));
    setWindowTitle(QStringLiteral("Tarnwell - Solubility Test"));
    setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25));

    txtMaterial_ = new QLineEdit(this);
    txtMaterial_->setObjectName(QStringLiteral("txtMaterial"));
    txtMaterial_->setAccessibleName(QStringLiteral("Material"));
    txtMaterial_->setPlaceholderText(QStringLiteral("e.g. Dammar varnish, aged"));
    ui::onChange(txtMaterial_, [this] { test_.material = txtMaterial_->text().toStdString(); });
    auto* top = new QHBoxLayout;
    QLabel* materialCaption = label(this, QStringLiteral("lblMaterial"), QStringLiteral("&Material:"), txtMaterial_);
    materialCaption->setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25, true));
    top->addWidget(materialCaption);
    top->addWidget(txtMaterial_, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(buildSolventBox(), 1);
    left->addWidget(buildMixtureBox());
    left->addWidget(buildSeriesBox());

    tblTestLiquids_ = new TestLiquidTable(this);
    tblTestLiquids_->setObjectName(QStringLiteral("tblTestLiquids"));
    tblTestLiquids_->setAccessibleName(QStringLiteral("Test liquids"));
    tblTestLiquids_->setAccessibleDescription(
        QStringLiteral("Each row a liquid with its N, D, W and result. Press D, P, N or T to set the result of the "
                       "chosen rows to Dissolves, Partly, No effect or Not tried; Return opens the list of results; "
                       "Delete removes the chosen rows."));
    connect(tblTestLiquids_, &TestLiquidTable::resultChosen, this,
            [this](int row, TestResult result) { setResult(row, result); });
    connect(tblTestLiquids_, &TestLiquidTable::removeRequested, this, [this] { cmdRemoveLiquid_Click(); });
    auto* centre = new QVBoxLayout;
    QLabel* tableCaption = label(this, QStringLiteral("lblTestLiquids"), QStringLiteral("&Liquids tried:"), tblTestLiquids_);
    tableCaption->setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25, true));
    centre->addWidget(tableCaption);
    centre->addWidget(tblTestLiquids_, 1);
    QLabel* resultHelp = label(this, QStringLiteral("lblResultHelp"),
                               QStringLiteral("To set a result, double-click it (or press Return) and choose, or choose rows and press "
                                              "D (Dissolves), P (Partly), N (No effect) or T (Not tried)."));
    resultHelp->setWordWrap(true);
    centre->addWidget(resultHelp);
    auto* removeRow = new QHBoxLayout;
    removeRow->addWidget(button(this, QStringLiteral("cmdRemoveLiquid"), QStringLiteral("Remove Liquid"),
                                [this] { cmdRemoveLiquid_Click(); }));
    removeRow->addStretch(1);
    centre->addLayout(removeRow);

    auto* middle = new QHBoxLayout;
    middle->addLayout(left, 0);
    middle->addLayout(centre, 1);
    middle->addWidget(buildZonePanel(), 0);

    lblStatus_ = label(this, QStringLiteral("lblStatus"), QString());
    lblStatus_->setWordWrap(true);
    lblStatus_->setAccessibleDescription(QStringLiteral("What the window last did"));
    say(lblStatus_, QString());

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(button(this, QStringLiteral("cmdOpenTest"), QStringLiteral("&Open\u2026"), [this] { cmdOpenTest_Click(); }));
    bottom->addWidget(button(this, QStringLiteral("cmdSaveTest"), QStringLiteral("&Save\u2026"), [this] { cmdSaveTest_Click(); }));
    bottom->addStretch(1);
    bottom->addWidget(button(this, QStringLiteral("cmdPrint"), QStringLiteral("Print"), [this] { cmdPrint_Click(); }));
    bottom->addWidget(button(this, QStringLiteral("cmdHelp"), QStringLiteral("Help"), [this] { cmdHelp_Click(); }));
    bottom->addWidget(button(this, QStringLiteral("cmdClose"), QStringLiteral("Close"), [this] { close(); }));

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addLayout(middle, 1);
    root->addWidget(lblStatus_);
    root->addLayout(bottom);
    resize(ui::ptSize(840, 500));

    chkMixThree_Click();
    testChanged();
    lstTestSolvent_->setFocus();
}

FrmSolubilityTest::~FrmSolubilityTest() = default;

QWidget* FrmSolubilityTest::buildSolventBox() {
    auto* box = new QGroupBox(QStringLiteral("Add a listed solvent"), this);
    box->setObjectName(QStringLiteral("fraSolvent"));
    lstTestSolvent_ = new ui::SolventListView(box);
    lstTestSolvent_->setObjectName(QStringLiteral("lstTestSolvent"));
    lstTestSolvent_->setModel(solventLabels_);
    lstTestSolvent_->setAccessibleName(QStringLiteral("Listed solvents"));
    lstTestSolvent_->setAccessibleDescription(QStringLiteral("Double-click a solvent or press Return to add it to the test"));
    lstTestSolvent_->setMinimumWidth(ui::px(190));
    // Return on the selected row too (onDblClick).
    ui::onDblClick(lstTestSolvent_, [this] { lstTestSolvent_DblClick(); });
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(label(box, QStringLiteral("lblTestSolventHelp"), QStringLiteral("Double-click or press Return:")));
    layout->addWidget(lstTestSolvent_, 1);
    return box;
}

QWidget* FrmSolubilityTest::buildMixtureBox() {
    auto* box = new QGroupBox(QStringLiteral("Add a mixture (volume fractions)"), this);
    box->setObjectName(QStringLiteral("fraMixture"));
    auto* grid = new QGridLayout(box);
    for (int k = 0; k < 3; ++k) {
        const QString number = QString::number(k + 1);
        auto& combo = cboMixSolvent_[static_cast<std::size_t>(k)];
        auto& field = txtMixFraction_[static_cast<std::size_t>(k)];
        combo = solventCombo(box, QStringLiteral("cboMixSolvent") + number, QStringLiteral("Mixture solvent ") + number,
                             solventLabels_);
        field = new QLineEdit(box);
        field->setObjectName(QStringLiteral("txtMixFraction") + number);
        field->setAccessibleName(QStringLiteral("Mixture solvent ") + number + QStringLiteral(" volume fraction"));
        field->setPlaceholderText(QStringLiteral("0.50"));
        field->setMaximumWidth(ui::px(40));
        grid->addWidget(label(box, QStringLiteral("lblMixSolvent") + number, number + QLatin1Char('.'), combo), k, 0);
        grid->addWidget(combo, k, 1);
        grid->addWidget(field, k, 2);
    }
    chkMixThree_ = new QCheckBox(QStringLiteral("Three solvents"), box);
    chkMixThree_->setObjectName(QStringLiteral("chkMixThree"));
    connect(chkMixThree_, &QCheckBox::toggled, this, [this] { chkMixThree_Click(); });
    grid->addWidget(chkMixThree_, 3, 1);
    grid->addWidget(button(box, QStringLiteral("cmdAddMixture"), QStringLiteral("Add Mixture"), [this] { cmdAddMixture_Click(); }),
                    4, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* FrmSolubilityTest::buildSeriesBox() {
    auto* box = new QGroupBox(QStringLiteral("Add a series"), this);
    box->setObjectName(QStringLiteral("fraSeries"));
    auto* grid = new QGridLayout(box);
    cboSeriesFrom_ = solventCombo(box, QStringLiteral("cboSeriesFrom"), QStringLiteral("Series from"), solventLabels_);
    cboSeriesTo_ = solventCombo(box, QStringLiteral("cboSeriesTo"), QStringLiteral("Series to"), solventLabels_);
    spnSeriesStep_ = new QSpinBox(box);
    spnSeriesStep_->setObjectName(QStringLiteral("spnSeriesStep"));
    spnSeriesStep_->setRange(1, 50);
    spnSeriesStep_->setValue(10);
    spnSeriesStep_->setSuffix(QStringLiteral(" %"));
    spnSeriesStep_->setAccessibleName(QStringLiteral("Series step"));
    grid->addWidget(label(box, QStringLiteral("lblSeriesFrom"), QStringLiteral("From:"), cboSeriesFrom_), 0, 0);
    grid->addWidget(cboSeriesFrom_, 0, 1, 1, 2);
    grid->addWidget(label(box, QStringLiteral("lblSeriesTo"), QStringLiteral("To:"), cboSeriesTo_), 1, 0);
    grid->addWidget(cboSeriesTo_, 1, 1, 1, 2);
    grid->addWidget(label(box, QStringLiteral("lblSeriesStep"), QStringLiteral("Step:"), spnSeriesStep_), 2, 0);
    grid->addWidget(spnSeriesStep_, 2, 1);
    grid->addWidget(button(box, QStringLiteral("cmdAddSeries"), QStringLiteral("Add Series"), [this] { cmdAddSeries_Click(); }),
                    2, 2);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* FrmSolubilityTest::buildZonePanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("fraZone"));
    chart_ = new TeasChartWidget(panel);
    chart_->setObjectName(QStringLiteral("chtTestZone"));
    chart_->setSolvents(chartSolvents(state_.table));
    chart_->setFocusPolicy(Qt::NoFocus);  // a picture of the test; the table is where it is changed
    chart_->setAccessibleName(QStringLiteral("Teas chart of the test"));
    chart_->setMinimumSize(ui::px(300), ui::px(270));

    lblZoneStatus_ = label(panel, QStringLiteral("lblZoneStatus"), QString());
    lblZoneStatus_->setWordWrap(true);
    lblZoneCentre_ = label(panel, QStringLiteral("lblZoneCentre"), QString());
    lblZoneWarning_ = label(panel, QStringLiteral("lblZoneWarning"), QString());
    lblZoneWarning_->setWordWrap(true);
    lblZoneWarning_->setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25, true));
    ui::colours::setTextColour(lblZoneWarning_, ui::colours::red());

    spnMargin_ = ui::makeZoneMarginBox(panel, QStringLiteral("spnMargin"), margin_);
    connect(spnMargin_, &QDoubleSpinBox::valueChanged, this, [this](double value) { setMargin(value); });
    auto* marginRow = new QHBoxLayout;
    marginRow->addWidget(label(panel, QStringLiteral("lblMargin"), QStringLiteral("M&argin (Teas points):"), spnMargin_));
    marginRow->addWidget(spnMargin_);
    marginRow->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(panel, QStringLiteral("cmdZoneCentreAsTarget"), QStringLiteral("Zone Centre as Target"),
                              [this] { cmdZoneCentreAsTarget_Click(); }));
    buttons->addWidget(button(panel, QStringLiteral("cmdFindInZone"), QStringLiteral("Find Blends in Zone\u2026"),
                              [this] { cmdFindInZone_Click(); }));

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chart_, 1);
    layout->addWidget(lblZoneStatus_);
    layout->addWidget(lblZoneCentre_);
    layout->addWidget(lblZoneWarning_);
    layout->addLayout(marginRow);
    layout->addLayout(buttons);
    panel->setMinimumWidth(ui::px(320));
    return panel;
}

// --- The liquids ---------------------------------------------------------------------------

void FrmSolubilityTest::inputError(const std::string& text) {
    platform_.messageBox(this, qs(messages::kErrorTitle), qs(text));
}

bool FrmSolubilityTest::addLiquid(TestLiquid liquid) {
    for (const TestLiquid& l : test_.liquids)
        if (sameLiquid(l, liquid)) {
            inputError(messages::liquidAlreadyInTest(liquid.name));
            return false;
        }
    test_.liquids.push_back(std::move(liquid));
    tblTestLiquids_->showTest(test_);
    const int row = static_cast<int>(test_.liquids.size()) - 1;
    tblTestLiquids_->selectRow(row);
    tblTestLiquids_->scrollToItem(tblTestLiquids_->item(row, TestLiquidTable::Name));
    say(lblStatus_, QString());
    testChanged();
    return true;
}

void FrmSolubilityTest::lstTestSolvent_DblClick() {
    const int row = ui::selectedRow(lstTestSolvent_);
    if (row < 0) return;
    LiquidOutcome outcome = liquidFromRecord(state_.table, row);
    if (const LiquidFailure* f = std::get_if<LiquidFailure>(&outcome)) {
        inputError(liquidFailureText(*f));
        return;
    }
    addLiquid(std::get<TestLiquid>(std::move(outcome)));
}

void FrmSolubilityTest::chkMixThree_Click() {
    const bool three = chkMixThree_->isChecked();
    cboMixSolvent_[2]->setEnabled(three);
    txtMixFraction_[2]->setEnabled(three);
}

void FrmSolubilityTest::cmdAddMixture_Click() {
    const std::size_t parts = chkMixThree_->isChecked() ? 3 : 2;
    std::vector<MixturePart> mixture;
    for (std::size_t k = 0; k < parts; ++k) {
        const int row = cboMixSolvent_[k]->currentIndex();
        for (const MixturePart& earlier : mixture)
            if (row >= 0 && earlier.row == row) {
                inputError(messages::kMixtureSameSolvent);
                return;
            }
        mixture.push_back({row, txtMixFraction_[k]->text().toStdString()});
    }
    LiquidOutcome outcome = liquidFromMixture(state_.table, mixture);
    if (const LiquidFailure* f = std::get_if<LiquidFailure>(&outcome)) {
        inputError(liquidFailureText(*f));
        return;
    }
    addLiquid(std::get<TestLiquid>(std::move(outcome)));
}

void FrmSolubilityTest::cmdAddSeries_Click() {
    const int from = cboSeriesFrom_->currentIndex(), to = cboSeriesTo_->currentIndex();
    if (from < 0 || to < 0) {
        inputError(messages::kSeriesNoSolvent);
        return;
    }
    if (from == to) {
        inputError(messages::kSeriesSameSolvent);
        return;
    }
    SeriesOutcome outcome = liquidSeries(state_.table, from, to, spnSeriesStep_->value());
    if (const LiquidFailure* f = std::get_if<LiquidFailure>(&outcome)) {
        inputError(liquidFailureText(*f));
        return;
    }
    // A pure solvent of one series is often the end of another: it is kept once.
    int added = 0, skipped = 0;
    for (TestLiquid& liquid : std::get<std::vector<TestLiquid>>(outcome)) {
        const bool known = std::any_of(test_.liquids.begin(), test_.liquids.end(),
                                       [&](const TestLiquid& l) { return sameLiquid(l, liquid); });
        if (known) {
            ++skipped;
            continue;
        }
        test_.liquids.push_back(std::move(liquid));
        ++added;
    }
    tblTestLiquids_->showTest(test_);
    if (added > 0) {
        const int last = static_cast<int>(test_.liquids.size()) - 1;
        tblTestLiquids_->clearSelection();
        tblTestLiquids_->setRangeSelected(QTableWidgetSelectionRange(last - added + 1, 0, last, TestLiquidTable::ColumnCount - 1), true);
        tblTestLiquids_->scrollToItem(tblTestLiquids_->item(last, TestLiquidTable::Name));
    }
    QString status = qs(messages::seriesAdded(added));
    if (skipped > 0) status += QLatin1Char(' ') + qs(messages::seriesSkipped(skipped));
    say(lblStatus_, status);
    testChanged();
}

void FrmSolubilityTest::cmdRemoveLiquid_Click() {
    const std::vector<int> rows = tblTestLiquids_->chosenRows();
    if (rows.empty()) {
        inputError(messages::kNoLiquidSelected);
        return;
    }
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        test_.liquids.erase(test_.liquids.begin() + *it);
    tblTestLiquids_->clearSelection();
    tblTestLiquids_->showTest(test_);
    say(lblStatus_, QString());
    testChanged();
}

void FrmSolubilityTest::setResult(int row, TestResult result) {
    if (row < 0 || static_cast<std::size_t>(row) >= test_.liquids.size()) return;
    test_.liquids[static_cast<std::size_t>(row)].result = result;
    tblTestLiquids_->showResult(row, result);
    testChanged();
}

void FrmSolubilityTest::setTest(SolubilityTest test) {
    test_ = std::move(test);
    txtMaterial_->setText(qs(test_.material));
    tblTestLiquids_->clearSelection();
    tblTestLiquids_->showTest(test_);
    testChanged();
}

QString FrmSolubilityTest::materialText() const { return qs(test_.material); }

// --- The zone --------------------------------------------------------------------------------

void FrmSolubilityTest::setMargin(double margin) {
    margin_ = margin;
    {
        const QSignalBlocker quiet(spnMargin_);
        spnMargin_->setValue(margin);
    }
    testChanged();
    emit marginChanged(margin);
}

void FrmSolubilityTest::testChanged() {
    zone_ = zoneOfTest(test_, margin_);
    overlay_ = zoneOverlay(test_, zone_);
    ui::ChartMarks own;
    own.zone = overlay_;
    chart_->setMarks(own);

    QString status = qs(messages::zoneSummary(dissolvingCount(test_), zone_.shape == ZoneShape::Point,
                                              zone_.shape == ZoneShape::Segment));
    if (zone_.shape == ZoneShape::Area && zone_.region.empty())
        status += QLatin1Char(' ') + qs(messages::kZoneEmptyAfterMargin);
    say(lblZoneStatus_, status);
    const auto centre = zoneCentreTarget(zone_);
    say(lblZoneCentre_, centre ? qs(messages::zoneCentreText(centre->n, centre->d, centre->w)) : QString());
    const std::size_t inside = noEffectInsideZone(test_, zone_).size();
    say(lblZoneWarning_, inside ? qs(messages::noEffectInsideZone(static_cast<int>(inside))) : QString());
    tellChart();
}

void FrmSolubilityTest::cmdZoneCentreAsTarget_Click() {
    const auto centre = zoneCentreTarget(zone_);
    if (!centre) {
        inputError(messages::kNoZone);
        return;
    }
    if (workbench_.setTarget)
        workbench_.setTarget(centre->n, centre->d, centre->w, qs(messages::zoneCentreTargetName(test_.material)));
    say(lblStatus_, qs(messages::targetTaken(centre->n, centre->d, centre->w)));
}

void FrmSolubilityTest::cmdFindInZone_Click() {
    if (zone_.shape == ZoneShape::None) {
        inputError(messages::kNoZone);
        return;
    }
    navigator_.showFinder(ui::FinderMode::Zone, this);
}

SolubilityZone FrmSolubilityTest::zoneFor(double margin) const { return zoneOfTest(test_, margin); }

QString FrmSolubilityTest::zoneHeading() const {
    return qs(messages::zoneFinderHeading(test_.material, dissolvingCount(test_)));
}

void FrmSolubilityTest::useZoneBlend(const ZoneBlend& blend, const SolubilityZone& zone, QWidget* finder,
                                     const std::function<void(const QString&)>& showStatus) {
    if (workbench_.loadSolvents) workbench_.loadSolvents(blend.rows, blend.size);
    if (blend.size == 1) {
        const QString text = qs(messages::solventAloneInZone(std::string(state_.table.labels.at(static_cast<std::size_t>(blend.rows[0])))));
        showStatus(text);
        platform_.messageBox(finder, qs(messages::kZoneTitle), text);
        return;
    }
    const ZoneBlendCheck check = checkZoneBlend(state_.table, blend, zone);
    const TeasPoint& t = check.target;
    if (t.addsTo100() && workbench_.setTarget)
        workbench_.setTarget(t.n, t.d, t.w, qs(messages::zoneBlendTargetName(test_.material)));
    const QString text = qs(zoneCheckText(check));
    showStatus(text);
    if (check.verdict == ZoneCheck::Fine) {
        if (workbench_.calculate) workbench_.calculate();
        return;
    }
    // Never a report that pretends: the reason instead, in the solver's own words where it has them.
    const QString title = check.verdict == ZoneCheck::SolverMessage ? qs(blendMessageText(check.message).title)
                                                                    : qs(messages::kZoneTitle);
    platform_.messageBox(finder, title, text);
}

// --- Keeping a test ---------------------------------------------------------------------------

void FrmSolubilityTest::cmdSaveTest_Click() {
    const QString path = platform_.chooseFile(
        this, {true, QStringLiteral("Save Solubility Test"), kFileFilter, suggestedFileName(materialText()), QStringLiteral("txt")});
    if (path.isEmpty()) return;
    const std::string text = writeSolubilityTest(test_);
    QSaveFile file(path);
    const bool saved = file.open(QIODevice::WriteOnly) &&
                       file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
                       file.commit();
    if (!saved) {
        platform_.messageBox(this, qs(messages::kTestFileTitle),
                             qs(messages::testFileNotSaved(path.toStdString(), file.errorString().toStdString())));
        return;
    }
    say(lblStatus_, qs(messages::testSaved(path.toStdString())));
}

void FrmSolubilityTest::cmdOpenTest_Click() {
    const QString path = platform_.chooseFile(this, {false, QStringLiteral("Open Solubility Test"), kFileFilter, {}, {}});
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        platform_.messageBox(this, qs(messages::kTestFileTitle),
                             qs(messages::testFileNotRead(file.errorString().toStdString())));
        return;
    }
    // One byte past the largest test the reader takes, so it can say the file is too large.
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxTestFileBytes) + 1);
    const TestFileOutcome outcome = readSolubilityTest(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (const TestFileError* error = std::get_if<TestFileError>(&outcome)) {
        platform_.messageBox(this, qs(messages::kTestFileTitle), qs(messages::testFileNotRead(testFileErrorText(*error))));
        return;
    }
    const ResolvedTest resolved = resolveAgainstTable(std::get<SolubilityTest>(outcome), state_.table);
    setTest(resolved.test);
    say(lblStatus_, qs(messages::testOpened(path.toStdString())));
    if (resolved.notes.empty()) return;
    QString notes = qs(messages::kTestFileOpenedWithNotes);
    for (const LiquidNote& note : resolved.notes) {
        tblTestLiquids_->setRowNote(static_cast<int>(note.liquid), qs(note.text));
        notes += QLatin1Char('\r') + qs(note.text);
    }
    platform_.messageBox(this, qs(messages::kTestFileTitle), notes);
}

// --- The window ------------------------------------------------------------------------------

void FrmSolubilityTest::cmdPrint_Click() { platform_.printWindow(this); }

void FrmSolubilityTest::cmdHelp_Click() { navigator_.showHelp(ui::HelpEntry::SolubilityTest, this); }

ui::ChartMarks FrmSolubilityTest::chartMarks() const {
    ui::ChartMarks marks;
    if (isVisible()) marks.zone = overlay_;
    return marks;
}

void FrmSolubilityTest::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    tellChart();
}

void FrmSolubilityTest::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    tellChart();
}

}  // namespace tarnwell
