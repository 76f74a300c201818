// RequestCustomSolvent through the real modal exec(): an asking screen whose
// last list row opens the custom screen on a double-click, as both the main
// screen and the calculator do.

#include "core/messages.h"
#include "custom/custom_solvent.h"
#include "custom/frm_custom_params.h"
#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "ui/events.h"
#include "ui/layout.h"
#include "ui/text.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringListModel>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace tarnwell {
namespace {

using testing::find;

// A stand-in for an asking screen: one solvent list whose last row is the
// hand-entry row.
class AskingScreen : public QWidget {
public:
    AskingScreen(CustomSolventService& service, DescriptionStyle style) : service_(service), style_(style) {
        setObjectName("askingScreen");
        resize(700, 500);
        model_.setStringList({"1:   Acetone", "2:   Ethanol", "3:   Enter N, D, W."});
        list = new ui::SolventListView(this);
        list->setObjectName("lstSolvent2");
        list->setModel(&model_);
        list->setGeometry(10, 10, 300, 200);
        ui::onClick(list, [this] { ++clicks; });
        ui::onDblClick(list, [this] {
            if (ui::selectedRow(list) != model_.rowCount() - 1) return;
            entry = service_.RequestCustomSolvent(this, list, style_);
            ++requests;
        });
    }

    void doubleClickCustomRow() { testing::doubleClickRow(list, model_.rowCount() - 1); }

    QListView* list = nullptr;
    std::optional<CustomEntry> entry;
    int clicks = 0;
    int requests = 0;

private:
    CustomSolventService& service_;
    DescriptionStyle style_;
    QStringListModel model_;
};

void choose(QWidget* screen, int n, int d, int w) {
    testing::clickRow(find<QListWidget>(screen, "lstCustomN"), 100 - n);
    testing::clickRow(find<QListWidget>(screen, "lstCustomD"), 100 - d);
    testing::clickRow(find<QListWidget>(screen, "lstCustomW"), 100 - w);
}

void type(QWidget* screen, const char* field, const QString& text) {
    auto* edit = find<QLineEdit>(screen, field);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QString totalOf(QWidget* screen) { return find<QLabel>(screen, "lblCustomTotal")->text(); }

class Request : public ::testing::Test {
protected:
    void start(ui::Platform& platform, DescriptionStyle style = DescriptionStyle::MainScreen) {
        service = std::make_unique<CustomSolventService>(result, platform);
        asking = std::make_unique<AskingScreen>(*service, style);
        asking->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(asking.get()));
    }

    // Double-clicks the hand-entry row; `onScreen` runs on the custom screen
    // while it is up (it is closed with its close box if still up after).
    void request(std::function<void(QWidget*)> onScreen) {
        bool seen = false;
        testing::whenModalAppears([&](QWidget* modal) {
            seen = true;
            ASSERT_EQ(modal->objectName(), "frmCustomParams");
            onScreen(modal);
        });
        asking->doubleClickCustomRow();
        EXPECT_TRUE(seen);
    }

    CustomSolventResult result;
    std::unique_ptr<CustomSolventService> service;
    std::unique_ptr<AskingScreen> asking;
};

void accept(QWidget* screen, int n, int d, int w, const char* mw, const char* sg) {
    choose(screen, n, d, w);
    type(screen, "txtMolWeight", mw);
    type(screen, "txtSpecGravity", sg);
    testing::click(find<QPushButton>(screen, "cmdCustomParamOk"));
}

// The real thing: real exec(), real QMessageBox for a rejected entry.
TEST_F(Request, EndToEndThroughTheRealModalsOnTheDesktop) {
    ui::DesktopPlatform desktop;
    start(desktop);
    QString boxTitle, boxText;
    bool boxEnabled = false;
    request([&](QWidget* screen) {
        // Modal over a disabled asking screen, yet usable itself.
        EXPECT_FALSE(asking->isEnabled());
        EXPECT_TRUE(screen->isEnabled());
        EXPECT_EQ(screen->parentWidget(), nullptr);
        EXPECT_TRUE(screen->isModal());
        EXPECT_LE((screen->frameGeometry().center() - asking->frameGeometry().center()).manhattanLength(), 4);
        EXPECT_EQ(result.customAccepted, -1);

        // OK right away: the total is 150, told in a real message box.
        testing::whenModalAppears([&](QWidget* box) {
            auto* message = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(message, nullptr);
            boxTitle = message->windowTitle();
            boxText = message->text();
            boxEnabled = message->isEnabled();
            EXPECT_EQ(message->buttons().size(), 1);
            EXPECT_EQ(message->icon(), QMessageBox::NoIcon);
            testing::click(message->button(QMessageBox::Ok));
        });
        testing::click(find<QPushButton>(screen, "cmdCustomParamOk"));
        EXPECT_TRUE(screen->isVisible());

        accept(screen, 34, 33, 33, "78.11", "0.879");
    });
    EXPECT_EQ(boxTitle, "Tarnwell Error");
    EXPECT_EQ(boxText, ui::qs(messages::kCustomSum));
    EXPECT_TRUE(boxEnabled);

    ASSERT_TRUE(asking->entry.has_value());
    EXPECT_EQ(asking->entry->n, 34);
    EXPECT_EQ(asking->entry->d, 33);
    EXPECT_EQ(asking->entry->w, 33);
    EXPECT_NEAR(asking->entry->molarVolume, 88.86, 0.005);
    EXPECT_EQ(asking->entry->molarVolume, static_cast<double>(78.11f / 0.879f));
    EXPECT_EQ(asking->entry->description, "MW = 78.11  Spec. Gravity = 0.88");
    EXPECT_TRUE(asking->isEnabled());
    EXPECT_EQ(ui::selectedRow(asking->list), 2);
    EXPECT_FALSE(service->screen()->isVisible());
}

TEST_F(Request, AcceptedEntryThenTheNextShowingKeepsTheListsAndEmptiesTheFields) {
    testing::FakePlatform platform;
    start(platform);
    request([&](QWidget* screen) { accept(screen, 0, 0, 100, "18.02", "1"); });
    ASSERT_TRUE(asking->entry.has_value());
    QPointer<FrmCustomParams> first = service->screen();

    request([&](QWidget* screen) {
        EXPECT_EQ(screen, first.data());
        EXPECT_EQ(result.customAccepted, -1);
        EXPECT_EQ(totalOf(screen), "100");
        EXPECT_EQ(find<QListWidget>(screen, "lstCustomW")->selectedItems().first()->text(), "100");
        EXPECT_TRUE(find<QLineEdit>(screen, "txtMolWeight")->text().isEmpty());
        EXPECT_TRUE(find<QLineEdit>(screen, "txtSpecGravity")->text().isEmpty());
        accept(screen, 0, 0, 100, "18.02", "1");
    });
    ASSERT_TRUE(asking->entry.has_value());
    EXPECT_EQ(asking->entry->w, 100);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Request, CloseBoxAfterAnEarlierAcceptedEntryIsACancel) {
    testing::FakePlatform platform;
    start(platform);
    request([&](QWidget* screen) { accept(screen, 34, 33, 33, "78.11", "0.879"); });
    ASSERT_TRUE(asking->entry.has_value());
    ASSERT_EQ(result.customAccepted, 1);
    QPointer<FrmCustomParams> first = service->screen();

    const int clicksBefore = asking->clicks;
    request([&](QWidget* screen) {
        choose(screen, 20, 30, 50);
        type(screen, "txtMolWeight", "50");
        screen->close();  // the window's close box
    });
    EXPECT_FALSE(asking->entry.has_value());
    EXPECT_EQ(result.customAccepted, -1);
    EXPECT_EQ(ui::selectedRow(asking->list), -1);
    EXPECT_GT(asking->clicks, clicksBefore);  // the asking list's Click ran
    EXPECT_TRUE(asking->isEnabled());

    // The closed screen is gone; a fresh, hidden one starts over.
    EXPECT_TRUE(first.isNull());
    FrmCustomParams* fresh = service->screen();
    ASSERT_NE(fresh, nullptr);
    EXPECT_FALSE(fresh->isVisible());
    EXPECT_EQ(totalOf(fresh), "150");
    EXPECT_TRUE(find<QLineEdit>(fresh, "txtMolWeight")->text().isEmpty());
    EXPECT_EQ(result.customN, 50);

    request([&](QWidget* screen) { EXPECT_EQ(screen, fresh); });
}

TEST_F(Request, EscapeAndRejectedEntriesAreCancels) {
    testing::FakePlatform platform;
    start(platform);
    request([&](QWidget* screen) { QTest::keyClick(screen, Qt::Key_Escape); });
    EXPECT_FALSE(asking->entry.has_value());
    EXPECT_EQ(ui::selectedRow(asking->list), -1);
    EXPECT_TRUE(asking->isEnabled());

    // Rejected by every check in turn, then closed: nothing comes back.
    request([&](QWidget* screen) {
        accept(screen, 34, 33, 33, "1e38", "0.01");
        accept(screen, 34, 33, 33, "1e39", "1");
        EXPECT_TRUE(screen->isVisible());
        screen->close();
    });
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, ui::qs(messages::kCustomMolarVolume));
    EXPECT_EQ(platform.messages[1].text, ui::qs(messages::kCustomMWTooLarge));
    EXPECT_FALSE(asking->entry.has_value());
    EXPECT_EQ(result.customAccepted, -1);
    EXPECT_EQ(asking->requests, 2);
}

TEST_F(Request, CalculatorStyleDescription) {
    testing::FakePlatform platform;
    start(platform, DescriptionStyle::Calculator);
    request([&](QWidget* screen) { accept(screen, 100, 0, 0, "0.5", "1"); });
    ASSERT_TRUE(asking->entry.has_value());
    EXPECT_EQ(asking->entry->description, "MW = 000.50  Specific Gravity = 1.00");
    EXPECT_DOUBLE_EQ(asking->entry->molarVolume, 0.5);
}

TEST(CustomDescription, BothScreensFormats) {
    struct Case { float mw, sg; const char* main; const char* calculator; };
    const Case cases[] = {
        {78.11f, 0.879f, "MW = 78.11  Spec. Gravity = 0.88", "MW = 078.11  Specific Gravity = 0.88"},
        {0.5f, 1.0f, "MW = .50  Spec. Gravity = 1.00", "MW = 000.50  Specific Gravity = 1.00"},
        {1234.567f, 12.345f, "MW = 1234.57  Spec. Gravity = 12.35", "MW = 1234.57  Specific Gravity = 12.35"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.main);
        EXPECT_EQ(customDescription(c.mw, c.sg, DescriptionStyle::MainScreen), c.main);
        EXPECT_EQ(customDescription(c.mw, c.sg, DescriptionStyle::Calculator), c.calculator);
    }
}

}  // namespace
}  // namespace tarnwell
