#pragma once
// The fourteen help and reference pages and the moves between them, and the
// pages of the solubility test and the Evaporation window, which stand alone.

#include "ui/navigator.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>
#include <map>

class QWidget;

namespace tarnwell {
namespace ui { class Platform; }

// One page: a fixed screen of text and pictures with a row of buttons. Closing
// it by its close box discards it (the next showing builds it afresh).
class HelpPage final : public QDialog {
    Q_OBJECT
public:
    explicit HelpPage(const QString& name);

signals:
    void discarded();

protected:
    void closeEvent(QCloseEvent* event) override;
};

class HelpPages : public QObject {
    Q_OBJECT
public:
    explicit HelpPages(ui::Platform& platform, QObject* parent = nullptr);
    ~HelpPages() override;

    // Shows the entry page modeless (created on first use, kept afterwards).
    void show(ui::HelpEntry entry, QWidget* from);
    // Help page 6 shown modally; returns when the user leaves it.
    void showNoteOnMixturesModal(QWidget* from);
    // The entry page shown modally, for a modal window; returns when the user leaves it.
    void showModal(ui::HelpEntry entry, QWidget* from);

    // The page of that name if it exists now (shown or hidden), else null.
    HelpPage* page(const QString& name) const;

private:
    HelpPage* pageFor(const QString& name, QWidget* from);
    HelpPage* build(const QString& name);
    // Hide `from`, show `to` modeless.
    void move(HelpPage* from, const QString& to);
    void showModeless(const QString& name, QWidget* from);
    // Shows the page modally over `from` until it is hidden.
    void execPage(const QString& name, QWidget* from);

    ui::Platform& platform_;
    std::map<QString, QPointer<HelpPage>> pages_;
};

}  // namespace tarnwell
