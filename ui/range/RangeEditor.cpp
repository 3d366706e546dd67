#include "ui/range/RangeEditor.h"

#include "ui/ModalSeam.h"
#include "ui/range/RangeGrid.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace quillory {

RangeEditor::RangeEditor(const QString& presetsPath, QWidget* parent)
    : QWidget(parent), m_presets(presetsPath) {
    m_text = new QLineEdit(this);
    m_text->setAccessibleName(QStringLiteral("Range text"));
    m_text->setPlaceholderText(QStringLiteral("QQ+, AKs, A5s-A2s, AKo:0.5"));
    auto* textLabel = new QLabel(QStringLiteral("&Range:"), this);
    textLabel->setBuddy(m_text);
    m_error = new QLabel(this);
    m_error->setWordWrap(true);
    m_error->hide();
    m_grid = new RangeGrid(this);

    auto* top = new QHBoxLayout;
    top->addWidget(textLabel);
    top->addWidget(m_text, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_grid, 0, Qt::AlignTop);
    middle->addWidget(BuildSide(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_error);
    layout->addLayout(middle);

    connect(m_grid, &RangeGrid::RangeEdited, this, &RangeEditor::OnGridEdited);
    connect(m_grid, &RangeGrid::CurrentClassChanged, this, &RangeEditor::OnCurrentClass);
    connect(m_text, &QLineEdit::textEdited, this, &RangeEditor::OnTextEdited);
    connect(m_text, &QLineEdit::editingFinished, this, [this] {
        if (TextIsValid()) {
            Show(m_range, true);
        }
    });
    m_presets.Load();
    RefreshPresets();
    Show(m_range, true);
    OnCurrentClass(m_grid->CurrentClass());
    QWidget* order[] = {m_text,       m_grid,       m_weight,     m_topSlider,   m_topField,
                        m_presetList, m_presetName, m_savePreset, m_deletePreset};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

QWidget* RangeEditor::BuildSide() {
    auto* side = new QWidget(this);
    m_weight = new QSpinBox(side);
    m_weight->setRange(0, 100);
    m_weight->setSuffix(QStringLiteral(" %"));
    m_weight->setValue(100);
    m_weight->setAccessibleName(QStringLiteral("Weight"));
    m_weight->setToolTip(QStringLiteral("The weight of the current cell, and of the cells you "
                                        "select next"));
    m_topSlider = new QSlider(Qt::Horizontal, side);
    m_topSlider->setRange(0, 100);
    m_topSlider->setPageStep(5);
    m_topSlider->setAccessibleName(QStringLiteral("Top %"));
    m_topField = new QDoubleSpinBox(side);
    m_topField->setRange(0.0, 100.0);
    m_topField->setDecimals(1);
    m_topField->setSuffix(QStringLiteral(" %"));
    m_topField->setAccessibleName(QStringLiteral("Top % value"));
    m_count = new QLabel(side);
    m_count->setWordWrap(true);

    connect(m_weight, &QSpinBox::valueChanged, this, &RangeEditor::OnWeightChanged);
    connect(m_topSlider, &QSlider::valueChanged, this, [this](int value) {
        const QSignalBlocker block(m_topField);
        m_topField->setValue(value);
        SetTopPercent(value);
    });
    connect(m_topField, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        const QSignalBlocker block(m_topSlider);
        m_topSlider->setValue(static_cast<int>(std::lround(value)));
        SetTopPercent(value);
    });

    auto* topRow = new QHBoxLayout;
    topRow->addWidget(m_topSlider, 1);
    topRow->addWidget(m_topField);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Weight:"), m_weight);
    auto* topLabel = new QLabel(QStringLiteral("&Top %:"), side);
    topLabel->setBuddy(m_topSlider);
    form->addRow(topLabel, topRow);
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(m_count);
    layout->addSpacing(8);
    layout->addWidget(BuildPresets());
    layout->addStretch(1);
    return side;
}

QWidget* RangeEditor::BuildPresets() {
    auto* box = new QWidget(this);
    m_presetList = new QComboBox(box);
    m_presetList->setAccessibleName(QStringLiteral("Presets"));
    m_presetList->setPlaceholderText(QStringLiteral("Choose a preset"));
    m_presetName = new QLineEdit(box);
    m_presetName->setAccessibleName(QStringLiteral("Preset name"));
    m_savePreset = new QPushButton(QStringLiteral("&Save Preset"), box);
    m_deletePreset = new QPushButton(QStringLiteral("&Delete Preset"), box);
    for (QPushButton* button : {m_savePreset, m_deletePreset}) {
        button->setAutoDefault(false);
    }
    connect(m_presetList, &QComboBox::activated, this, &RangeEditor::ApplyPreset);
    connect(m_savePreset, &QPushButton::clicked, this,
            [this] { SavePreset(m_presetName->text()); });
    connect(m_deletePreset, &QPushButton::clicked, this, [this] {
        const QString name = m_presetList->currentText();
        if (m_presets.Remove(name)) {
            RefreshPresets();
        }
        ReportPresetProblem();
    });
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("&Presets:"), m_presetList);
    form->addRow(QStringLiteral("&Name:"), m_presetName);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_savePreset);
    buttons->addWidget(m_deletePreset);
    form->addRow(buttons);
    return box;
}

void RangeEditor::SetRange(const HandRange& range) {
    Show(range, true);
}

void RangeEditor::SetText(const QString& text) {
    m_text->setText(text);
    OnTextEdited();
    if (TextIsValid()) {
        Show(m_range, true);
    }
}

QString RangeEditor::Text() const {
    return m_text->text();
}

void RangeEditor::SetTopPercent(double percent) {
    Show(TopPercent(percent), true);
}

void RangeEditor::OnGridEdited(const HandRange& range) {
    Show(range, true);
}

void RangeEditor::OnTextEdited() {
    const std::string text = m_text->text().trimmed().toStdString();
    HandRange parsed;
    RangeError error;
    if (!text.empty() && !ParseRange(text, parsed, error)) {
        MarkText(QString::fromStdString(error.Message()));
        return;
    }
    Show(parsed, false);
}

// Shows a range everywhere: grid, count, current weight, and the text unless
// the user is typing it.
void RangeEditor::Show(const HandRange& range, bool rewriteText) {
    m_range = range;
    m_grid->SetRange(range);
    MarkText({});
    if (rewriteText) {
        const QSignalBlocker block(m_text);
        m_text->setText(QString::fromStdString(FormatRange(range)));
    }
    const QLocale english(QLocale::English);
    const int combos = range.ComboCount();
    const double weighted = range.WeightedCount();
    QString count = QStringLiteral("Combos: %1 of 1,326 (%2%)")
                        .arg(combos)
                        .arg(english.toString(100.0 * combos / kComboCount, 'f', 2));
    if (std::abs(weighted - combos) > 1e-6) {
        count += QStringLiteral(", weighted %1 (%2%)")
                     .arg(english.toString(weighted, 'f', 2))
                     .arg(english.toString(100.0 * weighted / kComboCount, 'f', 2));
    }
    m_count->setText(count);
    m_count->setAccessibleName(count);
    OnCurrentClass(m_grid->CurrentClass());
    emit RangeChanged(range);
}

void RangeEditor::MarkText(const QString& error) {
    m_textError = error;
    m_error->setText(error);
    m_error->setVisible(!error.isEmpty());
    m_error->setAccessibleName(error.isEmpty() ? QStringLiteral("Range error") : error);
    m_text->setAccessibleDescription(error);
    // The field is framed in the palette's error colour while it is refused.
    m_text->setStyleSheet(error.isEmpty() ? QString()
                                          : QStringLiteral("QLineEdit { border: 2px solid "
                                                           "#d0312d; }"));
}

void RangeEditor::OnCurrentClass(int handClass) {
    const ClassPart part = PartOfClass(m_range, handClass);
    if (part.inRange > 0) {
        const QSignalBlocker block(m_weight);
        m_weight->setValue(static_cast<int>(std::lround(part.weight * 100.0)));
    }
}

void RangeEditor::OnWeightChanged(int percent) {
    m_grid->SetBrushWeight(percent / 100.0);
    const int handClass = m_grid->CurrentClass();
    if (PartOfClass(m_range, handClass).inRange > 0) {
        m_grid->SetClassWeight(handClass, percent / 100.0);
    }
}

void RangeEditor::RefreshPresets() {
    const QSignalBlocker block(m_presetList);
    m_presetList->clear();
    for (const RangePreset& preset : m_presets.All()) {
        m_presetList->addItem(preset.name, preset.text);
    }
    m_presetList->setCurrentIndex(-1);
}

void RangeEditor::ApplyPreset(int index) {
    if (index < 0) {
        return;
    }
    SetText(m_presetList->itemData(index).toString());
    m_presetName->setText(m_presetList->itemText(index));
}

bool RangeEditor::SavePreset(const QString& name) {
    if (name.trimmed().isEmpty() || !TextIsValid()) {
        return false;
    }
    const bool saved = m_presets.Save(name, QString::fromStdString(FormatRange(m_range)));
    RefreshPresets();
    m_presetList->setCurrentIndex(m_presetList->findText(name.trimmed()));
    ReportPresetProblem();
    return saved;
}

void RangeEditor::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // After the window is up, so the message has an owner on the screen.
    QTimer::singleShot(0, this, [this] { ReportPresetProblem(); });
}

void RangeEditor::ReportPresetProblem() {
    if (m_presets.Problem().isEmpty()) {
        return;
    }
    const QString problem = m_presets.Problem();
    m_presets.ClearProblem();
    ShowMessageBox(this, problem, MessageIcon::Warning);
}

RangeDialog::RangeDialog(QWidget* parent, const QString& presetsPath) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Range"));
    m_editor = new RangeEditor(presetsPath, this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_editor);
    layout->addWidget(buttons);
    m_editor->m_grid->setFocus();
}

void RangeDialog::accept() {
    if (!m_editor->TextIsValid()) {
        m_editor->m_text->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace quillory
