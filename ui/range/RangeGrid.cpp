#include "ui/range/RangeGrid.h"

#include "engine/CardText.h"
#include "ui/ModalSeam.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <cmath>

namespace quillory {
namespace {

constexpr const char* kGridRanks = "AKQJT98765432";

// Paints a cell: the class name over a fill from the bottom in the palette's
// highlight colour, as high as the class's filled share; the name is drawn in
// the highlight's text colour where it crosses the fill, so it reads in light
// and dark palettes alike. The current cell gets a frame.
class RangeCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect cell = option.rect.adjusted(0, 0, -1, -1);
        const QPalette& palette = option.palette;
        const bool pair = index.row() == index.column();
        painter->save();
        painter->fillRect(cell, palette.color(pair ? QPalette::AlternateBase : QPalette::Base));
        const double fill = index.data(Qt::UserRole).toDouble();
        const int height = static_cast<int>(std::lround(fill * cell.height()));
        const QRect filled(cell.left(), cell.bottom() - height + 1, cell.width(), height);
        painter->fillRect(filled, palette.color(QPalette::Highlight));
        const QString name = index.data(Qt::DisplayRole).toString();
        painter->setClipRect(cell.adjusted(0, 0, 0, -height));
        painter->setPen(palette.color(QPalette::Text));
        painter->drawText(cell, Qt::AlignCenter, name);
        painter->setClipRect(filled);
        painter->setPen(palette.color(QPalette::HighlightedText));
        painter->drawText(cell, Qt::AlignCenter, name);
        painter->setClipping(false);
        painter->setPen(palette.color(QPalette::Mid));
        painter->drawRect(cell);
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (view != nullptr && view->currentIndex() == index && view->hasFocus()) {
            painter->setPen(QPen(palette.color(QPalette::Text), 2, Qt::DotLine));
            painter->drawRect(cell.adjusted(2, 2, -2, -2));
        }
        painter->restore();
    }
};

QString Percent(double weight) {
    return QStringLiteral("%1 %").arg(std::lround(weight * 100.0));
}

} // namespace

const std::array<std::vector<int>, kClassCount>& CombosOfClasses() {
    static const auto table = [] {
        std::array<std::vector<int>, kClassCount> classes;
        for (int combo = 0; combo < kComboCount; ++combo) {
            classes[static_cast<std::size_t>(ClassOfCombo(combo))].push_back(combo);
        }
        return classes;
    }();
    return table;
}

ClassPart PartOfClass(const HandRange& range, int handClass) {
    ClassPart part;
    double sum = 0.0;
    for (int combo : CombosOfClasses()[static_cast<std::size_t>(handClass)]) {
        ++part.combos;
        if (const double weight = range.Weight(combo); weight > 0.0) {
            ++part.inRange;
            sum += weight;
        }
    }
    part.weight = part.inRange > 0 ? sum / part.inRange : 0.0;
    part.fill = part.combos > 0 ? sum / part.combos : 0.0;
    return part;
}

QString DescribeClass(const HandRange& range, int handClass) {
    const QString name = QString::fromStdString(ClassName(handClass));
    const ClassPart part = PartOfClass(range, handClass);
    if (part.inRange == 0) {
        return name + QStringLiteral(", not selected");
    }
    const QString combos =
        part.inRange == part.combos
            ? QStringLiteral("%1 combos").arg(part.combos)
            : QStringLiteral("%1 of %2 combos").arg(part.inRange).arg(part.combos);
    return QStringLiteral("%1, selected, %2, weight %3").arg(name, combos, Percent(part.weight));
}

QString ComboText(int combo) {
    const ComboCards cards = CardsOfCombo(combo);
    Card first = CardAtFreshIndex(cards.low);
    Card second = CardAtFreshIndex(cards.high);
    // The higher rank first, as players write it: "AsKs".
    if (GridRankOf(second.rank) < GridRankOf(first.rank)) {
        std::swap(first, second);
    }
    return QString::fromStdString(CardText(first) + CardText(second));
}

int RangeGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridSize;
}

int RangeGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridSize;
}

QVariant RangeGridModel::data(const QModelIndex& index, int role) const {
    const int handClass = index.row() * kGridSize + index.column();
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(ClassName(handClass));
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return DescribeClass(m_range, handClass);
    case Qt::UserRole:
        return PartOfClass(m_range, handClass).fill;
    default:
        return {};
    }
}

QVariant RangeGridModel::headerData(int section, Qt::Orientation /*orientation*/, int role) const {
    if (role == Qt::DisplayRole && section >= 0 && section < kGridSize) {
        return QString(QChar::fromLatin1(kGridRanks[section]));
    }
    return {};
}

void RangeGridModel::SetRange(const HandRange& range) {
    m_range = range;
    emit dataChanged(index(0, 0), index(kGridSize - 1, kGridSize - 1));
}

RangeGrid::RangeGrid(QWidget* parent) : QTableView(parent), m_model(new RangeGridModel(this)) {
    setModel(m_model);
    setAccessibleName(QStringLiteral("Range grid"));
    setItemDelegate(new RangeCellDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setMouseTracking(false);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    const QFontMetrics metrics = fontMetrics();
    const int side =
        std::max(metrics.horizontalAdvance(QStringLiteral("AKo")) + 10, metrics.height() + 12);
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setDefaultSectionSize(side);
        header->setMinimumSectionSize(side);
    }
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedSize(kGridSize * side + 2 * frameWidth(), kGridSize * side + 2 * frameWidth());
    setCurrentIndex(m_model->index(0, 0));
}

void RangeGrid::SetRange(const HandRange& range) {
    m_model->SetRange(range);
}

int RangeGrid::CurrentClass() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() * kGridSize + index.column() : 0;
}

void RangeGrid::Change(const HandRange& range) {
    m_model->SetRange(range);
    emit RangeEdited(range);
}

void RangeGrid::ToggleClass(int handClass) {
    SetClassWeight(handClass, PartOfClass(Range(), handClass).inRange > 0 ? 0.0 : m_brush);
}

void RangeGrid::SetClassWeight(int handClass, double weight) {
    HandRange range = Range();
    const ClassPart part = PartOfClass(range, handClass);
    if (part.inRange > 0 && part.inRange < part.combos && weight > 0.0) {
        // A narrowed class keeps its suits and takes the new weight.
        for (int combo : CombosOfClasses()[static_cast<std::size_t>(handClass)]) {
            if (range.Weight(combo) > 0.0) {
                range.SetWeight(combo, weight);
            }
        }
    } else {
        range.SetClassWeight(handClass, weight);
    }
    Change(range);
}

void RangeGrid::NarrowClass(int handClass, const std::vector<int>& combos) {
    HandRange range = Range();
    const ClassPart part = PartOfClass(range, handClass);
    const double weight = part.inRange > 0 ? part.weight : m_brush;
    range.SetClassWeight(handClass, 0.0);
    for (int combo : combos) {
        range.SetWeight(combo, weight);
    }
    Change(range);
}

void RangeGrid::ApplyDrag(const QModelIndex& index) {
    const int handClass = index.row() * kGridSize + index.column();
    if (!index.isValid() || handClass == m_lastDragged) {
        return;
    }
    m_lastDragged = handClass;
    const bool in = PartOfClass(Range(), handClass).inRange > 0;
    if (m_drag == Drag::Add && !in) {
        SetClassWeight(handClass, m_brush);
    } else if (m_drag == Drag::Remove && in) {
        SetClassWeight(handClass, 0.0);
    }
}

void RangeGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    setCurrentIndex(index);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int handClass = index.row() * kGridSize + index.column();
    m_drag = PartOfClass(Range(), handClass).inRange > 0 ? Drag::Remove : Drag::Add;
    m_lastDragged = -1;
    ApplyDrag(index);
}

void RangeGrid::mouseMoveEvent(QMouseEvent* event) {
    if (m_drag != Drag::None) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid()) {
            ApplyDrag(index);
        }
    }
}

void RangeGrid::mouseReleaseEvent(QMouseEvent* /*event*/) {
    m_drag = Drag::None;
}

void RangeGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        ToggleClass(CurrentClass());
        return;
    }
    QTableView::keyPressEvent(event);
}

void RangeGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid()) {
        emit CurrentClassChanged(current.row() * kGridSize + current.column());
    }
}

void RangeGrid::contextMenuEvent(QContextMenuEvent* event) {
    const QModelIndex index =
        event->reason() == QContextMenuEvent::Mouse ? indexAt(event->pos()) : currentIndex();
    if (!index.isValid()) {
        return;
    }
    const int handClass = index.row() * kGridSize + index.column();
    QMenu menu(this);
    const QString name = QString::fromStdString(ClassName(handClass));
    for (int percent : {100, 75, 50, 25}) {
        menu.addAction(QStringLiteral("%1 at %2 %").arg(name).arg(percent), this,
                       [this, handClass, percent] { SetClassWeight(handClass, percent / 100.0); });
    }
    menu.addAction(QStringLiteral("Take %1 Out").arg(name), this,
                   [this, handClass] { SetClassWeight(handClass, 0.0); });
    menu.addSeparator();
    menu.addAction(QStringLiteral("Suits of %1...").arg(name), this,
                   [this, handClass] { ChooseSuits(handClass); });
    const QPoint at = event->reason() == QContextMenuEvent::Mouse
                          ? event->globalPos()
                          : viewport()->mapToGlobal(visualRect(index).center());
    menu.exec(at);
}

// A dialog of one check box per combo of the class; OK keeps the checked ones.
void RangeGrid::ChooseSuits(int handClass) {
    QDialog dialog(this);
    const QString name = QString::fromStdString(ClassName(handClass));
    dialog.setWindowTitle(QStringLiteral("Suits of %1").arg(name));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("The combos of %1 in the range:").arg(name)));
    auto* boxes = new QGridLayout;
    std::vector<std::pair<int, QCheckBox*>> checks;
    const auto& combos = CombosOfClasses()[static_cast<std::size_t>(handClass)];
    const bool whole = PartOfClass(Range(), handClass).inRange == 0;
    for (std::size_t i = 0; i < combos.size(); ++i) {
        auto* box = new QCheckBox(ComboText(combos[i]), &dialog);
        box->setChecked(whole || Range().Weight(combos[i]) > 0.0);
        boxes->addWidget(box, static_cast<int>(i / 4), static_cast<int>(i % 4));
        checks.emplace_back(combos[i], box);
    }
    layout->addLayout(boxes);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (RunModalDialog(dialog) != QDialog::Accepted) {
        return;
    }
    std::vector<int> kept;
    for (const auto& [combo, box] : checks) {
        if (box->isChecked()) {
            kept.push_back(combo);
        }
    }
    NarrowClass(handClass, kept);
}

} // namespace quillory
