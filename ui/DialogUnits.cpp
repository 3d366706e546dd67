// Dialog units, fonts and caption widths: the measures a template is laid
// out with.
#include "ui/TemplateBuilder.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QWidget>

namespace quillory {
namespace {

using res::ControlKind;

// value x numerator / denominator, rounded to the nearest integer.
int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool Has(const res::ControlTemplate& controlTemplate, std::uint32_t style) {
    return (controlTemplate.style & style) != 0;
}

} // namespace

BaseUnits MeasureBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return BaseUnits{(letters / 26 + 1) / 2, metrics.height()};
}

QRect ToPixels(const res::DialogRect& rect, BaseUnits units) {
    return QRect(MulDiv(rect.x, units.x, 4), MulDiv(rect.y, units.y, 8),
                 MulDiv(rect.width, units.x, 4), MulDiv(rect.height, units.y, 8));
}

QFont DialogFont(std::string_view family, int points) {
    QString name = Text(family);
    // Dialogs that name the old bitmap font mean its outline successor.
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

int CaptionWidth(const QWidget& widget, const res::ControlTemplate& controlTemplate) {
    if (controlTemplate.caption.empty()) {
        return 0;
    }
    const QFontMetrics metrics(widget.font());
    const QString caption = Text(controlTemplate.caption);
    switch (controlTemplate.kind) {
    case ControlKind::Label: {
        const QString shown =
            Has(controlTemplate, res::kNoPrefix) ? caption : StripMnemonic(caption);
        int width = metrics.horizontalAdvance(shown) + 1;
        if (const auto* label = qobject_cast<const QLabel*>(&widget); label != nullptr) {
            width += 2 * label->frameWidth() + (label->frameWidth() > 0 ? 2 * label->indent() : 0);
        }
        return width;
    }
    case ControlKind::CheckBox: {
        const QStyle* style = widget.style();
        return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &widget) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &widget) +
               metrics.horizontalAdvance(StripMnemonic(caption)) + 2;
    }
    case ControlKind::PushButton: {
        const int frame =
            widget.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &widget);
        return metrics.horizontalAdvance(StripMnemonic(caption)) + 2 * frame + 8;
    }
    default:
        return 0;
    }
}

} // namespace quillory
