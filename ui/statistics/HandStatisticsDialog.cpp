#include "ui/statistics/HandStatisticsDialog.h"

#include "report/ReportFormat.h"
#include "ui/ModalSeam.h"
#include "ui/SaveFile.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace quillory {
namespace {

// Draws the current cell with a frame that shows on every colour of the
// scale: the palette's highlight outside, the base colour inside.
class CurrentCellFrame : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (view == nullptr || view->currentIndex() != index) {
            return;
        }
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 3));
        painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
        painter->setPen(QPen(option.palette.color(QPalette::Base), 1));
        painter->drawRect(option.rect.adjusted(3, 3, -4, -4));
        painter->restore();
    }
};

// The colour scale under the heat map: the gradient from 0 % to 100 % of
// hands that did not win, labelled in the palette's text colour.
class HeatLegend : public QWidget {
public:
    explicit HeatLegend(QWidget* parent) : QWidget(parent) {
        setAccessibleName(QStringLiteral("Colour scale"));
        setAccessibleDescription(QStringLiteral(
            "From dark blue, no hand lost, through green to yellow, every hand lost"));
        setMinimumSize(13 * fontMetrics().horizontalAdvance(QStringLiteral("100%")),
                       2 * fontMetrics().height() + 10);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        const QFontMetrics metrics = fontMetrics();
        const int margin = metrics.horizontalAdvance(QStringLiteral("100%")) / 2;
        const QRect bar(margin, 2, width() - 2 * margin, metrics.height() / 2 + 4);
        QLinearGradient gradient(bar.topLeft(), bar.topRight());
        for (int percent = 0; percent <= 100; percent += 5) {
            gradient.setColorAt(percent / 100.0, QColor(HeatColour(percent)));
        }
        painter.fillRect(bar, gradient);
        painter.setPen(palette().color(QPalette::WindowText));
        for (int percent = 0; percent <= 100; percent += 25) {
            const int x = bar.left() + bar.width() * percent / 100;
            const QString label = QStringLiteral("%1%").arg(percent);
            painter.drawText(x - metrics.horizontalAdvance(label) / 2,
                             bar.bottom() + 4 + metrics.ascent(), label);
        }
    }
};

} // namespace

HandStatisticsDialog::HandStatisticsDialog(const HandStatistics& statistics, QWidget* parent)
    : QDialog(parent), m_statistics(statistics) {
    setWindowTitle(QStringLiteral("Hand Statistics"));

    m_players = new QComboBox(this);
    for (int n = kMinTableSize; n <= kMaxTableSize; ++n) {
        m_players->addItem(QStringLiteral("%1 players").arg(n), n);
    }
    m_players->setCurrentIndex(kMaxTableSize - kMinTableSize);
    m_holeCards = new QComboBox(this);
    for (HoleCardsUsed used :
         {HoleCardsUsed::Any, HoleCardsUsed::None, HoleCardsUsed::One, HoleCardsUsed::Two}) {
        m_holeCards->addItem(QString::fromUtf8(HoleCardsUsedLabel(used)), static_cast<int>(used));
    }
    auto* playersLabel = new QLabel(QStringLiteral("&Table size:"), this);
    playersLabel->setBuddy(m_players);
    auto* holeLabel = new QLabel(QStringLiteral("&Hole cards used:"), this);
    holeLabel->setBuddy(m_holeCards);
    auto* choices = new QHBoxLayout;
    choices->addWidget(playersLabel);
    choices->addWidget(m_players);
    choices->addSpacing(16);
    choices->addWidget(holeLabel);
    choices->addWidget(m_holeCards);
    choices->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    connect(buttons->addButton(QStringLiteral("Save &Report..."), QDialogButtonBox::ActionRole),
            &QPushButton::clicked, this, [this] { SaveReport(); });
    connect(buttons->addButton(QStringLiteral("Save &Picture..."), QDialogButtonBox::ActionRole),
            &QPushButton::clicked, this, [this] { SavePicture(); });
    buttons->addButton(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(BuildPicture(), 1);
    layout->addWidget(buttons);

    connect(m_players, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
    connect(m_holeCards, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
    Refresh();
    m_grid->setFocus();
    m_grid->setCurrentCell(0, 0);
}

QWidget* HandStatisticsDialog::BuildPicture() {
    m_picture = new QWidget(this);
    m_title = new QLabel(m_picture);
    m_grid = new QTableWidget(kHeatRows, kHeatColumns, m_picture);
    // Arrows move between the cells; Tab and Shift+Tab leave the map.
    m_grid->setTabKeyNavigation(false);
    m_grid->setAccessibleName(QStringLiteral("Hands that did not win"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The current cell shows as a focus frame; a selection fill would hide its colour.
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setShowGrid(false);
    m_grid->setItemDelegate(new CurrentCellFrame(m_grid));
    for (int row = 0; row < kHeatRows; ++row) {
        m_grid->setVerticalHeaderItem(row,
                                      new QTableWidgetItem(QString::fromUtf8(HeatRowLabel(row))));
    }
    for (int column = 0; column < kHeatColumns; ++column) {
        m_grid->setHorizontalHeaderItem(
            column, new QTableWidgetItem(QString::fromUtf8(HeatColumnLabel(column))));
    }
    // Cells of one size, and the map shown whole at its own size.
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setDefaultSectionSize(
        fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 14);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 12);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_grid->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_grid->doItemsLayout(); // places the headers now, so the size is right before showing

    auto* layout = new QVBoxLayout(m_picture);
    layout->addWidget(m_title);
    layout->addWidget(m_grid);
    layout->addWidget(new HeatLegend(m_picture));
    return m_picture;
}

void HandStatisticsDialog::ShowTableSize(int players) {
    m_players->setCurrentIndex(std::clamp(players, kMinTableSize, kMaxTableSize) - kMinTableSize);
}

void HandStatisticsDialog::ShowHoleCards(HoleCardsUsed holeCards) {
    m_holeCards->setCurrentIndex(m_holeCards->findData(static_cast<int>(holeCards)));
}

void HandStatisticsDialog::Refresh() {
    const auto used = static_cast<HoleCardsUsed>(m_holeCards->currentData().toInt());
    m_map = BuildHeatMap(m_statistics, m_players->currentData().toInt(), used);
    m_title->setText(QString::fromStdString(HeatMapTitle(m_map)));
    for (int row = 0; row < kHeatRows; ++row) {
        for (int column = 0; column < kHeatColumns; ++column) {
            const HeatCell& cell = m_map.At(row, column);
            const QString description =
                QString::fromStdString(HeatCellDescription(m_map, row, column));
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            item->setToolTip(description);
            item->setData(Qt::AccessibleTextRole, description);
            if (!cell.IsEmpty()) {
                const QColor fill(HeatColour(cell.LostPercent()));
                item->setText(QString::number(qRound(cell.LostPercent())));
                item->setBackground(fill);
                // Light text on the dark end of the scale, dark on the light end.
                item->setForeground(fill.lightnessF() > 0.55 ? Qt::black : Qt::white);
            }
            m_grid->setItem(row, column, item);
        }
    }
}

bool HandStatisticsDialog::SaveReport() {
    const QString path =
        ChooseSaveFile(this, SaveFileRequest{QStringLiteral("Save Hand Statistics"),
                                             QStringLiteral("hand-statistics.txt")});
    return !path.isEmpty() &&
           SaveBytes(this, path, QByteArray::fromStdString(FormatReport(m_statistics)), true);
}

bool HandStatisticsDialog::SavePicture() {
    return SavePictureAs(this, QStringLiteral("hand-statistics.png"), *m_picture,
                         [this] { return RenderHeatMapSvg(m_map); });
}

} // namespace quillory
