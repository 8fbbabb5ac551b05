#pragma once

#include "core/workbench/LoadInput.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class TFrmFirst;
}

namespace rs {

// The main window: input selection, the operation list and its dispatcher.
class TFrmFirst : public QWidget {
    Q_OBJECT
public:
    explicit TFrmFirst(QWidget* parent = nullptr);
    ~TFrmFirst() override;

    void FormCreate();
    void CmdMakeChangesClick();
    void ListOptionsDblClick();
    void CmdSelectClick();
    void CmdPasteClick();
    void CmdClearClick();
    void Memo1Change();
    void CmdAboutClick();
    void CmdHelpClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void EdCurrentClick();
    void ListBox1Click();

    // What runs a chosen entry once its input is checked and re-read: the dispatcher, which
    // sits above the forms it opens, installs itself here at start-up.
    void SetEntryRunner(std::function<void(const std::string&)> run);

    // Re-reads the current input into ListInput. Throws FileError; pasted text that another
    // window has replaced since is refused (RunRefused) and leaves ListInput as it was.
    void PrepareInputList();
    // The statistics lines of the last load.
    std::vector<std::string> FileStatistics() const;

    // The current input: the hidden label's text.
    std::string CurrentInput() const;
    // The text this window saved to the pasted-text file, while that is the input: what reads it
    // checks that it got this text (another window of the program saves its own to that file).
    const std::optional<PastedText>& Pasted() const { return pasted_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadInput(const std::string& path);
    void ReadInputRows(RowList& list, const std::string& path, Digester* read = nullptr);

    std::unique_ptr<Ui::TFrmFirst> ui;
    std::function<void(const std::string&)> runEntry_;
    bool memoChangePending_ = false;
    std::optional<PastedText> pasted_;  // while the current input is this window's pasted text
};

extern TFrmFirst* FrmFirst;

// Sets WorkFolder and ResultsFileName and creates the folder, warning when it cannot.
void SetupWorkFolder();

}  // namespace rs
