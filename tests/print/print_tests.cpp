// Printing on a real print system: pages are printed through the program's own
// print service into the test's private CUPS queue, and the PDF that comes out
// is made into a picture and read back.

// The program's headers first: the shared state has a member that Qt's
// "slots" keyword would otherwise rewrite.
#include "app/application.h"
#include "app/frm_solver_startup.h"
#include "mixcalc/frm_calculate_params_from_mix.h"
#include "core/messages.h"
#include "ui/colours.h"
#include "print/print.h"
#include "ui/platform.h"
#include "workbench/frm_solvermain.h"

#include "../support/screen_test.h"
#include "page_checks.h"
#include "print_test_env.h"
#include "ui/text.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace tarnwell::testing {
namespace {

constexpr int kDpi = 50;
constexpr int kPageWaitMs = 30000;

#define REQUIRE_PRINT_SYSTEM()                                                                       \
    do {                                                                                             \
        if (!printSystem()) {                                                                        \
            if (!PrivatePrintSystem::missingPart().isEmpty())                                        \
                GTEST_SKIP() << "no print system to test with: "                                     \
                             << PrivatePrintSystem::missingPart().toStdString();                     \
            FAIL() << "the test's print system did not start: " << printSystemProblem().toStdString(); \
        }                                                                                            \
    } while (0)

// Every modal that shows while `action` runs is read and closed, so a message
// box can never hang a test.
struct SeenMessage {
    QString title, text;
};
std::vector<SeenMessage> runWatchingModals(const std::function<void()>& action) {
    auto seen = std::make_shared<std::vector<SeenMessage>>();
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [seen] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            seen->push_back({modal->windowTitle(), box ? box->text() : QString()});
            modal->close();
        }
    });
    watchdog.start(30);
    action();
    return *seen;
}

struct Page {
    QImage image;
    int imagePpi = -1;
    QString why;
};

Page capturePage(const QString& name, int dpi = kDpi) {
    Page page;
    const QByteArray pdf = printSystem()->takePdf(kPageWaitMs, &page.why);
    if (pdf.isEmpty()) return page;
    const QString work = printSystem()->folder();
    page.image = PrivatePrintSystem::pageImage(pdf, dpi, work, &page.why);
    page.imagePpi = PrivatePrintSystem::lowestImageResolution(pdf, work);
    if (!page.image.isNull()) keepPage(page.image, name);
    return page;
}

// The window's picture must fill its expected place on the page: the ink box
// matches it (to a pixel or two at 50 dpi), so the aspect ratio is kept and
// the picture is centred in the printable area.
void expectWindowInPlace(const QImage& page, const QRectF& expected, bool inkFillsWindow) {
    const QRect ink = inkBox(page);
    ASSERT_FALSE(ink.isEmpty()) << "the page is blank";
    const double tolerance = 2.5;
    EXPECT_GE(ink.left(), expected.left() - tolerance);
    EXPECT_GE(ink.top(), expected.top() - tolerance);
    EXPECT_LE(ink.right() + 1, expected.right() + tolerance);
    EXPECT_LE(ink.bottom() + 1, expected.bottom() + tolerance);
    if (inkFillsWindow) {
        EXPECT_NEAR(ink.left(), expected.left(), tolerance);
        EXPECT_NEAR(ink.top(), expected.top(), tolerance);
        EXPECT_NEAR(ink.width(), expected.width(), tolerance);
        EXPECT_NEAR(ink.height(), expected.height(), tolerance);
    }
}

// A window of blocks whose places are known.
class BlockWindow : public QWidget {
public:
    explicit BlockWindow(QSize size) {
        setObjectName(QStringLiteral("blocks"));
        setWindowTitle(QStringLiteral("Blocks"));
        setFixedSize(size);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(0, 0, 255));
        setPalette(p);
        auto block = [this](const char* name, QRect r, QColor c) {
            auto* w = new QWidget(this);
            w->setObjectName(QString::fromLatin1(name));
            w->setGeometry(r);
            w->setAutoFillBackground(true);
            QPalette q = w->palette();
            q.setColor(QPalette::Window, c);
            w->setPalette(q);
        };
        block("red", QRect(0, 0, size.width() / 2, size.height() / 2), QColor(255, 0, 0));
        block("green", QRect(size.width() / 2, size.height() / 2, size.width() / 2, size.height() / 2), QColor(0, 128, 0));
    }
};

TEST(PrintedPage, WindowIsScaledToThePageKeepingItsShapeAndCentred) {
    REQUIRE_PRINT_SYSTEM();
    const struct {
        const char* name;
        QSize size;
    } cases[] = {{"wide", {800, 300}}, {"tall", {300, 800}}, {"square", {500, 500}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BlockWindow window(c.size);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_EQ(printSystem()->expectPage(QString::fromLatin1(c.name)), QString());
        const print::PrintOutcome outcome = print::printWindowOnPrinter(&window);
        EXPECT_TRUE(outcome.printed);
        EXPECT_EQ(outcome.message, QString());
        const Page page = capturePage(QStringLiteral("blocks-") + QString::fromLatin1(c.name));
        ASSERT_FALSE(page.image.isNull()) << page.why.toStdString();

        const QRectF expected = expectedPlacement(&window, kDpi);
        expectWindowInPlace(page.image, expected, true);
        const QRect ink = inkBox(page.image);
        EXPECT_NEAR(double(ink.width()) / ink.height(), double(c.size.width()) / c.size.height(), 0.03);
        // Centred in the printable area, and as large as it allows.
        const QRectF area = printableArea(kDpi);
        EXPECT_NEAR(ink.center().x(), area.center().x(), 2.0);
        EXPECT_NEAR(ink.center().y(), area.center().y(), 2.0);
        EXPECT_TRUE(std::abs(ink.width() - area.width()) < 3 || std::abs(ink.height() - area.height()) < 3);
        // Each block at its place, in its colour, not mirrored or shifted.
        for (const auto& [name, colour] : {std::pair{"red", QColor(255, 0, 0)}, std::pair{"green", QColor(0, 128, 0)}}) {
            QRect place = placeOnPage(&window, window.findChild<QWidget*>(QString::fromLatin1(name)), expected);
            EXPECT_GT(colourShare(page.image, place.adjusted(3, 3, -3, -3), colour), 0.95) << name;
        }
    }
}

// The page goes out on the queue's own paper, drawn for it: not drawn for
// another size and then fitted onto the sheet by the print system.
TEST(PrintedPage, IsDrawnForThePaperTheQueueIsSetTo) {
    REQUIRE_PRINT_SYSTEM();
    auto setPaper = [](const char* size) {
        return printSystem()->admin(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("Test"),
                                                               QStringLiteral("-o"),
                                                               QStringLiteral("PageSize=") + QLatin1String(size)});
    };
    // Sheets in points, as the queue's printer description gives them; its
    // printable area leaves 18 pt at the sides and 36 pt at top and bottom.
    const struct {
        const char* ppd;
        QSizeF sheet;
    } papers[] = {{"Letter", {612, 792}}, {"A5", {420, 595}}, {"A4", {595, 842}}};
    const QSize windowSize(400, 300);
    BlockWindow window(windowSize);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const auto& paper : papers) {
        SCOPED_TRACE(paper.ppd);
        ASSERT_EQ(setPaper(paper.ppd), 0);
        ASSERT_EQ(printSystem()->expectPage(QStringLiteral("paper-") + QLatin1String(paper.ppd)), QString());
        EXPECT_TRUE(print::printWindowOnPrinter(&window).printed);
        const Page page = capturePage(QStringLiteral("paper-") + QLatin1String(paper.ppd));
        ASSERT_FALSE(page.image.isNull()) << page.why.toStdString();
        const double k = kDpi / 72.0;
        EXPECT_NEAR(page.image.width(), paper.sheet.width() * k, 1);
        EXPECT_NEAR(page.image.height(), paper.sheet.height() * k, 1);
        const QRectF area(18 * k, 36 * k, (paper.sheet.width() - 36) * k, (paper.sheet.height() - 72) * k);
        const double scale = std::min(area.width() / windowSize.width(), area.height() / windowSize.height());
        const QSizeF placed(windowSize.width() * scale, windowSize.height() * scale);
        const QRectF expected(area.left() + (area.width() - placed.width()) / 2,
                              area.top() + (area.height() - placed.height()) / 2, placed.width(), placed.height());
        expectWindowInPlace(page.image, expected, true);
    }
    ASSERT_EQ(setPaper("A4"), 0);  // as the other page checks expect
}

// The real program on the desktop platform, started: its startup screen is
// shown, and its picture from before anything was pressed is kept.
struct StartedProgram {
    StartedProgram() {
        app.start();
        exposed = QTest::qWaitForWindowExposed(startup());
        before = startup()->grab().toImage();
    }
    FrmSolverStartup* startup() const { return app.startupScreen(); }
    void pressPrint() const { click(find<QPushButton>(startup(), QStringLiteral("cmdPrint"))); }
    // Still shown, and looking as it did at the start.
    bool unchanged() const { return startup()->isVisible() && startup()->grab().toImage() == before; }

    ui::DesktopPlatform platform;
    Application app{platform};
    bool exposed = false;
    QImage before;
};

// The program's own screens, each printed on the test's own print system.
class PrintedScreens : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_PRINT_SYSTEM();
        ASSERT_TRUE(program.exposed);
    }
    // The main screen, reached by accepting the terms.
    FrmSolvermain* openMainScreen() {
        click(find<QPushButton>(app.startupScreen(), QStringLiteral("cmdContinue")));
        return app.mainScreen();
    }

    DatabaseFolder folder{databaseText(sampleSolvents())};
    StartedProgram program;
    Application& app = program.app;
};

TEST_F(PrintedScreens, StartupScreenPrintsThroughItsPrintButtonAndStaysAsItWas) {
    FrmSolverStartup* startup = app.startupScreen();

    ASSERT_EQ(printSystem()->expectPage(QStringLiteral("startup")), QString());
    auto* cmdPrint = startup->findChild<QPushButton*>(QStringLiteral("cmdPrint"));
    ASSERT_NE(cmdPrint, nullptr);
    const auto messages = runWatchingModals([&] { program.pressPrint(); });
    for (const auto& m : messages) ADD_FAILURE() << "unexpected message: " << m.text.toStdString();

    const Page page = capturePage(QStringLiteral("startup"));
    ASSERT_FALSE(page.image.isNull()) << page.why.toStdString();
    const QRectF expected = expectedPlacement(startup, kDpi);
    // The grey window background fills the window's whole place.
    expectWindowInPlace(page.image, expected, true);
    const QRect ink = inkBox(page.image);
    EXPECT_NEAR(double(ink.width()) / ink.height(), 565.5 / 431.25, 0.03);
    // The three light-red buttons at their places.
    for (const char* name : {"cmdContinue", "cmdPrint", "cmdExit"}) {
        QWidget* button = startup->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_GT(colourShare(page.image, placeOnPage(startup, button, expected).adjusted(2, 2, -2, -2),
                              QColor(255, 192, 192)),
                  0.35)
            << name;
    }
    const QRect beside = placeOnPage(startup, startup->findChild<QWidget*>(QStringLiteral("cmdPrint")), expected)
                             .adjusted(-60, 0, -60, 0);
    EXPECT_LT(colourShare(page.image, beside, QColor(255, 192, 192)), 0.05);
    // The page as a whole is the screen's picture, drawn at the printer's
    // resolution: no stretched screen grab of 96 pixels to the inch.
    EXPECT_LT(differenceFromScreen(page.image, expected.toAlignedRect(), startup), 30.0);
    EXPECT_GE(page.imagePpi, 600);

    EXPECT_TRUE(program.unchanged()) << "printing changed the screen";
}

// The report of a blend, printed by its own Print button while it is shown:
// the page carries its red and green figures where the screen has them. Then
// the Evaporation window opened from it, printed by its own Print button.
TEST_F(PrintedScreens, SolutionReportPrintsWithItsColouredFiguresInPlace) {
    FrmSolvermain* main = openMainScreen();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    doubleClickRow(find<QAbstractItemView>(main, QStringLiteral("lstSolvent1")), 2);  // heptane
    doubleClickRow(find<QAbstractItemView>(main, QStringLiteral("lstSolvent2")), 0);  // acetone
    doubleClickRow(find<QAbstractItemView>(main, QStringLiteral("lstSolvent3")), 1);  // ethanol
    clickRow(find<QListWidget>(main, QStringLiteral("lstTargetN")), 100 - 60);
    clickRow(find<QListWidget>(main, QStringLiteral("lstTargetD")), 100 - 20);
    clickRow(find<QListWidget>(main, QStringLiteral("lstTargetW")), 100 - 20);

    constexpr int dpi = 100;
    bool reportShown = false;
    whenModalAppears([&](QWidget* report) {
        ASSERT_EQ(report->objectName(), QStringLiteral("frmResults"));
        reportShown = true;
        ASSERT_EQ(printSystem()->expectPage(QStringLiteral("report")), QString());
        const auto seen = runWatchingModals([&] { click(find<QPushButton>(report, QStringLiteral("cmdPrint"))); });
        for (const auto& m : seen) ADD_FAILURE() << "unexpected message: " << m.text.toStdString();
        EXPECT_TRUE(report->isVisible());
        const Page page = capturePage(QStringLiteral("report"), dpi);
        ASSERT_FALSE(page.image.isNull()) << page.why.toStdString();
        const QRectF expected = expectedPlacement(report, dpi);
        expectWindowInPlace(page.image, expected, true);
        EXPECT_LT(differenceFromScreen(page.image, expected.toAlignedRect(), report), 30.0);
        int coloured = 0;
        for (QLabel* label : report->findChildren<QLabel*>()) {
            const QColor c = ui::colours::textColour(label);
            const bool green = c == ui::colours::green(), red = c == ui::colours::red();
            if (!label->isVisible() || label->text().trimmed().isEmpty() || (!green && !red)) continue;
            ++coloured;
            const QRect place = placeOnPage(report, label, expected);
            const QColor other = green ? ui::colours::red() : ui::colours::green();
            EXPECT_GT(colourShare(page.image, place, c, 60), 0.01) << label->objectName().toStdString();
            EXPECT_LT(colourShare(page.image, place, other, 60), 0.002) << label->objectName().toStdString();
        }
        EXPECT_GE(coloured, 2) << "the report shows no red or green figures";

        // Its Evaporation window over it prints the same way, table and all.
        const bool up = duringModal([&] { click(find<QPushButton>(report, QStringLiteral("cmdEvaporation"))); },
                                    [&](QWidget* evaporation) {
            ASSERT_EQ(evaporation->objectName(), QStringLiteral("frmEvaporation"));
            ASSERT_TRUE(QTest::qWaitForWindowExposed(evaporation));
            ASSERT_EQ(printSystem()->expectPage(QStringLiteral("evaporation")), QString());
            const auto said =
                runWatchingModals([&] { click(find<QPushButton>(evaporation, QStringLiteral("cmdPrint"))); });
            for (const auto& m : said) ADD_FAILURE() << "unexpected message: " << m.text.toStdString();
            EXPECT_TRUE(evaporation->isVisible());
            const Page printed = capturePage(QStringLiteral("evaporation"), dpi);
            ASSERT_FALSE(printed.image.isNull()) << printed.why.toStdString();
            const QRectF place = expectedPlacement(evaporation, dpi);
            expectWindowInPlace(printed.image, place, true);
            EXPECT_LT(differenceFromScreen(printed.image, place.toAlignedRect(), evaporation), 30.0);
            evaporation->close();
        });
        EXPECT_TRUE(up) << "cmdEvaporation opened no window";
    }, 10000);
    click(find<QPushButton>(main, QStringLiteral("cmdCalculate")));
    EXPECT_TRUE(reportShown);
}

// The first page of each help chain, printed by its own Print button.
TEST_F(PrintedScreens, HelpPagesPrintThroughTheirPrintButtons) {
    FrmSolvermain* main = openMainScreen();
    ASSERT_NE(main, nullptr);
    const struct {
        ui::HelpEntry entry;
        const char* page;
    } cases[] = {{ui::HelpEntry::MainHelp, "frmHelp1"},
                 {ui::HelpEntry::References, "frmReferences1"},
                 {ui::HelpEntry::ConcentrationHelp, "frmHelpConcentration"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        app.showHelp(c.entry, main);
        QWidget* page = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == QLatin1String(c.page)) page = w;
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(page));
        ASSERT_EQ(printSystem()->expectPage(QString::fromLatin1(c.page)), QString());
        const auto seen = runWatchingModals([&] { click(find<QPushButton>(page, QStringLiteral("cmdPrint"))); });
        for (const auto& m : seen) ADD_FAILURE() << "unexpected message: " << m.text.toStdString();
        const Page printed = capturePage(QString::fromLatin1(c.page));
        ASSERT_FALSE(printed.image.isNull()) << printed.why.toStdString();
        // A white page: its ink lies inside the window's place, and the page
        // as a whole is the screen's picture.
        const QRectF expected = expectedPlacement(page, kDpi);
        expectWindowInPlace(printed.image, expected, false);
        EXPECT_LT(differenceFromScreen(printed.image, expected.toAlignedRect(), page), 30.0);
        EXPECT_TRUE(page->isVisible());
        page->hide();
    }
}

// The calculator, printed by answering Yes to the print question: the page is
// the screen as it was under the question, result box shown.
TEST_F(PrintedScreens, CalculatorPrintsAsShownUnderThePrintQuestion) {
    ASSERT_NE(openMainScreen(), nullptr);
    click(find<QPushButton>(app.mainScreen(), QStringLiteral("CommandButton3")));
    QWidget* calculator = app.calculator();
    ASSERT_NE(calculator, nullptr);
    calculator->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(calculator));
    for (int k = 1; k <= 3; ++k)
        doubleClickRow(find<QAbstractItemView>(calculator, QStringLiteral("lstSolvent%1").arg(k)), k - 1);
    for (const auto& [k, text] : {std::pair{1, "0.5"}, std::pair{2, "0.3"}, std::pair{3, "0.2"}}) {
        auto* f = find<QWidget>(calculator, QStringLiteral("txtInputCon%1").arg(k));
        QTest::mouseClick(f, Qt::LeftButton);
        QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(f, QString::fromLatin1(text));
        QTest::keyClick(f, Qt::Key_Tab);
    }
    ASSERT_EQ(printSystem()->expectPage(QStringLiteral("calculator")), QString());
    QImage underQuestion;
    QRect resultBox;
    bool asked = false;
    whenModalAppears([&](QWidget* question) {
        asked = true;
        ASSERT_EQ(question->objectName(), QStringLiteral("frmPrintResults"));
        underQuestion = calculator->grab().toImage();
        QWidget* box = find<QWidget>(calculator, QStringLiteral("frameResults2"));
        ASSERT_TRUE(box && box->isVisible());
        resultBox = QRect(box->mapTo(calculator, QPoint(0, 0)), box->size());
        const auto seen = runWatchingModals([&] { click(find<QPushButton>(question, QStringLiteral("cmdPrint"))); });
        for (const auto& m : seen) ADD_FAILURE() << "unexpected message: " << m.text.toStdString();
    });
    click(find<QPushButton>(calculator, QStringLiteral("cmdCalculate")));
    ASSERT_TRUE(asked) << "the print question was not asked";

    const Page page = capturePage(QStringLiteral("calculator"));
    ASSERT_FALSE(page.image.isNull()) << page.why.toStdString();
    const QRectF expected = expectedPlacement(calculator, kDpi);
    expectWindowInPlace(page.image, expected, true);
    EXPECT_LT(differenceFromPicture(page.image, expected.toAlignedRect(), underQuestion), 30.0);
    // The result box is on the page, though the screen has hidden it again.
    const double kx = expected.width() / calculator->width(), ky = expected.height() / calculator->height();
    const QRect boxOnPage = QRectF(expected.left() + resultBox.left() * kx, expected.top() + resultBox.top() * ky,
                                   resultBox.width() * kx, resultBox.height() * ky).toAlignedRect();
    const QImage boxPicture = underQuestion.copy(resultBox);
    const double asAsked = differenceFromPicture(page.image, boxOnPage, boxPicture);
    EXPECT_LT(asAsked, 30.0);
    const double asNow = differenceFromPicture(page.image, boxOnPage, calculator->grab().toImage().copy(resultBox));
    EXPECT_LT(asAsked * 2, asNow) << "the page does not show the result box";
    EXPECT_FALSE(find<QWidget>(calculator, QStringLiteral("frameResults2"))->isVisible());
}

// Printing that fails, each case on the test's own print system.
class PrintFailures : public ::testing::Test {
protected:
    void SetUp() override { REQUIRE_PRINT_SYSTEM(); }

    // A window of blocks, shown.
    QWidget& blocks() {
        if (!blocks_) {
            blocks_ = std::make_unique<BlockWindow>(QSize(400, 300));
            blocks_->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(blocks_.get()));
        }
        return *blocks_;
    }

private:
    std::unique_ptr<BlockWindow> blocks_;
};

TEST_F(PrintFailures, RefusedPageIsSaidInAMessageAndTheNextPagePrints) {
    PrivatePrintSystem& system = *printSystem();
    const StartedProgram program;
    ASSERT_TRUE(program.exposed);

    ASSERT_EQ(system.admin(QStringLiteral("cupsreject"), {QStringLiteral("Test")}), 0);
    auto seen = runWatchingModals([&] { program.pressPrint(); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, ui::qs(messages::kPrintTitle));
    EXPECT_TRUE(seen[0].text.startsWith(QStringLiteral("The page could not be printed: the printer \"Test\" refused it (")))
        << seen[0].text.toStdString();
    EXPECT_TRUE(program.unchanged());

    // Accepting again: the earlier refusal must not be reported for a good page.
    ASSERT_EQ(system.admin(QStringLiteral("cupsaccept"), {QStringLiteral("Test")}), 0);
    ASSERT_EQ(system.expectPage(QStringLiteral("after-refusal")), QString());
    seen = runWatchingModals([&] { program.pressPrint(); });
    EXPECT_TRUE(seen.empty()) << seen.front().text.toStdString();
    const Page page = capturePage(QStringLiteral("after-refusal"));
    EXPECT_FALSE(page.image.isNull()) << page.why.toStdString();
}

TEST_F(PrintFailures, StoppedQueueKeepsThePageAndSaysSo) {
    PrivatePrintSystem& system = *printSystem();
    QWidget& window = blocks();
    ASSERT_EQ(system.expectPage(QStringLiteral("stopped-queue")), QString());
    ASSERT_EQ(system.admin(QStringLiteral("cupsdisable"), {QStringLiteral("Test")}), 0);
    const print::PrintOutcome outcome = print::printWindowOnPrinter(&window);
    EXPECT_TRUE(outcome.printed);
    EXPECT_EQ(outcome.message, ui::qs(messages::printWaitsOnStoppedPrinter("Test")));
    ASSERT_EQ(system.admin(QStringLiteral("cupsenable"), {QStringLiteral("Test")}), 0);
    const Page page = capturePage(QStringLiteral("stopped-queue"));
    EXPECT_FALSE(page.image.isNull()) << page.why.toStdString();
}

TEST_F(PrintFailures, PrintSystemThatDoesNotAnswerIsGivenUpInTime) {
    PrivatePrintSystem& system = *printSystem();
    QWidget& window = blocks();
    // A stopped cupsd still takes connections on its socket but never answers.
    ASSERT_EQ(::kill(pid_t(system.pid()), SIGSTOP), 0);
    QElapsedTimer clock;
    clock.start();
    const print::PrintOutcome outcome = print::printWindowOnPrinter(&window, 1500);
    const qint64 took = clock.elapsed();
    ::kill(pid_t(system.pid()), SIGCONT);
    EXPECT_FALSE(outcome.printed);
    EXPECT_EQ(outcome.message, ui::qs(messages::kPrintSystemSilent));
    EXPECT_GE(took, 1400);
    EXPECT_LT(took, 4000);

    // Once it answers again, pages print again.
    ASSERT_EQ(system.expectPage(QStringLiteral("after-silence")), QString());
    const print::PrintOutcome again = print::printWindowOnPrinter(&window);
    EXPECT_TRUE(again.printed) << again.message.toStdString();
    EXPECT_FALSE(capturePage(QStringLiteral("after-silence")).image.isNull());
}

TEST_F(PrintFailures, EndedPrintSystemMeansNoPrinterAtOnce) {
    PrivatePrintSystem& system = *printSystem();
    QWidget& window = blocks();
    system.stop();
    QElapsedTimer clock;
    clock.start();
    const print::PrintOutcome outcome = print::printWindowOnPrinter(&window);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_FALSE(outcome.printed);
    EXPECT_EQ(outcome.message, ui::qs(messages::kNoPrinter));
    // Later tests in this process get their print system back.
    ASSERT_EQ(system.start(), QString());
}

// Runs in a child process whose CUPS_SERVER names a socket nobody listens on
// (libcups keeps the first server it sees, so this cannot change in-process).
TEST(NoPrintSystem, MessageBoxSaysNoPrinterWithoutWaiting) {
    if (!withoutPrintSystem()) {
        if (!PrivatePrintSystem::missingPart().isEmpty() && !printSystem())
            GTEST_SKIP() << PrivatePrintSystem::missingPart().toStdString();
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TARNWELL_PRINT_SYSTEM"), QStringLiteral("none"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=NoPrintSystem.MessageBoxSaysNoPrinterWithoutWaiting")});
        ASSERT_TRUE(child.waitForStarted(5000));
        const bool ended = child.waitForFinished(60000);
        if (!ended) child.kill();
        const QString out = QString::fromLocal8Bit(child.readAll());
        ASSERT_TRUE(ended) << "the child did not end: " << out.toStdString();
        EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("[  PASSED  ] 1 test"))) << out.toStdString();
        return;
    }
    const StartedProgram program;
    ASSERT_TRUE(program.exposed);
    QElapsedTimer clock;
    clock.start();
    const auto seen = runWatchingModals([&] { program.pressPrint(); });
    EXPECT_LT(clock.elapsed(), 3000);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, ui::qs(messages::kPrintTitle));
    EXPECT_EQ(seen[0].text, ui::qs(messages::kNoPrinter));
    EXPECT_TRUE(program.unchanged());
}

}  // namespace
}  // namespace tarnwell::testing
