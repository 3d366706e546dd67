#include "ui/CardSlotView.h"

#include "ui/CardImages.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace quillory {
namespace {

constexpr int kImageRole = Qt::UserRole + 1;
const QColor kFelt(0x1f, 0x5e, 0x3b);
const QColor kSlotOutline(255, 255, 255, 90);

// Where the card lies: centred in `area`.
QRect CardRect(const QRect& area) {
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, CardImages::kPictureSize, area);
}

// Paints the slot's card: its picture centred in the cell. The picture has
// exactly the device pixels of the slot, so the painter copies it pixel for
// pixel, rounding its corner to a whole device pixel where a fractional scale
// puts it between two. (A Qt::DecorationRole icon would lie at the cell's left
// or top edge, and QIcon picks its own density.)
class PictureDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto& view = static_cast<const CardSlotView&>(*parent());
        const qreal ratio = painter->device()->devicePixelRatioF();
        painter->drawPixmap(CardRect(option.rect).topLeft(),
                            view.Images().Picture(index.data(kImageRole).toInt(), ratio));
    }
};

} // namespace

CardSlotView::CardSlotView(const CardImages& images, QWidget* parent)
    : QTableWidget(0, 1, parent), m_images(images) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::NoFrame);
    // The one cell fills the view.
    horizontalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    setShowGrid(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new PictureDelegate(this));
    QPalette felt = palette();
    felt.setColor(QPalette::Base, kFelt);
    setPalette(felt);
}

void CardSlotView::ShowCard(int image) {
    if (image == Image()) {
        return;
    }
    setRowCount(0);
    if (image >= 0) {
        setRowCount(1);
        auto* item = new QTableWidgetItem;
        item->setData(kImageRole, image);
        const QString name = CardPictureName(image);
        item->setToolTip(name);
        item->setData(Qt::AccessibleTextRole, name);
        setItem(0, 0, item);
    }
    viewport()->update();
}

int CardSlotView::Image() const {
    const QTableWidgetItem* cell = item(0, 0);
    return cell != nullptr ? cell->data(kImageRole).toInt() : -1;
}

void CardSlotView::paintEvent(QPaintEvent* event) {
    QTableWidget::paintEvent(event);
    if (rowCount() > 0) {
        return;
    }
    // An empty card slot: a faint outline where the card will lie.
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kSlotOutline, 1.0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(CardRect(viewport()->rect())).adjusted(0.5, 0.5, -0.5, -0.5),
                            3.0, 3.0);
}

} // namespace quillory
