#include "Unit1.h"

#include "CompareFileNames.h"
#include "FileServices.h"
#include "FolderListModel.h"
#include "GroupFrameStyle.h"
#include "InParallel.h"
#include "NameText.h"
#include "PathSyntax.h"
#include "ScreenFit.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

TForm1* Form1 = nullptr;

namespace {

using tombreli::EditCommand;

// As designed: 96 pixels per inch and a font 12 pixels high.
constexpr int DesignedPixelsPerInch = 96;
constexpr int FontPixels = 12;
constexpr QPoint WindowPosition(435, 127);

QFont windowFont()
{
    QFont font;
    // IPA P Gothic has MS P Gothic's character widths, so the layout holds where that is missing.
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(FontPixels);
    return font;
}

// The command of an entry of a path field's menu, known by its words.
std::optional<EditCommand> menuEntryCommand(const QAction& entry)
{
    static constexpr std::pair<const char*, EditCommand> Entries[] = {
        {"&Undo", EditCommand::Undo},
        {"&Redo", EditCommand::Redo},
        {"Cu&t", EditCommand::Cut},
        {"&Copy", EditCommand::Copy},
        {"&Paste", EditCommand::Paste},
        {"Delete", EditCommand::Delete},
        {"Select All", EditCommand::SelectAll},
    };
    // The words, and after a tab the shortcut, if the menu shows one.
    const QString words = entry.text().section(u'\t', 0, 0);
    for (const auto& [source, command] : Entries) {
        if (words == QCoreApplication::translate("QLineEdit", source)) {
            return command;
        }
    }
    return std::nullopt;
}

int scaled(int value, int numerator, int denominator)
{
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

void showBusyPointer(bool busy)
{
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

} // namespace

TForm1::TForm1(tombreli::FileServices& files, const tombreli::NameOrder& order,
               const tombreli::PathSyntax& syntax, QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::TForm1)
    , m_files(files)
    , m_syntax(syntax)
    , m_folders(syntax, files, files.workingFolder())
    , m_list1(m_folders, files, order)
    , m_list2(m_folders, files, order)
{
    m_ui->setupUi(this);
    auto* frames = new tombreli::GroupFrameStyle(this);
    for (QWidget* box : {m_ui->GroupBox1, m_ui->GroupBox2, m_ui->GroupBox3}) {
        box->setStyle(frames);
    }
    setFont(windowFont());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);

    // Each view shows its list through a model owned by the window.
    for (auto [view, list] :
         {std::pair(m_ui->FileListBox1, &m_list1), std::pair(m_ui->FileListBox2, &m_list2)}) {
        view->setItemDelegate(new tombreli::FolderListDelegate(view));
        view->setModel(new tombreli::FolderListModel(*list, this));
    }
    m_list1.SetBusyHandler(showBusyPointer);
    m_list2.SetBusyHandler(showBusyPointer);

    // Queued, so that a handler runs as an event of its own: an error it raises
    // then reaches the application's error report without unwinding through
    // the button's code. Qt's widget library is built without exception
    // support, and unwinding through it skips its clean-up (and leaks).
    connect(m_ui->Button1, &QPushButton::clicked, this, &TForm1::Button1Click, Qt::QueuedConnection);
    connect(m_ui->Button2, &QPushButton::clicked, this, &TForm1::Button2Click, Qt::QueuedConnection);
    connect(m_ui->Button3, &QPushButton::clicked, this, &TForm1::Button3Click, Qt::QueuedConnection);

    // A list of commands, not a set of choices.
    m_ui->ActionList1->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction* action : m_ui->ActionList1->actions()) {
        if (action != m_ui->Action1) {
            connect(action, &QAction::triggered, this,
                    [this, action] { runEditCommand(editCommandOf(action)); });
        }
    }
    for (tombreli::ResultBox* memo : {m_ui->Memo1, m_ui->Memo2, m_ui->Memo3}) {
        connect(memo, &tombreli::ResultBox::editMenuRequested, this,
                [this, memo](const QPoint& at) { showEditMenu(*memo, at); });
    }
    // Sees every key before the focused control does, as the command list must.
    qApp->installEventFilter(this);

    scaleAtLoad();
    placeOnScreen();
    m_ui->FileListBox1->setFocus();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::setVisible(bool visible)
{
    if (visible && !m_listsOpen) {
        m_listsOpen = true;
        m_list1.Open();
        m_list2.Open();
    }
    QWidget::setVisible(visible);
}

void TForm1::FormCreate()
{
    const std::string programPath = m_files.programPath();
    const QString folder = tombreli::nameText(m_syntax.folderPart(programPath));
    m_ui->Edit1->setText(folder);
    m_ui->Edit2->setText(folder);
}

void TForm1::Button1Click()
{
    m_list1.ShowFolderOfPath(tombreli::pathBytes(m_ui->Edit1->text()));
}

void TForm1::Button2Click()
{
    m_list2.ShowFolderOfPath(tombreli::pathBytes(m_ui->Edit2->text()));
}

void TForm1::Button3Click()
{
    for (tombreli::ResultBox* memo : {m_ui->Memo1, m_ui->Memo2, m_ui->Memo3}) {
        memo->fill({});
    }
    // The groups are read by position from the lists, without a copy of any
    // name; the boxes' texts are written on two threads, and each box takes
    // its text in one go, which also leaves it nothing to undo.
    const tombreli::NameList& list1 = m_list1.Items();
    const tombreli::NameList& list2 = m_list2.Items();
    const tombreli::NameMatches matches = tombreli::MatchFileNames(list1, list2);
    std::string inBoth;
    std::string onlyInFolder1;
    std::string onlyInFolder2;
    tombreli::InParallel(
        tombreli::CompareInParallel(list1, list2),
        [&] {
            inBoth = tombreli::nameLines(list1, matches.inList2, 1);
            onlyInFolder1 = tombreli::nameLines(list1, matches.inList2, 0);
        },
        [&] { onlyInFolder2 = tombreli::nameLines(list2, matches.inList1, 0); });
    for (auto [memo, text] : {std::pair(m_ui->Memo1, &inBoth), std::pair(m_ui->Memo2, &onlyInFolder1),
                              std::pair(m_ui->Memo3, &onlyInFolder2)}) {
        memo->fill(*text);
        // The box holds its own copy now.
        *text = {};
    }
}

void TForm1::scaleAtLoad()
{
    const int pixelsPerInch = logicalDpiY();
    if (pixelsPerInch != DesignedPixelsPerInch) {
        QFont font = this->font();
        font.setPixelSize(scaled(FontPixels, pixelsPerInch, DesignedPixelsPerInch));
        setFont(font);
    }
    // The design's "0" was 12 pixels high in MS P Gothic. A substitute is
    // measured against itself at the designed size, so that its taller line
    // is not taken for a screen that needs larger controls.
    QFont designed = font();
    designed.setPixelSize(FontPixels);
    const int designedTextHeight = QFontMetrics(designed).height();
    const int textHeight = QFontMetrics(font()).height();
    QSize client = size();
    if (textHeight != designedTextHeight) {
        const QList<QWidget*> controls = {
            m_ui->GroupBox1,    m_ui->FileListBox1, m_ui->Button1, m_ui->Edit1,     m_ui->GroupBox2,
            m_ui->FileListBox2, m_ui->Button2,      m_ui->Edit2,   m_ui->GroupBox3, m_ui->Memo1,
            m_ui->Button3,      m_ui->Memo3,        m_ui->Memo2,
        };
        for (QWidget* control : controls) {
            const QRect r = control->geometry();
            control->setGeometry(scaled(r.x(), textHeight, designedTextHeight),
                                 scaled(r.y(), textHeight, designedTextHeight),
                                 scaled(r.width(), textHeight, designedTextHeight),
                                 scaled(r.height(), textHeight, designedTextHeight));
        }
        for (const QListView* list : {m_ui->FileListBox1, m_ui->FileListBox2}) {
            auto* rows = static_cast<tombreli::FolderListDelegate*>(list->itemDelegate());
            rows->setItemHeight(scaled(rows->itemHeight(), textHeight, designedTextHeight));
        }
        // The window keeps its size unless a control now reaches past it.
        QRect enclosing;
        for (QWidget* control : {m_ui->GroupBox1, m_ui->GroupBox2, m_ui->GroupBox3}) {
            enclosing |= control->geometry();
        }
        client = client.expandedTo(QSize(enclosing.right() + 1, enclosing.bottom() + 1));
    }
    // The results are docked to the bottom edge at full width.
    const int resultsHeight = m_ui->GroupBox3->height();
    m_ui->GroupBox3->setGeometry(0, client.height() - resultsHeight, client.width(), resultsHeight);
    setFixedSize(client);
}

void TForm1::placeOnScreen()
{
    const QScreen* screen = QGuiApplication::screenAt(WindowPosition);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        move(WindowPosition);
        return;
    }
    // The place is the frame's, which is the window manager's and unknown
    // until shown: room for a title bar is kept.
    const QSize outer = size() + QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    move(tombreli::fitOnScreen(QRect(WindowPosition, outer), screen->availableGeometry()));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        for (tombreli::ResultBox* memo : {m_ui->Memo1, m_ui->Memo2, m_ui->Memo3}) {
            if (watched == memo->viewport()) {
                showLineToolTip(*memo, static_cast<QHelpEvent&>(*event));
                return true;
            }
        }
        return false;
    }
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
        return false;
    }
    // Only the focused control's own event: Qt hands a key it ignores on to the parents.
    const QWidget* target = QApplication::focusWidget();
    if (watched != target || target->window() != this) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (event->type() == QEvent::KeyPress) {
        // A list view copies its current name on Ctrl+C; here only the text controls copy.
        return (target == m_ui->FileListBox1 || target == m_ui->FileListBox2) &&
               key.matches(QKeySequence::Copy);
    }
    QAction* command = commandFor(key);
    if (command == nullptr) {
        return false;
    }
    // Worked out anew for each key. When the command is available, the text
    // control must not take the key for itself: the command runs instead.
    const bool available = tombreli::editCommandAvailable(editCommandOf(command), target);
    command->setEnabled(available);
    return available;
}

void TForm1::showLineToolTip(tombreli::ResultBox& memo, QHelpEvent& help) const
{
    // A line of a box is one name as nameText shows it, or whatever the user typed there.
    const QString line = memo.lineTextAt(help.pos());
    const QString tip = tombreli::plainToolTip({tombreli::nameToolTip(tombreli::pathBytes(line))});
    QToolTip::showText(help.globalPos(), tip, memo.viewport());
    help.setAccepted(!tip.isEmpty());
}

void TForm1::showEditMenu(tombreli::ResultBox& memo, const QPoint& globalPosition)
{
    memo.setFocus(Qt::PopupFocusReason);
    // A path field's own menu gives the entries, their words and their order.
    QLineEdit model;
    const QScopedPointer<QMenu> menu(model.createStandardContextMenu());
    for (QAction* entry : menu->actions()) {
        if (entry->isSeparator()) {
            continue;
        }
        const std::optional<EditCommand> edit = menuEntryCommand(*entry);
        if (!edit) {
            menu->removeAction(entry);
            continue;
        }
        entry->disconnect();
        entry->setEnabled(tombreli::editCommandAvailable(*edit, &memo));
        QAction* command = actionOf(*edit);
        connect(entry, &QAction::triggered, this, [command, edit = *edit, &memo] {
            if (command != nullptr) {
                // A key may have left the command disabled for another control.
                command->setEnabled(tombreli::editCommandAvailable(edit, &memo));
                command->trigger();
            } else {
                tombreli::runEditCommand(edit, &memo);
            }
        });
    }
    menu->exec(globalPosition);
}

QAction* TForm1::commandFor(const QKeyEvent& key) const
{
    // The keypad's Del is the same key to the user.
    const QKeySequence pressed(QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
    const QList<QAction*> actions = m_ui->ActionList1->actions();
    const auto found = std::find_if(actions.begin(), actions.end(), [&](const QAction* action) {
        return !action->shortcut().isEmpty() && action->shortcut() == pressed;
    });
    return found != actions.end() ? *found : nullptr;
}

QAction* TForm1::actionOf(EditCommand command) const
{
    for (QAction* action : m_ui->ActionList1->actions()) {
        if (action != m_ui->Action1 && editCommandOf(action) == command) {
            return action;
        }
    }
    return nullptr;
}

EditCommand TForm1::editCommandOf(const QAction* action) const
{
    if (action == m_ui->EditCut1) {
        return EditCommand::Cut;
    }
    if (action == m_ui->EditCopy1) {
        return EditCommand::Copy;
    }
    if (action == m_ui->EditPaste1) {
        return EditCommand::Paste;
    }
    if (action == m_ui->EditSelectAll1) {
        return EditCommand::SelectAll;
    }
    if (action == m_ui->EditUndo1) {
        return EditCommand::Undo;
    }
    return EditCommand::Delete;
}

void TForm1::runEditCommand(EditCommand command)
{
    tombreli::runEditCommand(command, focusWidget());
}
