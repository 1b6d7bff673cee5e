#pragma once
// Helpers for the tests of the pictures at two densities: the shipped files, a battle scene to
// draw, a point where a sharp picture and its 1x picture tell apart, and how far two pictures are.

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "model/catalogue.h"
#include "model/game.h"
#include "ports/prompts.h"
#include "ports/sound.h"
#include "support/fake_actions.h"
#include "ui/battle/scene_widget.h"
#include "ui/battle/sprite_sheets.h"
#include "ui/career/design_window.h"
#include "ui/picture_density_qt.h"
#include "ui/screens/program_window.h"
#include "ui/screens/startup_window.h"

namespace vargo::test {

/// A shipped picture by its file name in data/img ("VARGO01@2x.jpg").
inline QImage shippedPicture(const QString& file) {
    return QImage(QString(VARGO_SOURCE_DIR "/data/img/") + file);
}

/// A shipped sprite picture joined with its mask, as the battle draws it.
inline QImage shippedSprite(const QString& sheet, const QString& mask) {
    return SpriteSheets::applyMask(shippedPicture(sheet), shippedPicture(mask));
}

/// The same pixels, whatever the two pictures' formats and device pixel ratios.
inline bool samePixels(const QImage& a, const QImage& b) {
    QImage x = a.convertToFormat(QImage::Format_ARGB32);
    QImage y = b.convertToFormat(QImage::Format_ARGB32);
    x.setDevicePixelRatio(1.0);
    y.setDevicePixelRatio(1.0);
    return !x.isNull() && x == y;
}

/// The mean absolute difference of two pictures of one size over every pixel and colour channel
/// (0..255); a large number when the sizes differ.
inline double meanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) {
        return 255.0;
    }
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    long long total = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* r = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            total += std::abs(qRed(p[col]) - qRed(r[col])) + std::abs(qGreen(p[col]) - qGreen(r[col])) +
                     std::abs(qBlue(p[col]) - qBlue(r[col]));
        }
    }
    return static_cast<double>(total) / (3.0 * x.width() * x.height());
}

/// The largest mean absolute difference (0..255) of two pictures of one size over a block x block
/// square, the squares tiling the pictures: a robot drawn a pixel off shows along its outline,
/// however large the picture around it; a large number when the sizes differ.
inline double worstBlockDifference(const QImage& a, const QImage& b, int block = 16) {
    if (a.size() != b.size() || a.isNull()) {
        return 255.0;
    }
    double worst = 0.0;
    for (int top = 0; top + block <= a.height(); top += block) {
        for (int left = 0; left + block <= a.width(); left += block) {
            const QRect square(left, top, block, block);
            worst = std::max(worst, meanDifference(a.copy(square), b.copy(square)));
        }
    }
    return worst;
}

/// A picture of any density brought to the 800 x 400 of the 1x scene, averaging its pixels.
inline QImage asOneX(const QImage& picture) {
    QImage out = picture.scaled(SceneWidget::kWidth, SceneWidget::kHeight, Qt::IgnoreAspectRatio,
                                Qt::SmoothTransformation);
    out.setDevicePixelRatio(1.0);
    return out;
}

/// Two robots at a span and sparks, as the fight puts them: fighter 0 (VARGO01) in the pose of
/// column0, fighter 1 (dark VARGO0202) in column1.
inline SceneFrame sceneAtSpan(int span, int column0, int column1, std::vector<EffectSpark> sparks = {}) {
    SceneFrame f;
    f.fighters[0] =
        SceneFighter{"\\img\\VARGO01.jpg", "\\img\\VARGO01M.jpg", 220 - 10 * span, 10, column0, 0};
    f.fighters[1] =
        SceneFighter{"\\img\\VARGO0202.jpg", "\\img\\VARGO02M.jpg", 240 + 10 * span, 10, column1, 240};
    f.sparks = std::move(sparks);
    return f;
}

/// The 1x pixel under a 2x pixel.
inline QPoint underOneX(QPoint p) {
    return {p.x() / 2, p.y() / 2};
}

/// In a cell of a 2x sprite picture (its top left at `origin`, `size` pixels square), the point
/// where the sharp picture differs most from its 1x picture (`coarse`, at half the coordinates),
/// among the points opaque in a 7 x 7 square in the sharp picture and in the 1x one: a screen that
/// shows the sharp colour there was drawn from the @2x file. Relative to the cell.
inline QPoint tellingPoint(const QImage& sharp, const QImage& coarse, QPoint origin, int size) {
    QPoint best(-1, -1);
    int bestGap = -1;
    for (int y = 8; y < size - 8; y += 2) {
        for (int x = 8; x < size - 8; x += 2) {
            const QPoint p = origin + QPoint(x, y);
            bool solid = true;
            for (int dy = -3; dy <= 3 && solid; ++dy) {
                for (int dx = -3; dx <= 3 && solid; ++dx) {
                    const QPoint q = p + QPoint(dx, dy);
                    solid = qAlpha(sharp.pixel(q)) == 255 && qAlpha(coarse.pixel(underOneX(q))) == 255;
                }
            }
            if (!solid) {
                continue;
            }
            const QRgb a = sharp.pixel(p);
            const QRgb b = coarse.pixel(underOneX(p));
            const int gap =
                std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            if (gap > bestGap) {
                bestGap = gap;
                best = QPoint(x, y);
            }
        }
    }
    return best;
}

/// Copies the shipped 1x pictures (none of the @2x ones) into a game folder's img/.
inline void copyShippedOneXPictures(const std::filesystem::path& root) {
    const std::filesystem::path from = std::filesystem::path(VARGO_SOURCE_DIR) / "data" / "img";
    std::filesystem::create_directories(root / "img");
    for (const auto& entry : std::filesystem::directory_iterator(from)) {
        if (entry.path().filename().string().find("@2x") == std::string::npos) {
            std::filesystem::copy_file(entry.path(), root / "img" / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
}

/// Where a 2x scene shows fighter `f` on the sheet `sheet` (with `mask`; the 1x names, "@2x" is
/// added here), a point the 1x sheet could not give shows the 2x sheet's own pixel; the point
/// found, or (-1, -1) when the sprite has none. Checked with QTest's macros: the caller looks at
/// QTest::currentTestFailed().
inline QPoint verifySharpFighter(const QImage& twoX, const QString& sheet, const QString& mask,
                                 const SceneFighter& f) {
    auto sharpName = [](const QString& name) { return QString(name).replace(".jpg", "@2x.jpg"); };
    const QImage sharp = shippedSprite(sharpName(sheet), sharpName(mask));
    const QImage coarse = shippedSprite(sheet, mask);
    const QPoint cell(2 * f.column, 2 * f.row);
    const QPoint p = tellingPoint(sharp, coarse, cell, 480);
    [&] {
        QVERIFY(p.x() >= 0);
        QCOMPARE(twoX.pixel(QPoint(2 * f.x, 2 * f.y) + p), sharp.pixel(cell + p));
    }();
    return p;
}

/// A career on a game folder whose player owns a complete Doll's parts, so that the workshop shows
/// the Doll's picture and the logic editor its chips.
struct PictureBench {
    explicit PictureBench(const std::filesystem::path& root)
        : rng(std::vector<double>(64, 0.5)), game(GameFolder(root), rng) {
        CatalogueReader cat{game.folder};
        Owner& o = game.owner(0);
        o.name = "鋼野拳士";
        o.Rl = 12345;
        o.setMotor(cat.ld_Motor(5));
        o.setFrame(cat.ld_Frame(6));
        o.setHard(cat.ld_Hard(5));
        o.setBooster(cat.ld_Boost(4));
        o.setProtector(cat.ld_Protect(4));
        o.setSoftM(cat.ld_SoftM(2));
        o.setSoftA(cat.ld_SoftA(4));
        o.setSoftD(cat.ld_SoftD(2));
    }
    ScriptedRandom rng;
    Game game;
    ScriptedPrompts prompts;
    RecordingSound sound;
    FakeActions actions;
};

/// What is wrong with a label's picture: it must have the density given and the pixels of
/// `expected` (a picture of that density), at `logical` size in logical pixels.
inline QStringList pictureProblems(const QString& what, const QLabel* label, const QImage& expected,
                                   qreal density, QSize logical) {
    if (label == nullptr) {
        return {what + ": no such label"};
    }
    const QPixmap shown = label->pixmap();
    QStringList problems;
    if (shown.devicePixelRatio() != density) {
        problems << QString("%1: device pixel ratio %2, not %3")
                        .arg(what)
                        .arg(shown.devicePixelRatio())
                        .arg(density);
    }
    if (shown.size() != logical * density) {
        problems << QString("%1: %2 x %3 pixels").arg(what).arg(shown.width()).arg(shown.height());
    }
    if (expected.isNull() || !samePixels(shown.toImage(), expected)) {
        problems << what + ": not the expected file's pixels";
    }
    return problems;
}

/// Opens the start window, the workshop and the logic editor on a game folder and checks that each
/// picture they show is drawn from the @2x file at device pixel ratio 2 (`sharp`), or from the 1x
/// file at ratio 1. Returns what is wrong.
inline QStringList windowPictureProblems(const std::filesystem::path& root, bool sharp) {
    const qreal density = sharp ? 2.0 : 1.0;
    const QString at = sharp ? "@2x" : "";
    const QString folder = QString::fromStdString(root.string()) + "/img/";
    auto file = [&](const QString& stem, const QString& ext) { return QImage(folder + stem + at + ext); };
    QStringList problems;

    // The start window's three Dolls, 200 x 200.
    StartUpWindow start(QString::fromStdString(root.string()));
    const QStringList stems = {"VARGO01S", "VARGO0201S", "VARGO0202S"};
    for (int i = 0; i < 3; ++i) {
        const QImage expected =
            fitPicture(QPixmap::fromImage(file(stems[i], ".jpg")), QSize(200, 200)).toImage();
        problems << pictureProblems(QString("start picture %1").arg(i),
                                    start.findChild<QLabel*>(QString("startPicture%1").arg(i)), expected,
                                    density, QSize(200, 200));
    }

    // The workshop's picture of the assembled Doll, 240 x 240.
    PictureBench bench(root);
    DesignWindow workshop(bench.game, bench.prompts, bench.sound, bench.actions);
    workshop.openGame(std::nullopt);
    auto* kinds = workshop.findChild<QComboBox*>("cmbParts");
    auto* parts = workshop.findChild<QListWidget*>("ListPart");
    for (int kind = 0; kind < 8; ++kind) {
        kinds->setCurrentIndex(kind);
        QTest::mouseClick(parts->viewport(), Qt::LeftButton, {},
                          parts->visualItemRect(parts->item(0)).center());
    }
    // The Doll's picture is one of the three, whichever the frame's look is.
    const auto* portrait = workshop.findChild<QLabel*>("dspDollImg");
    QImage expected;
    for (const QString& stem : stems) {
        if (portrait != nullptr && samePixels(portrait->pixmap().toImage(), file(stem, ".jpg"))) {
            expected = file(stem, ".jpg");
        }
    }
    problems << pictureProblems("workshop picture", portrait, expected, density, QSize(240, 240));

    // The logic editor's chips, trash can and empty grid cells: 28 x 28 tiles of icon0.bmp.
    ProgramWindow editor(bench.game, bench.prompts);
    const QImage strip = file("icon0", ".bmp");
    const int tile = 28 * static_cast<int>(density);
    auto tileOf = [&](int k) { return strip.copy(tile * k, 0, tile, tile); };
    int chips = 0;
    for (int k = 0; k < 11; ++k) {
        if (const auto* chip = editor.findChild<QLabel*>(QString("dspAchip_%1").arg(k))) {
            problems << pictureProblems(QString("chip %1").arg(k), chip, tileOf(k), density, QSize(28, 28));
            ++chips;
        }
    }
    if (chips == 0) {
        problems << "the editor shows no chip";
    }
    problems << pictureProblems("trash", editor.findChild<QLabel*>("dspTrash"), tileOf(11), density,
                                QSize(28, 28));
    const auto* cell = editor.findChild<QLabel*>("dspAction_0");
    problems << pictureProblems("grid cell", cell, tileOf(cell ? cell->property("tile").toInt() : 0), density,
                                QSize(28, 28));
    return problems;
}

}  // namespace vargo::test
