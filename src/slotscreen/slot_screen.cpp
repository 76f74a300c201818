#include "slotscreen/slot_screen.h"

#include "ui/accessible.h"
#include "ui/events.h"
#include "ui/layout.h"
#include "ui/text.h"

#include <QLineEdit>

namespace tarnwell {

namespace {
QLineEdit* addCentredField(QWidget* screen, const QString& name, QRect geometry) {
    QLineEdit* field = ui::addReadOnlyField(screen, name, geometry);
    field->setAlignment(Qt::AlignCenter);
    return field;
}
}  // namespace

SlotScreen::SlotScreen(QWidget* window, AppState& state, ui::Platform& platform, ui::Navigator& navigator,
                       CustomSolventService& custom, QAbstractItemModel* solventLabels)
    : state_(state),
      platform_(platform),
      navigator_(navigator),
      custom_(custom),
      solventLabels_(solventLabels),
      window_(window) {}

const SlotColumn& SlotScreen::addSlotColumn(int k, double left, const SlotCaptions& captions) {
    using ui::ptRect;
    const QString number = QString::number(k + 1);
    SlotColumn& c = columns_.at(static_cast<std::size_t>(k));
    c.list = new ui::SolventListView(window_);
    c.list->setObjectName(QStringLiteral("lstSolvent") + number);
    c.list->setGeometry(ptRect(left, 20, 190, 129));
    const QString solvent = QStringLiteral("Solvent ") + number;
    ui::setSpokenName(c.list, solvent,
                      QStringLiteral("Return or a double-click puts the selected solvent in this column; the last "
                                     "row enters a solvent by hand"));

    const QString prefix = QStringLiteral("txtSolvent") + number;
    const QString letters[] = {QStringLiteral("N"), QStringLiteral("D"), QStringLiteral("W")};
    QLineEdit** ndw[] = {&c.n, &c.d, &c.w};
    for (std::size_t i = 0; i < 3; ++i) {
        const double x = left + 22 + 54 * static_cast<double>(i);
        *ndw[i] = addCentredField(window_, prefix + QLatin1Char('_') + letters[i], ptRect(x, 152, 36, 15));
        ui::setSpokenName(*ndw[i], solvent + QLatin1Char(' ') + letters[i], ui::meaningOf(ui::kNdwFigures[i]));
        ui::addCaption(window_, QStringLiteral("lbl") + prefix + letters[i], captions.ndw[i],
                       ptRect(x - captions.ndwOverhang, 168, 36 + 2 * captions.ndwOverhang, 10));
    }
    c.twa = addCentredField(window_, QStringLiteral("txtTLV_") + number, ptRect(left + 22, 180, 66, 15));
    c.vhr = addCentredField(window_, QStringLiteral("txtVHR_") + number, ptRect(left + 102, 180, 66, 15));
    ui::addCaption(window_, QStringLiteral("lblTWA") + number, captions.twa, ptRect(left + 22, 196, 66, 10));
    ui::addCaption(window_, QStringLiteral("lblVHR") + number, captions.vhr, ptRect(left + 102, 196, 66, 10));
    c.effects = ui::addReadOnlyField(window_, QStringLiteral("txtEffects") + number, ptRect(left, 208, 190, 15));
    ui::setSpokenName(c.twa, solvent + QStringLiteral(" TWA"), ui::meaningOf(ui::Figure::Twa));
    ui::setSpokenName(c.vhr, solvent + QStringLiteral(" VHR"), ui::meaningOf(ui::Figure::Vhr));
    ui::setSpokenName(c.effects, solvent + QStringLiteral(" critical effects"));
    return c;
}

void SlotScreen::connectSlotColumns() {
    for (int k = 0; k < 3; ++k) {
        const SlotColumn& c = slotColumn(k);
        c.list->setModel(solventLabels_);
        ui::onClick(c.list, [this, k] { lstSolvent_Click(k); });
        ui::onDblClick(c.list, [this, k] { lstSolvent_DblClick(k); });
        for (QLineEdit* f : {c.n, c.d, c.w}) ui::onChange(f, [this] { tellChart(); });
    }
}

void SlotScreen::clearSlotFields(int k) {
    for (QLineEdit* f : slotColumn(k).fields()) f->clear();
}

bool SlotScreen::slotShown(int k) const { return !slotColumn(k).n->text().isEmpty(); }

void SlotScreen::loadSolventIntoSlot(int k, int row) {
    if (k < 0 || k > 2) return;
    ui::SolventListView* list = slotColumn(k).list;
    if (!list->isEnabled() || !list->model() || row < 0 || row >= list->model()->rowCount()) return;
    ui::selectRow(list, row);
    lstSolvent_DblClick(k);
}

std::optional<CustomEntry> SlotScreen::enterCustomSolvent(int k, DescriptionStyle style) {
    const SlotColumn& c = slotColumn(k);
    std::optional<CustomEntry> entry = custom_.RequestCustomSolvent(window_, c.list, style);
    if (!entry) {
        // As the request leaves it; also when a request already running gave nothing.
        ui::selectRow(c.list, -1);
        return entry;
    }
    c.twa->clear();
    c.vhr->clear();
    c.effects->setText(ui::qs(entry->description));
    c.effects->setCursorPosition(0);  // a long text shows from its start
    return entry;
}

}  // namespace tarnwell
