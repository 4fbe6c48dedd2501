// Protects closing the window during a long Save data: the window's close
// button, as the window system delivers it, asks whether to stop the save.
// Yes cancels it (no partial file, the old file as it was) and closes the
// window once the save has unwound; No lets the save finish and the window stay.

#include <qpa/qwindowsysteminterface.h>

#include <QMessageBox>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/chart/ChartCommands.h"
#include "tests/main_window_fixture.h"
#include "tests/row_name.h"

namespace {

struct CloseRow {
    std::string name;
    QMessageBox::StandardButton answer;
};

class CloseDuringSave : public MainWindowTest, public testing::WithParamInterface<CloseRow> {};

TEST_P(CloseDuringSave, AsksWhetherToStopTheSave) {
    const bool stop = GetParam().answer == QMessageBox::Yes;
    setParameters("10", "4000000", "10", "10");  // 8 million rows: the progress shows
    clickOk();
    QTemporaryDir folder;
    const QString file = folder.filePath("points.csv");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    QString question;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, &user, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            question = box->text();
            box->button(GetParam().answer)->click();
        } else if (question.isEmpty() && chart()->findChild<QProgressDialog*>()->isVisible()) {
            QWindowSystemInterface::handleCloseEvent(window->windowHandle());
        }
    });
    user.start(20);
    EXPECT_EQ(chart::saveData(*chart(), file), !stop);
    QCoreApplication::processEvents();
    EXPECT_TRUE(question.startsWith("Stop saving")) << question.toStdString();
    EXPECT_EQ(window->isVisible(), !stop);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.read(14), stop ? "old" : "series,index,l");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"points.csv"});
    EXPECT_TRUE(reports.empty());
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseDuringSave,
                         testing::Values(CloseRow{"Yes", QMessageBox::Yes},
                                         CloseRow{"No", QMessageBox::No}),
                         RowName());

}  // namespace
