// The help and reference pages: the moves between them, Exit, Print, the close
// box and the modal note page, driven by real clicks on the offscreen platform.
#include "app/application.h"
#include "help/help_pages.h"
#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "workbench/frm_solvermain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include "ui/layout.h"
#include <gtest/gtest.h>

using namespace tarnwell;
using tarnwell::testing::FakePlatform;
using tarnwell::testing::find;

namespace {

const QStringList kMainChain = {"frmHelp1",  "frmHelp1A", "frmHelp2", "frmHelp2added", "frmHelp2addedMore",
                                "frmHelp4",  "frmHelp4a", "frmHelp5", "frmHelp5a",     "frmHelp6"};
const QStringList kNextButtons = {"cmdHelp1toHelp2", "cmdHelp1Ato2", "cmdHelp2to3", "cmdHelp2addedto4",
                                  "cmdHelp2addedto4", "Command1", "Command1", "Command1", "Command1"};
const QStringList kBackButtons = {"cmdHelp1Ato1", "cmdHelp2to1", "cmdHelp2addedto2", "cmdHelp2addedto2",
                                  "cmd5to4", "cmd5to4", "cmd5to4", "cmd5to4", "Command2"};

// Every page and how to reach it: the entry, then Next buttons.
struct Route {
    QString page;
    ui::HelpEntry entry;
    QStringList nexts;
};

std::vector<Route> allRoutes() {
    std::vector<Route> routes;
    for (int i = 0; i < kMainChain.size(); ++i) routes.push_back({kMainChain[i], ui::HelpEntry::MainHelp, kNextButtons.mid(0, i)});
    routes.push_back({"frmHelpConcentration", ui::HelpEntry::ConcentrationHelp, {}});
    routes.push_back({"frmHelpConcentration2", ui::HelpEntry::ConcentrationHelp, {"cmdConHelp1to2"}});
    routes.push_back({"frmReferences1", ui::HelpEntry::References, {}});
    routes.push_back({"frmReferences2", ui::HelpEntry::References, {"cmdNext"}});
    return routes;
}

void press(HelpPage* page, const QString& button) {
    ASSERT_NE(page, nullptr);
    auto* b = find<QPushButton>(page, button);
    ASSERT_NE(b, nullptr) << button.toStdString() << " on " << page->objectName().toStdString();
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList visiblePages(const HelpPages& pages) {
    QStringList shown;
    for (const QString& name : kMainChain + QStringList{"frmHelpConcentration", "frmHelpConcentration2",
                                                         "frmReferences1", "frmReferences2"})
        if (HelpPage* p = pages.page(name); p && p->isVisible()) shown << name;
    return shown;
}

HelpPage* openByRoute(HelpPages& pages, const Route& route, QWidget* from) {
    pages.show(route.entry, from);
    QString current = route.entry == ui::HelpEntry::MainHelp            ? "frmHelp1"
                      : route.entry == ui::HelpEntry::References        ? "frmReferences1"
                                                                        : "frmHelpConcentration";
    int step = 0;
    for (const QString& next : route.nexts) {
        press(pages.page(current), next);
        current = route.page == "frmHelpConcentration2" ? route.page
                  : route.page.startsWith("frmReferences") ? route.page
                                                             : kMainChain[++step];
    }
    return pages.page(route.page);
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

class HelpNavigation : public ::testing::Test {
protected:
    FakePlatform platform;
    HelpPages pages{platform};
    QWidget beneath;  // the screen that opened the pages
    QLineEdit* beneathField = new QLineEdit(QStringLiteral("as the user left it"), &beneath);

    void SetUp() override {
        beneath.setObjectName("beneath");
        beneath.resize(400, 300);
        beneath.show();
    }
};

TEST_F(HelpNavigation, NextWalksTheMainChainInOrderAndBackReturnsWithOnePageVisibleAtEachStep) {
    pages.show(ui::HelpEntry::MainHelp, &beneath);
    EXPECT_EQ(visiblePages(pages), QStringList{"frmHelp1"});
    for (int i = 0; i + 1 < kMainChain.size(); ++i) {
        press(pages.page(kMainChain[i]), kNextButtons[i]);
        EXPECT_EQ(visiblePages(pages), QStringList{kMainChain[i + 1]}) << "after Next on " << i + 1;
    }
    for (int i = kMainChain.size() - 1; i > 0; --i) {
        press(pages.page(kMainChain[i]), kBackButtons[i - 1]);
        EXPECT_EQ(visiblePages(pages), QStringList{kMainChain[i - 1]}) << "after Back on " << i + 1;
    }
    EXPECT_TRUE(beneath.isVisible());
}

TEST_F(HelpNavigation, TheShorterChainsMoveBothWays) {
    pages.show(ui::HelpEntry::ConcentrationHelp, &beneath);
    press(pages.page("frmHelpConcentration"), "cmdConHelp1to2");
    EXPECT_EQ(visiblePages(pages), QStringList{"frmHelpConcentration2"});
    press(pages.page("frmHelpConcentration2"), "cmdBack");
    EXPECT_EQ(visiblePages(pages), QStringList{"frmHelpConcentration"});

    pages.show(ui::HelpEntry::References, &beneath);
    press(pages.page("frmReferences1"), "cmdNext");
    EXPECT_EQ(visiblePages(pages), (QStringList{"frmHelpConcentration", "frmReferences2"}));
    press(pages.page("frmReferences2"), "cmdBack");
    EXPECT_EQ(visiblePages(pages), (QStringList{"frmHelpConcentration", "frmReferences1"}));
}

TEST_F(HelpNavigation, EveryPageHasItsTitleLabelSizeAndButtonsInOrder) {
    struct Expected {
        QString page, title, label;
        double widthPt, heightPt;
        QStringList captions;  // left to right, or top to bottom when stacked
        QColor face;
    };
    const QColor salmon(255, 128, 128), pink(255, 192, 192);
    const std::vector<Expected> table = {
        {"frmHelp1", "Help - Main", "Help - Main - Page 1", 576, 429.75, {"Next Help Page", "Print", "Exit Help"}, pink},
        {"frmHelp1A", "Help - Main - Page 2", "Help - Main - Page 2", 568.5, 375.75, {"Next", "Back", "Print", "Exit Help"}, salmon},
        {"frmHelp2", "Help - Main - Page 3", "   Help  Main - 3", 595.5, 429, {"Next", "Back", "Print", "Exit Help"}, salmon},
        {"frmHelp2added", "Help - Main - Page 4", "Help - Main - Page 4", 572.25, 431.25, {"Next", "Back", "Print", "Exit Help"}, salmon},
        {"frmHelp2addedMore", "Help - Main page 5", "Help - Main - Page 5", 581.25, 429.75, {"Next", "Back", "Print", "Exit Help"}, salmon},
        {"frmHelp4", "Help - Main - Page 6", "Help - Main - Page 6", 565.5, 407.25, {"Next", "Back", "Print", "Exit Help"}, salmon},
        {"frmHelp4a", "Help - Main - Page 7", "Help - Main - Page 7", 567, 409.5, {"Next", "Back", "Print", "Exit Help"}, salmon},
        {"frmHelp5", "Help - Main - Page 8", "Help - Main - Page 8", 568.5, 381, {"Next", "Back", "Print", "Exit Help"}, salmon},
        {"frmHelp5a", "Help - Main - Page 9", "Help - Main - Page 9  ", 578.25, 396.75, {"Next", "Back", "Print", "Exit Help"}, salmon},
        {"frmHelp6", "Help - Main - Page 10", "Help - Main - Page 10", 575.25, 431.25, {"Back", "Print", "Exit Help"}, salmon},
        {"frmHelpConcentration", "Help - Concentration Form", "Help - Concentration - Page 1", 594, 431.25, {"Next", "Print", "Exit"}, pink},
        {"frmHelpConcentration2", "Help - Concentration Form - Page 2", "Help - Concentration - Page 2", 576.75, 366, {"Back", "Print", "Exit Help"}, pink},
        {"frmReferences1", "References - Page 1", "", 576, 388.5, {"Next", "Print", "Exit"}, salmon},
        {"frmReferences2", "Additional References ", "", 579.75, 431.25, {"Back", "Print", "Exit"}, salmon},
    };
    const std::vector<Route> routes = allRoutes();
    for (const Expected& e : table) {
        SCOPED_TRACE(e.page.toStdString());
        const Route& route = *std::find_if(routes.begin(), routes.end(), [&](const Route& r) { return r.page == e.page; });
        HelpPage* page = openByRoute(pages, route, &beneath);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(page->isVisible());
        EXPECT_EQ(page->windowTitle(), e.title);
        EXPECT_EQ(page->size(), ui::ptSize(e.widthPt, e.heightPt));
        EXPECT_FALSE(page->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        auto* label = page->findChild<QLabel*>("lblPage");  // the references have none
        EXPECT_EQ(label ? label->text() : QString(), e.label);
        if (label) {
            EXPECT_GT(label->geometry().center().x(), page->width() / 2) << "page label at the right";
        }

        QList<QPushButton*> buttons;
        for (QPushButton* b : page->findChildren<QPushButton*>())
            if (b->objectName() != "Command4") buttons << b;
        const bool stacked = e.page == "frmHelpConcentration";
        std::sort(buttons.begin(), buttons.end(), [stacked](QPushButton* a, QPushButton* b) {
            return stacked ? a->y() < b->y() : a->x() < b->x();
        });
        QStringList captions;
        for (QPushButton* b : buttons) {
            captions << b->text();
            EXPECT_EQ(b->palette().color(QPalette::Button), e.face) << b->objectName().toStdString();
            EXPECT_EQ(b->font().pointSizeF(), 12.0);
            EXPECT_TRUE(b->font().bold());
            EXPECT_EQ(stacked ? b->x() : b->y(), stacked ? buttons.front()->x() : buttons.front()->y()) << "one row/column";
        }
        EXPECT_EQ(captions, e.captions);
        page->hide();
    }
}

TEST_F(HelpNavigation, ExitHidesOnlyThatPageAndLeavesTheScreenBeneathAsItWas) {
    pages.show(ui::HelpEntry::References, &beneath);
    for (const Route& route : allRoutes()) {
        if (route.page.startsWith("frmReferences")) continue;
        SCOPED_TRACE(route.page.toStdString());
        HelpPage* page = openByRoute(pages, route, &beneath);
        const QString exitButton = route.page == "frmHelp1"               ? "cmdExitHelp1"
                                   : route.page == "frmHelpConcentration" ? "CommandButton1"
                                   : route.page == "frmHelp6"             ? "Command3"
                                                                          : "cmdExit";
        press(page, exitButton);
        EXPECT_FALSE(page->isVisible());
        EXPECT_EQ(pages.page(route.page), page) << "Exit hides, it does not discard";
        EXPECT_EQ(visiblePages(pages), QStringList{"frmReferences1"});
        EXPECT_TRUE(beneath.isVisible());
        EXPECT_EQ(beneathField->text(), "as the user left it");
    }
}

TEST_F(HelpNavigation, PrintPrintsThePageItIsOnAndEveryPageCanPrint) {
    for (const Route& route : allRoutes()) {
        HelpPage* page = openByRoute(pages, route, &beneath);
        platform.clear();
        press(page, "cmdPrint");
        ASSERT_EQ(platform.printedWindows.size(), 1u) << route.page.toStdString();
        EXPECT_EQ(platform.printedWindows.front(), route.page);
        EXPECT_TRUE(page->isVisible()) << "the page stays after printing";
        page->hide();
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(HelpNavigation, APageShownAgainKeepsItsScrollPositionAndIsTheSamePage) {
    pages.show(ui::HelpEntry::References, &beneath);
    HelpPage* first = pages.page("frmReferences1");
    auto* text = find<QTextBrowser>(first, "txtHelp");
    ASSERT_NE(text, nullptr);
    QScrollBar* bar = text->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 10) << "the first references page is long enough to scroll";
    bar->setValue(bar->maximum() / 2);
    const int scrolled = bar->value();
    press(first, "cmdExit");
    pages.show(ui::HelpEntry::References, &beneath);
    EXPECT_EQ(pages.page("frmReferences1"), first);
    EXPECT_EQ(bar->value(), scrolled);

    // The same after moving away and back.
    press(first, "cmdNext");
    press(pages.page("frmReferences2"), "cmdBack");
    EXPECT_EQ(pages.page("frmReferences1"), first);
    EXPECT_EQ(bar->value(), scrolled);
}

TEST_F(HelpNavigation, TheCloseBoxDiscardsAPageAndTheNextShowingIsFresh) {
    pages.show(ui::HelpEntry::References, &beneath);
    QPointer<HelpPage> refs = pages.page("frmReferences1");
    QScrollBar* bar = find<QTextBrowser>(refs, "txtHelp")->verticalScrollBar();
    bar->setValue(bar->maximum());
    ASSERT_GT(bar->value(), 0);
    ASSERT_TRUE(refs->close());
    flushDeletes();
    EXPECT_TRUE(refs.isNull());
    EXPECT_EQ(pages.page("frmReferences1"), nullptr);
    EXPECT_TRUE(beneath.isVisible());
    pages.show(ui::HelpEntry::References, &beneath);
    ASSERT_NE(pages.page("frmReferences1"), nullptr);
    EXPECT_TRUE(pages.page("frmReferences1")->isVisible());
    EXPECT_EQ(find<QTextBrowser>(pages.page("frmReferences1"), "txtHelp")->verticalScrollBar()->value(), 0);

    pages.show(ui::HelpEntry::MainHelp, &beneath);
    HelpPage* again = pages.page("frmHelp1");

    // A discarded page in the middle of the chain is rebuilt by the move that needs it.
    press(again, "cmdHelp1toHelp2");
    QPointer<HelpPage> second = pages.page("frmHelp1A");
    second->close();
    flushDeletes();
    EXPECT_TRUE(second.isNull());
    pages.show(ui::HelpEntry::MainHelp, &beneath);
    press(pages.page("frmHelp1"), "cmdHelp1toHelp2");
    ASSERT_NE(pages.page("frmHelp1A"), nullptr);
    EXPECT_TRUE(pages.page("frmHelp1A")->isVisible());
}

TEST_F(HelpNavigation, Command4OnPageTenDoesNothing) {
    Route toTen = allRoutes()[9];
    HelpPage* ten = openByRoute(pages, toTen, &beneath);
    ASSERT_EQ(ten->objectName(), "frmHelp6");
    auto* command4 = find<QPushButton>(ten, "Command4");
    ASSERT_NE(command4, nullptr);
    EXPECT_EQ(command4->text(), "Go to form to calculate solubility parameters from concentrations");
    QTest::mouseClick(command4, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(visiblePages(pages), QStringList{"frmHelp6"});
    EXPECT_TRUE(platform.printedWindows.empty());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(HelpNavigation, AnEntryShowsTheSamePageFromEveryScreenAndHidesTheRestOfItsChain) {
    QWidget calculator;
    calculator.show();
    pages.show(ui::HelpEntry::References, &beneath);
    HelpPage* fromMain = pages.page("frmReferences1");
    press(fromMain, "cmdNext");
    pages.show(ui::HelpEntry::References, &calculator);
    EXPECT_EQ(pages.page("frmReferences1"), fromMain);
    EXPECT_EQ(visiblePages(pages), QStringList{"frmReferences1"});
}

TEST_F(HelpNavigation, TheNotePageFromTheReportIsModalAndReturnsWhenLeftByExit) {
    bool sawModal = false;
    tarnwell::testing::whenModalAppears([&](QWidget* modal) {
        sawModal = modal->objectName() == "frmHelp4";
        EXPECT_TRUE(modal->isModal());
        press(qobject_cast<HelpPage*>(modal), "cmdExit");
    });
    pages.showNoteOnMixturesModal(&beneath);
    EXPECT_TRUE(sawModal);
    EXPECT_TRUE(visiblePages(pages).isEmpty());
    // Kept like any page, and modeless when reached by a move later.
    HelpPage* note = pages.page("frmHelp4");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(openByRoute(pages, allRoutes()[5], &beneath), note);
    EXPECT_TRUE(note->isVisible());
    EXPECT_FALSE(note->isModal());
}

// The Evaporation window's page: shown modally over that (modal) window, in
// no chain, so a chain's page already open stays as it was; Print prints it
// and Exit returns to the window.
TEST_F(HelpNavigation, TheEvaporationPageStandsAloneModalOverItsWindow) {
    pages.show(ui::HelpEntry::MainHelp, &beneath);
    for (int showing = 0; showing < 2; ++showing) {
        bool sawModal = false;
        tarnwell::testing::whenModalAppears([&](QWidget* modal) {
            sawModal = modal->objectName() == "frmHelpEvaporation";
            EXPECT_TRUE(modal->isModal());
            EXPECT_EQ(modal->windowTitle(), "Help - Evaporation");
            EXPECT_EQ(find<QLabel>(modal, "lblPage")->text(), "Help - Evaporation");
            EXPECT_EQ(find<QPushButton>(modal, "cmdExit")->text(), "Exit Help");
            press(qobject_cast<HelpPage*>(modal), "cmdPrint");
            press(qobject_cast<HelpPage*>(modal), "cmdExit");
        });
        pages.showModal(ui::HelpEntry::Evaporation, &beneath);
        EXPECT_TRUE(sawModal);
        EXPECT_EQ(visiblePages(pages), QStringList{"frmHelp1"});
    }
    EXPECT_EQ(platform.printedWindows, (std::vector<QString>{"frmHelpEvaporation", "frmHelpEvaporation"}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(HelpNavigation, TheNotePageReturnsWhenLeftByAMoveOrTheCloseBox) {
    tarnwell::testing::whenModalAppears([&](QWidget* modal) { press(qobject_cast<HelpPage*>(modal), "Command1"); });
    pages.showNoteOnMixturesModal(&beneath);
    EXPECT_EQ(visiblePages(pages), QStringList{"frmHelp4a"});
    EXPECT_FALSE(pages.page("frmHelp4a")->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    tarnwell::testing::whenModalAppears([&](QWidget* modal) { modal->close(); });
    pages.showNoteOnMixturesModal(&beneath);
    flushDeletes();
    EXPECT_EQ(pages.page("frmHelp4"), nullptr) << "the close box discards the note page too";
    EXPECT_EQ(visiblePages(pages), QStringList{}) << "page 7 was hidden when the note opened";
}

// Through the application: the main screen's Help and References buttons.
TEST(HelpFromScreens, MainScreenButtonsOpenTheirPagesAndTheMainScreenStaysUsable) {
    tarnwell::testing::DatabaseFolder folder(tarnwell::testing::databaseText(tarnwell::testing::sampleSolvents()));
    FakePlatform platform;
    Application app(platform);
    app.showMainScreen();
    QWidget* main = app.mainScreen();
    ASSERT_NE(main, nullptr);
    QTest::mouseClick(find<QPushButton>(main, "CommandButton2"), Qt::LeftButton);
    HelpPage* help = app.helpPages().page("frmHelp1");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->isEnabled());
    QTest::mouseClick(find<QPushButton>(main, "cmdReferences"), Qt::LeftButton);
    ASSERT_NE(app.helpPages().page("frmReferences1"), nullptr);
    EXPECT_TRUE(app.helpPages().page("frmReferences1")->isVisible());
    EXPECT_TRUE(help->isVisible()) << "pages of different chains stand side by side";
}

}  // namespace
