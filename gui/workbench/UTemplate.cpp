#include "gui/workbench/UTemplate.h"

#include "core/platform/Dialogs.h"
#include "core/workbench/AppState.h"
#include "core/workbench/Links.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/RunGuarded.h"
#include "gui/workbench/UProgressWindow.h"
#include "ui_Template.h"

#include <QIcon>
#include <QPlainTextEdit>

static void InitTemplateQrc() { Q_INIT_RESOURCE(tmplicons); }

namespace rs {

TFrmTemplate* FrmTemplate = nullptr;

namespace {

// Row count by the memo rule, on the text as it is: no copy to UTF-8 on every keystroke.
qsizetype MemoRowCount(const QPlainTextEdit* memo) {
    const QString text = RawMemoText(memo);
    if (text.isEmpty()) return 0;
    return text.count(QLatin1Char('\n')) + (text.endsWith(QLatin1Char('\n')) ? 0 : 1);
}

void ShowCount(QLabel* label, const QPlainTextEdit* memo) {
    label->setText(QStringLiteral("Count = ") + QString::number(MemoRowCount(memo)));
}

}  // namespace

TFrmTemplate::TFrmTemplate(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TFrmTemplate>()) {
    InitTemplateQrc();
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/template32.png")));
    ui->Button1->setVisible(false);

    connect(ui->CmdApply, &QPushButton::clicked, this, &TFrmTemplate::CmdApplyClick);
    connect(ui->Memo33, &QPlainTextEdit::textChanged, this, &TFrmTemplate::Memo33Change);
    connect(ui->Memo6, &QPlainTextEdit::textChanged, this, &TFrmTemplate::Memo6Change);
    connect(ui->Memo7, &QPlainTextEdit::textChanged, this, &TFrmTemplate::Memo7Change);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmTemplate::BitBtn1Click);
    connect(ui->Button1, &QPushButton::clicked, this, &TFrmTemplate::Button1Click);
}

TFrmTemplate::~TFrmTemplate() = default;

TemplateSettings TFrmTemplate::ReadSettings() const {
    TemplateSettings s;
    s.templateRows = MemoRows(MemoText(ui->Memo1));
    s.key1 = ToUtf8(ui->Edit33->text());
    s.key2 = ToUtf8(ui->Edit6->text());
    s.key3 = ToUtf8(ui->Edit7->text());
    s.filler1 = MemoRows(MemoText(ui->Memo33));
    s.filler2 = MemoRows(MemoText(ui->Memo6));
    s.filler3 = MemoRows(MemoText(ui->Memo7));
    return s;
}

void TFrmTemplate::CmdApplyClick() {
    RunGuarded([this] {
        const TemplateSettings settings = ReadSettings();
        Finish(RunTemplate(settings, appState().ResultsFileName, *FrmProgressWindow));
    });
}

void TFrmTemplate::Memo33Change() { ShowCount(ui->Label33, ui->Memo33); }
void TFrmTemplate::Memo6Change() { ShowCount(ui->Label6, ui->Memo6); }
void TFrmTemplate::Memo7Change() { ShowCount(ui->Label7, ui->Memo7); }

void TFrmTemplate::BitBtn1Click() { close(); }

void TFrmTemplate::Button1Click() { OpenSamplePage(); }

}  // namespace rs
