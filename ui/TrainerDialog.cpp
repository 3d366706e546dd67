#include "ui/TrainerDialog.h"

#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "ui/AboutDialog.h"
#include "ui/DataExchange.h"
#include "ui/ListView.h"
#include "ui/Profile.h"
#include "ui/WindowMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

namespace quillory {
namespace {

namespace ids = res::trainer;

QString Setting(const char* name) {
    return QString::fromLatin1(name);
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CTrainerDialog::CTrainerDialog(QWidget* parent)
    : TemplateDialog(res::kTrainerDialog, parent), m_hIcon(ProgramIcon()) {
    OnClicked(ids::kDraw, [this] { OnDraw(); });
    OnClicked(ids::kFlop, [this] { OnFlop(); });
    OnClicked(ids::kTurn, [this] { OnTurn(); });
    OnClicked(ids::kRiver, [this] { OnRiver(); });
    OnClicked(ids::kShowdown, [this] { OnShowdown(); });
    OnClicked(ids::kMore, [this] { OnMore(); });
    OnClicked(ids::kPracticeMode, [this] { OnPracticeMode(); });
    OnClicked(ids::kFixHole1, [this] { OnFixHole1(); });
    OnClicked(ids::kFixHole2, [this] { OnFixHole2(); });
    OnClicked(ids::kFixFlop1, [this] { OnFixFlop1(); });
    OnClicked(ids::kFixFlop2, [this] { OnFixFlop2(); });
    OnClicked(ids::kFixFlop3, [this] { OnFixFlop3(); });
    OnClicked(ids::kFixTurn, [this] { OnFixTurn(); });
    OnClicked(ids::kFixRiver, [this] { OnFixRiver(); });
    OnChange(ids::kPot, [this] { OnChangePot(); });
    OnChange(ids::kInvest, [this] { OnChangeInvest(); });
    OnKillFocus(ids::kPot, [this] { OnKillFocusPot(); });
    OnKillFocus(ids::kInvest, [this] { OnKillFocusInvest(); });
    OnKillFocus(ids::kPlayers, [this] { OnKillFocusPlayers(); });

    m_helpAction = new QAction(QStringLiteral("&Help"), this);
    m_helpAction->setShortcut(QKeySequence::HelpContents);
    m_helpAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_helpAction, &QAction::triggered, this, [this] { OnHelp(); });
    addAction(m_helpAction);
    AddWindowCommands();
}

CTrainerDialog::~CTrainerDialog() {
    DestroyOnce();
}

void CTrainerDialog::DoDataExchange(DataExchange& dx) {
    dx.Control(ids::kRiverCard, m_listRiver);
    dx.Control(ids::kTurnCard, m_listTurn);
    dx.Control(ids::kFlop3, m_listFlop3);
    dx.Control(ids::kFlop2, m_listFlop2);
    dx.Control(ids::kFlop1, m_listFlop1);
    dx.Control(ids::kHole2, m_listHole2);
    dx.Control(ids::kHole1, m_listHole1);
    dx.Control(ids::kHands, m_listHands);
    dx.Text(ids::kWinningRate, m_strWinningRate);
    dx.Int(ids::kPlayers, m_nPlayers, kMinPlayers, kMaxPlayers);
    dx.Check(ids::kPracticeMode, m_bPracticeMode);
    dx.Text(ids::kAverageRate, m_strAverageRate);
    dx.Int(ids::kPot, m_nPot, 0, kMaxMoney);
    dx.Int(ids::kExpectingProfit, m_nExpectingProfit);
    dx.Int(ids::kInvest, m_nInvest, 0, kMaxMoney);
    dx.Int(ids::kAddUpTo, m_nAddUpTo);
}

bool CTrainerDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();

    if (const QString about = Text(res::LoadResourceString(res::kAboutString)); !about.isEmpty()) {
        AddAboutEntry(about);
    }
    setWindowIcon(m_hIcon);

    // A stored value that is not a number gives the default; a count outside
    // 2 to 10 starts at the nearest valid count, so every handler can rely on it.
    // A settings file that is not a regular file is neither read nor written.
    m_settingsUsable = CheckProfileStore() == ProfileStore::Usable;
    m_bPracticeMode =
        GetProfileInt(Setting(kSettingsSection), Setting(kPracticeModeEntry), 1) != 0 ? 1 : 0;
    m_nPlayers = std::clamp(GetProfileInt(Setting(kSettingsSection), Setting(kPlayersEntry), 4),
                            kMinPlayers, kMaxPlayers);

    m_cardStrip = LoadCardStrip();
    m_cardImages.Clear();
    m_cardImages.Add(m_cardStrip.normal, m_cardStrip.doubleDensity);

    constexpr std::uint32_t kGridAndFullRow = ListView::kGridLines | ListView::kFullRowSelect;
    m_listHands->InsertColumn(0, QStringLiteral("Hands"), Qt::AlignLeft, 90);
    m_listHands->InsertColumn(1, QStringLiteral("Result"), Qt::AlignLeft, 90);
    m_listHands->SetColumnWidth(0, 90);
    m_listHands->SetColumnWidth(1, 90);
    m_listHands->SetExtendedStyle(kGridAndFullRow);
    for (ListView* view : {m_listHole1, m_listHole2, m_listFlop1, m_listFlop2, m_listFlop3,
                           m_listTurn, m_listRiver}) {
        view->InsertColumn(0, QString(), Qt::AlignLeft, 85);
        view->SetColumnWidth(0, 85);
        view->SetImageList(&m_cardImages);
        view->SetExtendedStyle(kGridAndFullRow);
    }

    EnableItem(ids::kDraw, true);
    EnableItem(ids::kFlop, false);
    EnableItem(ids::kTurn, false);
    EnableItem(ids::kRiver, false);

    UpdateData(false);
    OnPracticeMode();
    return true;
}

void CTrainerDialog::OnDestroy() {
    // The window is gone: a refused entry is not reported, and the count that
    // is stored is always one the next start accepts as it stands.
    UpdateDataQuietly();
    if (m_settingsUsable) {
        WriteProfileInts(
            Setting(kSettingsSection),
            {{Setting(kPracticeModeEntry), m_bPracticeMode},
             {Setting(kPlayersEntry), std::clamp(m_nPlayers, kMinPlayers, kMaxPlayers)}});
    }
}

bool CTrainerDialog::OnSysCommand(int id) {
    if ((id & 0xFFF0) != res::kAboutCommand) {
        return false;
    }
    CAboutDialog about(this);
    about.DoModal();
    return true;
}

void CTrainerDialog::OnHelp() {
    QString text = Text(res::HelpText());
    if (HasSystemMenu()) {
        text += QStringLiteral("\n\nThe window menu (Alt+Space) holds About Quillory.");
    } else {
#ifdef Q_OS_MACOS
        text += QStringLiteral("\n\nAbout Quillory is in the application menu and in the "
                               "window's context menu.");
#else
        text += QStringLiteral("\n\nRight-click the window, or press the menu key on a "
                               "button, for About Quillory.");
#endif
    }
    MessageBox(text, MessageIcon::Information);
}

void CTrainerDialog::AddAboutEntry(const QString& text) {
    if (AppendToSystemMenu(*this, res::kAboutCommand, text)) {
        return;
    }
    // No system menu to extend: the window's context menu carries the entry
    // after a separator, and macOS shows it in the application menu too.
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    m_aboutAction = new QAction(text, this);
    m_aboutAction->setMenuRole(QAction::AboutRole);
    connect(m_aboutAction, &QAction::triggered, this, [this] { OnSysCommand(res::kAboutCommand); });
    addAction(m_aboutAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);
#ifdef Q_OS_MACOS
    m_applicationMenu = std::make_unique<QMenuBar>(nullptr);
    QMenu* helpMenu = m_applicationMenu->addMenu(QStringLiteral("&Help"));
    QMenu* toolsMenu = m_applicationMenu->addMenu(QStringLiteral("&Tools"));
    toolsMenu->addAction(m_callAdvisorAction);
    toolsMenu->addAction(m_statisticsAction);
    helpMenu->addAction(m_helpAction);
    helpMenu->addAction(m_aboutAction);
#endif
}

bool CTrainerDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const int command = SystemMenuCommand(eventType, message);
    if (command >= 0 && OnSysCommand(command)) {
        *result = 0;
        return true;
    }
    return TemplateDialog::nativeEvent(eventType, message, result);
}

std::array<ListView*, 8> CTrainerDialog::AllListViews() const {
    return {m_listHands, m_listHole1, m_listHole2, m_listFlop1,
            m_listFlop2, m_listFlop3, m_listTurn,  m_listRiver};
}

} // namespace quillory
