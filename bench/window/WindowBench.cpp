// Times one operation run through the real main window: dispatch, re-reading the rows,
// the operation and publishing, on the offscreen platform. Entries that open a dialog get
// its controls set and its buttons clicked as the arguments say.
//
//   rowsmith_window_bench ENTRY FILE [ARG...]
//
// ENTRY is an entry of the operation list, or the name of a form that no entry opens
// (FrmMerge), which is then shown instead of loading FILE. Each ARG is one of
//   NAME=VALUE  sets a control of the dialog: a spin edit or edit box to VALUE, a check box or
//               radio button on ("1") or off ("0"), a memo to VALUE with "\n" as line breaks
//   +NAME       clicks that button of the dialog, in the order given
//   @PATH       answers a file choice with PATH (the choices go round FILE and the @PATHs)
//   TEXT        answers the input boxes
// NO_FINDER=1 unticks "Always open char position finder"; AGAIN=1 runs the entry twice; PASTE=1
// pastes the text of FILE into the main window instead of choosing FILE.

#include "core/platform/Dialogs.h"
#include "core/platform/Shell.h"
#include "core/workbench/AppState.h"
#include "gui/Forms.h"
#include "gui/compare/UMerge.h"
#include "gui/platform/InitResources.h"
#include "gui/workbench/UFirst.h"
#include "gui/workbench/Uposition.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct ScriptedDialogs : rs::Dialogs {
    std::vector<std::string> files;
    std::size_t nextFile = 0;
    std::string answer;
    void message(const std::string& text, rs::MsgKind, const std::string&) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    std::string inputBox(const std::string&, const std::string&) override { return answer; }
    std::string chooseFile(const std::string&, const std::string&) override {
        return files[nextFile++ % files.size()];
    }
};
struct QuietShell : rs::Shell {
    void open(const std::string&, bool, rs::ShellDone done) override { done(rs::ShellResult::Ok); }
    void openFolder(const std::string&, rs::ShellDone done) override { done(rs::ShellResult::Ok); }
};

struct Setting {
    QString name;
    QString value;
    bool click = false;
};

// Sets the controls and presses the buttons of the dialog; false when one is missing.
bool Drive(QWidget* dialog, const std::vector<Setting>& settings) {
    for (const Setting& s : settings) {
        QWidget* w = dialog->findChild<QWidget*>(s.name);
        if (!w) {
            std::fprintf(stderr, "no control %s in %s\n", qPrintable(s.name),
                         qPrintable(dialog->objectName()));
            return false;
        }
        if (s.click) {
            if (auto* b = qobject_cast<QAbstractButton*>(w)) b->click();
        } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
            spin->setValue(s.value.toInt());
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            b->setChecked(s.value == QLatin1String("1"));
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->setText(s.value);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
            memo->setPlainText(QString(s.value).replace(QLatin1String("\\n"), QLatin1String("\n")));
        }
    }
    return true;
}

// The dialog the dispatch left open: a visible window other than the main window and the
// finder that holds the first control named.
QWidget* OpenDialog(const std::vector<Setting>& settings) {
    if (settings.empty()) return nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != rs::FrmFirst && w != rs::FrmPosition &&
            w->findChild<QWidget*>(settings[0].name))
            return w;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: rowsmith_window_bench ENTRY FILE [NAME=VALUE | +BUTTON | @FILE | ANSWER]...\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Results go to a work folder of the benchmark's own, removed at the end, unless one is given.
    static char tmpl[] = "/tmp/rowsmith-window-bench-XXXXXX";
    struct RemoveAtExit {
        std::string dir;
        ~RemoveAtExit() {
            std::error_code ec;
            if (!dir.empty()) std::filesystem::remove_all(dir, ec);
        }
    } own;
    if (!std::getenv("XDG_DATA_HOME")) {
        if (!mkdtemp(tmpl)) return 1;
        own.dir = tmpl;
        setenv("XDG_DATA_HOME", tmpl, 1);
    }
    std::filesystem::create_directories(std::getenv("XDG_DATA_HOME"));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    rs::InitResources();
    ScriptedDialogs dialogs;
    dialogs.files.push_back(argv[2]);
    std::vector<Setting> settings;
    for (int i = 3; i < argc; ++i) {
        const QString a = QString::fromUtf8(argv[i]);
        if (a.startsWith('+')) {
            settings.push_back({a.mid(1), {}, true});
        } else if (a.startsWith('@')) {
            dialogs.files.push_back(a.mid(1).toStdString());
        } else if (int eq = a.indexOf('='); eq > 0) {
            settings.push_back({a.left(eq), a.mid(eq + 1), false});
        } else {
            dialogs.answer = argv[i];
        }
    }
    QuietShell shell;
    rs::InstallDialogs(&dialogs);
    rs::InstallShell(&shell);

    using namespace rs;
    CreateForms();
    FrmFirst->show();
    // NO_FINDER=1 runs with "Always open char position finder" unticked.
    if (const char* nf = std::getenv("NO_FINDER"); nf && *nf == '1')
        FrmFirst->findChild<QCheckBox*>(QStringLiteral("Chkposition"))->setChecked(false);

    const QString entry = QString::fromUtf8(argv[1]);
    QWidget* form = entry == QLatin1String("FrmMerge") ? FrmMerge : nullptr;
    QElapsedTimer t;
    double load = 0;
    if (!form) {
        t.start();
        if (const char* p = std::getenv("PASTE"); p && *p == '1') {
            QFile file(QString::fromUtf8(argv[2]));
            if (!file.open(QIODevice::ReadOnly)) return 1;
            FrmFirst->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))
                ->setPlainText(QString::fromUtf8(file.readAll()));
        } else {
            FrmFirst->CmdSelectClick();
        }
        load = t.nsecsElapsed() / 1e9;
        auto* options = FrmFirst->findChild<QListWidget*>(QStringLiteral("ListOptions"));
        auto items = options->findItems(entry, Qt::MatchExactly);
        if (items.size() != 1) {
            std::fprintf(stderr, "no such entry: %s\n", argv[1]);
            return 2;
        }
        options->setCurrentItem(items[0]);
    }

    bool driven = false;
    auto run = [&] {
        driven = settings.empty();
        if (form) {
            form->show();
            driven = Drive(form, settings);
            return;
        }
        // A modal dialog is driven from inside its own event loop, then closed.
        QTimer modalWatch;
        modalWatch.setInterval(5);
        QObject::connect(&modalWatch, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modalWatch.stop();
                driven = Drive(modal, settings);
                modal->close();
            }
        });
        if (!settings.empty()) modalWatch.start();
        FrmFirst->CmdMakeChangesClick();
        modalWatch.stop();
        if (QWidget* dialog = OpenDialog(settings); dialog && !driven) driven = Drive(dialog, settings);
    };
    t.restart();
    run();
    double first = t.nsecsElapsed() / 1e9;
    if (!driven) return 2;
    double again = 0;
    if (const char* a = std::getenv("AGAIN"); a && *a == '1') {
        // A second run, as a user working on one input makes: the row store's memory is in
        // use already.
        t.restart();
        run();
        again = t.nsecsElapsed() / 1e9;
    }
    std::printf("load %.3f s  dispatch+run %.3f s  again %.3f s  rows %d\n", load, first, again,
                appState().counters.InputLineCount);
    return 0;
}
