#include "UFirst.h"

#include "UGlobal.h"
#include "UGuard.h"
#include "UProgressWindow.h"
#include "platform/Chars.h"
#include "platform/Collation.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "ui_First.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>

namespace rs {

TFrmFirst* FrmFirst = nullptr;
std::string InputFileName;
std::string SearchText;

const std::vector<std::string> kOperationEntries = {
    "REMOVE         - Remove strings from all locations",
    "REMOVE         - Remove strings or delete various rows",
    "TRIM BOTH      - Trim spaces from beginning and end of all rows",
    "INSERT         - Insert strings into rows",
    "CASE LOWERCASE - Change all to lower case",
    "CASE UPPERCASE - Change all to upper case",
    "VIEW ALL       - Gather statistics",
    "VIEW NUMBER    - View row number on each line",
    "EXTRACT        - Extract strings or rows ",
    "REMOVE         - Remove rows if a string you enter is found",
    "VIEW           - Byte position counter",
    "DUPLICATES     - Extract, consolidate, or eliminate duplicates",
    "TEMPLATE       - Builder - Replicate setup multiple times",
    "COUNT          - Count total occurrances of any string",
    "REMOVE         - Remove all blank rows",
    "TRIM LEFT      - Remove spaces from beginning of all rows",
    "TRIM RIGHT     - Remove spaces from the end of all rows",
    "COUNT          - Count total words",
    "BULK INSERT    - Bulk - Insert string(s) into many files at once",
    "SUM            - Sum numeric numbers (Whole and decimal breakdown)",
    "BULK COMBINE   - Bulk - Combine many files into 1 file",
    "BULK SPLIT     - Bulk - Split 1 file into many files",
};

namespace {
// Index into kOperationEntries, 0-based.
enum Entry {
    RemoveEverywhere = 0, RemoveOrDelete, TrimBoth, InsertEntry, CaseLower, CaseUpper, ViewAll, ViewNumber,
    ExtractEntry, RemoveRowsContaining, ViewPosition, Duplicates, TemplateEntry, CountString, RemoveBlank,
    TrimLeft, TrimRight, CountWords, BulkInsert, SumEntry, BulkCombine, BulkSplit
};

QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

bool EntryNeedsInput(const std::string& entry) {
    return entry != kOperationEntries[TemplateEntry] && entry != kOperationEntries[BulkInsert] &&
           entry != kOperationEntries[BulkCombine] && entry != kOperationEntries[BulkSplit];
}

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
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QWidget::close);
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
    for (const auto& e : sorted) ui->ListOptions->addItem(Q(e));
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

void TFrmFirst::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::quit();
}

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
    (void)entry;
}

void TFrmFirst::CmdSelectClick() {}
void TFrmFirst::CmdPasteClick() {}
void TFrmFirst::CmdClearClick() {}
void TFrmFirst::Memo1Change() {}

}  // namespace rs
