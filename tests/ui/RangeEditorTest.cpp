// The range editor: the grid by keyboard and mouse, the weight field, the
// text kept in step both ways (a bad text refused whole), "Top %", and the
// presets across editors, including a damaged presets file.
#include "ui/range/RangeEditor.h"

#include "tests/ui/UiTestSupport.h"
#include "ui/range/RangeGrid.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

using namespace quillory;
using testing::Seam;

namespace {

QString CellText(const RangeGrid& grid, int row, int column) {
    return grid.model()->index(row, column).data(Qt::AccessibleTextRole).toString();
}

HandRange Parsed(const char* text) {
    HandRange range;
    RangeError error;
    [&] { QVERIFY2(ParseRange(text, range, error), error.Message().c_str()); }();
    return range;
}

QPoint CellCentre(RangeGrid& grid, int row, int column) {
    return grid.visualRect(grid.model()->index(row, column)).center();
}

} // namespace

class RangeEditorTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Seam().Reset(); }
    void cleanup() { QCOMPARE(Seam().UnexpectedDialogs(), 0); }

    // Arrows and Space on the grid, the weight field, the text both ways and
    // the slider, each seen in the grid, the text, the count and the cells a
    // screen reader reads.
    void keyboardTextAndSliderStayInStep() {
        QTemporaryDir folder;
        RangeEditor editor(folder.filePath(QStringLiteral("ranges.json")));
        editor.show();
        QVERIFY(testing::Activate(editor));
        RangeGrid& grid = *editor.m_grid;
        grid.setFocus();
        QCOMPARE(CellText(grid, 0, 0), QStringLiteral("AA, not selected"));

        QTest::keyClick(&grid, Qt::Key_Right);
        QTest::keyClick(&grid, Qt::Key_Space);
        QCOMPARE(editor.Text(), QStringLiteral("AKs"));
        QCOMPARE(CellText(grid, 0, 1), QStringLiteral("AKs, selected, 4 combos, weight 100 %"));
        QCOMPARE(editor.m_count->text(), QStringLiteral("Combos: 4 of 1,326 (0.30%)"));
        editor.m_weight->setValue(50);
        QCOMPARE(CellText(grid, 0, 1), QStringLiteral("AKs, selected, 4 combos, weight 50 %"));
        QCOMPARE(editor.Range(), Parsed("AKs:0.5"));
        QCOMPARE(editor.m_count->accessibleName(),
                 QStringLiteral("Combos: 4 of 1,326 (0.30%), weighted 2.00 (0.15%)"));
        // Down to AKo, selected at the weight now in the field.
        QTest::keyClick(&grid, Qt::Key_Left);
        QTest::keyClick(&grid, Qt::Key_Down);
        QTest::keyClick(&grid, Qt::Key_Space);
        QCOMPARE(editor.Range(), Parsed("AKs:0.5, AKo:0.5"));
        QTest::keyClick(&grid, Qt::Key_Space);
        QCOMPARE(editor.Range(), Parsed("AKs:0.5"));

        testing::Type(editor.m_text, QStringLiteral("QQ+, AKo"));
        QCOMPARE(editor.Range(), Parsed("QQ+, AKo"));
        QCOMPARE(CellText(grid, 2, 2), QStringLiteral("QQ, selected, 6 combos, weight 100 %"));
        QCOMPARE(CellText(grid, 0, 1), QStringLiteral("AKs, not selected"));
        QCOMPARE(editor.m_count->text(), QStringLiteral("Combos: 30 of 1,326 (2.26%)"));
        // A bad text is refused whole with the core's message at the field;
        // the grid keeps the last text that parsed, here "QQ+, AK" as typed
        // on the way.
        testing::Type(editor.m_text, QStringLiteral("QQ+, AKx"));
        QVERIFY(!editor.TextIsValid());
        QVERIFY(editor.m_error->isVisible());
        QCOMPARE(editor.m_error->text(), QStringLiteral("'AKx' at character 6: unknown suit "
                                                        "class 'x'"));
        QCOMPARE(editor.Range(), Parsed("QQ+, AK"));
        QCOMPARE(CellText(grid, 2, 2), QStringLiteral("QQ, selected, 6 combos, weight 100 %"));
        // Leaving a good text writes it in the normal form.
        testing::Type(editor.m_text, QStringLiteral("kk,aa, ako"));
        QTest::keyClick(editor.m_text, Qt::Key_Tab);
        QCOMPARE(editor.Text(), QString::fromStdString(FormatRange(Parsed("KK+, AKo"))));
        QVERIFY(!editor.m_error->isVisible());

        editor.m_topSlider->setFocus();
        editor.m_topSlider->setValue(9);
        QTest::keyClick(editor.m_topSlider, Qt::Key_Right);
        QCOMPARE(editor.m_topField->value(), 10.0);
        QCOMPARE(editor.Range(), TopPercent(10.0));
        QCOMPARE(editor.Text(), QString::fromStdString(FormatRange(TopPercent(10.0))));
    }

    // A drag adds every cell it passes over when it starts on an empty cell,
    // and takes them out when it starts on a selected one.
    void dragSelectsAndClears() {
        QTemporaryDir folder;
        RangeEditor editor(folder.filePath(QStringLiteral("ranges.json")));
        editor.show();
        RangeGrid& grid = *editor.m_grid;
        QWidget* surface = grid.viewport();
        QTest::mousePress(surface, Qt::LeftButton, {}, CellCentre(grid, 0, 2));
        for (int column = 3; column <= 5; ++column) {
            QMouseEvent move(QEvent::MouseMove, CellCentre(grid, 0, column),
                             surface->mapToGlobal(CellCentre(grid, 0, column)), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(surface, &move);
        }
        QTest::mouseRelease(surface, Qt::LeftButton, {}, CellCentre(grid, 0, 5));
        QCOMPARE(editor.Range(), Parsed("AQs-A9s"));
        QTest::mousePress(surface, Qt::LeftButton, {}, CellCentre(grid, 0, 4));
        QMouseEvent move(QEvent::MouseMove, CellCentre(grid, 0, 5),
                         surface->mapToGlobal(CellCentre(grid, 0, 5)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(surface, &move);
        QTest::mouseRelease(surface, Qt::LeftButton, {}, CellCentre(grid, 0, 5));
        QCOMPARE(editor.Range(), Parsed("AQs-AJs"));
        // Narrowing a class to some of its suits keeps just those combos.
        grid.NarrowClass(1, {ComboIndex(0, 48), ComboIndex(1, 49)});
        QCOMPARE(CellText(grid, 0, 1),
                 QStringLiteral("AKs, selected, 2 of 4 combos, weight 100 %"));
        QCOMPARE(editor.Range().ComboCount(), 4 + 4 + 2);
    }

    // A saved preset is there for the next editor; a damaged file is said
    // once, kept aside with its bytes, and the shipped presets remain.
    void presetsPersistAndADamagedFileIsSetAside() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("data/ranges.json"));
        {
            RangeEditor editor(path);
            editor.SetText(QStringLiteral("QQ+, AKs"));
            QVERIFY(editor.SavePreset(QStringLiteral("Three-bet")));
            QVERIFY(!editor.SavePreset(QStringLiteral("Top 10%"))); // a shipped name
        }
        RangeEditor again(path);
        const int found = again.m_presetList->findText(QStringLiteral("Three-bet"));
        QVERIFY(found >= 0);
        QVERIFY(again.m_presetList->findText(QStringLiteral("Top 15%")) >= 0);
        again.m_presetList->setCurrentIndex(found);
        emit again.m_presetList->activated(found);
        QCOMPARE(again.Range(), Parsed("QQ+, AKs"));
        QCOMPARE(Seam().Messages().size(), std::size_t{0});

        QFile damaged(path);
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("{\"presets\": [{\"name\": \"x\"");
        damaged.close();
        RangeEditor hurt(path);
        hurt.show();
        QTRY_COMPARE(Seam().Messages().size(), std::size_t{1});
        QVERIFY(Seam().Messages()[0].text.startsWith(QStringLiteral("Your range presets were "
                                                                    "damaged")));
        const QStringList aside =
            QDir(folder.filePath(QStringLiteral("data"))).entryList({"ranges.json.damaged-*"});
        QCOMPARE(aside.size(), 1);
        QFile kept(folder.filePath(QStringLiteral("data/") + aside[0]));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("{\"presets\": [{\"name\": \"x\""));
        QCOMPARE(hurt.m_presetList->findText(QStringLiteral("Three-bet")), -1);
        QVERIFY(hurt.m_presetList->findText(QStringLiteral("Random")) >= 0);
        RangeEditor after(path);
        after.show();
        QTest::qWait(20);
        QCOMPARE(Seam().Messages().size(), std::size_t{1});
    }
};

QUILLORY_UI_TEST_MAIN(RangeEditorTest)
#include "RangeEditorTest.moc"
