// The comparison behind the help pictures test: what it lets pass (noise of
// rendering) and what it must catch (a picture that shows something else).
#include "picture_compare.h"

#include <QApplication>
#include <QCheckBox>
#include <QPainter>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

using namespace tarnwell::testing;

namespace {

QImage committed(const char* name) {
    return QImage(QStringLiteral(TARNWELL_SOURCE_DIR "/resources/help/") + QLatin1String(name))
        .convertToFormat(QImage::Format_RGB32);
}

// Every channel of every pixel moved by up to `amount`, the same way each run.
QImage shaded(QImage image, int amount) {
    unsigned seed = 12345;
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            auto move = [&](int v) {
                seed = seed * 1103515245u + 12345u;
                return std::clamp(v + static_cast<int>((seed >> 16) % (2 * amount + 1)) - amount, 0, 255);
            };
            line[x] = qRgb(move(qRed(line[x])), move(qGreen(line[x])), move(qBlue(line[x])));
        }
    }
    return image;
}

QImage paintedOn(QImage image, const std::function<void(QPainter&)>& paint) {
    QPainter p(&image);
    paint(p);
    return image;
}

// A real control drawn into the picture at `at`.
template <class Control>
QImage withControl(QImage image, const QString& caption, QPoint at) {
    Control control(caption);
    control.adjustSize();
    QPainter p(&image);
    control.render(&p, at);
    return image;
}

TEST(HelpPictureCompare, NoiseOfRenderingPassesAndAnyOtherContentFails) {
    const QImage main = committed("main-three-solvents.png");
    const QImage calculator = committed("calculator-result.png");
    ASSERT_FALSE(main.isNull());
    ASSERT_FALSE(calculator.isNull());
    struct Case {
        const char* what;
        QImage a, b;
        bool same;
    };
    const Case cases[] = {
        {"the same picture", main, main, true},
        {"every pixel a few shades off", main, shaded(main, 12), true},
        {"the solvent lists drawn one pixel to the right", main,
         paintedOn(main, [&main](QPainter& p) { p.drawImage(QPoint(4, 26), main.copy(3, 26, 262, 172)); }), true},
        {"the target box drawn one pixel lower", main,
         paintedOn(main, [&main](QPainter& p) { p.drawImage(QPoint(196, 305), main.copy(196, 304, 334, 260)); }), true},
        {"one stray pixel in every cell of a row", main,
         paintedOn(main, [](QPainter& p) { for (int x = 0; x < 792; x += 4) p.fillRect(QRect(x, 300, 1, 1), Qt::black); }),
         true},
        {"a button added", main, withControl<QPushButton>(main, "Find Safer Blends...", QPoint(20, 440)), false},
        {"a check box added", main, withControl<QCheckBox>(main, "Same reference only", QPoint(560, 300)), false},
        {"a list emptied", main,
         paintedOn(main, [](QPainter& p) { p.fillRect(QRect(10, 28, 236, 156), Qt::white); }), false},
        {"one figure of the result changed", calculator,
         paintedOn(calculator, [](QPainter& p) { p.fillRect(QRect(282, 418, 48, 24), Qt::white); p.drawText(QRect(282, 418, 48, 24), Qt::AlignCenter, "49"); }),
         false},
        {"two figures of the result changed", calculator,
         paintedOn(calculator, [](QPainter& p) { p.fillRect(QRect(282, 418, 48, 24), Qt::white); p.drawText(QRect(282, 418, 48, 24), Qt::AlignCenter, "63"); }),
         false},
        {"the screen in another state", main, committed("main-target-solvent.png"), false},
        {"another screen", calculator, committed("calculator-entry.png"), false},
        {"another size", main, main.copy(0, 0, main.width() - 1, main.height()), false},
        {"no committed picture", QImage(), main, false},
    };
    for (const Case& c : cases) {
        const PictureDifference d = comparePictures(c.a, c.b);
        EXPECT_EQ(showsTheSameScreen(d), c.same) << c.what << ": " << describe(d).toStdString();
    }
}

}  // namespace
