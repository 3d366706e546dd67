// "Opponents: random or a range": the drill's choice of what the opponents
// hold, a preset of the range editor or a range typed in the notation.
#include "drill/RangeSpot.h"
#include "ui/drill/DrillDialog.h"
#include "ui/range/RangePresets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace quillory {

QWidget* DrillDialog::BuildOpponents() {
    auto* box = new QWidget(this);
    m_opponents = new QComboBox(box);
    m_opponents->setEditable(true);
    m_opponents->setInsertPolicy(QComboBox::NoInsert);
    m_opponents->addItem(QStringLiteral("random"), QString());
    RangePresets presets(DefaultRangePresetsPath());
    presets.Load();
    for (const RangePreset& preset : presets.All()) {
        if (preset.text != QLatin1String("random")) {
            m_opponents->addItem(preset.name, preset.text);
        }
    }
    m_opponents->setAccessibleName(QStringLiteral("Opponents"));
    m_opponents->setAccessibleDescription(
        QStringLiteral("random, a preset, or a range such as QQ+, AKs"));
    m_opponents->setToolTip(m_opponents->accessibleDescription());
    auto* label = new QLabel(QStringLiteral("&Opponents:"), box);
    label->setBuddy(m_opponents);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label);
    row->addWidget(m_opponents, 1);
    row->addWidget(new QLabel(QStringLiteral("random or a range"), box));
    // A preset takes effect when chosen, a typed range when the field is left
    // or Enter pressed, not at every key.
    connect(m_opponents, &QComboBox::activated, this, [this] { OnChoiceChanged(); });
    connect(m_opponents->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { OnChoiceChanged(); });
    return box;
}

// A preset's name stands for its range; "random" or an empty field for
// random cards; anything else is read as range notation. A text that does
// not parse leaves the choice as it was and says why.
bool DrillDialog::ReadOpponents() {
    QString text = m_opponents->currentText().trimmed();
    if (const int item = m_opponents->findText(text); item >= 0) {
        text = m_opponents->itemData(item).toString();
    }
    if (text.isEmpty() || text.compare(QLatin1String("random"), Qt::CaseInsensitive) == 0) {
        m_opponentRange.reset();
        return true;
    }
    HandRange range;
    RangeError error;
    if (!ParseRange(text.toStdString(), range, error)) {
        SetNote(QStringLiteral("Opponents: %1").arg(QString::fromStdString(error.Message())));
        return false;
    }
    if (range == HandRange::Random()) {
        m_opponentRange.reset();
    } else {
        m_opponentRange = range;
    }
    return true;
}

bool DrillDialog::DealRangeSpot() {
    if (!m_opponentRange) {
        return false;
    }
    if (drill::DrawRangeSpot(m_generator, Choice(), *m_opponentRange, m_spot)) {
        return true;
    }
    SetNote(QStringLiteral("No deal gives every opponent a hand from %1 at this table size; "
                           "this spot's opponents hold random cards.")
                .arg(QString::fromStdString(FormatRange(*m_opponentRange))));
    return false;
}

} // namespace quillory
