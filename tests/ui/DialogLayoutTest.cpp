// The fixed layouts of the dialogs in dialog units, their ends through the
// modal seam, and the seam itself.
#include "ui/DialogLayout.h"

#include "res/ResourceIds.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/AboutDialog.h"
#include "ui/CallAdvisorDialog.h"
#include "ui/CardPickerDialog.h"
#include "ui/TrainerDialog.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <memory>

using namespace quillory;
using testing::Seam;

class DialogLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Seam().Reset(); }

    void dialogUnitsFollowTheFont() {
        const layout::BaseUnits units{7, 13};
        QCOMPARE(layout::ToPixels({7, 53, 48, 8}, units), QRect(12, 86, 84, 13));
        QCOMPARE(layout::ToPixels({444, 148, 1, 1}, units).topLeft(), QPoint(777, 241));
        const QFont verdana = layout::DialogFont("Verdana", 10);
        const layout::BaseUnits measured = layout::MeasureBaseUnits(verdana);
        QVERIFY(measured.x >= 5 && measured.x <= 11);
        QCOMPARE(measured.y, QFontMetrics(verdana).height());
        const QFont missing = layout::DialogFont("NoSuchFamilyAtAll", 10);
        QCOMPARE(missing.pointSize(), 10);
        QVERIFY(QFontDatabase::hasFamily(QFontInfo(missing).family()));
    }

    // Every control lies inside its window and shows its whole caption; a
    // caption wider than its box at this font widens the whole layout.
    void everyDialogKeepsItsControlsInsideWithCaptionsUnclipped() {
        CTrainerDialog trainer;
        CAboutDialog about;
        CCardPickerDialog picker(3);
        CCallAdvisorDialog advisor;
        advisor.Create();
        for (QDialog* dialog :
             std::initializer_list<QDialog*>{&trainer, &about, &picker, &advisor}) {
            const QRect client(QPoint(0, 0), dialog->size());
            for (QWidget* control : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (control->isHidden()) {
                    continue;
                }
                QVERIFY2(client.contains(control->geometry()), qPrintable(dialog->windowTitle()));
                QString caption;
                if (const auto* label = qobject_cast<QLabel*>(control);
                    label != nullptr && !label->wordWrap()) {
                    caption = layout::StripMnemonic(label->text());
                } else if (const auto* button = qobject_cast<QAbstractButton*>(control)) {
                    caption = layout::StripMnemonic(button->text());
                }
                if (!caption.isEmpty()) {
                    QVERIFY2(control->fontMetrics().horizontalAdvance(caption) < control->width(),
                             qPrintable(caption));
                }
            }
        }
        QDialog narrow;
        auto* label = new QLabel(QStringLiteral("A caption far wider than its box"), &narrow);
        const layout::BaseUnits units = layout::PlaceControls(narrow, QStringLiteral("Narrow"),
                                                              layout::DialogFont("Verdana", 10),
                                                              {{label, {2, 2, 20, 8}}}, 30, 12);
        QVERIFY(units.x > layout::MeasureBaseUnits(narrow.font()).x);
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) < label->width());
        QVERIFY(narrow.width() > label->geometry().right());
    }

    void dialogsEndThroughTheSeamAndANeverEndedOneIsCancelled() {
        CAboutDialog about;
        Seam().QueueDialog([](QDialog& dialog) {
            static_cast<CAboutDialog&>(dialog).m_ok->click();
            return dialog.result();
        });
        QCOMPARE(about.DoModal(), res::kIdOk);
        CCallAdvisorDialog advisor;
        QCOMPARE(advisor.DoModal(), res::kIdCancel);
        QCOMPARE(Seam().UnexpectedDialogs(), 1);
        QCOMPARE(Seam().Calls(), 2);
    }

    void scopedSeamRestoresThePreviousOne() {
        testing::ScriptedModalSeam inner;
        {
            ScopedModalSeam scope(inner);
            ShowMessageBox(nullptr, QStringLiteral("inside"), MessageIcon::Information);
        }
        ShowMessageBox(nullptr, QStringLiteral("outside"), MessageIcon::Information);
        QCOMPARE(inner.Messages().size(), std::size_t(1));
        QCOMPARE(Seam().Messages().back().text, QStringLiteral("outside"));
        QCOMPARE(Seam().Messages().back().title, QStringLiteral("Quillory"));
    }
};

QUILLORY_UI_TEST_MAIN(DialogLayoutTest)
#include "DialogLayoutTest.moc"
