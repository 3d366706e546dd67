#include "ui/ListView.h"

#include "ui/CardImages.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>

namespace quillory {
namespace {

constexpr int kImageRole = Qt::UserRole + 1;
const QColor kFelt(0x1f, 0x5e, 0x3b);
const QColor kSlotOutline(255, 255, 255, 90);

// Paints an item of a picture view: its picture centred in the view.
class PictureDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto* view = qobject_cast<const ListView*>(option.widget);
        const CardImages* images = view != nullptr ? view->GetImageList() : nullptr;
        const int image = index.data(kImageRole).isValid() ? index.data(kImageRole).toInt() : -1;
        const qreal ratio = painter->device()->devicePixelRatioF();
        QPixmap picture;
        if (images != nullptr && image >= 0) {
            picture = images->PictureFor(image, ratio);
        } else {
            const auto icon = index.data(Qt::DecorationRole).value<QIcon>();
            picture = icon.pixmap(CardImages::kPictureSize, ratio);
        }
        if (picture.isNull()) {
            return;
        }
        const QSize size = CardImages::kPictureSize;
        const int areaWidth = view != nullptr ? view->viewport()->width() : option.rect.width();
        const QRect target((areaWidth - size.width()) / 2,
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

ListView::ListView(bool pictureView, QWidget* parent)
    : QTableWidget(parent), m_pictureView(pictureView) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setShowGrid(false);
    setIconSize(CardImages::kPictureSize);
    if (m_pictureView) {
        horizontalHeader()->hide();
        setSelectionMode(QAbstractItemView::NoSelection);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setItemDelegate(new PictureDelegate(this));
        QPalette felt = palette();
        felt.setColor(QPalette::Base, kFelt);
        felt.setColor(QPalette::Window, kFelt);
        setPalette(felt);
        setAutoFillBackground(true);
    } else {
        setSelectionMode(QAbstractItemView::SingleSelection);
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
        // A disabled list (the hands list in entry mode) keeps its text
        // readable: the disabled colours are the normal ones, and only the
        // heading and the lack of a selection show that it takes no input.
        QPalette readable = palette();
        for (const QPalette::ColorRole role : {QPalette::Text, QPalette::Base, QPalette::WindowText,
                                               QPalette::Highlight, QPalette::HighlightedText}) {
            readable.setColor(QPalette::Disabled, role, readable.color(QPalette::Active, role));
        }
        setPalette(readable);
    }
}

int ListView::InsertColumn(int column, const QString& heading, Qt::Alignment alignment, int width) {
    const int at = std::clamp(column, 0, columnCount());
    insertColumn(at);
    auto* header = new QTableWidgetItem(heading);
    header->setTextAlignment(alignment | Qt::AlignVCenter);
    header->setData(Qt::UserRole, static_cast<int>(alignment));
    setHorizontalHeaderItem(at, header);
    if (width >= 0) {
        setColumnWidth(at, width);
    }
    return at;
}

void ListView::SetExtendedStyle(std::uint32_t styles) {
    m_extendedStyle = styles;
    if (m_pictureView) {
        return;
    }
    setShowGrid((styles & kGridLines) != 0);
    setSelectionBehavior((styles & kFullRowSelect) != 0 ? QAbstractItemView::SelectRows
                                                        : QAbstractItemView::SelectItems);
}

void ListView::SetImageList(const CardImages* images) {
    m_images = images;
    viewport()->update();
}

bool ListView::DeleteAllItems() {
    setRowCount(0);
    m_selectionMark = -1;
    viewport()->update();
    return true;
}

int ListView::InsertItem(int index, const QString& text, int image) {
    if (index < 0) {
        return -1;
    }
    if (columnCount() == 0) {
        setColumnCount(1);
    }
    const int at = std::min(index, rowCount());
    insertRow(at);
    auto* item = new QTableWidgetItem(text);
    item->setData(kImageRole, image);
    if (image >= 0 && m_images != nullptr) {
        item->setIcon(m_images->Icon(image));
    }
    if (image >= 0 && text.isEmpty()) {
        // A picture without text still has a name for tooltips and screen readers.
        const QString name = CardPictureName(image);
        item->setToolTip(name);
        item->setData(Qt::AccessibleTextRole, name);
    }
    if (const QTableWidgetItem* heading = horizontalHeaderItem(0); heading != nullptr) {
        item->setTextAlignment(Qt::Alignment(heading->data(Qt::UserRole).toInt()) |
                               Qt::AlignVCenter);
    }
    setItem(at, 0, item);
    FitPictureRows();
    viewport()->update();
    return at;
}

bool ListView::SetItemText(int item, int column, const QString& text) {
    if (item < 0 || item >= rowCount() || column < 0 || column >= columnCount()) {
        return false;
    }
    if (QTableWidgetItem* cell = this->item(item, column); cell != nullptr) {
        cell->setText(text);
        return true;
    }
    auto* cell = new QTableWidgetItem(text);
    if (const QTableWidgetItem* heading = horizontalHeaderItem(column); heading != nullptr) {
        cell->setTextAlignment(Qt::Alignment(heading->data(Qt::UserRole).toInt()) |
                               Qt::AlignVCenter);
    }
    setItem(item, column, cell);
    return true;
}

QString ListView::GetItemText(int item, int column) const {
    const QTableWidgetItem* cell = this->item(item, column);
    return cell != nullptr ? cell->text() : QString();
}

int ListView::GetItemImage(int item) const {
    const QTableWidgetItem* cell = this->item(item, 0);
    return cell != nullptr ? cell->data(kImageRole).toInt() : -1;
}

bool ListView::SetItemSelected(int item, bool selected) {
    if (item < 0 || item >= rowCount() || selectionModel() == nullptr) {
        return false;
    }
    selectionModel()->select(model()->index(item, 0), (selected ? QItemSelectionModel::Select
                                                                : QItemSelectionModel::Deselect) |
                                                          QItemSelectionModel::Rows);
    return true;
}

bool ListView::IsItemSelected(int item) const {
    return selectionModel() != nullptr && item >= 0 && item < rowCount() &&
           selectionModel()->isRowSelected(item, QModelIndex());
}

int ListView::SetSelectionMark(int item) {
    const int previous = m_selectionMark;
    m_selectionMark = (item >= 0 && item < rowCount()) ? item : -1;
    if (m_selectionMark >= 0 && selectionModel() != nullptr) {
        selectionModel()->setCurrentIndex(model()->index(m_selectionMark, 0),
                                          QItemSelectionModel::NoUpdate);
    }
    return previous;
}

void ListView::paintEvent(QPaintEvent* event) {
    QTableWidget::paintEvent(event);
    if (!m_pictureView || rowCount() > 0) {
        return;
    }
    // An empty card slot: a faint outline where the card will lie.
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    const QSize size = CardImages::kPictureSize;
    const QRectF slot((viewport()->width() - size.width()) / 2 + 0.5,
                      (viewport()->height() - size.height()) / 2 + 0.5, size.width() - 1,
                      size.height() - 1);
    QPen pen(kSlotOutline, 1.0, Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(slot, 3.0, 3.0);
}

void ListView::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    FitPictureRows();
}

void ListView::FitPictureRows() {
    if (!m_pictureView) {
        return;
    }
    // One item fills the slot; more items would stack below it.
    const int height = std::max(viewport()->height(), CardImages::kPictureSize.height());
    verticalHeader()->setDefaultSectionSize(height);
    for (int row = 0; row < rowCount(); ++row) {
        setRowHeight(row, height);
    }
}

} // namespace quillory
