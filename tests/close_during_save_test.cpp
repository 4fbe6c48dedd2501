// Protects closing the window during a long Save data: its close button, as
// the window system delivers it, asks whether to stop the save. Yes cancels it
// (no partial file, the old file kept) and closes the window; No lets it finish.

#include <qpa/qwindowsysteminterface.h>

#include <QMessageBox>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/chart/ChartCommands.h"
#include "tests/main_window_fixture.h"

namespace {

class CloseDuringSave : public MainWindowTest,
                        public testing::WithParamInterface<QMessageBox::StandardButton> {};

TEST_P(CloseDuringSave, AsksWhetherToStopTheSave) {
    const bool stop = GetParam() == QMessageBox::Yes;
    // 32 million rows: the save outlasts the progress's delay by seconds.
    setParameters("10", "16000000", "10", "10");
    clickOk();
    QTemporaryDir folder;
    QFile file(folder.filePath("points.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
    file.close();
    QString question;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, &user, [&] {
        // The question, once shown (found as a window, whichever is active).
        QMessageBox* box = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* shown = qobject_cast<QMessageBox*>(top); shown && shown->isVisible())
                box = shown;
        if (box) {
            question = box->text();
            box->button(GetParam())->click();
        } else if (const auto* progress = chart()->findChild<QProgressDialog*>();
                   question.isEmpty() && progress && progress->isVisible()) {
            QWindowSystemInterface::handleCloseEvent(window->windowHandle());
        }
    });
    user.start(20);
    EXPECT_EQ(chart::ChartCommands(*chart()).saveData(file.fileName()), !stop);
    user.stop();  // the progress is gone with the save
    QCoreApplication::processEvents();
    EXPECT_TRUE(question.startsWith("Stop saving")) << question.toStdString();
    EXPECT_EQ(window->isVisible(), !stop);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(14), stop ? "old" : "series,index,l");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"points.csv"});
    EXPECT_TRUE(reports.empty());
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseDuringSave,
                         testing::Values(QMessageBox::Yes, QMessageBox::No),
                         [](const auto& answer) {
                             return answer.param == QMessageBox::Yes ? "Yes" : "No";
                         });

}  // namespace
