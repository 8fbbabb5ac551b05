#include "gui/platform/QtDialogs.h"

#include "tests/support/Doubles.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QMimeDatabase>

#include <gtest/gtest.h>

#include <string>

using namespace rs;

TEST(FileChooser, TypesTheFilesItListsByNameNeverByContent) {
    test::TempDir dir;
    const std::string pngSignature("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    test::WriteBytes(dir.file("picture"), pngSignature);
    test::WriteBytes(dir.file("named.png"), "plain text");

    auto chooser = MakeFileChooser(nullptr, QString::fromStdString(dir.path()), ToQtFilter("All (*.*)|*.*"));
    EXPECT_EQ(chooser->fileMode(), QFileDialog::ExistingFile);
    auto* model = chooser->findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    auto typeOf = [&](const std::string& name) {
        return model->type(model->index(QString::fromStdString(dir.file(name)))).toStdString();
    };
    const std::string png =
        QMimeDatabase().mimeTypeForName(QStringLiteral("image/png")).comment().toStdString();
    EXPECT_NE(typeOf("picture"), png);
    EXPECT_EQ(typeOf("named.png"), png);
}
