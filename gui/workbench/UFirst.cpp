#include "gui/workbench/UFirst.h"

#include "core/platform/Chars.h"
#include "core/platform/Collation.h"
#include "core/platform/Dialogs.h"
#include "core/platform/Folders.h"
#include "gui/platform/QtRowListModel.h"
#include "gui/platform/QtText.h"
#include "core/workbench/Links.h"
#include "core/workbench/LoadInput.h"
#include "core/workbench/OperationList.h"
#include "gui/workbench/UAbout.h"
#include "core/workbench/UGlobal.h"
#include "gui/workbench/UGuard.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/Uposition.h"
#include "ui_First.h"
#include "ui_Position.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace rs {

TFrmFirst* FrmFirst = nullptr;
std::string InputFileName;
std::string SearchText;

void SetupWorkFolder() {
    if (!PrepareWorkFolder(AppDataFolder()))
        dialogs().message(
            "Could not create a folder as you do not have authority on your system. Please right click this "
            "software icon on your desktop, and choose the option to \"Run as Admin\" (only needs to be done one "
            "time), as you currently do not have authority to create a new folder.",
            MsgKind::Warning, "Warning");
}

TFrmFirst::TFrmFirst(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TFrmFirst>()) {
    ui->setupUi(this);
    ui->LblFileName->setVisible(false);
    ui->GroupBox2->setVisible(false);
    ui->ListBox1->setVisible(false);
    QIcon icon;
    icon.addFile(QStringLiteral(":/main32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/main16.png"), QSize(16, 16));
    setWindowIcon(icon);
    resize(597, 672);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));

    connect(ui->CmdMakeChanges, &QPushButton::clicked, this, &TFrmFirst::CmdMakeChangesClick);
    connect(ui->ListOptions, &QListWidget::itemDoubleClicked, this, &TFrmFirst::ListOptionsDblClick);
    connect(ui->CmdSelect, &QPushButton::clicked, this, &TFrmFirst::CmdSelectClick);
    connect(ui->CmdPaste, &QPushButton::clicked, this, &TFrmFirst::CmdPasteClick);
    connect(ui->CmdClear, &QPushButton::clicked, this, &TFrmFirst::CmdClearClick);
    connect(ui->Memo1, &QPlainTextEdit::textChanged, this, &TFrmFirst::Memo1Change);
    connect(ui->CmdAbout, &QPushButton::clicked, this, &TFrmFirst::CmdAboutClick);
    connect(ui->CmdHelp, &QPushButton::clicked, this, &TFrmFirst::CmdHelpClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmFirst::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TFrmFirst::BitBtn2Click);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &TFrmFirst::BitBtn3Click);
    connect(ui->ListBox1, &QListWidget::currentRowChanged, this, &TFrmFirst::ListBox1Click);
    PrepareRowEdit(ui->EdCurrent);
    ui->EdCurrent->installEventFilter(this);
    FormCreate();
}

TFrmFirst::~TFrmFirst() = default;

void TFrmFirst::FormCreate() {
    SetupWorkFolder();
    ui->Chkposition->setChecked(true);
    ui->CmdPaste->setIcon(ui->CmdSelect->icon());
    // The list keeps its entries sorted, as a sorted list box does.
    std::vector<std::string> sorted = kOperationEntries;
    std::stable_sort(sorted.begin(), sorted.end(), CollateLess);
    for (const auto& e : sorted) ui->ListOptions->addItem(QString::fromStdString(e));
    ui->ListOptions->setCurrentRow(0);
    ui->ListOptions->setFocus();
}

std::string TFrmFirst::CurrentInput() const { return ui->LblFileName->text().toStdString(); }

void TFrmFirst::keyPressEvent(QKeyEvent* event) {
    // Enter reaches the window only from controls that do not take it themselves (the
    // operation list, the check box): it presses the default button, "Exit".
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ui->BitBtn2->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TFrmFirst::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->EdCurrent &&
        (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::KeyRelease))
        EdCurrentClick();
    return QWidget::eventFilter(watched, event);
}

void TFrmFirst::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::quit();
}

void TFrmFirst::SetEntryRunner(std::function<void(const std::string&)> run) { runEntry_ = std::move(run); }

void TFrmFirst::CmdAboutClick() { FrmAbout->exec(); }
void TFrmFirst::CmdHelpClick() { OpenHelpPage(); }
void TFrmFirst::BitBtn1Click() { OpenDownloadPage(); }
void TFrmFirst::BitBtn2Click() { close(); }
void TFrmFirst::BitBtn3Click() { OpenExamplesPage(); }

void TFrmFirst::ListOptionsDblClick() { CmdMakeChangesClick(); }

void TFrmFirst::CmdMakeChangesClick() {
    // A dispatch while another run pumps events is refused quietly.
    if (OperationRunning) return;
    QListWidgetItem* item = ui->ListOptions->currentItem();
    if (!item) return;
    const std::string entry = item->text().toStdString();
    const bool needsInput = EntryNeedsInput(entry);
    ui->LblMsg->clear();
    if (needsInput && chars::Trim(CurrentInput()).empty()) {
        ShowMessage(
            "You must select a text file or paste some text into this application using the buttons at the top. "
            "(Note also that your input file will never be altered or changed in any way, as a new file is simply "
            "created for you).");
        return;
    }
    if (needsInput) {
        if (ui->Chkposition->isChecked()) ShowModeless(FrmPosition);
        if (!RunGuarded([this] { PrepareInputList(); })) return;
    }
    if (runEntry_) runEntry_(entry);
}

void TFrmFirst::PrepareInputList() {
    const std::string path = CurrentInput();
    FileStamp now;
    if (loadedComplete_ && path == loadedPath_ && StampOf(path, now) && now == loadedStamp_) {
        // The file is as it was loaded: its rows are in memory already, so they are handed to
        // ListInput instead of being read a second time. The finder keeps showing them there.
        FrmProgressWindow->start(kTextPreparing);
        if (!loadInListInput_) {
            std::swap(ListInput, FinderRows);
            FrmPosition->rowModel()->rebind(&ListInput);
            loadInListInput_ = true;
        }
        FrmProgressWindow->end();
        return;
    }
    if (loadInListInput_) {
        // The finder keeps the rows it showed; ListInput is read afresh.
        std::swap(ListInput, FinderRows);
        FrmPosition->rowModel()->rebind(&FinderRows);
        loadInListInput_ = false;
    }
    ListInput.clear();
    // The window shows once the file is open, so a missing file leaves it hidden; the
    // rows are then read without further pumping.
    bool shown = false;
    ListInput.loadFile(path, [&shown] {
        if (shown) return;
        shown = true;
        FrmProgressWindow->start(kTextPreparing);
    });
    FrmProgressWindow->end();
}

char DecimalSeparator() {
    QString dp = QLocale().decimalPoint();
    return (dp.size() == 1 && dp[0].unicode() < 128) ? static_cast<char>(dp[0].unicode()) : '.';
}

std::vector<std::string> TFrmFirst::FileStatistics() const {
    std::vector<std::string> lines;
    for (int i = 0; i < ui->ListBox1->count(); ++i) lines.push_back(ui->ListBox1->item(i)->text().toStdString());
    return lines;
}

void TFrmFirst::CmdSelectClick() {
    // A new input while a run is reading the current one would leave the two out of step.
    if (OperationRunning) return;
    ui->Memo1->clear();
    std::string chosen = dialogs().chooseFile("All (*.*)|*.*", "");
    if (chosen.empty()) return;
    ui->LblFileName->setText(QString::fromStdString(chosen));
    LoadInput(chosen);
}

void TFrmFirst::CmdPasteClick() {
    ui->Memo1->clear();
    ui->Memo1->pasteText();
}

void TFrmFirst::CmdClearClick() {
    ui->Memo1->clear();
    ui->LblFileName->clear();
}

void TFrmFirst::Memo1Change() {
    if (OperationRunning) {
        // A change that arrives while a run pumps events is saved once that run is over.
        if (!memoChangePending_) {
            memoChangePending_ = true;
            QTimer::singleShot(50, this, [this] {
                memoChangePending_ = false;
                Memo1Change();
            });
        }
        return;
    }
    const std::string text = MemoText(ui->Memo1);
    const std::string path = JoinPath(WorkFolder, "Temp_paste.txt");
    bool hasRows = false;
    if (!RunGuarded([&] { hasRows = WritePastedText(path, text); })) {
        // The file no longer holds what the memo shows: the next run must not take it for it.
        ui->LblFileName->clear();
        return;
    }
    if (!hasRows) return;
    ui->LblFileName->setText(QString::fromStdString(path));
    LoadInput(path);
}

void TFrmFirst::LoadInput(const std::string& path) {
    ui->EdCurrent->clear();
    ui->ListBox1->clear();
    FrmPosition->ClearLoad();
    // ListInput keeps the rows of the last dispatch; the finder's store is filled anew.
    loadInListInput_ = false;
    loadedComplete_ = false;
    loadedPath_ = path;
    FileStamp before;
    const bool stamped = StampOf(path, before);
    RunGuarded([&] {
        LoadResult result;
        try {
            LoadInputFile(path, FinderRows, *FrmProgressWindow, result);
        } catch (...) {
            // Rows read before the failure stay in the finder.
            FrmPosition->ShowLoad(&FinderRows, {});
            throw;
        }
        FrmPosition->ShowLoad(&FinderRows, result.longestText);
        ui->EdCurrent->setText(RowEditText(result.longestText));
        ui->EdCurrent->setCursorPosition(0);
        ui->LblMsg->setText(QString::fromStdString(result.statusText));
        for (const auto& line : result.statistics) ui->ListBox1->addItem(QString::fromStdString(line));
        // Only a file that did not change while it was read counts as loaded as it is.
        FileStamp after;
        loadedStamp_ = before;
        loadedComplete_ = result.complete && stamped && StampOf(path, after) && after == before;
    });
}

void TFrmFirst::EdCurrentClick() {
    ui->LblPosition->setText(HiddenPositionReadout(ui->EdCurrent));
}

void TFrmFirst::ListBox1Click() {
    QListWidgetItem* item = ui->ListBox1->currentItem();
    if (!item) return;
    ui->EdCurrent->setText(item->text());
    FrmPosition->ui->EdCurrent->setText(item->text());
}

void ShowModeless(QWidget* form) {
    if (!form) return;
    form->show();
    form->raise();
    form->activateWindow();
}

}  // namespace rs
