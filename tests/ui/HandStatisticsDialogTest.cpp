// The Hand Statistics dialog: its cells show the counts of the choice at the
// top, empty cells stay empty, and the picture reads in light and dark
// palettes. Set QUILLORY_TEST_SHOTS to a folder to keep the pictures.
#include "ui/statistics/HandStatisticsDialog.h"

#include "report/HeatMap.h"
#include "report/Simulation.h"
#include "tests/ui/UiTestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillory;
using testing::Seam;

namespace {

HandStatistics SeededStatistics() {
    SimulationOptions options;
    options.deals = 3000;
    options.seed = 12;
    options.threads = 1;
    HandStatistics statistics;
    SimulateDeals(options, statistics);
    return statistics;
}

// Pixels of `image` within a small distance of `colour`.
int PixelsNear(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int distance = std::abs(pixel.red() - colour.red()) +
                                 std::abs(pixel.green() - colour.green()) +
                                 std::abs(pixel.blue() - colour.blue());
            count += distance < 40 ? 1 : 0;
        }
    }
    return count;
}

} // namespace

class HandStatisticsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Seam().Reset(); }

    void cleanup() { QCOMPARE(Seam().UnexpectedDialogs(), 0); }

    // Arrows move between the cells; Tab leaves the map for the next
    // control and Shift+Tab comes back to it.
    void tabLeavesTheMap() {
        const HandStatistics statistics = SeededStatistics();
        HandStatisticsDialog dialog(statistics);
        dialog.show();
        QVERIFY(testing::Activate(dialog));
        auto* grid = dialog.findChild<QTableWidget*>();
        grid->setFocus();
        grid->setCurrentCell(0, 0);
        QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(grid->currentColumn(), 1);
        QTest::keyClick(grid, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != grid);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), grid);
    }

    // Every cell, for several choices at the top, is the map of the same
    // counters: its number, its tooltip and what a screen reader reads.
    void cellsFollowTheChoiceAndEmptyCellsStayEmpty() {
        const HandStatistics statistics = SeededStatistics();
        HandStatisticsDialog dialog(statistics);
        int empty = 0;
        for (const auto& [players, used] :
             {std::pair{2, HoleCardsUsed::Any}, std::pair{6, HoleCardsUsed::Two},
              std::pair{10, HoleCardsUsed::None}}) {
            dialog.ShowTableSize(players);
            dialog.ShowHoleCards(used);
            const HeatMap expected = BuildHeatMap(statistics, players, used);
            for (int row = 0; row < kHeatRows; ++row) {
                for (int column = 0; column < kHeatColumns; ++column) {
                    const HeatCell& cell = expected.At(row, column);
                    const QTableWidgetItem* item = dialog.Grid()->item(row, column);
                    const QString description =
                        QString::fromStdString(HeatCellDescription(expected, row, column));
                    QCOMPARE(item->toolTip(), description);
                    QCOMPARE(item->data(Qt::AccessibleTextRole).toString(), description);
                    QCOMPARE(item->text(), cell.IsEmpty()
                                               ? QString()
                                               : QString::number(qRound(cell.LostPercent())));
                    QCOMPARE(item->background().style() == Qt::NoBrush, cell.IsEmpty());
                    empty += cell.IsEmpty() ? 1 : 0;
                }
            }
        }
        QVERIFY(empty > 0); // a few thousand deals leave some kinds of hand unseen
    }

    // Save Picture writes a PNG, or an SVG when the name ends in .svg, whole;
    // a file that cannot be written is said once, naming it.
    void savePictureWritesPngOrSvgAndSaysAFailure() {
        HandStatisticsDialog dialog(SeededStatistics());
        QPushButton* save = nullptr;
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text().remove(QLatin1Char('&')) == QStringLiteral("Save Picture...")) {
                save = button;
            }
        }
        QVERIFY(save != nullptr);
        QTemporaryDir folder;
        Seam().QueueSavePath(folder.filePath(QStringLiteral("map")));
        save->click();
        QFile png(folder.filePath(QStringLiteral("map.png")));
        QVERIFY(png.open(QIODevice::ReadOnly));
        QCOMPARE(png.read(8), QByteArray("\x89PNG\r\n\x1a\n"));
        Seam().QueueSavePath(folder.filePath(QStringLiteral("map.svg")));
        save->click();
        QFile svg(folder.filePath(QStringLiteral("map.svg")));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QVERIFY(svg.readAll().contains("<svg"));
        QVERIFY(Seam().Messages().empty());
        Seam().QueueSavePath(folder.filePath(QStringLiteral("missing/map.png")));
        save->click();
        QCOMPARE(Seam().Messages().size(), std::size_t{1});
        QVERIFY(Seam().Messages()[0].text.contains(QStringLiteral("map.png\" could not be saved")));
    }

    // The title and the legend are drawn in the palette's own text colour, so
    // they read on a light and on a dark window alike.
    void readsInLightAndDarkPalettes() {
        HandStatisticsDialog dialog(SeededStatistics());
        for (const bool dark : {false, true}) {
            QPalette palette;
            palette.setColor(QPalette::Window, dark ? QColor(32, 33, 36) : QColor(240, 240, 240));
            palette.setColor(QPalette::WindowText, dark ? QColor(232, 232, 232) : Qt::black);
            palette.setColor(QPalette::Base, dark ? QColor(24, 25, 28) : Qt::white);
            palette.setColor(QPalette::Text, dark ? QColor(232, 232, 232) : Qt::black);
            palette.setColor(QPalette::Button, dark ? QColor(48, 50, 54) : QColor(240, 240, 240));
            palette.setColor(QPalette::ButtonText, dark ? QColor(232, 232, 232) : Qt::black);
            dialog.setPalette(palette);
            dialog.resize(dialog.sizeHint());
            const QImage image = dialog.grab().toImage();
            if (const QByteArray folder = qgetenv("QUILLORY_TEST_SHOTS"); !folder.isEmpty()) {
                image.save(QDir(QString::fromLocal8Bit(folder))
                               .filePath(dark ? QStringLiteral("statistics-dark.png")
                                              : QStringLiteral("statistics-light.png")));
            }
            QVERIFY2(PixelsNear(image, palette.color(QPalette::WindowText)) > 300,
                     dark ? "dark palette" : "light palette");
            QVERIFY2(PixelsNear(image, Qt::white) < image.width() * image.height() / 4 || !dark,
                     "the dark window is not painted light");
        }
    }
};

QUILLORY_UI_TEST_MAIN(HandStatisticsDialogTest)
#include "HandStatisticsDialogTest.moc"
