// The card picker on its own: its lists, the columns it enables, what OK and
// Cancel give back, and use by keyboard.
#include "res/ResourceIds.h"
#include "tests/ui/PickerScript.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/CardPickerDialog.h"

#include <QListWidget>
#include <QPushButton>

using namespace quillory;
using testing::PickerVisit;
using testing::Seam;

namespace {

QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

} // namespace

class CardPickerTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Seam().Reset(); }
    void cleanup() { QCOMPARE(Seam().UnexpectedDialogs(), 0); }

    void everyColumnListsTheSuitsAndRanksInCardOrder() {
        CCardPickerDialog picker(3);
        picker.show();
        QCOMPARE(picker.windowTitle(), QStringLiteral("Select Card"));
        const QStringList suits{"Spade", "Heart", "Club", "Diamond"};
        const QStringList ranks{"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
        for (const QListWidget* list : testing::SuitLists(picker)) {
            QCOMPARE(Texts(*list), suits);
        }
        for (const QListWidget* list : testing::RankLists(picker)) {
            QCOMPARE(Texts(*list), ranks);
        }
        QCOMPARE(picker.m_listSuit2->accessibleName(), QStringLiteral("Suit of card 2"));
        QCOMPARE(picker.m_listRank3->accessibleName(), QStringLiteral("Rank of card 3"));
        // The focus starts in the first column's suit list.
        QCOMPARE(picker.focusWidget(), picker.m_listSuit1);
    }

    void everyItemIsInViewWithoutScrolling() {
        CCardPickerDialog picker(3);
        picker.show();
        QVERIFY(testing::Activate(picker));
        for (const auto& lists : {testing::SuitLists(picker), testing::RankLists(picker)}) {
            for (const QListWidget* list : lists) {
                const QRect last = list->visualItemRect(list->item(list->count() - 1));
                QVERIFY(last.bottom() < list->viewport()->height());
            }
        }
    }

    void columnsBeyondTheCardCountAreDisabledButStillShowTheAceOfSpades_data() {
        QTest::addColumn<int>("cards");
        QTest::addColumn<bool>("second");
        QTest::addColumn<bool>("third");
        QTest::newRow("1 card") << 1 << false << false;
        QTest::newRow("2 cards") << 2 << true << false;
        QTest::newRow("3 cards") << 3 << true << true;
    }

    void columnsBeyondTheCardCountAreDisabledButStillShowTheAceOfSpades() {
        QFETCH(int, cards);
        QFETCH(bool, second);
        QFETCH(bool, third);
        CCardPickerDialog picker(cards);
        PickerVisit visit;
        Seam().QueueDialog(testing::PickCards({}, &visit));
        QCOMPARE(picker.DoModal(), res::kIdOk);
        QVERIFY(visit.seen);
        QCOMPARE(visit.cards, cards);
        QCOMPARE(visit.columnEnabled, (std::array<bool, 3>{true, second, third}));
        for (const Card& opening : visit.opening) {
            QCOMPARE(opening, (Card{kAce, kSpade}));
        }
        // OK without a choice gives the ace of spades in every column.
        Card card;
        QVERIFY(picker.GetCard1(card));
        QCOMPARE(card, (Card{kAce, kSpade}));
        QVERIFY(picker.GetCard3(card));
        QCOMPARE(card, (Card{kAce, kSpade}));
    }

    void okReadsEachColumnAsItsCard() {
        CCardPickerDialog picker(3);
        Seam().QueueDialog(
            testing::PickCards({Card{kTen, kHeart}, Card{kKing, kDiamond}, Card{kTwo, kClub}}));
        QCOMPARE(picker.DoModal(), res::kIdOk);
        Card card;
        picker.GetCard1(card);
        QCOMPARE(card, (Card{kTen, kHeart})); // rank value 9, suit value 1
        picker.GetCard2(card);
        QCOMPARE(card, (Card{kKing, kDiamond}));
        picker.GetCard3(card);
        QCOMPARE(card, (Card{kTwo, kClub}));
    }

    void selectionsAreReadOnlyOnOk() {
        CCardPickerDialog picker(1);
        Card card{kQueen, kClub};
        picker.GetCard1(card);
        QCOMPARE(card, kNoCard);                     // nothing is chosen before OK
        Seam().QueueDialog(testing::CancelPicker()); // chooses a king, then cancels
        QCOMPARE(picker.DoModal(), res::kIdCancel);
        picker.GetCard1(card);
        QCOMPARE(card, kNoCard);
        QCOMPARE(Seam().DialogTitles(), std::vector<QString>{QStringLiteral("Select Card")});
    }

    void theKeyboardAloneChoosesACard() {
        CCardPickerDialog picker(2);
        picker.show();
        QVERIFY(testing::Activate(picker));
        QTest::keyClick(picker.m_listSuit1, Qt::Key_Down); // Heart
        QTest::keyClick(picker.m_listSuit1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), picker.m_listRank1);
        QTest::keyClicks(picker.m_listRank1, QStringLiteral("1")); // "10"
        QTest::keyClick(picker.m_listRank1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), picker.m_listSuit2);
        QTest::keyClick(picker.m_listSuit2, Qt::Key_End); // Diamond
        QTest::keyClick(picker.m_listSuit2, Qt::Key_Tab);
        QTest::keyClicks(picker.m_listRank2, QStringLiteral("k"));
        // The disabled third column is skipped: the next stop is OK.
        QTest::keyClick(picker.m_listRank2, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), picker.m_ok);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), picker.m_listRank2);
        QTest::keyClick(picker.m_listRank2, Qt::Key_Return); // Enter in a list means OK
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.result(), res::kIdOk);
        Card card;
        picker.GetCard1(card);
        QCOMPARE(card, (Card{kTen, kHeart}));
        picker.GetCard2(card);
        QCOMPARE(card, (Card{kKing, kDiamond}));
    }

    void escapeCancels() {
        CCardPickerDialog picker(1);
        picker.show();
        QVERIFY(testing::Activate(picker));
        QTest::keyClick(picker.m_listRank1, Qt::Key_Escape);
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.result(), res::kIdCancel);
    }
};

QUILLORY_UI_TEST_MAIN(CardPickerTest)
#include "CardPickerTest.moc"
