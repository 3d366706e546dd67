#include "ui/CardPickerDialog.h"

#include "engine/CardNames.h"
#include "res/ResourceIds.h"
#include "ui/DataExchange.h"

#include <QListWidget>
#include <algorithm>
#include <array>

namespace quillory {
namespace {

namespace ids = res::picker;

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The rank list's texts in rank order: "A", "2" to "10", "J", "Q", "K".
QString RankText(int rank) {
    return Text(kRankNames[static_cast<std::size_t>(rank)].label);
}

// The suit list's texts in suit order: "Spade", "Heart", "Club", "Diamond".
QString SuitText(int suit) {
    return Text(kSuitNames[static_cast<std::size_t>(suit)].singular);
}

} // namespace

CCardPickerDialog::CCardPickerDialog(std::int32_t cards, QWidget* parent)
    : TemplateDialog(res::kCardPickerDialog, parent), m_listRank3(Bind<QListWidget>(ids::kRank3)),
      m_listRank2(Bind<QListWidget>(ids::kRank2)), m_listRank1(Bind<QListWidget>(ids::kRank1)),
      m_listSuit3(Bind<QListWidget>(ids::kSuit3)), m_listSuit2(Bind<QListWidget>(ids::kSuit2)),
      m_listSuit1(Bind<QListWidget>(ids::kSuit1)), m_nCards(std::clamp(cards, 1, 3)) {}

bool CCardPickerDialog::GetCard1(Card& card) const {
    card = Card{m_nRank1, m_nSuit1};
    return true;
}

bool CCardPickerDialog::GetCard2(Card& card) const {
    card = Card{m_nRank2, m_nSuit2};
    return true;
}

bool CCardPickerDialog::GetCard3(Card& card) const {
    card = Card{m_nRank3, m_nSuit3};
    return true;
}

void CCardPickerDialog::DoDataExchange(DataExchange& dx) {
    // The selections only flow out of the lists: writing the members back
    // would clear the lists' selections to -1 at start-up.
    if (dx.IsSaving()) {
        dx.ListBoxIndex(ids::kSuit1, m_nSuit1);
        dx.ListBoxIndex(ids::kSuit2, m_nSuit2);
        dx.ListBoxIndex(ids::kSuit3, m_nSuit3);
        dx.ListBoxIndex(ids::kRank1, m_nRank1);
        dx.ListBoxIndex(ids::kRank2, m_nRank2);
        dx.ListBoxIndex(ids::kRank3, m_nRank3);
    }
}

bool CCardPickerDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    const std::array suits{m_listSuit1, m_listSuit2, m_listSuit3};
    const std::array ranks{m_listRank1, m_listRank2, m_listRank3};
    for (QListWidget* list : suits) {
        for (int suit = kSpade; suit <= kDiamond; ++suit) {
            list->addItem(SuitText(suit));
        }
    }
    for (QListWidget* list : ranks) {
        for (int rank = kAce; rank <= kKing; ++rank) {
            list->addItem(RankText(rank));
        }
    }
    // One line of the dialog font per item, the measure the template's list
    // heights are made for: the thirteen ranks fit without scrolling.
    const int line = Built().units.y;
    for (const auto& lists : {suits, ranks}) {
        for (QListWidget* list : lists) {
            for (int i = 0; i < list->count(); ++i) {
                QListWidgetItem* entry = list->item(i);
                entry->setSizeHint(
                    QSize(list->fontMetrics().horizontalAdvance(entry->text()), line));
            }
        }
    }
    for (int column = 0; column < 3; ++column) {
        suits[static_cast<std::size_t>(column)]->setCurrentRow(0);
        ranks[static_cast<std::size_t>(column)]->setCurrentRow(0);
    }
    if (m_nCards < 3) {
        m_listSuit3->setEnabled(false);
        m_listRank3->setEnabled(false);
    }
    if (m_nCards < 2) {
        m_listSuit2->setEnabled(false);
        m_listRank2->setEnabled(false);
    }
    return true;
}

} // namespace quillory
