#pragma once
// The event model the screens are written in, on Qt widgets:
//  - Click of a list: its selection changed, by the user or by code (also when
//    code selects or clears a row, synchronously, before the next statement).
//  - DblClick of a list: a double-click on a row (never on empty space), or
//    Return or Enter while a row is selected.
//  - Change of a field: its text changed (setText and clear() included).
//  - AfterUpdate of a field: the user changed it and leaves it (focus out or
//    Return), once per change.
// "The selected row" is always the selection, never the current row: Qt can
// make a row current without selecting it when a list gets the focus.

#include <QAbstractItemView>
#include <QListView>
#include <cstdint>
#include <functional>

class QLineEdit;
class QListWidget;

namespace tarnwell::ui {

// -1 when no row is selected.
int selectedRow(const QAbstractItemView* list);
// Selects exactly `row` (and makes it current); -1 clears the selection.
void selectRow(QAbstractItemView* list, int row);

void onClick(QAbstractItemView* list, std::function<void()> handler);
void onDblClick(QAbstractItemView* list, std::function<void()> handler);
// Return or Enter on a list with a row selected runs `handler`; with no row
// selected it does nothing. onDblClick sets this up with its own handler.
void onReturn(QAbstractItemView* list, std::function<void()> handler);
void onChange(QLineEdit* field, std::function<void()> handler);
void onAfterUpdate(QLineEdit* field, std::function<void()> handler);

// A solvent list: one column of labels ("2:   Acetone"), both scroll bars,
// single selection, uniform rows over a model shared by every solvent list.
// Typing a character jumps to the next row whose name (after the reference
// prefix) starts with it.
class SolventListView : public QListView {
    Q_OBJECT
public:
    explicit SolventListView(QWidget* parent = nullptr);

protected:
    void keyboardSearch(const QString& search) override;
};

// The 101-row lists of whole percentages, row i showing 100 - i.
QListWidget* makePercentList(QWidget* parent, const QString& objectName);
// The Click of a percentage list: `value` = 100 - the selected row. A percent
// list always stands on a value, so a ctrl-click that empties it selects the
// row of `value` again (which runs Click anew) and gives false.
bool readPercentList(QListWidget* list, std::int16_t& value);

}  // namespace tarnwell::ui
