#include "ui/DialogLayout.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

namespace quillory::layout {
namespace {

// The pixels a control needs to show its caption; 0 without one.
int CaptionWidth(const QWidget& widget) {
    const QFontMetrics metrics(widget.font());
    const QStyle* style = widget.style();
    if (const auto* label = qobject_cast<const QLabel*>(&widget); label != nullptr) {
        if (label->text().isEmpty()) {
            return 0;
        }
        const QString shown =
            label->buddy() != nullptr ? StripMnemonic(label->text()) : label->text();
        const int frame = label->frameWidth();
        return metrics.horizontalAdvance(shown) + 1 + 2 * frame +
               (frame > 0 ? 2 * label->indent() : 0);
    }
    const auto* button = qobject_cast<const QAbstractButton*>(&widget);
    if (button == nullptr || button->text().isEmpty()) {
        return 0;
    }
    const int text = metrics.horizontalAdvance(StripMnemonic(button->text()));
    if (qobject_cast<const QCheckBox*>(&widget) != nullptr) {
        return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &widget) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &widget) + text + 2;
    }
    return text + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &widget) + 8;
}

} // namespace

BaseUnits MeasureBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return BaseUnits{(letters / 26 + 1) / 2, metrics.height()};
}

QRect ToPixels(const DialogRect& rect, BaseUnits units) {
    // Units are never negative, so adding half the divisor rounds to nearest.
    const auto across = [&units](int value) { return (value * units.x + 2) / 4; };
    const auto down = [&units](int value) { return (value * units.y + 4) / 8; };
    return QRect(across(rect.x), down(rect.y), across(rect.width), down(rect.height));
}

QFont DialogFont(std::string_view family, int points) {
    QString name = QString::fromUtf8(family);
    if (name == QLatin1String("MS Sans Serif") &&
        QFontDatabase::hasFamily(QStringLiteral("Microsoft Sans Serif"))) {
        name = QStringLiteral("Microsoft Sans Serif");
    }
    if (QFontDatabase::hasFamily(name)) {
        return QFont(name, points);
    }
    QFont fallback = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    fallback.setPointSize(points);
    return fallback;
}

QString StripMnemonic(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        plain.append(caption[i]);
    }
    return plain;
}

BaseUnits PlaceControls(QDialog& dialog, const QString& caption, const QFont& font,
                        std::initializer_list<Placement> controls, int width, int height) {
    dialog.setWindowTitle(caption);
    dialog.setFont(font);
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog.setSizeGripEnabled(false);
    BaseUnits units = MeasureBaseUnits(dialog.font());
    QWidget* previous = nullptr;
    for (const Placement& control : controls) {
        const int needed = CaptionWidth(*control.widget);
        if (needed > 0 && control.rect.width > 0) {
            units.x = std::max(units.x, (needed * 4 + control.rect.width - 1) / control.rect.width);
        }
        if ((control.widget->focusPolicy() & Qt::TabFocus) != 0) {
            if (previous != nullptr) {
                QWidget::setTabOrder(previous, control.widget);
            }
            previous = control.widget;
        }
    }
    for (const Placement& control : controls) {
        control.widget->setGeometry(ToPixels(control.rect, units));
    }
    dialog.setFixedSize(ToPixels(DialogRect{0, 0, width, height}, units).size());
    return units;
}

QLabel* PlainLabel(QWidget& parent, const QString& text) {
    auto* label = new QLabel(text, &parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* DigitsEdit(QWidget& parent, const QString& name, QLabel* label) {
    auto* edit = new QLineEdit(&parent);
    edit->setAccessibleName(name);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    if (label != nullptr) {
        label->setBuddy(edit);
    }
    return edit;
}

void MakeRowList(QTableWidget& table) {
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.setSelectionMode(QAbstractItemView::SingleSelection);
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setWordWrap(false);
    table.setCornerButtonEnabled(false);
    table.verticalHeader()->hide();
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 4);
    table.horizontalHeader()->setHighlightSections(false);
}

} // namespace quillory::layout
