#pragma once

#include <QTableWidget>
#include <cstdint>

namespace quillory {

class CardImages;

// A list view: rows of items, each with a text per column and optionally a
// picture from a CardImages list. Two looks:
//   - report view: column headings, text cells, optional grid lines and
//     full-row selection (the hands list, the call advisor's table);
//   - picture view (no headings): a card slot on the table's felt that shows
//     its first item's picture centred, or an empty outline when it holds none.
// Item indices run from 0 to rowCount() - 1; an index past the end
// appends. Operations on a missing item or column do nothing and report false.
class ListView : public QTableWidget {
    Q_OBJECT

public:
    static constexpr std::uint32_t kGridLines = 0x01;
    static constexpr std::uint32_t kFullRowSelect = 0x20;

    explicit ListView(bool pictureView, QWidget* parent = nullptr);

    bool IsPictureView() const { return m_pictureView; }

    // Inserts a column before `column` (appends when past the end) with a
    // heading, an alignment for its cells and a width in pixels. Returns the
    // column index.
    int InsertColumn(int column, const QString& heading, Qt::Alignment alignment, int width);

    // Grid lines (kGridLines) and full-row selection (kFullRowSelect); other
    // bits are kept but have no effect. A picture view never draws a grid.
    void SetExtendedStyle(std::uint32_t styles);
    std::uint32_t GetExtendedStyle() const { return m_extendedStyle; }

    // The pictures that items refer to by index; not owned, may be nullptr.
    void SetImageList(const CardImages* images);
    const CardImages* GetImageList() const { return m_images; }

    bool DeleteAllItems();

    // Inserts an item at `index` with the text of column 0 and the picture
    // `image` (-1: none). Returns the index it got, or -1 for a negative index.
    int InsertItem(int index, const QString& text, int image = -1);

    bool SetItemText(int item, int column, const QString& text);
    QString GetItemText(int item, int column) const;
    int GetItemImage(int item) const; // -1 when the item has no picture or is missing

    bool SetItemSelected(int item, bool selected);
    bool IsItemSelected(int item) const;

    // The anchor of keyboard selection; returns the previous mark (-1: none).
    int SetSelectionMark(int item);
    int GetSelectionMark() const { return m_selectionMark; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitPictureRows();

    bool m_pictureView{};
    std::uint32_t m_extendedStyle{};
    const CardImages* m_images{};
    int m_selectionMark{-1};
};

} // namespace quillory
