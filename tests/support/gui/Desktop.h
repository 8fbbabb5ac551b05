#pragma once

// The fixture of the display suites: the main window on a real X server, with the real
// desktop shell and a stand-in xdg-open first on PATH.

#include "gui/platform/QtShell.h"
#include "gui/workbench/UFirst.h"
#include "gui/workbench/Uposition.h"
#include "tests/support/gui/Controls.h"
#include "tests/support/gui/Workbench.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace rs::test {

// Waits for the event loop to bring what cond waits for, at most about five seconds.
template <class Cond>
bool WaitFor(Cond cond) {
    for (int i = 0; i < 500 && !cond(); ++i) QTest::qWait(10);
    return cond();
}

struct Desktop : FreshHome {
    QtShell realShell;  // the doubles record message boxes; the shell is this one
    std::unique_ptr<TFrmFirst> first;
    std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";

    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run this suite under xvfb-run";
        FreshHome::SetUp();
        if (!FrmPosition) FrmPosition = new TFrmPosition;
        first = std::make_unique<TFrmFirst>();
        FrmFirst = first.get();
        InstallShell(&realShell);
    }
    void TearDown() override {
        FrmFirst = nullptr;
        setenv("PATH", oldPath.c_str(), 1);
    }
    // An xdg-open that records its argument and exits with the given status, after sleeping for
    // the given seconds.
    std::string FakeOpener(int status, const std::string& seconds = "0") {
        const std::string bin = home.file("bin");
        ::mkdir(bin.c_str(), 0755);
        WriteBytes(bin + "/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + home.file("opened") +
                                          "\"\nsleep " + seconds + "\nexit " + std::to_string(status) + "\n");
        ::chmod((bin + "/xdg-open").c_str(), 0755);
        setenv("PATH", (bin + ":" + oldPath).c_str(), 1);
        return home.file("opened");
    }
    std::string Memo() const { return Control<QPlainTextEdit>(*first, "Memo1")->toPlainText().toStdString(); }
};

}  // namespace rs::test
