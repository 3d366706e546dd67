#include "ui/CardPickerDialog.h"

#include "engine/CardNames.h"
#include "res/ResourceIds.h"
#include "ui/DialogLayout.h"
#include "ui/ModalSeam.h"

#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace quillory {
namespace {

// A single-selection list, never sorted, so an item's row is the value it
// stands for; each item one line of the dialog font high, the measure the
// list heights are made for, so the thirteen ranks fit without scrolling.
QListWidget* PickList(QDialog& dialog, const QString& name, bool suits) {
    auto* list = new QListWidget(&dialog);
    list->setAccessibleName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    list->setFocusPolicy(Qt::StrongFocus);
    const int count = suits ? kDiamond - kSpade + 1 : kKing - kAce + 1;
    for (int i = 0; i < count; ++i) {
        list->addItem(suits ? QString::fromLatin1(kSuitNames[static_cast<std::size_t>(i)].singular)
                            : QString::fromLatin1(kRankNames[static_cast<std::size_t>(i)].label));
    }
    list->setCurrentRow(0);
    return list;
}

} // namespace

CCardPickerDialog::CCardPickerDialog(std::int32_t cards, QWidget* parent)
    : QDialog(parent), m_nCards(std::clamp(cards, 1, 3)) {
    m_listSuit1 = PickList(*this, QStringLiteral("Suit of card 1"), true);
    m_listRank1 = PickList(*this, QStringLiteral("Rank of card 1"), false);
    m_listSuit2 = PickList(*this, QStringLiteral("Suit of card 2"), true);
    m_listRank2 = PickList(*this, QStringLiteral("Rank of card 2"), false);
    m_listSuit3 = PickList(*this, QStringLiteral("Suit of card 3"), true);
    m_listRank3 = PickList(*this, QStringLiteral("Rank of card 3"), false);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(m_ok, &QPushButton::clicked, this, &CCardPickerDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CCardPickerDialog::reject);
    const layout::BaseUnits units = layout::PlaceControls(*this, QStringLiteral("Select Card"),
                                                          layout::DialogFont("Verdana", 10),
                                                          {{m_listSuit1, {7, 7, 79, 36}},
                                                           {m_listRank1, {7, 42, 79, 106}},
                                                           {m_listSuit2, {99, 7, 79, 36}},
                                                           {m_listRank2, {99, 42, 79, 106}},
                                                           {m_listSuit3, {191, 7, 79, 36}},
                                                           {m_listRank3, {191, 42, 79, 106}},
                                                           {m_ok, {295, 7, 50, 14}},
                                                           {m_cancel, {295, 24, 50, 14}}},
                                                          352, 155);
    for (QListWidget* list :
         {m_listSuit1, m_listRank1, m_listSuit2, m_listRank2, m_listSuit3, m_listRank3}) {
        for (int i = 0; i < list->count(); ++i) {
            QListWidgetItem* entry = list->item(i);
            entry->setSizeHint(
                QSize(list->fontMetrics().horizontalAdvance(entry->text()), units.y));
        }
    }
    m_listSuit2->setEnabled(m_nCards >= 2);
    m_listRank2->setEnabled(m_nCards >= 2);
    m_listSuit3->setEnabled(m_nCards >= 3);
    m_listRank3->setEnabled(m_nCards >= 3);
    m_listSuit1->setFocus(Qt::TabFocusReason);
}

int CCardPickerDialog::DoModal() {
    return RunModalDialog(*this) == res::kIdOk ? res::kIdOk : res::kIdCancel;
}

void CCardPickerDialog::accept() {
    m_cards = {Card{m_listRank1->currentRow(), m_listSuit1->currentRow()},
               Card{m_listRank2->currentRow(), m_listSuit2->currentRow()},
               Card{m_listRank3->currentRow(), m_listSuit3->currentRow()}};
    done(res::kIdOk);
}

void CCardPickerDialog::reject() {
    done(res::kIdCancel);
}

bool CCardPickerDialog::GetCard1(Card& card) const {
    card = m_cards[0];
    return true;
}

bool CCardPickerDialog::GetCard2(Card& card) const {
    card = m_cards[1];
    return true;
}

bool CCardPickerDialog::GetCard3(Card& card) const {
    card = m_cards[2];
    return true;
}

} // namespace quillory
