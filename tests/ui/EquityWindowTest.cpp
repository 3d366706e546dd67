// The Equity Calculator over a stand-in engine: bad fields are refused where
// they are and nothing runs; a run in the background fills the results a
// screen reader reads; Stop ends a run; the main window's hand comes in as
// Player 1 and the board. The picture's colours follow the equities in light
// and dark palettes.
#include "ui/equity/EquityWindow.h"

#include "tests/ui/UiTestSupport.h"
#include "ui/equity/EquityPicture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <thread>

using namespace quillory;
using testing::Seam;

namespace {

Card C(std::int32_t rank, std::int32_t suit) {
    return Card{rank, suit};
}

// Every class from AA's row at a known equity: higher classes higher.
std::array<double, kClassCount> Ladder() {
    std::array<double, kClassCount> equities;
    equities.fill(-1.0);
    for (int column = 0; column < kGridSize; ++column) {
        equities[static_cast<std::size_t>(column)] = 100.0 - column * 8.0;
    }
    return equities;
}

} // namespace

class EquityWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Seam().Reset(); }
    void cleanup() { QCOMPARE(Seam().UnexpectedDialogs(), 0); }

    void badFieldsAreRefusedAtTheirPlace() {
        int runs = 0;
        EquityWindow window(nullptr, [&](const EquityQuestion&, const std::atomic<bool>&,
                                         const std::function<void(double)>&) {
            ++runs;
            return EquityAnswer();
        });
        window.m_seats[0]->setText(QStringLiteral("AKs"));
        window.m_seats[1]->setText(QStringLiteral("QQ+, AKx"));
        QVERIFY(!window.Calculate());
        QVERIFY(!window.m_seatErrors[1]->isHidden());
        QCOMPARE(window.m_seatErrors[1]->text(),
                 QStringLiteral("Player 2: 'AKx' at character 6: unknown suit class 'x'"));
        QVERIFY(window.m_seatErrors[0]->isHidden());
        window.m_seats[1]->setText(QStringLiteral("AsKs"));
        window.m_board->setText(QStringLiteral("Ks 7c"));
        QVERIFY(!window.Calculate());
        QCOMPARE(window.m_boardError->text(),
                 QStringLiteral("Board: the board holds 0, 3, 4 or 5 cards, not 2"));
        // A hand the board takes away leaves that seat with nothing.
        window.m_board->setText(QStringLiteral("Ks 7c 2h"));
        QVERIFY(!window.Calculate());
        QVERIFY(window.m_seatErrors[1]->text().startsWith(QStringLiteral("Player 2: no combos")));
        QCOMPARE(runs, 0);
    }

    void aRunFillsTheResultsAndStopEndsIt() {
        EquityQuestion asked;
        EquityWindow window(nullptr, [&](const EquityQuestion& question,
                                         const std::atomic<bool>& stop,
                                         const std::function<void(double)>& progress) {
            asked = question;
            EquityAnswer answer;
            if (question.board.empty()) {
                answer.seats = {{34.59, 33.1, 2.98, 4}, {65.41, 63.9, 2.98, 18}};
                answer.samples = 1234;
                answer.classEquity = {Ladder(), Ladder()};
                return answer;
            }
            for (int step = 0; !stop.load(); ++step) {
                progress(step % 100 / 100.0);
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            answer.method = FoundBy::MonteCarlo;
            answer.standardError = 0.31;
            answer.stopped = true;
            answer.seats = {{50, 48, 2, 4}, {50, 48, 2, 18}};
            return answer;
        });
        QSignalSpy finished(&window, &EquityWindow::Finished);
        window.m_seats[0]->setText(QStringLiteral("AKs"));
        window.m_seats[1]->setText(QStringLiteral("QQ+"));
        QVERIFY(window.Calculate());
        QVERIFY(finished.wait(5000));
        QCOMPARE(asked.seats.size(), std::size_t{2});
        QCOMPARE(asked.seats[0].ComboCount(), 4);
        QCOMPARE(asked.seats[1].ComboCount(), 18);
        QCOMPARE(window.m_results[0][0]->accessibleName(),
                 QStringLiteral("Player 1 equity: 34.59%"));
        QCOMPARE(window.m_results[1][3]->accessibleName(), QStringLiteral("Player 2 combos: 18"));
        QCOMPARE(window.m_results[0][4]->accessibleName(), QStringLiteral("Player 1 found: exact"));
        QVERIFY(window.m_savePicture->isEnabled());

        window.m_board->setText(QStringLiteral("Kd 7c 2h"));
        QVERIFY(window.Calculate());
        QVERIFY(window.IsRunning());
        QVERIFY(!window.m_calculate->isEnabled());
        QTest::qWait(30); // the window answers while the run goes on
        QCOMPARE(window.m_results[0][0]->text(), QString());
        QTest::mouseClick(window.m_stop, Qt::LeftButton);
        QVERIFY(finished.wait(5000));
        QCOMPARE(asked.board, (std::vector<int>{4 * 12 + 3, 4 * 6 + 2, 4 * 1 + 1}));
        QCOMPARE(window.m_results[0][4]->accessibleName(),
                 QStringLiteral("Player 1 found: \u00b1 0.31"));
        QVERIFY(window.m_calculate->isEnabled());
    }

    void theMainWindowsHandComesIn() {
        EquityWindow window;
        window.StartFrom({C(kAce, kSpade), C(12, kHeart)},
                         {C(12, kDiamond), C(6, kClub), C(1, kHeart), kNoCard, kNoCard}, 4);
        QCOMPARE(window.m_players->value(), 4);
        QCOMPARE(window.m_seats[0]->text(), QStringLiteral("As Kh"));
        QCOMPARE(window.m_seats[1]->text(), QString());
        QCOMPARE(window.m_board->text(), QStringLiteral("Kd 7c 2h"));
        QVERIFY(!window.m_seats[3]->isHidden());
        QVERIFY(window.m_seats[4]->isHidden());
    }

    // In light and dark palettes each class's cell is its equity's colour
    // on the scale, and a higher equity is never drawn darker (of lower
    // luminance).
    void pictureColoursFollowTheEquities() {
        for (const bool dark : {false, true}) {
            EquityPicture picture;
            QPalette palette;
            palette.setColor(QPalette::Window, dark ? QColor(30, 30, 30) : QColor(240, 240, 240));
            palette.setColor(QPalette::WindowText, dark ? Qt::white : Qt::black);
            palette.setColor(QPalette::Base, dark ? QColor(45, 45, 45) : Qt::white);
            picture.setPalette(palette);
            picture.resize(picture.sizeHint());
            picture.Show(QStringLiteral("Player 1"), Ladder());
            const QImage image = picture.grab().toImage();
            double previous = 2.0;
            for (int column = 0; column < kGridSize; ++column) {
                const QRect cell = picture.CellRect(column);
                const QColor seen = image.pixelColor(cell.left() + 2, cell.top() + 2);
                const QColor meant = QColor::fromRgb(EquityColour(100.0 - column * 8.0));
                QVERIFY2(std::abs(seen.red() - meant.red()) +
                                 std::abs(seen.green() - meant.green()) +
                                 std::abs(seen.blue() - meant.blue()) <
                             12,
                         qPrintable(QStringLiteral("column %1").arg(column)));
                const double luminance =
                    0.2126 * seen.redF() + 0.7152 * seen.greenF() + 0.0722 * seen.blueF();
                QVERIFY(luminance <= previous + 1e-9);
                previous = luminance;
            }
            // A class outside the range takes the palette's base colour.
            const QRect outside = picture.CellRect(kGridSize + 5);
            QCOMPARE(image.pixelColor(outside.left() + 2, outside.top() + 2),
                     palette.color(QPalette::Base));
        }
    }
};

QUILLORY_UI_TEST_MAIN(EquityWindowTest)
#include "EquityWindowTest.moc"
