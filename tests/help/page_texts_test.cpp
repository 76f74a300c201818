// The page texts: what the marks turn into, and that no typo, address or
// broken picture reference ships.
#include "core/messages.h"
#include "help/help_text.h"
#include "ui/text.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace tarnwell;

namespace {

const QStringList kPages = {"frmHelp1",          "frmHelp1A", "frmHelp2",  "frmHelp2added",
                            "frmHelp2addedMore", "frmHelp4",  "frmHelp4a", "frmHelp5",
                            "frmHelp5a",         "frmHelp6",  "frmHelpConcentration",
                            "frmHelpConcentration2", "frmReferences1", "frmReferences2",
                            // outside the chains, checked all the same
                            "frmHelpSolubilityTest", "frmHelpEvaporation"};

TEST(HelpMarks, EachMarkBecomesItsRichText) {
    struct Case {
        const char* source;
        const char* html;
    };
    const Case cases[] = {
        {"# Title", "<p><b>Title</b></p>\n"},
        {"one\ntwo\n\nthree", "<p>one two</p>\n<p>three</p>\n"},
        {"a < b & c", "<p>a &lt; b &amp; c</p>\n"},
        {"see _The Book_, 2nd ed.", "<p>see <i>The Book</i>, 2nd ed.</p>\n"},
        {"file_name_here stays", "<p>file_name_here stays</p>\n"},
        {"* first\n  goes on\n* second\nafter", "<ul>\n<li>first goes on</li>\n<li>second</li>\n</ul>\n<p>after</p>\n"},
        {"----", "<hr/>\n"},
        {"[picture not-made-yet.png]\ntext", "<p>text</p>\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(help::toHtml(QString::fromUtf8(c.source), 500), QString::fromUtf8(c.html)) << c.source;
}

TEST(HelpMarks, SectionsSplitOnlyAtTheirMarkAndProseDropsTheMarks) {
    EXPECT_EQ(help::sections("top\n====\nbottom"), (QStringList{"top", "bottom"}));
    EXPECT_EQ(help::sections("no split ===="), QStringList{"no split ===="});
    EXPECT_EQ(help::plainProse("# Head\n[picture a.png]\n* item\n----\ntext"), "Head\nitem\ntext");
    EXPECT_EQ(help::picturesNamed("x\n[picture a.png]\n [picture b.png] \n[picture]"), (QStringList{"a.png", "b.png"}));
}

TEST(HelpTexts, EveryPageHasProseAndNamesNoAddressOrContact) {
    const QRegularExpression address(QStringLiteral(R"(https?:|www\.|\S@\S|\.(com|org|gov)\b|e-mail|email)"),
                                     QRegularExpression::CaseInsensitiveOption);
    for (const QString& page : kPages) {
        const QString source = help::pageSource(page);
        EXPECT_GT(help::plainProse(source).size(), 300) << page.toStdString();
        EXPECT_FALSE(address.match(source).hasMatch()) << page.toStdString() << ": " << address.match(source).captured().toStdString();
    }
}

TEST(HelpTexts, EveryPictureAPageNamesIsCompiledIn) {
    int named = 0;
    for (const QString& page : kPages) {
        for (const QString& name : help::picturesNamed(help::pageSource(page))) {
            ++named;
            EXPECT_FALSE(QImage(QStringLiteral(":/help/") + name).isNull()) << page.toStdString() << ": " << name.toStdString();
        }
    }
    EXPECT_GE(named, 9);
}

TEST(HelpTexts, TheTenthPageHasBothSections) {
    const QStringList parts = help::sections(help::pageSource("frmHelp6"));
    ASSERT_EQ(parts.size(), 2);
    EXPECT_TRUE(parts[1].contains("About the program ..."));
    EXPECT_TRUE(parts[1].contains("2026"));
}

// The program's own fixed texts keep three misspellings on purpose. The help
// may quote those texts exactly, and only such a quotation lets the words by:
// the word list does not hold them, so anywhere else they fail the check.
const QStringList kOwnMisspellings = {"paramater", "paramaters", "critcal"};

QString oneLine(QString text) {
    return text.replace('\r', ' ').replace('\n', ' ').simplified();
}

QStringList ownTextsWithMisspellings() {
    return {oneLine(ui::qs(messages::m7())), oneLine(ui::qs(messages::m9())),
            // The calculator button of the main screen and the report's note button.
            "Go to form to calculate solubility paramaters from concentrations",
            "TWA and VHR calculations assume critcal effects are additive ..."};
}

// The prose with every exact quotation of such a text taken out.
QString withoutQuotedOwnTexts(const QString& prose) {
    const QString flat = oneLine(prose);
    QString out = flat;
    const QRegularExpression quotation(QStringLiteral("\"([^\"]*)\""));
    for (const QRegularExpressionMatch& m : quotation.globalMatch(flat)) {
        const QString quoted = m.captured(1);
        bool misspelt = false;
        for (const QString& word : kOwnMisspellings)
            misspelt |= quoted.contains(QRegularExpression("\\b" + word + "\\b"));
        if (!misspelt) continue;
        for (const QString& own : ownTextsWithMisspellings())
            if (own.contains(quoted)) {
                out.replace(m.captured(0), QStringLiteral("\"\""));
                break;
            }
    }
    return out;
}

TEST(HelpTexts, OnlyExactQuotationsOfTheProgramsTextsMaySpellItsWayMisspelt) {
    struct Case {
        const char* prose;
        bool keepsMisspelling;
    };
    const Case cases[] = {
        {"It says \"This program tries to match each solubility paramater within +/- 0.5.\" here.", false},
        {"Press \"Go to form to calculate solubility paramaters from concentrations\".", false},
        {"The button reads \"TWA and VHR calculations assume critcal effects\" in red.", false},
        {"Each solubility paramater is matched.", true},                    // not quoted
        {"It says \"each solubility paramater is matched\".", true},       // quoted, not the program's
        {"It says \"This program tries to match each solubility paramater within +/- 2.\"", true},
    };
    for (const Case& c : cases) {
        const QString left = withoutQuotedOwnTexts(QString::fromUtf8(c.prose));
        EXPECT_EQ(left.contains("paramater") || left.contains("critcal"), c.keepsMisspelling) << c.prose;
    }
    const QString words = [] {
        QFile file(QStringLiteral(TARNWELL_SOURCE_DIR "/tests/help/words.txt"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    ASSERT_FALSE(words.isEmpty());
    for (const QString& word : kOwnMisspellings)
        EXPECT_FALSE(words.contains(QRegularExpression("^" + word + "$", QRegularExpression::MultilineOption |
                                                                              QRegularExpression::CaseInsensitiveOption)))
            << word.toStdString() << " must be allowed only where quoted";
}

// aspell with the program's own words; a word it does not know fails the test.
TEST(HelpTexts, NoPageHasASpellingMistake) {
    const QString words = QStringLiteral(TARNWELL_SOURCE_DIR "/tests/help/words.txt");
    for (const QString& page : kPages) {
        QProcess aspell;
        aspell.start(QStringLiteral("aspell"), {"list", "--lang=en_GB", "--encoding=utf-8", "--personal=" + words});
        ASSERT_TRUE(aspell.waitForStarted(10000)) << "aspell is needed for this test";
        aspell.write(withoutQuotedOwnTexts(help::plainProse(help::pageSource(page))).toUtf8());
        aspell.closeWriteChannel();
        ASSERT_TRUE(aspell.waitForFinished(30000));
        ASSERT_EQ(aspell.exitCode(), 0) << aspell.readAllStandardError().toStdString();
        const QString unknown = QString::fromUtf8(aspell.readAllStandardOutput()).trimmed();
        EXPECT_TRUE(unknown.isEmpty()) << page.toStdString() << ": " << unknown.toStdString();
    }
}

}  // namespace
