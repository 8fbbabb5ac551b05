#include "gui/workbench/UFirst.h"

#include "core/platform/Chars.h"
#include "core/platform/Collation.h"
#include "core/platform/Dialogs.h"
#include "core/platform/Folders.h"
#include "core/workbench/AppState.h"
#include "core/workbench/Links.h"
#include "core/workbench/LoadInput.h"
#include "core/workbench/OperationList.h"
#include "gui/platform/FormHelpers.h"
#include "gui/platform/QtRowListModel.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/RowEdit.h"
#include "gui/workbench/RunGuarded.h"
#include "gui/workbench/UAbout.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/Uposition.h"
#include "ui_First.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace rs {

TFrmFirst* FrmFirst = nullptr;

void SetupWorkFolder() {
    if (!PrepareWorkFolder(appState(), AppDataFolder()))
        dialogs().message(
            "Could not create a folder as you do not have authority on your system. Please right click this software icon on your desktop, and choose the option to \"Run as Admin\" (only needs to be done one time), as you currently do not have authority to create a new folder.",
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
    CentreOnScreen(this);
    PressOnEnter(this, ui->BitBtn2);

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
    for (const auto& e : sorted) ui->ListOptions->addItem(ToQString(e));
    ui->ListOptions->setCurrentRow(0);
    ui->ListOptions->setFocus();
}

std::string TFrmFirst::CurrentInput() const { return ToUtf8(ui->LblFileName->text()); }

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
    if (appState().OperationRunning) return;
    QListWidgetItem* item = ui->ListOptions->currentItem();
    if (!item) return;
    const std::string entry = ToUtf8(item->text());
    const bool needsInput = EntryNeedsInput(entry);
    ui->LblMsg->clear();
    if (needsInput && chars::Trim(CurrentInput()).empty()) {
        // Pasted text cannot be kept anywhere: that, not the input, is what to mend.
        if (appState().WorkFolder.empty()) {
            dialogs().message(kNoWorkFolderText, MsgKind::Error, kAppTitle);
            return;
        }
        ShowMessage(
            "You must select a text file or paste some text into this application using the buttons at the top. (Note also that your input file will never be altered or changed in any way, as a new file is simply created for you).");
        return;
    }
    if (needsInput) {
        if (ui->Chkposition->isChecked()) ShowModeless(FrmPosition);
        if (!RunGuarded([this] { PrepareInputList(); })) return;
    }
    if (runEntry_) runEntry_(entry);
}

void TFrmFirst::PrepareInputList() {
    InputRows& rows = appState().input;
    const std::string path = CurrentInput();
    const bool pasted = IsPastedText(path, pasted_);
    // The finder and the statistics show what the load read: it must have been this window's text.
    const std::optional<ContentDigest>& loaded = rows.loadedDigest();
    if (pasted && loaded) RefuseReplacedPaste(path, pasted_, *loaded);
    if (rows.canLend(path) && (!pasted || loaded)) {
        // The file is as it was loaded: its rows are in memory already.
        FrmProgressWindow->start(kTextPreparing);
        FrmProgressWindow->end();
        rows.lend();
    } else if (pasted) {
        // The rows are this window's text only when the bytes this read found are; until that is
        // known they stay aside, since open dialogs read ListInput and a refusal must leave it as
        // it was.
        RowList fresh;
        PasteCheck check(path, pasted_);
        ReadInputRows(fresh, path, check.digester());
        check.refuseReplaced();
        rows.unlend() = std::move(fresh);
    } else {
        RowList& list = rows.unlend();
        // The finder shows the loaded rows, which ListInput no longer holds, while it is read.
        FrmPosition->rowModel()->rebind(&rows.loaded());
        list.clear();
        ReadInputRows(list, path);
    }
    // The finder goes on showing the loaded rows, wherever they are now.
    FrmPosition->rowModel()->rebind(&rows.loaded());
}

void TFrmFirst::ReadInputRows(RowList& list, const std::string& path, Digester* read) {
    // The window shows once the file is open, so a missing file leaves it hidden; the
    // rows are then read without further pumping.
    bool shown = false;
    list.loadFile(
        path,
        [&shown] {
            if (shown) return;
            shown = true;
            FrmProgressWindow->start(kTextPreparing);
        },
        read);
    FrmProgressWindow->end();
}

std::vector<std::string> TFrmFirst::FileStatistics() const {
    std::vector<std::string> lines;
    for (int i = 0; i < ui->ListBox1->count(); ++i) lines.push_back(ToUtf8(ui->ListBox1->item(i)->text()));
    return lines;
}

void TFrmFirst::CmdSelectClick() {
    // A new input while a run is reading the current one would leave the two out of step.
    if (appState().OperationRunning) return;
    ui->Memo1->clear();
    std::string chosen = dialogs().chooseFile("All (*.*)|*.*", "");
    if (chosen.empty()) return;
    pasted_.reset();
    ui->LblFileName->setText(ToQString(chosen));
    LoadInput(chosen);
}

void TFrmFirst::CmdPasteClick() {
    ui->Memo1->clear();
    ui->Memo1->pasteText();
}

void TFrmFirst::CmdClearClick() {
    ui->Memo1->clear();
    ui->LblFileName->clear();
    pasted_.reset();
}

void TFrmFirst::Memo1Change() {
    if (appState().OperationRunning) {
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
    const std::string path = JoinPath(appState().WorkFolder, "Temp_paste.txt");
    bool hasRows = false;
    ContentDigest saved;
    if (!RunGuarded([&] { hasRows = WritePastedText(path, text, &saved); })) {
        // The file no longer holds what the memo shows: the next run must not take it for it.
        ui->LblFileName->clear();
        pasted_.reset();
        return;
    }
    if (!hasRows) return;
    pasted_ = PastedText{path, saved};
    ui->LblFileName->setText(ToQString(path));
    LoadInput(path);
}

void TFrmFirst::LoadInput(const std::string& path) {
    ui->EdCurrent->clear();
    ui->ListBox1->clear();
    FrmPosition->ClearLoad();
    AppState& state = appState();
    RowList& rows = state.input.startLoad(path);
    // A load of the pasted text keeps what it read, so that a run can tell it is this window's.
    PasteCheck check(path, pasted_);
    RunGuarded([&] {
        LoadResult result;
        try {
            LoadInputFile(path, rows, *FrmProgressWindow, state.counters, result, check.digester());
        } catch (...) {
            // Rows read before the failure stay in the finder.
            FrmPosition->ShowLoad(&rows, {});
            throw;
        }
        FrmPosition->ShowLoad(&rows, result.longestText);
        ui->EdCurrent->setText(RowEditText(result.longestText));
        ui->EdCurrent->setCursorPosition(0);
        ui->LblMsg->setText(ToQString(result.statusText));
        for (const auto& line : result.statistics) ui->ListBox1->addItem(ToQString(line));
        std::optional<ContentDigest> read;
        if (check.digester()) read = check.digester()->digest();
        state.input.finishLoad(result.complete, read);
    });
}

void TFrmFirst::EdCurrentClick() { ui->LblPosition->setText(HiddenPositionReadout(ui->EdCurrent)); }

void TFrmFirst::ListBox1Click() {
    QListWidgetItem* item = ui->ListBox1->currentItem();
    if (!item) return;
    ui->EdCurrent->setText(item->text());
    FrmPosition->SetRowText(item->text());
}

}  // namespace rs
