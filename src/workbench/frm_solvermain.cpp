#include "workbench/frm_solvermain.h"

#include "core/blend_solver.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "custom/custom_solvent.h"
#include "solver/solution_report.h"
#include "ui/accessible.h"
#include "ui/colours.h"
#include "ui/events.h"
#include "ui/keyboard.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QListWidget>
#include <QPushButton>

#include <optional>
#include <tuple>

namespace tarnwell {

using ui::qs;
using ui::ptRect;

FrmSolvermain::FrmSolvermain(AppState& state, ui::Platform& platform, ui::Navigator& navigator,
                             CustomSolventService& custom, QAbstractItemModel* solventLabels, QWidget* parent)
    : QWidget(parent, Qt::Window), SlotScreen(this, state, platform, navigator, custom, solventLabels) {
    setObjectName(QStringLiteral("frmSolvermain"));
    setWindowTitle(QStringLiteral("Tarnwell - Main Form"));
    ui::setFixedClientSize(this, 594, 429.75);
    setFont(ui::makeFont(QStringLiteral("Tahoma"), 7.5));
    ui::endProgramOnClose(this, platform_);

    for (int k = 0; k < 3; ++k) buildSlotColumn(k, 6 + 196 * k);
    buildTargetFrame();

    const QFont buttonFont = ui::makeFont(QStringLiteral("Tahoma"), 8.25, true);
    auto button = [&](const char* name, const QString& caption, QRect place, std::function<void()> onClick) {
        QPushButton* b = ui::addButton(this, qs(name), caption, place, std::move(onClick));
        b->setFont(buttonFont);
        return b;
    };
    button("cmdEnterasTarget", QStringLiteral("Enter Current \nSolvent #1 as the Target"), ptRect(10, 236, 120, 30),
           [this] { cmdEnterasTarget_Click(); });
    checkBox1_ = ui::addCheckBox(this, QStringLiteral("CheckBox1"), QStringLiteral(" Use only 2 solvents"),
                                 ptRect(412, 236, 120, 14), [this] { CheckBox1_Click(); });
    // Long captions wrap inside their buttons, as on the original design.
    ui::wrapCaption(button("cmdCalculate", QStringLiteral("Calculate Concentrations to Match the Target"),
                           ptRect(404, 262, 182, 34), [this] { cmdCalculate_Click(); }));
    ui::wrapCaption(button("CommandButton3",
                           QStringLiteral("Go to form to calculate solubility paramaters from concentrations"),
                           ptRect(404, 302, 182, 34), [this] { CommandButton3_Click(); }));
    button("CommandButton2", QStringLiteral("Help"), ptRect(10, 388, 60, 26), [this] { CommandButton2_Click(); });
    button("cmdReferences", QStringLiteral("References"), ptRect(76, 388, 66, 26), [this] { cmdReferences_Click(); });
    // In the free room under CommandButton3, clear of every designed control.
    button("cmdFindBlends", QStringLiteral("Find Safer Blends..."), ptRect(404, 342, 182, 24),
           [this] { cmdFindBlends_Click(); });
    button("cmdTeasChart", QStringLiteral("Teas Chart"), ptRect(404, 372, 182, 24),
           [this] { navigator_.showTeasChart(*this); });
    // In the free room under cmdEnterasTarget, left of the target frame.
    button("cmdSolubilityTest", QStringLiteral("Solubility Test\u2026"), ptRect(10, 350, 130, 26),
           [this] { cmdSolubilityTest_Click(); });

    // Tab order: the solvent columns, the target from the left, then the
    // right-hand column and the bottom left, from the solubility test down to
    // the help. The slot fields take no tab stop.
    QList<QWidget*> order;
    for (int k = 0; k < 3; ++k) order << slotColumn(k).list;
    order << findChild<QWidget*>(QStringLiteral("cmdEnterasTarget"));
    for (QListWidget* list : targetLists_) order << list;
    order << txtTargetTLV_ << txtTargetVHR_ << txtTargetName_ << txtEffectsTarget_ << checkBox1_;
    for (const char* name : {"cmdCalculate", "CommandButton3", "cmdFindBlends", "cmdTeasChart", "cmdSolubilityTest",
                             "CommandButton2", "cmdReferences"})
        order << findChild<QWidget*>(QLatin1String(name));
    for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);

    UserForm_Initialize();
}

void FrmSolvermain::buildSlotColumn(int k, double left) {
    const QString number = QString::number(k + 1);
    static const char* captions[] = {"Solvent #1:  ", "Solvent #2", "Solvent #3"};
    QLabel* caption = ui::addLabel(this, QStringLiteral("lblSolventCaption") + number, qs(captions[k]),
                                   ptRect(left + 60, 2, 90, 12));
    caption->setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25, true));
    ui::addLabel(this, QStringLiteral("lblRef") + number, QStringLiteral(" Ref"), ptRect(left, 10, 24, 10));
    const SlotCaptions under{
        {QStringLiteral("N"), QStringLiteral("D"), QStringLiteral("W")}, QStringLiteral("TWA"), QStringLiteral("VHR")};
    addSlotColumn(k, left, under);
}

void FrmSolvermain::buildTargetFrame() {
    frame1_ = new QGroupBox(QStringLiteral("Target Solvent"), this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setGeometry(ptRect(146, 228, 252, 196));
    frame1_->setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25, true));
    const QFont plain = ui::makeFont(QStringLiteral("Tahoma"), 7.5);

    static const char* names[] = {"lstTargetN", "lstTargetD", "lstTargetW"};
    static const char* letters[] = {"N", "D", "W"};
    for (int i = 0; i < 3; ++i) {
        QListWidget* list = ui::makePercentList(frame1_, QLatin1String(names[i]));
        list->setGeometry(ptRect(8 + 42 * i, 16, 37, 95));
        list->setFont(plain);
        targetLists_[static_cast<std::size_t>(i)] = list;
        ui::setSpokenName(list, QStringLiteral("Target ") + QLatin1String(letters[i]),
                          ui::meaningOf(ui::kNdwFigures[i]) + QStringLiteral("; N + D + W must add up to 100"));
        QLabel* l = ui::addCaption(frame1_, QStringLiteral("lblTarget") + QLatin1String(letters[i]),
                                   QLatin1String(letters[i]), ptRect(8 + 42 * i, 112, 37, 10));
        l->setFont(plain);
    }
    QLabel* sumCaption = ui::addLabel(frame1_, QStringLiteral("lblSumCaption"), QStringLiteral("    N + D + W = "),
                                      ptRect(4, 126, 80, 14));
    sumCaption->setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25, true));
    lblTotal_ = ui::addLabel(frame1_, QStringLiteral("lblTotal"), QString(), ptRect(84, 126, 40, 14));
    lblTotal_->setFont(ui::makeFont(QStringLiteral("Tahoma"), 9.75, true));
    ui::describeValue(lblTotal_, QStringLiteral("N + D + W"));

    auto field = [&](const char* name, QRect rect) {
        auto* f = new QLineEdit(frame1_);
        f->setObjectName(QLatin1String(name));
        f->setGeometry(rect);
        f->setFont(plain);
        return f;
    };
    txtTargetTLV_ = field("txtTargetTLV", ptRect(138, 16, 52, 15));
    txtTargetVHR_ = field("txtTargetVHR", ptRect(194, 16, 52, 15));
    txtTargetName_ = field("txtTargetName", ptRect(138, 56, 108, 15));
    txtEffectsTarget_ = field("txtEffectsTarget", ptRect(6, 166, 240, 15));
    txtTargetTLV_->setAlignment(Qt::AlignCenter);
    txtTargetVHR_->setAlignment(Qt::AlignCenter);
    ui::setSpokenName(txtTargetTLV_, QStringLiteral("Target TWA"), ui::meaningOf(ui::Figure::Twa));
    ui::setSpokenName(txtTargetVHR_, QStringLiteral("Target VHR"), ui::meaningOf(ui::Figure::Vhr));
    ui::setSpokenName(txtTargetName_, QStringLiteral("Target name"));
    ui::setSpokenName(txtEffectsTarget_, QStringLiteral("Target critical effects"));
    const std::tuple<const char*, const char*, QRect> captions[] = {
        {"lblTargetTWA", "TWA", ptRect(138, 32, 52, 10)},
        {"lblTargetVHR", "VHR", ptRect(194, 32, 52, 10)},
        {"lblTargetName", "Name", ptRect(138, 72, 108, 10)}};
    for (const auto& [name, text, place] : captions) ui::addCaption(frame1_, qs(name), qs(text), place)->setFont(plain);
}

void FrmSolvermain::UserForm_Initialize() {
    // Every solvent list shows the same table through one shared model.
    connectSlotColumns();
    for (int i = 0; i < 3; ++i) {
        QListWidget* list = targetLists_[static_cast<std::size_t>(i)];
        ui::onClick(list, [this, i] { lstTarget_Click(i); });
    }
    ui::onChange(txtTargetName_, [this] { state_.target.label = txtTargetName_->text().toStdString(); });
    ui::onChange(txtTargetTLV_, [this] { state_.target.twaText = txtTargetTLV_->text().toStdString(); });
    ui::onChange(txtTargetVHR_, [this] { state_.target.vhrText = txtTargetVHR_->text().toStdString(); });
    ui::onChange(txtEffectsTarget_, [this] { state_.target.effects = txtEffectsTarget_->text().toStdString(); });

    for (QListWidget* list : targetLists_) {
        ui::selectRow(list, 50);
        // Show values on both sides of the starting 50.
        list->scrollToItem(list->item(50), QAbstractItemView::PositionAtCenter);
    }
    ui::colours::setTextColour(lblTotal_, ui::colours::red());
    showTotal();
    txtTargetTLV_->setReadOnly(true);
    txtTargetVHR_->setReadOnly(true);
    slotColumn(0).list->setFocus();
}

void FrmSolvermain::showTotal() {
    const TargetPoint& t = state_.target;
    lblTotal_->setText(QString::number(t.n + t.d + t.w));
    ui::showTotalState(lblTotal_, t.addsTo100(), QStringLiteral("adds up to 100"),
                       QStringLiteral("does not add up to 100"));
}

void FrmSolvermain::setTargetFieldsEditable(bool editable) {
    for (QLineEdit* f : {txtTargetTLV_, txtTargetVHR_, txtTargetName_, txtEffectsTarget_}) f->setReadOnly(!editable);
}

void FrmSolvermain::lstTarget_Click(int which) {
    QListWidget* list = targetLists_[static_cast<std::size_t>(which)];
    std::int16_t& value = which == 0 ? state_.target.n : which == 1 ? state_.target.d : state_.target.w;
    if (!ui::readPercentList(list, value)) return;
    showTotal();
    if (state_.target.addsTo100()) {
        setTargetFieldsEditable(true);
        // Shift+Tab leads back to the list the user was in.
        ui::jumpFocus(txtTargetTLV_, list);
        state_.target.reference = 0;
    } else {
        for (QLineEdit* f : {txtTargetTLV_, txtTargetVHR_, txtTargetName_, txtEffectsTarget_}) f->clear();
        setTargetFieldsEditable(false);
    }
    tellChart();
}

void FrmSolvermain::lstSolvent_DblClick(int k) {
    const SlotColumn& s = slotColumn(k);
    const int r = ui::selectedRow(s.list);
    if (r < 0) return;
    SolventSlot& slot = state_.solventSlots[static_cast<std::size_t>(k)];

    if (r == state_.table.lastIndex) {
        const std::optional<CustomEntry> entry = enterCustomSolvent(k, DescriptionStyle::MainScreen);
        slot.label = entry ? "0:  User entered N, D, W: " : "";
        if (entry) {
            static_cast<TeasPoint&>(slot) = *entry;
            slot.molarVolume = entry->molarVolume;
            slot.effects = entry->description;
        }
    } else {
        const SolventRecord& row = state_.table.records[static_cast<std::size_t>(r)];
        // Convert everything before writing anything, so a record that cannot
        // be read leaves the slot as empty as it was, not half filled.
        const std::optional<SolventNumbers> numbers = readSolventNumbers(row);
        if (!numbers) {
            slot.label.clear();
            ui::selectRow(s.list, -1);  // its Click handler empties the fields
            platform_.messageBox(this, qs(messages::kErrorTitle), qs(messages::kUnusableSolventRecord));
            return;
        }
        static_cast<TeasPoint&>(slot) = numbers->ndw;
        s.twa->setText(qs(row.twaText));
        s.vhr->setText(qs(row.vhrText));
        slot.label = row.label;
        s.effects->setText(qs(row.effects));
        s.effects->setCursorPosition(0);
        slot.molarVolume = numbers->molarVolume;
        slot.molecularWeight = numbers->molecularWeight;
        slot.effects = s.effects->text().toStdString();
    }

    if (ui::selectedRow(s.list) >= 0) {
        s.n->setText(qs(formatSignReserved(slot.n)));
        s.d->setText(qs(formatSignReserved(slot.d)));
        s.w->setText(qs(formatSignReserved(slot.w)));
    } else {
        for (QLineEdit* f : {s.n, s.d, s.w, s.effects}) f->clear();
    }
}

void FrmSolvermain::setSlotBackground(int k, const QColor& colour) {
    const SlotColumn& s = slotColumn(k);
    ui::colours::setBackground(s.list, colour);
    // A switched-off list keeps its rows readable on the grey: the desktop's
    // grey text (system colour 17), not a disabled text as pale as the grey.
    QPalette palette = s.list->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    s.list->setPalette(palette);
    for (QLineEdit* f : s.fields()) ui::colours::setBackground(f, colour);
}

void FrmSolvermain::CheckBox1_Click() {
    const SlotColumn& s = slotColumn(2);
    const bool twoSolvents = checkBox1_->isChecked();
    s.list->setEnabled(!twoSolvents);
    ui::selectRow(s.list, -1);
    setSlotBackground(2, twoSolvents ? ui::colours::inactiveBorder() : ui::colours::windowBackground());
    clearSlotFields(2);
    state_.twoSolventMode = twoSolvents ? -1 : 1;
}

void FrmSolvermain::cmdEnterasTarget_Click() {
    const SlotColumn& s1 = slotColumn(0);
    const int r = ui::selectedRow(s1.list);
    if (r < 0 || s1.n->text().isEmpty()) {
        platform_.messageBox(this, qs(messages::kErrorTitle), qs(messages::kEnterAsTargetNoSolvent));
        return;
    }
    if (r == state_.table.lastIndex) {
        platform_.messageBox(this, qs(messages::kErrorTitle), qs(messages::kEnterAsTargetCustomRow));
        return;
    }
    const SolventRecord& row = state_.table.records[static_cast<std::size_t>(r)];
    const std::optional<SolventNumbers> numbers = readSolventNumbers(row);
    if (!numbers) {
        platform_.messageBox(this, qs(messages::kErrorTitle), qs(messages::kUnusableSolventRecord));
        return;
    }
    // The target lists only hold 0 to 100; anything else has no row to stand on.
    const TeasPoint p = numbers->ndw;
    auto inRange = [](std::int16_t v) { return v >= 0 && v <= 100; };
    if (!inRange(p.n) || !inRange(p.d) || !inRange(p.w)) {
        platform_.messageBox(this, qs(messages::kErrorTitle), qs(messages::kEnterAsTargetOutOfRange));
        return;
    }

    // Move the lists first: their Click handlers empty the four fields on any
    // total but 100, so the row's texts are written only once the lists stand.
    static_cast<TeasPoint&>(state_.target) = p;
    ui::selectRow(targetLists_[0], 100 - p.n);
    ui::selectRow(targetLists_[1], 100 - p.d);
    ui::selectRow(targetLists_[2], 100 - p.w);
    showTotal();
    if (p.addsTo100()) {
        txtTargetTLV_->setText(qs(row.twaText));
        txtTargetVHR_->setText(qs(row.vhrText));
    } else {
        txtTargetTLV_->clear();
        txtTargetVHR_->clear();
    }
    txtTargetName_->setText(qs(row.label));
    txtEffectsTarget_->setText(qs(row.effects));
    state_.target.reference = numbers->reference;
    state_.target.label = txtTargetName_->text().toStdString();
    state_.target.twaText = txtTargetTLV_->text().toStdString();
    state_.target.vhrText = txtTargetVHR_->text().toStdString();
    state_.target.effects = txtEffectsTarget_->text().toStdString();
    setTargetFieldsEditable(false);

    ui::selectRow(s1.list, -1);
    clearSlotFields(0);
    s1.list->setFocus();
}

void FrmSolvermain::cmdCalculate_Click() {
    CalculateRequest request;
    for (int k = 0; k < 3; ++k) {
        const SlotColumn& s = slotColumn(k);
        request.selectedRow[static_cast<std::size_t>(k)] = ui::selectedRow(s.list);
        request.nFieldFilled[static_cast<std::size_t>(k)] = !s.n->text().isEmpty();
    }
    request.useOnlyTwoSolvents = checkBox1_->isChecked();
    const BlendMessage outcome = calculateBlend(state_, request);
    // A solve that got as far as a mixture moves the blend mark, and the path
    // of its evaporation starts there.
    if (outcome == BlendMessage::Solved || outcome == BlendMessage::OutsideTolerance)
        blendEvaporation_ = evaporationFromBlend(state_);
    tellChart();
    if (outcome != BlendMessage::Solved) {
        const MessageText message = blendMessageText(outcome);
        platform_.messageBox(this, qs(message.title), qs(message.text));
        return;
    }
    showSolutionReport(state_, platform_, navigator_, this);
}

void FrmSolvermain::CommandButton3_Click() {
    hide();
    navigator_.showCalculator();
}

void FrmSolvermain::CommandButton2_Click() { navigator_.showHelp(ui::HelpEntry::MainHelp, this); }

void FrmSolvermain::cmdReferences_Click() { navigator_.showHelp(ui::HelpEntry::References, this); }

void FrmSolvermain::cmdFindBlends_Click() {
    const TargetPoint& target = state_.target;
    if (!target.addsTo100()) {
        const MessageText message = blendMessageText(BlendMessage::TargetNot100);
        platform_.messageBox(this, qs(message.title), qs(message.text));
        return;
    }
    navigator_.showFinder(ui::FinderMode::Target, this);
}

void FrmSolvermain::cmdSolubilityTest_Click() { navigator_.showSolubilityTest(this); }

void FrmSolvermain::takeTarget(int n, int d, int w, const QString& name) {
    const int values[] = {n, d, w};
    for (int i = 0; i < 3; ++i) {
        if (values[i] < 0 || values[i] > 100) return;  // no row to stand on
    }
    // Each list's Click handler runs as for a click on the row.
    for (int i = 0; i < 3; ++i) ui::selectRow(targetLists_[static_cast<std::size_t>(i)], 100 - values[i]);
    if (n + d + w != 100) return;
    // A target that stood on these values already kept the texts of what it was.
    state_.target.reference = 0;
    setTargetFieldsEditable(true);
    for (QLineEdit* f : {txtTargetTLV_, txtTargetVHR_, txtEffectsTarget_}) f->clear();
    txtTargetName_->setText(name);
    tellChart();
}

void FrmSolvermain::loadBlend(const std::array<int, 3>& rows, int size) {
    // Mode first: switching it empties slot 3.
    if (size >= 2) setUseOnlyTwoSolvents(size == 2);
    for (int k = 0; k < size; ++k) loadSolventIntoSlot(k, rows[static_cast<std::size_t>(k)]);
}

void FrmSolvermain::setUseOnlyTwoSolvents(bool on) {
    if (checkBox1_->isChecked() != on) checkBox1_->setChecked(on);  // runs CheckBox1_Click
}

void FrmSolvermain::calculate() { cmdCalculate_Click(); }

ui::ChartMarks FrmSolvermain::chartMarks() const {
    ui::ChartMarks marks = slotMarks(state_.solventSlots);
    const TargetPoint& t = state_.target;
    if (t.addsTo100()) marks.target = ui::ChartMark{double(t.n), double(t.d), double(t.w)};
    const BlendResult& b = state_.blendResult;
    if (b.mixN + b.mixD + b.mixW > 0) {
        marks.blend = ui::ChartMark{b.mixN, b.mixD, b.mixW};
        marks.evaporation = blendEvaporation_;
    }
    return marks;
}

}  // namespace tarnwell
