#pragma once

#include "range/HandRange.h"
#include "ui/range/RangePresets.h"

#include <QDialog>
#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

namespace quillory {

class RangeGrid;

// The range editor: the 13x13 grid, the range text kept in step with it both
// ways, the weight of the current class, "Top %" as a slider and a field, the
// combo count and its share of 1,326, and the named presets.
//
// A text that does not parse is marked at the field with the core's message
// and changes nothing; the grid keeps the last range that parsed. Leaving the
// field (or Enter) rewrites a valid text in the normal form.
class RangeEditor : public QWidget {
    Q_OBJECT

public:
    explicit RangeEditor(const QString& presetsPath = DefaultRangePresetsPath(),
                         QWidget* parent = nullptr);

    const HandRange& Range() const { return m_range; }
    void SetRange(const HandRange& range);
    // Puts a text into the field as if typed, then normalises it when it parses.
    void SetText(const QString& text);
    // The field's text, and whether it parses (an empty text is the empty range).
    QString Text() const;
    bool TextIsValid() const { return m_textError.isEmpty(); }
    const QString& TextError() const { return m_textError; }
    void SetTopPercent(double percent);
    bool SavePreset(const QString& name);
    RangePresets& Presets() { return m_presets; }

    RangeGrid* m_grid{};
    QLineEdit* m_text{};
    QLabel* m_error{};
    QSpinBox* m_weight{};
    QSlider* m_topSlider{};
    QDoubleSpinBox* m_topField{};
    QLabel* m_count{};
    QComboBox* m_presetList{};
    QLineEdit* m_presetName{};
    QPushButton* m_savePreset{};
    QPushButton* m_deletePreset{};

signals:
    void RangeChanged(const quillory::HandRange& range);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildSide();
    QWidget* BuildPresets();
    void OnGridEdited(const HandRange& range);
    void OnTextEdited();
    void OnCurrentClass(int handClass);
    void OnWeightChanged(int percent);
    void Show(const HandRange& range, bool rewriteText);
    void MarkText(const QString& error);
    void RefreshPresets();
    void ApplyPreset(int index);
    void ReportPresetProblem();

    HandRange m_range;
    QString m_textError;
    RangePresets m_presets;
};

// "Range": the editor as a dialog with OK and Cancel. OK is refused while the
// text does not parse (the field says why).
class RangeDialog : public QDialog {
    Q_OBJECT

public:
    explicit RangeDialog(QWidget* parent = nullptr,
                         const QString& presetsPath = DefaultRangePresetsPath());
    RangeEditor* Editor() const { return m_editor; }
    void accept() override;

private:
    RangeEditor* m_editor{};
};

} // namespace quillory
