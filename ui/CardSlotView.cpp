#include "ui/CardSlotView.h"

#include "ui/CardImages.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>

namespace quillory {
namespace {

constexpr int kImageRole = Qt::UserRole + 1;
const QColor kFelt(0x1f, 0x5e, 0x3b);
const QColor kSlotOutline(255, 255, 255, 90);

// Paints the slot's card: its picture centred in the view.
class PictureDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto* view = qobject_cast<const CardSlotView*>(option.widget);
        const int image = index.data(kImageRole).isValid() ? index.data(kImageRole).toInt() : -1;
        if (view == nullptr || image < 0) {
            return;
        }
        const qreal ratio = painter->device()->devicePixelRatioF();
        const QPixmap picture = view->Images().PictureFor(image, ratio);
        if (picture.isNull()) {
            return;
        }
        const QSize size = CardImages::kPictureSize;
        const QRect target((view->viewport()->width() - size.width()) / 2,
                           option.rect.top() + (option.rect.height() - size.height()) / 2,
                           size.width(), size.height());
        // The picture has exactly the device pixels of the slot; its corner is
        // put on a whole device pixel too, so at a fractional scale nothing
        // resamples it a second time.
        const QTransform toDevice = painter->deviceTransform();
        const QPointF corner = toDevice.map(QPointF(target.topLeft()));
        const QPointF snapped(std::round(corner.x()), std::round(corner.y()));
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawPixmap(toDevice.inverted().map(snapped), picture);
        painter->restore();
    }
};

} // namespace

CardSlotView::CardSlotView(const CardImages& images, QWidget* parent)
    : QTableWidget(0, 1, parent), m_images(images) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::NoFrame);
    setCornerButtonEnabled(false);
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new PictureDelegate(this));
    QPalette felt = palette();
    felt.setColor(QPalette::Base, kFelt);
    felt.setColor(QPalette::Window, kFelt);
    setPalette(felt);
    setAutoFillBackground(true);
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
        FitRow();
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
    const QSize size = CardImages::kPictureSize;
    const QRectF slot((viewport()->width() - size.width()) / 2 + 0.5,
                      (viewport()->height() - size.height()) / 2 + 0.5, size.width() - 1,
                      size.height() - 1);
    painter.setPen(QPen(kSlotOutline, 1.0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(slot, 3.0, 3.0);
}

void CardSlotView::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    FitRow();
}

// The one row fills the slot (the view's own rectangle: a hidden view's
// viewport is laid out only when it shows).
void CardSlotView::FitRow() {
    const int height = std::max(contentsRect().height(), CardImages::kPictureSize.height());
    verticalHeader()->setDefaultSectionSize(height);
    if (rowCount() > 0) {
        setRowHeight(0, height);
    }
}

} // namespace quillory
