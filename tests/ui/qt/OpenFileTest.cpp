// The open-file dialog and the file test, with the real Qt dialog answered by
// the test on the offscreen platform.
#include "Form2.h"
#include "OpenFileDialog.h"
#include "QtHarness.h"
#include "QtText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Runs `answer` on the file dialog once it is open, from inside its event loop.
void whenDialogOpens(std::function<void(QFileDialog&)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(*dialog);
        }
    });
    poll->start(10);
}

void typeAndAccept(QFileDialog& dialog, const QString& name) {
    dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
    static_cast<QDialog&>(dialog).accept(); // what the Open button does
}

class OpenFile : public ::testing::Test {
protected:
    QString show() {
        return openFileDialog(fromU16(Form2::kIconFilter), QStringLiteral("ico"), folder.path(), 0,
                              &owner);
    }
    QTemporaryDir folder;
    QWidget owner;
};

TEST_F(OpenFile, OffersBothFilterPairsFirstSelectedWithItsPatternsApplied) {
    QStringList filters, patterns, allPatterns;
    QString selected;
    Qt::WindowModality modality{};
    whenDialogOpens([&](QFileDialog& dialog) {
        filters = dialog.nameFilters();
        selected = dialog.selectedNameFilter();
        modality = dialog.windowModality();
        auto* model = dialog.findChild<QFileSystemModel*>();
        patterns = model->nameFilters();
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        types->setCurrentIndex(1);
        // What a user's choice in the list emits, in the combo box's order.
        emit types->activated(1);
        emit types->textActivated(types->itemText(1));
        allPatterns = model->nameFilters();
        dialog.reject();
    });
    EXPECT_EQ(show(), QString()) << "cancel gives an empty text";
    EXPECT_EQ(filters, (QStringList{"Icon Images(*.ico;*.bmp;*.gif)", "All files (*.*)"}));
    EXPECT_EQ(selected, QStringLiteral("Icon Images(*.ico;*.bmp;*.gif)"));
    EXPECT_EQ(patterns, (QStringList{"*.ico", "*.bmp", "*.gif"}));
    EXPECT_EQ(allPatterns, QStringList{"*"}) << "every file, with or without a dot";
    EXPECT_EQ(modality, Qt::WindowModal) << "modal to the dialog alone";
}

TEST_F(OpenFile, TypedNameGetsTheDefaultExtensionAndNeedNotExist) {
    whenDialogOpens([](QFileDialog& dialog) { typeAndAccept(dialog, QStringLiteral("mine")); });
    EXPECT_EQ(show(), folder.filePath(QStringLiteral("mine.ico")));

    whenDialogOpens([](QFileDialog& dialog) { typeAndAccept(dialog, QStringLiteral("pic.gif")); });
    EXPECT_EQ(show(), folder.filePath(QStringLiteral("pic.gif"))) << "an extension stays";
}

TEST(FileAttributes, TrueForFilesAndFoldersFalseForTheRest) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("a.ico"));
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_TRUE(fileAttributesExist(file.toStdString()));
    EXPECT_TRUE(fileAttributesExist(folder.path().toStdString()));
    EXPECT_FALSE(fileAttributesExist(""));
    EXPECT_FALSE(fileAttributesExist(folder.filePath(QStringLiteral("missing.ico")).toStdString()));
    EXPECT_FALSE(fileAttributesExist(file.toStdString() + "/below-a-file"));
    EXPECT_FALSE(fileAttributesExist(std::string(5000, 'x')));
}

TEST(Browse, ChosenPathFillsTheBoxOnlyAndTheDialogOwnsTheFileDialog) {
    QtHarness h;
    h.start();
    h.fileDialogAnswers.push_back(QStringLiteral("/chosen/picture.bmp"));
    QTest::mouseClick(h.w2().Command4, Qt::LeftButton);
    EXPECT_EQ(h.w2().CustIconFileTxt->text(), QStringLiteral("/chosen/picture.bmp"));
    EXPECT_EQ(h.w2().IconList->currentIndex(), 0);
    ASSERT_EQ(h.fileDialogOwners.size(), 1u);
    EXPECT_EQ(h.fileDialogOwners[0], &h.w2());
}

} // namespace
